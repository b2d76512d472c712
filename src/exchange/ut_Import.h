// TfrImport: reading a CSV/TXT file through an import format and appending it to a database.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "core/Tabelle.h"

class QComboBox;
class QLabel;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;

namespace orvano {

namespace ui {
class StringGrid;
class StatusLeiste;
}  // namespace ui

class TfrImportFormat;
class Datenbestand;

class TfrImport : public QDialog {
  Q_OBJECT

 public:
  // The folder of DB is offered first and its country is the one imported into; the window
  // never changes DB: it names the folder it writes to itself.
  TfrImport(TfrImportFormat* format, const Datenbestand& db, QWidget* eltern = nullptr);
  ~TfrImport() override;

  // Written when the window closes.
  std::function<void()> einstellungenSpeichern;
  // "Optimieren": the owner of the data runs the optimisation with this window's bars.
  std::function<void(QProgressBar*, ui::StatusLeiste*)> optimieren;
  // 1 after a save; the file the records were appended to.
  int Tag = 0;
  std::string geschriebeneDatei;
  // A street list of the web window, opened at once when the window shows.
  QString webDatei;
  // A recently used file, opened (with the kind and format chosen) when the window shows.
  QString startDatei;
  // The last run's file, kind and format, as remembered in the layout.
  void standSetzen(const QString& datei, bool strassen, const QString& format);
  // The CSV/TXT file last opened; the file dialog's current name.
  QString ImportDatei;
  QString OpenDialog1Datei;

  bool plz() const;
  void spaltenEinstellen();
  void obenAnzeigen();
  // Opens DATEI (asks with the file dialog when empty) and reads it.
  void dateiOeffnen(QString datei = {});
  // A street list of the web service, read through its own format (written when missing).
  void strassenlisteOeffnen(const QString& datei);
  void sbSpeichernClick();
  void sbPlusMaus(Qt::MouseButton knopf);
  void artGewechselt();
  QString speichernHinweis() const;
  // Target database file of the kind in the chosen folder, and its short form "Ord_1/Dat_D.ppp".
  std::string zielDatei() const;
  QString zielName() const;

  QPushButton* sbFormat;
  QComboBox* cbFormat;
  QPushButton* sbCSVLaden;
  QPushButton* sbRefresh;
  QPushButton* sbSpeichern;
  QComboBox* cbOrdner;
  QPushButton* sbPlus;
  QRadioButton* rdPLZ;
  QRadioButton* rdStrassen;
  QPushButton* sbSDB_Optimierung;
  QPushButton* sbExit;
  QLabel* plOben;
  QLabel* lbZahl;
  ui::StringGrid* sg1;
  QStatusBar* StatusBar1;
  QProgressBar* ProgressBar1;
  Tabelle& tabelle() { return tabelle_; }

 protected:
  void showEvent(QShowEvent* e) override;
  void done(int ergebnis) override;
  bool eventFilter(QObject* ziel, QEvent* e) override;

 private:
  QString letztesFormat_;
  std::string landText() const;
  TfrImportFormat* format_;
  const Datenbestand& db_;
  Tabelle tabelle_;
  std::unique_ptr<ui::StatusLeiste> status_;
};

}  // namespace orvano
