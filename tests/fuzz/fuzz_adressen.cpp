// Customer lists of the address check against a small folder.
#include "FuzzDatei.h"
#include "search/AdressPruefung.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  using namespace orvano;
  static const Datenbestand db = [] {
    Datenbestand b;
    TPLZRecord r{};
    r.Ort.setzen("Bonn");
    r.PLZ = 53111;
    b.PLZTabelle.push_back(r);
    b.PLZAnzahl = 1;
    TStrassenRecord s{};
    s.PLZ = 53111;
    s.Strasse.setzen("Markt");
    s.AbNr.setzen("1");
    s.BisNr.setzen("20");
    b.StrassenTabelle.resize(1, TStrassenRecord{});
    b.StrassenTabelle.push_back(s);
    b.StrassenZahl = 1;
    return b;
  }();
  const std::string datei = fuzz::Datei("liste.csv", std::string_view(reinterpret_cast<const char*>(d), n));
  try {
    const AdressPruefErgebnis e = AdressListePruefen(db, datei, KeinFortschritt());
    AdressListeSchreiben(db, e, fuzz::Ordner() + "aus.csv");
  } catch (const DateiFehler&) {
  }
  return 0;
}
