#include "Records.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace orvano {

bool InBenutzung(const TPLZRecord& r) { return !r.Ort.leer() && r.PLZ != 0; }

bool StrasseGueltig(const TStrassenRecord& r) {
  // The record's bytes are the file's: one rule for a record and for a whole block.
  return GueltigeStrassen(reinterpret_cast<const char*>(&r), 1) == 1;
}

std::int64_t GueltigeStrassen(const char* daten, std::size_t anzahl) {
  constexpr std::size_t kGroesse = sizeof(TStrassenRecord);
  constexpr std::size_t kLaenge = offsetof(TStrassenRecord, Strasse);
  std::int64_t n = 0;
  for (std::size_t i = 0; i < anzahl; ++i) {
    const char* r = daten + i * kGroesse;
    std::uint32_t roh;
    std::memcpy(&roh, r, sizeof roh);
    const auto plz = static_cast<std::int32_t>(roh);
    const std::size_t laenge = std::min<std::size_t>(static_cast<unsigned char>(r[kLaenge]), 65);
    // A name almost always starts with its first letter; only one that does not is searched.
    bool zeichen = laenge > 0 && r[kLaenge + 1] != ' ';
    for (std::size_t j = 1; !zeichen && j < laenge; ++j) zeichen = r[kLaenge + 1 + j] != ' ';
    n += static_cast<std::int64_t>((plz > 0) & (plz < 100000) & zeichen);
  }
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
