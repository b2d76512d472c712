// orvano-cli umkreis and adressen-pruefen: the radius search and the address-list check.
#include <algorithm>
#include <map>

#include "app/CliAufruf.h"
#include "core/Dateien.h"
#include "core/Records.h"
#include "core/Texte.h"
#include "core/Windows1252.h"
#include "exchange/Export.h"
#include "search/AdressPruefung.h"
#include "search/Umkreis.h"

namespace orvano::cli {

int UmkreisBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err) {
  NurErlaubt(a, {"--ordner", "--land", "--plz", "--ort", "--breite", "--laenge", "--km"});
  if (a.positionen.size() > 1) throw FalscherAufruf{"Zu viele Angaben f\xC3\xBCr umkreis"};
  const bool mitPLZ = a.optionen.count("--plz") > 0, mitLage = a.optionen.count("--breite") > 0 || a.optionen.count("--laenge") > 0;
  if (mitPLZ == mitLage) throw FalscherAufruf{"umkreis braucht --plz (mit --ort) oder --breite und --laenge"};
  if (!mitPLZ && a.optionen.count("--ort")) throw FalscherAufruf{"--ort geh\xC3\xB6rt zu --plz"};
  const double km = KommaWert(a, "--km");
  if (km < 0) throw FalscherAufruf{"--km darf nicht negativ sein"};
  const Datenbestand db = TabelleLaden(a, standardOrdner, true, err);
  double breite = 0, laenge = 0;
  if (mitPLZ) {
    std::int32_t plz = 0;
    const std::string text = Wert(a, "--plz");
    if (!GanzzahlLesen(text, plz)) throw FalscherAufruf{"--plz braucht eine Postleitzahl"};
    const std::string ort = a.optionen.count("--ort") ? Utf8ZuCp1252(Wert(a, "--ort")) : std::string();
    const auto mitte = UmkreisMitte(db, plz, ort);
    if (!mitte) throw Fehlschlag{"Keine Koordinaten f\xC3\xBCr " + text + (ort.empty() ? "" : " " + Wert(a, "--ort"))};
    breite = db.PLZTabelle[static_cast<std::size_t>(*mitte)].Breitengrad;
    laenge = db.PLZTabelle[static_cast<std::size_t>(*mitte)].Laengengrad;
  } else {
    breite = KommaWert(a, "--breite");
    laenge = KommaWert(a, "--laenge");
  }
  for (const UmkreisTreffer& t : Umkreis(db, breite, laenge, km)) {
    const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(t.position)];
    out << t.position << ';' << PLZText(r) << ';' << Cp1252ZuUtf8(r.Ort.text()) << ';'
        << KmText(t.km) << '\n';
  }
  return 0;
}

int AdressenPruefenBefehl(const Aufruf& a, const std::string& standardOrdner, std::ostream& out, std::ostream& err) {
  NurErlaubt(a, {"--ordner", "--land", "--ausgabe"});
  if (a.positionen.size() != 2) throw FalscherAufruf{"adressen-pruefen braucht genau eine Datei"};
  Datenbestand db = TabelleLaden(a, standardOrdner, true, err);
  if (DateiVorhanden(db.StrassenDateiName())) {
    KommandozeilenAntworten nein(false, err);
    db.StrassenLaden(KeinFortschritt(), nein, false);
  }
  // A database file is never the output: refused before anything is checked or written.
  if (a.optionen.count("--ausgabe")) {
    if (const std::string nein = ExportZielVerboten(db, Wert(a, "--ausgabe")); !nein.empty()) throw Fehlschlag{nein};
  }
  const AdressPruefErgebnis e = AdressListePruefen(db, a.positionen[1], KeinFortschritt());
  std::map<std::string, std::int64_t> anzahl;
  for (std::size_t i = 0; i < e.befunde.size(); ++i) {
    out << i + 1 << ';' << e.befunde[i].status << ';' << Cp1252ZuUtf8(e.befunde[i].vorschlag) << '\n';
    ++anzahl[e.befunde[i].status];
  }
  for (const char* status : kAdressStatus) err << status << ": " << anzahl[status] << '\n';
  if (a.optionen.count("--ausgabe")) AdressListeSchreiben(db, e, Wert(a, "--ausgabe"));
  return 0;
}

}  // namespace orvano::cli
