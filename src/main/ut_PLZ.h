// TfrPLZ: the main window with the postal-code table, the record view and the menu.
#pragma once

#include <QMainWindow>
#include <QPoint>
#include <QSize>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Datenbestand.h"
#include "main/Bearbeiten.h"
#include "core/Einstellungen.h"
#include "maps/Route.h"
#include "core/Tabelle.h"
#include "core/TabellenSicht.h"

class QAction;
class QMenu;
class QUndoStack;
class QCloseEvent;
class QKeyEvent;
class QPushButton;
class QCheckBox;
class QComboBox;
class QDialog;
class QLabel;
class QLineEdit;
class QProgressBar;
class QStatusBar;
class QToolButton;
class QWidget;

namespace orvano::ui {
class Layout;
class FensterWaechter;
class StringGrid;
class StatusLeiste;
}  // namespace orvano::ui

namespace orvano {

class TfrExport_Auswahl;
class TfrOrdner;
class TfrSichCopy0;
class TfrSichCopy;
class TfrImport;
class TfrImportFormat;
class TfrPZ;
class TfrPrufen;
class TfrSuchen;
class TfrDBBearbeiten;
class TfrInternet;
class TfrStrassen;
class TfrSuchMaske;
class TfrKarte;
class TfrUmkreis;
class TfrAdressPruefung;

// The grid row whose streets the street window shows.
extern int StrassenFensterZeile;

// Size of the window in the record view.
inline constexpr QSize kMaskenGroesse{900, 620};

// Numbers, postal codes and coordinates sort by value in the main grid, the rest as text.
SortArt PLZSortArt(int spalte);

// Key codes 33..40 of the paging and cursor keys do not count as edits, nor do Ctrl and
// copying or selecting all with it.
bool TasteAendert(int qtTaste, Qt::KeyboardModifiers mod = Qt::NoModifier);

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

  // The filter line and the sort by a column title: what the grid shows.
  void filterAnwenden();
  void FilterLeeren();
  // Something is filtered out / the shown rows differ from the file's (filtered or sorted).
  bool sichtGefiltert() const;
  bool sichtVeraendert() const;
  // Position of the current row in the order shown (1..), 0 when none is current.
  int aktuellePosition() const;
  // Record indexes of the rows shown, in their order (rows added by hand have none).
  std::vector<std::int32_t> gezeigteSaetze() const;
  // Makes the cell current; a row the filter hides is shown by dropping the filter.
  bool zeileZeigenUndWaehlen(int spalte, int zeile);

  // Undo and redo of the edits since the last load: cells, added and deleted rows, the record
  // view's fields. Each step shows the record it changes.
  void Rueckgaengig();
  void Wiederholen();
  // A reload (or anything that rewrote the file) ends the history; a save marks its state.
  void VerlaufLeeren();
  void VerlaufGespeichert();
  QUndoStack* verlauf() const { return verlauf_; }
  // The grid's table row R holds record R (or a new row): rows keep their records on a reload.
  bool gridInDateiOrdnung() const;
  // The edit operations the steps run (table rows, record-view fields).
  void ZelleSetzen(int spalte, int zeile, const std::string& text);
  void ZeileEinsetzen(int zeile, const std::vector<std::string>& zellen);
  void ZeileWegnehmen(int zeile);
  void FeldSetzen(int zeile, int feld, const QString& text);
  // Delete on the grid: the current row goes after the question (the file changes on saving).
  void ZeileLoeschen();

  // Quick search and sorting.
  // One step of the quick search; RUECKWAERTS finds the previous hit (Shift+F3).
  void Schnellsuche(bool rueckwaerts = false);
  void TabelleSortieren(bool linkeMaus);
  QString suchHinweis() const;
  QString sortHinweis() const;

  // The streets of record K in cbStrasse, with the counters; ZeilenGesamt on the way.
  void StrassenZeigen(int k);
  void StrassenAnzeigeSichtbar();
  // The checks before the street window opens (StrassenFensterZeile, tag, the postal-code
  // file); true when the window may open.
  bool sbStrasseVorbereiten(Qt::MouseButton knopf);
  // The street window for the current row; the right button recounts its streets.
  void strassenZeigen(Qt::MouseButton knopf);
  // Makes the row of record K current and shows it; false when no row holds it.
  bool SatzAuswaehlen(std::int32_t k);

  // The save question and the save. False when the step that asked must not go on (the
  // record view holds a number that cannot be read, or the file could not be written).
  bool AenderungSpeichern();
  // Runs the save question first when there are unsaved edits.
  bool SpeichernFallsGeaendert();
  // The postal-code file changed behind the window: asks to load it again (dropping the edits);
  // true when it was loaded.
  bool FremdeAenderungNeuLaden();
  // Loads the postal-code table again, and with STRASSEN the street table, and shows the
  // current row anew.
  void DateienNeuLaden(bool strassen);
  // When another program wrote our files: loads them again (asking first when there are
  // unsaved edits). True when it acted.
  bool FremdeAenderungPruefen();
  // What a finished action did, in the status bar until the next run writes there.
  void StatusMelden(const QString& text);
  QString StatusText() const;
  void sbSpeichernKlick(Qt::MouseButton knopf);

  // Export dialogue and run; the folder list; a folder picked in cbOrdner.
  // DATEI: a recently used file offered as the name in the save dialogue.
  void ExportStarten(const QString& datei = {});
  // "Datenbank → OpenStreetMap-Import…": an extract becomes the street file of the folder.
  void OsmImportStarten(const QString& datei = {});
  void OrdnerListeAufbauen();
  void cbOrdnerChange();

  // The optimisation dialog and its run with the caller's bars; the tables are shown anew.
  void OptimierungStarten(QProgressBar* balken, ui::StatusLeiste* status);
  // After a run that loaded the data store again itself: the grid and record view anew, near row ZEILE.
  void GeladenesZeigen(int zeile);
  // After another window wrote DATEI: when the tables hold it, they are loaded again.
  void DateiGeschrieben(const std::string& datei);
  // Work of every activation; the first one also loads the streets.
  void Aktivieren();
  // Exit with the question "Programm beenden?"; true when the program ends.
  bool Beenden();
  // The layout of the last run (Orvano.ini): windows, view, columns per country, the last
  // record, the import's and the address check's choices, recent files. Written whenever the
  // program ends, also through the frame; einstPLZ.frb is not touched by it.
  void layoutLaden();
  void layoutSpeichern();
  ui::Layout& layout() { return *layout_; }
  // A file the user just used: first in "Zuletzt verwendet".
  void zuletztVerwendet(const QString& art, const QString& pfad);
  // Writes the settings file with the current choices.
  void EinstellungenSchreiben();
  void LandGewechselt();

  // The country text of cbLand as Windows-1252.
  std::string landText() const;
  const Einstellungen& einstellungen() const { return einst_; }

  // State of the window.
  bool TabellenAnsicht = false;
  bool ErsteAktivierungErledigt = false;
  int LetzteZeile = 1;
  bool KarteSichtbar = false;
  // Mode signal for the windows this one opens (9: street window recounts).
  int Tag = 0;

  // Quick search state.
  int SuchStart = 1;
  int SuchSpalte = 1;
  std::string SuchFeld = "Ort";  // UTF-8
  bool StrassenSuche = false;
  // Street-table index of each item of cbStrasse.
  std::vector<std::int32_t> ListBox1;

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
  QWidget* plFilter;
  QLineEdit* edFilter;
  QComboBox* cbFilterSpalte;
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
  QLabel* lbRegierungsbezirk;
  QLabel* lbLandkreis;
  // Austria and Switzerland have no Regierungsbezirk, and their Landkreis is a Bezirk.
  void MaskeBeschriften();
  QLabel* lbStrasse;
  QComboBox* cbStrasse;
  QLabel* lbStrNr;
  QLabel* lbStrasseZahl;
  QLabel* lbPLZZahl;

  QProgressBar* ProgressBar1;
  QStatusBar* StatusBar1;

  // Route planner.
  QWidget* plRoute0;
  QLabel* lbAusgangsort;
  QLabel* lbZielort;
  QLineEdit* edAusgangsort;
  QLineEdit* edAusgangsortPLZ;
  QLineEdit* edAusgangsortStrasse;
  QLineEdit* edZielort;
  QLineEdit* edZielortPLZ;
  QLineEdit* edZielortStrasse;
  QComboBox* cbRoutenplaner;
  QLabel* img;
  QPushButton* sbRoute;
  QPushButton* sbRouteSpeichern;
  QPushButton* sbRouteLaden;
  void RoutenLogoZeigen();
  void RouteZeigen();
  void RouteSpeichern();
  void RouteLaden();
  // The place, code and street shown go into the start (or the destination) fields.
  void OrtUebernehmen(bool ziel);

  // The windows this one opens, created once with it.
  TfrExport_Auswahl* frExport_Auswahl;
  TfrOrdner* frOrdner;
  TfrSichCopy0* frSichCopy0;
  TfrSichCopy* frSichCopy;
  TfrImportFormat* frImportFormat;
  TfrImport* frImport;
  TfrPZ* frPZ;
  TfrPrufen* frPrufen;
  TfrSuchen* frSuchen;
  TfrDBBearbeiten* frDBBearbeiten;
  TfrInternet* frInternet;
  TfrStrassen* frStrassen;
  TfrSuchMaske* frSuchMaske;
  TfrKarte* frKarte = nullptr;
  TfrUmkreis* frUmkreis = nullptr;
  TfrAdressPruefung* frAdressPruefung = nullptr;
  // "Suchen → Umkreissuche…" around the current record; "Datenbank → Adressliste prüfen…".
  void UmkreisZeigen();
  void AdresslistePruefen(const QString& datei = {});
  // Opens or closes the map ("Datei … nicht gefunden" without a postal-code file).
  void KarteUmschalten();
  // Red cross-hair at the coordinates of the current row, with its caption.
  void KarteMarkieren();
  // The place view of the shown place in the web map.
  void OrtAufKarteZeigen();
  // The folder the save dialog of the export starts in.
  QString exportOrdner;

  QAction* miExport;
  QAction* miImport;
  QAction* miOsmImport;
  QAction* miNeueOrdner;
  QAction* miPruefenPLZ;
  QAction* miPruefenStrassen;
  QAction* miOptimieren;
  QAction* miSuchen;
  QAction* miUmkreis;
  QAction* miAdressen;
  QAction* miBearbeiten;
  QAction* miSichern;
  QAction* miWiederherstellen;
  QAction* miExit;
  QMenu* mnZuletzt;
  QAction* miRueckgaengig;
  QAction* miSpeichern;
  QAction* miFilter;
  QAction* miWeiter;
  QAction* miZurueck;
  QAction* miWiederholen;
  QAction* miZeileLoeschen;
  QAction* miAbout;
  QAction* miVerknuepfung;

  // The twelve fields of the record view in Enter order.
  QList<QLineEdit*> felder() const;
  // The grid's data.
  Tabelle& gridDaten() { return daten_; }
  // The current folder, country and tables; this window owns them.
  Datenbestand& datenbestand() { return db_; }

 signals:
  // The program ends: Exit was confirmed or the frame closed the window.
  void beendet();

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  bool eventFilter(QObject* ziel, QEvent* e) override;

 private:
  void aufbauen();
  QWidget* routeAufbauen();
  void karteAnlegen();
  // False (after saying why) when a postal code of R is no number.
  bool routePLZPruefen(const Route& r);
  Route routeAusFeldern() const;
  void routeInFelder(const std::array<std::string, 6>& felder);
  bool routeEreignis(QObject* ziel, QEvent* e);
  QWidget* werkzeugleisteAufbauen();
  QWidget* filterAufbauen(QWidget* eltern);
  void filterSpaltenFuellen();
  void sichtGeaendert();
  void verlaufAufbauen();
  void tabReihenfolge();
  void zuletztMenueAufbauen();
  void zuletztOeffnen(const QString& art, const QString& pfad);
  void spaltenMerken();
  void spaltenHerstellen();
  void bearbeitenMenueAufbauen(QMenu* menue);
  void ansichtOhneFrage(bool tabelle);
  // A field's text differs from what was shown or last taken: one step.
  void feldUebernehmen(int feld);
  void feldUebernehmenAlle();
  void feldStandMerken();
  void neueZeileAnhaengen();
  // Ctrl+Z in a field with nothing left of its own to undo goes to the window.
  bool verlaufTaste(QLineEdit* feld, QEvent* e);
  QWidget* maskeAufbauen();
  void menueAufbauen();
  void verbinden();
  void navigieren(int zeile);
  bool feldTaste(int feld, QKeyEvent* e);
  void feldGeklickt(int feld);
  bool gridTasteRunter(int taste, Qt::KeyboardModifiers mod);
  void strasseGewaehlt(int position);
  void hausnummerZeigen(std::int32_t index);
  void plzZahlGeklickt(Qt::MouseButton knopf);
  void tabelleZeigen();
  void maskeZeigen();
  void ueberWindow();
  void fensterZeigen(QDialog* fenster);
  void importZeigen(const QString& datei = {});
  void wiederherstellenZeigen();
  // The duplicate check of the postal codes (Tag 1) or the streets (Tag 2).
  void pruefenZeigen(bool plz);
  void suchenZeigen();
  void bearbeitenZeigen();
  // A double click on the record table: the streets of the row's place from the web.
  void internetZeigen(int spalte, int zeile);
  // The search mask over this window, starting with the place shown.
  void suchMaskeZeigen();
  // A record the search mask visits: its row becomes current, it is shown, and the street of
  // the hit is selected (K 0: only the house numbers go).
  void MaskenTrefferZeigen(std::int32_t k, int strasse, const QString& hausnummer);
  void verknuepfungErstellen();
  // Runs a user action; a file error ends it with a message and the program carries on.
  void ausfuehren(const std::function<void()>& aktion);

  std::unique_ptr<ui::StatusLeiste> status_;
  // The next activation follows one of our own windows, whose writes its caller reloads.
  bool nachEigenemFenster_ = false;
  // The user kept editing a file another program changed: not asked again until it is loaded.
  bool fremdGefragt_ = false;
  Datenbestand db_;
  Tabelle daten_;
  Einstellungen einst_;
  QPoint fensterPosition_;
  bool sortiertGerade_ = false;
  bool positionGemerkt_ = false;
  bool beendenBestaetigt_ = false;
  QUndoStack* verlauf_ = nullptr;
  std::unique_ptr<ui::Layout> layout_;
  ui::FensterWaechter* waechter_ = nullptr;
  // The country whose columns the grid shows (their layout is kept per country).
  char spaltenLand_ = 0;
  // Set while a step changes cells or fields itself, which must not become a step of its own.
  bool verlaufRuht_ = false;
  // A reload that a save does keeps the history.
  bool verlaufBehalten_ = false;
  std::array<QString, kMaskenFelder> feldStand_;
};

}  // namespace orvano
