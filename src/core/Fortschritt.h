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
  // A status text (UTF-8) for panel PANEL of the caller's status bar.
  virtual void status(int /*panel*/, const std::string& /*text*/) {}
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
  // An information with one OK button; where nobody reads it, a message will do.
  virtual void hinweis(const std::string& text) { meldung(text); }
};

}  // namespace orvano
