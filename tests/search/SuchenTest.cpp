#include "search/Suchen.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/Start.h"
#include "core/Texte.h"
#include "support/Antworten.h"
#include "support/Datenordner.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::PLZSatz;
using test::StrassenSatz;

SuchAuftrag Auftrag(const char* feld, const char* text, bool genau = false, const char* feld2 = "", const char* text2 = "",
                    std::int32_t start = 1, bool plz = true) {
  SuchAuftrag a;
  a.plz = plz;
  a.feld = feld;
  a.text = text;
  a.genau = genau;
  a.feld2 = feld2;
  a.text2 = text2;
  a.start = start;
  return a;
}

class Suchen : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgrammOrdnerSetzen(t.pfad());
    std::filesystem::create_directories(t / "Ord_1");
  }
  // Loads both tables; invalid streets stay in the file.
  void laden() {
    struct Nein : Rueckfragen {
      void meldung(const std::string&) override {}
      bool frage(const std::string&) override { return false; }
    } nein;
    db.PLZLaden(nein);
    db.StrassenLaden(KeinFortschritt(), nein);
  }
  std::vector<std::int32_t> suchen(SuchAuftrag a) { return FeldSuchen(db, a, KeinFortschritt()).positionen; }
  // The rows of a result as the window fills them.
  Tabelle zeilen(const SuchErgebnis& e, bool plz) {
    Tabelle tab(kSuchSpalten, static_cast<int>(e.positionen.size()) + 1);
    for (std::size_t i = 0; i < e.positionen.size(); ++i) {
      const auto k = static_cast<std::size_t>(e.positionen[i]);
      tab.setZeile(static_cast<int>(i) + 1, plz ? PLZSuchZeile(db.PLZTabelle[k], e.positionen[i])
                                                : StrassenSuchZeile(db.StrassenTabelle[k], e.positionen[i]));
      if (!e.markiert[i]) tab.setZelle(kSuchSpalteMarke, static_cast<int>(i) + 1, "");
    }
    return tab;
  }
  test::TempOrdner t;
  Datenbestand db;
};

TEST_F(Suchen, TheMatchRuleOfBothConditions) {
  TPLZRecord alt = PLZSatz("Berlin-Mitte", 10115);
  alt.Ortsteil.setzen("Altstadt");
  TPLZRecord neu = PLZSatz("Berlin", 1067);
  neu.Ortsteil.setzen("Neu-Altona");
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>{alt, neu, PLZSatz("Berlin", 10117)});
  laden();
  EXPECT_EQ(suchen(Auftrag("Ort", "Berlin")), (std::vector<std::int32_t>{1, 2, 3}));
  EXPECT_EQ(suchen(Auftrag("Ort", "Berlin", true)), (std::vector<std::int32_t>{2, 3}));
  EXPECT_EQ(suchen(Auftrag("Ort", "berlin")), std::vector<std::int32_t>{}) << "case counts";
  EXPECT_EQ(suchen(Auftrag("Postleitzahl", "0106")), std::vector<std::int32_t>{2}) << "01067 as it is shown";
  EXPECT_EQ(suchen(Auftrag("Postleitzahl", "106")), std::vector<std::int32_t>{2});
  EXPECT_EQ(suchen(Auftrag("Ort", "Berlin", false, "Ortsteil", "Alt")), (std::vector<std::int32_t>{1, 3}))
      << "an empty Ortsteil is not filtered";
  EXPECT_EQ(suchen(Auftrag("Ort", "Berlin", false, "Ortsteil")), (std::vector<std::int32_t>{1, 2, 3}))
      << "postal codes: no second text, no second condition";
  EXPECT_EQ(suchen(Auftrag("Ort", "Berlin", false, "", "", 3)), std::vector<std::int32_t>{3});
  EXPECT_EQ(suchen(Auftrag("Ort", "Berlin", false, "", "", 99)), std::vector<std::int32_t>{});

  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp",
                         std::vector<TStrassenRecord>{StrassenSatz(1067, "Weg", "A"), StrassenSatz(1067, "Weg", "")});
  laden();
  EXPECT_EQ(suchen(Auftrag("Strasse", "Weg", false, "Ort", "", 1, false)), std::vector<std::int32_t>{2})
      << "streets: a second field without text lets only an empty value through";
}

// Of three records of one code whose places differ in blanks and case, the first is listed
// twice and marked once, the second once, the third is kept.
TEST_F(Suchen, DoublePostalCodesAreListedAsThePairLoopDoes) {
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>{PLZSatz("Bad Homburg", 61348), PLZSatz("Kiel", 24103),
                                                                       PLZSatz("BadHomburg", 61348), PLZSatz("bad homburg", 61348),
                                                                       PLZSatz("Bad Homburg", 61350)});
  laden();
  const SuchErgebnis e = DoppeltePLZ(db, 1, KeinFortschritt());
  EXPECT_EQ(e.positionen, (std::vector<std::int32_t>{1, 1, 3}));
  EXPECT_EQ(e.markiert, (std::vector<bool>{true, false, true}));
  EXPECT_EQ(DoppeltePLZ(db, 2, KeinFortschritt()).positionen, std::vector<std::int32_t>{3});

  // Deleting the marked rows keeps the third record and every other one.
  const Tabelle tab = zeilen(e, true);
  EXPECT_EQ(ZeilenLoeschen(db, true, tab, MarkierteZeilen(tab), KeinFortschritt()), 2);
  laden();
  EXPECT_EQ(db.PLZAnzahl, 3);
  EXPECT_EQ(db.PLZTabelle[2].Ort.text(), "bad homburg");
}

TEST_F(Suchen, DoublePostalCodesByGroupingAreThoseOfThePairLoop) {
  const char* orte[] = {"Bad Homburg", "BadHomburg", "bad homburg", "Bad-Homburg", "Kiel", "KIEL "};
  std::vector<TPLZRecord> plz;
  std::uint32_t z = 99;
  for (int i = 0; i < 400; ++i) {
    z = z * 1103515245u + 12345u;
    plz.push_back(PLZSatz(orte[(z >> 8) % 6], 61348 + static_cast<std::int32_t>((z >> 16) % 3)));
  }
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", plz);
  laden();
  auto schluessel = [&](std::int32_t k) {
    return GrossText(LeerzeichenEntfernen(db.PLZTabelle[static_cast<std::size_t>(k)].Ort.text()));
  };
  for (std::int32_t start : {1, 150}) {
    std::vector<std::int32_t> zeilen;
    for (std::int32_t b = start; b <= db.PLZAnzahl; ++b) {
      for (std::int32_t i = b + 1; i <= db.PLZAnzahl; ++i) {
        if (db.PLZTabelle[static_cast<std::size_t>(b)].PLZ == db.PLZTabelle[static_cast<std::size_t>(i)].PLZ &&
            schluessel(b) == schluessel(i)) {
          zeilen.push_back(b);
        }
      }
    }
    std::vector<bool> marken(zeilen.size(), true);
    for (std::size_t r = 0; r < zeilen.size(); ++r) {
      for (std::size_t l = r + 1; l < zeilen.size(); ++l) {
        if (zeilen[l] == zeilen[r]) marken[l] = false;
      }
    }
    const SuchErgebnis e = DoppeltePLZ(db, start, KeinFortschritt());
    EXPECT_EQ(e.positionen, zeilen) << start;
    EXPECT_EQ(e.markiert, marken) << start;
  }
}

// Street rows go back to their place in the file, which lies behind invalid entries the
// loading skipped; every other byte of the file stays.
TEST_F(Suchen, StreetRowsAreWrittenAtTheirFilePositionAndNothingElseChanges) {
  TStrassenRecord a = StrassenSatz(1067, "Altmarkt", "Dresden");
  a.Ort.zeichen[39] = 'x';  // behind the counted text: kept
  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp",
                         std::vector<TStrassenRecord>{StrassenSatz(0, "ung\xFCltig"), StrassenSatz(5, " "), a, StrassenSatz(1067, "Zeil", "Dresden")});
  const std::string vorher = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
  laden();
  ASSERT_EQ(db.StrassenZahl, 2);
  const SuchErgebnis e = FeldSuchen(db, Auftrag("Strasse", "markt", false, "", "", 1, false), KeinFortschritt());
  ASSERT_EQ(e.positionen, std::vector<std::int32_t>{1});
  Tabelle tab = zeilen(e, false);
  tab.setZelle(15, 1, "Neumarkt");
  EXPECT_EQ(ZeilenZurueckschreiben(db, false, tab, KeinFortschritt()), 1);
  const std::string nachher = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
  TStrassenRecord erwartet = a;
  erwartet.Strasse.setzen("Neumarkt");
  std::string soll = vorher;
  std::memcpy(soll.data() + 2 * 126, &erwartet, 126);
  EXPECT_EQ(nachher, soll);
  // Nothing marked, nothing written.
  tab.setZelle(kSuchSpalteMarke, 1, "");
  EXPECT_EQ(ZeilenZurueckschreiben(db, false, tab, KeinFortschritt()), 0);
}

TEST_F(Suchen, UntouchedCellsKeepEveryByteOfAPostalCodeRecord) {
  TPLZRecord r = PLZSatz("Dresden", 1067);
  r.Breitengrad = 0.1 + 0.2;
  r.AbBisNr = 4711;
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>{r});
  const std::string vorher = test::DateiLesen(t / "Ord_1/Dat_D.ppp");
  laden();
  Tabelle tab = zeilen(FeldSuchen(db, Auftrag("Ort", "Dresden"), KeinFortschritt()), true);
  EXPECT_EQ(ZeilenZurueckschreiben(db, true, tab, KeinFortschritt()), 1);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), vorher);
  std::filesystem::permissions(t / "Ord_1/Dat_D.ppp", std::filesystem::perms::owner_read);
  EXPECT_THROW(ZeilenZurueckschreiben(db, true, tab, KeinFortschritt()), DateiFehler);
}

}  // namespace
}  // namespace orvano
