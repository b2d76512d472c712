#include "main/Sortieren.h"

#include <gtest/gtest.h>

#include "main/PLZSpalten.h"

namespace orvano {
namespace {

// A grid of the main window's shape with one column filled; LNr and the index as loaded.
Tabelle Spalte(int spalte, const std::vector<std::string>& werte) {
  Tabelle t(kPLZSpalten, static_cast<int>(werte.size()) + 1);
  for (std::size_t i = 0; i < werte.size(); ++i) {
    const int r = static_cast<int>(i) + 1;
    t.setZelle(0, r, std::to_string(r));
    t.setZelle(kSpalteIndex, r, std::to_string(r));
    t.setZelle(spalte, r, werte[i]);
  }
  return t;
}

std::vector<std::string> Werte(const Tabelle& t, int spalte) {
  std::vector<std::string> w;
  for (int r = 1; r < t.zeilen(); ++r) w.emplace_back(t.zelle(spalte, r));
  return w;
}

using Liste = std::vector<std::string>;

TEST(Sortieren, TextColumnsAscendWithTheLeftButtonByWindows1252Codes) {
  Tabelle t = Spalte(1, {"Zwickau", "\xC4hrenfeld", "aachen", "Aachen", "Berlinchen", "Berlin"});
  TabelleSortieren(t, 1, true);
  const Liste w = Werte(t, 1);
  EXPECT_EQ(w[2], "Berlin");  // a prefix comes first
  EXPECT_EQ(w[3], "Berlinchen");
  EXPECT_EQ(w[4], "Zwickau");
  EXPECT_EQ(w[5], "\xC4hrenfeld");
  EXPECT_TRUE((w[0] == "aachen" && w[1] == "Aachen") || (w[0] == "Aachen" && w[1] == "aachen"));
  TabelleSortieren(t, 1, false);
  EXPECT_EQ(Werte(t, 1).front(), "\xC4hrenfeld");
  EXPECT_EQ(Werte(t, 1).back().substr(1), "achen");
}

TEST(Sortieren, WholeRowsMoveAndRunningNumbersAreRenewed) {
  Tabelle t = Spalte(1, {"Zwickau", "Aachen", "Bonn"});
  t.setZelle(6, 1, "08056");
  TabelleSortieren(t, 1, true);
  EXPECT_EQ(Werte(t, 0), (Liste{"1", "2", "3"}));
  EXPECT_EQ(Werte(t, kSpalteIndex), (Liste{"2", "3", "1"}));
  EXPECT_EQ(t.zelle(6, 3), "08056");
}

TEST(Sortieren, CoordinatesSortAsNumbersLeftDescending) {
  Tabelle t = Spalte(9, {"13,4", "6,1", "10,25", "-0,5"});
  TabelleSortieren(t, 9, false);
  EXPECT_EQ(Werte(t, 9), (Liste{"-0,5", "6,1", "10,25", "13,4"}));
  TabelleSortieren(t, 9, true);
  EXPECT_EQ(Werte(t, 9), (Liste{"13,4", "10,25", "6,1", "-0,5"}));
}

TEST(Sortieren, MoreThanSixDecimalsMakeTheWholeColumnSortAsText) {
  Tabelle t = Spalte(8, {"13,4", "6,1234567", "10,25"});
  TabelleSortieren(t, 8, false);  // ascending, by the scaled texts
  EXPECT_EQ(Werte(t, 8), (Liste{"10,25", "13,4", "6,1234567"}));
}

TEST(Sortieren, EmptyStreetCountsSortAsZeroAndStayEmpty) {
  Tabelle t = Spalte(15, {"12", "", "3", ""});
  TabelleSortieren(t, 15, false);
  const Liste w = Werte(t, 15);
  EXPECT_EQ(w[0], "");
  EXPECT_EQ(w[1], "");
  EXPECT_EQ(w[2], "3");
  EXPECT_EQ(w[3], "12");
  TabelleSortieren(t, 15, true);
  EXPECT_EQ(Werte(t, 15).front(), "12");
}

TEST(Sortieren, FewerThanTwoRowsAreLeftAlone) {
  Tabelle t = Spalte(1, {"Bonn"});
  t.setZelle(0, 1, "7");
  TabelleSortieren(t, 1, true);
  EXPECT_EQ(t.zelle(0, 1), "7");
}

TEST(Schnellsuche, APrefixMatchesFromTheStartOfTheCellOnly) {
  Tabelle t = Spalte(1, {"Oberhausen", "Berlin", "Bonn", "Bernau", "ber"});
  EXPECT_EQ(SchnellsucheZeile(t, 1, 1, "ber", false), 2);
  EXPECT_EQ(SchnellsucheZeile(t, 1, 3, "ber", false), 4);
  EXPECT_EQ(SchnellsucheZeile(t, 1, 5, "ber", false), 5);
  EXPECT_EQ(SchnellsucheZeile(t, 1, 6, "ber", false), 0);
  EXPECT_EQ(SchnellsucheZeile(t, 1, 1, "BER", true), 5);
}

TEST(Schnellsuche, OnlyAsciiLettersLoseTheirCase) {
  Tabelle t = Spalte(1, {"M\xDCNCHEN", "M\xFCnchen"});
  EXPECT_EQ(SchnellsucheZeile(t, 1, 1, "m\xFCnchen", false), 2);
  EXPECT_EQ(SchnellsucheZeile(t, 1, 1, "M\xDCNCHEN", false), 1);
  EXPECT_EQ(SchnellsucheZeile(t, 1, 2, "M\xDCN", false), 0);
}

TEST(Schnellsuche, AnEmptyNeedleFindsTheNextEmptyCell) {
  Tabelle t = Spalte(4, {"Mitte", "", "Nord", ""});
  EXPECT_EQ(SchnellsucheZeile(t, 4, 1, "", false), 2);
  EXPECT_EQ(SchnellsucheZeile(t, 4, 3, "", true), 4);
}

TEST(Schnellsuche, TheStreetListStartsAtTheGivenPosition) {
  const Liste strassen = {"Hauptstra\xDF" "e", "Hafenweg", "Am Hang"};
  EXPECT_EQ(SchnellsucheListe(strassen, 0, "ha", false), 0);
  EXPECT_EQ(SchnellsucheListe(strassen, 1, "ha", false), 1);
  EXPECT_EQ(SchnellsucheListe(strassen, 2, "ha", false), -1);
  EXPECT_EQ(SchnellsucheListe(strassen, 0, "", false), -1);
  EXPECT_EQ(SchnellsucheListe(strassen, 0, "am hang", true), 2);
}

}  // namespace
}  // namespace orvano
