// orvano-cli osm-import: streets and coordinates from an OpenStreetMap extract.
#include <optional>

#include "app/CliAufruf.h"
#include "core/Texte.h"
#include "core/Windows1252.h"
#include "exchange/OsmImport.h"
#include "folders/Sicherung.h"

namespace orvano::cli {

int OsmImportBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err) {
  NurErlaubt(a, {"--ordner", "--land", "--nur-strassen", "--anhaengen", "--ersetzen", "--ja"});
  if (a.positionen.size() != 2) throw FalscherAufruf{"osm-import braucht genau eine Datei"};
  const std::string datei = a.positionen[1];
  OsmOptionen o;
  o.schreiben = a.schalter.count("--ja") > 0;
  o.nurStrassen = a.schalter.count("--nur-strassen") > 0;
  o.anhaengen = a.schalter.count("--anhaengen") > 0;
  o.wenigerErlaubt = a.schalter.count("--ersetzen") > 0;
  o.datum = HeutigesDatum();
  Datenbestand db = OrdnerSetzen(a, standardOrdner, Land(a));
  KommandozeilenAntworten antworten(false, err);
  db.PLZLaden(antworten);
  db.StrassenLaden(KeinFortschritt(), antworten, false);
  const OsmErgebnis e = OsmImportieren(db, datei, o, KeinFortschritt(), antworten);
  for (const std::string& zeile : OsmZusammenfassung(e)) out << zeile << "\n";
  if (e.zuWenige) throw Fehlschlag{e.zuWenigeText + " Nichts geschrieben (mit --ersetzen wird trotzdem ersetzt)."};
  if (!o.schreiben) {
    out << "Nichts geschrieben (mit --ja werden " << Cp1252ZuUtf8(db.StrassenDateiName()) << " und " << Cp1252ZuUtf8(db.PLZDateiName())
        << (o.anhaengen ? " erg\xC3\xA4nzt)\n" : " ersetzt)\n");
  } else {
    out << "Geschrieben: " << Cp1252ZuUtf8(db.StrassenDateiName()) << ", " << Cp1252ZuUtf8(db.PLZDateiName()) << "\n";
  }
  return 0;
}

}  // namespace orvano::cli
