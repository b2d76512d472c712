// TfrPLZ: the main window with the postal-code table, the record view and the menu.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <functional>

#include "core/Einstellungen.h"
#include "core/Tabelle.h"

class QAction;
class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QStatusBar;
class QToolButton;
class QWidget;

namespace orvano::ui {
class StringGrid;
class StatusLeiste;
}  // namespace orvano::ui

namespace orvano {

class TfrPLZ : public QMainWindow {
  Q_OBJECT

 public:
  // Runs the creation steps of the program start: settings, last data folder, grid,
  // postal codes, view, the route folder. ProgVerzeichnis must be set.
  explicit TfrPLZ(QWidget* eltern = nullptr);
  ~TfrPLZ() override;

  // Routines other windows call after they changed data.
  void TabelleKopf();
  void SpaltenEinstellen();
  void TabelleFuellen();
  void DatensatzZeigen(int k);
  void AnzahlAnzeigen();
  void AnsichtUmschalten(bool fenster);
  void AnzeigeLeeren();
  // Loads the postal-code file of cbLand and adjusts the optional columns.
  void PLZLaden();
  // Loads the street file of cbLand, the grid showing that it is busy.
  void StrassenLaden();

  // Work of every activation; the first one also loads the streets.
  void Aktivieren();
  // Exit with the question "Programm beenden?"; true when the program ends.
  bool Beenden();
  void LandGewechselt();

  // The country text of cbLand as Windows-1252.
  std::string landText() const;
  const Einstellungen& einstellungen() const { return einst_; }

  // State of the window.
  bool TabellenAnsicht = false;
  bool ErsteAktivierungErledigt = false;
  int LetzteZeile = 1;
  bool KarteSichtbar = false;

  // Controls, named as in the rest of the program.
  QWidget* plMenu;
  QToolButton* sbSort;
  QToolButton* sbExit;
  QToolButton* sbKarte;
  QToolButton* sbSpeichern_Dat;
  QToolButton* sbTabelle;
  QToolButton* sbMaske;
  QToolButton* sbStrasse;
  QToolButton* sbPLZSuchen;
  QToolButton* sbGoogle;
  QComboBox* cbLand;
  QWidget* plNavig;
  QToolButton* tbErste;
  QToolButton* tbMinus;
  QToolButton* tbPlus;
  QToolButton* tbLetzte;
  QLineEdit* edSuchen;
  QCheckBox* cbGenau;
  QComboBox* cbOrdner;

  QWidget* plTabelle;
  ui::StringGrid* StringGrid1;
  QWidget* plMaske;  // holds lbPLZDatenbank and plZ1, centred
  QLabel* lbPLZDatenbank;
  QWidget* plZ1;
  QLineEdit* edOrt;
  QLineEdit* edPLZ;
  QLineEdit* edAutokennzeichen;
  QLineEdit* edBundesland;
  QLineEdit* edRegierungsbezirk;
  QLineEdit* edOrtsteil;
  QLineEdit* edGemeindeteil;
  QLineEdit* edLandkreis;
  QLineEdit* edVerwaltungszusammenschluss;
  QLineEdit* edBreitengrad;
  QLineEdit* edLaengengrad;
  QLineEdit* edVorwahl;
  QLabel* lbNr;
  QLabel* lbStrasse;
  QComboBox* cbStrasse;
  QLabel* lbStrNr;
  QLabel* lbStrasseZahl;
  QLabel* lbPLZZahl;

  QProgressBar* ProgressBar1;
  QStatusBar* StatusBar1;

  QAction* miExport;
  QAction* miImport;
  QAction* miNeueOrdner;
  QAction* miPruefenPLZ;
  QAction* miPruefenStrassen;
  QAction* miOptimieren;
  QAction* miSuchen;
  QAction* miBearbeiten;
  QAction* miSichern;
  QAction* miWiederherstellen;
  QAction* miExit;
  QAction* miAbout;
  QAction* miVerknuepfung;

  // The twelve fields of the record view in Enter order.
  QList<QLineEdit*> felder() const;
  // The grid's data.
  Tabelle& gridDaten() { return daten_; }

 protected:
  bool event(QEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void aufbauen();
  QWidget* werkzeugleisteAufbauen();
  QWidget* maskeAufbauen();
  void menueAufbauen();
  void verbinden();
  void navigieren(int zeile);
  void tabelleZeigen();
  void maskeZeigen();
  void ueberWindow();
  void verknuepfungErstellen();
  // Runs a user action; a file error ends it with a message and the program carries on.
  void ausfuehren(const std::function<void()>& aktion);

  Tabelle daten_;
  Einstellungen einst_;
  QPoint fensterPosition_;
  bool positionGemerkt_ = false;
};

}  // namespace orvano
