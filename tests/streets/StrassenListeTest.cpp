#include "streets/StrassenListe.h"

#include <gtest/gtest.h>


#include <cstring>
#include <filesystem>

#include "core/RecordDatei.h"
#include "core/Start.h"
#include "support/Abschuss.h"
#include "support/Antworten.h"
#include "support/Datenordner.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::Antworten;
using test::PLZSatz;
using test::StrassenSatz;

class Liste : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgrammOrdnerSetzen(t.pfad());
    std::filesystem::create_directories(t / "Ord_1");
  }
  void schreiben(std::vector<TPLZRecord> plz, const std::vector<TStrassenRecord>& strassen) {
    test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", plz);
    test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", strassen);
  }
  void laden(bool leereFrage = false) {
    Antworten nein = leereFrage ? Antworten{false} : Antworten{};
    db.PLZLaden(nein);
    db.StrassenLaden(KeinFortschritt(), nein);
  }
  // Street names and places of the file, in file order.
  std::vector<std::string> datei() {
    std::vector<std::string> v;
    const std::string roh = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
    for (std::size_t i = 0; i + sizeof(TStrassenRecord) <= roh.size(); i += sizeof(TStrassenRecord)) {
      TStrassenRecord s;
      std::memcpy(&s, roh.data() + i, sizeof s);
      v.push_back(std::to_string(s.PLZ) + " " + s.Ort.text() + " " + s.Strasse.text());
    }
    return v;
  }
  TPLZRecord mit(TPLZRecord r, std::int32_t strassen, std::int32_t ab) {
    r.Strassen = strassen;
    r.AbBisNr = ab;
    return r;
  }
  test::TempOrdner t;
  Datenbestand db;
};

TEST_F(Liste, FillingShowsTheStoredRangeAndUpdateModeStoresTheTrueOne) {
  // Bonn's streets at positions 2 and 4, one of them without a place; Beuel shares the code.
  schreiben({mit(PLZSatz("Bonn", 53111), 1, 2), mit(PLZSatz("Beuel", 53111), 0, 0)},
            {StrassenSatz(53111, "Rhein", "Beuel"), StrassenSatz(53111, "Markt", "Bonn"), StrassenSatz(53111, "Hof", "Beuel"),
             StrassenSatz(53111, "Remigiusstr.", "")});
  laden();
  Antworten keine;
  StrassenListe l = StrassenListeFuellen(db, 1, false, 'D', keine);
  EXPECT_FALSE(l.zahlenGespeichert);
  ASSERT_EQ(l.zeilen.size(), 1u) << "no more than the stored count";
  EXPECT_EQ(l.zeilen[0], (StrassenZeile{"Bonn", "53111", "Markt", "", ""}));

  l = StrassenListeFuellen(db, 1, true, 'D', keine);
  EXPECT_TRUE(l.zahlenGespeichert);
  ASSERT_EQ(l.zeilen.size(), 2u);
  EXPECT_EQ(l.zeilen[1], (StrassenZeile{"Bonn", "53111", "Remigiusstr.", "", ""})) << "a blank place is the record's";
  EXPECT_EQ(db.PLZTabelle[1].Strassen, 2);
  EXPECT_EQ(db.PLZTabelle[1].AbBisNr, 2);

  // A record without streets: one row of its place and code, and nothing to store.
  l = StrassenListeFuellen(db, 2, false, 'D', keine);
  EXPECT_FALSE(l.zahlenGespeichert);
  ASSERT_EQ(l.zeilen.size(), 1u);
  EXPECT_EQ(l.zeilen[0], (StrassenZeile{"Beuel", "53111", "", "", ""}));

  // A stored count that no street backs is stored anew as 0, and the place row still shows.
  db.PLZTabelle[2].Strassen = 5;
  db.PLZTabelle[2].AbBisNr = 5;
  l = StrassenListeFuellen(db, 2, false, 'D', keine);
  EXPECT_TRUE(l.zahlenGespeichert);
  EXPECT_EQ(l.zeilen, (std::vector<StrassenZeile>{{"Beuel", "53111", "", "", ""}}));
  EXPECT_EQ(db.PLZTabelle[2].Strassen, 0);
}

TEST_F(Liste, SavingReplacesTheRecordsStreetsAtTheFirstOfThemAndKeepsTheOthers) {
  // An invalid entry before the record's streets; Beuel shares Bonn's code.
  schreiben({mit(PLZSatz("Bonn", 53111), 2, 3), mit(PLZSatz("Beuel", 53111), 1, 2), mit(PLZSatz("K\xF6ln", 50667), 0, 0)},
            {StrassenSatz(53111, "  ", "Bonn"), StrassenSatz(53111, "Rhein", "Beuel"), StrassenSatz(53111, "Markt", "Bonn"),
             StrassenSatz(50667, "Dom", "K\xF6ln"), StrassenSatz(53111, "Remigiusstr.", "")});
  laden(true);
  Antworten ja{true, true};
  const ListenSpeicherung e = StrassenListeSpeichern(
      db, 1, {{"Bonn", "53111", "Markt", "1", ""}, {"Bonn", "53111", "", "", ""}, {"Bonn", "53111", "Neugasse", "", ""}}, "Ord_1", false,
      KeinFortschritt(), ja);
  ASSERT_TRUE(e.gespeichert);
  EXPECT_EQ(ja.fragen[0], "\xC3\x84nderung in Tempor\xC3\xA4re Datei speichern?");
  EXPECT_EQ(ja.fragen[1], "Strassen-Datenbank Ord_1/Strassen_D.ppp speichern?");
  EXPECT_EQ(datei(), (std::vector<std::string>{"53111 Beuel Rhein", "53111 Bonn Markt", "53111 Bonn Neugasse", "50667 K\xF6ln Dom"}))
      << "the emptied row and the blank-place entry are gone, Beuel's street stays";
  EXPECT_EQ(e.strassen, 2);
  EXPECT_EQ(db.PLZTabelle[1].Strassen, 2);
  EXPECT_EQ(db.PLZTabelle[1].AbBisNr, 2) << "file position of Markt in the new file";
  EXPECT_EQ(db.StrassenZahl, 4) << "loaded again";

  // Köln's first streets go to the end; the second question declined changes nothing.
  const std::string plzVorher = test::DateiLesen(t / "Ord_1/Dat_D.ppp"), strassenVorher = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
  Antworten nein{true, false};
  EXPECT_FALSE(StrassenListeSpeichern(db, 3, {{"K\xF6ln", "50667", "", "", ""}}, "Ord_1", false, KeinFortschritt(), nein).gespeichert);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), plzVorher);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Strassen_D.ppp"), strassenVorher);
  // A street of blanks is no street: Köln is left without any.
  Antworten ja3{true, true};
  StrassenListeSpeichern(db, 3, {{"K\xF6ln", "50667", "   ", "", ""}}, "Ord_1", false, KeinFortschritt(), ja3);
  EXPECT_EQ(datei().size(), 3u);
  EXPECT_EQ(db.PLZTabelle[3].Strassen, 0);
  EXPECT_EQ(db.PLZTabelle[3].AbBisNr, 99999999);
  Antworten ja2{true, true};
  const std::vector<StrassenZeile> neu{{"Frechen", "50226", "Hauptstr.", "", ""}};
  db.PLZTabelle[3].PLZ = 50226;
  db.PLZTabelle[3].Ort.setzen("Frechen");
  StrassenListeSpeichern(db, 3, neu, "Ord_1", false, KeinFortschritt(), ja2);
  EXPECT_EQ(datei().back(), "50226 Frechen Hauptstr.");
  EXPECT_EQ(db.PLZTabelle[3].AbBisNr, 4) << "the position of the first appended street";
}

TEST_F(Liste, AKilledSaveLeavesTheOldOrTheNewStreetFile) {
  std::vector<TStrassenRecord> strassen;
  for (int i = 0; i < 80000; ++i) strassen.push_back(StrassenSatz(10000 + i % 500, "Weg", "Ort"));
  schreiben({mit(PLZSatz("Ort", 10000), 160, 1)}, strassen);
  const std::string datei = t / "Ord_1/Strassen_D.ppp";
  const std::string alt = test::DateiLesen(datei);
  const std::vector<StrassenZeile> zeilen{{"Ort", "10000", "Neuer Weg", "", ""}};
  laden();
  {
    Antworten ja{true, true};
    StrassenListeSpeichern(db, 1, zeilen, "Ord_1", false, KeinFortschritt(), ja);
  }
  const std::string neu = test::DateiLesen(datei);
  ASSERT_NE(alt, neu);
  const int mittenDrin = test::MittenImSchreibenAbschiessen(datei, alt, neu, 6, [&] {
    Datenbestand d;
    Antworten nein, ja{true, true};
    d.PLZLaden(nein);
    d.StrassenLaden(KeinFortschritt(), nein);
    StrassenListeSpeichern(d, 1, zeilen, "Ord_1", false, KeinFortschritt(), ja);
  });
  EXPECT_GE(mittenDrin, 3) << "most kills must come while the file is written";
}

TEST_F(Liste, JumpTargetsAndTheRowSort) {
  schreiben({PLZSatz("Hamburg", 20095), PLZSatz("Oberberg", 80331), PLZSatz("Berlin", 10115), PLZSatz("M\xFCnchen", 80333)}, {});
  laden();
  EXPECT_EQ(SprungZiel(db, "Ber", 'D'), 2) << "the first place containing 'ber'";
  EXPECT_EQ(SprungZiel(db, "80", 'D'), 2);
  EXPECT_EQ(SprungZiel(db, "803", 'D'), 2);
  EXPECT_EQ(SprungZiel(db, "8033", 'D'), 2);
  EXPECT_EQ(SprungZiel(db, "80333", 'D'), 4);
  EXPECT_EQ(SprungZiel(db, "1011", 'D'), 3);
  EXPECT_EQ(SprungZiel(db, "xyz", 'D'), 0);
  // Lower case sorts as capitals; other bytes by their value, after the letters.
  std::vector<StrassenZeile> z{{"", "", "zeil", "", ""}, {"", "", "\xC4pfelweg", "", ""}, {"", "", "Ahorn", "", ""}, {"", "", "ahorn", "2", ""}};
  ZeilenSortieren(z, 3, false);
  EXPECT_EQ(z[0].strasse, "Ahorn");
  EXPECT_EQ(z[1].abNr, "2") << "equal keys keep their order";
  EXPECT_EQ(z[2].strasse, "zeil");
  EXPECT_EQ(z[3].strasse, "\xC4pfelweg");
  ZeilenSortieren(z, 3, true);
  EXPECT_EQ(z[0].strasse, "\xC4pfelweg");
}

}  // namespace
}  // namespace orvano
