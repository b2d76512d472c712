#include "core/Datenbestand.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <filesystem>
#include <thread>

#include "core/Pfade.h"
#include "support/Abschuss.h"
#include "support/Antworten.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::Antworten;
using test::DateiLesen;
using test::DateiSchreiben;

TPLZRecord Ort(const char* ort, std::int32_t plz) {
  TPLZRecord r{};
  r.Staat.setzen("DE");
  r.Ort.setzen(ort);
  r.PLZ = plz;
  return r;
}

TStrassenRecord Strasse(std::int32_t plz, const char* name) {
  TStrassenRecord s{};
  s.PLZ = plz;
  s.Strasse.setzen(name);
  return s;
}

template <class T>
std::string Roh(std::initializer_list<T> records) {
  std::string roh;
  for (const T& r : records) roh.append(reinterpret_cast<const char*>(&r), sizeof r);
  return roh;
}

class Datenbestand : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgVerzeichnis = t.pfad();
    std::filesystem::create_directories(t / "Ord_1");
  }
  // Loads the country's file of Ord_1, as the main window does after a change of country.
  bool PLZLaden(std::string_view land, Rueckfragen& r) {
    db.Land = land;
    return db.PLZLaden(r);
  }
  StrassenLadeErgebnis StrassenLaden(std::string_view land, Fortschritt& f, Rueckfragen& r) {
    db.Land = land;
    return db.StrassenLaden(f, r);
  }
  // Temporary files of a save that are still beside the street file.
  int tempDateien() const {
    int n = 0;
    for (const auto& e : std::filesystem::directory_iterator(t / "Ord_1")) {
      if (e.path().string().rfind(TempDateiPraefix(strassenDatei()), 0) == 0) ++n;
    }
    return n;
  }
  void TearDown() override { testhaken::SchreibFehlerNach(-1); }
  std::string plzDatei() const { return t / "Ord_1/Dat_D.ppp"; }
  std::string strassenDatei() const { return t / "Ord_1/Strassen_D.ppp"; }
  test::TempOrdner t;
  orvano::Datenbestand db;
};

TEST_F(Datenbestand, AnEmptyPostalCodeFileLoadsWithoutAMessage) {
  DateiSchreiben(plzDatei(), "");
  Antworten a;
  EXPECT_TRUE(PLZLaden(kDeutschland, a));
  EXPECT_EQ(db.PLZAnzahl, 0);
  EXPECT_EQ(db.PLZTabelle.size(), 1u);
  EXPECT_TRUE(a.meldungen.empty());
}

TEST_F(Datenbestand, AMissingPostalCodeFileIsReportedWithItsFullPath) {
  DateiSchreiben(plzDatei(), Roh({Ort("Bonn", 53111)}));
  Antworten a;
  ASSERT_TRUE(PLZLaden(kDeutschland, a));
  ASSERT_EQ(db.PLZAnzahl, 1);
  EXPECT_FALSE(PLZLaden(kSchweiz, a));
  ASSERT_EQ(a.meldungen.size(), 1u);
  EXPECT_EQ(a.meldungen[0], "Datei " + t.pfad() + "Ord_1/Dat_CH.ppp nicht gefunden");
  EXPECT_EQ(db.PLZAnzahl, 0);
  EXPECT_EQ(db.PLZTabelle.size(), 1u);
}

TEST_F(Datenbestand, RecordsNotInUseAreLoadedButDroppedOnSaving) {
  TPLZRecord bonn = Ort("Bonn", 53111);
  bonn.Reserve[0] = 'R';  // never read, but kept
  bonn.Ort.zeichen[30] = 'x';  // behind the counted text: kept as well
  DateiSchreiben(plzDatei(), Roh({Ort("", 10115), bonn, Ort("Kiel", 0), Ort("Jena", 7743)}) + "rest");
  Antworten a;
  ASSERT_TRUE(PLZLaden(kDeutschland, a));
  ASSERT_EQ(db.PLZAnzahl, 4);
  EXPECT_EQ(db.PLZTabelle[1].PLZ, 10115);
  db.Geaendert = true;
  db.PLZSpeichern();
  EXPECT_FALSE(db.Geaendert);
  EXPECT_EQ(DateiLesen(plzDatei()), Roh({bonn, Ort("Jena", 7743)}));
  ASSERT_TRUE(PLZLaden(kDeutschland, a));
  EXPECT_EQ(db.PLZAnzahl, 2);
  EXPECT_EQ(db.PLZTabelle[2].Ort.text(), "Jena");
}

TEST_F(Datenbestand, AFailedSaveLeavesTheFileAndTheUnsavedMark) {
  const std::string alt = Roh({Ort("Bonn", 53111), Ort("Jena", 7743)});
  DateiSchreiben(plzDatei(), alt);
  Antworten a;
  ASSERT_TRUE(PLZLaden(kDeutschland, a));
  db.PLZTabelle[1].Ort.setzen("Berlin");
  db.Geaendert = true;
  testhaken::SchreibFehlerNach(310);
  EXPECT_THROW(db.PLZSpeichern(), DateiFehler);
  EXPECT_TRUE(db.Geaendert);
  EXPECT_EQ(DateiLesen(plzDatei()), alt);
}

TEST_F(Datenbestand, AKilledPurgeLeavesTheOldOrThePurgedFile) {
  std::string roh;
  for (int i = 0; i < 30000; ++i) roh += Roh({Strasse(1067, "Weg"), Strasse(0, "leer")});
  const std::string bereinigt = [&] {
    std::string b;
    for (int i = 0; i < 30000; ++i) b += Roh({Strasse(1067, "Weg")});
    return b;
  }();
  const int mittenDrin = test::MittenImSchreibenAbschiessen(strassenDatei(), roh, bereinigt, 6, [&] {
    Antworten ja{true};
    StrassenLaden(kDeutschland, KeinFortschritt(), ja);
  });
  EXPECT_GE(mittenDrin, 3);
}

TEST_F(Datenbestand, ThreeInvalidStreetsOfTenAreSkippedAndPurgedOnYes) {
  const std::string roh =
      Roh({Strasse(1067, "A"), Strasse(0, "B"), Strasse(1067, "C"), Strasse(100000, "D"), Strasse(99999, "E"),
           Strasse(1, "F"), Strasse(5, " "), Strasse(7, "G"), Strasse(8, "H"), Strasse(9, "I")});
  DateiSchreiben(strassenDatei(), roh);
  Antworten a{true};
  const auto e = StrassenLaden(kDeutschland, KeinFortschritt(), a);
  EXPECT_EQ(a.fragen, std::vector<std::string>{"Leere Einträge in Strassen-DB löschen?"});
  EXPECT_TRUE(e.vorhanden);
  EXPECT_EQ(e.ungueltig, 3);
  EXPECT_TRUE(e.bereinigt);
  EXPECT_EQ(std::filesystem::file_size(strassenDatei()), 882u);
  ASSERT_EQ(db.StrassenZahl, 7);
  EXPECT_EQ(db.StrassenTabelle[7].Strasse.text(), "I");
  // After the purge table index and file position agree again.
  for (int k = 1; k <= 7; ++k) EXPECT_EQ(db.StrassenPosition[static_cast<std::size_t>(k)], k);
}

TEST_F(Datenbestand, OnNoTheStreetFileStaysAndPositionsPointIntoIt) {
  const std::string roh = Roh({Strasse(0, "weg"), Strasse(1067, "A"), Strasse(5, "   "), Strasse(1067, "B")}) + "xy";
  DateiSchreiben(strassenDatei(), roh);
  Antworten a{false};
  const auto e = StrassenLaden(kDeutschland, KeinFortschritt(), a);
  EXPECT_EQ(a.fragen.size(), 1u);
  EXPECT_FALSE(e.bereinigt);
  EXPECT_EQ(DateiLesen(strassenDatei()), roh);
  ASSERT_EQ(db.StrassenZahl, 2);
  EXPECT_EQ(db.StrassenTabelle[1].Strasse.text(), "A");
  EXPECT_EQ(db.StrassenPosition[1], 2);
  EXPECT_EQ(db.StrassenPosition[2], 4);
  // Writing back at the kept position hits the right bytes of the file.
  EXPECT_EQ(roh.substr((db.StrassenPosition[2] - 1) * 126, 126), Roh({db.StrassenTabelle[2]}));
  // The answer holds for the file: loading it again (after a save of the street window, say)
  // does not ask once more; another country's file is asked about.
  Antworten keine;
  StrassenLaden(kDeutschland, KeinFortschritt(), keine);
  EXPECT_EQ(db.StrassenZahl, 2);
  DateiSchreiben(t / "Ord_1/Strassen_A.ppp", roh);
  Antworten nochmal{false};
  StrassenLaden("\xD6sterreich", KeinFortschritt(), nochmal);
  EXPECT_EQ(nochmal.fragen.size(), 1u);
}

TEST_F(Datenbestand, RecordsWithoutPlaceFromTheFileGoOnlyWhenTheUserSaysSo) {
  DateiSchreiben(plzDatei(), Roh({Ort("", 10115), Ort("Jena", 7743)}));
  Antworten nein{false};
  ASSERT_TRUE(PLZLaden(kDeutschland, nein));
  EXPECT_EQ(db.PLZLeereGeladen(), 1);
  EXPECT_EQ(db.PLZSpeichern(nein), 0);
  EXPECT_EQ(nein.fragen, std::vector<std::string>{"Dat_D.ppp enth\xC3\xA4lt 1 Datensatz ohne Ort oder PLZ.\rBeim Speichern entfernen?"});
  EXPECT_EQ(DateiLesen(plzDatei()), Roh({Ort("", 10115), Ort("Jena", 7743)})) << "kept, in its place";
  // Kept once, kept without asking again; one the user empties now goes, and is counted.
  ASSERT_TRUE(PLZLaden(kDeutschland, nein));
  db.PLZTabelle[2].Ort.setzen("");
  Antworten keine;
  EXPECT_EQ(db.PLZSpeichern(keine), 0);
  EXPECT_EQ(DateiLesen(plzDatei()).size(), 2 * sizeof(TPLZRecord));
  // A file that held none: what the user emptied is left out and counted, nobody is asked.
  DateiSchreiben(plzDatei(), Roh({Ort("Kiel", 24103), Ort("Jena", 7743)}));
  ASSERT_TRUE(PLZLaden(kDeutschland, keine));
  db.PLZTabelle[1].Ort.setzen("");
  EXPECT_EQ(db.PLZSpeichern(keine), 1);
  EXPECT_EQ(DateiLesen(plzDatei()), Roh({Ort("Jena", 7743)}));
}

TEST_F(Datenbestand, ValidStreetsAskNothingAndAMissingFileIsSilent) {
  DateiSchreiben(strassenDatei(), Roh({Strasse(1067, "A"), Strasse(99999, "B")}));
  Antworten a;
  auto e = StrassenLaden(kDeutschland, KeinFortschritt(), a);
  EXPECT_EQ(db.StrassenZahl, 2);
  EXPECT_EQ(e.ungueltig, 0);
  e = StrassenLaden(kOesterreich, KeinFortschritt(), a);
  EXPECT_FALSE(e.vorhanden);
  EXPECT_EQ(db.StrassenZahl, 0);
  EXPECT_TRUE(db.StrassenTabelle.empty());
  EXPECT_TRUE(a.meldungen.empty());
}

// The file is read block by block and its invalid records are dropped as each block arrives:
// the table must be what a plain scan of the file keeps, positions included, over many blocks,
// and a reload of a smaller file into the same memory must show nothing of the larger one.
TEST_F(Datenbestand, ABlockwiseLoadKeepsWhatAScanOfTheFileKeepsAndAReloadNothingOld) {
  const char* namen[] = {"Hauptstra\xDF" "e", "Am Markt", "Bahnhofstra\xDF" "e", "Kirchweg", "Schillerplatz", "Goethestra\xDF" "e"};
  std::vector<TStrassenRecord> datei;
  for (int i = 1; i <= 7000; ++i) {
    TStrassenRecord r = Strasse(1067 + (i / 40) * 7, namen[i % 6]);
    r.Ort.setzen(i % 3 ? "Dresden" : "Gro\xDF" "r\xF6hrsdorf");
    if (i % 97 == 0) r.PLZ = 0;
    if (i % 251 == 0) r.Strasse.setzen("    ");
    if (i == 2080 || i == 2081 || i == 4161 || i == 7000) r.PLZ = 100000;
    datei.push_back(r);
  }
  std::string roh;
  for (const auto& r : datei) roh.append(reinterpret_cast<const char*>(&r), sizeof r);
  DateiSchreiben(strassenDatei(), roh + "Rest eines Satzes");
  std::vector<std::int32_t> erwartetePositionen;
  for (std::size_t i = 0; i < datei.size(); ++i) {
    const std::string name = datei[i].Strasse.text();
    if (datei[i].PLZ > 0 && datei[i].PLZ < 100000 && name.find_first_not_of(' ') != std::string::npos) {
      erwartetePositionen.push_back(static_cast<std::int32_t>(i + 1));
    }
  }
  Antworten nein{false};
  const auto e = StrassenLaden(kDeutschland, KeinFortschritt(), nein);
  ASSERT_EQ(db.StrassenZahl, static_cast<std::int32_t>(erwartetePositionen.size()));
  EXPECT_EQ(e.ungueltig, 7000 - db.StrassenZahl);
  EXPECT_EQ(std::vector<std::int32_t>(db.StrassenPosition.begin() + 1, db.StrassenPosition.end()), erwartetePositionen);
  for (std::int32_t k = 1; k <= db.StrassenZahl; ++k) {
    const std::size_t i = static_cast<std::size_t>(erwartetePositionen[static_cast<std::size_t>(k - 1)] - 1);
    ASSERT_EQ(std::memcmp(&db.StrassenTabelle[static_cast<std::size_t>(k)], &datei[i], sizeof(TStrassenRecord)), 0) << k;
  }
  ASSERT_EQ(db.StrassenTabelle.size(), erwartetePositionen.size() + 1) << "nothing but the kept records";

  // The same memory takes a smaller file of other codes.
  DateiSchreiben(strassenDatei(), Roh({Strasse(99084, "Anger"), Strasse(0, "weg"), Strasse(99084, "Domplatz")}));
  Antworten keine;  // the answer given for this file holds
  StrassenLaden(kDeutschland, KeinFortschritt(), keine);
  ASSERT_EQ(db.StrassenZahl, 2);
  EXPECT_EQ(db.StrassenTabelle[2].Strasse.text(), "Domplatz");
  EXPECT_EQ(db.StrassenPosition, (std::vector<std::int32_t>{0, 1, 3}));
  EXPECT_TRUE(db.StrassenNachPLZ(1067).empty());
  EXPECT_EQ(db.StrassenNachPLZ(99084).size(), 2u);
}

TEST_F(Datenbestand, StreetProgressComesEveryThousandRecords) {
  std::string roh;
  for (int i = 0; i < 2500; ++i) roh += Roh({Strasse(i % 2 ? 1067 : 0, "A")});
  DateiSchreiben(strassenDatei(), roh);
  test::Protokoll p;
  Antworten a{false};
  StrassenLaden(kDeutschland, p, a);
  EXPECT_EQ(p.maxima, std::vector<std::int64_t>{2500});
  EXPECT_EQ(p.positionen, (std::vector<std::int64_t>{1000, 2000}));
  EXPECT_EQ(p.beendet, 1);
  EXPECT_EQ(db.StrassenZahl, 1250);
}

// A child saves a large street table over and over, switching between two contents, and is
// killed at a random moment. The file must then hold one of the two contents completely.
TEST_F(Datenbestand, AKilledSaveLeavesTheOldOrTheNewFileWhole) {
  constexpr int kStrassen = 200000;
  auto tabelle = [](char marke) {
    RecordFeld<TStrassenRecord> tab(kStrassen + 1);
    tab[0] = TStrassenRecord{};
    for (int k = 1; k <= kStrassen; ++k) {
      tab[static_cast<std::size_t>(k)] = Strasse(1000 + k % 90000, "Weg");
      tab[static_cast<std::size_t>(k)].Ort.setzen(std::string(1, marke));
    }
    return tab;
  };
  const auto a = tabelle('a');
  const auto b = tabelle('b');
  const std::string inhaltA(reinterpret_cast<const char*>(a.data() + 1), kStrassen * 126);
  const std::string inhaltB(reinterpret_cast<const char*>(b.data() + 1), kStrassen * 126);
  DateiSchreiben(strassenDatei(), inhaltA);

  std::uint64_t zufall = 12345;
  int mittenDrin = 0;
  for (int runde = 0; runde < 40; ++runde) {
    const pid_t kind = ::fork();
    ASSERT_GE(kind, 0);
    if (kind == 0) {
      Antworten nein{false};
      StrassenLaden(kDeutschland, KeinFortschritt(), nein);
      for (int i = 0;; ++i) {
        db.StrassenTabelle = (i % 2) ? a : b;
        db.StrassenZahl = kStrassen;
        db.StrassenSpeichern(KeinFortschritt());
      }
    }
    zufall = zufall * 6364136223846793005ULL + 1442695040888963407ULL;
    std::this_thread::sleep_for(std::chrono::milliseconds(20 + (zufall >> 33) % 300));
    ::kill(kind, SIGKILL);
    ::waitpid(kind, nullptr, 0);
    const std::string jetzt = DateiLesen(strassenDatei());
    ASSERT_TRUE(jetzt == inhaltA || jetzt == inhaltB) << "Runde " << runde << ": " << jetzt.size() << " Bytes";
    if (tempDateien() > 0) ++mittenDrin;
    for (const auto& e : std::filesystem::directory_iterator(t / "Ord_1")) {
      if (e.path() != strassenDatei()) std::filesystem::remove(e.path());
    }
  }
  // Most kills must have hit a save in progress, or the test proved nothing.
  EXPECT_GE(mittenDrin, 10);
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

class StrassenIndex : public Datenbestand {};

// The index must give exactly what a scan of the street table gives, in the same order.
TEST_F(StrassenIndex, GivesTheStreetsOfAScanInTheirOrder) {
  std::vector<TStrassenRecord> s;
  std::uint32_t z = 7;
  for (int i = 0; i < 5000; ++i) {
    z = z * 1103515245u + 12345u;
    const std::int32_t plz = static_cast<std::int32_t>((z >> 8) % 60) * 1000 + 1067;
    s.push_back(Strasse((z >> 20) % 50 == 0 ? 0 : plz, "Weg"));
  }
  s.push_back(Strasse(99999, "Ende"));
  std::string roh;
  for (const auto& r : s) roh.append(reinterpret_cast<const char*>(&r), sizeof r);
  DateiSchreiben(strassenDatei(), roh);
  Antworten a{false};
  StrassenLaden(kDeutschland, KeinFortschritt(), a);
  for (std::int32_t plz : {1067, 2067, 59067, 99999, 5, 0, -1, 100000}) {
    std::vector<std::int32_t> scan;
    for (std::int32_t k = 1; k <= db.StrassenZahl; ++k) {
      if (db.StrassenTabelle[static_cast<std::size_t>(k)].PLZ == plz) scan.push_back(k);
    }
    const StrassenBereich b = db.StrassenNachPLZ(plz);
    EXPECT_EQ(std::vector<std::int32_t>(b.begin(), b.end()), scan) << plz;
  }
  // Without a street file there is nothing to find.
  std::filesystem::remove(strassenDatei());
  StrassenLaden(kDeutschland, KeinFortschritt(), a);
  EXPECT_TRUE(db.StrassenNachPLZ(1067).empty());
}

}  // namespace
}  // namespace orvano
