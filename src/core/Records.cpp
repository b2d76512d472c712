#include "Records.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace orvano {

bool InBenutzung(const TPLZRecord& r) { return !r.Ort.leer() && r.PLZ != 0; }

std::int64_t GueltigeStrassen(const char* daten, std::size_t anzahl) {
  std::int64_t n = 0;
  for (std::size_t i = 0; i < anzahl; ++i) n += StrassenBytesGueltig(daten + i * sizeof(TStrassenRecord));
  return n;
}

std::string PLZText(std::int32_t plz, char staat) {
  std::string s = std::to_string(plz);
  if (staat == 'D' && s.size() < 5) s.insert(s.begin(), '0');
  return s;
}

std::string PLZText(const TPLZRecord& r) {
  const std::string staat = r.Staat.text();
  return PLZText(r.PLZ, staat.empty() ? ' ' : staat.front());
}

std::string VorwahlText(std::int32_t vorwahl) {
  if (vorwahl == 0) return {};
  std::string s(1, '0');
  s += std::to_string(vorwahl);
  return s;
}

char LandBuchstabe(char c) {
  switch (static_cast<unsigned char>(c)) {
    case 'D': return 'D';
    case 'S': return 'C';
    case 0xD6: return 'A';  // Ö
    default: return ' ';
  }
}

std::string LandISO(char c) {
  switch (static_cast<unsigned char>(c)) {
    case 'A':
    case 0xD6: return "AT";
    case 'C':
    case 'S': return "CH";
    case 'D': return "DE";
    default: return {};
  }
}

}  // namespace orvano
