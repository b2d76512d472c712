// The settings file: whatever it holds, loading gives settings, and saving them loads back.
#include <cstdlib>

#include "FuzzDatei.h"
#include "core/Dateien.h"
#include "core/Einstellungen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  using namespace orvano;
  const Einstellungen e = EinstellungenLaden(fuzz::Datei("einstPLZ.frb", std::string_view(reinterpret_cast<const char*>(d), n)));
  try {
    EinstellungenSpeichern(fuzz::Ordner() + "zurueck.frb", e);
  } catch (const DateiFehler&) {
    return 0;
  }
  const Einstellungen z = EinstellungenLaden(fuzz::Ordner() + "zurueck.frb");
  if (z.land != e.land || z.tabellenAnsicht != e.tabellenAnsicht) std::abort();
  return 0;
}
