// The text routines: numbers, trimming, splitting, Windows-1252 and back.
#include <cstdlib>
#include <cstring>

#include "FuzzDatei.h"
#include "core/Listen.h"
#include "core/Texte.h"
#include "core/Windows1252.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  using namespace orvano;
  const std::string_view s(reinterpret_cast<const char*>(d), n);
  TextZuZahl(s);
  const double x = TextZuReal(s);
  const double zurueck = TextZuReal(RealZuText(x));
  if (x == x && std::memcmp(&zurueck, &x, sizeof x) != 0) std::abort();  // NaN has no text to keep
  double w = 0;
  DezimalLesen(s, w);
  KommaZahlLesen(s, w);
  std::int32_t z = 0;
  GanzzahlLesen(s, z);
  LeerzeichenEntfernen(s);
  BlanksAbschneiden(s);
  NurZiffern(s);
  StrassenNameNormieren(s);
  VergleichsText(s);
  const auto [a, b] = fuzz::Teile(d, n);
  TextTeilen(b, a, 0);
  const std::string utf8 = Cp1252ZuUtf8(s);
  if (Utf8ZuCp1252(utf8) != s && s.find_first_of("\x81\x8D\x8F\x90\x9D") == std::string_view::npos) {
    // Every byte of Windows-1252 but the five unassigned ones comes back.
    std::abort();
  }
  Utf8ZuCp1252(s);
  return 0;
}
