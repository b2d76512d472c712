#include "core/Pfade.h"

#include "core/Datenbestand.h"

#include <gtest/gtest.h>

#include "support/TempOrdner.h"

namespace orvano {
namespace {

class Pfade : public ::testing::Test {
 protected:
  void SetUp() override { ProgVerzeichnis = "/prog/"; }
  std::string plz(std::string_view land) {
    db.Land = land;
    return db.PLZDateiName();
  }
  std::string strassen(std::string_view land) {
    db.Land = land;
    return db.StrassenDateiName();
  }
  Datenbestand db;
};

TEST_F(Pfade, FileNamesOfTheThreeCountries) {
  EXPECT_EQ(plz(kDeutschland), "/prog/Ord_1/Dat_D.ppp");
  EXPECT_EQ(plz(kOesterreich), "/prog/Ord_1/Dat_A.ppp");
  EXPECT_EQ(plz(kSchweiz), "/prog/Ord_1/Dat_CH.ppp");
  EXPECT_EQ(strassen(kDeutschland), "/prog/Ord_1/Strassen_D.ppp");
  EXPECT_EQ(strassen(kOesterreich), "/prog/Ord_1/Strassen_A.ppp");
  EXPECT_EQ(strassen(kSchweiz), "/prog/Ord_1/Strassen_CH.ppp");
}

TEST_F(Pfade, TheCurrentFolderGoesIntoEveryName) {
  db.OrdnerPfad = "Ord_2/";
  EXPECT_EQ(db.OrdnerName(), "Ord_2");
  EXPECT_EQ(plz(kDeutschland), "/prog/Ord_2/Dat_D.ppp");
  EXPECT_EQ(strassen(kSchweiz), "/prog/Ord_2/Strassen_CH.ppp");
}

TEST_F(Pfade, AnEmptyComboGivesNoPostalCodeFile) { EXPECT_EQ(plz(""), ""); }

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
