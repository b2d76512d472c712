// TfrPLZ: the OpenStreetMap import of the current folder and country.
#include <QProgressBar>

#include <algorithm>

#include "core/Dateien.h"
#include "core/Texte.h"
#include "core/Windows1252.h"
#include "exchange/OsmImport.h"
#include "exchange/OsmLesen.h"
#include "folders/Sicherung.h"
#include "ui/Dialoge.h"
#include "ui/StringGrid.h"
#include "ui/Warten.h"
#include "ut_PLZ.h"

namespace orvano {

void TfrPLZ::OsmImportStarten(const QString& datei) {
  if (!SpeichernFallsGeaendert()) return;
  ui::DateiDialog d;
  d.titel = QStringLiteral("OpenStreetMap-Auszug öffnen");
  d.filter = QStringLiteral("OpenStreetMap-Auszug (*.osm.pbf *.pbf *.osm *.osm.bz2 *.osm.gz);;Alle Dateien (*)");
  const QString gewaehlt = datei.isEmpty() ? ui::dialoge().dateiOeffnen(d) : datei;
  if (gewaehlt.isEmpty()) return;
  zuletztVerwendet(QStringLiteral("OSM"), gewaehlt);
  // What is no extract is refused before any question, and nothing is written.
  try {
    OsmDateiPruefen(gewaehlt.toStdString());
  } catch (const DateiFehler& f) {
    ui::Meldung(QString::fromStdString(f.what()));
    return;
  }
  const QString ziel = QString::fromStdString(Cp1252ZuUtf8(db_.StrassenDateiName()));
  OsmOptionen o;
  if (DateiVorhanden(db_.StrassenDateiName())) {
    const ui::Antwort a = ui::FrageJaNeinAbbrechen(QStringLiteral("Straßen aus ") + gewaehlt + QStringLiteral(" lesen.") + QChar(13) +
                                                   QStringLiteral("Ja: an ") + ziel + QStringLiteral(" anhängen") + QChar(13) +
                                                   QStringLiteral("Nein: ") + ziel +
                                                   QStringLiteral(" ersetzen (vorher wird eine Sicherheitskopie angelegt)"));
    if (a == ui::Antwort::Abbrechen) return;
    o.anhaengen = a == ui::Antwort::Ja;
  } else if (!ui::FrageJaNein(QStringLiteral("Straßen aus ") + gewaehlt + QStringLiteral(" lesen und in ") + ziel +
                              QStringLiteral(" speichern?"))) {
    return;
  }
  o.schreiben = true;
  o.datum = HeutigesDatum();
  const int zeile = std::max(1, StringGrid1->aktuelleZeile());
  OsmErgebnis e;
  bool fertig = false;
  {
    ui::Lauf lauf(ProgressBar1, status_.get(), ui::Lauf::Escape::Nachfragen);
    lauf.status(1, QStringLiteral("Mit ESC-Taste abbrechen"));
    ui::FensterRueckfragen r;
    fertig = lauf.ausfuehren([&] { e = OsmImportieren(db_, gewaehlt.toStdString(), o, lauf, r); });
  }
  ProgressBar1->hide();
  // A run that wrote loaded the store again itself; a cancelled one changed nothing; after an
  // error the files may be half written, so they are read again.
  if (!fertig) {
    DateienNeuLaden(true);
    return;
  }
  if (e.geschrieben) GeladenesZeigen(zeile);
  if (e.abgebrochen) {
    StatusMelden(QStringLiteral("OpenStreetMap-Import abgebrochen, nichts geschrieben"));
    return;
  }
  if (e.zuWenige) {
    ui::Hinweis(QString::fromStdString(e.zuWenigeText) + QChar(13) + QStringLiteral("Es wurde nichts geschrieben."));
    return;
  }
  QString text = QStringLiteral("OpenStreetMap-Import aus ") + gewaehlt + QStringLiteral(":\n");
  for (const std::string& zeile : OsmZusammenfassung(e)) text += QString::fromStdString(zeile) + QStringLiteral("\n");
  ui::Hinweis(text);
  StatusMelden(QString::number(e.strassen) + QStringLiteral(" Straßen aus OpenStreetMap gespeichert"));
}

}  // namespace orvano
