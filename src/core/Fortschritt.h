// How long-running data-store routines report progress and ask the user.
#pragma once

#include <cstdint>
#include <string>

namespace orvano {

// Where progress shows is the caller's choice: a window's bar, the terminal, nothing.
class Fortschritt {
 public:
  virtual ~Fortschritt() = default;
  virtual void beginnen(std::int64_t /*maximum*/) {}
  virtual void position(std::int64_t /*wert*/) {}
  virtual void beenden() {}
  // Polled by loops that may be cancelled (Escape in the windows).
  virtual bool abbrechen() { return false; }
};

// A Fortschritt that shows nothing.
Fortschritt& KeinFortschritt();

// Messages and yes/no questions of the data store; texts are UTF-8, CR breaks lines.
class Rueckfragen {
 public:
  virtual ~Rueckfragen() = default;
  // A warning with one OK button.
  virtual void meldung(const std::string& text) = 0;
  // A warning with Yes and No; only Yes (true) proceeds.
  virtual bool frage(const std::string& text) = 0;
};

}  // namespace orvano
