// TfrPLZ: the table, the record view, the counters and the switch between the two views.
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QToolButton>

#include "PLZSpalten.h"
#include "core/Datenbestand.h"
#include "core/Texte.h"
#include "ui/Dialoge.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ui/Warten.h"
#include "ut_PLZ.h"

#include <QScreen>

namespace orvano {

std::string TfrPLZ::landText() const { return ui::ZuCp1252(cbLand->currentText()); }

void TfrPLZ::TabelleKopf() {
  SpaltenEinstellen();
}

void TfrPLZ::SpaltenEinstellen() {
  PLZTabelleKopf(daten_, db_.PLZTabelle.data(), db_.PLZAnzahl);
  MaskeBeschriften();
  StringGrid1->spaltenAnwenden();
  spaltenHerstellen();
  filterSpaltenFuellen();
}

void TfrPLZ::PLZLaden() {
  // What is loaded anew has no steps to undo; a save that reloads keeps them.
  if (!verlaufBehalten_) VerlaufLeeren();
  AnzeigeLeeren();
  ui::FensterRueckfragen rueckfragen;
  try {
    db_.Land = landText();
    db_.PLZLaden(rueckfragen);
  } catch (...) {
    SpaltenEinstellen();
    throw;
  }
  SpaltenEinstellen();
}

namespace {

// The purge question comes when the reading is over: the grid is no longer shown busy then.
class FragenNachDemLesen : public Rueckfragen {
 public:
  explicit FragenNachDemLesen(ui::StringGrid* grid) : grid_(grid) {}
  void meldung(const std::string& text) override {
    grid_->setBeschaeftigt(false);
    fenster_.meldung(text);
  }
  bool frage(const std::string& text) override {
    grid_->setBeschaeftigt(false);
    return fenster_.frage(text);
  }

 private:
  ui::StringGrid* grid_;
  ui::FensterRueckfragen fenster_;
};

}  // namespace

void TfrPLZ::StrassenLaden() {
  ui::BalkenFortschritt balken(ProgressBar1);
  FragenNachDemLesen rueckfragen(StringGrid1);
  StringGrid1->setBeschaeftigt(true);
  try {
    db_.Land = landText();
    db_.StrassenLaden(balken, rueckfragen);
  } catch (...) {
    StringGrid1->setBeschaeftigt(false);
    ProgressBar1->hide();
    throw;
  }
  StringGrid1->setBeschaeftigt(false);
}

void TfrPLZ::TabelleFuellen() {
  ProgressBar1->setRange(0, std::max(1, db_.PLZAnzahl));
  ProgressBar1->setValue(0);
  ProgressBar1->show();
  // The bar is set for every record; it repaints only when that shows.
  PLZTabelleFuellen(daten_, db_.PLZTabelle.data(), db_.PLZAnzahl, [this](std::int32_t k) {
    if (k % 256 == 0 || k == db_.PLZAnzahl) ProgressBar1->setValue(k);
  });
  ProgressBar1->hide();
  StringGrid1->aktualisieren();
  if (StringGrid1->aktuelleZeile() == 0) StringGrid1->setAktuelleZelle(1, 1);
  AnzahlAnzeigen();
}

void TfrPLZ::AnzahlAnzeigen() {
  // While a filter hides rows the caption says how many of all are shown.
  if (sichtGefiltert()) {
    setWindowTitle(QString::fromStdString(AnzahlText(landText(), StringGrid1->gezeigteZeilen())) + QStringLiteral(" / ") +
                   QString::number(daten_.zeilen() - 1));
    return;
  }
  setWindowTitle(QString::fromStdString(AnzahlText(landText(), daten_.zeilen() - 1)));
}

void TfrPLZ::MaskeBeschriften() {
  const std::string land = landText();
  const bool deutsch = land.empty() || LandBuchstabe(land.front()) == 'D';
  lbRegierungsbezirk->setVisible(deutsch);
  edRegierungsbezirk->setVisible(deutsch);
  lbLandkreis->setText(deutsch ? QStringLiteral("Landkreis:") : QStringLiteral("Bezirk:"));
}

void TfrPLZ::AnzeigeLeeren() {
  lbNr->clear();
  for (QLineEdit* e : felder()) e->clear();
  lbPLZZahl->clear();
  lbStrasseZahl->clear();
}

void TfrPLZ::DatensatzZeigen(int k) {
  if (db_.PLZAnzahl <= 0) return;
  // A row without index (added by hand) shows the unused element 0.
  if (k < 0 || k > db_.PLZAnzahl) k = 0;
  const TPLZRecord& r = db_.PLZTabelle[static_cast<std::size_t>(k)];
  edOrt->setText(ui::AusCp1252(r.Ort.text()));
  edPLZ->setText(ui::AusCp1252(PLZText(r)));
  edAutokennzeichen->setText(ui::AusCp1252(r.Autokennzeichen.text()));
  edBundesland->setText(ui::AusCp1252(r.Bundesland.text()));
  edRegierungsbezirk->setText(ui::AusCp1252(r.Regierungsbezirk.text()));
  edOrtsteil->setText(ui::AusCp1252(r.Ortsteil.text()));
  edGemeindeteil->setText(ui::AusCp1252(r.Gemeindeteil.text()));
  edLandkreis->setText(ui::AusCp1252(r.Landkreis.text()));
  edVerwaltungszusammenschluss->setText(ui::AusCp1252(r.Verwaltungszusammenschluss.text()));
  edBreitengrad->setText(ui::AusCp1252(KoordinateZuText(r.Breitengrad)));
  edLaengengrad->setText(ui::AusCp1252(KoordinateZuText(r.Laengengrad)));
  edVorwahl->setText(ui::AusCp1252(VorwahlText(r.Vorwahl)));
  const int zeile = StringGrid1->aktuelleZeile();
  // A filtered or sorted view counts in the order shown.
  if (sichtVeraendert()) {
    lbNr->setText(QStringLiteral("Datensatz-Nr: ") + QString::number(aktuellePosition()) + QStringLiteral(" von ") +
                  QString::number(StringGrid1->gezeigteZeilen()));
  } else {
    lbNr->setText(QStringLiteral("Datensatz-Nr: ") + ui::AusCp1252(daten_.zelle(0, zeile)) + QStringLiteral(" von ") +
                  QString::number(daten_.zeilen() - 1));
  }
  LetzteZeile = zeile;
  feldStandMerken();
  StrassenZeigen(k);
}

void TfrPLZ::AnsichtUmschalten(bool fenster) {
  if (TabellenAnsicht) {
    plMaske->hide();
    plTabelle->show();
    plNavig->hide();
    sbSort->setEnabled(true);
    if (fenster) showMaximized();
    sbTabelle->hide();
    sbMaske->show();
  } else {
    const int k = TextZuZahl(daten_.zelle(kSpalteIndex, StringGrid1->aktuelleZeile()));
    if (k > 0) DatensatzZeigen(k);
    plMaske->show();
    plTabelle->hide();
    plNavig->show();
    sbSort->setEnabled(false);
    // Light green marks the field the quick search looks in.
    SuchFeld = "Ort";
    SuchSpalte = kSpalteOrt;
    for (QLineEdit* e : felder()) e->setStyleSheet(QString());
    edOrt->setStyleSheet(QStringLiteral("QLineEdit { background-color: #CCFFCC; }"));
    if (fenster) {
      // Back to the record view's own size, wholly on the screen.
      showNormal();
      resize(kMaskenGroesse);
      QPoint ziel = fensterPosition_;
      if (const QScreen* bildschirm = screen()) {
        const QRect frei = bildschirm->availableGeometry();
        ziel.setX(std::clamp(ziel.x(), frei.left(), std::max(frei.left(), frei.right() - width())));
        ziel.setY(std::clamp(ziel.y(), frei.top(), std::max(frei.top(), frei.bottom() - height())));
      }
      move(ziel);
    }
    sbMaske->hide();
    sbTabelle->show();
  }
}

void TfrPLZ::navigieren(int position) {
  const int vorher = aktuellePosition();
  if (!SpeichernFallsGeaendert()) return;
  // The save reloads the table; the step goes from the row the user was on, in the order shown.
  position += aktuellePosition() - vorher;
  const int letzte = StringGrid1->gezeigteZeilen();
  if (letzte == 0) return;
  position = std::clamp(position, 1, letzte);
  StringGrid1->setAktuelleZelle(std::max(0, StringGrid1->aktuelleSpalte()), StringGrid1->zeileAn(position));
  DatensatzZeigen(TextZuZahl(daten_.zelle(kSpalteIndex, StringGrid1->aktuelleZeile())));
}

void TfrPLZ::tabelleZeigen() {
  if (!SpeichernFallsGeaendert()) return;
  fensterPosition_ = pos();
  TabellenAnsicht = true;
  AnsichtUmschalten(true);
  if (LetzteZeile >= 1 && LetzteZeile < daten_.zeilen()) StringGrid1->setAktuelleZelle(StringGrid1->aktuelleSpalte(), LetzteZeile);
  AnzahlAnzeigen();
}

void TfrPLZ::maskeZeigen() {
  if (!SpeichernFallsGeaendert()) return;
  TabellenAnsicht = false;
  AnsichtUmschalten(true);
}

}  // namespace orvano
