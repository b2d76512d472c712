#include "search/AdressPruefung.h"

#include <gtest/gtest.h>

#include "support/Datenordner.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;

TStrassenRecord Strasse(std::int32_t plz, const char* name, const char* ab = "", const char* bis = "") {
  TStrassenRecord s = test::StrassenSatz(plz, name, "");
  s.AbNr.setzen(ab);
  s.BisNr.setzen(bis);
  return s;
}

class AdressPruefungTest : public ::testing::Test {
 protected:
  AdressPruefungTest() {
    db.PLZTabelle.resize(1, TPLZRecord{});
    for (const TPLZRecord& r : {test::PLZSatz("Bonn", 53111), test::PLZSatz("K\xF6ln", 50667), test::PLZSatz("Bad Godesberg", 53173),
                                test::PLZSatz("Bonn", 53113), test::PLZSatz("Dorf", 99998)}) {
      db.PLZTabelle.push_back(r);
    }
    db.PLZAnzahl = 5;
    db.StrassenTabelle.resize(1, TStrassenRecord{});
    for (const TStrassenRecord& s : {Strasse(53111, "Markt", "1", "20"), Strasse(53111, "Marktgasse"), Strasse(53111, "Martkweg"),
                                     Strasse(53111, "Markt", "30", "40b"), Strasse(53111, "Stra\xDF" "e des 17. Juni", "5", "5"),
                                     Strasse(53111, "Bergweg"), Strasse(53111, "Burgweg")}) {
      db.StrassenTabelle.push_back(s);
    }
    db.StrassenZahl = 7;
  }
  Datenbestand db;
};

TEST_F(AdressPruefungTest, EachFindingInItsOrderWithItsSuggestion) {
  const AdressPruefer p(db);
  // Without a street the list has no street column.
  auto befund = [&](const char* plz, const char* ort, const char* strasse = nullptr, const char* nr = "") {
    const AdressBefund b = p.pruefen(plz, ort, strasse ? strasse : "", nr, strasse != nullptr);
    return b.status + "|" + b.vorschlag;
  };
  EXPECT_EQ(befund("53112", "Bonn"), "PLZ unbekannt|53111");    // the first record of the place
  EXPECT_EQ(befund("5311", "Nirgendwo"), "PLZ unbekannt|");
  EXPECT_EQ(befund("", "Bonn"), "PLZ unbekannt|53111");
  EXPECT_EQ(befund("53111", "K\xF6ln"), "Ort passt nicht|Bonn");
  EXPECT_EQ(befund("D-53111", " bonn "), "OK|");                  // digits of the code, place by comparison
  EXPECT_EQ(befund("53111", "Bonn", "Markd"), "Strasse unbekannt|Markt");
  // Two names one edit away: the first in the file.
  EXPECT_EQ(befund("53111", "Bonn", "Birgweg"), "Strasse unbekannt|Bergweg");
  EXPECT_EQ(befund("53111", "Bonn", "Hauptstrasse"), "Strasse unbekannt|");  // nothing within 2
  EXPECT_EQ(befund("53111", "Bonn", "MARKT", "25"), "Hausnummer ausserhalb|");
  EXPECT_EQ(befund("53111", "Bonn", "Markt", "35a"), "OK|");     // in the second entry's range
  EXPECT_EQ(befund("53111", "Bonn", "Markt", "a"), "OK|");       // no number to compare
  EXPECT_EQ(befund("53111", "Bonn", "Marktgasse", "999"), "OK|"); // an entry without numbers
  EXPECT_EQ(befund("53111", "Bonn", "Strasse des 17 Juni", "5"), "OK|");
  EXPECT_EQ(befund("53111", "Bonn", "Strasse des 17 Juni", "6"), "Hausnummer ausserhalb|");
  // Never OK for what was not checked: a row without its street, a code without any street.
  EXPECT_EQ(befund("53111", "Bonn", "  "), "Strasse fehlt|");
  EXPECT_EQ(befund("53113", "Bonn", "Irgendwo", "3"), "Strassen nicht gepr\xC3\xBC" "ft|");
}

// Laufamholzstraße lies under 90482; 90480 has no street in the folder, so a row that puts it
// there cannot be confirmed.
TEST_F(AdressPruefungTest, ACodeWithoutStreetsIsNotConfirmed) {
  db.PLZTabelle.push_back(test::PLZSatz("N\xFCrnberg", 90480));
  db.PLZTabelle.push_back(test::PLZSatz("N\xFCrnberg", 90482));
  db.PLZAnzahl = 7;
  db.StrassenTabelle.push_back(Strasse(90482, "Laufamholzstra\xDF" "e", "1", "300"));
  db.StrassenZahl = 8;
  const AdressPruefer p(db);
  EXPECT_EQ(p.pruefen("90480", "N\xFCrnberg", "Laufamholzstra\xDF" "e", "150").status, "Strassen nicht gepr\xC3\xBC" "ft");
  EXPECT_EQ(p.pruefen("90482", "N\xFCrnberg", "Laufamholzstrasse", "150").status, "OK");
  EXPECT_EQ(p.pruefen("90482", "N\xFCrnberg", "", "150").status, "Strasse fehlt");
}

TEST_F(AdressPruefungTest, ListsOfAnyOrderSeparatorAndEncodingAreReadAndWrittenBackAsTheyCame) {
  test::TempOrdner t;
  // Columns in another order with an extra one, UTF-8, commas.
  DateiSchreiben(t / "utf8.csv", "Kunde,Nr,stra\xC3\x9F" "e,ort,plz\r\nM\xC3\xBCller,7,Markt,Bonn,53111\r\nX,,,K\xC3\xB6ln,53111\r\n");
  AdressPruefErgebnis e = AdressListePruefen(db, t / "utf8.csv", KeinFortschritt());
  EXPECT_EQ(e.trenner, ',');
  EXPECT_EQ(e.spalten.plz, 4);
  EXPECT_EQ(e.spalten.ort, 3);
  EXPECT_EQ(e.spalten.strasse, 2);
  EXPECT_EQ(e.spalten.nr, 1);
  ASSERT_EQ(e.befunde.size(), 2u);
  EXPECT_EQ(e.befunde[0].status, "OK");
  EXPECT_EQ(e.befunde[1].status, "Ort passt nicht");
  AdressListeSchreiben(db, e, t / "utf8_aus.csv");
  EXPECT_EQ(DateiLesen(t / "utf8_aus.csv"),
            "Kunde,Nr,stra\xC3\x9F" "e,ort,plz,Status,Vorschlag\r\nM\xC3\xBC" "ller,7,Markt,Bonn,53111,OK,\r\nX,,,K\xC3\xB6ln,53111,Ort passt nicht,Bonn\r\n");
  // Windows-1252 with tabs and "Hausnummer".
  DateiSchreiben(t / "ansi.txt", "PLZ\tOrt\tStrasse\tHausnummer\n50667\tK\xF6ln\t\t\n");
  e = AdressListePruefen(db, t / "ansi.txt", KeinFortschritt());
  EXPECT_EQ(e.trenner, '\t');
  ASSERT_EQ(e.befunde.size(), 1u);
  EXPECT_EQ(e.befunde[0].status, "Strasse fehlt");
  AdressListeSchreiben(db, e, t / "ansi_aus.txt");
  EXPECT_EQ(DateiLesen(t / "ansi_aus.txt"), "PLZ\tOrt\tStrasse\tHausnummer\tStatus\tVorschlag\r\n50667\tK\xF6ln\t\t\tStrasse fehlt\t\r\n");
  // The status is written in the list's own encoding.
  DateiSchreiben(t / "bonn.txt", "PLZ\tOrt\tStrasse\n53113\tBonn\tAm Hof\n");
  e = AdressListePruefen(db, t / "bonn.txt", KeinFortschritt());
  AdressListeSchreiben(db, e, t / "bonn_aus.txt");
  EXPECT_EQ(DateiLesen(t / "bonn_aus.txt"), "PLZ\tOrt\tStrasse\tStatus\tVorschlag\r\n53113\tBonn\tAm Hof\tStrassen nicht gepr\xFC" "ft\t\r\n");
  // Quoted cells, as a spreadsheet writes them, are read by what stands between the quotes.
  DateiSchreiben(t / "quoted.csv", "\"PLZ\";\"Ort\";\"Strasse\"\n\"53111\";\"Bonn\";\"Markt\"\n");
  e = AdressListePruefen(db, t / "quoted.csv", KeinFortschritt());
  EXPECT_EQ(e.spalten.strasse, 2);
  ASSERT_EQ(e.befunde.size(), 1u);
  EXPECT_EQ(e.befunde[0].status, "OK");
  // Without a place column there is nothing to check against.
  DateiSchreiben(t / "ohne.csv", "PLZ;Name\n53111;A\n");
  try {
    AdressListePruefen(db, t / "ohne.csv", KeinFortschritt());
    ADD_FAILURE() << "no error";
  } catch (const DateiFehler& f) {
    EXPECT_NE(std::string(f.what()).find("gefunden: PLZ, Name"), std::string::npos) << f.what();
  }
}

TEST(Levenshtein, EditsCountOneEach) {
  EXPECT_EQ(Levenshtein("", ""), 0u);
  EXPECT_EQ(Levenshtein("markt", "markd"), 1u);
  EXPECT_EQ(Levenshtein("markt", "mark"), 1u);
  EXPECT_EQ(Levenshtein("kitten", "sitting"), 3u);
  EXPECT_EQ(ListenTrenner("a;b,c;d"), ';');
  EXPECT_EQ(ListenTrenner("a,b,c;d"), ',');
  EXPECT_EQ(ListenTrenner("a\tb"), '\t');
}

}  // namespace
}  // namespace orvano
