#include "main/PLZSpalten.h"

#include <gtest/gtest.h>

#include "support/Datenordner.h"

namespace orvano {
namespace {

TEST(PLZZeile, TheSeventeenCellsOfARecord) {
  TPLZRecord r = test::PLZSatz("Dresden", 1067);
  r.Breitengrad = 51.05089;
  r.Laengengrad = 13.73832;
  r.Vorwahl = 351;
  r.Strassen = 0;
  r.AbBisNr = 99999999;
  r.Autokennzeichen.setzen("DD");
  const auto z = PLZZeile(r, 42);
  ASSERT_EQ(z.size(), 17u);
  EXPECT_EQ(z[0], "42");
  EXPECT_EQ(z[1], "Dresden");
  EXPECT_EQ(z[2], "DE");
  EXPECT_EQ(z[6], "01067");
  EXPECT_EQ(z[7], "DD");
  EXPECT_EQ(z[8], "51,05089");
  EXPECT_EQ(z[9], "13,73832");
  EXPECT_EQ(z[10], "42");
  EXPECT_EQ(z[14], "0351");
  EXPECT_EQ(z[15], "");
  EXPECT_EQ(z[16], "99999999");
  r.Strassen = 12;
  r.Vorwahl = 0;
  EXPECT_EQ(PLZZeile(r, 1)[15], "12");
  EXPECT_EQ(PLZZeile(r, 1)[14], "");
  EXPECT_EQ(PLZZeile(test::PLZSatz("Wien", 1010, "AT"), 1)[6], "1010");
}

TEST(PLZTabelleKopf, OptionalColumnsFollowTheFirstTenRecordsOnly) {
  std::vector<TPLZRecord> tab(12, test::PLZSatz("Ort", 10000));
  tab[11].Bundesland.setzen("Bayern");  // record 11
  Tabelle t(17, 2);
  PLZTabelleKopf(t, tab.data(), 11);
  EXPECT_TRUE(t.verborgen(3));
  EXPECT_TRUE(t.verborgen(4));
  EXPECT_TRUE(t.verborgen(5));
  tab[10].Landkreis.setzen("Landkreis");  // record 10
  PLZTabelleKopf(t, tab.data(), 11);
  EXPECT_TRUE(t.verborgen(3));
  EXPECT_EQ(t.breite(5), 150);
  // With fewer records only those are looked at.
  PLZTabelleKopf(t, tab.data(), 9);
  EXPECT_TRUE(t.verborgen(5));
  EXPECT_EQ(t.zelle(9, 0), "L\xE4ngengrad");
  EXPECT_TRUE(t.verborgen(kSpalteIndex));
  EXPECT_EQ(t.breite(0), 40);
}

TEST(AnzahlText, TheSwissCaptionHasNoBlankBeforeTheNumber) {
  EXPECT_EQ(AnzahlText("Deutschland", 3), " Deutschland  PLZ Anzahl: 3");
  EXPECT_EQ(AnzahlText("\xD6sterreich", 1), " Österreich  PLZ Anzahl: 1");
  EXPECT_EQ(AnzahlText("Schweiz", 250), " Schweiz  PLZ Anzahl:250");
}

}  // namespace
}  // namespace orvano
