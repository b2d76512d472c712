// Answers of the street-list service (the raw HTTP answer with its status line, headers and
// chunks, and the page in it) and route files.
#include "FuzzDatei.h"
#include "maps/Route.h"
#include "streets/WebStrassen.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  using namespace orvano;
  HttpAntwortLesen(std::string(reinterpret_cast<const char*>(d), n), "127.0.0.1:8080", 1 << 20);
  const auto [kopf, seite] = fuzz::Teile(d, n);
  const std::string text = SeiteNachCp1252(seite, kopf);
  WebSeiteUmwandeln(text, n % 3 == 0 ? "0" : "12345", n % 2 ? std::optional<std::string>("12345") : std::nullopt);
  WebStrassenDateiName(kopf, seite.substr(0, 10));
  WebAdresse("http://127.0.0.1", kopf, "0");
  if (const auto r = RouteAusZeile(text)) RoutenZeile(*r);
  return 0;
}
