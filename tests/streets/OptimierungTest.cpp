#include "streets/Optimierung.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/Start.h"
#include "core/Texte.h"
#include "support/Abschuss.h"
#include "support/Antworten.h"
#include "support/Datenordner.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::Antworten;
using test::DateiLesen;
using test::PLZSatz;
using test::StrassenSatz;

constexpr std::int32_t kKeine = 99999999;

// The operations as the original loops state them, one comparison after the other.
namespace schlicht {

std::string PLZDatei(const RecordFeld<TPLZRecord>& t, std::int32_t n) {
  std::string roh;
  for (std::int32_t k = 1; k <= n; ++k) {
    if (InBenutzung(t[static_cast<std::size_t>(k)])) roh.append(reinterpret_cast<const char*>(&t[static_cast<std::size_t>(k)]), 300);
  }
  return roh;
}

std::string PLZOptimieren(Datenbestand& db) {
  std::vector<std::pair<std::int32_t, std::string>> gesehen;
  std::string roh;
  for (std::int32_t b = 1; b <= db.PLZAnzahl; ++b) {
    TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(b)];
    r.Strassen = 0;
    r.AbBisNr = kKeine;
    bool doppelt = false;
    for (const auto& [plz, ort] : gesehen) doppelt = doppelt || (plz == r.PLZ && ort == r.Ort.text());
    if (doppelt) continue;
    gesehen.emplace_back(r.PLZ, r.Ort.text());
    roh.append(reinterpret_cast<const char*>(&r), 300);
  }
  return roh;
}

// The record a street belongs to: the first in use of its code with a TexteGleich place, else
// (a blank place, or one no record of the code has) the first in use of its code; 0 for none.
std::int32_t Besitzer(const Datenbestand& db, const TStrassenRecord& st) {
  std::int32_t erster = 0;
  for (std::int32_t k = 1; k <= db.PLZAnzahl; ++k) {
    const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
    if (!InBenutzung(r) || r.PLZ != st.PLZ) continue;
    if (erster == 0) erster = k;
    if (!VergleichsText(st.Ort.text()).empty() && TexteGleich(r.Ort.text(), st.Ort.text())) return k;
  }
  return erster;
}

// Returns the new street file; the postal-code table holds the counts afterwards.
std::string StrassenOptimieren(Datenbestand& db) {
  std::vector<bool> genommen(static_cast<std::size_t>(db.StrassenZahl) + 1);
  std::vector<std::int32_t> behalten;
  for (std::int32_t k = 1; k <= db.PLZAnzahl; ++k) db.PLZTabelle[static_cast<std::size_t>(k)].Strassen = 0;
  for (std::int32_t k = 1; k <= db.PLZAnzahl; ++k) {
    TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
    r.AbBisNr = kKeine;
    r.Strassen = 0;
    for (std::int32_t s = 1; s <= db.StrassenZahl; ++s) {
      if (genommen[static_cast<std::size_t>(s)]) continue;
      const TStrassenRecord& st = db.StrassenTabelle[static_cast<std::size_t>(s)];
      if (Besitzer(db, st) != k) continue;
      bool doppelt = false;
      for (const std::int32_t b : behalten) {
        const TStrassenRecord& k2 = db.StrassenTabelle[static_cast<std::size_t>(b)];
        doppelt = doppelt || (Besitzer(db, k2) == k && StrassenGleich(k2.Strasse.text(), st.Strasse.text(), k2.AbNr.text(),
                                                                      st.AbNr.text(), k2.BisNr.text(), st.BisNr.text()));
      }
      if (doppelt) continue;
      behalten.push_back(s);
      const auto j = static_cast<std::int32_t>(behalten.size());
      if (j < r.AbBisNr) r.AbBisNr = j;
      r.Strassen = r.Strassen + 1;
      genommen[static_cast<std::size_t>(s)] = true;
    }
  }
  std::string roh;
  for (const std::int32_t b : behalten) roh.append(reinterpret_cast<const char*>(&db.StrassenTabelle[static_cast<std::size_t>(b)]), 126);
  return roh;
}

// Sorts the blocks of a street file by exchange, which keeps equal names in their order.
std::string StrassenSortieren(const Datenbestand& db, std::string datei) {
  const auto m = static_cast<std::int64_t>(datei.size() / 126);
  auto name = [&](std::int64_t pos) {
    TStrassenRecord s;
    std::memcpy(&s, datei.data() + (pos - 1) * 126, 126);
    return SortierName(s.Strasse.text());
  };
  for (std::int32_t k = 1; k <= db.PLZAnzahl; ++k) {
    const TPLZRecord& r = db.PLZTabelle[static_cast<std::size_t>(k)];
    const std::int64_t c = r.Strassen, f = r.AbBisNr;
    if (c == 0 || c == kKeine || f < 1) continue;
    const std::int64_t ende = std::min(f + c - 1, m);
    for (std::int64_t i = f + 1; i <= ende; ++i) {
      for (std::int64_t j = i; j > f && name(j - 1) > name(j); --j) {
        std::swap_ranges(datei.begin() + (j - 2) * 126, datei.begin() + (j - 1) * 126, datei.begin() + (j - 1) * 126);
      }
    }
  }
  return datei;
}

}  // namespace schlicht

class Optimierung : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgrammOrdnerSetzen(t.pfad());
    std::filesystem::create_directories(t / "Ord_1");
    o.datum = "2024-03-05";
    o.strassenFragen = false;
  }
  void laden(Datenbestand& d) {
    Antworten nein;
    d.PLZLaden(nein);
    d.StrassenLaden(KeinFortschritt(), nein);
  }
  std::string plzDatei() const { return t / "Ord_1/Dat_D.ppp"; }
  std::string strassenDatei() const { return t / "Ord_1/Strassen_D.ppp"; }
  test::TempOrdner t;
  Datenbestand db;
  OptimierungsOptionen o;
};

// Places, codes, names and house numbers drawn from small sets, so that every rule meets its
// cases: variants of a place and of a street name, orphans, a code shared by two places and
// two records with the same code and place.
void Erzeugen(const std::string& plzDatei, const std::string& strassenDatei) {
  const char* orte[] = {"Frankfurt a. M.", "Bad Soden", "Offenbach", "Hanau"};
  const char* ortVarianten[] = {"Frankfurt a.M.", "Bad-Soden", "OFFENBACH", "Hanau", "Nirgendwo"};
  const char* namen[] = {"Haupt-Stra\xDF" "e", "hauptstrasse", "Hauptstrasse", "M\xFCllerweg", "Muellerweg", "Zeil",
                         "zeil", "\xC4" "pfelgasse", "Ahornweg", "Birkenweg"};
  const char* nummern[] = {"1", "01", "2", "2 ", ""};
  std::vector<TPLZRecord> plz;
  for (int i = 0; i < 60; ++i) plz.push_back(PLZSatz(orte[i % 4], 60000 + (i * 7) % 23));
  plz.push_back(PLZSatz("Frankfurt a. M.", 60000));  // same code and place again
  plz.push_back(PLZSatz("frankfurt a. m.", 60000));  // differs in case only
  test::RecordsSchreiben(plzDatei, plz);
  std::vector<TStrassenRecord> strassen;
  std::uint32_t z = 12345;
  auto zufall = [&](std::uint32_t n) {
    z = z * 1103515245u + 12345u;
    return (z >> 8) % n;
  };
  for (int i = 0; i < 3000; ++i) {
    TStrassenRecord s = StrassenSatz(60000 + static_cast<std::int32_t>(zufall(26)), namen[zufall(10)], ortVarianten[zufall(5)]);
    s.AbNr.setzen(nummern[zufall(5)]);
    s.BisNr.setzen(nummern[zufall(5)]);
    s.HausNrKz = static_cast<char>('0' + zufall(2));
    strassen.push_back(s);
  }
  test::RecordsSchreiben(strassenDatei, strassen);
}

TEST_F(Optimierung, GivesTheSameFilesAsTheOriginalLoops) {
  Erzeugen(plzDatei(), strassenDatei());
  Datenbestand plain;
  laden(plain);
  const std::string plzErwartet = schlicht::PLZOptimieren(plain);
  laden(db);
  Antworten keine;
  const auto p = PLZOptimieren(db, o, KeinFortschritt(), keine);
  EXPECT_GT(p.doppelte, 0);
  EXPECT_TRUE(p.gespeichert);
  ASSERT_EQ(DateiLesen(plzDatei()), plzErwartet);

  laden(plain);
  const std::string strassenErwartet = schlicht::StrassenOptimieren(plain);
  const std::string plzMitZahlen = schlicht::PLZDatei(plain.PLZTabelle, plain.PLZAnzahl);
  const auto s = StrassenOptimieren(db, o, KeinFortschritt(), keine);
  EXPECT_EQ(s.alt, 3000);
  EXPECT_LT(s.neu, 3000);
  EXPECT_GT(s.neu, 100);
  ASSERT_EQ(DateiLesen(strassenDatei()), strassenErwartet);
  ASSERT_EQ(DateiLesen(plzDatei()), plzMitZahlen);

  // The sort works on the file and the counts just stored.
  laden(plain);
  const std::string sortiertErwartet = schlicht::StrassenSortieren(plain, DateiLesen(strassenDatei()));
  const auto g = StrassenSortieren(db, o, KeinFortschritt(), keine);
  EXPECT_GT(g.bewegt, 0);
  EXPECT_EQ(DateiLesen(strassenDatei()), sortiertErwartet);
  for (const char* kopie : {"Dat_D_2024-03-05_PO_Ord_1.ppp", "Strassen_D_2024-03-05_SO_Ord_1.ppp", "Strassen_D_2024-03-05_SS_Ord_1.ppp"}) {
    EXPECT_TRUE(std::filesystem::exists(t / (std::string("SichCopy/") + kopie))) << kopie;
  }
  EXPECT_EQ(db.StrassenZahl, s.neu) << "the tables were loaded again";
}

TEST_F(Optimierung, WithoutDuplicatesNothingIsAskedWrittenOrBackedUp) {
  test::RecordsSchreiben(plzDatei(), std::vector<TPLZRecord>{PLZSatz("Bonn", 53111), PLZSatz("bonn", 53111)});
  const std::string vorher = DateiLesen(plzDatei());
  laden(db);
  o.plzFragen = true;
  Antworten keine;
  const auto e = PLZOptimieren(db, o, KeinFortschritt(), keine);
  EXPECT_EQ(e.doppelte, 0);
  EXPECT_EQ(DateiLesen(plzDatei()), vorher);
  EXPECT_FALSE(std::filesystem::exists(t / "SichCopy"));
  EXPECT_EQ(db.PLZTabelle[1].AbBisNr, 0) << "the table was loaded again";
}

class SofortAbbrechen : public Fortschritt {
 public:
  bool abbrechen() override { return true; }
  void status(int panel, const std::string& text) override { texte.push_back(std::to_string(panel) + ":" + text); }
  std::vector<std::string> texte;
};

TEST_F(Optimierung, ACancelledStreetRunShowsTheCountsAndChangesNoFile) {
  Erzeugen(plzDatei(), strassenDatei());
  const std::string plzVorher = DateiLesen(plzDatei()), strassenVorher = DateiLesen(strassenDatei());
  laden(db);
  SofortAbbrechen esc;
  Antworten keine;
  const auto e = StrassenOptimieren(db, o, esc, keine);
  EXPECT_TRUE(e.abgebrochen);
  ASSERT_EQ(keine.meldungen.size(), 1u);
  EXPECT_EQ(keine.meldungen[0].rfind("Altedatei: n = 3000\rNeuedatei: n = ", 0), 0u) << keine.meldungen[0];
  EXPECT_EQ(DateiLesen(plzDatei()), plzVorher);
  EXPECT_EQ(DateiLesen(strassenDatei()), strassenVorher);
  EXPECT_EQ(db.PLZTabelle[1].Strassen, 0) << "the counts of the cancelled run are gone";
  EXPECT_EQ(esc.texte.front(), "1:Strassen-Datenbank Optimierung.  Mit ESC-Taste abbrechen");
}

TEST_F(Optimierung, TheQuestionNamesBothCountsAndNoKeepsTheFiles) {
  test::RecordsSchreiben(plzDatei(), std::vector<TPLZRecord>{PLZSatz("Bonn", 53111)});
  auto weg = StrassenSatz(53111, "Weg", "Bonn");
  auto zwei = StrassenSatz(53111, "Weg", "Bonn");
  zwei.AbNr.setzen("2 ");
  auto waise = StrassenSatz(53113, "Weg", "Bonn");
  test::RecordsSchreiben(strassenDatei(), std::vector<TStrassenRecord>{weg, weg, zwei, waise});
  const std::string vorher = DateiLesen(strassenDatei());
  laden(db);
  o.strassenFragen = true;
  Antworten nein{false};
  const auto e = StrassenOptimieren(db, o, KeinFortschritt(), nein);
  EXPECT_EQ(e.neu, 2) << "'2 ' is no duplicate of the empty number; the orphan goes";
  ASSERT_EQ(nein.fragen.size(), 1u);
  EXPECT_EQ(nein.fragen[0], "Altedatei: n = 4\rNeuedatei: n = 2\rStrassen-Datenbank in Ord_1/Strassen_D.ppp speichern?");
  EXPECT_EQ(DateiLesen(strassenDatei()), vorher);
  EXPECT_EQ(db.PLZTabelle[1].Strassen, 0) << "no count describes the unsaved file";
}

TEST_F(Optimierung, ASecondRunOnTheSameDayKeepsThatDaysBackup) {
  test::RecordsSchreiben(plzDatei(), std::vector<TPLZRecord>{PLZSatz("Bonn", 53111), PLZSatz("Bonn", 53111)});
  laden(db);
  Antworten keine;
  PLZOptimieren(db, o, KeinFortschritt(), keine);
  EXPECT_EQ(std::filesystem::file_size(t / "SichCopy/Dat_D_2024-03-05_PO_Ord_1.ppp"), 600u);
  test::RecordsSchreiben(plzDatei(), std::vector<TPLZRecord>{PLZSatz("Kiel", 24103), PLZSatz("Kiel", 24103), PLZSatz("Kiel", 24103)});
  laden(db);
  EXPECT_EQ(PLZOptimieren(db, o, KeinFortschritt(), keine).doppelte, 2);
  EXPECT_EQ(std::filesystem::file_size(t / "SichCopy/Dat_D_2024-03-05_PO_Ord_1.ppp"), 600u);
  EXPECT_EQ(std::filesystem::file_size(t / "SichCopy/Dat_D_2024-03-05_PO-2_Ord_1.ppp"), 900u);
  EXPECT_EQ(std::filesystem::file_size(plzDatei()), 300u);
}

TEST_F(Optimierung, AFailedBackupStopsTheReplace) {
  test::RecordsSchreiben(plzDatei(), std::vector<TPLZRecord>{PLZSatz("Bonn", 53111), PLZSatz("Bonn", 53111)});
  const std::string vorher = DateiLesen(plzDatei());
  test::DateiSchreiben(t / "SichCopy", "eine Datei");
  laden(db);
  Antworten keine;
  EXPECT_THROW(PLZOptimieren(db, o, KeinFortschritt(), keine), DateiFehler);
  EXPECT_EQ(DateiLesen(plzDatei()), vorher);
  EXPECT_EQ(db.PLZAnzahl, 2) << "loaded again after the error";
}

TEST_F(Optimierung, AWriteProtectedFileIsNeitherBackedUpNorReplaced) {
  test::RecordsSchreiben(plzDatei(), std::vector<TPLZRecord>{PLZSatz("Bonn", 53111), PLZSatz("Bonn", 53111)});
  std::filesystem::permissions(plzDatei(), std::filesystem::perms::owner_read);
  laden(db);
  Antworten keine;
  EXPECT_THROW(PLZOptimieren(db, o, KeinFortschritt(), keine), DateiFehler);
  EXPECT_EQ(std::filesystem::file_size(plzDatei()), 600u);
  EXPECT_FALSE(std::filesystem::exists(t / "SichCopy/Dat_D_2024-03-05_PO_Ord_1.ppp"));
}

TEST_F(Optimierung, AnEmptyPostalCodeTableCountsAsCancelledAndWritesNothing) {
  test::RecordsSchreiben(plzDatei(), std::vector<TPLZRecord>{});
  test::RecordsSchreiben(strassenDatei(), std::vector<TStrassenRecord>{StrassenSatz(1067, "Weg", "Dresden")});
  laden(db);
  Antworten keine;
  const auto e = StrassenOptimieren(db, o, KeinFortschritt(), keine);
  EXPECT_TRUE(e.abgebrochen);
  EXPECT_EQ(keine.meldungen, std::vector<std::string>{"Altedatei: n = 1\rNeuedatei: n = 0"});
  EXPECT_EQ(std::filesystem::file_size(strassenDatei()), 126u);
}

// A child optimises a large street file and is killed at a random moment: the file is the
// old one or the optimised one, never anything between.
TEST_F(Optimierung, AKilledOptimisationLeavesTheOldOrTheNewStreetFile) {
  std::vector<TPLZRecord> plz;
  for (int i = 0; i < 500; ++i) plz.push_back(PLZSatz("Ort", 10000 + i));
  test::RecordsSchreiben(plzDatei(), plz);
  std::vector<TStrassenRecord> strassen;
  for (int i = 0; i < 60000; ++i) strassen.push_back(StrassenSatz(10000 + (i * 7919) % 600, i % 3 ? "Weg" : "Gasse", "Ort"));
  test::RecordsSchreiben(strassenDatei(), strassen);
  const std::string alt = DateiLesen(strassenDatei());
  std::filesystem::copy(t / "Ord_1", t / "Ord_2");
  {
    Datenbestand probe;
    probe.OrdnerPfad = "Ord_2/";
    laden(probe);
    Antworten keine;
    StrassenOptimieren(probe, o, KeinFortschritt(), keine);
  }
  const std::string neu = DateiLesen(t / "Ord_2/Strassen_D.ppp");
  ASSERT_NE(alt, neu);
  const int mittenDrin = test::MittenImSchreibenAbschiessen(strassenDatei(), alt, neu, 8, [&] {
    Datenbestand d;
    laden(d);
    Antworten keine;
    StrassenOptimieren(d, o, KeinFortschritt(), keine);
  });
  EXPECT_GE(mittenDrin, 4) << "most kills must come while the file is written";
}

}  // namespace
}  // namespace orvano
