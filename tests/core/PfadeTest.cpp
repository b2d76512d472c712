#include "core/Pfade.h"

#include <gtest/gtest.h>

#include "support/TempOrdner.h"

namespace orvano {
namespace {

class Pfade : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgVerzeichnis = "/prog/";
    OrdnerPfad = std::string(kStandardOrdner);
  }
  void TearDown() override { OrdnerPfad = std::string(kStandardOrdner); }
};

TEST_F(Pfade, FileNamesOfTheThreeCountries) {
  EXPECT_EQ(PLZDateiName(kDeutschland), "/prog/Ord_1/Dat_D.ppp");
  EXPECT_EQ(PLZDateiName(kOesterreich), "/prog/Ord_1/Dat_A.ppp");
  EXPECT_EQ(PLZDateiName(kSchweiz), "/prog/Ord_1/Dat_CH.ppp");
  EXPECT_EQ(StrassenDateiName(kDeutschland), "/prog/Ord_1/Strassen_D.ppp");
  EXPECT_EQ(StrassenDateiName(kOesterreich), "/prog/Ord_1/Strassen_A.ppp");
  EXPECT_EQ(StrassenDateiName(kSchweiz), "/prog/Ord_1/Strassen_CH.ppp");
}

TEST_F(Pfade, TheCurrentFolderGoesIntoEveryName) {
  OrdnerPfad = "Ord_2/";
  EXPECT_EQ(PLZDateiName(kDeutschland), "/prog/Ord_2/Dat_D.ppp");
  EXPECT_EQ(StrassenDateiName(kSchweiz), "/prog/Ord_2/Strassen_CH.ppp");
}

TEST_F(Pfade, AnEmptyComboGivesNoPostalCodeFile) { EXPECT_EQ(PLZDateiName(""), ""); }

TEST_F(Pfade, RecordCountsIgnoreATrailingPartialRecord) {
  test::TempOrdner t;
  test::DateiSchreiben(t / "s.ppp", std::string(1000, 'x'));
  EXPECT_EQ(StrassenAnzahl(t / "s.ppp"), 7);
  EXPECT_EQ(PLZAnzahlDerDatei(t / "s.ppp"), 3);
  EXPECT_EQ(StrassenAnzahl(t / "fehlt.ppp"), 0);
  test::DateiSchreiben(t / "leer.ppp", "");
  EXPECT_EQ(StrassenAnzahl(t / "leer.ppp"), 0);
}

}  // namespace
}  // namespace orvano
