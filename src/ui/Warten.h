// Keeping the screen alive during long work: waiting, Escape, hourglass, progress and status.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <vector>

#include "core/Fortschritt.h"

class QLabel;
class QProgressBar;
class QStatusBar;

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
  QProgressBar* balken_;
  bool escAbbruch_;
  bool malen_;
  QElapsedTimer uhr_;
  double teiler_ = 1;
};

// The panels of a status bar, addressed by number like the panels of the windows.
class StatusLeiste {
 public:
  StatusLeiste(QStatusBar* leiste, int panele);
  void setText(int panel, const QString& text);
  QString text(int panel) const;
  QStatusBar* leiste() const { return leiste_; }

 private:
  QStatusBar* leiste_;
  std::vector<QLabel*> panele_;
};

}  // namespace orvano::ui
