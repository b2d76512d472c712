// Only one copy of the program per user: a lock held for the whole run.
#pragma once

#include <string>

namespace orvano {

// Takes the lock named "orvano.exe" for the user. Another live process holding it means this
// copy is the second one. The lock dies with its process, so a crash never blocks a start.
class EinzelInstanz {
 public:
  explicit EinzelInstanz(const std::string& sperrDatei = StandardSperrDatei());
  ~EinzelInstanz();
  EinzelInstanz(const EinzelInstanz&) = delete;
  EinzelInstanz& operator=(const EinzelInstanz&) = delete;

  // False when another process already holds the lock.
  bool erste() const { return erste_; }

  // $XDG_RUNTIME_DIR/orvano.exe.lock, or a per-user file in /tmp without a runtime folder.
  static std::string StandardSperrDatei();

 private:
  int fd_ = -1;
  bool erste_ = true;
};

constexpr const char* kLaeuftBereits = "Anwendung Orvano läuft bereits !";

}  // namespace orvano
