#include "core/Einstellungen.h"

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <clocale>

#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;

class EinstellungenTest : public ::testing::Test {
 protected:
  Einstellungen laden(const std::string& inhalt) {
    DateiSchreiben(datei(), inhalt);
    return EinstellungenLaden(datei());
  }
  std::string datei() const { return t / "einstPLZ.frb"; }
  test::TempOrdner t;
};

TEST_F(EinstellungenTest, AllThirteenLinesAreRead) {
  const auto e = laden("1\r\n1\r\n0,75\r\n1\r\n3\r\n2\r\nBonn\r\n53111\r\nAm Hof\r\nK\xF6ln\r\n50667\r\nDom\r\nOrd_2\r\n");
  EXPECT_EQ(e.land, 1);
  EXPECT_TRUE(e.tabellenAnsicht);
  EXPECT_DOUBLE_EQ(e.kartenMassstab, 0.75);
  EXPECT_TRUE(e.reserve);
  EXPECT_EQ(e.importFormat, 3);
  EXPECT_EQ(e.routenplaner, 2);
  EXPECT_EQ(e.routenFelder[0], "Bonn");
  EXPECT_EQ(e.routenFelder[3], "K\xF6ln");
  EXPECT_EQ(e.routenFelder[5], "Dom");
  EXPECT_EQ(e.letzterOrdner, "Ord_2");
}

TEST_F(EinstellungenTest, ASavedSchweizStartsWithDeutschland) {
  EXPECT_EQ(laden("2\r\n0\r\n1\r\n0\r\n").land, 0);
  EXPECT_EQ(laden("1\r\n0\r\n1\r\n0\r\n").land, 1);
  EXPECT_EQ(laden("-1\r\n0\r\n1\r\n0\r\n").land, 0);
  EXPECT_EQ(laden("7\r\n0\r\n1\r\n0\r\n").land, 0);
}

TEST_F(EinstellungenTest, TheShortFourLineFormLeavesTheRestAtDefaults) {
  const auto e = laden("1\r\n1\r\n2,5\r\n0\r\n");
  EXPECT_EQ(e.land, 1);
  EXPECT_TRUE(e.tabellenAnsicht);
  EXPECT_DOUBLE_EQ(e.kartenMassstab, 2.5);
  EXPECT_EQ(e.routenplaner, 0);
  EXPECT_EQ(e.routenFelder[0], "");
  EXPECT_EQ(e.letzterOrdner, "");
}

TEST_F(EinstellungenTest, ReadingStopsAtTheFirstBadLineKeepingWhatWasRead) {
  auto e = laden("1\r\n1\r\nabc\r\n1\r\n4\r\n3\r\nx\r\n\r\n\r\n\r\n\r\n\r\nOrd_2\r\n");
  EXPECT_EQ(e.land, 1);
  EXPECT_TRUE(e.tabellenAnsicht);
  EXPECT_DOUBLE_EQ(e.kartenMassstab, 1.0);
  EXPECT_FALSE(e.reserve);
  EXPECT_EQ(e.routenplaner, 0);
  EXPECT_EQ(e.letzterOrdner, "");
  // A point is not the program's decimal separator.
  EXPECT_DOUBLE_EQ(laden("0\r\n0\r\n0.75\r\n0\r\n").kartenMassstab, 1.0);
  // An empty line where a number belongs ends the reading too.
  e = laden("1\r\n\r\n0,5\r\n");
  EXPECT_EQ(e.land, 1);
  EXPECT_DOUBLE_EQ(e.kartenMassstab, 1.0);
  // Five lines: line 6 is missing, so the route fields stay empty.
  e = laden("0\r\n0\r\n1\r\n0\r\n2\r\n");
  EXPECT_EQ(e.importFormat, 2);
  EXPECT_EQ(e.routenFelder[0], "");
}

TEST_F(EinstellungenTest, GarbageAndMissingFilesGiveTheDefaults) {
  std::string muell;
  for (int i = 0; i < 5000; ++i) muell += static_cast<char>((i * 37) % 256);
  const auto e = laden(muell);
  EXPECT_EQ(e.land, 0);
  EXPECT_DOUBLE_EQ(e.kartenMassstab, 1.0);
  const auto f = EinstellungenLaden(t / "fehlt.frb");
  EXPECT_FALSE(f.tabellenAnsicht);
  EXPECT_EQ(f.letzterOrdner, "");
}

TEST_F(EinstellungenTest, LinesEndedByLineFeedAloneAreReadToo) {
  const auto e = laden("1\n0\n1,5\n0\n0\n1\na\nb\nc\nd\ne\nf\nOrd_3");
  EXPECT_EQ(e.land, 1);
  EXPECT_DOUBLE_EQ(e.kartenMassstab, 1.5);
  EXPECT_EQ(e.routenFelder[5], "f");
  EXPECT_EQ(e.letzterOrdner, "Ord_3");
}

TEST_F(EinstellungenTest, WritesThirteenLinesWithCrLfAndADecimalComma) {
  Einstellungen e;
  e.land = 1;
  e.tabellenAnsicht = true;
  e.kartenMassstab = 0.75;
  e.routenplaner = 4;
  e.routenFelder = {"M\xFCnchen", "80331", "", "Graz", "", "Herrengasse"};
  e.letzterOrdner = "Ord_Test";
  ASSERT_TRUE(EinstellungenSpeichern(datei(), e));
  EXPECT_EQ(DateiLesen(datei()),
            "1\r\n1\r\n0,75\r\n0\r\n0\r\n4\r\nM\xFCnchen\r\n80331\r\n\r\nGraz\r\n\r\nHerrengasse\r\nOrd_Test\r\n");
  const auto z = EinstellungenLaden(datei());
  EXPECT_EQ(z.routenFelder, e.routenFelder);
  EXPECT_EQ(z.letzterOrdner, "Ord_Test");
  EXPECT_EQ(z.routenplaner, 4);
}

TEST_F(EinstellungenTest, AFolderNameWithUmlautsSurvivesTheCodePage) {
  Einstellungen e;
  e.letzterOrdner = "Ord_Köln";
  ASSERT_TRUE(EinstellungenSpeichern(datei(), e));
  EXPECT_NE(DateiLesen(datei()).find("Ord_K\xF6ln\r\n"), std::string::npos);
  EXPECT_EQ(EinstellungenLaden(datei()).letzterOrdner, "Ord_Köln");
}

TEST_F(EinstellungenTest, TheUsersLocaleChangesNothing) {
  const std::string alt = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "en_US.UTF-8")) std::setlocale(LC_ALL, "C.UTF-8");
  Einstellungen e;
  e.kartenMassstab = 1234.5;
  ASSERT_TRUE(EinstellungenSpeichern(datei(), e));
  EXPECT_DOUBLE_EQ(EinstellungenLaden(datei()).kartenMassstab, 1234.5);
  std::setlocale(LC_ALL, alt.c_str());
  EXPECT_NE(DateiLesen(datei()).find("\r\n1234,5\r\n"), std::string::npos);
}

TEST_F(EinstellungenTest, AnUnwritableFileIsReportedAsFalse) {
  Einstellungen e;
  EXPECT_FALSE(EinstellungenSpeichern(t / "fehlt/einstPLZ.frb", e));
}

}  // namespace
}  // namespace orvano
