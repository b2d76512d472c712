// TfrPLZ: the OpenStreetMap import of the current folder and country.
#include <QProgressBar>

#include <algorithm>

#include "core/Dateien.h"
#include "core/Texte.h"
#include "core/Windows1252.h"
#include "exchange/OsmImport.h"
#include "folders/Sicherung.h"
#include "ui/Dialoge.h"
#include "ui/StringGrid.h"
#include "ui/Warten.h"
#include "ut_PLZ.h"

namespace orvano {

void TfrPLZ::OsmImportStarten() {
  if (!SpeichernFallsGeaendert()) return;
  ui::DateiDialog d;
  d.titel = QStringLiteral("OpenStreetMap-Auszug öffnen");
  d.filter = QStringLiteral("OpenStreetMap-Auszug (*.osm.pbf *.osm *.osm.bz2);;Alle Dateien (*)");
  const QString gewaehlt = ui::dialoge().dateiOeffnen(d);
  if (gewaehlt.isEmpty()) return;
  const QString ziel = QString::fromStdString(Cp1252ZuUtf8(db_.StrassenDateiName()));
  if (!ui::FrageJaNein(QStringLiteral("Strassen aus ") + gewaehlt + QStringLiteral(" lesen und ") + ziel +
                       QStringLiteral(" ersetzen? Vorher wird eine Sicherheitskopie angelegt."))) {
    return;
  }
  OsmOptionen o;
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
  QString text = QStringLiteral("OpenStreetMap-Import aus ") + gewaehlt + QStringLiteral(":\n");
  for (const std::string& zeile : OsmZusammenfassung(e)) text += QString::fromStdString(zeile) + QStringLiteral("\n");
  ui::Hinweis(text);
  StatusMelden(QString::number(e.strassen) + QStringLiteral(" Strassen aus OpenStreetMap gespeichert"));
}

}  // namespace orvano
