#include "core/TabellenSicht.h"

#include <gtest/gtest.h>

namespace orvano {
namespace {

// Ort, Postleitzahl, Vorwahl of a few places; column 3 hidden.
Tabelle Orte() {
  Tabelle t(4, 1);
  t.setFesteSpalten(1);
  t.setBreite(3, Tabelle::kVerborgen);
  const std::vector<std::vector<std::string>> zeilen = {
      {"1", "Offenbach am Main", "63065", "069"}, {"2", "\xC4" "schach", "", "BACH"},     {"3", "Bacharach", "55422", "06743"},
      {"4", "aschbach", "8209", "03744"},          {"5", "Zwickau", "n. a.", "0375"}};
  for (const auto& z : zeilen) {
    t.setZeilen(t.zeilen() + 1);
    t.setZeile(t.zeilen() - 1, z);
  }
  return t;
}

TEST(TabellenSicht, TheFilterFoldsCaseAndAccentsAndSkipsHiddenAndFixedColumns) {
  const Tabelle t = Orte();
  SichtWahl w;
  w.filter = "BACH";
  EXPECT_EQ(SichtZeilen(t, w), (std::vector<int>{1, 3, 4})) << "the hidden column's BACH does not count";
  w.filter = "\xE4" "sch";
  EXPECT_EQ(SichtZeilen(t, w), (std::vector<int>{2}));
  w.filter = "5";
  w.filterSpalte = 2;
  EXPECT_EQ(SichtZeilen(t, w), (std::vector<int>{1, 3})) << "the running number 5 is no cell to search";
}

TEST(TabellenSicht, NumbersSortByValueEmptyFirstOtherTextLastAndTextsFolded) {
  const Tabelle t = Orte();
  SichtWahl w;
  w.sortSpalte = 2;
  w.sortArt = SortArt::Zahl;
  EXPECT_EQ(SichtZeilen(t, w), (std::vector<int>{2, 4, 3, 1, 5}));
  w.absteigend = true;
  EXPECT_EQ(SichtZeilen(t, w), (std::vector<int>{5, 1, 3, 4, 2}));
  w = SichtWahl{};
  w.sortSpalte = 1;
  // As text: a, ä (folded from Ä), b, o, z by their codes after folding.
  EXPECT_EQ(SichtZeilen(t, w), (std::vector<int>{4, 3, 1, 5, 2}));
  w.filter = "ach";
  EXPECT_EQ(SichtZeilen(t, w), (std::vector<int>{4, 3, 1, 2}));
}

}  // namespace
}  // namespace orvano
