#include "exchange/OsmImport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#include "core/RecordDatei.h"
#include "core/Texte.h"
#include "core/Start.h"
#include "exchange/CSVLesen.h"
#include "exchange/Export.h"
#include "exchange/Import.h"
#include "exchange/ImportFormat.h"
#include "streets/Optimierung.h"
#include "support/Abschuss.h"
#include "support/Antworten.h"
#include "support/Datenordner.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;
using test::PLZSatz;

// A small extract written as OSM XML.
class Auszug {
 public:
  Auszug& knoten(long id, double breite, double laenge, const std::vector<std::pair<std::string, std::string>>& tags = {}) {
    xml_ += "<node id=\"" + std::to_string(id) + "\" lat=\"" + std::to_string(breite) + "\" lon=\"" + std::to_string(laenge) + "\">" +
            Tags(tags) + "</node>\n";
    return *this;
  }
  Auszug& weg(long id, const std::vector<long>& knoten, const std::vector<std::pair<std::string, std::string>>& tags) {
    xml_ += "<way id=\"" + std::to_string(id) + "\">";
    for (const long k : knoten) xml_ += "<nd ref=\"" + std::to_string(k) + "\"/>";
    xml_ += Tags(tags) + "</way>\n";
    return *this;
  }
  Auszug& relation(long id, const std::vector<std::pair<std::string, std::string>>& tags) {
    xml_ += "<relation id=\"" + std::to_string(id) + "\">" + Tags(tags) + "</relation>\n";
    return *this;
  }
  void schreiben(const std::string& datei) const {
    DateiSchreiben(datei, "<?xml version='1.0' encoding='UTF-8'?>\n<osm version=\"0.6\" generator=\"test\">\n" + xml_ + "</osm>\n");
  }

 private:
  static std::string Tags(const std::vector<std::pair<std::string, std::string>>& tags) {
    std::string t;
    for (const auto& [k, v] : tags) t += "<tag k=\"" + k + "\" v=\"" + v + "\"/>";
    return t;
  }
  std::string xml_;
};

std::vector<std::pair<std::string, std::string>> Adresse(const std::string& plz, const std::string& ort, const std::string& strasse,
                                                         const std::string& nr = "") {
  std::vector<std::pair<std::string, std::string>> t = {{"addr:postcode", plz}, {"addr:city", ort}, {"addr:street", strasse}};
  if (!nr.empty()) t.emplace_back("addr:housenumber", nr);
  return t;
}

class OsmImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgrammOrdnerSetzen(t.pfad());
    std::filesystem::create_directories(t / "Ord_1");
    TPLZRecord berlin = PLZSatz("Berlin", 10115);
    TPLZRecord hamburg = PLZSatz("Hamburg", 20095);
    hamburg.Breitengrad = 53.55;
    hamburg.Laengengrad = 10.0;
    test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>{berlin, hamburg});
    test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", std::vector<TStrassenRecord>{test::StrassenSatz(20095, "Alter Weg", "Hamburg")});
  }

  Datenbestand Laden() {
    Datenbestand db;
    db.OrdnerPfad = "Ord_1/";
    test::Antworten nein;
    db.PLZLaden(nein);
    db.StrassenLaden(KeinFortschritt(), nein, false);
    return db;
  }

  OsmErgebnis Importieren(const std::string& datei, bool schreiben = true, bool anhaengen = false) {
    Datenbestand db = Laden();
    OsmOptionen o;
    o.schreiben = schreiben;
    o.anhaengen = anhaengen;
    o.datum = "2026-12-08";
    test::Antworten nein;
    return OsmImportieren(db, datei, o, KeinFortschritt(), nein);
  }

  // The sample: every skip reason, streets on nodes, a way and a relation, house-number forms.
  void Beispiel(const std::string& datei) {
    Auszug()
        .knoten(1, 52.5, 13.4, Adresse("10115", "Berlin", "Gartenstra\xC3\x9F" "e", "12a"))
        .knoten(2, 52.7, 13.6, Adresse(" 10115 ", "Berlin", "Gartenstra\xC3\x9F" "e", "3-5"))
        .knoten(3, 52.6, 13.5, Adresse("10115", "Berlin", "Ackerstra\xC3\x9F" "e", "7;9, 2b"))
        .knoten(4, 50.0, 8.0, Adresse("1011", "Berlin", "Kurzweg"))
        .knoten(5, 50.0, 8.0, {{"addr:postcode", "10115"}, {"addr:street", "Ohneortweg"}})
        .knoten(6, 50.0, 8.0, {{"addr:postcode", "10115"}, {"addr:city", "Berlin"}})
        .knoten(7, 50.0, 8.0, {{"addr:postcode", "10115"}, {"addr:city", "Berlin"}, {"addr:street", "Wien"}, {"addr:country", "AT"}})
        .knoten(8, 50.0, 8.0, {{"addr:street", "Kein Briefkasten"}})
        .knoten(30, 1.0, 1.0)  // out of order: the node pass must go back for node 20
        .knoten(20, 53.0, 11.0)
        .knoten(21, 53.1, 11.1)
        .weg(100, {20, 21}, {{"building", "yes"}, {"addr:postcode", "99998"}, {"addr:city", "Kleindorf"}, {"addr:place", "Kleindorf"}, {"addr:housenumber", "Haus A"}})
        .relation(200, Adresse("20095", "Hamburg", "Neuer Weg", "1"))
        .schreiben(datei);
  }

  test::TempOrdner t;
};

TEST_F(OsmImportTest, AddressesBecomeStreetsCoordinatesAndRecordsWithEachSkipCounted) {
  Beispiel(t / "a.osm");
  const OsmErgebnis e = Importieren(t / "a.osm");
  EXPECT_EQ(e.adressen, 9);
  EXPECT_EQ(e.falschePLZ, 1);
  EXPECT_EQ(e.ohneOrt, 1);
  EXPECT_EQ(e.ohneStrasse, 1);
  EXPECT_EQ(e.anderesLand, 1);
  EXPECT_EQ(e.strassen, 4);
  EXPECT_EQ(e.gefuellt, 1);
  EXPECT_EQ(e.neu, 1);
  EXPECT_TRUE(e.geschrieben);

  const auto strassen = TabelleLesen<TStrassenRecord>(t / "Ord_1/Strassen_D.ppp");
  ASSERT_EQ(strassen.size(), 5u);
  // By code, then by sort name; the old street file is replaced.
  EXPECT_EQ(strassen[1].Strasse.text(), "Ackerstra\xDF" "e");
  EXPECT_EQ(strassen[1].AbNr.text(), "2b");
  EXPECT_EQ(strassen[1].BisNr.text(), "9");
  EXPECT_EQ(strassen[2].Strasse.text(), "Gartenstra\xDF" "e");
  EXPECT_EQ(strassen[2].AbNr.text(), "3");
  EXPECT_EQ(strassen[2].BisNr.text(), "12a");
  EXPECT_EQ(strassen[2].HausNrKz, '1');
  EXPECT_EQ(strassen[3].Strasse.text(), "Neuer Weg");
  EXPECT_EQ(strassen[3].AbNr.text(), "1");
  EXPECT_EQ(strassen[3].BisNr.text(), "1");
  EXPECT_EQ(strassen[4].Strasse.text(), "Kleindorf");
  EXPECT_EQ(strassen[4].Ort.text(), "Kleindorf");
  EXPECT_TRUE(strassen[4].AbNr.leer());
  EXPECT_EQ(strassen[4].HausNrKz, '0');

  const auto plz = TabelleLesen<TPLZRecord>(t / "Ord_1/Dat_D.ppp");
  ASSERT_EQ(plz.size(), 4u);
  // Berlin had none: the medians of 52.5/52.7/52.6 and 13.4/13.6/13.5.
  EXPECT_NEAR(plz[1].Breitengrad, 52.6, 1e-7);
  EXPECT_NEAR(plz[1].Laengengrad, 13.5, 1e-7);
  EXPECT_EQ(plz[1].Strassen, 2);
  EXPECT_EQ(plz[1].AbBisNr, 1);
  // Hamburg's coordinates stay; its street is the relation's (no location).
  EXPECT_DOUBLE_EQ(plz[2].Breitengrad, 53.55);
  EXPECT_EQ(plz[2].Strassen, 1);
  EXPECT_EQ(plz[2].AbBisNr, 3);
  // The way's first node places the new record.
  EXPECT_EQ(plz[3].Ort.text(), "Kleindorf");
  EXPECT_EQ(plz[3].PLZ, 99998);
  EXPECT_EQ(plz[3].Staat.text(), "DE");
  EXPECT_NEAR(plz[3].Breitengrad, 53.0, 1e-7);
  EXPECT_EQ(plz[3].AbBisNr, 4);
  EXPECT_TRUE(DateiVorhanden(t / "SichCopy/Strassen_D_2026-12-08_OS_Ord_1.ppp"));
  EXPECT_TRUE(DateiVorhanden(t / "SichCopy/Dat_D_2026-12-08_OS_Ord_1.ppp"));
}

TEST_F(OsmImportTest, WithoutWritingNothingChangesAndAppendingKeepsTheOldStreets) {
  Beispiel(t / "a.osm");
  const std::string plzVorher = DateiLesen(t / "Ord_1/Dat_D.ppp"), strassenVorher = DateiLesen(t / "Ord_1/Strassen_D.ppp");
  const OsmErgebnis probe = Importieren(t / "a.osm", false);
  EXPECT_EQ(probe.strassen, 4);
  EXPECT_FALSE(probe.geschrieben);
  EXPECT_EQ(DateiLesen(t / "Ord_1/Dat_D.ppp"), plzVorher);
  EXPECT_EQ(DateiLesen(t / "Ord_1/Strassen_D.ppp"), strassenVorher);
  EXPECT_FALSE(DateiVorhanden(t / "SichCopy"));

  Importieren(t / "a.osm", true, true);
  const auto strassen = TabelleLesen<TStrassenRecord>(t / "Ord_1/Strassen_D.ppp");
  ASSERT_EQ(strassen.size(), 6u);
  EXPECT_EQ(strassen[1].Strasse.text(), "Alter Weg");
  EXPECT_EQ(strassen[2].Strasse.text(), "Ackerstra\xDF" "e");
  const auto plz = TabelleLesen<TPLZRecord>(t / "Ord_1/Dat_D.ppp");
  EXPECT_EQ(plz[2].Strassen, 2);  // Hamburg: the old street and the new one
  EXPECT_EQ(plz[2].AbBisNr, 1);
}

// Empty records the user chose to keep in the file are not in the loaded table: appending must
// neither count them nor count twice the streets that followed them.
TEST_F(OsmImportTest, AppendingToAFileWithKeptEmptyRecordsWritesEveryOldStreetOnce) {
  TStrassenRecord ohneName = test::StrassenSatz(20095, "", "Hamburg");
  TStrassenRecord ohnePLZ = test::StrassenSatz(0, "Bahnhofstra\xDF" "e", "Hamburg");
  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp",
                         std::vector<TStrassenRecord>{ohneName, test::StrassenSatz(20095, "Alter Weg", "Hamburg"), ohnePLZ,
                                                      test::StrassenSatz(20095, "Jungfernstieg", "Hamburg")});
  Beispiel(t / "a.osm");
  const OsmErgebnis e = Importieren(t / "a.osm", true, true);
  ASSERT_TRUE(e.geschrieben);
  const auto strassen = TabelleLesen<TStrassenRecord>(t / "Ord_1/Strassen_D.ppp");
  std::vector<std::string> namen;
  for (std::size_t k = 1; k < strassen.size(); ++k) namen.push_back(strassen[k].Strasse.text());
  EXPECT_EQ(std::count(namen.begin(), namen.end(), "Alter Weg"), 1);
  EXPECT_EQ(std::count(namen.begin(), namen.end(), "Jungfernstieg"), 1);
  EXPECT_EQ(namen.size(), 4u + static_cast<std::size_t>(e.strassen)) << "the kept records stay in the file, the new ones follow";
  const auto plz = TabelleLesen<TPLZRecord>(t / "Ord_1/Dat_D.ppp");
  EXPECT_EQ(plz[2].Strassen, 3);  // Hamburg: two old streets and the new one
}

// The same data as PBF and as bzip2-packed XML (made by osmium-tool) give the same files.
TEST_F(OsmImportTest, PbfAndPackedXmlGiveTheSameFilesAsXml) {
  if (std::system("command -v osmium >/dev/null 2>&1") != 0) GTEST_SKIP() << "osmium-tool fehlt";
  Beispiel(t / "a.osm");
  // "osmium sort" marks the PBF as sorted, so the node pass may stop after the last node it needs.
  ASSERT_EQ(std::system(("osmium sort -o " + (t / "a.osm.pbf") + " " + (t / "a.osm") + " && osmium cat -o " + (t / "a.osm.bz2") + " " + (t / "a.osm")).c_str()), 0);
  const std::string anfangPLZ = DateiLesen(t / "Ord_1/Dat_D.ppp"), anfangStrassen = DateiLesen(t / "Ord_1/Strassen_D.ppp");
  std::vector<std::string> ergebnisse;
  for (const char* datei : {"a.osm", "a.osm.pbf", "a.osm.bz2"}) {
    DateiSchreiben(t / "Ord_1/Dat_D.ppp", anfangPLZ);
    DateiSchreiben(t / "Ord_1/Strassen_D.ppp", anfangStrassen);
    Importieren(t / datei);
    ergebnisse.push_back(DateiLesen(t / "Ord_1/Dat_D.ppp") + DateiLesen(t / "Ord_1/Strassen_D.ppp"));
  }
  EXPECT_TRUE(ergebnisse[0] == ergebnisse[1]);
  EXPECT_TRUE(ergebnisse[0] == ergebnisse[2]);
}

// Places of one code, one contained in the other, each get their own block, and a spelling of
// a place that compares equal shares its block; the street sort afterwards moves nothing.
TEST_F(OsmImportTest, AStreetSortAfterTheImportMovesNothing) {
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp",
                         std::vector<TPLZRecord>{PLZSatz("Bergheim", 50126), PLZSatz("Berg", 50126), PLZSatz("Au", 50127)});
  Auszug a;
  long id = 1;
  for (const char* ort : {"Berg", "Bergheim", "Au", "Berg-Heim"}) {
    for (const char* strasse : {"Zeile", "ahornweg", "Mittelgasse", "Am Bach", "zeile", "\xC3\x84" "u\xC3\x9F" "ere Str."}) {
      a.knoten(id, 50.9, 6.6, Adresse(std::string(ort) == "Au" ? "50127" : "50126", ort, strasse, std::to_string(id)));
      ++id;
    }
  }
  a.schreiben(t / "b.osm");
  Importieren(t / "b.osm");
  const std::string nachImport = DateiLesen(t / "Ord_1/Strassen_D.ppp");
  Datenbestand db = Laden();
  OptimierungsOptionen o;
  o.sortierenFragen = false;
  o.datum = "2026-12-09";
  test::Antworten nein;
  const SortErgebnis s = StrassenSortieren(db, o, KeinFortschritt(), nein);
  EXPECT_EQ(s.bewegt, 0);
  EXPECT_TRUE(DateiLesen(t / "Ord_1/Strassen_D.ppp") == nachImport);
}

// Krems an der Donau and Krems share 3500, and both have an Austraße: each record counts its
// own streets (not those of the place it contains or is contained in), and the program's own
// export, imported into a new folder, gives the same streets again.
TEST_F(OsmImportTest, TwoPlacesOfOneCodeCountTheirOwnStreetsAndSurviveExportAndImport) {
  const std::string krems = "Krems an der Donau";
  test::RecordsSchreiben(t / "Ord_1/Dat_A.ppp", std::vector<TPLZRecord>{PLZSatz(krems.c_str(), 3500, "AT"), PLZSatz("Krems", 3500, "AT")});
  Auszug a;
  long id = 1;
  for (const char* strasse : {"Obere Landstra\xC3\x9F" "e", "Untere Landstra\xC3\x9F" "e", "Austra\xC3\x9F" "e", "Wiener Stra\xC3\x9F" "e"}) {
    a.knoten(id, 48.41, 15.6, Adresse("3500", krems, strasse, std::to_string(id)));
    ++id;
  }
  for (const char* strasse : {"Austra\xC3\x9F" "e", "Ringstra\xC3\x9F" "e"}) {
    a.knoten(id, 48.40, 15.58, Adresse("3500", "Krems", strasse, std::to_string(id) + "-" + std::to_string(id + 10)));
    ++id;
  }
  a.schreiben(t / "krems.osm");
  auto laden = [&](const char* ordner) {
    Datenbestand db;
    db.OrdnerPfad = ordner;
    db.Land = std::string(kOesterreich);
    test::Antworten nein;
    db.PLZLaden(nein);
    db.StrassenLaden(KeinFortschritt(), nein, false);
    return db;
  };
  Datenbestand db = laden("Ord_1/");
  OsmOptionen o;
  o.schreiben = true;
  o.datum = "2026-12-09";
  test::Antworten nein;
  OsmImportieren(db, t / "krems.osm", o, KeinFortschritt(), nein);
  db = laden("Ord_1/");
  EXPECT_EQ(db.PLZTabelle[1].Strassen, 4);
  EXPECT_EQ(db.PLZTabelle[2].Strassen, 2);
  EXPECT_EQ(db.PLZTabelle[2].AbBisNr, 5);
  EXPECT_EQ(db.StrassenTabelle[5].Ort.text(), "Krems");

  ExportOptionen e;
  Exportieren(db, t / "plz.csv", e, KeinFortschritt());
  e.art = ExportArt::PLZStrassen;
  Exportieren(db, t / "krems.csv", e, KeinFortschritt());
  std::filesystem::create_directories(t / "Ord_2");
  for (const bool plz : {true, false}) {
    Tabelle tabelle{kImportTabellenSpalten, 2};
    ImportTabelleKopf(tabelle);
    CSVLeseOptionen lo;
    lo.strassen = !plz;
    lo.landText = std::string(kOesterreich);
    // The format the program ships for its own exports: columns found by their titles.
    ImportFormat f;
    for (std::size_t i = 0; i < kImportFelder; ++i) f.titel[i] = StandardFormat().titel[i];
    CSVLesen(t / (plz ? "plz.csv" : "krems.csv"), f, tabelle, lo, KeinFortschritt());
    ImportAnhaengen(t / (plz ? "Ord_2/Dat_A.ppp" : "Ord_2/Strassen_A.ppp"), plz, tabelle, KeinFortschritt());
  }
  auto saetze = [](const std::string& datei) {
    std::vector<std::string> s;
    const std::string roh = DateiLesen(datei);
    for (std::size_t i = 0; i < roh.size(); i += sizeof(TStrassenRecord)) s.push_back(roh.substr(i, sizeof(TStrassenRecord)));
    std::sort(s.begin(), s.end());
    return s;
  };
  EXPECT_EQ(saetze(t / "Ord_2/Strassen_A.ppp"), saetze(t / "Ord_1/Strassen_A.ppp"));
  // The postal codes come back but for their street counts, which a recount makes.
  const auto neu = TabelleLesen<TPLZRecord>(t / "Ord_2/Dat_A.ppp"), alt = TabelleLesen<TPLZRecord>(t / "Ord_1/Dat_A.ppp");
  ASSERT_EQ(neu.size(), 3u);
  for (std::size_t k = 1; k < 3; ++k) EXPECT_EQ(std::memcmp(&neu[k], &alt[k], offsetof(TPLZRecord, Strassen)), 0) << k;
}

// Pegnitz's codes: the new Bronn (91257) takes what both records of its code agree on; the new
// place of 91278 takes nothing of a code whose records disagree.
TEST_F(OsmImportTest, NewRecordsTakeWhatTheRecordsOfTheirCodeAgreeOn) {
  auto satz = [](const char* ort, std::int32_t plz, const char* kreis, std::int32_t vorwahl) {
    TPLZRecord r = PLZSatz(ort, plz);
    r.Bundesland.setzen("Bayern");
    r.Regierungsbezirk.setzen("Oberfranken");
    r.Landkreis.setzen(kreis);
    r.Autokennzeichen.setzen("BT");
    r.Vorwahl = vorwahl;
    return r;
  };
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp",
                         std::vector<TPLZRecord>{satz("Pegnitz", 91257, "Landkreis Bayreuth", 9241), satz("Pegnitz", 91257, "Landkreis Bayreuth", 9241),
                                                 satz("Pottenstein", 91278, "Landkreis Bayreuth", 9243),
                                                 satz("Pottenstein", 91278, "Landkreis Bayreuth", 9242)});
  Auszug()
      .knoten(1, 49.75, 11.54, Adresse("91257", "Bronn", "Bronner Hauptstra\xC3\x9F" "e", "3"))
      .knoten(2, 49.77, 11.40, Adresse("91278", "Kirchenbirkig", "Kirchenbirkig", "7"))
      .schreiben(t / "pegnitz.osm");
  EXPECT_EQ(Importieren(t / "pegnitz.osm").neu, 2);
  const auto plz = TabelleLesen<TPLZRecord>(t / "Ord_1/Dat_D.ppp");
  ASSERT_EQ(plz.size(), 7u);
  EXPECT_EQ(plz[5].Ort.text(), "Bronn");
  EXPECT_EQ(plz[5].Bundesland.text(), "Bayern");
  EXPECT_EQ(plz[5].Landkreis.text(), "Landkreis Bayreuth");
  EXPECT_EQ(plz[5].Regierungsbezirk.text(), "Oberfranken");
  EXPECT_EQ(plz[5].Autokennzeichen.text(), "BT");
  EXPECT_EQ(plz[5].Vorwahl, 9241);
  EXPECT_EQ(plz[6].Ort.text(), "Kirchenbirkig");
  EXPECT_EQ(plz[6].Vorwahl, 0) << "two dialling codes: none is taken";
  EXPECT_EQ(plz[6].Landkreis.text(), "Landkreis Bayreuth") << "but what they agree on is";
}

// Values from outside are clean: a line break or tab becomes a blank, and of a list
// ("Hauptstraße;Kirchweg") only the first value is taken and counted.
TEST_F(OsmImportTest, ControlCharactersBecomeBlanksAndOfAListTheFirstValueIsTaken) {
  Auszug()
      .knoten(1, 52.5, 13.4, Adresse("10115", "Berlin", "Invaliden&#13;&#10;stra\xC3\x9F" "e", "1"))
      .knoten(2, 52.5, 13.4, Adresse("10115", "Berlin", "Tor&#9;stra\xC3\x9F" "e", "2"))
      .knoten(3, 52.5, 13.4, Adresse("10115", "Berlin", "Chausseestra\xC3\x9F" "e;Wöhlertstra\xC3\x9F" "e", "3"))
      .schreiben(t / "c.osm");
  const OsmErgebnis e = Importieren(t / "c.osm");
  EXPECT_EQ(e.listen, 1);
  const auto strassen = TabelleLesen<TStrassenRecord>(t / "Ord_1/Strassen_D.ppp");
  ASSERT_EQ(strassen.size(), 4u);
  EXPECT_EQ(strassen[1].Strasse.text(), "Chausseestra\xDF" "e");
  EXPECT_EQ(strassen[2].Strasse.text(), "Invaliden  stra\xDF" "e");
  EXPECT_EQ(strassen[3].Strasse.text(), "Tor stra\xDF" "e");
}

std::vector<std::string> Teile(std::string_view nummer) {
  std::vector<std::string> t;
  HausnummerTeile(nummer, [&](std::string_view teil) { t.emplace_back(teil); });
  return t;
}

TEST(Hausnummern, PartsAndTheirNumbers) {
  EXPECT_EQ(Teile(" 3 - 5 "), (std::vector<std::string>{"3", "5"}));
  EXPECT_EQ(Teile("7;9,11a"), (std::vector<std::string>{"7", "9", "11a"}));
  EXPECT_EQ(Teile(";;"), std::vector<std::string>{});
  EXPECT_EQ(Teile("4-"), std::vector<std::string>{"4"});
  EXPECT_EQ(HausnummerZahl("12a"), 12);
  EXPECT_EQ(HausnummerZahl("a12"), -1);
  EXPECT_EQ(HausnummerZahl("007"), 7);
  EXPECT_EQ(HausnummerZahl("123456789012345678901"), 9'999'999'999);
}

TEST_F(OsmImportTest, AKilledImportLeavesTheOldFilesOrTheNew) {
  Auszug a;
  for (long i = 1; i <= 20000; ++i) a.knoten(i, 48.0, 11.0, Adresse(std::to_string(80000 + i % 900), "M\xC3\xBCnchen", "Weg " + std::to_string(i)));
  a.schreiben(t / "c.osm");
  const std::string alt = DateiLesen(t / "Ord_1/Strassen_D.ppp");
  Importieren(t / "c.osm");
  const std::string neu = DateiLesen(t / "Ord_1/Strassen_D.ppp");
  ASSERT_EQ(neu.size(), 20000 * sizeof(TStrassenRecord));
  const std::string plzAlt = DateiLesen(t / "SichCopy/Dat_D_2026-12-08_OS_Ord_1.ppp");
  test::MittenImSchreibenAbschiessen(t / "Ord_1/Strassen_D.ppp", alt, neu, 3, [&] {
    test::DateiSchreiben(t / "Ord_1/Dat_D.ppp", plzAlt);
    Importieren(t / "c.osm");
  });
}

}  // namespace
}  // namespace orvano
