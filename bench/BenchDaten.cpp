#include "BenchDaten.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/Start.h"
#include "testdaten/Testdaten.h"

namespace orvano::bench {

const std::string& ProgrammOrdner() {
  static const std::string ordner = [] {
    if (const char* env = std::getenv("ORVANO_BENCHDATEN")) return std::string(env) + "/";
    const auto pfad = std::filesystem::temp_directory_path() / "orvano-benchdaten";
    if (!std::filesystem::exists(pfad / "Ord_1" / "Strassen_D.ppp")) testdaten::Schreiben(pfad.string(), {});
    return pfad.string() + "/";
  }();
  return ordner;
}

long ResidentBytes() {
  std::ifstream f("/proc/self/status");
  std::string zeile;
  while (std::getline(f, zeile)) {
    if (zeile.rfind("VmRSS:", 0) == 0) return std::stol(zeile.substr(6)) * 1024;
  }
  return 0;
}

Datenbestand& TabellenLaden() {
  static Datenbestand db;
  ProgrammOrdnerSetzen(ProgrammOrdner());
  KeineFragen nein;
  db.PLZLaden(nein);
  if (db.StrassenZahl == 0) db.StrassenLaden(KeinFortschritt(), nein);
  return db;
}

}  // namespace orvano::bench
