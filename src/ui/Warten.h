// Keeping the screen alive during long work: waiting, Escape, hourglass, progress and status.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "core/Fortschritt.h"

class QBoxLayout;
class QDialog;
class QLabel;
class QProgressBar;
class QStatusBar;
class QWidget;

namespace orvano::ui {

// Returns after at least MS milliseconds, processing window messages meanwhile.
void Warten(int ms);

// Whether Escape was pressed since the last call; reading clears the press.
bool EscapeGedrueckt();
// Forgets a press that happened before the work began.
void EscapeVerwerfen();
// Starts watching Escape for the whole application (once, after the QApplication exists).
void EscapeBeobachten();

// The hourglass cursor for as long as the object lives.
class Sanduhr {
 public:
  Sanduhr();
  ~Sanduhr();
  Sanduhr(const Sanduhr&) = delete;
  Sanduhr& operator=(const Sanduhr&) = delete;
};

// While it lives, no click, key, wheel, shortcut or close reaches the windows that were open
// when it began; they still repaint. Escape is noted for EscapeGedrueckt(). Windows opened
// meanwhile (the questions of the run) take input as usual.
class EingabeSperre : public QObject {
 public:
  EingabeSperre();
  ~EingabeSperre() override;
  EingabeSperre(const EingabeSperre&) = delete;
  EingabeSperre& operator=(const EingabeSperre&) = delete;

 protected:
  bool eventFilter(QObject* ziel, QEvent* e) override;

 private:
  QSet<QWidget*> fenster_;
};

// Escape closes DIALOG (a window that holds work and runs long work) only when no run is going
// on or just ended: a press that stops a run never closes the window as well.
void EscapeSchliesstNicht(QDialog* dialog);

// Shows a data-store routine's progress on a window's bar: shown at the start, hidden at the
// end. With ESCABBRUCH, Escape cancels (abbrechen() becomes true). With MALEN the window is
// repainted now and then while the work goes on (user input waits until it is done).
class BalkenFortschritt : public Fortschritt {
 public:
  explicit BalkenFortschritt(QProgressBar* balken, bool escAbbruch = false, bool malen = false);
  void beginnen(std::int64_t maximum) override;
  void position(std::int64_t wert) override;
  void beenden() override;
  bool abbrechen() override;

 private:
  EingabeSperre sperre_;
  QProgressBar* balken_;
  bool escAbbruch_;
  bool malen_;
  QElapsedTimer uhr_;
  double teiler_ = 1;
  bool gefragt_ = false;
};

// The panels of a status bar, addressed by number like the panels of the windows.
class StatusLeiste {
 public:
  StatusLeiste(QStatusBar* leiste, int panele);
  void setText(int panel, const QString& text);
  QString text(int panel) const;
  void setBreite(int panel, int breite);
  // What a finished action did: TEXT in panel 0 of the shown bar, the other panels empty; an
  // empty TEXT hides the bar again.
  void melden(const QString& text);
  QStatusBar* leiste() const { return leiste_; }

 private:
  QStatusBar* leiste_;
  std::vector<QLabel*> panele_;
};

// One long run of a window: its progress bar, status texts and hourglass, no other input
// while it goes on, Escape as the window's rule says, and file errors shown as Meldung.
class Lauf : public BalkenFortschritt {
 public:
  enum class Escape { Aus, Sofort, Nachfragen };
  // STATUS may be null; its bar is shown for the run and hidden again afterwards.
  Lauf(QProgressBar* balken, StatusLeiste* status, Escape escape);
  ~Lauf() override;
  void status(int panel, const QString& text);
  void status(int panel, const std::string& text) override;
  // Sofort: Escape ends the run. Nachfragen: "Wirklich abbrechen?" (Yes/No/Cancel, Cancel
  // asks again), or the Yes/No question set here; only Yes ends it.
  bool abbrechen() override;
  void setAbbruchFrage(const QString& frage) { abbruchFrage_ = frage; }
  // Runs AKTION; an error ends it with its message as Meldung (false).
  bool ausfuehren(const std::function<void()>& aktion);

 private:
  StatusLeiste* status_;
  Escape escape_;
  Sanduhr sanduhr_;
  bool statusWarSichtbar_ = false;
  QString abbruchFrage_;
};

// A window's progress bar and status bar, hidden until a run shows them, added to LAYOUT.
struct Leisten {
  QProgressBar* balken;
  QStatusBar* leiste;
  std::unique_ptr<StatusLeiste> status;
};
Leisten LeistenAnlegen(QWidget* fenster, QBoxLayout* layout, int panele);

}  // namespace orvano::ui
