#include "app/Cli.h"

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <thread>
#include <chrono>

#include "core/AnhangJournal.h"
#include "core/Records.h"
#include "folders/Sicherung.h"
#include "support/Datenordner.h"
#include "support/TempOrdner.h"
#include "support/TestServer.h"
#include "support/TlsServer.h"
#include "support/Beispieldaten.h"
#include "testdaten/Testdaten.h"

namespace orvano {
namespace {

using test::DateiSchreiben;
using test::TempOrdner;

struct Ergebnis {
  int status;
  std::string out;
  std::string err;
};

Ergebnis Cli(std::vector<std::string> argumente, const std::string& standardOrdner = "/nirgends/") {
  std::ostringstream out, err;
  const int status = CliAusfuehren(argumente, standardOrdner, out, err);
  return {status, out.str(), err.str()};
}

bool Enthaelt(const std::string& text, const std::string& teil) { return text.find(teil) != std::string::npos; }

std::string Strassen(std::initializer_list<std::pair<std::int32_t, const char*>> liste) {
  std::string roh;
  for (const auto& [plz, name] : liste) {
    TStrassenRecord s{};
    s.PLZ = plz;
    s.Strasse.setzen(name);
    roh.append(reinterpret_cast<const char*>(&s), sizeof s);
  }
  return roh;
}

TEST(CliInfo, CountsRecordsAndValidStreetsOfEachCountry) {
  TempOrdner t;
  DateiSchreiben(t / "Ord_1/Dat_D.ppp", std::string(3 * 300, '\0'));
  DateiSchreiben(t / "Ord_1/Strassen_D.ppp", Strassen({{1067, "Weg"}, {0, "Weg"}, {5, " "}, {99999, "Gasse"}}) + "abc");
  DateiSchreiben(t / "Ord_1/Dat_CH.ppp", std::string(300 + 299, '\0'));
  const auto e = Cli({"info", "--programmordner", t.pfad()});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_TRUE(Enthaelt(e.out, "Dat_D.ppp: 3 Datensätze")) << e.out;
  EXPECT_TRUE(Enthaelt(e.out, "Strassen_D.ppp: 4 Datensätze, davon 2 gültig")) << e.out;
  EXPECT_TRUE(Enthaelt(e.out, "Österreich")) << e.out;
  EXPECT_TRUE(Enthaelt(e.out, "Dat_A.ppp nicht vorhanden")) << e.out;
  EXPECT_TRUE(Enthaelt(e.out, "Dat_CH.ppp: 1 Datensätze")) << e.out;
  EXPECT_TRUE(Enthaelt(e.out, "Strassen_CH.ppp nicht vorhanden")) << e.out;
}

TEST(CliInfo, ReadsTheChosenFolderAndTheGeneratedNationalData) {
  TempOrdner t;
  testdaten::Schreiben(t.pfad(), {.plzAnzahl = 500, .strassenAnzahl = 20000, .seed = 7});
  std::filesystem::rename(t / "Ord_1", t / "Ord_Test");
  const auto e = Cli({"--programmordner", t.pfad(), "info", "--ordner", "Ord_Test"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_TRUE(Enthaelt(e.out, "Ord_Test/Dat_D.ppp: 500 Datensätze")) << e.out;
  EXPECT_TRUE(Enthaelt(e.out, "Strassen_D.ppp: 20000 Datensätze, davon ")) << e.out;
  EXPECT_FALSE(Enthaelt(e.out, "davon 20000 gültig")) << "the generator writes some invalid streets";
}

TEST(CliInfo, TheExecutablesFolderIsTheDefault) {
  TempOrdner t;
  DateiSchreiben(t / "Ord_1/Dat_D.ppp", std::string(300, '\0'));
  const auto e = Cli({"info"}, t.pfad());
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_TRUE(Enthaelt(e.out, "Dat_D.ppp: 1 Datensätze"));
}

TEST(CliFehler, AMissingDataFolderFailsWithStatusOne) {
  TempOrdner t;
  const auto e = Cli({"info", "--programmordner", t.pfad(), "--ordner", "Ord_9"});
  EXPECT_EQ(e.status, 1);
  EXPECT_TRUE(Enthaelt(e.err, "Datenordner " + t.pfad() + "Ord_9 nicht gefunden")) << e.err;
  EXPECT_TRUE(e.out.empty());
}

TEST(CliFehler, AMissingProgramFolderFailsWithStatusOne) {
  const auto e = Cli({"info", "--programmordner", "/gibt/es/nicht"});
  EXPECT_EQ(e.status, 1);
  EXPECT_TRUE(Enthaelt(e.err, "Programmordner /gibt/es/nicht/ nicht gefunden")) << e.err;
}

TEST(CliFehler, AnUnreadableFileFailsWithStatusOne) {
  TempOrdner t;
  std::filesystem::create_directories(t / "Ord_1/Strassen_D.ppp");
  const auto e = Cli({"info", "--programmordner", t.pfad()});
  EXPECT_EQ(e.status, 1);
  EXPECT_TRUE(Enthaelt(e.err, "kann nicht gelesen werden")) << e.err;
}

TEST(CliFehler, FolderNamesCannotLeaveTheProgramFolder) {
  TempOrdner t;
  std::filesystem::create_directories(t / "Ord_1");
  EXPECT_EQ(Cli({"info", "--programmordner", t.pfad(), "--ordner", "../x"}).status, 1);
  EXPECT_EQ(Cli({"info", "--programmordner", t.pfad(), "--ordner", ".."}).status, 1);
}

class CliBereinigen : public ::testing::Test {
 protected:
  void SetUp() override {
    roh = Strassen({{1067, "A"}, {0, "B"}, {1067, "C"}, {100000, "D"}, {99999, "E"},
                    {1, "F"}, {5, " "}, {7, "G"}, {8, "H"}, {9, "I"}});
    DateiSchreiben(t / "Ord_1/Strassen_A.ppp", roh);
  }
  TempOrdner t;
  std::string roh;
};

TEST_F(CliBereinigen, WithoutJaItOnlyCounts) {
  const auto e = Cli({"--programmordner", t.pfad(), "bereinigen", "--land", "Österreich"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_TRUE(Enthaelt(e.out, "Strassen_A.ppp: 3 ungültige Einträge")) << e.out;
  EXPECT_TRUE(Enthaelt(e.out, "Nichts geschrieben")) << e.out;
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Strassen_A.ppp"), roh);
}

TEST_F(CliBereinigen, WithJaTheInvalidEntriesAreRemoved) {
  const auto e = Cli({"--programmordner", t.pfad(), "bereinigen", "--land", "Österreich", "--ja"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_TRUE(Enthaelt(e.out, "3 ungültige Einträge gelöscht, 7 Einträge bleiben")) << e.out;
  EXPECT_EQ(std::filesystem::file_size(t / "Ord_1/Strassen_A.ppp"), 882u);
  const auto wieder = Cli({"--programmordner", t.pfad(), "bereinigen", "--land", "Österreich", "--ja"});
  EXPECT_TRUE(Enthaelt(wieder.out, ": 0 ungültige Einträge")) << wieder.out;
}

TEST_F(CliBereinigen, AMissingStreetFileOrAnUnknownCountryFails) {
  auto e = Cli({"--programmordner", t.pfad(), "bereinigen"});
  EXPECT_EQ(e.status, 1);
  EXPECT_TRUE(Enthaelt(e.err, "Strassen_D.ppp nicht gefunden")) << e.err;
  e = Cli({"--programmordner", t.pfad(), "bereinigen", "--land", "Frankreich"});
  EXPECT_EQ(e.status, 2);
  EXPECT_TRUE(Enthaelt(e.err, "Unbekanntes Land")) << e.err;
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "info", "--ja"}).status, 2);
}

class CliExport : public ::testing::Test {
 protected:
  void SetUp() override {
    test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", test::BeispielPLZ());
    test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", test::BeispielStrassen());
  }
  std::string golden(const char* name) { return test::DateiLesen(std::string(ORVANO_GOLDEN) + "/" + name); }
  TempOrdner t;
};

TEST_F(CliExport, WritesTheSameBytesAsTheExportWindow) {
  auto e = Cli({"--programmordner", t.pfad(), "export", "--was", "plz", "--plz-vorsatz", "D-", t / "a.csv"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_EQ(test::DateiLesen(t / "a.csv"), golden("plz.csv"));
  e = Cli({"--programmordner", t.pfad(), "export", "--was", "strassen", "--nr-vorsatz", "Nr.", t / "a.txt"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_EQ(test::DateiLesen(t / "a.txt"), golden("strassen.txt"));
  e = Cli({"--programmordner", t.pfad(), "export", "--was", "beide", t / "b.CSV"});
  EXPECT_EQ(test::DateiLesen(t / "b.CSV"), golden("beide.csv"));
  EXPECT_TRUE(Enthaelt(e.out, "5 Zeilen geschrieben")) << e.out;
}

TEST_F(CliExport, BadCallsAndMissingFiles) {
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "export", "--was", "alles", t / "a.csv"}).status, 2);
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "export", "--was", "plz"}).status, 2);
  auto e = Cli({"--programmordner", t.pfad(), "export", "--land", "Schweiz", "--was", "plz", t / "a.csv"});
  EXPECT_EQ(e.status, 1);
  EXPECT_TRUE(Enthaelt(e.err, "Dat_CH.ppp nicht gefunden")) << e.err;
  e = Cli({"--programmordner", t.pfad(), "export", "--was", "plz", t / "fehlt/a.csv"});
  EXPECT_EQ(e.status, 1);
  EXPECT_FALSE(std::filesystem::exists(t / "a.csv"));
}

TEST(CliOrdner, ListsTheFoldersInTheOrderOfTheCombo) {
  TempOrdner t;
  for (const char* n : {"Ord_2", "Ord_1", "Ord_10", "Ord_Test"}) std::filesystem::create_directories(t / n);
  DateiSchreiben(t / "Ord_X", "");
  const auto e = Cli({"--programmordner", t.pfad(), "ordner"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_EQ(e.out, "Ord_1\nOrd_10\nOrd_2\nOrd_Test\n");
}

TEST(CliSicherung, BackupListAndRestore) {
  TempOrdner t;
  DateiSchreiben(t / "Ord_1/Dat_A.ppp", std::string(900, 'a'));
  std::filesystem::create_directories(t / "Ord_2");
  auto e = Cli({"--programmordner", t.pfad(), "sichern", "--land", "Österreich", "--art", "plz"});
  ASSERT_EQ(e.status, 0) << e.err;
  const std::string erste = e.out.substr(0, e.out.size() - 1);
  EXPECT_TRUE(Enthaelt(erste, t.pfad() + "SichCopy/Dat_A_")) << erste;
  EXPECT_EQ(erste.substr(erste.size() - 13), "_01_Ord_1.ppp");
  e = Cli({"--programmordner", t.pfad(), "sichern", "--land", "Österreich", "--art", "plz"});
  EXPECT_TRUE(Enthaelt(e.out, "_02_Ord_1.ppp")) << e.out;
  e = Cli({"--programmordner", t.pfad(), "sicherungen"});
  EXPECT_TRUE(Enthaelt(e.out, "_01_Ord_1.ppp: 3 Datensätze")) << e.out;
  const std::string name = erste.substr(erste.find_last_of('/') + 1);
  e = Cli({"--programmordner", t.pfad(), "wiederherstellen", name, "--ordner", "Ord_2"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_TRUE(Enthaelt(e.out, "Dat_A.ppp in Ord_2 kopieren?")) << e.out;
  EXPECT_FALSE(std::filesystem::exists(t / "Ord_2/Dat_A.ppp"));
  e = Cli({"--programmordner", t.pfad(), "wiederherstellen", name, "--ordner", "Ord_2", "--ja"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_EQ(test::DateiLesen(t / "Ord_2/Dat_A.ppp"), std::string(900, 'a'));
  // Over an existing file beside a street file: the replaced file is backed up first and the
  // recount is named.
  DateiSchreiben(t / "Ord_1/Dat_A.ppp", std::string(300, 'b'));
  DateiSchreiben(t / "Ord_1/Strassen_A.ppp", std::string(126, 's'));
  e = Cli({"--programmordner", t.pfad(), "wiederherstellen", name, "--ordner", "Ord_1", "--ja"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_A.ppp"), std::string(900, 'a'));
  EXPECT_TRUE(Enthaelt(e.out, "_WH_Ord_1.ppp")) << e.out;
  EXPECT_TRUE(Enthaelt(e.out, "strassen-zaehlen --ordner Ord_1 --land Österreich --ja")) << e.out;
  const std::size_t ende = e.out.find("_WH_Ord_1.ppp") + 13;
  const std::string zurueck = e.out.substr(e.out.rfind('/', ende) + 1, ende - e.out.rfind('/', ende) - 1);
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "wiederherstellen", zurueck, "--ordner", "Ord_1", "--ja"}).status, 0);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_A.ppp"), std::string(300, 'b')) << "the restore is taken back";
}

TEST(CliSicherung, RefusesWhatIsNoBackupOrMissing) {
  TempOrdner t;
  std::filesystem::create_directories(t / "Ord_1");
  DateiSchreiben(t / "SichCopy/notiz_2024-03-05_01.ppp", "x");
  auto e = Cli({"--programmordner", t.pfad(), "wiederherstellen", "notiz_2024-03-05_01.ppp", "--ordner", "Ord_1", "--ja"});
  EXPECT_EQ(e.status, 1);
  EXPECT_TRUE(Enthaelt(e.err, "keine Sicherheitskopie")) << e.err;
  e = Cli({"--programmordner", t.pfad(), "wiederherstellen", "Dat_D_2024-03-05_01.ppp", "--ordner", "Ord_1", "--ja"});
  EXPECT_EQ(e.status, 1);
  e = Cli({"--programmordner", t.pfad(), "sichern", "--art", "strassen"});
  EXPECT_EQ(e.status, 1);
  EXPECT_TRUE(Enthaelt(e.err, "Strassen_D.ppp nicht gefunden")) << e.err;
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "sichern"}).status, 2);
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "wiederherstellen", "x"}).status, 2);
}

class CliImport : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(t / "Ord_1");
    DateiSchreiben(t / "Standard.imp",
                   "Ort||||||||||||||||||||||\r\n");  // replaced below for the tests that need more
    DateiSchreiben(t / "Orte.imp", "Ort|Staat||||PLZ|||||||||||||Nr|Name|Ort|;|\r\n");
    DateiSchreiben(t / "Wege.ims", "Ort|||||PLZ||||||||Strasse|||||||||\r\n");
    DateiSchreiben(t / "q.csv", "PLZ;Ort;Nr\r\n01067;Dresden;1\r\n;Nirgendwo;2\r\n10115;Berlin;3\r\n");
  }
  TempOrdner t;
};

TEST_F(CliImport, CountsWithoutJaAndAppendsWithIt) {
  auto e = Cli({"--programmordner", t.pfad(), "import", "--art", "plz", "--format", "Orte", t / "q.csv"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_TRUE(Enthaelt(e.out, "3 Zeilen")) << e.out;
  EXPECT_TRUE(Enthaelt(e.out, "2 Datensätze würden an ")) << e.out << "no code is made up for Nirgendwo";
  EXPECT_TRUE(Enthaelt(e.err, "ohne --datei2 wird nicht verknüpft")) << e.err;
  EXPECT_FALSE(std::filesystem::exists(t / "Ord_1/Dat_D.ppp"));
  DateiSchreiben(t / "namen.csv", "Nr;Name\r\n3;Berlin-Mitte\r\n");
  e = Cli({"--programmordner", t.pfad(), "import", "--art", "plz", "--format", "Orte", "--datei2", t / "namen.csv",
           "--ja", t / "q.csv"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_TRUE(Enthaelt(e.out, "1 Paare verknüpft")) << e.out;
  EXPECT_TRUE(Enthaelt(e.out, "2 Datensätze geschrieben, 1 Zeile ohne Ort oder PLZ übersprungen")) << e.out;
  const std::string roh = test::DateiLesen(t / "Ord_1/Dat_D.ppp");
  ASSERT_EQ(roh.size(), 600u);
  TPLZRecord r;
  std::memcpy(&r, roh.data() + 300, 300);
  EXPECT_EQ(r.Ort.text(), "Berlin-Mitte");
  EXPECT_EQ(r.PLZ, 10115);
  EXPECT_EQ(r.Staat.text(), "DE");
}

TEST_F(CliImport, StreetsGoToTheStreetFileOfTheCountry) {
  DateiSchreiben(t / "w.csv", "PLZ;Ort;Strasse\r\n1010;Wien;Graben\r\n0;Wien;Ring\r\n");
  const auto e = Cli({"--programmordner", t.pfad(), "import", "--land", "Österreich", "--art", "strassen", "--format",
                      "Wege", "--ja", t / "w.csv"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_EQ(std::filesystem::file_size(t / "Ord_1/Strassen_A.ppp"), 126u);
}

TEST_F(CliImport, MissingFormatsAndFilesFailAndFormatsAreListed) {
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "import", "--art", "plz", "--format", "Fehlt", t / "q.csv"}).status, 1);
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "import", "--art", "plz", "--format", "Orte", t / "fehlt.csv"}).status, 1);
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "import", "--format", "Orte", t / "q.csv"}).status, 2);
  auto e = Cli({"--programmordner", t.pfad(), "formate"});
  EXPECT_EQ(e.out, "Orte\nStandard\n");
  e = Cli({"--programmordner", t.pfad(), "formate", "--art", "strassen"});
  EXPECT_EQ(e.out, "Wege\n");
}

TEST(CliAufruf, WrongUsageGivesStatusTwoAndTheUsage) {
  for (const auto& argumente : std::vector<std::vector<std::string>>{
           {}, {"gibtsnicht"}, {"info", "--falsch"}, {"info", "--ordner"}, {"info", "extra"}, {"info", "--land", "Schweiz"}}) {
    const auto e = Cli(argumente);
    EXPECT_EQ(e.status, 2) << (argumente.empty() ? "" : argumente[0]);
    EXPECT_TRUE(Enthaelt(e.err, "Aufruf: orvano-cli")) << e.err;
  }
}

TEST(CliAufruf, HelpPrintsTheUsage) {
  const auto e = Cli({"--help"});
  EXPECT_EQ(e.status, 0);
  EXPECT_TRUE(Enthaelt(e.out, "Aufruf: orvano-cli"));
  EXPECT_TRUE(Enthaelt(e.out, "info"));
}

TEST(CliProzess, TheRealExecutableReportsItsStatus) {
  TempOrdner t;
  DateiSchreiben(t / "Ord_1/Dat_D.ppp", std::string(600, '\0'));
  const std::string ok = std::string(ORVANO_CLI) + " --programmordner " + t.pfad() + " info > " + (t / "out") + " 2>&1";
  EXPECT_EQ(WEXITSTATUS(std::system(ok.c_str())), 0);
  EXPECT_TRUE(Enthaelt(test::DateiLesen(t / "out"), "Dat_D.ppp: 2 Datensätze"));
  const std::string fehlt = std::string(ORVANO_CLI) + " --programmordner " + (t / "fehlt") + " info 2>/dev/null";
  EXPECT_EQ(WEXITSTATUS(std::system(fehlt.c_str())), 1);
  const std::string falsch = std::string(ORVANO_CLI) + " blabla 2>/dev/null";
  EXPECT_EQ(WEXITSTATUS(std::system(falsch.c_str())), 2);
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST(CliOptimieren, WithoutJaNothingIsWrittenWithJaTheFilesAreReplacedAndBackedUp) {
  TempOrdner t;
  TPLZRecord bonn{};
  bonn.Ort.setzen("Bonn");
  bonn.PLZ = 53111;
  std::string plz;
  for (int i = 0; i < 2; ++i) plz.append(reinterpret_cast<const char*>(&bonn), sizeof bonn);
  DateiSchreiben(t / "Ord_1/Dat_D.ppp", plz);
  DateiSchreiben(t / "Ord_1/Strassen_D.ppp", Strassen({{53111, "Weg"}, {53111, "Weg"}, {12345, "Waise"}}));
  const std::string strassenVorher = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
  auto e = Cli({"--programmordner", t.pfad(), "optimieren", "--plz", "--strassen"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_TRUE(Enthaelt(e.out, "PLZ-Datenbank: 1 doppelte Einträge")) << e.out;
  EXPECT_TRUE(Enthaelt(e.out, "Altedatei: n = 3\nNeuedatei: n = 1")) << e.out;
  EXPECT_TRUE(Enthaelt(e.out, "Nichts geschrieben")) << e.out;
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), plz);
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Strassen_D.ppp"), strassenVorher);
  EXPECT_FALSE(std::filesystem::exists(t / "SichCopy"));

  e = Cli({"--programmordner", t.pfad(), "optimieren", "--plz", "--strassen", "--ja"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_EQ(std::filesystem::file_size(t / "Ord_1/Dat_D.ppp"), 300u);
  // A street without place is the code's first record's; the twin and the orphan go.
  EXPECT_EQ(std::filesystem::file_size(t / "Ord_1/Strassen_D.ppp"), 126u);
  EXPECT_EQ(std::filesystem::file_size(t / ("SichCopy/Strassen_D_" + HeutigesDatum() + "_SO_Ord_1.ppp")), 3u * 126);
  e = Cli({"--programmordner", t.pfad(), "optimieren", "--ordner", "Ord_9"});
  EXPECT_EQ(e.status, 1);
  EXPECT_TRUE(Enthaelt(e.err, "nicht gefunden")) << e.err;
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "optimieren", "--plz", "x"}).status, 2);
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST(CliPruefen, ListsPositionAndCellsAndDeletesOnlyWithJa) {
  TempOrdner t;
  DateiSchreiben(t / "Ord_1/Strassen_D.ppp", Strassen({{1067, "Am Markt"}, {1067, "Zeil"}, {1067, "am-markt"}, {1067, "Am Markt"}}));
  auto e = Cli({"--programmordner", t.pfad(), "pruefen", "--art", "strassen"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_EQ(e.out, "1;;;01067;Am Markt;;\n3;;;01067;am-markt;;\n2 Doppelte Einträge gefunden\n");
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "pruefen", "--art", "strassen", "--ab", "2"}).out,
            "3;;;01067;am-markt;;\n1 Doppelte Einträge gefunden\n");
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "pruefen", "--art", "strassen", "--loeschen"}).status, 2);
  e = Cli({"--programmordner", t.pfad(), "pruefen", "--art", "strassen", "--loeschen", "--ja"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_EQ(std::filesystem::file_size(t / "Ord_1/Strassen_D.ppp"), 2u * 126);
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "pruefen", "--art", "plz"}).status, 1) << "no postal-code file";
  // With a postal-code file, its counts are written with the shorter street file.
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>{test::PLZSatz("Dresden", 1067)});
  DateiSchreiben(t / "Ord_1/Strassen_D.ppp", Strassen({{1067, "Am Markt"}, {1067, "Zeil"}, {1067, "am-markt"}}));
  ASSERT_EQ(Cli({"--programmordner", t.pfad(), "strassen-zaehlen", "--ja"}).status, 0);
  ASSERT_EQ(Cli({"--programmordner", t.pfad(), "pruefen", "--art", "strassen", "--loeschen", "--ja"}).status, 0);
  EXPECT_TRUE(Enthaelt(Cli({"--programmordner", t.pfad(), "strassen-zaehlen"}).out, "0 von 1 PLZ-Einträgen"));
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST(CliSuchen, FieldSearchAndDoublePostalCodesAsTheWindowFindsThem) {
  TempOrdner t;
  auto satz = [](const char* ort, std::int32_t plz) {
    TPLZRecord r{};
    r.Staat.setzen("DE");
    r.Ort.setzen(ort);
    r.PLZ = plz;
    return std::string(reinterpret_cast<const char*>(&r), sizeof r);
  };
  TPLZRecord grobengereuth{};
  grobengereuth.Staat.setzen("DE");
  grobengereuth.Ort.setzen("Grobengereuth");
  grobengereuth.PLZ = 7389;
  grobengereuth.Vorwahl = 36484;
  DateiSchreiben(t / "Ord_1/Dat_D.ppp", satz("Bad Homburg", 61348) + satz("M\xFCnchen", 80331) + satz("bad homburg", 61348) +
                                            satz("BadHomburg", 61348) +
                                            std::string(reinterpret_cast<const char*>(&grobengereuth), sizeof grobengereuth));
  auto e = Cli({"--programmordner", t.pfad(), "suchen", "--art", "plz", "--doppelte"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_EQ(e.out,
            "1;Bad Homburg;;;;61348;;0;0;;0\n1;Bad Homburg;;;;61348;;0;0;;0\n3;bad homburg;;;;61348;;0;0;;0\n"
            "2 Doppelte PLZ gefunden.\n");
  e = Cli({"--programmordner", t.pfad(), "suchen", "--art", "plz", "--feld", "Ort", "--text", "München"});
  EXPECT_EQ(e.out, "2;München;;;;80331;;0;0;;0\n1 Einträge gefunden\n");
  // German codes and dialling codes are shown with their leading zero and found with or without it.
  for (const char* text : {"07389", "7389"}) {
    EXPECT_EQ(Cli({"--programmordner", t.pfad(), "suchen", "--art", "plz", "--feld", "Postleitzahl", "--text", text}).out,
              "5;Grobengereuth;;;;07389;;0;0;036484;0\n1 Einträge gefunden\n") << text;
  }
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "suchen", "--art", "plz", "--feld", "Vorwahl", "--text", "036484", "--genau"}).out,
            "5;Grobengereuth;;;;07389;;0;0;036484;0\n1 Einträge gefunden\n");
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "suchen", "--art", "plz", "--feld", "Postleitzahl", "--text", "08033"}).out,
            "Keine Einträge gefunden\n");
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "suchen", "--art", "plz", "--feld", "Postleitzahl", "--text", "8033"}).out,
            "2;München;;;;80331;;0;0;;0\n1 Einträge gefunden\n");
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "suchen", "--art", "plz", "--feld", "Ort", "--text", "x", "--ab", "zwei"}).status, 2);
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "suchen", "--art", "plz", "--feld", "Hausnummer", "--text", "x"}).status, 2);
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "suchen", "--art", "strassen", "--feld", "Strasse", "--text", "x"}).status, 1)
      << "no street file";
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST(CliRoute, PrintsTheAddressRouteOpens) {
  TempOrdner t;
  auto e = Cli({"--programmordner", t.pfad(), "route", "--von", "Köln|50667|Domkloster", "--nach", "München|80331|"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_EQ(e.out, "https://www.google.de/maps/dir/Domkloster,+50667+K%C3%B6ln/,+80331+M%C3%BCnchen\n");
  DateiSchreiben(t / "b.rte", "Bonn|53111|Markt*K\xF6ln|50667|Domkloster*3\r\n");
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "route", "--datei", t / "b.rte"}).out,
            "https://www.bing.com/mapspreview?v=2&rtp=adr.Markt,53111,Bonn~adr.Domkloster,50667,K%C3%B6ln\n")
      << "the service of the file";
  e = Cli({"--programmordner", t.pfad(), "route", "--von", "||Markt", "--nach", "Bonn||"});
  EXPECT_EQ(e.status, 1);
  EXPECT_TRUE(Enthaelt(e.err, "Ausgangsort eingeben")) << e.err;
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "route", "--dienst", "Atlas", "--von", "A||", "--nach", "B||"}).status, 2);
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST(CliOrtBei, TheNearestPlaceOfTheCountryAsAClickChoosesIt) {
  TempOrdner t;
  auto satz = [](const char* ort, std::int32_t plz, double breite, double laenge, const char* staat) {
    TPLZRecord r{};
    r.Staat.setzen(staat);
    r.Ort.setzen(ort);
    r.PLZ = plz;
    r.Breitengrad = breite;
    r.Laengengrad = laenge;
    return std::string(reinterpret_cast<const char*>(&r), sizeof r);
  };
  DateiSchreiben(t / "Ord_1/Dat_D.ppp", satz("Wien", 1010, 50.9, 6.9, "AT") + satz("K\xF6ln", 50667, 50.9375, 6.9603, "DE") +
                                            satz("Bonn", 53111, 50.73, 7.1, "DE"));
  auto e = Cli({"--programmordner", t.pfad(), "ort-bei", "--breite", "50,94", "--laenge", "6.96"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_EQ(e.out, "2;50667;Köln;50,9375;6,9603\n") << "Wien is no German record";
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "ort-bei", "--breite", "Nord", "--laenge", "7"}).status, 2);
}

TEST(CliStrassenZaehlen, ReportsTheChangedRecordsAndWritesOnlyWithJa) {
  TempOrdner t;
  TPLZRecord bonn{};
  bonn.Ort.setzen("Bonn");
  bonn.PLZ = 53111;
  const std::string plz(reinterpret_cast<const char*>(&bonn), sizeof bonn);
  DateiSchreiben(t / "Ord_1/Dat_D.ppp", plz);
  std::string strassen = Strassen({{12345, "Waise"}});
  TStrassenRecord markt{};
  markt.PLZ = 53111;
  markt.Ort.setzen("Bonn-Zentrum");
  markt.Strasse.setzen("Markt");
  strassen.append(reinterpret_cast<const char*>(&markt), sizeof markt);
  DateiSchreiben(t / "Ord_1/Strassen_D.ppp", strassen);
  auto e = Cli({"--programmordner", t.pfad(), "strassen-zaehlen"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_EQ(e.out, "1 von 1 PLZ-Einträgen mit anderer Strassenzahl oder erster Position\nNichts geschrieben (mit --ja wird gespeichert)\n");
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), plz);
  ASSERT_EQ(Cli({"--programmordner", t.pfad(), "strassen-zaehlen", "--ja"}).status, 0);
  const std::string neu = test::DateiLesen(t / "Ord_1/Dat_D.ppp");
  ASSERT_EQ(neu.size(), sizeof bonn);
  std::memcpy(&bonn, neu.data(), sizeof bonn);
  EXPECT_EQ(bonn.Strassen, 1);
  EXPECT_EQ(bonn.AbBisNr, 2) << "the second record of the street file";
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "strassen-zaehlen", "--ordner", "Ord_9"}).status, 1);
}

TEST(CliStrassen, ListsAndReplacesARecordsStreetsAsTheStreetWindow) {
  TempOrdner t;
  // Bonn's stored count and first position are stale (1 at 9); Beuel shares the code.
  TPLZRecord bonn = test::PLZSatz("Bonn", 53111), beuel = test::PLZSatz("Beuel", 53111);
  bonn.Strassen = 1;
  bonn.AbBisNr = 9;
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>{bonn, beuel});
  TStrassenRecord markt = test::StrassenSatz(53111, "Markt", "Bonn");
  markt.AbNr.setzen("1");
  markt.BisNr.setzen("9");
  markt.HausNrKz = '1';
  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp",
                         std::vector<TStrassenRecord>{test::StrassenSatz(53111, "Rhein", "Beuel"), markt, test::StrassenSatz(53111, "Hofgarten", ""),
                                                      test::StrassenSatz(53111, "Stra\xDF" "e", "BONN")});
  auto e = Cli({"--programmordner", t.pfad(), "strassen", "--plz", "53111", "--ort", "bonn"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_EQ(e.out, "2;Bonn;53111;Markt;1;9\n3;Bonn;53111;Hofgarten;;\n4;BONN;53111;Stra\xC3\x9F" "e;;\n3 Straßen von 53111 Bonn\n");

  // A list in UTF-8 replaces them; without --ja nothing is written.
  // Blanks inside names and house numbers stay, those around the cells go.
  DateiSchreiben(t / "liste.txt", "K\xC3\xB6nigstra\xC3\x9F" "e;2;4\r\n\r\n Am Alten Markt ; 12 a ;20\n");
  const std::string vorher = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
  e = Cli({"--programmordner", t.pfad(), "strassen", "--plz", "53111", "--ort", "Bonn", "--datei", t / "liste.txt"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_TRUE(Enthaelt(e.out, "3 Straßen von 53111 Bonn würden durch 2 ersetzt")) << e.out;
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Strassen_D.ppp"), vorher);
  e = Cli({"--programmordner", t.pfad(), "strassen", "--plz", "53111", "--ort", "Bonn", "--datei", t / "liste.txt", "--ja"});
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_TRUE(Enthaelt(e.out, "3 Straßen von 53111 Bonn durch 2 ersetzt")) << e.out;
  e = Cli({"--programmordner", t.pfad(), "strassen", "--plz", "53111", "--ort", "Beuel"});
  EXPECT_EQ(e.out, "1;Beuel;53111;Rhein;;\n1 Straßen von 53111 Beuel\n") << "the other place keeps its street";
  e = Cli({"--programmordner", t.pfad(), "strassen", "--plz", "53111", "--ort", "Bonn"});
  EXPECT_EQ(e.out, "2;Bonn;53111;K\xC3\xB6nigstra\xC3\x9F" "e;2;4\n3;Bonn;53111;Am Alten Markt;12 a;20\n2 Straßen von 53111 Bonn\n");
  // The stored count and first position are true again.
  const std::string plz = test::DateiLesen(t / "Ord_1/Dat_D.ppp");
  std::memcpy(&bonn, plz.data(), sizeof bonn);
  EXPECT_EQ(bonn.Strassen, 2);
  EXPECT_EQ(bonn.AbBisNr, 2);

  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "strassen", "--plz", "53111", "--ort", "Bad Godesberg"}).status, 1);
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "strassen", "--plz", "53111"}).status, 2);
  EXPECT_EQ(Cli({"--programmordner", t.pfad(), "strassen", "--plz", "abc", "--ort", "Bonn"}).status, 2);
}

std::string Orte(std::initializer_list<const char*> orte) {
  std::string roh;
  std::int32_t plz = 1000;
  for (const char* ort : orte) {
    TPLZRecord r{};
    r.Ort.setzen(ort);
    r.PLZ = ++plz;
    roh.append(reinterpret_cast<const char*>(&r), sizeof r);
  }
  return roh;
}

TEST(CliEditor, ComparisonAndNewDataAsTheEditorFindsThem) {
  TempOrdner t;
  DateiSchreiben(t / "Ord_1/Dat_D.ppp", Orte({"A", "B", "C"}));
  DateiSchreiben(t / "Ord_2/Dat_D.ppp", Orte({"A", "X"}));
  const std::vector<std::string> seiten = {"--programmordner", t.pfad(), "--art", "plz", "--ordner1", "Ord_1", "--ordner2", "Ord_2"};
  auto mit = [&](std::vector<std::string> vorne) {
    vorne.insert(vorne.end(), seiten.begin(), seiten.end());
    return Cli(vorne);
  };
  EXPECT_EQ(mit({"vergleichen"}).out, "2\n") << "from position 1 the first run compares from 2";
  EXPECT_EQ(mit({"vergleichen", "--ab", "0"}).out, "2\n");
  EXPECT_EQ(mit({"vergleichen", "--ab", "3", "--rueckwaerts"}).out, "2\n");
  EXPECT_EQ(mit({"vergleichen", "--ab", "1", "--rueckwaerts"}).out, "Keine Unterschiede\n");
  const auto gezaehlt = mit({"neue-daten"});
  EXPECT_TRUE(Enthaelt(gezaehlt.out, "2 neue Datensätze")) << gezaehlt.out;
  EXPECT_EQ(test::DateiLesen(t / "Ord_2/Dat_D.ppp"), Orte({"A", "X"})) << "nothing written without --ja";
  ASSERT_EQ(mit({"neue-daten", "--ja"}).status, 0);
  EXPECT_EQ(test::DateiLesen(t / "Ord_2/Dat_D.ppp"), Orte({"A", "X"}) + test::DateiLesen(t / "Ord_1/Dat_D.ppp").substr(300));
  const auto gleich = Cli({"vergleichen", "--programmordner", t.pfad(), "--art", "plz", "--ordner1", "Ord_1", "--ordner2", "Ord_1"});
  EXPECT_EQ(gleich.status, 1);
  EXPECT_TRUE(Enthaelt(gleich.err, "Datei 1 = Datei 2")) << gleich.err;
}

TEST(CliEditor, ReplaceListsEachChangeAndWritesOnlyWithJa) {
  TempOrdner t;
  DateiSchreiben(t / "Ord_1/Dat_D.ppp", Orte({"Neustadt-neustadt", "Altdorf"}));
  const std::vector<std::string> aufruf = {"ersetzen", "--programmordner", t.pfad(), "--art", "plz", "--feld", "Ort", "--alt", "Neustadt", "--neu", "X"};
  const auto e = Cli(aufruf);
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_TRUE(Enthaelt(e.out, "1;Neustadt-neustadt;X-X;1\nAnzahl Änderung: 1\n")) << e.out;
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), Orte({"Neustadt-neustadt", "Altdorf"}));
  auto mitJa = aufruf;
  mitJa.push_back("--ja");
  ASSERT_EQ(Cli(mitJa).status, 0);
  EXPECT_EQ(test::PLZOrte(t / "Ord_1/Dat_D.ppp"), (std::vector<std::string>{"X-X", "Altdorf"}));
  EXPECT_FALSE(std::filesystem::exists(t / "Ord_1/PLZTemp.tmp"));
  auto plz = aufruf;
  plz[6] = "Postleitzahl";
  const auto verboten = Cli(plz);
  EXPECT_EQ(verboten.status, 1);
  EXPECT_TRUE(Enthaelt(verboten.err, "Ersetzen in PLZ micht möglich")) << verboten.err;
}

TEST(CliEditor, TheStreetListOfAPlaceIsFetchedAndWrittenOnlyOnceWithoutJa) {
  TempOrdner t;
  test::TestServer dienst(test::TestServer::Http(200, "text/html", "Lindenweg|Frankfurt (Oder)|Brandenburg|15230|120<BR>"));
  const std::vector<std::string> aufruf = {"strassenliste", "--programmordner", t.pfad(), "--ort", "Frankfurt (Oder)", "--plz", "15230"};
  const auto ohne = Cli(aufruf);
  EXPECT_EQ(ohne.status, 1);
  EXPECT_TRUE(Enthaelt(ohne.err, "Dienste.ini")) << ohne.err;
  DateiSchreiben(t / "Dienste.ini", "Strassenliste=" + dienst.basis() + "\n");
  const auto e = Cli(aufruf);
  ASSERT_EQ(e.status, 0) << e.err;
  EXPECT_EQ(e.out, t / "_Strassen/Frankfurt_(Oder)_15230.txt" + "\nn = 1\n");
  EXPECT_EQ(dienst.anfragen().at(0), "GET /php/plz_imp.php?ort=Frankfurt-Oder&plz=15230 HTTP/1.1");
  EXPECT_EQ(Cli(aufruf).status, 1) << "an existing file needs --ja";
  auto ja = aufruf;
  ja.push_back("--ja");
  EXPECT_EQ(Cli(ja).status, 0);
}

// A service of one's own over https: trusted through the CA that Dienste.ini names, refused without.
TEST(CliEditor, AStreetListOverHttpsNeedsTheCertificateOfItsCa) {
  TempOrdner t;
  test::TlsServer dienst;
  ASSERT_TRUE(dienst.bereit()) << "openssl could not make the test CA or start s_server";
  dienst.antwort("php/plz_imp.php?ort=Musterstadt&plz=12345",
                 test::TestServer::Http(200, "text/html; charset=UTF-8", "Lindenweg|Musterstadt|Hessen|12345|120<BR>"));
  const std::vector<std::string> aufruf = {"strassenliste", "--programmordner", t.pfad(), "--ort", "Musterstadt", "--plz", "12345"};
  DateiSchreiben(t / "Dienste.ini", "Strassenliste=" + dienst.basis() + "\n");
  const auto ohne = Cli(aufruf);
  EXPECT_EQ(ohne.status, 1);
  EXPECT_TRUE(Enthaelt(ohne.err, "Das Zertifikat von 127.0.0.1 ist nicht vertrauenswürdig")) << ohne.err;
  DateiSchreiben(t / "Dienste.ini", "Strassenliste=" + dienst.basis() + "\nStrassenliste.ca=" + dienst.ca() + "\n");
  const auto mit = Cli(aufruf);
  ASSERT_EQ(mit.status, 0) << mit.err;
  EXPECT_EQ(mit.out, t / "_Strassen/Musterstadt_12345.txt" + "\nn = 1\n");
}

TEST(CliSchutz, AnExportNeverReplacesADatabaseAndSourcesMustBePlainFiles) {
  TempOrdner t;
  DateiSchreiben(t / "Ord_1/Dat_D.ppp", Orte({"Bonn"}));
  std::filesystem::create_directories(t / "SichCopy");
  for (const auto& ziel : std::vector<std::string>{t / "Ord_1/Dat_D.ppp", t / "SichCopy/Dat_D_2024-01-01_01.ppp", t / "Ord_1/neu.PPP"}) {
    const auto e = Cli({"export", "--programmordner", t.pfad(), "--was", "plz", ziel});
    EXPECT_EQ(e.status, 1) << ziel;
    EXPECT_TRUE(Enthaelt(e.err, "ist eine Datenbank-Datei")) << e.err;
  }
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), Orte({"Bonn"}));
  EXPECT_FALSE(std::filesystem::exists(t / "Ord_1/neu.PPP"));
  EXPECT_EQ(Cli({"export", "--programmordner", t.pfad(), "--was", "plz", t / "plz.csv"}).status, 0);
  // A FIFO would be waited on for ever, a folder is no source; empty formats and formats
  // without a column are errors, not empty imports.
  ::mkfifo((t / "rohr.csv").c_str(), 0600);
  std::filesystem::create_directories(t / "ordner.csv");
  DateiSchreiben(t / "Orte.imp", "Ort|||||Postleitzahl||||||||||||||||\r\n");
  for (const char* quelle : {"rohr.csv", "ordner.csv"}) {
    const auto e = Cli({"import", "--programmordner", t.pfad(), "--art", "plz", "--format", "Orte", t / quelle});
    EXPECT_EQ(e.status, 1) << quelle;
    EXPECT_FALSE(Enthaelt(e.err, "anderem Programm")) << e.err;
  }
  DateiSchreiben(t / "q.csv", "Ort;Postleitzahl\nKiel;24103\n");
  DateiSchreiben(t / "Leer.imp", "");
  DateiSchreiben(t / "Ohne.imp", "||||||||||||||||||||||\r\n");
  const auto leer = Cli({"import", "--programmordner", t.pfad(), "--art", "plz", "--format", "Leer", t / "q.csv"});
  EXPECT_TRUE(Enthaelt(leer.err, "ist leer")) << leer.err;
  const auto ohne = Cli({"import", "--programmordner", t.pfad(), "--art", "plz", "--format", "Ohne", t / "q.csv"});
  EXPECT_TRUE(Enthaelt(ohne.err, "nennt keine Spalte")) << ohne.err;
  EXPECT_EQ(leer.status + ohne.status, 2);
}

// No output replaces a database, a device, a FIFO or a folder, and a FIFO in a data folder
// is refused at once instead of hanging the command.
TEST(CliSchutz, NoOutputGoesOverADatabaseOrASpecialFile) {
  TempOrdner t;
  DateiSchreiben(t / "Ord_1/Dat_D.ppp", Orte({"Bonn"}));
  DateiSchreiben(t / "Ord_1/Strassen_D.ppp", std::string(126, '\0'));
  DateiSchreiben(t / "kunden.csv", "PLZ;Ort\n53111;Bonn\n");
  for (const char* ziel : {"Ord_1/Dat_D.ppp", "Ord_1/Strassen_D.ppp"}) {
    const auto e = Cli({"adressen-pruefen", "--programmordner", t.pfad(), t / "kunden.csv", "--ausgabe", t / ziel});
    EXPECT_EQ(e.status, 1) << ziel;
    EXPECT_TRUE(Enthaelt(e.err, "ist eine Datenbank-Datei")) << e.err;
  }
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Dat_D.ppp"), Orte({"Bonn"}));
  EXPECT_EQ(test::DateiLesen(t / "Ord_1/Strassen_D.ppp"), std::string(126, '\0'));
  ::mkfifo((t / "rohr.csv").c_str(), 0600);
  std::filesystem::create_directories(t / "ordner.csv");
  std::vector<std::string> ziele = {t / "rohr.csv", t / "ordner.csv"};
  // A character device of our own (the same as /dev/null), where the system lets us make one.
  if (::mknod((t / "geraet.csv").c_str(), S_IFCHR | 0600, makedev(1, 3)) == 0) ziele.push_back(t / "geraet.csv");
  for (const std::string& ziel : ziele) {
    for (const std::vector<std::string>& befehl :
         {std::vector<std::string>{"export", "--programmordner", t.pfad(), "--was", "plz", ziel},
          std::vector<std::string>{"adressen-pruefen", "--programmordner", t.pfad(), t / "kunden.csv", "--ausgabe", ziel}}) {
      const auto e = Cli(befehl);
      EXPECT_EQ(e.status, 1) << ziel;
      EXPECT_TRUE(Enthaelt(e.err, "keine normale Datei")) << e.err;
    }
  }
  EXPECT_TRUE(std::filesystem::is_fifo(t / "rohr.csv"));
  EXPECT_TRUE(std::filesystem::is_directory(t / "ordner.csv"));
  if (ziele.size() == 3) {
    EXPECT_TRUE(std::filesystem::is_character_file(t / "geraet.csv"));
  }
  // A FIFO under a database name: every command refuses at once.
  std::filesystem::remove(t / "Ord_1/Strassen_D.ppp");
  ::mkfifo((t / "Ord_1/Strassen_D.ppp").c_str(), 0600);
  for (const std::vector<std::string>& befehl : {std::vector<std::string>{"strassen-zaehlen", "--programmordner", t.pfad()},
                                                  std::vector<std::string>{"export", "--programmordner", t.pfad(), "--was", "strassen", t / "s.csv"}}) {
    const auto e = Cli(befehl);
    EXPECT_EQ(e.status, 1) << befehl[0];
    EXPECT_TRUE(Enthaelt(e.err, "keine normale Datei")) << e.err;
  }
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

// A writer that read its files and pauses before writing (in a child process, released through
// a pipe), and a second writer of the same files meanwhile.
class ZweiSchreiber : public ::testing::Test {
 protected:
  void SetUp() override {
    TPLZRecord bonn = test::PLZSatz("Bonn", 53111);
    test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>{bonn, bonn});
    std::vector<TStrassenRecord> s{test::StrassenSatz(53111, "Markt", "Bonn"), test::StrassenSatz(53111, "Markt", "Bonn"),
                                   test::StrassenSatz(53111, " ", "Bonn"), test::StrassenSatz(53111, "Hof", "Bonn")};
    test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", s);
    test::RecordsSchreiben(t / "Ord_2/Strassen_D.ppp", std::vector<TStrassenRecord>{test::StrassenSatz(53111, "Neu", "Bonn")});
    DateiSchreiben(t / "Wege.ims", "Ort|||||PLZ||||||||Strasse|||||||||\r\n");
    DateiSchreiben(t / "wege.csv", "PLZ;Ort;Strasse\r\n53111;Bonn;Importweg\r\n");
    DateiSchreiben(t / "liste.txt", "Listenweg\r\n");
    DateiSchreiben(t / ("SichCopy/Strassen_D_2024-01-01_01.ppp"), std::string(126, '\0'));
  }
  // Runs ERSTER in a child that stops after its first file was read; meanwhile ZWEITER runs
  // here. Returns the second's result; the first's exit status goes to ERSTERSTATUS.
  Ergebnis waehrend(const std::vector<std::string>& erster, const std::vector<std::string>& zweiter, int& ersterStatus) {
    int bereit[2], los[2];
    EXPECT_EQ(::pipe(bereit), 0);
    EXPECT_EQ(::pipe(los), 0);
    const pid_t kind = ::fork();
    if (kind == 0) {
      bool einmal = true;
      testhaken::NachDemLaden = [&](const std::string&) {
        if (!std::exchange(einmal, false)) return;
        char c = 1;
        (void)!::write(bereit[1], &c, 1);
        (void)!::read(los[0], &c, 1);
      };
      std::ostringstream out, err;
      ::_exit(CliAusfuehren(erster, "/nirgends/", out, err));
    }
    char c = 0;
    EXPECT_EQ(::read(bereit[0], &c, 1), 1);
    Ergebnis e = Cli(zweiter);
    (void)!::write(los[1], &c, 1);
    int status = 0;
    ::waitpid(kind, &status, 0);
    ersterStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    for (int fd : {bereit[0], bereit[1], los[0], los[1]}) ::close(fd);
    return e;
  }
  std::vector<std::string> befehl(std::vector<std::string> teile) {
    teile.insert(teile.begin(), {"--programmordner", t.pfad()});
    return teile;
  }
  TempOrdner t;
};

TEST_F(ZweiSchreiber, WhileOneRewritesTheFilesEveryOtherWriterIsRefusedAndNothingIsLost) {
  const std::vector<std::vector<std::string>> andere = {
      {"import", "--art", "strassen", "--format", "Wege", "--ja", t / "wege.csv"},
      {"bereinigen", "--ja"},
      {"strassen-zaehlen", "--ja"},
      {"pruefen", "--art", "strassen", "--loeschen", "--ja"},
      {"ersetzen", "--art", "strassen", "--feld", "Strasse", "--alt", "Markt", "--neu", "Platz", "--ja"},
      {"neue-daten", "--art", "strassen", "--ordner1", "Ord_2", "--ordner2", "Ord_1", "--ja"},
      {"wiederherstellen", "Strassen_D_2024-01-01_01.ppp", "--ordner", "Ord_1", "--ja"},
      {"strassen", "--plz", "53111", "--ort", "Bonn", "--datei", t / "liste.txt", "--ja"},
      {"optimieren", "--strassen", "--ja"},
  };
  // The writer that comes first: the optimisation (both files), then the street recount.
  for (const auto& erster : {std::vector<std::string>{"optimieren", "--strassen", "--ja"}, std::vector<std::string>{"strassen-zaehlen", "--ja"}}) {
    for (const auto& zweiter : andere) {
      SetUp();
      const std::string strassenVorher = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
      int ersterStatus = -1;
      const Ergebnis e = waehrend(befehl(erster), befehl(zweiter), ersterStatus);
      EXPECT_EQ(e.status, 1) << erster[0] << " / " << zweiter[0] << ": " << e.out;
      EXPECT_TRUE(Enthaelt(e.err, "von anderem Progamm ge\xC3\xB6" "ffnet")) << zweiter[0] << ": " << e.err;
      EXPECT_EQ(ersterStatus, 0) << erster[0] << " / " << zweiter[0];
      if (erster[0] == "optimieren") {
        // The optimisation's result alone: one Markt, Hof; the invalid entry gone.
        EXPECT_EQ(std::filesystem::file_size(t / "Ord_1/Strassen_D.ppp"), 2u * 126) << zweiter[0];
      } else {
        EXPECT_EQ(test::DateiLesen(t / "Ord_1/Strassen_D.ppp"), strassenVorher) << zweiter[0];
      }
    }
  }
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST(CliMeldungen, AFailedStepNamesWhatIsAlreadySavedAndAFullDiskTheFileAskedFor) {
  TempOrdner t;
  TPLZRecord bonn = test::PLZSatz("Bonn", 53111);
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>{bonn, bonn});
  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", std::vector<TStrassenRecord>{test::StrassenSatz(53111, "Markt", "Bonn"),
                                                                                 test::StrassenSatz(53111, "Markt", "Bonn")});
  ::chmod((t / "Ord_1/Strassen_D.ppp").c_str(), 0444);
  auto e = Cli({"--programmordner", t.pfad(), "optimieren", "--plz", "--strassen", "--ja"});
  EXPECT_EQ(e.status, 1);
  EXPECT_TRUE(Enthaelt(e.err, "Strassen_D.ppp ist schreibgesch")) << e.err;
  EXPECT_TRUE(Enthaelt(e.err, "Bereits gespeichert: " + (t / "Ord_1/Dat_D.ppp"))) << e.err;
  EXPECT_EQ(std::filesystem::file_size(t / "Ord_1/Dat_D.ppp"), 300u) << "the postal codes were optimised";
  ::chmod((t / "Ord_1/Strassen_D.ppp").c_str(), 0644);

  testhaken::SchreibFehlerNach(100);
  e = Cli({"--programmordner", t.pfad(), "ersetzen", "--art", "strassen", "--feld", "Strasse", "--alt", "Markt", "--neu", "Platz", "--ja"});
  testhaken::SchreibFehlerNach(-1);
  EXPECT_EQ(e.status, 1);
  EXPECT_TRUE(Enthaelt(e.err, (t / "Ord_1/Strassen_D.ppp") + " wurde nicht ge\xC3\xA4ndert")) << e.err;
  EXPECT_FALSE(std::filesystem::exists(t / "Ord_1/StrassenTemp.tmp")) << "no copy left behind";
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST(CliAbbruch, AKilledImportIsTakenBackByTheNextCommandAndSaidSo) {
  TempOrdner t;
  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", std::vector<TStrassenRecord>{test::StrassenSatz(53111, "Markt", "Bonn")});
  const std::string alt = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
  DateiSchreiben(t / "Wege.ims", "Ort|||||PLZ||||||||Strasse|||||||||\r\n");
  std::string csv = "PLZ;Ort;Strasse\r\n";
  for (int i = 0; i < 200000; ++i) csv += "53111;Bonn;Weg " + std::to_string(i) + "\r\n";
  DateiSchreiben(t / "wege.csv", csv);
  const std::uint64_t alle = alt.size() + 200000u * 126u;
  int zurueck = 0;
  for (int runde = 0; runde < 4; ++runde) {
    DateiSchreiben(t / "Ord_1/Strassen_D.ppp", alt);
    const pid_t kind = ::fork();
    if (kind == 0) {
      std::ostringstream out, err;
      ::_exit(CliAusfuehren({"--programmordner", t.pfad(), "import", "--art", "strassen", "--format", "Wege", "--ja", t / "wege.csv"},
                            "/nirgends/", out, err));
    }
    // Killed once the journal shows that records are being appended.
    const auto bis = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!std::filesystem::exists(JournalName(t / "Ord_1/Strassen_D.ppp")) && ::waitpid(kind, nullptr, WNOHANG) == 0 &&
           std::chrono::steady_clock::now() < bis) {
      std::this_thread::sleep_for(std::chrono::microseconds(100));
    }
    std::this_thread::sleep_for(std::chrono::microseconds(runde * 1000));
    ::kill(kind, SIGKILL);
    ::waitpid(kind, nullptr, 0);
    const auto e = Cli({"--programmordner", t.pfad(), "info"});
    ASSERT_EQ(e.status, 0) << e.err;
    const std::string jetzt = test::DateiLesen(t / "Ord_1/Strassen_D.ppp");
    EXPECT_TRUE(jetzt == alt || jetzt.size() == alle) << "Runde " << runde << ": " << jetzt.size();
    if (Enthaelt(e.err, "Ein abgebrochener Import wurde zur\xC3\xBC" "ckgenommen: " + (t / "Ord_1/Strassen_D.ppp"))) ++zurueck;
  }
  EXPECT_GE(zurueck, 2) << "kills came while records were appended";
}

}  // namespace
}  // namespace orvano
