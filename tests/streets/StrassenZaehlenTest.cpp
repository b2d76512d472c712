#include "streets/StrassenZaehlen.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/Start.h"
#include "core/Texte.h"
#include "support/Antworten.h"
#include "support/Datenordner.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::Antworten;
using test::DateiLesen;
using test::PLZSatz;
using test::StrassenSatz;

class Zaehlen : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgrammOrdnerSetzen(t.pfad());
    std::filesystem::create_directories(t / "Ord_1");
  }
  // LEEREFRAGE: the file holds invalid entries, and keeping them is asked once.
  void laden(Datenbestand& d, bool leereFrage = false) {
    Antworten nein = leereFrage ? Antworten{false} : Antworten{};
    d.PLZLaden(nein);
    d.StrassenLaden(KeinFortschritt(), nein);
  }
  std::string plzDatei() const { return t / "Ord_1/Dat_D.ppp"; }
  std::string strassenDatei() const { return t / "Ord_1/Strassen_D.ppp"; }
  test::TempOrdner t;
};

// Every street against every record, one after the other: a street counts for the first record
// in use of its code with a TexteGleich place, or, when its place is blank or no record of the
// code has it, for the first record in use of its code.
void SchlichtZaehlen(Datenbestand& db) {
  for (std::int32_t k = 1; k <= db.PLZAnzahl; ++k) {
    db.PLZTabelle[static_cast<std::size_t>(k)].AbBisNr = 99999999;
    db.PLZTabelle[static_cast<std::size_t>(k)].Strassen = 0;
  }
  for (std::int32_t c = 1; c <= db.StrassenZahl; ++c) {
    const TStrassenRecord& s = db.StrassenTabelle[static_cast<std::size_t>(c)];
    std::int32_t erster = 0, gleich = 0;
    for (std::int32_t k = 1; k <= db.PLZAnzahl && gleich == 0; ++k) {
      const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
      if (!InBenutzung(r) || r.PLZ != s.PLZ) continue;
      if (erster == 0) erster = k;
      if (!VergleichsText(s.Ort.text()).empty() && TexteGleich(r.Ort.text(), s.Ort.text())) gleich = k;
    }
    const std::int32_t k = gleich != 0 ? gleich : erster;
    if (k == 0) continue;
    TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
    if (c < r.AbBisNr) r.AbBisNr = c;
    r.Strassen = r.Strassen + 1;
  }
}

TEST_F(Zaehlen, GivesTheCountsOfEveryStreetAgainstEveryRecord) {
  // Places that contain each other, one whose comparison text is empty, a code shared by two places and the same
  // code and place twice.
  const char* orte[] = {"Frankfurt a. M.", "Frankfurt", "Bad Soden", "-", "Offenbach"};
  const char* strassenOrte[] = {"Frankfurt a.M.", "FRANKFURT", "Bad-Soden", "", "Soden", "Hanau", "Frankfurt am Main"};
  std::vector<TPLZRecord> plz;
  for (int i = 0; i < 40; ++i) plz.push_back(PLZSatz(orte[i % 5], 60000 + (i * 7) % 17));
  plz.push_back(PLZSatz("Frankfurt a. M.", 60000));
  test::RecordsSchreiben(plzDatei(), plz);
  std::vector<TStrassenRecord> strassen;
  std::uint32_t z = 4711;
  auto zufall = [&](std::uint32_t n) {
    z = z * 1103515245u + 12345u;
    return (z >> 8) % n;
  };
  for (int i = 0; i < 2000; ++i) {
    strassen.push_back(StrassenSatz(60000 + static_cast<std::int32_t>(zufall(20)), "Zeil", strassenOrte[zufall(7)]));
  }
  test::RecordsSchreiben(strassenDatei(), strassen);

  Datenbestand schlicht, db;
  laden(schlicht);
  SchlichtZaehlen(schlicht);
  laden(db);
  Antworten keine;
  const ZaehlErgebnis e = StrassenZaehlen(db, KeinFortschritt(), keine);
  EXPECT_FALSE(e.abgebrochen);
  EXPECT_EQ(e.geaendert, 41) << "every record had 0 and 0 before";
  std::int32_t gezaehlt = 0;
  for (std::int32_t k = 1; k <= db.PLZAnzahl; ++k) {
    const TPLZRecord& a = schlicht.PLZTabelle[static_cast<std::size_t>(k)];
    const TPLZRecord& b = db.PLZTabelle[static_cast<std::size_t>(k)];
    EXPECT_EQ(b.Strassen, a.Strassen) << k;
    EXPECT_EQ(b.AbBisNr, a.AbBisNr) << k;
    gezaehlt += b.Strassen;
  }
  // Every street of a code that has a record counts exactly once.
  std::int32_t mitSatz = 0;
  for (std::int32_t c = 1; c <= db.StrassenZahl; ++c) {
    const std::int32_t code = db.StrassenTabelle[static_cast<std::size_t>(c)].PLZ;
    for (const TPLZRecord& r : plz) {
      if (r.PLZ == code) {
        ++mitSatz;
        break;
      }
    }
  }
  EXPECT_EQ(gezaehlt, mitSatz);
  EXPECT_GT(db.PLZTabelle[1].Strassen, 0);
  EXPECT_EQ(db.PLZTabelle[41].Strassen, 0) << "the same code and place twice: the first record has the streets";
  // The file holds the counts; a second run changes nothing.
  Datenbestand neu;
  laden(neu);
  ASSERT_EQ(neu.PLZAnzahl, 41);
  EXPECT_EQ(neu.PLZTabelle[41].Strassen, db.PLZTabelle[41].Strassen);
  EXPECT_EQ(StrassenNeuZaehlen(neu, KeinFortschritt()).geaendert, 0);
}

class SofortAbbrechen : public Fortschritt {
 public:
  bool abbrechen() override { return true; }
};

TEST_F(Zaehlen, FirstPositionsAreFilePositionsAndACancelWritesNothing) {
  test::RecordsSchreiben(plzDatei(), std::vector<TPLZRecord>{PLZSatz("Bonn", 53111), PLZSatz("K\xF6ln", 50667)});
  std::vector<TStrassenRecord> strassen{StrassenSatz(53111, "   ", "Bonn"), StrassenSatz(0, "Markt", "Bonn"),
                                        StrassenSatz(50667, "Domkloster", "K\xF6ln"), StrassenSatz(53111, "Markt", "Bonn")};
  test::RecordsSchreiben(strassenDatei(), strassen);
  Datenbestand db;
  laden(db, true);
  ASSERT_EQ(db.StrassenZahl, 2) << "two invalid entries skipped";
  Antworten keine;
  StrassenZaehlen(db, KeinFortschritt(), keine);
  EXPECT_EQ(db.PLZTabelle[1].AbBisNr, 4) << "Markt is the fourth record of the file";
  EXPECT_EQ(db.PLZTabelle[2].AbBisNr, 3);

  // 5000 streets reach the first check for Escape.
  strassen.assign(5000, StrassenSatz(53111, "Markt", "Bonn"));
  test::RecordsSchreiben(strassenDatei(), strassen);
  laden(db);
  const std::string vorher = DateiLesen(plzDatei());
  SofortAbbrechen esc;
  EXPECT_TRUE(StrassenZaehlen(db, esc, keine).abgebrochen);
  EXPECT_EQ(DateiLesen(plzDatei()), vorher);
  EXPECT_EQ(db.PLZTabelle[1].Strassen, 1) << "the table was loaded again";
}

}  // namespace
}  // namespace orvano
