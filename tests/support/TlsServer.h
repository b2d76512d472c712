// An https server on 127.0.0.1 for tests: openssl s_server with a certificate of a test CA made
// at test time. Each request gets the file of its path, which holds the whole HTTP answer.
#pragma once

#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "support/TempOrdner.h"

extern char** environ;

namespace orvano::test {

class TlsServer {
 public:
  TlsServer() {
    const std::string d = ordner_.pfad();
    // A CA, and a server certificate for 127.0.0.1 signed by it.
    const std::string befehle =
        "cd '" + d + "' && "
        "openssl req -x509 -newkey rsa:2048 -nodes -keyout ca.key -out ca.pem -days 2 -subj '/CN=Orvano Test-CA' && "
        "openssl req -newkey rsa:2048 -nodes -keyout server.key -out server.csr -subj '/CN=127.0.0.1' && "
        "printf 'subjectAltName=IP:127.0.0.1\\nbasicConstraints=CA:FALSE\\n' > ext.cnf && "
        "openssl x509 -req -in server.csr -CA ca.pem -CAkey ca.key -CAcreateserial -out server.pem -days 2 -extfile ext.cnf";
    bereit_ = std::system(("( " + befehle + " ) >/dev/null 2>&1").c_str()) == 0;
    if (!bereit_) return;
    port_ = FreierPort();
    const std::string annehmen = "127.0.0.1:" + std::to_string(port_);
    const std::string cert = d + "/server.pem", key = d + "/server.key";
    const char* argv[] = {"openssl", "s_server", "-quiet", "-HTTP", "-accept", annehmen.c_str(), "-cert", cert.c_str(), "-key", key.c_str(), nullptr};
    posix_spawn_file_actions_t aktionen;
    posix_spawn_file_actions_init(&aktionen);
    posix_spawn_file_actions_addchdir_np(&aktionen, (d + "/www").c_str());
    posix_spawn_file_actions_addopen(&aktionen, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&aktionen, 2, "/dev/null", O_WRONLY, 0);
    std::filesystem::create_directories(d + "/www");
    bereit_ = posix_spawnp(&pid_, "openssl", &aktionen, nullptr, const_cast<char**>(argv), environ) == 0;
    posix_spawn_file_actions_destroy(&aktionen);
    // Up when it takes a connection; two seconds at most.
    bereit_ = bereit_ && Warten();
  }
  ~TlsServer() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      ::waitpid(pid_, nullptr, 0);
    }
  }
  TlsServer(const TlsServer&) = delete;
  TlsServer& operator=(const TlsServer&) = delete;

  bool bereit() const { return bereit_; }
  std::string basis() const { return "https://127.0.0.1:" + std::to_string(port_); }
  std::string ca() const { return ordner_ / "ca.pem"; }
  // The answer to "GET /PFAD" (PFAD with its query, without the leading "/").
  void antwort(const std::string& pfad, const std::string& http) {
    const std::filesystem::path p = std::filesystem::path(ordner_ / "www") / pfad;
    std::filesystem::create_directories(p.parent_path());
    DateiSchreiben(p.string(), http);
  }

 private:
  static int FreierPort() {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t n = sizeof a;
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&a), &n);
    ::close(fd);
    return ntohs(a.sin_port);
  }
  bool Warten() const {
    const auto ende = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (std::chrono::steady_clock::now() < ende) {
      const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
      sockaddr_in a{};
      a.sin_family = AF_INET;
      a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
      a.sin_port = htons(static_cast<std::uint16_t>(port_));
      const bool da = ::connect(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
      ::close(fd);
      if (da) return true;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return false;
  }

  TempOrdner ordner_;
  pid_t pid_ = -1;
  int port_ = 0;
  bool bereit_ = false;
};

}  // namespace orvano::test
