// Pages of the street-list service (the Content-Type and the page's bytes, turned into street
// lines and a file name) and route files.
#include "FuzzDatei.h"
#include "maps/Route.h"
#include "streets/WebStrassen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  using namespace orvano;
  const auto [kopf, seite] = fuzz::Teile(d, n);
  const std::string text = SeiteNachCp1252(seite, kopf);
  WebSeiteUmwandeln(text, n % 3 == 0 ? "0" : "12345", n % 2 ? std::optional<std::string>("12345") : std::nullopt);
  WebStrassenDateiName(kopf, seite.substr(0, 10));
  WebAdresse("http://127.0.0.1", kopf, "0");
  if (const auto r = RouteAusZeile(text)) RoutenZeile(*r);
  return 0;
}
