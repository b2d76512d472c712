#include "core/Texte.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace orvano {
namespace {

TEST(Bereinigen, BlanksAndRuns) {
  EXPECT_EQ(LeerzeichenEntfernen("  "), "");
  EXPECT_EQ(LeerzeichenEntfernen(" a b "), "ab");
  EXPECT_EQ(LeerzeichenEntfernen("a\tb"), "a\tb");
  EXPECT_EQ(RechtsAbschneiden("12000", '0'), "12");
  EXPECT_EQ(RechtsAbschneiden("000", '0'), "");
  EXPECT_EQ(RechtsAbschneiden("0120", '0'), "012");
  EXPECT_EQ(LinksAbschneiden("000", '0'), "");
  EXPECT_EQ(LinksAbschneiden("00120", '0'), "120");
  EXPECT_EQ(NurZiffern("D-67 433x"), "67433");
  EXPECT_EQ(PunktZuKomma("1.2.3"), "1,2,3");
  EXPECT_EQ(ZahlNormieren(" 52 , 5 "), "52.5");
}

TEST(Bereinigen, VorDemPunkt) {
  EXPECT_EQ(VorDemPunkt("Format1.imp"), "Format1");
  EXPECT_EQ(VorDemPunkt("a.b.c"), "a");
  EXPECT_EQ(VorDemPunkt("ohne"), "ohne");
  EXPECT_EQ(VorDemPunkt(".x"), "");
  EXPECT_EQ(VorDemPunkt(""), "");
}

TEST(Vergleich, TexteGleichIgnoresPunctuationAndAsciiCase) {
  EXPECT_TRUE(TexteGleich("Frankfurt (Oder)", "FRANKFURT/ODER"));
  EXPECT_TRUE(TexteGleich("Sankt-Peter", "Sankt Peter"));
  EXPECT_TRUE(TexteGleich("St. Ingbert", "st ingbert"));
  EXPECT_FALSE(TexteGleich("M\xFCnchen", "M\xDCNCHEN"));  // umlauts keep their case
  EXPECT_FALSE(TexteGleich("Halle", "Hallé"));
  EXPECT_EQ(VergleichsText("a,b/c(d)e.f-g h"), "ABCDEFGH");
}

TEST(Vergleich, StreetNamesAreNormalisedBeforeComparing) {
  EXPECT_TRUE(StrassenGleich("Hauptstra\xDF" "e", "Haupt-Strasse", "1", "1", "9", "9"));
  EXPECT_TRUE(StrassenGleich("M\xFCllerweg", "Muellerweg", "", "", "", ""));
  EXPECT_TRUE(StrassenGleich("\xDC" "berweg", "ueberweg", "", "", "", ""));
  EXPECT_TRUE(StrassenGleich("Am (alten) Hof", "amaltenhof", "", "", "", ""));
  EXPECT_TRUE(StrassenGleich("K\xF6nig_Str.", "Koenigstr", "", "", "", ""));
  EXPECT_FALSE(StrassenGleich("Hauptstra\xDF" "e", "Hauptstra\xDF" "e", "1", "01", "9", "9"));
  EXPECT_FALSE(StrassenGleich("Hauptstra\xDF" "e", "Hauptstra\xDF" "e", "1", "1", "9", "9a"));
  EXPECT_FALSE(StrassenGleich("Ringweg", "Ringstr", "", "", "", ""));
  EXPECT_EQ(StrassenNameNormieren("\xC4" "u\xDF" "ere G\xE4" "rten"), "aeusseregaerten");
}

// The normalisations as they were first written, step by step, to hold the one-pass versions to.
std::string Ohne(std::string_view s, std::string_view weg) {
  std::string out;
  for (const char c : s) {
    if (weg.find(c) == std::string_view::npos) out += c;
  }
  return out;
}

std::string VergleichsTextSchritte(std::string_view s) {
  std::string t = Ohne(s, " ,/().-");
  for (char& c : t) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
  return t;
}

std::string StrassenNameSchritte(std::string_view s) {
  std::string t;
  for (const char c : Ohne(s, " .-_")) {
    if (c == '\xDF') t += "ss";
    else if (c != '(' && c != ')' && c != '\'') t += c;
  }
  for (char& c : t) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  std::string out;
  for (const char c : t) {
    if (c == '\xFC' || c == '\xDC') out += "ue";
    else if (c == '\xF6' || c == '\xD6') out += "oe";
    else if (c == '\xE4' || c == '\xC4') out += "ae";
    else out += c;
  }
  return out;
}

TEST(Bereinigen, OnePassNormalisationsEqualTheStepwiseOnesForEveryPairOfBytes) {
  std::string gepuffert = "vorher";
  for (int a = 0; a < 256; ++a) {
    for (int b = 0; b < 256; ++b) {
      const char zwei[] = {static_cast<char>(a), static_cast<char>(b)};
      const std::string_view s(zwei, 2);
      ASSERT_EQ(VergleichsText(s), VergleichsTextSchritte(s)) << a << ' ' << b;
      ASSERT_EQ(StrassenNameNormieren(s), StrassenNameSchritte(s)) << a << ' ' << b;
    }
  }
  // Appending keeps what the buffer held.
  StrassenNameAnhaengen(gepuffert, "Gro\xDF" "e Stra\xDF" "e");
  VergleichsTextAnhaengen(gepuffert, "St. Ingen-Nord");
  EXPECT_EQ(gepuffert, "vorhergrossestrasseSTINGENNORD");
}

TEST(Zahlen, TextZuRealReadsGermanNotation) {
  EXPECT_DOUBLE_EQ(TextZuReal("8,6543"), 8.6543);
  EXPECT_DOUBLE_EQ(TextZuReal("1.000"), 1000);
  EXPECT_DOUBLE_EQ(TextZuReal("1.234,5"), 1234.5);
  EXPECT_DOUBLE_EQ(TextZuReal("52,52"), 52.52);
  EXPECT_DOUBLE_EQ(TextZuReal("-7,5"), -7.5);
  EXPECT_DOUBLE_EQ(TextZuReal(" 1 2,5 "), 12.5);
  EXPECT_DOUBLE_EQ(TextZuReal("52.5167"), 525167);
  EXPECT_EQ(TextZuReal("abc"), 0);
  EXPECT_EQ(TextZuReal(""), 0);
  EXPECT_EQ(TextZuReal("1,2,3"), 0);
  EXPECT_EQ(TextZuReal("inf"), 0);
  EXPECT_EQ(TextZuReal("0x10"), 0);
  EXPECT_EQ(TextZuReal(","), 0);
}

TEST(Zahlen, TextZuZahlReadsWhole32BitNumbersOnly) {
  EXPECT_EQ(TextZuZahl("01067"), 1067);
  EXPECT_EQ(TextZuZahl(" 1 2"), 12);
  EXPECT_EQ(TextZuZahl("-30"), -30);
  EXPECT_EQ(TextZuZahl("+30"), 30);
  EXPECT_EQ(TextZuZahl("12a"), 0);
  EXPECT_EQ(TextZuZahl(""), 0);
  EXPECT_EQ(TextZuZahl("1,5"), 0);
  EXPECT_EQ(TextZuZahl("2147483647"), 2147483647);
  EXPECT_EQ(TextZuZahl("2147483648"), 0);
  EXPECT_EQ(TextZuZahl("+-1"), 0);
  EXPECT_EQ(TextZuZahl("$FF"), 0);
}

TEST(Zahlen, NumbersIgnoreTheUsersLocale) {
  const char* alt = std::setlocale(LC_ALL, nullptr);
  const std::string gemerkt = alt ? alt : "C";
  if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr) std::setlocale(LC_ALL, "C.UTF-8");
  EXPECT_DOUBLE_EQ(TextZuReal("52,5"), 52.5);
  EXPECT_EQ(RealZuText(52.5), "52,5");
  std::setlocale(LC_ALL, gemerkt.c_str());
}

TEST(Zahlen, RealZuTextGivesTheShortGeneralForm) {
  EXPECT_EQ(RealZuText(52.52), "52,52");
  EXPECT_EQ(RealZuText(13.405), "13,405");
  EXPECT_EQ(RealZuText(0), "0");
  EXPECT_EQ(RealZuText(-7.25), "-7,25");
  EXPECT_EQ(RealZuText(1000), "1000");
  // 15 significant digits where they read back as the same double, 17 where they do not.
  EXPECT_EQ(RealZuText(0.1 + 0.2), "0,30000000000000004");
  for (double d : {0.1 + 0.2, 13.123456789012344, -0.0, 1e-300, 123456789.12345678}) {
    const double zurueck = TextZuReal(RealZuText(d));
    EXPECT_EQ(std::memcmp(&zurueck, &d, sizeof d), 0) << RealZuText(d);
  }
  EXPECT_EQ(RealZuText(1e20), "1E20");
  EXPECT_EQ(RealZuText(0.00001), "1E-5");
  // Against the plain way, written out: printf's %.15g where that reads back bit for bit, else
  // %.17g; comma, capital E, no plus sign, no leading zeros in the exponent. Any bit pattern,
  // subnormals, huge exponents and everyday coordinates.
  auto plain = [](double d) {
    char b[48];
    std::snprintf(b, sizeof b, "%.15g", d);
    const double zurueck = std::strtod(b, nullptr);
    if (std::memcmp(&zurueck, &d, sizeof d) != 0) std::snprintf(b, sizeof b, "%.17g", d);
    std::string s = b;
    std::replace(s.begin(), s.end(), '.', ',');
    if (const auto e = s.find('e'); e != std::string::npos) {
      std::string exponent = s.substr(e + 1);
      const bool minus = exponent.front() == '-';
      exponent.erase(0, 1);
      exponent.erase(0, std::min(exponent.find_first_not_of('0'), exponent.size() - 1));
      s = s.substr(0, e) + (minus ? "E-" : "E") + exponent;
    }
    return s;
  };
  std::vector<double> werte = {0.0, -0.0, 1e15, 1e14, 123456789012345.0, 1234567890123456.0, 0.0001, 0.00012345, 1e-5,
                               5e-324, 1.7976931348623157e308, 52.52, 13.405, 47.0, -118.25, 0.1 + 0.2};
  std::uint64_t z = 0x9E3779B97F4A7C15u;
  for (int i = 0; i < 100000; ++i) {
    z ^= z << 13, z ^= z >> 7, z ^= z << 17;
    double d;
    std::memcpy(&d, &z, sizeof d);
    if (std::isfinite(d)) werte.push_back(d);
    werte.push_back(static_cast<double>(z % 180000000) / 1000000.0 - 90.0);  // six decimals of a coordinate
  }
  for (const double d : werte) ASSERT_EQ(RealZuText(d), plain(d)) << d;
  EXPECT_DOUBLE_EQ(TextZuReal(RealZuText(51.123456789)), 51.123456789);
}

TEST(Tasten, DigitAndLetterFilters) {
  EXPECT_EQ(ZiffernTaste('7'), '7');
  EXPECT_EQ(ZiffernTaste(kRuecktaste), kRuecktaste);
  EXPECT_EQ(ZiffernTaste('a'), 0);
  EXPECT_EQ(ZiffernTaste('-'), 0);
  EXPECT_EQ(BuchstabenTaste('q'), 'q');
  EXPECT_EQ(BuchstabenTaste('Q'), 'Q');
  EXPECT_EQ(BuchstabenTaste('\xE4'), 0);
  EXPECT_EQ(BuchstabenTaste(kRuecktaste), 0);
}

TEST(Tasten, DezimalTasteAdmitsOneSeparator) {
  EXPECT_EQ(DezimalTaste("85", '.', ','), ',');
  EXPECT_EQ(DezimalTaste("85", ',', ','), ',');
  EXPECT_EQ(DezimalTaste("8,5", ',', ','), 0);
  EXPECT_EQ(DezimalTaste("8,5", '.', ','), 0);
  EXPECT_EQ(DezimalTaste("8,5", '3', ','), '3');
  EXPECT_EQ(DezimalTaste("8,5", kRuecktaste, ','), kRuecktaste);
  EXPECT_EQ(DezimalTaste("8", '-', ','), 0);
  EXPECT_EQ(DezimalTaste("8", 'e', ','), 0);
}

TEST(Tasten, DezimalTasteWithHashAdmitsWholeNumbersOnly) {
  EXPECT_EQ(DezimalTaste("85", '.', '#'), 0);
  EXPECT_EQ(DezimalTaste("85", ',', '#'), 0);
  EXPECT_EQ(DezimalTaste("85", '#', '#'), 0);
  EXPECT_EQ(DezimalTaste("85", '4', '#'), '4');
  EXPECT_EQ(DezimalTaste("85", kRuecktaste, '#'), kRuecktaste);
}

}  // namespace
}  // namespace orvano
