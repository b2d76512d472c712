#include "Texte.h"

#include <algorithm>

#include <charconv>
#include <cmath>
#include <cstring>
#include <cstddef>

#include "Listen.h"

namespace orvano {

namespace {

bool IstZiffer(char c) { return c >= '0' && c <= '9'; }

std::string OhneZeichen(std::string_view s, std::string_view weg) {
  std::string out;
  out.reserve(s.size());
  for (char c : s) {
    if (weg.find(c) == std::string_view::npos) out += c;
  }
  return out;
}

// Windows-1252 upper/lower pairs of the letters the street normalisation replaces.
constexpr char kSz = '\xDF';
constexpr char kUeKlein = '\xFC', kUeGross = '\xDC';
constexpr char kOeKlein = '\xF6', kOeGross = '\xD6';
constexpr char kAeKlein = '\xE4', kAeGross = '\xC4';

}  // namespace

char GrossBuchstabe(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string GrossText(std::string_view s) {
  std::string out(s);
  for (char& c : out) c = GrossBuchstabe(c);
  return out;
}

std::string KleinText(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

std::string LeerzeichenEntfernen(std::string_view s) { return OhneZeichen(s, " "); }

std::string RechtsAbschneiden(std::string_view s, char c) {
  std::size_t n = s.size();
  while (n > 0 && s[n - 1] == c) --n;
  return std::string(s.substr(0, n));
}

std::string LinksAbschneiden(std::string_view s, char c) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == c) ++i;
  return std::string(s.substr(i));
}

std::string BlanksAbschneiden(std::string_view s) { return LinksAbschneiden(RechtsAbschneiden(s, ' '), ' '); }

std::string VorDemPunkt(std::string_view s) {
  const auto teile = TextTeilen(".", s, 0);
  return teile.empty() ? std::string() : teile.front();
}

std::string PunktZuKomma(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c == '.') c = ',';
  }
  return out;
}

std::string ZahlNormieren(std::string_view s) {
  std::string out = OhneZeichen(s, " ");
  for (char& c : out) {
    if (c == ',') c = '.';
  }
  return out;
}

std::string NurZiffern(std::string_view s) {
  std::string out;
  for (char c : s) {
    if (IstZiffer(c)) out += c;
  }
  return out;
}

void VergleichsTextAnhaengen(std::string& out, std::string_view s) {
  for (const char c : s) {
    switch (c) {
      case ' ': case ',': case '/': case '(': case ')': case '.': case '-': break;
      default: out += GrossBuchstabe(c);
    }
  }
}

std::string VergleichsText(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  VergleichsTextAnhaengen(out, s);
  return out;
}

bool TexteGleich(std::string_view a, std::string_view b) { return VergleichsText(a) == VergleichsText(b); }

// Every letter is handled on its own, so one pass does it: separators and brackets go, "ß"
// becomes "ss", A-Z become small, and the umlauts of either case become "ue", "oe", "ae".
void StrassenNameAnhaengen(std::string& out, std::string_view s) {
  for (const char c : s) {
    switch (c) {
      case ' ': case '.': case '-': case '_': case '(': case ')': case '\'': break;
      case kSz: out += "ss"; break;
      case kUeKlein: case kUeGross: out += "ue"; break;
      case kOeKlein: case kOeGross: out += "oe"; break;
      case kAeKlein: case kAeGross: out += "ae"; break;
      default: out += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
  }
}

std::string StrassenNameNormieren(std::string_view s) {
  std::string out;
  out.reserve(s.size() + 8);
  StrassenNameAnhaengen(out, s);
  return out;
}

std::int64_t HausnummerZahl(std::string_view s) {
  std::size_t i = 0;
  while (i < s.size() && s[i] == ' ') ++i;
  std::int64_t zahl = -1;
  for (; i < s.size() && IstZiffer(s[i]); ++i) {
    // Ten digits are more than any house has; the rest would only overflow.
    zahl = std::min<std::int64_t>((zahl < 0 ? 0 : zahl) * 10 + (s[i] - '0'), 9'999'999'999);
  }
  return zahl;
}

bool StrassenGleich(std::string_view name1, std::string_view name2, std::string_view abNr1,
                    std::string_view abNr2, std::string_view bisNr1, std::string_view bisNr2) {
  return abNr1 == abNr2 && bisNr1 == bisNr2 && StrassenNameNormieren(name1) == StrassenNameNormieren(name2);
}

namespace {

// A decimal number with "." as point: [sign] digits [. digits] [e [sign] digits], at least
// one digit before the exponent. Nothing else (no "inf", no hex), whatever the C locale says.
bool RealFormGueltig(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t ziffern = 0;
  while (i < s.size() && IstZiffer(s[i])) ++i, ++ziffern;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && IstZiffer(s[i])) ++i, ++ziffern;
  }
  if (ziffern == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    std::size_t exp = 0;
    while (i < s.size() && IstZiffer(s[i])) ++i, ++exp;
    if (exp == 0) return false;
  }
  return i == s.size();
}

}  // namespace

bool DezimalLesen(std::string_view v, double& wert) {
  if (!RealFormGueltig(v)) return false;
  if (v.front() == '+') v.remove_prefix(1);
  double w = 0.0;
  const auto [ende, fehler] = std::from_chars(v.data(), v.data() + v.size(), w);
  if (fehler != std::errc() || ende != v.data() + v.size()) return false;
  wert = w;
  return true;
}

bool KommaZahlLesen(std::string_view s, double& wert) {
  std::string t = BlanksAbschneiden(s);
  if (t.find('.') != std::string::npos) return false;
  for (char& c : t) {
    if (c == ',') c = '.';
  }
  return DezimalLesen(t, wert);
}

double TextZuReal(std::string_view s) {
  double wert = 0.0;
  return DezimalLesen(ZahlNormieren(OhneZeichen(s, ".")), wert) ? wert : 0.0;
}

bool GanzzahlLesen(std::string_view s, std::int32_t& wert) {
  if (!s.empty() && s.front() == '+') {
    s.remove_prefix(1);
    if (!s.empty() && s.front() == '-') return false;
  }
  if (s.empty()) return false;
  std::int32_t w = 0;
  const auto [ende, fehler] = std::from_chars(s.data(), s.data() + s.size(), w);
  if (fehler != std::errc() || ende != s.data() + s.size()) return false;
  wert = w;
  return true;
}

std::int32_t TextZuZahl(std::string_view s) {
  std::int32_t wert = 0;
  return GanzzahlLesen(ZahlNormieren(s), wert) ? wert : 0;
}

namespace {

// "1.5e-05" as the program writes it: "1,5E-5" (capital E, no plus sign, no leading zeros).
std::string RealGestalten(std::string_view roh) {
  std::string out;
  out.reserve(roh.size());
  const auto e = roh.find('e');
  out.append(roh.substr(0, e));
  if (e != std::string_view::npos) {
    out += 'E';
    std::size_t i = e + 1;
    if (roh[i] == '-') out += '-';
    if (roh[i] == '-' || roh[i] == '+') ++i;
    while (i + 1 < roh.size() && roh[i] == '0') ++i;
    out.append(roh.substr(i));
  }
  return PunktZuKomma(out);
}

}  // namespace

std::string RealZuText(double wert) { return KoordinateZuText(wert); }

std::string KoordinateZuText(double wert) {
  // Fifteen significant digits where they give the record's bytes back (sign of zero included),
  // else seventeen, which always do; laid out as printf's %g would. For a normal number the
  // shortest digits that read back are those fifteen whenever there are at most fifteen of them,
  // and are much cheaper to get; subnormals (fewer digits of precision), infinities and NaNs go
  // the long way.
  char puffer[64];
  const auto mitStellen = [&](int stellen) {
    const auto [ende, fehler] = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::general, stellen);
    return fehler == std::errc() ? std::string_view(puffer, static_cast<std::size_t>(ende - puffer)) : std::string_view("0");
  };
  if (wert != 0.0 && !std::isnormal(wert)) {
    const std::string_view kurz = mitStellen(15);
    double zurueck = 0.0;
    if (std::from_chars(kurz.data(), kurz.data() + kurz.size(), zurueck).ec == std::errc() &&
        std::memcmp(&zurueck, &wert, sizeof wert) == 0) {
      return RealGestalten(kurz);
    }
    return RealGestalten(mitStellen(17));
  }
  // "d.ddde-XX": the digits and the exponent.
  const char* ende = std::to_chars(puffer, puffer + sizeof puffer, wert, std::chars_format::scientific).ptr;
  const std::string_view roh(puffer, static_cast<std::size_t>(ende - puffer));
  const std::size_t e = roh.find('e');
  std::string ziffern;
  for (const char c : roh.substr(0, e)) {
    if (IstZiffer(c)) ziffern += c;
  }
  if (ziffern.size() > 15) return RealGestalten(mitStellen(17));
  int exponent = 0;
  std::from_chars(roh.data() + e + 1 + (roh[e + 1] == '+' ? 1 : 0), roh.data() + roh.size(), exponent);
  const auto stellen = static_cast<std::size_t>(std::max(exponent, 0)) + 1;  // digits before the comma
  std::string text = roh.front() == '-' ? "-" : "";
  if (exponent < -4 || exponent >= 15) {
    text += ziffern.front();
    if (ziffern.size() > 1) text.append(",").append(ziffern, 1);
    text.append(exponent < 0 ? "E-" : "E").append(std::to_string(exponent < 0 ? -exponent : exponent));
  } else if (exponent < 0) {
    text.append("0,").append(static_cast<std::size_t>(-exponent - 1), '0').append(ziffern);
  } else if (ziffern.size() <= stellen) {
    text.append(ziffern).append(stellen - ziffern.size(), '0');
  } else {
    text.append(ziffern, 0, stellen).append(",").append(ziffern, stellen);
  }
  return text;
}

char ZiffernTaste(char key) { return (IstZiffer(key) || key == kRuecktaste) ? key : 0; }

char BuchstabenTaste(char key) {
  return ((key >= 'A' && key <= 'Z') || (key >= 'a' && key <= 'z')) ? key : 0;
}

char DezimalTaste(std::string_view text, char key, char sep) {
  if ((key == '.' || key == ',') && sep != '#') key = sep;
  if (!IstZiffer(key) && key != kRuecktaste && (key != sep || sep == '#')) key = 0;
  if (key == sep && text.find(sep) != std::string_view::npos) return 0;
  return key;
}

}  // namespace orvano
