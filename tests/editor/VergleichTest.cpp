// Comparing two files, the records one lacks, and replacing in a field.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <filesystem>
#include <limits>

#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "editor/Ersetzen.h"
#include "editor/Vergleich.h"
#include "support/Abschuss.h"
#include "support/Antworten.h"
#include "support/Datenordner.h"

namespace orvano {
namespace {

using test::PLZSatz;
using test::StrassenSatz;

template <class T>
std::vector<T> Lesen(const std::string& datei) {
  const std::string roh = test::DateiLesen(datei);
  std::vector<T> v(roh.size() / sizeof(T));
  if (!v.empty()) std::memcpy(v.data(), roh.data(), v.size() * sizeof(T));
  return v;
}

// Cancels once the progress has passed a record number.
class AbbruchBei : public Fortschritt {
 public:
  explicit AbbruchBei(std::int64_t ab) : ab_(ab) {}
  void position(std::int64_t w) override { stand_ = w; }
  bool abbrechen() override { return stand_ >= ab_; }

 private:
  std::int64_t ab_;
  std::int64_t stand_ = 0;
};

TEST(Vergleich, RecordsAreEqualInTheComparedFieldsOnly) {
  TPLZRecord a = PLZSatz("Bonn", 53111);
  TPLZRecord b = a;
  b.Strassen = 7, b.AbBisNr = 3, b.Reserve[0] = 9;
  b.Ort.zeichen[30] = 'x';  // beyond the counted characters
  EXPECT_TRUE(PLZGleich(a, b));
  b.Ort.setzen("bonn");
  EXPECT_FALSE(PLZGleich(a, b));
  a.Breitengrad = 0.0, b = a, b.Breitengrad = -0.0;
  EXPECT_TRUE(PLZGleich(a, b));
  a.Breitengrad = std::numeric_limits<double>::quiet_NaN();
  EXPECT_FALSE(PLZGleich(a, a));
  TStrassenRecord s = StrassenSatz(53111, "Hauptstr.", "Bonn");
  TStrassenRecord u = s;
  u.HausNrKz = '1';
  EXPECT_TRUE(StrassenGleich(s, u));
  u.AbNr.setzen("2");
  EXPECT_FALSE(StrassenGleich(s, u));
}

TEST(Vergleich, TheChecksComeInTheirOrder) {
  const VergleichsSeite plz1{"Ord_1", "Deutschland", EditorArt::PLZ};
  EXPECT_EQ(VergleichPruefen(plz1, {"", "Deutschland", EditorArt::Strassen}), VergleichsPruefung::ArtVerschieden);
  EXPECT_EQ(VergleichPruefen({"", "Deutschland", EditorArt::PLZ}, {"", "Schweiz", EditorArt::PLZ}), VergleichsPruefung::Ordner1Leer);
  EXPECT_EQ(VergleichPruefen(plz1, {"", "Schweiz", EditorArt::PLZ}), VergleichsPruefung::Ordner2Leer);
  EXPECT_EQ(VergleichPruefen(plz1, {"Ord_1", "Deutschland", EditorArt::PLZ}), VergleichsPruefung::GleicheDatei);
  EXPECT_EQ(VergleichPruefen(plz1, {"Ord_1", "Schweiz", EditorArt::PLZ}), VergleichsPruefung::Ok);
  EXPECT_EQ(VergleichsMeldung(VergleichsPruefung::ArtVerschieden), "PLZ oder Strassen Datenbank in beiden Ordner auswählen");
}

TEST(Vergleich, TheComparisonStepsFromThePositionWithinTheShorterFile) {
  test::TempOrdner t;
  std::vector<TStrassenRecord> eins, zwei;
  for (int i = 1; i <= 100; ++i) eins.push_back(StrassenSatz(i, "Weg", "Ort"));
  zwei.assign(eins.begin(), eins.begin() + 90);
  test::RecordsSchreiben(t / "1.ppp", eins);
  test::RecordsSchreiben(t / "2.ppp", zwei);
  std::int64_t pos = 1;
  EXPECT_EQ(Vergleichen(t / "1.ppp", t / "2.ppp", EditorArt::Strassen, pos, false, KeinFortschritt()), 0);
  EXPECT_EQ(pos, 2) << "the step stays without a difference";
  zwei[0].Ort.setzen("ort"), zwei[4].PLZ = 0;
  test::RecordsSchreiben(t / "2.ppp", zwei);
  pos = 1;
  EXPECT_EQ(Vergleichen(t / "1.ppp", t / "2.ppp", EditorArt::Strassen, pos, true, KeinFortschritt()), 1) << "backward looks at 1";
  EXPECT_EQ(Vergleichen(t / "1.ppp", t / "2.ppp", EditorArt::Strassen, pos, false, KeinFortschritt()), 5) << "forward from 2";
  EXPECT_EQ(pos, 5);
  EXPECT_EQ(Vergleichen(t / "1.ppp", t / "2.ppp", EditorArt::Strassen, pos, true, KeinFortschritt()), 1);
  // Backward from beyond the shorter file: the last record both have comes first.
  zwei[2].Strasse.setzen("Gasse");
  zwei[89].Strasse.setzen("Pfad");
  test::RecordsSchreiben(t / "2.ppp", zwei);
  pos = 95;
  EXPECT_EQ(Vergleichen(t / "1.ppp", t / "2.ppp", EditorArt::Strassen, pos, true, KeinFortschritt()), 90);
  pos = 1000;
  zwei[89] = eins[89];
  test::RecordsSchreiben(t / "2.ppp", zwei);
  EXPECT_EQ(Vergleichen(t / "1.ppp", t / "2.ppp", EditorArt::Strassen, pos, true, KeinFortschritt()), 5);
}

TEST(Vergleich, NewDataAreWhatFile2LacksInTheOrderOfFile1AndAreAppendedWhole) {
  test::TempOrdner t;
  const TPLZRecord a = PLZSatz("A", 1), b = PLZSatz("B", 2), c = PLZSatz("C", 3), x = PLZSatz("X", 4);
  test::RecordsSchreiben(t / "1.ppp", std::vector{a, b, c});
  test::RecordsSchreiben(t / "2.ppp", std::vector{b, x});
  const std::string neu = t / "neutemp.tmp";
  EXPECT_EQ(NeueDatenSuchen(t / "1.ppp", t / "2.ppp", EditorArt::PLZ, neu, KeinFortschritt()).gefunden, 2);
  EXPECT_EQ(RecordsAnhaengen(neu, t / "2.ppp", EditorArt::PLZ, KeinFortschritt()), 2);
  std::vector<std::string> orte;
  for (const auto& r : Lesen<TPLZRecord>(t / "2.ppp")) orte.push_back(r.Ort.text());
  EXPECT_EQ(orte, (std::vector<std::string>{"B", "X", "A", "C"}));
  EXPECT_EQ(NeueDatenSuchen(t / "1.ppp", t / "2.ppp", EditorArt::PLZ, neu, KeinFortschritt()).gefunden, 0);
  // Without file 2 everything is new, and the append creates it.
  EXPECT_EQ(NeueDatenSuchen(t / "1.ppp", t / "fehlt.ppp", EditorArt::PLZ, neu, KeinFortschritt()).gefunden, 3);
  EXPECT_EQ(RecordsAnhaengen(neu, t / "fehlt.ppp", EditorArt::PLZ, KeinFortschritt()), 3);
  EXPECT_EQ(test::DateiLesen(t / "fehlt.ppp"), test::DateiLesen(t / "1.ppp"));
  // Escape keeps what was found up to then.
  std::vector<TPLZRecord> viele;
  for (int i = 1; i <= 1000; ++i) viele.push_back(PLZSatz("N", i));
  test::RecordsSchreiben(t / "1.ppp", viele);
  AbbruchBei abbruch(300);
  const NeueDaten teil = NeueDatenSuchen(t / "1.ppp", t / "2.ppp", EditorArt::PLZ, neu, abbruch);
  EXPECT_TRUE(teil.abgebrochen);
  EXPECT_EQ(teil.gefunden, 299);
  EXPECT_EQ(Lesen<TPLZRecord>(neu).size(), 299u);
}

TEST(Vergleich, AKilledAppendLeavesTheOldFileOrAllRecordsAppended) {
  test::TempOrdner t;
  std::vector<TStrassenRecord> neu(40000, StrassenSatz(1067, "Neu", "Ort"));
  test::RecordsSchreiben(t / "neu.tmp", neu);
  const std::string alt = std::string(126 * 30000, 'a');
  const std::string ganz = alt + test::DateiLesen(t / "neu.tmp");
  const int mittenDrin = test::MittenImSchreibenAbschiessen(t / "Strassen_D.ppp", alt, ganz, 6, [&] {
    RecordsAnhaengen(t / "neu.tmp", t / "Strassen_D.ppp", EditorArt::Strassen, KeinFortschritt());
  });
  EXPECT_GE(mittenDrin, 3);
}

TEST(Vergleich, TheHashedSearchFindsWhatComparingWithEveryRecordFinds) {
  test::TempOrdner t;
  std::uint64_t z = 7;
  auto zufall = [&](int n) {
    z = z * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((z >> 33) % static_cast<std::uint64_t>(n));
  };
  const char* orte[] = {"Au", "au", "Aue", "Bad"};
  const double grade[] = {0.0, -0.0, 1.5, std::numeric_limits<double>::quiet_NaN()};
  auto satz = [&] {
    TPLZRecord r = PLZSatz(orte[zufall(4)], 1000 + zufall(3));
    r.Breitengrad = grade[zufall(4)];
    r.Strassen = zufall(5);
    r.Ort.zeichen[39] = static_cast<char>(zufall(3));
    return r;
  };
  std::vector<TPLZRecord> eins, zwei;
  for (int i = 0; i < 400; ++i) eins.push_back(satz());
  for (int i = 0; i < 60; ++i) zwei.push_back(satz());
  test::RecordsSchreiben(t / "1.ppp", eins);
  test::RecordsSchreiben(t / "2.ppp", zwei);
  // The search as written: file 2 from its first record for every record of file 1.
  std::vector<TPLZRecord> erwartet;
  for (const TPLZRecord& r : eins) {
    bool neu = true;
    for (std::size_t j = 0; j < zwei.size() && neu; ++j) neu = !PLZGleich(r, zwei[j]);
    if (neu) erwartet.push_back(r);
  }
  ASSERT_GT(erwartet.size(), 20u);
  ASSERT_LT(erwartet.size(), eins.size());
  NeueDatenSuchen(t / "1.ppp", t / "2.ppp", EditorArt::PLZ, t / "neu.tmp", KeinFortschritt());
  const std::vector<TPLZRecord> gefunden = Lesen<TPLZRecord>(t / "neu.tmp");
  ASSERT_EQ(gefunden.size(), erwartet.size());
  EXPECT_EQ(std::memcmp(gefunden.data(), erwartet.data(), erwartet.size() * sizeof(TPLZRecord)), 0);
}

class Ersetzen : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgVerzeichnis = t.pfad();
    std::filesystem::create_directories(t / "Ord_1");
    TStrassenRecord leer = StrassenSatz(0, "", "");
    test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp",
                           std::vector{StrassenSatz(1067, "Hauptstr.", "Dresden"), leer, StrassenSatz(1067, "HAUPTSTR.", "Dresden"),
                                       StrassenSatz(1069, "Neustadt-neustadt", "Neustadt am R\xFC" "benberge und Umgebung")});
    db.OrdnerPfad = "Ord_1/";
    test::Antworten nein{false};
    db.StrassenLaden(KeinFortschritt(), nein);
    ASSERT_EQ(db.StrassenZahl, 3);
  }
  ErsetzenErgebnis laufen(int spalte, const std::string& alt, const std::string& neu) {
    return ErsetzenLaufen(db, EditorArt::Strassen, spalte, alt, neu, temp(), KeinFortschritt());
  }
  std::string temp() const { return ErsetzenTempDatei(db.strassenDatei(), EditorArt::Strassen); }
  test::TempOrdner t;
  Datenbestand db;
};

TEST_F(Ersetzen, FoundWithCaseReplacedWithoutItCutToTheField) {
  const ErsetzenErgebnis e = laufen(3, "str.", "stra\xDF" "e");
  ASSERT_EQ(e.aenderungen.size(), 1u) << "HAUPTSTR. does not hold str.";
  EXPECT_EQ(e.aenderungen[0].neu, "Hauptstra\xDF" "e");
  EXPECT_EQ(e.aenderungen[0].nrInDb, 1);
  const auto s = Lesen<TStrassenRecord>(temp());
  ASSERT_EQ(s.size(), 4u) << "the invalid record the table skipped stays in its place";
  EXPECT_EQ(s[2].Strasse.text(), "HAUPTSTR.");
  EXPECT_EQ(s[1].PLZ, 0);
  EXPECT_EQ(laufen(3, "Neustadt", "X").aenderungen.at(0).neu, "X-X");
  EXPECT_EQ(laufen(3, ".", "").aenderungen.at(1).neu, "HAUPTSTR");
  EXPECT_EQ(AllesErsetzen("M\xDCNCHEN", "m\xFCn", "X"), "XCHEN");
  // The list shows the whole new place, the record holds 40 characters of it.
  const ErsetzenErgebnis lang = laufen(1, "Umgebung", "Umgebung und Umland");
  EXPECT_EQ(lang.aenderungen.at(0).neu.size(), 46u);
  EXPECT_EQ(Lesen<TStrassenRecord>(temp())[3].Ort.text(), lang.aenderungen[0].neu.substr(0, 40));
  EXPECT_TRUE(laufen(0, "1", "2").aenderungen.empty()) << "\"LNr\" has no field";
}

TEST_F(Ersetzen, ColumnsWithoutATextFieldAreRefused) {
  EXPECT_EQ(ErsetzenVerboten(EditorArt::PLZ, 6), "Ersetzen in PLZ micht möglich");
  EXPECT_EQ(ErsetzenVerboten(EditorArt::Strassen, 2), "Ersetzen in PLZ micht möglich");
  EXPECT_EQ(ErsetzenVerboten(EditorArt::PLZ, 8), "Ersetzen micht möglich");
  EXPECT_EQ(ErsetzenVerboten(EditorArt::PLZ, 7), "");
  EXPECT_EQ(ErsetzenVerboten(EditorArt::Strassen, 5), "");
}

TEST_F(Ersetzen, ACancelledRunLeavesNothingToSave) {
  AbbruchBei abbruch(0);
  const ErsetzenErgebnis e = ErsetzenLaufen(db, EditorArt::PLZ, 1, "a", "b", t / "Ord_1/PLZTemp.tmp", abbruch);
  EXPECT_FALSE(e.abgebrochen) << "nothing to cancel in an empty table";
  std::vector<TStrassenRecord> viele(3000, StrassenSatz(1067, "Hauptstr.", "Dresden"));
  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", viele);
  test::Antworten keine;
  db.StrassenLaden(KeinFortschritt(), keine);
  const ErsetzenErgebnis c = ErsetzenLaufen(db, EditorArt::Strassen, 3, "str.", "x", temp(), abbruch);
  EXPECT_TRUE(c.abgebrochen);
  EXPECT_TRUE(c.aenderungen.empty());
  EXPECT_FALSE(std::filesystem::exists(temp()));
}

TEST_F(Ersetzen, AKilledRunOrSaveLeavesTheOldOrTheNewFile) {
  std::vector<TStrassenRecord> viele(60000, StrassenSatz(1067, "Hauptstr.", "Dresden"));
  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", viele);
  test::Antworten keine;
  db.StrassenLaden(KeinFortschritt(), keine);
  const std::string ziel = db.strassenDatei();
  const std::string alt = test::DateiLesen(ziel);
  // Each run loads the file as the round left it, as the window's owner does.
  auto ersetzen = [&] {
    test::Antworten nein;
    db.StrassenLaden(KeinFortschritt(), nein);
    laufen(3, "str.", "weg");
    ErsetzenSpeichern(temp(), ziel);
  };
  ersetzen();
  const std::string neu = test::DateiLesen(ziel);
  ASSERT_NE(neu, alt);
  EXPECT_FALSE(std::filesystem::exists(temp()));
  const int mittenDrin = test::MittenImSchreibenAbschiessen(ziel, alt, neu, 6, ersetzen, temp());
  EXPECT_GE(mittenDrin, 3);
}

}  // namespace
}  // namespace orvano
