// TfrStrassen: the streets of one postal-code record, edited in a grid and saved into the file.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/Tabelle.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace orvano {
namespace ui {
class ZellenVerlauf;
}

class Datenbestand;
struct StrassenZeile;

namespace ui {
class StringGrid;
class StatusLeiste;
}  // namespace ui

class TfrStrassen : public QDialog {
  Q_OBJECT

 public:
  explicit TfrStrassen(Datenbestand& db, QWidget* eltern = nullptr);
  ~TfrStrassen() override;

  // Before showing: the record (index in the postal-code table), update mode, the country
  // letter, the text of the owner's folder list and the index of the street the owner shows.
  void vorbereiten(std::int32_t satz, bool aktualisieren, char land, const QString& ordnerText, int strassenWahl = 0);
  // The record shown last; true when a file of the folder was rewritten.
  std::int32_t satz() const { return satz_; }
  bool geschrieben() const { return geschrieben_; }

  void StrassenFensterAktualisieren();
  // True unless the user declined the first question.
  bool sbSpeichern_DatClick();
  void sbEinfuegenClick();
  void sbStreetViewClick();
  void suchenWeiter();
  // Sorts the rows by the current column; the right button sorts descending.
  void sortieren(bool absteigend);
  // Enter in edPLZ: the record found while typing, after saving what was changed.
  void springen();

  // The owner runs the database optimisation with this window's bars; true when the street
  // sort was cancelled.
  std::function<bool(QProgressBar*, ui::StatusLeiste*)> optimieren;
  void sbSDB_OptimierungClick();

  bool StrassenGeaendert = false;
  // Undo and redo of the unsaved edits (Ctrl+Z, Ctrl+Y).
  ui::ZellenVerlauf* verlauf() const { return verlauf_; }
  bool ZeilenEingefuegt = false;

  ui::StringGrid* StringGrid1;
  QLabel* lbPLZ;
  QLineEdit* edPLZ;
  QLineEdit* edSuchen;
  QPushButton* sbSort;
  QPushButton* sbEinfuegen;
  QPushButton* sbSDB_Optimierung;
  QPushButton* sbSpeichern_Dat;
  QPushButton* sbExit;
  QPushButton* sbStreetView;
  QProgressBar* ProgressBar1;
  QStatusBar* StatusBar1;
  Tabelle& tabelle() { return tabelle_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void reject() override;
  bool eventFilter(QObject* ziel, QEvent* e) override;

 private:
  void listeZeigen(const std::vector<StrassenZeile>& zeilen);
  std::vector<StrassenZeile> zeilen() const;
  bool tasteRunter(int taste);
  void enter();
  void nummerieren();

  Datenbestand& db_;
  Tabelle tabelle_;
  std::unique_ptr<ui::StatusLeiste> status_;
  std::int32_t satz_ = 0;
  bool aktualisieren_ = false;
  char land_ = 'D';
  QString ordnerText_;
  bool geschrieben_ = false;
  int suchZeile_ = 1;
  int strassenWahl_ = 0;
  bool buchstaben_ = false;
  std::int32_t sprungSatz_ = 0;
  ui::ZellenVerlauf* verlauf_ = nullptr;
};

}  // namespace orvano
