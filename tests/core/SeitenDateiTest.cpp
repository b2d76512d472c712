#include "core/SeitenDatei.h"

#include <gtest/gtest.h>

#include "core/Records.h"
#include "support/Datenordner.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

class Abbrechen : public Fortschritt {
 public:
  bool abbrechen() override { return true; }
};

TEST(SeitenDatei, APageHoldsOnlyWhatTheFileHas) {
  test::TempOrdner t;
  std::vector<TPLZRecord> plz;
  for (int i = 1; i <= 25; ++i) plz.push_back(test::PLZSatz("Ort", 10000 + i));
  const std::string datei = t / "Dat_D.ppp";
  test::RecordsSchreiben(datei, plz);
  test::DateiSchreiben(datei, test::DateiLesen(datei) + "abc");  // a torn last record is no record
  SeitenDatei<TPLZRecord> s(datei);
  EXPECT_EQ(s.anzahl(), 25);
  const auto seite = s.seite(21, 20);
  ASSERT_EQ(seite.size(), 5u);
  EXPECT_EQ(seite[0].PLZ, 10021);
  EXPECT_EQ(seite[4].PLZ, 10025);
  EXPECT_TRUE(s.seite(26, 20).empty());
  EXPECT_EQ(SeitenDatei<TPLZRecord>(t / "fehlt.ppp").anzahl(), 0);
}

TEST(SeitenDatei, BlockSearchFindsWhatRecordByRecordReadingFinds) {
  test::TempOrdner t;
  std::vector<TStrassenRecord> strassen;
  for (int i = 1; i <= 10000; ++i) strassen.push_back(test::StrassenSatz(i, i % 1237 == 0 || i == 4096 || i == 4097 ? "Bergweg" : "Weg"));
  const std::string datei = t / "Strassen_D.ppp";
  test::RecordsSchreiben(datei, strassen);
  SeitenDatei<TStrassenRecord> s(datei);
  auto treffer = [](std::int64_t, const TStrassenRecord& r) { return r.Strasse.text() == "Bergweg"; };
  // One seek per record, as the plain reading does it.
  auto einzeln = [&](std::int64_t start, bool rueckwaerts) -> std::int64_t {
    for (std::int64_t k = start; rueckwaerts ? k >= 1 : k <= 10000; k += rueckwaerts ? -1 : 1) {
      TStrassenRecord r;
      RecordsLesenAb(datei, k - 1, &r, 1, sizeof r);
      if (treffer(k, r)) return k;
    }
    return 0;
  };
  for (const std::int64_t start : {1, 1237, 1238, 4095, 4096, 4097, 4098, 8192, 9895, 9896, 10000}) {
    for (const bool rueckwaerts : {false, true}) {
      EXPECT_EQ(s.suchen(start, rueckwaerts, 1000, treffer, KeinFortschritt()), einzeln(start, rueckwaerts))
          << start << (rueckwaerts ? " backward" : " forward");
    }
  }
  EXPECT_EQ(s.suchen(0, false, 1000, treffer, KeinFortschritt()), 0);
  EXPECT_EQ(s.suchen(10001, true, 1000, treffer, KeinFortschritt()), 0);
  Abbrechen esc;
  EXPECT_EQ(s.suchen(1, false, 1000, treffer, esc), -1) << "Escape at the first progress step, before record 1237";
}

}  // namespace
}  // namespace orvano
