// TfrSuchen: searching a whole database by field, double postal codes, marking, printing and
// writing the marked rows back.
#pragma once

#include <QDialog>
#include <memory>

#include "core/Tabelle.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace orvano {

class Datenbestand;

namespace ui {
class StringGrid;
class StatusLeiste;
}  // namespace ui

class TfrSuchen : public QDialog {
  Q_OBJECT

 public:
  explicit TfrSuchen(Datenbestand& db, QWidget* eltern = nullptr);
  ~TfrSuchen() override;

  void rdPLZClick();
  void sbSuchenClick();
  void sbPrintClick();
  void sbSpeichernClick();
  QString suchenHinweis() const;
  bool plz() const;

  // 1 after anything was written to a database file.
  int Tag = 0;

  QRadioButton* rdPLZ;
  QRadioButton* rdStrassen;
  QLineEdit* edAbNr;
  QComboBox* cbSuchen;
  // The title of the printed results.
  QString druckTitel() const;
  QLineEdit* edSuchen;
  QComboBox* cbSuchen2;
  QLineEdit* edSuchen2;
  QCheckBox* cbGenau;
  QPushButton* sbSuchen;
  QPushButton* sbPrint;
  QPushButton* sbSpeichern;
  QPushButton* sbExit;
  QLabel* lbZahl;
  ui::StringGrid* sg1;
  QProgressBar* ProgressBar1;
  QStatusBar* StatusBar1;
  Tabelle& tabelle() { return tabelle_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* ziel, QEvent* e) override;

 private:
  void spaltenEinstellen();
  void dateiAnzeigen();
  void felderFuellen();
  bool tasteRunter(int taste, Qt::KeyboardModifiers mod);
  Datenbestand& db_;
  Tabelle tabelle_;
  std::unique_ptr<ui::StatusLeiste> status_;
  // The rows come from "2xPLZ": saving then deletes the marked records.
  bool doppelSuche_ = false;
};

}  // namespace orvano
