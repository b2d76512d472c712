// TfrPLZ: quick search, sorting of the grid and the streets of the shown postal code.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "PLZSpalten.h"
#include "Sortieren.h"
#include "core/StrassenZuordnung.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/Texte.h"
#include "ui/Dialoge.h"
#include "ui/Layout.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "maps/utKarte.h"
#include "search/ut_AdressPruefung.h"
#include "search/ut_Umkreis.h"
#include "ut_PLZ.h"

namespace orvano {

int StrassenFensterZeile = 0;

void TfrPLZ::Schnellsuche(bool rueckwaerts) {
  if (TabellenAnsicht) SuchSpalte = StringGrid1->aktuelleSpalte();
  const std::string nadel = ui::ZuCp1252(edSuchen->text());
  if (StrassenSuche && !TabellenAnsicht) {
    std::vector<std::string> liste;
    for (int i = 0; i < cbStrasse->count(); ++i) liste.push_back(ui::ZuCp1252(cbStrasse->itemText(i)));
    // SuchStart counts from 1 here as in the grid, so that a reset starts at the first street.
    // Forwards from SuchStart, backwards from the street before the last hit.
    const int i = SchnellsucheListe(liste, rueckwaerts ? SuchStart - 3 : SuchStart - 1, nadel, cbGenau->isChecked(), rueckwaerts);
    StatusMelden(i >= 0 ? QString() : QStringLiteral("Nicht gefunden"));
    if (i >= 0) {
      cbStrasse->setCurrentIndex(i);
      strasseGewaehlt(i);
      SuchStart = i + 2;
    }
    return;
  }
  // Positions count in the order shown, so that a filtered or sorted grid is searched as seen.
  const std::vector<int> reihe = StringGrid1->gezeigteTabellenZeilen();
  const int start = rueckwaerts ? SuchStart - 2 : SuchStart;
  const int p = rueckwaerts && start < 1 ? 0 : SchnellsuchePosition(daten_, reihe, SuchSpalte, start, nadel, cbGenau->isChecked(), rueckwaerts);
  StatusMelden(p == 0 ? QStringLiteral("Nicht gefunden") : QString());
  if (p == 0) return;
  const int a = reihe[static_cast<std::size_t>(p - 1)];
  StringGrid1->setAktuelleZelle(SuchSpalte, a);
  SuchStart = p + 1;
  if (!TabellenAnsicht) DatensatzZeigen(TextZuZahl(daten_.zelle(kSpalteIndex, a)));
}

QString TfrPLZ::suchHinweis() const {
  if (TabellenAnsicht) {
    return QStringLiteral("Suchen in ") + ui::AusCp1252(daten_.zelle(StringGrid1->aktuelleSpalte(), 0)) +
           QStringLiteral(" (nach Enter)");
  }
  if (StrassenSuche) return QStringLiteral("Suchen in Strasse (nach Enter)");
  return QStringLiteral("Suchen in ") + QString::fromStdString(SuchFeld) + QStringLiteral(" (nach Enter)");
}

QString TfrPLZ::sortHinweis() const {
  // Numbers sort descending with the left button, texts ascending: the hint says which.
  const int spalte = StringGrid1->aktuelleSpalte();
  return QStringLiteral("Sortieren nach ") + ui::AusCp1252(daten_.zelle(spalte, 0)) +
         (NumerischeSpalte(spalte) ? QStringLiteral("\nLinke- / Rechtemaus: Absteigend / Aufsteigend")
                                   : QStringLiteral("\nLinke- / Rechtemaus: Aufsteigend / Absteigend"));
}

void TfrPLZ::TabelleSortieren(bool linkeMaus) {
  if (!SpeichernFallsGeaendert()) return;
  StringGrid1->editorSchliessen();
  sortiertGerade_ = true;
  StringGrid1->viewport()->repaint();
  const int spalte = StringGrid1->aktuelleSpalte();
  const std::string satz(daten_.zelle(kSpalteIndex, StringGrid1->aktuelleZeile()));
  orvano::TabelleSortieren(daten_, spalte, linkeMaus);
  sortiertGerade_ = false;
  // The rows moved: steps that name rows no longer fit. The grid's own order is the sorted one now.
  VerlaufLeeren();
  SichtWahl w = StringGrid1->sichtWahl();
  w.sortSpalte = -1;
  StringGrid1->setSichtWahl(w);
  StringGrid1->aktualisieren();
  // The record that was current stays current.
  for (int r = 1; r < daten_.zeilen() && !satz.empty(); ++r) {
    if (daten_.zelle(kSpalteIndex, r) == satz) {
      StringGrid1->setAktuelleZelle(spalte, r);
      break;
    }
  }
}

void TfrPLZ::StrassenAnzeigeSichtbar() {
  const bool da = DateiVorhanden(db_.strassenDatei());
  lbStrasse->setVisible(da);
  cbStrasse->setVisible(da);
  // Without streets no house numbers: the last country's must not stay behind.
  if (!da) lbStrNr->hide();
}

void TfrPLZ::hausnummerZeigen(std::int32_t index) {
  if (index <= 0 || index > db_.StrassenZahl || db_.StrassenTabelle[static_cast<std::size_t>(index)].HausNrKz == '0') {
    lbStrNr->hide();
    return;
  }
  const TStrassenRecord& s = db_.StrassenTabelle[static_cast<std::size_t>(index)];
  // A street marked as numbered but without numbers would show a lone "-".
  if (s.AbNr.leer() && s.BisNr.leer()) {
    lbStrNr->hide();
    return;
  }
  lbStrNr->setText(ui::AusCp1252(s.AbNr.text() + " - " + s.BisNr.text()));
  lbStrNr->show();
}

void TfrPLZ::strasseGewaehlt(int position) {
  const std::int32_t index =
      position >= 0 && position < static_cast<int>(ListBox1.size()) ? ListBox1[static_cast<std::size_t>(position)] : 0;
  hausnummerZeigen(index);
}

void TfrPLZ::StrassenZeigen(int k) {
  const bool sichtbar = !cbStrasse->isHidden();
  lbStrasseZahl->setVisible(sichtbar);
  lbPLZZahl->setVisible(sichtbar);
  if (db_.StrassenTabelle.empty()) return;
  if (k < 0 || k > db_.PLZAnzahl) k = 0;
  const TPLZRecord& r = db_.PLZTabelle[static_cast<std::size_t>(k)];
  // Only the streets that belong to this record, not every street of its code.
  const StrassenZuordnung zuordnung(db_.PLZTabelle, db_.PLZAnzahl, r.PLZ);
  std::vector<std::int32_t> strassen;
  for (const std::int32_t i : db_.StrassenNachPLZ(r.PLZ)) {
    if (k > 0 && zuordnung.besitzer(db_.StrassenTabelle[static_cast<std::size_t>(i)]) == k) strassen.push_back(i);
  }
  {
    const QSignalBlocker ruhe(cbStrasse);
    cbStrasse->clear();
    ListBox1.clear();
    for (const std::int32_t i : strassen) {
      cbStrasse->addItem(ui::AusCp1252(db_.StrassenTabelle[static_cast<std::size_t>(i)].Strasse.text()));
      ListBox1.push_back(i);
    }
    cbStrasse->setCurrentIndex(strassen.empty() ? -1 : 0);
  }
  // The record keeps its stored count, which only the street window and the optimisation write.
  const auto gezeigt = static_cast<std::int32_t>(strassen.size());
  hausnummerZeigen(strassen.empty() ? 0 : strassen.front());
  lbStrasseZahl->setText(QStringLiteral("n=") + QString::number(gezeigt));

  const std::string ort = ui::ZuCp1252(edOrt->text());
  const std::string kz = ui::ZuCp1252(edAutokennzeichen->text());
  std::int32_t gesamt = 0;
  int gleiche = 0;
  for (std::int32_t j = 1; j <= db_.PLZAnzahl; ++j) {
    const TPLZRecord& p = db_.PLZTabelle[static_cast<std::size_t>(j)];
    const std::int32_t n = j == k ? gezeigt : p.Strassen;
    gesamt += n > 0 ? n : 1;
    if (p.Ort.text() == ort && p.Autokennzeichen.text() == kz) ++gleiche;
  }
  db_.ZeilenGesamt = gesamt;
  lbPLZZahl->setText(QStringLiteral("n=") + QString::number(gleiche));
}

void TfrPLZ::plzZahlGeklickt(Qt::MouseButton knopf) {
  const int r = StringGrid1->aktuelleZeile();
  const std::string ort = ui::ZuCp1252(edOrt->text());
  const std::string kz = ui::ZuCp1252(edAutokennzeichen->text());
  auto gleich = [&](int k) {
    const TPLZRecord& p = db_.PLZTabelle[static_cast<std::size_t>(k)];
    return p.Ort.text() == ort && p.Autokennzeichen.text() == kz;
  };
  if (knopf == Qt::LeftButton) {
    if (r < db_.PLZAnzahl && gleich(r + 1)) tbPlus->click();
  } else if (knopf == Qt::RightButton) {
    if (r > 1 && r - 1 <= db_.PLZAnzahl && gleich(r - 1)) tbMinus->click();
  }
}

bool TfrPLZ::sbStrasseVorbereiten(Qt::MouseButton knopf) {
  StrassenFensterZeile = StringGrid1->aktuelleZeile();
  Tag = knopf == Qt::RightButton ? 9 : 0;
  const std::string datei = db_.plzDatei();
  if (!DateiVorhanden(datei)) {
    ui::Meldung(QString::fromStdString(NichtGefundenText(datei)));
    return false;
  }
  return true;
}

void TfrPLZ::UmkreisZeigen() {
  if (frUmkreis == nullptr) {
    frUmkreis = new TfrUmkreis(db_, this);
    frUmkreis->satzZeigen = [this](std::int32_t k) {
      if (SatzAuswaehlen(k) && KarteSichtbar) KarteMarkieren();
    };
    frUmkreis->kreisZeichnen = [this](double breite, double laenge, double km) {
      if (KarteSichtbar) frKarte->KreisZeigen(breite, laenge, km);
    };
  }
  frUmkreis->show();
  frUmkreis->raise();
  frUmkreis->mitteSetzen(TextZuZahl(daten_.zelle(kSpalteIndex, std::max(1, StringGrid1->aktuelleZeile()))));
}

void TfrPLZ::AdresslistePruefen(const QString& datei) {
  ui::DateiDialog d;
  d.titel = QStringLiteral("Adressliste öffnen");
  d.filter = QStringLiteral("Adresslisten (*.csv *.txt);;Alle Dateien (*)");
  const QString gewaehlt = datei.isEmpty() ? ui::dialoge().dateiOeffnen(d) : datei;
  if (gewaehlt.isEmpty()) return;
  zuletztVerwendet(QStringLiteral("Adressen"), gewaehlt);
  if (frAdressPruefung == nullptr) {
    frAdressPruefung = new TfrAdressPruefung(db_, this);
    frAdressPruefung->satzZeigen = [this](std::int32_t k) { SatzAuswaehlen(k); };
    const int filter = layout_->wert(QStringLiteral("Adresspruefung/Filter"), 0).toInt();
    frAdressPruefung->filterVorwahl = filter;
  }
  frAdressPruefung->show();
  frAdressPruefung->raise();
  frAdressPruefung->pruefen(gewaehlt);
}

}  // namespace orvano
