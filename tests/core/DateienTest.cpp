#include "core/Dateien.h"
#include "core/RecordDatei.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <thread>

#include <chrono>

#include <filesystem>

#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;
using test::TempOrdner;

TEST(Vorhanden, FilesFoldersAndWildcards) {
  TempOrdner t;
  DateiSchreiben(t / "Format1.imp", "x");
  std::filesystem::create_directory(t / "Ord_1");
  EXPECT_TRUE(DateiVorhanden(t / "Format1.imp"));
  EXPECT_TRUE(DateiVorhanden(t / "Ord_1"));
  EXPECT_FALSE(DateiVorhanden(t / "Format2.imp"));
  EXPECT_TRUE(DateiVorhanden(t / "*.imp"));
  EXPECT_TRUE(DateiVorhanden(t / "Format?.imp"));
  EXPECT_TRUE(DateiVorhanden(t / "Ord_*"));
  EXPECT_FALSE(DateiVorhanden(t / "*.ims"));
  EXPECT_FALSE(DateiVorhanden(t / "[F]ormat1.imp"));  // only * and ? are wildcards
  EXPECT_FALSE(DateiVorhanden(""));
  EXPECT_FALSE(DateiVorhanden(t / "fehlt/*"));
}

TEST(Vorhanden, VerzeichnisVorhandenOnlyForFolders) {
  TempOrdner t;
  DateiSchreiben(t / "datei", "x");
  EXPECT_TRUE(VerzeichnisVorhanden(t.pfad()));
  EXPECT_FALSE(VerzeichnisVorhanden(t / "datei"));
  EXPECT_FALSE(VerzeichnisVorhanden(t / "fehlt"));
  EXPECT_FALSE(VerzeichnisVorhanden(""));
}

TEST(Vorhanden, VerzeichnisLeer) {
  TempOrdner t;
  EXPECT_FALSE(VerzeichnisLeer(t / "fehlt"));
  std::filesystem::create_directory(t / "neu");
  EXPECT_TRUE(VerzeichnisLeer(t / "neu"));
  DateiSchreiben(t / "neu/.versteckt", "");
  EXPECT_FALSE(VerzeichnisLeer(t / "neu"));
}

TEST(Loeschen, DeletesFilesButNeverFolders) {
  TempOrdner t;
  DateiSchreiben(t / "a.tmp", "x");
  std::filesystem::create_directory(t / "ordner");
  DateiLoeschen(t / "a.tmp");
  DateiLoeschen(t / "ordner");
  DateiLoeschen(t / "fehlt");
  EXPECT_FALSE(DateiVorhanden(t / "a.tmp"));
  EXPECT_TRUE(VerzeichnisVorhanden(t / "ordner"));
}

TEST(Namen, DateiNameOhneEndung) {
  EXPECT_EQ(DateiNameOhneEndung("/prog/Format1.imp"), "Format1");
  EXPECT_EQ(DateiNameOhneEndung("Format1.imp"), "Format1");
  EXPECT_EQ(DateiNameOhneEndung("/prog/.imp"), "");
  EXPECT_EQ(DateiNameOhneEndung("/prog/ab"), "");
}

TEST(Gesperrt, MissingAndFreeFilesAreNotLocked) {
  TempOrdner t;
  EXPECT_FALSE(DateiGesperrt(t / "fehlt.csv"));
  DateiSchreiben(t / "frei.csv", "x");
  EXPECT_FALSE(DateiGesperrt(t / "frei.csv"));
}

// Another process holding a lock while we test.
void GesperrtVonAnderemProzess(const std::string& name, bool posix) {
  int bereit[2];
  ASSERT_EQ(::pipe(bereit), 0);
  const pid_t kind = ::fork();
  if (kind == 0) {
    const int fd = ::open(name.c_str(), O_RDWR);
    if (posix) {
      struct flock fl {};
      fl.l_type = F_WRLCK;
      fl.l_whence = SEEK_SET;
      ::fcntl(fd, F_SETLK, &fl);
    } else {
      ::flock(fd, LOCK_EX);
    }
    char c = 1;
    (void)!::write(bereit[1], &c, 1);
    ::pause();
    ::_exit(0);
  }
  char c;
  ASSERT_EQ(::read(bereit[0], &c, 1), 1);
  EXPECT_TRUE(DateiGesperrt(name));
  ::kill(kind, SIGKILL);
  ::waitpid(kind, nullptr, 0);
  ::close(bereit[0]);
  ::close(bereit[1]);
  EXPECT_FALSE(DateiGesperrt(name));
}

TEST(Gesperrt, AFlockOfAnotherProcessIsSeen) {
  TempOrdner t;
  DateiSchreiben(t / "export.csv", "x");
  GesperrtVonAnderemProzess(t / "export.csv", false);
}

TEST(Gesperrt, APosixRecordLockOfAnotherProcessIsSeen) {
  TempOrdner t;
  DateiSchreiben(t / "export.csv", "x");
  GesperrtVonAnderemProzess(t / "export.csv", true);
}

TEST(Gesperrt, OurOwnLockIsGrantedAgainAndIsNoOtherProgramsLock) {
  TempOrdner t;
  DateiSchreiben(t / "Dat_D.ppp", "alt");
  {
    const SchreibSperre aussen(t / "Dat_D.ppp");
    EXPECT_FALSE(DateiGesperrt(t / "Dat_D.ppp")) << "held by this program";
    // The write inside a read-modify-write takes the lock again and replaces the file.
    AtomarSchreiben(t / "Dat_D.ppp", [](Schreiber& w) { w.schreiben("neu", 3); });
    const SchreibSperre innen(t / "Dat_D.ppp");
  }
  EXPECT_EQ(DateiLesen(t / "Dat_D.ppp"), "neu");
  // The lock is the process's: a child sees it while the parent holds it.
  auto kindSiehtSperre = [&] {
    const pid_t kind = ::fork();
    if (kind == 0) ::_exit(DateiGesperrt(t / "Dat_D.ppp") ? 1 : 0);
    int status = 0;
    ::waitpid(kind, &status, 0);
    return WEXITSTATUS(status) == 1;
  };
  {
    const SchreibSperre sperre(t / "Dat_D.ppp");
    EXPECT_TRUE(kindSiehtSperre());
    // Replaced by this program (a purge, then the rewrite): the new file is still ours alone.
    AtomarSchreiben(t / "Dat_D.ppp", [](Schreiber& w) { w.schreiben("eins", 4); });
    EXPECT_TRUE(kindSiehtSperre()) << "the lock went over to the new file";
    DateiSchreiben(t / "fertig", "zwei");
    FertigeDateiEinsetzen(t / "fertig", t / "Dat_D.ppp");
    EXPECT_TRUE(kindSiehtSperre());
    EXPECT_FALSE(DateiGesperrt(t / "Dat_D.ppp")) << "but not another program's";
  }
  EXPECT_FALSE(kindSiehtSperre());
  EXPECT_EQ(DateiLesen(t / "Dat_D.ppp"), "zwei");
}

TEST(Gesperrt, ASecondWriterWaitsAMomentThenIsRefused) {
  TempOrdner t;
  DateiSchreiben(t / "Dat_D.ppp", "x");
  int bereit[2], los[2];
  ASSERT_EQ(::pipe(bereit), 0);
  ASSERT_EQ(::pipe(los), 0);
  const pid_t kind = ::fork();
  if (kind == 0) {
    const SchreibSperre sperre(t / "Dat_D.ppp");
    char c = 1;
    (void)!::write(bereit[1], &c, 1);
    (void)!::read(los[0], &c, 1);  // held until the parent lets go
    ::_exit(0);
  }
  char c;
  ASSERT_EQ(::read(bereit[0], &c, 1), 1);
  const auto vorher = std::chrono::steady_clock::now();
  EXPECT_THROW(SchreibSperre(t / "Dat_D.ppp", 200), DateiFehler);
  EXPECT_GE(std::chrono::steady_clock::now() - vorher, std::chrono::milliseconds(200)) << "it waited";
  // Released within the moment: the waiting writer gets the file.
  std::thread freigeben([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    (void)!::write(los[1], &c, 1);
  });
  EXPECT_NO_THROW(SchreibSperre(t / "Dat_D.ppp", 3000));
  freigeben.join();
  ::waitpid(kind, nullptr, 0);
  for (int fd : {bereit[0], bereit[1], los[0], los[1]}) ::close(fd);
}

class BereichEntfernen : public ::testing::Test {
 protected:
  std::string entfernen(const std::string& inhalt, std::int64_t start, std::int64_t anzahl) {
    DateiSchreiben(t / "d", inhalt);
    const int fd = ::open((t / "d").c_str(), O_RDWR);
    StreamBereichEntfernen(fd, start, anzahl);
    ::close(fd);
    return DateiLesen(t / "d");
  }
  TempOrdner t;
};

TEST_F(BereichEntfernen, CutsTheRangeAndTruncates) {
  EXPECT_EQ(entfernen("0123456789", 2, 3), "0156789");
  EXPECT_EQ(entfernen("0123456789", 0, 4), "456789");
  EXPECT_EQ(entfernen("0123456789", 7, 3), "0123456");
  EXPECT_EQ(entfernen("0123456789", 7, 30), "0123456");
  EXPECT_EQ(entfernen("0123456789", 0, 0), "0123456789");
  EXPECT_EQ(entfernen("0123456789", 20, 5), "0123456789");
}

TEST_F(BereichEntfernen, MovesTailsLargerThanOneBlock) {
  std::string gross(40 * 1024 * 1024 + 123, '\0');
  for (std::size_t i = 0; i < gross.size(); ++i) gross[i] = static_cast<char>(i * 7 % 251);
  std::string erwartet = gross;
  erwartet.erase(1000, 300);
  EXPECT_TRUE(entfernen(gross, 1000, 300) == erwartet);
}

TEST(ProgrammOrdner, IsTheFolderOfThisExecutable) {
  const std::string ordner = ProgrammOrdnerDerExe();
  ASSERT_FALSE(ordner.empty());
  EXPECT_EQ(ordner.back(), '/');
  EXPECT_TRUE(DateiVorhanden(ordner + "orvano_core_tests"));
}

}  // namespace
}  // namespace orvano
