#include "core/SeitenDatei.h"

#include <gtest/gtest.h>

#include <optional>

#include "core/Records.h"
#include "support/Abschuss.h"
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

// The page save as it works on the file in place: kept rows written at the write position,
// a dropped row of the file removing the record there, dropped rows past the end ignored.
std::vector<std::int32_t> ImOrt(std::vector<std::int32_t> datei, std::int64_t start, const std::vector<std::optional<std::int32_t>>& zeilen) {
  const auto n = static_cast<std::int64_t>(datei.size());
  std::int64_t w = 1;
  for (std::size_t r = 0; r < zeilen.size(); ++r) {
    const std::int64_t p = start + w - 2;  // 0-based
    if (zeilen[r]) {
      if (p < static_cast<std::int64_t>(datei.size())) datei[static_cast<std::size_t>(p)] = *zeilen[r];
      else datei.push_back(*zeilen[r]);
      ++w;
    } else if (start + static_cast<std::int64_t>(r) <= n) {
      datei.erase(datei.begin() + p);
    }
  }
  return datei;
}

TEST(SeitenDatei, APageReplacesItsRecordsAsTheInPlaceSaveDidWithoutShiftingTheFile) {
  test::TempOrdner t;
  const std::string datei = t / "Dat_D.ppp";
  std::uint32_t z = 17;
  for (int runde = 0; runde < 40; ++runde) {
    auto zufall = [&](std::uint32_t m) {
      z = z * 1103515245u + 12345u;
      return static_cast<std::int64_t>((z >> 8) % m);
    };
    const std::int64_t n = zufall(30);
    std::vector<std::int32_t> alt;
    std::vector<TPLZRecord> plz;
    for (std::int64_t k = 1; k <= n; ++k) {
      alt.push_back(static_cast<std::int32_t>(k));
      plz.push_back(test::PLZSatz("Ort", static_cast<std::int32_t>(k)));
    }
    test::RecordsSchreiben(datei, plz);
    const std::int64_t start = 1 + zufall(static_cast<std::uint32_t>(n + 1));
    std::vector<std::optional<std::int32_t>> zeilen;
    std::vector<std::optional<TPLZRecord>> seite;
    for (std::int64_t r = zufall(12); r > 0; --r) {
      if (zufall(3) == 0) {
        zeilen.push_back(std::nullopt);
        seite.push_back(std::nullopt);
      } else {
        const auto wert = static_cast<std::int32_t>(1000 + zufall(1000));
        zeilen.push_back(wert);
        seite.push_back(test::PLZSatz("Neu", wert));
      }
    }
    const std::vector<std::int32_t> erwartet = ImOrt(alt, start, zeilen);
    EXPECT_EQ(SeitenDatei<TPLZRecord>(datei).seiteErsetzen(start, seite), static_cast<std::int64_t>(erwartet.size()));
    std::vector<std::int32_t> jetzt;
    for (const TPLZRecord& r : SeitenDatei<TPLZRecord>(datei).seite(1, 100)) jetzt.push_back(r.PLZ);
    ASSERT_EQ(jetzt, erwartet) << "Runde " << runde << ", Anfang " << start;
  }
}

TEST(SeitenDatei, AKilledPageSaveThatRemovesRecordsLeavesTheOldOrTheNewFile) {
  test::TempOrdner t;
  const std::string datei = t / "Dat_D.ppp";
  std::vector<TPLZRecord> plz;
  for (int k = 1; k <= 40000; ++k) plz.push_back(test::PLZSatz("Ort", k));
  test::RecordsSchreiben(datei, plz);
  const std::string alt = test::DateiLesen(datei);
  const std::vector<std::optional<TPLZRecord>> seite{test::PLZSatz("Neu", 7), std::nullopt, std::nullopt};
  SeitenDatei<TPLZRecord>(datei).seiteErsetzen(5, seite);
  const std::string neu = test::DateiLesen(datei);
  ASSERT_EQ(neu.size(), alt.size() - 2 * sizeof(TPLZRecord));
  const int mittenDrin = test::MittenImSchreibenAbschiessen(datei, alt, neu, 6, [&] { SeitenDatei<TPLZRecord>(datei).seiteErsetzen(5, seite); });
  EXPECT_GE(mittenDrin, 3) << "most kills must come while the file is written";
}

}  // namespace
}  // namespace orvano
