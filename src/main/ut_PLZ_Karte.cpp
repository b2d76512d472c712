// TfrPLZ: the map window and the place view.
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "PLZSpalten.h"
#include "core/Dateien.h"
#include "core/Datenbestand.h"
#include "core/Texte.h"
#include "core/Windows1252.h"
#include "maps/Karte.h"
#include "maps/Route.h"
#include "maps/utKarte.h"
#include "ui/Dialoge.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ut_PLZ.h"

namespace orvano {

void TfrPLZ::karteAnlegen() {
  frKarte = new TfrKarte(db_, [this] { return KartenLand(landText()); }, einst_.kartenMassstab, this);
  frKarte->geschlossen = [this] { KarteSichtbar = false; };
  frKarte->satzGewaehlt = [this](std::int32_t k) {
    if (SatzAuswaehlen(k)) KarteMarkieren();
  };
}

bool TfrPLZ::SatzAuswaehlen(std::int32_t k) {
  for (int r = 1; r < daten_.zeilen(); ++r) {
    if (TextZuZahl(daten_.zelle(kSpalteIndex, r)) != k) continue;
    zeileZeigenUndWaehlen(std::max(1, StringGrid1->aktuelleSpalte()), r);
    if (!TabellenAnsicht) DatensatzZeigen(k);
    return true;
  }
  return false;
}

void TfrPLZ::KarteUmschalten() {
  if (!DateiVorhanden(db_.plzDatei())) {
    ui::Meldung(QString::fromStdString(NichtGefundenText(db_.plzDatei())));
    return;
  }
  if (KarteSichtbar) {
    frKarte->close();
    return;
  }
  KarteSichtbar = true;
  frKarte->setAuswahl(sichtGefiltert() ? std::optional(gezeigteSaetze()) : std::nullopt);
  frKarte->KarteZeichnen(true);
  frKarte->show();
  KarteMarkieren();
}

void TfrPLZ::KarteMarkieren() {
  const int zeile = std::max(1, StringGrid1->aktuelleZeile());
  double breite = 0, laenge = 0;
  const std::string b(daten_.zelle(8, zeile)), l(daten_.zelle(9, zeile));
  // The empty row of a country without data has nothing to mark and nothing to complain about.
  if (daten_.zelle(kSpalteIndex, zeile).empty() && b.empty() && l.empty()) return;
  // A row without numbers (one added by hand) has no place on the map.
  if (!KommaZahlLesen(b, breite) || !KommaZahlLesen(l, laenge)) {
    ui::Meldung(QStringLiteral("Keine Koordinaten: \"") + ui::AusCp1252(b) + QStringLiteral("\" / \"") + ui::AusCp1252(l) +
                QStringLiteral("\" sind keine Zahlen"));
    return;
  }
  const QString titel = QStringLiteral(" ") + ui::AusCp1252(daten_.zelle(1, zeile)) + QStringLiteral("  ") +
                        ui::AusCp1252(daten_.zelle(6, zeile)) + QStringLiteral("  ") + ui::AusCp1252(daten_.zelle(3, zeile)) +
                        QStringLiteral("  ") + ui::AusCp1252(daten_.zelle(7, zeile));
  frKarte->Markieren(breite, laenge, titel);
}

void TfrPLZ::OrtAufKarteZeigen() {
  std::string ort, breite, laenge;
  if (TabellenAnsicht) {
    const int zeile = std::max(1, StringGrid1->aktuelleZeile());
    ort = daten_.zelle(1, zeile);
    breite = daten_.zelle(8, zeile);
    laenge = daten_.zelle(9, zeile);
  } else {
    ort = ui::ZuCp1252(edOrt->text());
    breite = ui::ZuCp1252(edBreitengrad->text());
    laenge = ui::ZuCp1252(edLaengengrad->text());
  }
  ui::WebseiteOeffnen(QString::fromStdString(Cp1252ZuUtf8(KartenOrtAdresse(UmlauteFuerURL(ort), breite, laenge))));
}

}  // namespace orvano
