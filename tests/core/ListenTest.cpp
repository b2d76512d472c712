#include "core/Listen.h"

#include <gtest/gtest.h>

namespace orvano {
namespace {

using Teile = std::vector<std::string>;

TEST(TextTeilen, SplitsAtEverySeparator) {
  EXPECT_EQ(TextTeilen(";", "a;;b", 0), (Teile{"a", "", "b"}));
  EXPECT_EQ(TextTeilen(";", "a;b;", 0), (Teile{"a", "b", ""}));
  EXPECT_EQ(TextTeilen(";", ";", 0), (Teile{"", ""}));
  EXPECT_EQ(TextTeilen(";", "abc", 0), (Teile{"abc"}));
  EXPECT_EQ(TextTeilen("\t", "1\t2", 0), (Teile{"1", "2"}));
}

TEST(TextTeilen, MaxKeepsOnlyTheFirstPieces) {
  EXPECT_EQ(TextTeilen(";", "a;;b", 1), (Teile{"a"}));
  EXPECT_EQ(TextTeilen(";", "a;b;c", 2), (Teile{"a", "b"}));
  // Fewer separators than MAX: the last piece is kept as without a limit.
  EXPECT_EQ(TextTeilen(";", "a;b", 5), (Teile{"a", "b"}));
}

TEST(TextTeilen, EmptyInputNegativeMaxAndEmptySeparator) {
  EXPECT_TRUE(TextTeilen(";", "", 0).empty());
  EXPECT_TRUE(TextTeilen(";", "a;b", -1).empty());
  EXPECT_EQ(TextTeilen("", "a;b", 0), (Teile{"a;b"}));
}

TEST(TextTeilen, SeparatorsOfSeveralCharactersDoNotOverlap) {
  EXPECT_EQ(TextTeilen("::", "a::b:::c", 0), (Teile{"a", "b", ":c"}));
  EXPECT_EQ(TextTeilen("ab", "xababy", 0), (Teile{"x", "", "y"}));
  EXPECT_EQ(TextTeilen("abc", "ab", 0), (Teile{"ab"}));
}

TEST(TeilIndex, MatchesWholeCellsFoldingOnlyAsciiLetters) {
  const Teile titel = {"PLZ", "Ort", "Stra\xDF" "e", "Ort"};
  EXPECT_EQ(TeilIndex(titel, "ort"), 1);
  EXPECT_EQ(TeilIndex(titel, "plz"), 0);
  EXPECT_EQ(TeilIndex(titel, "STRA\xDF" "E"), 2);
  EXPECT_EQ(TeilIndex(titel, "Or"), -1);
  EXPECT_EQ(TeilIndex(titel, " Ort"), -1);
  EXPECT_EQ(TeilIndex(titel, "   "), -1);
  EXPECT_EQ(TeilIndex(titel, ""), -1);
  EXPECT_EQ(TeilIndex({"STRA\xDF" "E"}, "stra\xDF" "e"), 0);
  EXPECT_EQ(TeilIndex({"\xD6rt"}, "\xF6rt"), -1);
}

TEST(EintragIndex, FirstExactMatchOrZero) {
  const Teile e = {"Ord_1", "Ord_2", "Ord_2"};
  EXPECT_EQ(EintragIndex(e, "Ord_2"), 1);
  EXPECT_EQ(EintragIndex(e, "ord_2"), 0);
  EXPECT_EQ(EintragIndex(e, "fehlt"), 0);
  EXPECT_EQ(EintragIndex({}, "x"), 0);
}

TEST(EintraegeNachNummerSortieren, FolderNamesSortByTheirFirstDigit) {
  Teile e = {"Ord_2", "Ord_1", "Ord_10", "Ord_Test"};
  EXPECT_EQ(EintraegeNachNummerSortieren(e), "Ord_1");
  EXPECT_EQ(e, (Teile{"Ord_1", "Ord_10", "Ord_2", "Ord_Test"}));
}

TEST(EintraegeNachNummerSortieren, SameFirstDigitKeepsTheOrderOfAdding) {
  Teile e = {"Ord_12", "Ord_3", "Ord_1", "Ord_10"};
  EintraegeNachNummerSortieren(e);
  EXPECT_EQ(e, (Teile{"Ord_12", "Ord_1", "Ord_10", "Ord_3"}));
}

TEST(EintraegeNachNummerSortieren, ShortAndDigitNames) {
  Teile e = {"Ord_", "abc5x", "abc12", "xy"};
  // Keys: "Ord_" 949905, "abc5x" 5529947, "abc12" 12, "xy" 319968 + blank.
  EXPECT_EQ(EintraegeNachNummerSortieren(e), "abc12");
  EXPECT_EQ(e, (Teile{"abc12", "xy", "Ord_", "abc5x"}));
  Teile leer;
  EXPECT_EQ(EintraegeNachNummerSortieren(leer), "");
}

TEST(Trennzeichen, DefaultComesFromTheExtensionAndGoesIntoTheBox) {
  std::string box;
  EXPECT_EQ(Trennzeichen("/daten/liste.CSV", box), ";");
  EXPECT_EQ(box, ";");
  box.clear();
  EXPECT_EQ(Trennzeichen("/daten/liste.csv", box), ";");
  box.clear();
  EXPECT_EQ(Trennzeichen("/daten/liste.txt", box), "\t");
  EXPECT_EQ(box, "#9");
  box.clear();
  EXPECT_EQ(Trennzeichen("/daten/csv", box), "\t");
}

TEST(Trennzeichen, AFilledBoxWins) {
  std::string box = "|";
  EXPECT_EQ(Trennzeichen("liste.csv", box), "|");
  EXPECT_EQ(box, "|");
  box = "#9";
  EXPECT_EQ(Trennzeichen("liste.csv", box), "\t");
}

}  // namespace
}  // namespace orvano
