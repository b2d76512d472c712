#include "editor/EditorSuche.h"

#include <gtest/gtest.h>

#include "support/Datenordner.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

class EditorSuche : public ::testing::Test {
 protected:
  void SetUp() override {
    test::RecordsSchreiben(plz.datei, std::vector<TPLZRecord>{test::PLZSatz("Bergheim", 50126), test::PLZSatz("Dresden", 1067),
                                                              test::PLZSatz("Heidelberg", 69117), test::PLZSatz("Berlin", 10115),
                                                              test::PLZSatz("berg", 12345)});
    plz.art = EditorArt::PLZ;
  }
  test::TempOrdner t;
  EditorSuchAuftrag plz{t / "Dat_D.ppp", EditorArt::PLZ, 1, "", false};
};

TEST_F(EditorSuche, ForwardAndBackwardFromThePositionWithTheStepUndoneWithoutAMatch) {
  plz.text = "berg";
  std::int64_t pos = 0;
  EXPECT_EQ(EditorSuchen(plz, false, pos, KeinFortschritt()), 3) << "Heidelberg, not Bergheim: case counts";
  EXPECT_EQ(pos, 3);
  plz.text = "Heidel";
  EXPECT_EQ(EditorSuchen(plz, false, pos, KeinFortschritt()), 0);
  EXPECT_EQ(pos, 3) << "no further match: the position stays at the found record";
  plz.text = "berg";
  EXPECT_EQ(EditorSuchen(plz, false, pos, KeinFortschritt()), 5);
  EXPECT_EQ(EditorSuchen(plz, false, pos, KeinFortschritt()), 5) << "at the last record there is no step: it is examined again";
  plz.genau = true;
  pos = 0;
  EXPECT_EQ(EditorSuchen(plz, false, pos, KeinFortschritt()), 5) << "whole field only";
  plz.genau = false;
  plz.text = "Bergheim";
  pos = 2;
  EXPECT_EQ(EditorSuchen(plz, true, pos, KeinFortschritt()), 1);
  pos = 1;
  plz.text = "Dresden";
  EXPECT_EQ(EditorSuchen(plz, true, pos, KeinFortschritt()), 0) << "backward from 1 examines record 1 only";
  EXPECT_EQ(pos, 1);
  plz.text = "berg";
  pos = 40;
  EXPECT_EQ(EditorSuchen(plz, true, pos, KeinFortschritt()), 5) << "backward from beyond the end starts at the last record";
  // The postal code as a plain number.
  plz.spalte = 6;
  plz.text = "01067";
  pos = 0;
  EXPECT_EQ(EditorSuchen(plz, false, pos, KeinFortschritt()), 0);
  plz.text = "1067";
  EXPECT_EQ(EditorSuchen(plz, false, pos, KeinFortschritt()), 2);
  plz.text = "";
  EXPECT_EQ(EditorSuchen(plz, false, pos, KeinFortschritt()), 0) << "an empty text examines nothing";
  EXPECT_EQ(pos, 2);
}

TEST_F(EditorSuche, TheLinkedLookupComparesTheOtherSidesColumnExactly) {
  EditorSuchAuftrag strassen{t / "Strassen_D.ppp", EditorArt::Strassen, 1, "Berlin"};
  test::RecordsSchreiben(strassen.datei, std::vector<TStrassenRecord>{test::StrassenSatz(10115, "Unter den Linden", "Berlin-Mitte"),
                                                                      test::StrassenSatz(10117, "Friedrichstr.", "Berlin")});
  EXPECT_EQ(EditorNachschlagen(strassen, KeinFortschritt()), 2) << "exact, whatever the Genau box says";
  plz.spalte = 1;
  plz.text = "Berlin";
  EXPECT_EQ(EditorNachschlagen(plz, KeinFortschritt()), 4);
  strassen.spalte = 6;
  strassen.text = "0";
  EXPECT_EQ(EditorNachschlagen(strassen, KeinFortschritt()), 0) << "the Code column never matches a lookup";
  plz.spalte = 0;
  plz.text = "1";
  EXPECT_EQ(EditorNachschlagen(plz, KeinFortschritt()), 0) << "LNr never matches";
  plz.datei = t / "fehlt.ppp";
  EXPECT_EQ(EditorNachschlagen(plz, KeinFortschritt()), 0);
}

TEST(EditorZeile, ARowGivesBackTheRecordItShowsWithTheSidesCountry) {
  TPLZRecord r = test::PLZSatz("K\xF6ln", 50667, "CH");
  r.Bundesland.setzen("Nordrhein-Westfalen");
  r.Breitengrad = 50.94;
  r.Laengengrad = 6.96;
  r.Vorwahl = 221;
  r.Strassen = 3;
  r.AbBisNr = 17;
  std::vector<std::string> zellen;
  for (int c = 0; c < kEditorPLZSpalten; ++c) zellen.push_back(PLZEditorZelle(r, c));
  zellen[2] = "XX";  // the hidden Staat cell is not what is written
  const TPLZRecord z = PLZAusEditorZeile(zellen, 'D');
  EXPECT_EQ(z.Ort.text(), "K\xF6ln");
  EXPECT_EQ(z.Staat.text(), "DE");
  EXPECT_EQ(z.PLZ, 50667);
  EXPECT_EQ(z.Bundesland.text(), "Nordrhein-Westfalen");
  EXPECT_DOUBLE_EQ(z.Breitengrad, 50.94);
  EXPECT_EQ(z.Vorwahl, 221);
  EXPECT_EQ(z.Strassen, 3);
  EXPECT_EQ(z.AbBisNr, 17);
  EXPECT_TRUE(EditorZeileBleibt(z));
  zellen[6] = "";
  EXPECT_FALSE(EditorZeileBleibt(PLZAusEditorZeile(zellen, 'D'))) << "an emptied postal code removes the record";

  const TStrassenRecord s = StrasseAusEditorZeile({"1", "Bonn", "53111", "Markt", "1", "", ""});
  EXPECT_EQ(s.HausNrKz, '0');
  EXPECT_TRUE(EditorZeileBleibt(s));
  EXPECT_FALSE(EditorZeileBleibt(StrasseAusEditorZeile({"1", "Bonn", "53111", ""})));
  EXPECT_FALSE(EditorZeileBleibt(StrasseAusEditorZeile({"1", "", "53111", "Markt"})));
}

}  // namespace
}  // namespace orvano
