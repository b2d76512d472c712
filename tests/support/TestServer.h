// A small HTTP server on 127.0.0.1 for tests: it answers every request with one fixed answer,
// or keeps the connection open without ever answering. Stopped when it goes.
#pragma once

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <atomic>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace orvano::test {

class TestServer {
 public:
  explicit TestServer(std::string antwort, bool schweigen = false) : antwort_(std::move(antwort)), schweigen_(schweigen) {
    fd_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a);
    socklen_t n = sizeof a;
    ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &n);
    port_ = ntohs(a.sin_port);
    ::listen(fd_, 8);
    faden_ = std::thread([this] { laufen(); });
  }
  ~TestServer() {
    ende_ = true;
    faden_.join();
    for (int c : offen_) ::close(c);
    ::close(fd_);
  }
  TestServer(const TestServer&) = delete;
  TestServer& operator=(const TestServer&) = delete;

  std::string basis() const { return "http://127.0.0.1:" + std::to_string(port_); }
  // From now on every request gets ANTWORT (an answer that names the server's own address).
  void setAntwort(std::string antwort) {
    std::lock_guard<std::mutex> l(m_);
    antwort_ = std::move(antwort);
  }
  // A redirect to ZIEL.
  static std::string Umleitung(const std::string& ziel) {
    return "HTTP/1.1 302 Found\r\nLocation: " + ziel + "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
  }
  // The first line of every request received.
  std::vector<std::string> anfragen() const {
    std::lock_guard<std::mutex> l(m_);
    return anfragen_;
  }

  static std::string Http(int status, const std::string& typ, const std::string& inhalt) {
    return "HTTP/1.1 " + std::to_string(status) + " X\r\nContent-Type: " + typ + "\r\nContent-Length: " +
           std::to_string(inhalt.size()) + "\r\nConnection: close\r\n\r\n" + inhalt;
  }
  // An address where nothing listens.
  static std::string Geschlossen() {
    int p = 0;
    {
      TestServer s("");
      p = s.port_;
    }
    return "http://127.0.0.1:" + std::to_string(p);
  }

 private:
  void laufen() {
    while (!ende_) {
      pollfd p{fd_, POLLIN, 0};
      if (::poll(&p, 1, 20) <= 0) continue;
      const int c = ::accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
      if (c < 0) continue;
      std::string anfrage;
      char puffer[4096];
      while (anfrage.find("\r\n\r\n") == std::string::npos && !ende_) {
        pollfd q{c, POLLIN, 0};
        if (::poll(&q, 1, 20) <= 0) continue;
        const ssize_t n = ::recv(c, puffer, sizeof puffer, 0);
        if (n <= 0) break;
        anfrage.append(puffer, static_cast<std::size_t>(n));
      }
      {
        std::lock_guard<std::mutex> l(m_);
        anfragen_.push_back(anfrage.substr(0, anfrage.find("\r\n")));
      }
      if (schweigen_) {
        offen_.push_back(c);
        continue;
      }
      std::string antwort;
      {
        std::lock_guard<std::mutex> l(m_);
        antwort = antwort_;
      }
      for (std::size_t i = 0; i < antwort.size();) {
        const ssize_t n = ::send(c, antwort.data() + i, antwort.size() - i, MSG_NOSIGNAL);
        if (n <= 0) break;
        i += static_cast<std::size_t>(n);
      }
      ::close(c);
    }
  }

  std::string antwort_;
  bool schweigen_;
  int fd_ = -1;
  int port_ = 0;
  std::atomic<bool> ende_{false};
  std::thread faden_;
  std::vector<int> offen_;
  mutable std::mutex m_;
  std::vector<std::string> anfragen_;
};

}  // namespace orvano::test
