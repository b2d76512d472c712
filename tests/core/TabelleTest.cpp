#include "core/Tabelle.h"

#include <gtest/gtest.h>

namespace orvano {
namespace {

TEST(Tabelle, CellsKeepTheirTextWhateverTheLength) {
  Tabelle t(4, 3);
  const std::string lang(300, '\xE4');
  t.setZelle(0, 0, "LNr");
  t.setZelle(2, 1, lang);
  t.setZelle(3, 1, "x");
  t.setZelle(0, 1, "");
  EXPECT_EQ(t.zelle(0, 0), "LNr");
  EXPECT_EQ(t.zelle(2, 1), lang);
  EXPECT_EQ(t.zelle(3, 1), "x");
  EXPECT_EQ(t.zelle(1, 1), "");
  t.setZelle(2, 1, "kurz");
  EXPECT_EQ(t.zelle(2, 1), "kurz");
  EXPECT_EQ(t.zelle(3, 1), "x");
  std::string mitNull("a\0b", 3);
  t.setZelle(1, 2, mitNull);
  EXPECT_EQ(t.zelle(1, 2), mitNull);
}

TEST(Tabelle, OutsideTheGridNothingIsReadOrWritten) {
  Tabelle t(2, 2);
  t.setZelle(5, 0, "x");
  t.setZelle(0, 9, "x");
  t.setZelle(-1, 0, "x");
  EXPECT_EQ(t.zelle(5, 0), "");
  EXPECT_EQ(t.zelle(0, -1), "");
  EXPECT_EQ(t.zeilen(), 2);
}

TEST(Tabelle, ShrinkingDropsCellsAndGrowingGivesEmptyOnes) {
  Tabelle t(3, 3);
  t.setZelle(2, 2, "weg");
  t.setZelle(0, 1, "bleibt");
  t.setZeilen(2);
  t.setZeilen(3);
  EXPECT_EQ(t.zelle(2, 2), "");
  t.setZelle(2, 1, "c");
  t.setSpalten(2);
  t.setSpalten(3);
  EXPECT_EQ(t.zelle(2, 1), "");
  EXPECT_EQ(t.zelle(0, 1), "bleibt");
}

TEST(Tabelle, RowsCanBeInsertedAndRemoved) {
  Tabelle t(2, 3);
  t.setZelle(0, 1, "a");
  t.setZelle(0, 2, "b");
  t.zeileEinfuegen(2);
  EXPECT_EQ(t.zeilen(), 4);
  EXPECT_EQ(t.zelle(0, 2), "");
  EXPECT_EQ(t.zelle(0, 3), "b");
  t.zeileEntfernen(1);
  EXPECT_EQ(t.zelle(0, 2), "b");
  t.setZeile(1, {"x", "y", "zuviel"});
  EXPECT_EQ(t.zeile(1), (std::vector<std::string>{"x", "y"}));
}

TEST(Tabelle, HiddenColumnsHaveWidthMinusOne) {
  Tabelle t(3, 2);
  t.setBreite(1, Tabelle::kVerborgen);
  EXPECT_TRUE(t.verborgen(1));
  EXPECT_FALSE(t.verborgen(0));
}

TEST(TabelleLeeren, LeavesTheTitleRowAndOneEmptyRow) {
  Tabelle t(3, 5);
  t.setZelle(0, 0, "Titel");
  for (int r = 1; r < 5; ++r) t.setZelle(1, r, "x");
  TabelleLeeren(t);
  EXPECT_EQ(t.zeilen(), 2);
  EXPECT_EQ(t.zelle(0, 0), "Titel");
  EXPECT_EQ(t.zelle(1, 1), "");
  t.setZeilen(5);
  EXPECT_EQ(t.zelle(1, 4), "");
}

TEST(TabelleZellenLeeren, EmptiesDataCellsAndKeepsTheRowCount) {
  Tabelle t(3, 5);
  t.setZelle(0, 0, "Titel");
  t.setZelle(2, 4, "x");
  TabelleZellenLeeren(t);
  EXPECT_EQ(t.zeilen(), 5);
  EXPECT_EQ(t.zelle(0, 0), "Titel");
  EXPECT_EQ(t.zelle(2, 4), "");
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST(Tabelle, RowsTakeANewOrderAsWholes) {
  Tabelle t(2, 4);
  for (int r = 1; r < 4; ++r) t.setZeile(r, {std::to_string(r), "z" + std::to_string(r)});
  t.zeilenUmordnen(1, {3, 1, 2});
  EXPECT_EQ(t.zeile(1), (std::vector<std::string>{"3", "z3"}));
  EXPECT_EQ(t.zeile(3), (std::vector<std::string>{"2", "z2"}));
}

}  // namespace
}  // namespace orvano
