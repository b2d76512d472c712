// TfrAdressPruefung: an address list checked against the postal codes and streets, shown by status.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>
#include <memory>

#include "core/Tabelle.h"
#include "search/AdressPruefung.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace orvano {

namespace ui {
class StringGrid;
class StatusLeiste;
}  // namespace ui

class TfrAdressPruefung : public QDialog {
  Q_OBJECT

 public:
  explicit TfrAdressPruefung(const Datenbestand& db, QWidget* eltern = nullptr);
  ~TfrAdressPruefung() override;

  // Reads and checks DATEI through the long-work runner; false when it failed or was cancelled.
  bool pruefen(const QString& datei);
  // Only the rows of one status ("" for all).
  void filtern(const QString& status);
  void sbSpeichernClick();

  // The owner shows postal-code record K (a double click on a row).
  std::function<void(std::int32_t k)> satzZeigen;
  // The filter the results open with: the one the user chose last (0: all).
  int filterVorwahl = 0;

  QLabel* lbSpalten;
  QComboBox* cbFilter;
  QPushButton* sbSpeichern;
  QPushButton* sbExit;
  ui::StringGrid* StringGrid1;
  QProgressBar* ProgressBar1;
  QStatusBar* StatusBar1;
  const Tabelle& tabelle() const { return tabelle_; }
  const AdressPruefErgebnis& ergebnis() const { return ergebnis_; }

 private:
  std::int32_t satzFuer(int zeile) const;
  const Datenbestand& db_;
  AdressPruefErgebnis ergebnis_;
  std::vector<int> zeilen_;  // grid row -> data line (1-based) of the list
  Tabelle tabelle_;
  QString datei_;
  std::unique_ptr<ui::StatusLeiste> status_;
};

}  // namespace orvano
