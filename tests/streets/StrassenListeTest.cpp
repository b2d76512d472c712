#include "streets/StrassenListe.h"

#include <gtest/gtest.h>


#include <cstring>
#include <filesystem>
#include <map>
#include <set>

#include "core/RecordDatei.h"
#include "core/Start.h"
#include "core/Texte.h"
#include "streets/StrassenZaehlen.h"
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

TEST_F(Liste, FillingListsEveryStreetTheSaveReplacesAndOnlyUpdateModeStoresCounts) {
  // Bonn's streets at positions 2 and 4, one of them without a place; Beuel shares the code.
  // Bonn's stored count (1) is too small: the list is not cut by it.
  schreiben({mit(PLZSatz("Bonn", 53111), 1, 2), mit(PLZSatz("Beuel", 53111), 0, 0)},
            {StrassenSatz(53111, "Rhein", "Beuel"), StrassenSatz(53111, "Markt", "Bonn"), StrassenSatz(53111, "Hof", "Beuel"),
             StrassenSatz(53111, "Remigiusstr.", "")});
  laden();
  const std::string plzVorher = test::DateiLesen(t / "Ord_1/Dat_D.ppp");
  Antworten keine;
  StrassenListe l = StrassenListeFuellen(db, 1, false, 'D', KeinFortschritt(), keine);
  EXPECT_FALSE(l.zahlenGespeichert);
  EXPECT_EQ(l.zeilen, (std::vector<StrassenZeile>{{"Bonn", "53111", "Markt", "", ""}, {"Bonn", "53111", "Remigiusstr.", "", ""}}))
      << "a blank place is the record's";
  EXPECT_EQ(l.positionen, (std::vector<std::int32_t>{2, 4}));
  EXPECT_EQ(db.PLZTabelle[1].Strassen, 1) << "showing a list stores nothing";
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), plzVorher);

  l = StrassenListeFuellen(db, 1, true, 'D', KeinFortschritt(), keine);
  EXPECT_TRUE(l.zahlenGespeichert);
  ASSERT_EQ(l.zeilen.size(), 2u);
  EXPECT_EQ(db.PLZTabelle[1].Strassen, 2);
  EXPECT_EQ(db.PLZTabelle[1].AbBisNr, 2);
  // Update mode with true figures writes nothing.
  const std::string plzWahr = test::DateiLesen(t / "Ord_1/Dat_D.ppp");
  EXPECT_FALSE(StrassenListeFuellen(db, 1, true, 'D', KeinFortschritt(), keine).zahlenGespeichert);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), plzWahr);

  // A stored count that no street backs: Beuel's streets are listed whatever it says, the
  // placeless one too, which the code's places share.
  db.PLZTabelle[2].Strassen = 5;
  db.PLZTabelle[2].AbBisNr = 4;
  l = StrassenListeFuellen(db, 2, false, 'D', KeinFortschritt(), keine);
  EXPECT_EQ(l.zeilen, (std::vector<StrassenZeile>{
                          {"Beuel", "53111", "Rhein", "", ""}, {"Beuel", "53111", "Hof", "", ""}, {"Beuel", "53111", "Remigiusstr.", "", ""}}));

  // A record without streets: one row of its place and code, and no position.
  db.PLZTabelle[2].PLZ = 53113;
  l = StrassenListeFuellen(db, 2, false, 'D', KeinFortschritt(), keine);
  EXPECT_EQ(l.zeilen, (std::vector<StrassenZeile>{{"Beuel", "53113", "", "", ""}}));
  EXPECT_TRUE(l.positionen.empty());
}

// Cancels at the Nth question for Escape.
class AbbruchNach : public Fortschritt {
 public:
  explicit AbbruchNach(int n) : n_(n) {}
  bool abbrechen() override { return --n_ <= 0; }

 private:
  int n_;
};

TEST_F(Liste, ACancelledFillOrSaveStoresAndReplacesNothing) {
  std::vector<TStrassenRecord> strassen;
  for (int i = 0; i < 12000; ++i) strassen.push_back(StrassenSatz(10000, ("Weg " + std::to_string(i)).c_str(), "Ort"));
  schreiben({mit(PLZSatz("Ort", 10000), 3, 1)}, strassen);
  laden();
  const std::string plzVorher = test::DateiLesen(t / "Ord_1/Dat_D.ppp");
  const std::string strassenVorher = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
  Antworten keine;
  AbbruchNach zweite(2);
  const StrassenListe l = StrassenListeFuellen(db, 1, true, 'D', zweite, keine);
  EXPECT_TRUE(l.abgebrochen);
  EXPECT_EQ(l.zeilen.size(), 5000u) << "the rows up to the cancel";
  EXPECT_FALSE(l.zahlenGespeichert) << "a partial count is never stored";

  Antworten ja{true, true};
  AbbruchNach erste(1);
  const ListenSpeicherung e = StrassenListeSpeichern(db, 1, {{"Ort", "10000", "Neu", "", ""}}, "Ord_1", erste, ja);
  EXPECT_TRUE(e.abgebrochen);
  EXPECT_FALSE(e.gespeichert);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), plzVorher);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Strassen_D.ppp"), strassenVorher);
}

TEST_F(Liste, SavingReplacesTheRecordsStreetsAtTheFirstOfThemAndKeepsTheOthers) {
  // An invalid entry before the record's streets; Beuel shares Bonn's code.
  schreiben({mit(PLZSatz("Bonn", 53111), 2, 3), mit(PLZSatz("Beuel", 53111), 1, 2), mit(PLZSatz("K\xF6ln", 50667), 0, 0)},
            {StrassenSatz(53111, "  ", "Bonn"), StrassenSatz(53111, "Rhein", "Beuel"), StrassenSatz(53111, "Markt", "Bonn"),
             StrassenSatz(50667, "Dom", "K\xF6ln"), StrassenSatz(53111, "Remigiusstr.", "")});
  laden(true);
  Antworten ja{true, true};
  const ListenSpeicherung e = StrassenListeSpeichern(
      db, 1, {{"Bonn", "53111", "Markt", "1", ""}, {"Bonn", "53111", "", "", ""}, {"Bonn", "53111", "Neugasse", "", ""}}, "Ord_1",
      KeinFortschritt(), ja);
  ASSERT_TRUE(e.gespeichert);
  EXPECT_EQ(ja.fragen[0], "\xC3\x84nderung in Tempor\xC3\xA4re Datei speichern?");
  EXPECT_EQ(ja.fragen[1], "Strassen-Datenbank Ord_1/Strassen_D.ppp speichern?");
  EXPECT_EQ(datei(), (std::vector<std::string>{"53111 Bonn   ", "53111 Beuel Rhein", "53111 Bonn Markt", "53111 Bonn Neugasse",
                                               "50667 K\xF6ln Dom"}))
      << "the emptied row and the blank-place entry are gone, Beuel's street and the invalid entry the user kept stay";
  EXPECT_EQ(e.strassen, 2);
  EXPECT_EQ(e.entfernt, 2);
  EXPECT_EQ(db.PLZTabelle[1].Strassen, 2);
  EXPECT_EQ(db.PLZTabelle[1].AbBisNr, 3) << "file position of Markt in the new file";
  EXPECT_EQ(db.StrassenZahl, 4) << "loaded again";

  // Köln's first streets go to the end; the second question declined changes nothing.
  const std::string plzVorher = test::DateiLesen(t / "Ord_1/Dat_D.ppp"), strassenVorher = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
  Antworten nein{true, false};
  EXPECT_FALSE(StrassenListeSpeichern(db, 3, {{"K\xF6ln", "50667", "", "", ""}}, "Ord_1", KeinFortschritt(), nein).gespeichert);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), plzVorher);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Strassen_D.ppp"), strassenVorher);
  // A street of blanks is no street: Köln is left without any.
  Antworten ja3{true, true};
  StrassenListeSpeichern(db, 3, {{"K\xF6ln", "50667", "   ", "", ""}}, "Ord_1", KeinFortschritt(), ja3);
  EXPECT_EQ(datei().size(), 4u);
  EXPECT_EQ(db.PLZTabelle[3].Strassen, 0);
  EXPECT_EQ(db.PLZTabelle[3].AbBisNr, 99999999);
  Antworten ja2{true, true};
  const std::vector<StrassenZeile> neu{{"Frechen", "50226", "Hauptstr.", "", ""}};
  db.PLZTabelle[3].PLZ = 50226;
  db.PLZTabelle[3].Ort.setzen("Frechen");
  StrassenListeSpeichern(db, 3, neu, "Ord_1", KeinFortschritt(), ja2);
  EXPECT_EQ(datei().back(), "50226 Frechen Hauptstr.");
  EXPECT_EQ(db.PLZTabelle[3].AbBisNr, 5) << "the position of the first appended street";
}

// Stored counts and first positions that are too small, too large, shifted or missing must not
// decide which streets a save removes: each save changes the saved record's streets alone.
class VeralteteZahlen : public Liste {
 protected:
  void SetUp() override {
    Liste::SetUp();
    schreiben({mit(PLZSatz("Aort", 10001), 1, 2), mit(PLZSatz("Bort", 10001), 9, 1), mit(PLZSatz("Cort", 10002), 2, 7),
               mit(PLZSatz("Dort", 10003), 0, 0)},
              {StrassenSatz(10001, "b1", "Bort"), StrassenSatz(10002, "c1", "Cort"), StrassenSatz(10001, "a1", "Aort"),
               StrassenSatz(10003, "d1", "Dort"), StrassenSatz(10001, "a2", "AORT"), StrassenSatz(10002, "c2", "Cort"),
               StrassenSatz(10001, "b2", "Bort"), StrassenSatz(10003, "d2", ""), StrassenSatz(10001, "a3", "Aort")});
    laden();
  }
  // The street names of each record in the file, by the rule the window lists them by.
  std::map<std::string, std::multiset<std::string>> jeSatz() {
    std::map<std::string, std::multiset<std::string>> m;
    const std::string roh = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
    for (std::int32_t k = 1; k <= db.PLZAnzahl; ++k) {
      const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
      auto& satz = m[r.Ort.text()];
      for (std::size_t i = 0; i + sizeof(TStrassenRecord) <= roh.size(); i += sizeof(TStrassenRecord)) {
        TStrassenRecord st;
        std::memcpy(&st, roh.data() + i, sizeof st);
        if (st.PLZ == r.PLZ && (st.Ort.text().empty() || TexteGleich(st.Ort.text(), r.Ort.text()))) {
          satz.insert(st.Strasse.text() + "|" + st.AbNr.text());
        }
      }
    }
    return m;
  }
  // Every stored count and first position is what a recount of the file gives.
  void zahlenWahr() {
    Datenbestand frisch;
    Antworten nein;
    frisch.PLZLaden(nein);
    frisch.StrassenLaden(KeinFortschritt(), nein);
    std::vector<std::pair<std::int32_t, std::int32_t>> gespeichert;
    for (std::int32_t k = 1; k <= frisch.PLZAnzahl; ++k) {
      gespeichert.emplace_back(frisch.PLZTabelle[static_cast<std::size_t>(k)].Strassen, frisch.PLZTabelle[static_cast<std::size_t>(k)].AbBisNr);
    }
    StrassenNeuZaehlen(frisch, KeinFortschritt());
    for (std::int32_t k = 1; k <= frisch.PLZAnzahl; ++k) {
      const TPLZRecord& r = frisch.PLZTabelle[static_cast<std::size_t>(k)];
      EXPECT_EQ(gespeichert[static_cast<std::size_t>(k) - 1], (std::pair<std::int32_t, std::int32_t>{r.Strassen, r.AbBisNr}))
          << r.Ort.text();
    }
  }
  ListenSpeicherung speichern(std::int32_t satz, const std::vector<StrassenZeile>& zeilen) {
    Antworten ja{true, true};
    return StrassenListeSpeichern(db, satz, zeilen, "Ord_1", KeinFortschritt(), ja);
  }
};

TEST_F(VeralteteZahlen, EditSaveOpenTheNextPlaceSaveAgainLosesNoOtherStreet) {
  Antworten keine;
  std::vector<StrassenZeile> a = StrassenListeFuellen(db, 1, false, 'D', KeinFortschritt(), keine).zeilen;
  ASSERT_EQ(a.size(), 3u) << "all of Aort's streets, though its count says 1 and its position 2";
  EXPECT_EQ(a[1].ort, "AORT") << "a place of other case is the record's";
  auto vorher = jeSatz();
  a[1].strasse = "a2 neu";
  a[2].strasse = "";
  a.push_back({"Aort", "10001", "a4", "7", ""});
  a.push_back({"Aort", "10001", "a5", "", ""});
  ListenSpeicherung e = speichern(1, a);
  ASSERT_TRUE(e.gespeichert);
  EXPECT_EQ(e.entfernt, 3);
  EXPECT_EQ(e.strassen, 4);
  auto nachher = jeSatz();
  EXPECT_EQ(nachher["Aort"], (std::multiset<std::string>{"a1|", "a2 neu|", "a4|7", "a5|"}));
  for (const char* ort : {"Bort", "Cort", "Dort"}) EXPECT_EQ(nachher[ort], vorher[ort]) << ort;
  zahlenWahr();

  // The next place: its list is whole although the first save moved every entry after Aort's.
  std::vector<StrassenZeile> b = StrassenListeFuellen(db, 2, false, 'D', KeinFortschritt(), keine).zeilen;
  ASSERT_EQ(b.size(), 2u);
  b.push_back({"Bort", "10001", "b3", "", ""});
  vorher = nachher;
  ASSERT_TRUE(speichern(2, b).gespeichert);
  nachher = jeSatz();
  EXPECT_EQ(nachher["Bort"], (std::multiset<std::string>{"b1|", "b2|", "b3|"}));
  for (const char* ort : {"Aort", "Cort", "Dort"}) EXPECT_EQ(nachher[ort], vorher[ort]) << ort;
  zahlenWahr();

  // A record with a stored count of 0 lists its streets too, the placeless one under its place.
  const StrassenListe d = StrassenListeFuellen(db, 4, false, 'D', KeinFortschritt(), keine);
  EXPECT_EQ(d.zeilen, (std::vector<StrassenZeile>{{"Dort", "10003", "d1", "", ""}, {"Dort", "10003", "d2", "", ""}}));
  vorher = nachher;
  ASSERT_TRUE(speichern(4, d.zeilen).gespeichert);
  EXPECT_EQ(jeSatz(), vorher) << "saving the list unchanged keeps every record's streets";
}

TEST_F(VeralteteZahlen, AFileChangedBehindTheListIsNotOverwritten) {
  // Another program put a street in front: the positions the list came from are no longer true.
  std::string roh = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
  const TStrassenRecord fremd = StrassenSatz(10009, "Fremd", "Xort");
  roh.insert(0, reinterpret_cast<const char*>(&fremd), sizeof fremd);
  test::DateiSchreiben(t / "Ord_1/Strassen_D.ppp", roh);
  const std::string frage = Datenbestand::VeraendertText(t / "Ord_1/Strassen_D.ppp") +
                            "\rNeu laden? Ihre \xC3\x84nderungen gehen dabei verloren.";
  Antworten jaNein{true, false};
  ListenSpeicherung e = StrassenListeSpeichern(db, 1, {{"Aort", "10001", "a1", "", ""}}, "Ord_1", KeinFortschritt(), jaNein);
  EXPECT_FALSE(e.gespeichert);
  EXPECT_EQ(jaNein.fragen.back(), frage);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Strassen_D.ppp"), roh);
  // Loaded again, the list is the file's and a save goes through.
  Antworten jaJa{true, true};
  e = StrassenListeSpeichern(db, 1, {{"Aort", "10001", "a1", "", ""}}, "Ord_1", KeinFortschritt(), jaJa);
  EXPECT_TRUE(e.neuGeladen);
  EXPECT_EQ(db.StrassenZahl, 10);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Strassen_D.ppp"), roh);
  Antworten nochmal{true, true};
  EXPECT_TRUE(StrassenListeSpeichern(db, 1, {{"Aort", "10001", "a1", "", ""}}, "Ord_1", KeinFortschritt(), nochmal).gespeichert);
  EXPECT_EQ(jeSatz()["Aort"], std::multiset<std::string>{"a1|"});
  // The other program's entry is kept where it was.
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Strassen_D.ppp").substr(0, sizeof fremd), roh.substr(0, sizeof fremd));
}

TEST_F(Liste, PostalCodeRecordsWithoutPlaceAreKeptUnlessTheUserAgrees) {
  // The file holds a record without a place and one with code 0: nobody emptied them here.
  TPLZRecord ohneOrt = PLZSatz("", 10002), ohnePLZ = PLZSatz("Nirgends", 0);
  schreiben({PLZSatz("Aort", 10001), ohneOrt, ohnePLZ}, {StrassenSatz(10001, "a1", "Aort")});
  laden();
  EXPECT_EQ(db.PLZLeereGeladen(), 2);
  Antworten jaJaNein{true, true, false};
  const ListenSpeicherung e =
      StrassenListeSpeichern(db, 1, {{"Aort", "10001", "a1", "", ""}, {"Aort", "10001", "a2", "", ""}}, "Ord_1", KeinFortschritt(), jaJaNein);
  ASSERT_TRUE(e.gespeichert);
  EXPECT_EQ(jaJaNein.fragen.back(), "Dat_D.ppp enth\xC3\xA4lt 2 Datens\xC3\xA4tze ohne Ort oder PLZ.\rBeim Speichern entfernen?");
  EXPECT_EQ(e.plzAusgelassen, 0);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp").size(), 3 * sizeof(TPLZRecord)) << "No keeps them";
  // Kept once, they stay without a further question in this session.
  Antworten jaJa{true, true};
  laden();
  EXPECT_EQ(StrassenListeSpeichern(db, 1, {{"Aort", "10001", "a1", "", ""}}, "Ord_1", KeinFortschritt(), jaJa).plzAusgelassen, 0);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp").size(), 3 * sizeof(TPLZRecord));
  // Another session asks again; Yes removes them.
  Datenbestand neu;
  Antworten nein;
  neu.PLZLaden(nein);
  neu.StrassenLaden(KeinFortschritt(), nein);
  Antworten jaJaJa{true, true, true};
  EXPECT_EQ(StrassenListeSpeichern(neu, 1, {{"Aort", "10001", "a1", "", ""}}, "Ord_1", KeinFortschritt(), jaJaJa).plzAusgelassen, 2);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp").size(), sizeof(TPLZRecord));
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
    StrassenListeSpeichern(db, 1, zeilen, "Ord_1", KeinFortschritt(), ja);
  }
  const std::string neu = test::DateiLesen(datei);
  ASSERT_NE(alt, neu);
  const int mittenDrin = test::MittenImSchreibenAbschiessen(datei, alt, neu, 6, [&] {
    Datenbestand d;
    Antworten nein, ja{true, true};
    d.PLZLaden(nein);
    d.StrassenLaden(KeinFortschritt(), nein);
    StrassenListeSpeichern(d, 1, zeilen, "Ord_1", KeinFortschritt(), ja);
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
