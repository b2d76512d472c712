#include "search/Pruefen.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/Dateien.h"
#include "core/Start.h"
#include "core/Texte.h"
#include "support/Antworten.h"
#include "support/Datenordner.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::PLZSatz;
using test::StrassenSatz;

// The check as the original pair loop states it.
template <class Gleich>
std::vector<std::int32_t> PaarSchleife(std::int32_t start, std::int32_t n, Gleich gleich) {
  std::vector<std::int32_t> zeilen;
  for (std::int32_t b = std::max(start, 1); b <= n; ++b) {
    for (std::int32_t i = b + 1; i <= n; ++i) {
      if (gleich(b, i) && (zeilen.empty() || zeilen.back() != b)) zeilen.push_back(b);
    }
  }
  return zeilen;
}

class Pruefen : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgrammOrdnerSetzen(t.pfad());
    std::filesystem::create_directories(t / "Ord_1");
  }
  void laden() {
    test::Antworten nein;
    db.PLZLaden(nein);
    db.StrassenLaden(KeinFortschritt(), nein);
  }
  test::TempOrdner t;
  Datenbestand db;
};

TEST_F(Pruefen, ListsWhatThePairLoopListsInItsOrder) {
  const char* orte[] = {"Bad Soden", "Bad-Soden", "bad soden", "Hanau", "Frankfurt (Oder)", "FRANKFURT/ODER"};
  const char* teile[] = {"", "Altenhain", "Neuenhain"};
  const char* namen[] = {"Am Markt", "Am-Markt", "am markt", "Zeil", "M\xFCllerweg"};
  const char* nummern[] = {"2", "2 ", "", "02"};
  std::vector<TPLZRecord> plz;
  std::vector<TStrassenRecord> strassen;
  std::uint32_t z = 4711;
  auto zufall = [&](std::uint32_t n) {
    z = z * 1103515245u + 12345u;
    return (z >> 8) % n;
  };
  for (int i = 0; i < 800; ++i) {
    TPLZRecord r = PLZSatz(orte[zufall(6)], 65800 + static_cast<std::int32_t>(zufall(4)));
    r.Ortsteil.setzen(teile[zufall(3)]);
    plz.push_back(r);
  }
  for (int i = 0; i < 2000; ++i) {
    TStrassenRecord s = StrassenSatz(65800 + static_cast<std::int32_t>(zufall(5)), namen[zufall(5)], orte[zufall(6)]);
    s.AbNr.setzen(nummern[zufall(4)]);
    s.BisNr.setzen(nummern[zufall(4)]);
    strassen.push_back(s);
  }
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", plz);
  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", strassen);
  laden();
  // The normalised texts once per entry, compared per pair.
  std::vector<std::string> ort(plz.size() + 1), teil(plz.size() + 1), name(strassen.size() + 1);
  for (std::int32_t k = 1; k <= db.PLZAnzahl; ++k) {
    ort[static_cast<std::size_t>(k)] = VergleichsText(db.PLZTabelle[static_cast<std::size_t>(k)].Ort.text());
    teil[static_cast<std::size_t>(k)] = VergleichsText(db.PLZTabelle[static_cast<std::size_t>(k)].Ortsteil.text());
  }
  for (std::int32_t k = 1; k <= db.StrassenZahl; ++k) {
    name[static_cast<std::size_t>(k)] = VergleichsText(db.StrassenTabelle[static_cast<std::size_t>(k)].Strasse.text());
  }
  auto plzGleich = [&](std::int32_t a, std::int32_t b) {
    const auto i = static_cast<std::size_t>(a), j = static_cast<std::size_t>(b);
    return ort[i] == ort[j] && db.PLZTabelle[i].PLZ == db.PLZTabelle[j].PLZ && teil[i] == teil[j];
  };
  auto strassenGleich = [&](std::int32_t a, std::int32_t b) {
    const auto i = static_cast<std::size_t>(a), j = static_cast<std::size_t>(b);
    const TStrassenRecord &x = db.StrassenTabelle[i], &y = db.StrassenTabelle[j];
    return x.PLZ == y.PLZ && name[i] == name[j] && x.AbNr.text() == y.AbNr.text() && x.BisNr.text() == y.BisNr.text();
  };
  for (std::int32_t start : {0, 250, 5000}) {
    const auto p = PLZDoppelte(db, start, KeinFortschritt());
    EXPECT_EQ(p.positionen, PaarSchleife(start, db.PLZAnzahl, plzGleich)) << start;
    const auto s = StrassenDoppelte(db, start, KeinFortschritt());
    EXPECT_EQ(s.positionen, PaarSchleife(start, db.StrassenZahl, strassenGleich)) << start;
  }
  EXPECT_GT(PLZDoppelte(db, 1, KeinFortschritt()).positionen.size(), 100u);
}

TEST_F(Pruefen, OfThreeEqualRecordsTheLastStaysAndDeletingRewritesTheFile) {
  std::vector<TPLZRecord> plz;
  for (int i = 1; i <= 12; ++i) plz.push_back(PLZSatz(("Ort" + std::to_string(i)).c_str(), 10000 + i));
  plz[3] = plz[8] = plz[11] = PLZSatz("Bad Soden", 65812);
  plz[8].Ort.setzen("Bad-Soden");
  plz[5] = PLZSatz("Bad Soden", 65812);
  plz[5].Ortsteil.setzen("Altenhain");
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", plz);
  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp",
                         std::vector<TStrassenRecord>{StrassenSatz(1, "Am Markt", "Neustadt"), StrassenSatz(1, "Am Markt", "Altstadt")});
  laden();
  const auto e = PLZDoppelte(db, 1, KeinFortschritt());
  EXPECT_EQ(e.positionen, (std::vector<std::int32_t>{4, 9}));
  EXPECT_EQ(PruefMeldung(e.positionen.size()), "2 Doppelte Eintr\xC3\xA4ge gefunden");
  EXPECT_EQ(PruefMeldung(0), "Keine Doppelte Eintr\xC3\xA4ge gefunden");
  EXPECT_EQ(StrassenDoppelte(db, 1, KeinFortschritt()).positionen, std::vector<std::int32_t>{1}) << "the place is not compared";
  test::Antworten keine;
  PLZDoppelteLoeschen(db, e.positionen, KeinFortschritt(), keine);
  EXPECT_EQ(db.PLZAnzahl, 10);
  EXPECT_EQ(db.PLZTabelle[10].Ort.text(), "Bad Soden") << "record 12 stays";
  EXPECT_EQ(db.PLZTabelle[7].Ort.text(), "Ort8");
  EXPECT_EQ(PLZPruefZeile(db.PLZTabelle[10], 10)[10], "10");
}

TEST_F(Pruefen, DuplicatesFoundInATableAreNotDeletedFromAFileWrittenSince) {
  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", std::vector<TStrassenRecord>{StrassenSatz(1, "Markt"), StrassenSatz(1, "Markt"),
                                                                                 StrassenSatz(2, "Hof")});
  laden();
  const auto e = StrassenDoppelte(db, 1, KeinFortschritt());
  ASSERT_EQ(e.positionen, std::vector<std::int32_t>{1});
  // Another program put a street in front: position 1 is now another street.
  const std::vector<TStrassenRecord> anders{StrassenSatz(3, "Neu"), StrassenSatz(1, "Markt"), StrassenSatz(1, "Markt"), StrassenSatz(2, "Hof")};
  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", anders);
  const std::string vorher = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
  test::Antworten keine;
  try {
    StrassenDoppelteLoeschen(db, e.positionen, KeinFortschritt(), keine);
    ADD_FAILURE() << "deleted by stale positions";
  } catch (const DateiFehler& f) {
    EXPECT_EQ(std::string(f.what()).rfind(Datenbestand::VeraendertText(t / "Ord_1/Strassen_D.ppp"), 0), 0u) << f.what();
  }
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Strassen_D.ppp"), vorher);
}

}  // namespace
}  // namespace orvano
