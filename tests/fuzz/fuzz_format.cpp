// Format files: read, written again, read back to the same format.
#include <cstdlib>

#include "FuzzDatei.h"
#include "core/Dateien.h"
#include "exchange/ImportFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  using namespace orvano;
  ImportFormat f;
  try {
    if (!FormatDateiLaden(fuzz::Datei("f.imp", std::string_view(reinterpret_cast<const char*>(d), n)), f)) return 0;
  } catch (const DateiFehler&) {
    return 0;
  }
  ImportFormat zurueck;
  FormatAusZeile(FormatZeile(f), zurueck);
  // Fields holding "|", CR or LF cannot survive a line of "|"-fields; all others must.
  for (std::size_t i = 0; i < f.titel.size(); ++i) {
    if (f.titel[i].find_first_of("|\r\n") == std::string::npos && zurueck.titel[i] != f.titel[i]) std::abort();
  }
  FormatHatFelder(f);
  return 0;
}
