// TfrUmkreis: the radius search around the main window's current record.
#pragma once

#include <QDialog>
#include <cstdint>
#include <functional>

#include "core/Tabelle.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace orvano {

class Datenbestand;

namespace ui {
class StringGrid;
}

class TfrUmkreis : public QDialog {
  Q_OBJECT

 public:
  explicit TfrUmkreis(const Datenbestand& db, QWidget* eltern = nullptr);
  ~TfrUmkreis() override;

  // The centre: record K of the postal-code table (1-based); the list is searched again.
  void mitteSetzen(std::int32_t k);
  void sbSuchenClick();
  void sbDruckenClick();

  // The owner shows record K (a double click on a result).
  std::function<void(std::int32_t k)> satzZeigen;
  // The owner's map draws the circle (centre, radius in km).
  std::function<void(double breite, double laenge, double km)> kreisZeichnen;

  QLabel* lbMitte;
  QLineEdit* edKm;
  QPushButton* sbSuchen;
  QPushButton* sbDrucken;
  QPushButton* sbExit;
  ui::StringGrid* StringGrid1;
  const Tabelle& tabelle() const { return tabelle_; }

 private:
  const Datenbestand& db_;
  std::int32_t mitte_ = 0;
  Tabelle tabelle_;
};

}  // namespace orvano
