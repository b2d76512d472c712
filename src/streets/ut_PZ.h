// TfrPZ: the choice of the optimisations, and the driver that runs them.
#pragma once

#include <QDialog>
#include <functional>

class QCheckBox;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace orvano {

class Datenbestand;
struct OptimierungsOptionen;

namespace ui {
class StatusLeiste;
}

class TfrPZ : public QDialog {
  Q_OBJECT

 public:
  explicit TfrPZ(QWidget* eltern = nullptr);

  // The folder named in the caption on the next showing.
  void setOrdner(const QString& ordner) { ordner_ = ordner; }
  // The three "Speichern j/n" boxes as options of a run.
  OptimierungsOptionen optionen() const;
  void sbWeiterClick();

  // 1: start, 0: cancelled.
  int Tag = 0;

  QPlainTextEdit* Memo1;
  QCheckBox* cbPLZOpt;
  QCheckBox* cbStrassenOpt;
  QCheckBox* cbStrassenSort;
  QCheckBox* cbPLZOpt_jn;
  QCheckBox* cbStrassenOpt_jn;
  QCheckBox* cbStrassenSort_jn;
  QPushButton* sbWeiter;
  QPushButton* sbExit;
  // The last run's street sort was cancelled with Escape.
  bool SortierungAbgebrochen = false;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  QString ordner_;
};

// Shows DIALOG and runs the chosen operations one after the other on DB, with the caller's
// BALKEN and STATUS (panel 2 only where it has one). False when nothing ran; otherwise the
// tables of DB were loaded again and the caller refills what it shows.
// GRAU(true/false) greys the caller's table while the operations run.
bool DatenbankOptimieren(TfrPZ& dialog, Datenbestand& db, QProgressBar* balken, ui::StatusLeiste* status,
                         const std::function<void(bool)>& grau = {});

}  // namespace orvano
