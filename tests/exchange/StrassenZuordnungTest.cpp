// Which record a street belongs to, through every part that counts, lists or writes streets.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>

#include "core/Start.h"
#include "core/StrassenZuordnung.h"
#include "exchange/Export.h"
#include "streets/Optimierung.h"
#include "streets/StrassenListe.h"
#include "streets/StrassenZaehlen.h"
#include "support/Antworten.h"
#include "support/Datenordner.h"

namespace orvano {
namespace {

using test::DateiLesen;
using test::PLZSatz;
using test::StrassenSatz;

// Heinersreuth and its district Altenplos share 95500; both have a Hauptstraße. A street without
// place, one of a hamlet no record names and one in capitals go to Heinersreuth, the code's
// first record; 95448 has no record at all; Hummeltal has no street.
class Zuordnung : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgrammOrdnerSetzen(t.pfad());
    std::filesystem::create_directories(t / "Ord_1");
    test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp",
                           std::vector<TPLZRecord>{PLZSatz("Bayreuth", 95445), PLZSatz("Heinersreuth", 95500),
                                                   PLZSatz("Altenplos", 95500), PLZSatz("Hummeltal", 95503)});
    test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp",
                           std::vector<TStrassenRecord>{
                               StrassenSatz(95500, "Bayreuther Stra\xDF" "e", "Heinersreuth", "1", "35"),
                               StrassenSatz(95500, "Altenploser Stra\xDF" "e", "Altenplos", "2", "40"),
                               StrassenSatz(95500, "Hauptstra\xDF" "e", "Heinersreuth", "1", "20"),
                               StrassenSatz(95500, "Hauptstra\xDF" "e", "Altenplos", "1", "12"),
                               StrassenSatz(95500, "Lindenweg", "", "3", "9"),
                               StrassenSatz(95500, "Cottenbacher Weg", "Cottenbach"),
                               StrassenSatz(95500, "Am Sportplatz", "HEINERSREUTH", "1", "4"),
                               StrassenSatz(95445, "Maximilianstra\xDF" "e", "Bayreuth", "1", "70"),
                               StrassenSatz(95445, "Opernstra\xDF" "e", "Bayreuth", "14", "16"),
                               StrassenSatz(95448, "Wilhelminenstra\xDF" "e", "Bayreuth", "1", "8"),
                           });
  }
  Datenbestand laden() {
    Datenbestand db;
    test::Antworten keine;
    db.PLZLaden(keine);
    db.StrassenLaden(KeinFortschritt(), keine, false);
    return db;
  }
  static std::vector<std::int32_t> zahlen(const Datenbestand& db) {
    std::vector<std::int32_t> z;
    for (std::int32_t k = 1; k <= db.PLZAnzahl; ++k) z.push_back(db.PLZTabelle[static_cast<std::size_t>(k)].Strassen);
    return z;
  }
  // Street name -> the places of the lines it appears in, from an export of the streets.
  static std::multimap<std::string, std::string> zeilen(const std::string& text) {
    std::multimap<std::string, std::string> m;
    for (std::size_t a = text.find("\r\n") + 2, e; (e = text.find("\r\n", a)) != std::string::npos; a = e + 2) {
      const std::string z = text.substr(a, e - a);
      std::vector<std::string> f;
      for (std::size_t p = 0, q;; p = q + 1) {
        q = z.find(';', p);
        f.push_back(z.substr(p, q == std::string::npos ? std::string::npos : q - p));
        if (q == std::string::npos) break;
      }
      m.emplace(f.size() > 3 ? f[3] : std::string(), f[1]);
    }
    return m;
  }
  test::TempOrdner t;
};

const std::vector<std::int32_t> kErwartet = {2, 5, 2, 0};

TEST_F(Zuordnung, EveryStreetOfACodeWithARecordBelongsToExactlyOne) {
  Datenbestand db = laden();
  const StrassenZuordnung z(db.PLZTabelle, db.PLZAnzahl);
  std::vector<std::int32_t> besitzer;
  for (std::int32_t i = 1; i <= db.StrassenZahl; ++i) besitzer.push_back(z.besitzer(db.StrassenTabelle[static_cast<std::size_t>(i)]));
  EXPECT_EQ(besitzer, (std::vector<std::int32_t>{2, 3, 2, 3, 2, 2, 2, 1, 1, 0}));
  // For one record view only the records of its code are looked at, with the same answers.
  const StrassenZuordnung nur(db.PLZTabelle, db.PLZAnzahl, 95500);
  EXPECT_EQ(nur.besitzer(95500, "Altenplos"), 3);
  EXPECT_EQ(nur.besitzer(95500, "  "), 2);
  EXPECT_EQ(nur.besitzer(95445, "Bayreuth"), 0);
  // A record not in use owns nothing: the next record of the code takes its streets.
  db.PLZTabelle[2].Ort.setzen("");
  EXPECT_EQ(StrassenZuordnung(db.PLZTabelle, db.PLZAnzahl).besitzer(95500, "Cottenbach"), 3);
}

// The recount, the street window's update mode and the optimisation give the same counts; the
// optimisation keeps the Hauptstraße of both places and drops only the street without record.
TEST_F(Zuordnung, RecountWindowAndOptimisationGiveTheSameCounts) {
  Datenbestand db = laden();
  test::Antworten keine;
  StrassenZaehlen(db, KeinFortschritt(), keine);
  EXPECT_EQ(zahlen(db), kErwartet);
  EXPECT_EQ(db.PLZTabelle[2].AbBisNr, 1);
  EXPECT_EQ(db.PLZTabelle[3].AbBisNr, 2);
  EXPECT_EQ(db.PLZTabelle[4].AbBisNr, kKeineStrassen);
  EXPECT_EQ(zahlen(laden()), kErwartet) << "the counts were saved";

  // The street window of Altenplos lists its two streets and the place-less one of the code,
  // which its save would replace, but stores the count of what belongs to it.
  Datenbestand fenster = laden();
  fenster.PLZTabelle[3].Strassen = 0;
  const StrassenListe l = StrassenListeFuellen(fenster, 3, true, 'D', KeinFortschritt(), keine);
  EXPECT_EQ(l.zeilen.size(), 3u);
  EXPECT_EQ(fenster.PLZTabelle[3].Strassen, 2);

  Datenbestand opt = laden();
  OptimierungsOptionen o;
  o.strassenFragen = false;
  o.datum = "2026-12-09";
  const StrassenOptErgebnis e = StrassenOptimieren(opt, o, KeinFortschritt(), keine);
  EXPECT_EQ(e.neu, 9);
  EXPECT_EQ(zahlen(opt), kErwartet);
  // The blocks follow the records: Bayreuth 1-2, Heinersreuth 3-7, Altenplos 8-9.
  EXPECT_EQ(opt.PLZTabelle[2].AbBisNr, 3);
  EXPECT_EQ(opt.PLZTabelle[3].AbBisNr, 8);
  EXPECT_EQ(opt.StrassenTabelle[9].Strasse.text(), "Hauptstra\xDF" "e");
  EXPECT_EQ(opt.StrassenTabelle[9].Ort.text(), "Altenplos");
  // A recount of the optimised file changes nothing.
  EXPECT_EQ(StrassenNeuZaehlen(opt, KeinFortschritt()).geaendert, 0);
}

// Each street once, under its own record; a record without street (Hummeltal) and one whose
// stored count promises streets it does not have both give their one line.
TEST_F(Zuordnung, BothStreetExportsListEachStreetOnceUnderItsRecord) {
  Datenbestand db = laden();
  db.PLZTabelle[4].Strassen = 7;
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>(db.PLZTabelle.begin() + 1, db.PLZTabelle.end()));
  for (const ExportArt art : {ExportArt::Strassen, ExportArt::PLZStrassen}) {
    ExportOptionen o;
    o.art = art;
    Exportieren(laden(), t / "fenster.csv", o, KeinFortschritt());
    Datenbestand nurPLZ;
    test::Antworten keine;
    nurPLZ.PLZLaden(keine);
    ExportierenAusDatei(nurPLZ, t / "cli.csv", o, KeinFortschritt(), keine);
    const std::string text = DateiLesen(t / "fenster.csv");
    EXPECT_EQ(DateiLesen(t / "cli.csv"), text);
    if (art == ExportArt::PLZStrassen) continue;
    const auto m = zeilen(text);
    EXPECT_EQ(m.size(), 10u) << "9 streets with a record, Hummeltal's line";
    const auto haupt = m.equal_range("Hauptstra\xDF" "e");
    std::vector<std::string> orte;
    for (auto i = haupt.first; i != haupt.second; ++i) orte.push_back(i->second);
    EXPECT_EQ(orte, (std::vector<std::string>{"Heinersreuth", "Altenplos"}));
    EXPECT_EQ(m.find("Lindenweg")->second, "Heinersreuth");
    EXPECT_EQ(m.find("Cottenbacher Weg")->second, "Heinersreuth");
    EXPECT_EQ(m.count("Wilhelminenstra\xDF" "e"), 0u);
    EXPECT_EQ(m.find("")->second, "Hummeltal");
  }
}

}  // namespace
}  // namespace orvano
