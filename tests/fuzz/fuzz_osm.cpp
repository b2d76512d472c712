// OpenStreetMap extracts, as XML or PBF (by the first byte), through the import's reader.
#include "FuzzDatei.h"
#include "exchange/OsmLesen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  using namespace orvano;
  if (n == 0) return 0;
  const std::string datei = fuzz::Datei(d[0] % 2 ? "a.osm.pbf" : "a.osm", std::string_view(reinterpret_cast<const char*>(d) + 1, n - 1));
  OsmDaten daten;
  OsmErgebnis e;
  try {
    OsmAdressenLesen(datei, d[0] % 3 == 0 ? "AT" : "DE", daten, e, KeinFortschritt());
  } catch (const DateiFehler&) {
  }
  return 0;
}
