// orvano-cli osm-import: a trial run, the written files, the wrong calls.
#include <gtest/gtest.h>

#include "app/CliLauf.h"
#include "core/RecordDatei.h"
#include "core/Records.h"
#include "support/Datenordner.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;

using test::CliLauf;

TEST(CliOsmImport, ATrialRunCountsAndWritesNothingJaReplacesBothFilesAndWrongCallsFail) {
  test::TempOrdner t;
  test::RecordsSchreiben(t / "Ord_1/Dat_A.ppp", std::vector<TPLZRecord>{test::PLZSatz("Wien", 1010, "AT")});
  DateiSchreiben(t / "a.osm",
                 "<?xml version='1.0' encoding='UTF-8'?><osm version=\"0.6\">"
                 "<node id=\"1\" lat=\"48.2\" lon=\"16.37\"><tag k=\"addr:postcode\" v=\"1010\"/><tag k=\"addr:city\" v=\"Wien\"/>"
                 "<tag k=\"addr:street\" v=\"Graben\"/><tag k=\"addr:housenumber\" v=\"21\"/></node>"
                 "<node id=\"2\" lat=\"48.2\" lon=\"16.37\"><tag k=\"addr:postcode\" v=\"10115\"/><tag k=\"addr:city\" v=\"Berlin\"/>"
                 "<tag k=\"addr:street\" v=\"Gartenstra\xC3\x9F" "e\"/></node></osm>");
  const std::string vorher = DateiLesen(t / "Ord_1/Dat_A.ppp");
  std::string out, err;
  ASSERT_EQ(CliLauf({"--programmordner", t.pfad(), "osm-import", "--land", "Österreich", t / "a.osm"}, out, err), 0) << err;
  EXPECT_NE(out.find("Adressen gelesen: 2\n"), std::string::npos) << out;
  EXPECT_NE(out.find("PLZ mit falscher Stellenzahl: 1\n"), std::string::npos) << out;
  EXPECT_NE(out.find("Nichts geschrieben"), std::string::npos) << out;
  EXPECT_EQ(DateiLesen(t / "Ord_1/Dat_A.ppp"), vorher);
  EXPECT_FALSE(DateiVorhanden(t / "Ord_1/Strassen_A.ppp"));

  ASSERT_EQ(CliLauf({"--programmordner", t.pfad(), "osm-import", "--land", "Österreich", "--ja", t / "a.osm"}, out, err), 0) << err;
  const auto strassen = TabelleLesen<TStrassenRecord>(t / "Ord_1/Strassen_A.ppp");
  ASSERT_EQ(strassen.size(), 2u);
  EXPECT_EQ(strassen[1].Strasse.text(), "Graben");
  const auto plz = TabelleLesen<TPLZRecord>(t / "Ord_1/Dat_A.ppp");
  EXPECT_EQ(plz[1].Strassen, 1);
  EXPECT_NEAR(plz[1].Breitengrad, 48.2, 1e-7);

  EXPECT_EQ(CliLauf({"--programmordner", t.pfad(), "osm-import"}, out, err), 2);
  EXPECT_EQ(CliLauf({"--programmordner", t.pfad(), "osm-import", t / "fehlt.osm.pbf"}, out, err), 1);
  EXPECT_NE(err.find("fehlt.osm.pbf"), std::string::npos) << err;
  // What is no extract, a broken one and one without any address: German reasons, no write.
  const std::string plzJetzt = DateiLesen(t / "Ord_1/Dat_A.ppp"), strassenJetzt = DateiLesen(t / "Ord_1/Strassen_A.ppp");
  DateiSchreiben(t / "kaputt.osm", "<osm><node id=\"1\"");
  DateiSchreiben(t / "liste.osm.pbf", "PLZ;Ort\n1010;Wien\n");
  DateiSchreiben(t / "notiz.txt", "<?xml version='1.0'?><osm version=\"0.6\"></osm>");
  for (const char* datei : {"kaputt.osm", "liste.osm.pbf", "notiz.txt"}) {
    EXPECT_EQ(CliLauf({"--programmordner", t.pfad(), "osm-import", "--land", "Österreich", "--ja", t / datei}, out, err), 1) << datei;
    EXPECT_NE(err.find("ist keine OpenStreetMap-Datei (.osm, .osm.pbf, .osm.bz2, .osm.gz)"), std::string::npos) << err;
  }
  DateiSchreiben(t / "GEBAEUDE.OSM", "<?xml version='1.0'?><osm version=\"0.6\"><node id=\"1\" lat=\"48.2\" lon=\"16.3\"/></osm>");
  EXPECT_EQ(CliLauf({"--programmordner", t.pfad(), "osm-import", "--land", "Österreich", "--ja", t / "GEBAEUDE.OSM"}, out, err), 1);
  EXPECT_NE(err.find("keine Adresse (addr:postcode); es wurde nichts geschrieben"), std::string::npos) << err;
  EXPECT_EQ(DateiLesen(t / "Ord_1/Dat_A.ppp"), plzJetzt);
  EXPECT_EQ(DateiLesen(t / "Ord_1/Strassen_A.ppp"), strassenJetzt);
}

// An extract that would leave less than half the streets (a cut-off download, a small town
// over a whole country) replaces nothing unless --ersetzen says so.
TEST(CliOsmImport, AnExtractThatWouldMostlyEmptyTheStreetFileNeedsErsetzen) {
  test::TempOrdner t;
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>{test::PLZSatz("Bayreuth", 95444)});
  std::vector<TStrassenRecord> alt;
  for (const char* s : {"Opernstra\xDF" "e", "Maximilianstra\xDF" "e", "Kanalstra\xDF" "e"}) alt.push_back(test::StrassenSatz(95444, s, "Bayreuth"));
  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", alt);
  const std::string vorher = DateiLesen(t / "Ord_1/Strassen_D.ppp"), plzVorher = DateiLesen(t / "Ord_1/Dat_D.ppp");
  DateiSchreiben(t / "klein.osm",
                 "<?xml version='1.0' encoding='UTF-8'?><osm version=\"0.6\">"
                 "<node id=\"1\" lat=\"49.94\" lon=\"11.57\"><tag k=\"addr:postcode\" v=\"95444\"/><tag k=\"addr:city\" v=\"Bayreuth\"/>"
                 "<tag k=\"addr:street\" v=\"Opernstra\xC3\x9F" "e\"/><tag k=\"addr:housenumber\" v=\"14\"/></node></osm>");
  std::string out, err;
  EXPECT_EQ(CliLauf({"--programmordner", t.pfad(), "osm-import", "--ja", t / "klein.osm"}, out, err), 1);
  EXPECT_NE(err.find("nur 1 Strassen, Strassen_D.ppp hat jetzt 3"), std::string::npos) << err;
  EXPECT_EQ(DateiLesen(t / "Ord_1/Strassen_D.ppp"), vorher);
  EXPECT_EQ(DateiLesen(t / "Ord_1/Dat_D.ppp"), plzVorher);
  EXPECT_FALSE(DateiVorhanden(t / "SichCopy"));
  ASSERT_EQ(CliLauf({"--programmordner", t.pfad(), "osm-import", "--ja", "--ersetzen", t / "klein.osm"}, out, err), 0) << err;
  EXPECT_EQ(TabelleLesen<TStrassenRecord>(t / "Ord_1/Strassen_D.ppp").size(), 2u);
}

}  // namespace
}  // namespace orvano
