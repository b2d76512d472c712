// The OpenStreetMap import from the main window's menu.
#include <gtest/gtest.h>

#include <QAction>

#include "FensterTest.h"
#include "core/RecordDatei.h"

namespace orvano {
namespace {

using test::PLZSatz;
using test::StrassenSatz;
using ui::Antwort;

class OsmFenster : public test::FensterTest {
 protected:
  void SetUp() override {
    FensterTest::SetUp();
    TPLZRecord bayreuth = PLZSatz("Bayreuth", 95444);
    bayreuth.Bundesland.setzen("Bayern");
    plz({bayreuth});
    strassen({StrassenSatz(95444, "Maximilianstra\xDF" "e", "Bayreuth")});
    test::DateiSchreiben(t / "bayreuth.osm",
                         "<?xml version='1.0' encoding='UTF-8'?><osm version=\"0.6\">"
                         "<node id=\"1\" lat=\"49.94\" lon=\"11.57\"><tag k=\"addr:postcode\" v=\"95444\"/>"
                         "<tag k=\"addr:city\" v=\"Bayreuth\"/><tag k=\"addr:street\" v=\"Opernstra\xC3\x9F" "e\"/>"
                         "<tag k=\"addr:housenumber\" v=\"14\"/></node></osm>\n");
  }
};

// A file that is no extract is refused before the question; an extract is read, and "Ja"
// appends to the street file instead of replacing it.
TEST_F(OsmFenster, TheFileIsCheckedBeforeTheQuestionAndJaAppends) {
  TfrPLZ f;
  f.Aktivieren();
  const std::string plzVorher = test::DateiLesen(t / "Ord_1/Dat_D.ppp"), strassenVorher = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
  test::DateiSchreiben(t / "kunden.osm.gz", "PLZ;Ort\n95444;Bayreuth\n");
  dialoge.datei(QString::fromStdString(t / "kunden.osm.gz"));
  dialoge.antworte(Antwort::Ok);
  f.miOsmImport->trigger();
  ASSERT_EQ(dialoge.boxen.size(), 1u);
  EXPECT_EQ(dialoge.boxen[0].symbol, ui::Symbol::Warnung);
  EXPECT_TRUE(dialoge.boxen[0].text.contains("ist keine OpenStreetMap-Datei (.osm, .osm.pbf, .osm.bz2, .osm.gz)"));
  EXPECT_TRUE(dialoge.dateiDialoge.back().filter.contains("*.osm.gz"));
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), plzVorher);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Strassen_D.ppp"), strassenVorher);

  dialoge.datei(QString::fromStdString(t / "bayreuth.osm"));
  dialoge.antworte(Antwort::Ja).antworte(Antwort::Ok);
  f.miOsmImport->trigger();
  ASSERT_EQ(dialoge.boxen.size(), 3u);
  EXPECT_TRUE(dialoge.boxen[1].text.contains(QString::fromUtf8("anhängen")));
  const auto neu = TabelleLesen<TStrassenRecord>(t / "Ord_1/Strassen_D.ppp");
  ASSERT_EQ(neu.size(), 3u);
  EXPECT_EQ(neu[1].Strasse.text(), "Maximilianstra\xDF" "e") << "the old street stays first";
  EXPECT_EQ(neu[2].Strasse.text(), "Opernstra\xDF" "e");
}

}  // namespace
}  // namespace orvano
