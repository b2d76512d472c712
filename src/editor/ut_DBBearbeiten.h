// TfrDBBearbeiten: two database files side by side, read and saved page by page.
#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "core/Dateien.h"
#include "core/Tabelle.h"
#include "editor/EditorSuche.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QScrollBar;
class QSplitter;
class QStatusBar;

namespace orvano {

class Datenbestand;
class TfrErsetzen;
class TfrNeueDaten;

namespace ui {
class StringGrid;
class ZellenVerlauf;
class StatusLeiste;
}  // namespace ui

class TfrDBBearbeiten : public QDialog {
  Q_OBJECT

 public:
  // DB: the main window's data, which the replace works on (read only).
  explicit TfrDBBearbeiten(const Datenbestand& db, QWidget* eltern = nullptr);
  ~TfrDBBearbeiten() override;

  // Before each showing: side 1 starts with ORDNER, the main window's folder.
  void vorbereiten(const QString& ordner);

  // 9 when a save closed the window: the caller shows it again, at the saved page.
  int Tag = 0;
  // Told of every database file written, at once: the owner of the data reloads what it holds.
  std::function<void(const std::string& datei)> dateiGeschrieben;

  // Record numbers shared by both sides.
  std::int64_t AktuellerSatz = 1;
  std::int64_t SuchPosition = 0;
  std::int64_t VergleichsPosition = 1;
  std::int64_t GespeicherteSeite = 0;

  // Sides are 1 (left) and 2 (right).
  std::string datei(int seite) const;  // empty without folder or country
  EditorArt art(int seite) const;
  char land(int seite) const;
  std::int64_t anzahl(int seite) const;
  std::int64_t seitenAnfang(int seite) const;
  int datenZeilen(int seite) const;
  const Tabelle& seite(int seite) const;

  // Shows record K on the side (the page moves when it is not on it) and makes it the
  // current and the search position.
  void zumSatz(int seite, std::int64_t k);
  // A new folder, country or kind of the side.
  void seiteWechseln(int seite);
  // The side's page start moves to ANFANG: a page with edits is saved first.
  void blaettern(int seite, std::int64_t anfang);
  void sbSpeichernClick(int seite);
  // The search of the side from SuchPosition.
  void suchen(int seite, bool rueckwaerts);
  // After a click on a cell of side VON: the other side shows the first record holding it.
  void nachschlagen(int von, int spalte, int zeile);
  void sbExitClick();
  // The comparison from VergleichsPosition, the new-data search, the replace of side 1's column.
  void vergleichen(bool rueckwaerts);
  void sbNeueSuchenClick();
  void sbErsetzenClick();

  QComboBox *cbOrdner1, *cbOrdner2;
  QComboBox *cbLand1, *cbLand2;
  QRadioButton *rdPLZ1, *rdPLZ2, *rdStrassen1, *rdStrassen2;
  QLabel *lbZ1, *lbZ2;
  QLineEdit *edSuchen1, *edSuchen2;
  QPushButton *sbSuchen1, *sbSuchen2;
  QCheckBox *cbGenau1, *cbGenau2;
  ui::StringGrid *sg1, *sg2;
  QScrollBar *sgh1, *sgh2;
  QCheckBox* cbEdit;
  QPushButton* sbGleich;
  QPushButton* sbNeueSuchen;
  QPushButton *sbSpeichern1, *sbSpeichern2;
  QPushButton* sbErsetzen;
  QPushButton* sbExit;
  QProgressBar* ProgressBar1;
  QStatusBar* StatusBar1;
  TfrNeueDaten* frNeueDaten;
  TfrErsetzen* frErsetzen;

 public slots:
  void done(int ergebnis) override;

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  bool eventFilter(QObject* ziel, QEvent* e) override;

 private:
  struct Seite {
    QWidget* panel = nullptr;
    QComboBox* cbOrdner = nullptr;
    QComboBox* cbLand = nullptr;
    QRadioButton* rdPLZ = nullptr;
    QRadioButton* rdStrassen = nullptr;
    QLabel* lbZ = nullptr;
    QLineEdit* edSuchen = nullptr;
    QPushButton* sbSuchen = nullptr;
    QCheckBox* cbGenau = nullptr;
    ui::StringGrid* sg = nullptr;
    ui::ZellenVerlauf* verlauf = nullptr;
    QScrollBar* sgh = nullptr;
    QPushButton* sbSpeichern = nullptr;
    Tabelle tabelle{kEditorPLZSpalten, 2};
    std::int64_t anfang = 0;
    std::int64_t n = 0;
    // What the page was filled from: a save goes there, even when the controls moved on.
    QString ordner;
    QString landText;
    EditorArt art = EditorArt::PLZ;
    // The file as it was when the page was read: another program's write is noticed.
    DateiKennung kennung;
  };
  // The database file of a folder, country and kind; empty without folder or country.
  static std::string DateiVon(const QString& ordner, const QString& land, EditorArt art);
  static char LandVon(const QString& land);
  // The file the side's page was filled from.
  std::string gezeigteDatei(int seite) const { return DateiVon(s(seite).ordner, s(seite).landText, s(seite).art); }
  Seite& s(int seite) { return seiten_[static_cast<std::size_t>(seite - 1)]; }
  const Seite& s(int seite) const { return seiten_[static_cast<std::size_t>(seite - 1)]; }

  QWidget* seiteAnlegen(int seite);
  void verbinden(int seite);
  void oeffnen();
  void spaltenEinstellen(int seite);
  void seiteBemessen(int seite);
  void seiteFuellen(int seite);
  void lnrBreite(int seite);
  void zeileWaehlen(int seite, int zeile);
  void groesseAnpassen();
  // Saves the side's page after asking. WIEDEROEFFNEN closes the window for the re-opening
  // at the saved page; otherwise the page is filled again. ANFANG: where the page goes next.
  bool seiteSpeichern(int seite, bool wiederOeffnen, std::int64_t anfang);
  // Asks for the edits of every side with an enabled save button (without re-opening).
  void offeneAenderungenFragen();
  void speichernAus();
  bool taste(int seite, int taste);
  void geklickt(int seite, int spalte, int zeile);
  QString dateiText(int seite) const;
  void geschrieben(const std::string& datei);
  // The checks of the comparison and the new-data search; false after their message.
  bool vergleichPruefen();

  const Datenbestand& db_;
  std::array<Seite, 2> seiten_;
  QSplitter* splitter_;
  std::unique_ptr<ui::StatusLeiste> status_;
  bool geoeffnet_ = false;
  bool groesseGeplant_ = false;
  // Set while a change is under way, so that the handlers it triggers do not act again.
  bool ruhe_ = false;
};

}  // namespace orvano
