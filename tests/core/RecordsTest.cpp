#include "core/Records.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace orvano {
namespace {

TEST(KurzText, StoringCutsToTheCapacity) {
  TStrassenRecord r{};
  r.Strasse.setzen(std::string(70, 'x'));
  EXPECT_EQ(r.Strasse.laenge, 65);
  EXPECT_EQ(r.Strasse.text(), std::string(65, 'x'));
  r.AbNr.setzen("1234567");
  EXPECT_EQ(r.AbNr.text(), "123456");
  // Cutting must not spill into the next field.
  EXPECT_EQ(r.BisNr.laenge, 0);
}

TEST(KurzText, OverwritingWithShorterTextKeepsTheBytesBehindIt) {
  TPLZRecord r{};
  r.Ort.setzen("Frankfurt am Main");
  r.Ort.setzen("Bonn");
  EXPECT_EQ(r.Ort.text(), "Bonn");
  EXPECT_EQ(std::string(r.Ort.zeichen, 17), "Bonnkfurt am Main");
}

TEST(KurzText, BytesBehindTheCountedTextAreIgnoredOnReading) {
  TPLZRecord r{};
  std::memset(r.Staat.zeichen, 'X', 2);
  r.Staat.laenge = 1;
  r.Staat.zeichen[0] = 'D';
  EXPECT_EQ(r.Staat.text(), "D");
}

TEST(KurzText, ADamagedLengthByteNeverReadsPastTheField) {
  TPLZRecord r{};
  r.Autokennzeichen.setzen("ABC");
  r.Autokennzeichen.laenge = 200;
  EXPECT_EQ(r.Autokennzeichen.text(), "ABC");
}

TEST(Records, RecordsBuiltFromScratchAreAllZero) {
  const TPLZRecord p{};
  const TStrassenRecord s{};
  const auto* pb = reinterpret_cast<const unsigned char*>(&p);
  const auto* sb = reinterpret_cast<const unsigned char*>(&s);
  for (std::size_t i = 0; i < sizeof p; ++i) ASSERT_EQ(pb[i], 0) << i;
  for (std::size_t i = 0; i < sizeof s; ++i) ASSERT_EQ(sb[i], 0) << i;
}

TEST(Records, FieldsLandAtTheirFileOffsets) {
  TPLZRecord r{};
  r.Ort.setzen("Berlin");
  r.PLZ = 10115;
  r.Breitengrad = 52.52;
  unsigned char roh[300];
  std::memcpy(roh, &r, 300);
  EXPECT_EQ(roh[176], 6);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(roh + 177), 6), "Berlin");
  EXPECT_EQ(roh[284] | roh[285] << 8 | roh[286] << 16, 10115);
  double b = 0;
  std::memcpy(&b, roh + 264, 8);
  EXPECT_EQ(b, 52.52);
}

TEST(Gueltigkeit, APostalCodeRecordNeedsOrtAndPlz) {
  TPLZRecord r{};
  EXPECT_FALSE(InBenutzung(r));
  r.Ort.setzen("Bonn");
  EXPECT_FALSE(InBenutzung(r));
  r.PLZ = 53111;
  EXPECT_TRUE(InBenutzung(r));
  r.Ort.setzen("");
  EXPECT_FALSE(InBenutzung(r));
}

TEST(Gueltigkeit, AStreetNeedsAPlzBetween1And99999AndANonBlankName) {
  TStrassenRecord s{};
  s.Strasse.setzen("Hauptstra\xDF" "e");
  for (const auto& [plz, gueltig] : {std::pair{0, false}, {1, true}, {99999, true}, {100000, false}, {-5, false}}) {
    s.PLZ = plz;
    EXPECT_EQ(StrasseGueltig(s), gueltig) << plz;
  }
  s.PLZ = 1067;
  s.Strasse.setzen(" ");
  EXPECT_FALSE(StrasseGueltig(s));
  s.Strasse.setzen("  a ");
  EXPECT_TRUE(StrasseGueltig(s));
  // Only blanks count as empty; a tab is a character.
  s.Strasse.setzen("\t");
  EXPECT_TRUE(StrasseGueltig(s));
}

// The count over a file's bytes gives what the record test gives, record by record.
TEST(Gueltigkeit, TheBlockCountAgreesWithTheRecordTest) {
  std::vector<TStrassenRecord> saetze;
  auto satz = [&](std::int32_t plz, const char* name, int laenge = -1) {
    TStrassenRecord s{};
    s.PLZ = plz;
    s.Ort.setzen("Dresden");
    s.Strasse.setzen(name);
    if (laenge >= 0) s.Strasse.laenge = static_cast<std::uint8_t>(laenge);
    saetze.push_back(s);
  };
  satz(1067, "Prager Stra\xDF" "e");
  satz(1067, "   Altmarkt");
  satz(1067, "     ");
  satz(0, "Wilsdruffer Stra\xDF" "e");
  satz(99999, "Am Ende");
  satz(100000, "Jenseits");
  satz(-1067, "Negativ");
  satz(1069, "");
  satz(1069, "x", 200);  // a damaged length byte: the field's 65 bytes are all it has
  satz(1069, "\t");
  std::int64_t einzeln = 0;
  for (const TStrassenRecord& s : saetze) einzeln += StrasseGueltig(s) ? 1 : 0;
  EXPECT_EQ(einzeln, 5);
  EXPECT_EQ(GueltigeStrassen(reinterpret_cast<const char*>(saetze.data()), saetze.size()), einzeln);
  EXPECT_EQ(GueltigeStrassen(reinterpret_cast<const char*>(saetze.data()) + 3 * sizeof(TStrassenRecord), 4), 1);
}

TEST(AbgeleiteteTexte, GermanCodesGetOneLeadingZero) {
  EXPECT_EQ(PLZText(1067, 'D'), "01067");
  EXPECT_EQ(PLZText(123, 'D'), "0123");
  EXPECT_EQ(PLZText(10115, 'D'), "10115");
  EXPECT_EQ(PLZText(1010, 'A'), "1010");
  EXPECT_EQ(PLZText(1010, 'C'), "1010");
  EXPECT_EQ(PLZText(0, 'D'), "00");
}

TEST(AbgeleiteteTexte, DiallingCode) {
  EXPECT_EQ(VorwahlText(0), "");
  EXPECT_EQ(VorwahlText(89), "089");
  EXPECT_EQ(VorwahlText(30), "030");
}

TEST(Laender, LetterAndIsoCodeComeFromTheFirstCharacter) {
  EXPECT_EQ(LandBuchstabe('D'), 'D');
  EXPECT_EQ(LandBuchstabe('S'), 'C');
  EXPECT_EQ(LandBuchstabe('\xD6'), 'A');
  EXPECT_EQ(LandBuchstabe('d'), ' ');
  EXPECT_EQ(LandISO('D'), "DE");
  EXPECT_EQ(LandISO('A'), "AT");
  EXPECT_EQ(LandISO('\xD6'), "AT");
  EXPECT_EQ(LandISO('C'), "CH");
  EXPECT_EQ(LandISO('S'), "CH");
  EXPECT_EQ(LandISO('X'), "");
}

}  // namespace
}  // namespace orvano
