// TfrPrufen: the duplicate check of the postal-code or the street database, and deleting.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>

#include "core/Tabelle.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace orvano {

class Datenbestand;

namespace ui {
class StringGrid;
class StatusLeiste;
}  // namespace ui

class TfrPrufen : public QDialog {
  Q_OBJECT

 public:
  // Works on the tables of DB, which the window rewrites only through its file functions.
  explicit TfrPrufen(Datenbestand& db, QWidget* eltern = nullptr);
  ~TfrPrufen() override;

  // Which database the next showing checks: true postal codes, false streets.
  void setPLZ(bool plz) { plz_ = plz; }
  bool plz() const { return plz_; }

  void sbPrufenClick();
  void sbLoschenClick();
  // After deleting street duplicates: the owner runs the optimisation with these bars.
  std::function<void(QProgressBar*, ui::StatusLeiste*)> optimieren;
  // 1 when a file was rewritten.
  int Tag = 0;

  QLineEdit* edAbNr;
  QPushButton* sbPrufen;
  QPushButton* sbLoschen;
  QPushButton* sbExit;
  QLabel* lbZahl;
  ui::StringGrid* StringGrid1;
  QProgressBar* ProgressBar1;
  QStatusBar* StatusBar1;
  QStatusBar* StatusBar2;
  Tabelle& tabelle() { return tabelle_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void spaltenEinstellen();
  Datenbestand& db_;
  bool plz_ = true;
  Tabelle tabelle_;
  std::unique_ptr<ui::StatusLeiste> status1_;
  std::unique_ptr<ui::StatusLeiste> status2_;
};

}  // namespace orvano
