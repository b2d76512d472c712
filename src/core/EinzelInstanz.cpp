#include "EinzelInstanz.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace orvano {

std::string EinzelInstanz::StandardSperrDatei() {
  const char* laufzeit = std::getenv("XDG_RUNTIME_DIR");
  if (laufzeit && *laufzeit) return std::string(laufzeit) + "/orvano.exe.lock";
  return "/tmp/orvano.exe-" + std::to_string(::getuid()) + ".lock";
}

EinzelInstanz::EinzelInstanz(const std::string& sperrDatei) {
  fd_ = ::open(sperrDatei.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600);
  // Without a lock file we cannot tell; starting is better than refusing every start.
  if (fd_ < 0) return;
  if (::flock(fd_, LOCK_EX | LOCK_NB) != 0) {
    erste_ = !(errno == EWOULDBLOCK || errno == EAGAIN);
    ::close(fd_);
    fd_ = -1;
  }
}

EinzelInstanz::~EinzelInstanz() {
  if (fd_ >= 0) ::close(fd_);
}

}  // namespace orvano
