#include "core/RecordDatei.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/time.h>
#include <sys/wait.h>
#include <unistd.h>

#include <sys/stat.h>

#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <filesystem>

#include "core/Records.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;
using test::TempOrdner;

std::string Strassen(int n) {
  std::string roh;
  for (int i = 1; i <= n; ++i) {
    TStrassenRecord s{};
    s.PLZ = 10000 + i;
    s.Strasse.setzen("Weg " + std::to_string(i));
    roh.append(reinterpret_cast<const char*>(&s), sizeof s);
  }
  return roh;
}

TEST(TabelleLesen, IsOneBasedWithAnUnusedZeroElement) {
  TempOrdner t;
  DateiSchreiben(t / "s.ppp", Strassen(3));
  const auto tab = TabelleLesen<TStrassenRecord>(t / "s.ppp");
  ASSERT_EQ(tab.size(), 4u);
  EXPECT_EQ(tab[0].PLZ, 0);
  EXPECT_EQ(tab[1].PLZ, 10001);
  EXPECT_EQ(tab[3].Strasse.text(), "Weg 3");
}

TEST(TabelleLesen, ATrailingPartialRecordIsIgnored) {
  TempOrdner t;
  DateiSchreiben(t / "s.ppp", Strassen(7) + std::string(118, 'x'));
  EXPECT_EQ(TabelleLesen<TStrassenRecord>(t / "s.ppp").size(), 8u);
  DateiSchreiben(t / "kurz.ppp", std::string(125, 'x'));
  EXPECT_EQ(TabelleLesen<TStrassenRecord>(t / "kurz.ppp").size(), 1u);
  DateiSchreiben(t / "leer.ppp", "");
  EXPECT_EQ(TabelleLesen<TPLZRecord>(t / "leer.ppp").size(), 1u);
}

// A reload hands in the old table: whatever it held before, the new one is the file.
TEST(TabelleLesen, AReusedTableHoldsExactlyTheFile) {
  TempOrdner t;
  DateiSchreiben(t / "viele.ppp", Strassen(50));
  DateiSchreiben(t / "wenige.ppp", Strassen(3));
  auto tab = TabelleLesen<TStrassenRecord>(t / "viele.ppp");
  const TStrassenRecord* speicher = tab.data();
  tab = TabelleLesen<TStrassenRecord>(t / "wenige.ppp", std::move(tab));
  ASSERT_EQ(tab.size(), 4u);
  EXPECT_EQ(tab.data(), speicher);
  EXPECT_EQ(tab[0].PLZ, 0);
  EXPECT_EQ(tab[3].Strasse.text(), "Weg 3");
  tab = TabelleLesen<TStrassenRecord>(t / "viele.ppp", std::move(tab));
  ASSERT_EQ(tab.size(), 51u);
  EXPECT_EQ(tab[0].PLZ, 0);
  EXPECT_EQ(tab[50].Strasse.text(), "Weg 50");
}

// A national-size table takes the large-memory path (huge pages): read, reused and freed whole.
TEST(TabelleLesen, ATableLargerThan32MegabytesIsReadWholeAndReused) {
  TempOrdner t;
  const std::size_t n = 400'000;  // 50 MB of street records
  ASSERT_GT(n * sizeof(TStrassenRecord), kGrosserSpeicher);
  DateiSchreiben(t / "national.ppp", Strassen(static_cast<int>(n)));
  auto tab = TabelleLesen<TStrassenRecord>(t / "national.ppp");
  ASSERT_EQ(tab.size(), n + 1);
  EXPECT_EQ(tab[0].PLZ, 0);
  EXPECT_EQ(tab[1].Strasse.text(), "Weg 1");
  EXPECT_EQ(tab[n].Strasse.text(), "Weg " + std::to_string(n));
  EXPECT_EQ(reinterpret_cast<std::uintptr_t>(tab.data()) % (std::uintptr_t{2} << 20), 0u) << "on a huge-page boundary";
  const TStrassenRecord* speicher = tab.data();
  tab = TabelleLesen<TStrassenRecord>(t / "national.ppp", std::move(tab));
  EXPECT_EQ(tab.data(), speicher) << "a reload keeps the memory";
  EXPECT_EQ(tab[n / 2].Strasse.text(), "Weg " + std::to_string(n / 2));
  RecordFeld<TStrassenRecord> kopie = tab;
  EXPECT_EQ(kopie[n].Strasse.text(), tab[n].Strasse.text());
}

TEST(TabelleLesen, MissingOrUnreadableFilesThrowAGermanMessage) {
  TempOrdner t;
  EXPECT_THROW(TabelleLesen<TPLZRecord>(t / "fehlt.ppp"), DateiFehler);
  std::filesystem::create_directory(t / "ordner.ppp");
  try {
    TabelleLesen<TPLZRecord>(t / "ordner.ppp");
    FAIL() << "a folder was read as records";
  } catch (const DateiFehler& f) {
    EXPECT_NE(std::string(f.what()).find("kann nicht gelesen werden"), std::string::npos) << f.what();
  }
}

TEST(RecordsBlockweise, HandsOverWholeRecordsOnly) {
  TempOrdner t;
  DateiSchreiben(t / "s.ppp", Strassen(10) + "xyz");
  std::vector<std::int32_t> plz;
  const auto n = RecordsBlockweise(t / "s.ppp", sizeof(TStrassenRecord), 3, [&](const char* d, std::size_t k) {
    for (std::size_t i = 0; i < k; ++i) {
      TStrassenRecord s;
      std::memcpy(&s, d + i * sizeof s, sizeof s);
      plz.push_back(s.PLZ);
    }
  });
  EXPECT_EQ(n, 10);
  ASSERT_EQ(plz.size(), 10u);
  EXPECT_EQ(plz.front(), 10001);
  EXPECT_EQ(plz.back(), 10010);
}

class AtomarSchreibenTest : public ::testing::Test {
 protected:
  void TearDown() override { testhaken::SchreibFehlerNach(-1); }
  // Names in the folder, so that a left-over temporary file of any name shows.
  std::vector<std::string> namen() const {
    std::vector<std::string> n;
    for (const auto& e : std::filesystem::directory_iterator(t.pfad())) n.push_back(e.path().filename().string());
    std::sort(n.begin(), n.end());
    return n;
  }
  TempOrdner t;
};

TEST_F(AtomarSchreibenTest, ReplacesTheWholeFile) {
  DateiSchreiben(t / "Dat_D.ppp", std::string(900, 'a'));
  AtomarSchreiben(t / "Dat_D.ppp", [](Schreiber& s) { s.schreiben("neu", 3); });
  EXPECT_EQ(DateiLesen(t / "Dat_D.ppp"), "neu");
  EXPECT_EQ(namen(), std::vector<std::string>{"Dat_D.ppp"});
}

// A user's own "Dat_D.ppp.tmp" is neither used nor removed by a save.
TEST_F(AtomarSchreibenTest, TheTemporaryFileHasANameNoUserFileHas) {
  DateiSchreiben(t / "Dat_D.ppp", "alt");
  DateiSchreiben(t / "Dat_D.ppp.tmp", "meins");
  std::string gesehen;
  AtomarSchreiben(t / "Dat_D.ppp", [&](Schreiber& s) {
    for (const auto& n : namen()) gesehen += n + ";";
    s.schreiben("neu", 3);
  });
  EXPECT_EQ(DateiLesen(t / "Dat_D.ppp.tmp"), "meins");
  EXPECT_NE(gesehen.find(DateiNameTeil(TempDateiPraefix(t / "Dat_D.ppp"))), std::string::npos) << gesehen;
  EXPECT_EQ(namen(), (std::vector<std::string>{"Dat_D.ppp", "Dat_D.ppp.tmp"}));
}

// No write bit at all: refused, also for root, who could write it anyway.
TEST_F(AtomarSchreibenTest, AWriteProtectedFileIsRefusedAndStaysAsItWas) {
  DateiSchreiben(t / "Dat_D.ppp", "alt");
  std::filesystem::permissions(t / "Dat_D.ppp", std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  try {
    AtomarSchreiben(t / "Dat_D.ppp", [](Schreiber& s) { s.schreiben("neu", 3); });
    ADD_FAILURE() << "no error";
  } catch (const DateiFehler& f) {
    EXPECT_EQ(std::string(f.what()), "Datei " + (t / "Dat_D.ppp") + " ist schreibgeschützt und wurde nicht geändert");
  }
  EXPECT_EQ(DateiLesen(t / "Dat_D.ppp"), "alt");
  EXPECT_EQ(namen(), std::vector<std::string>{"Dat_D.ppp"});
}

// The link stays a link and the file it points to gets the new content, with its mode.
TEST_F(AtomarSchreibenTest, ALinkStaysALinkAndItsTargetIsReplaced) {
  std::filesystem::create_directories(t / "echt");
  DateiSchreiben(t / "echt/Dat_D.ppp", "alt");
  std::filesystem::permissions(t / "echt/Dat_D.ppp", std::filesystem::perms(0640));
  std::filesystem::create_symlink(t / "echt/Dat_D.ppp", t / "Dat_D.ppp");
  AtomarSchreiben(t / "Dat_D.ppp", [](Schreiber& s) { s.schreiben("neu", 3); });
  EXPECT_TRUE(std::filesystem::is_symlink(t / "Dat_D.ppp"));
  EXPECT_EQ(DateiLesen(t / "echt/Dat_D.ppp"), "neu");
  EXPECT_EQ(std::filesystem::status(t / "echt/Dat_D.ppp").permissions(), std::filesystem::perms(0640));
}

TEST_F(AtomarSchreibenTest, AWriteErrorLeavesTheOldFileAndNoTemporaryFile) {
  const std::string alt(3000, 'a');
  DateiSchreiben(t / "Dat_D.ppp", alt);
  const std::string neu(5 * 1024 * 1024, 'n');
  for (std::int64_t grenze : {0, 1, 299, 1 << 20, 5 * 1024 * 1024 - 1}) {
    testhaken::SchreibFehlerNach(grenze);
    EXPECT_THROW(AtomarSchreiben(t / "Dat_D.ppp", [&](Schreiber& s) { s.schreiben(neu.data(), neu.size()); }), DateiFehler)
        << grenze;
    EXPECT_EQ(DateiLesen(t / "Dat_D.ppp"), alt) << grenze;
    EXPECT_EQ(namen(), std::vector<std::string>{"Dat_D.ppp"}) << grenze;
  }
  testhaken::SchreibFehlerNach(-1);
  AtomarSchreiben(t / "Dat_D.ppp", [&](Schreiber& s) { s.schreiben(neu.data(), neu.size()); });
  EXPECT_EQ(DateiLesen(t / "Dat_D.ppp").size(), neu.size());
}

// Big files go through the background writer: pieces of every size arrive in order, and a
// fault deep in the file comes back to the caller, for the database's and the export's replace.
TEST_F(AtomarSchreibenTest, BigFilesArriveByteForByteAndTheirWriteErrorsComeBack) {
  std::string neu;
  for (std::size_t i = 0; neu.size() < 14'000'000; ++i) neu += std::to_string(i * 7919) + (i % 3 ? ";" : "\r\n");
  const std::size_t stuecke[] = {1, 126, 4096, (4u << 20) + 3, 7, 1 << 20};
  auto inhalt = [&](Schreiber& s) {
    std::size_t pos = 0;
    for (std::size_t i = 0; pos < neu.size(); ++i) {
      const std::size_t n = std::min(stuecke[i % std::size(stuecke)], neu.size() - pos);
      s.schreiben(neu.data() + pos, n);
      pos += n;
    }
  };
  for (const bool ausgabe : {false, true}) {
    SCOPED_TRACE(ausgabe ? "Ausgabe" : "Datenbank");
    auto mit = [&](const std::function<void(Schreiber&)>& f) {
      ausgabe ? AusgabeSchreiben(t / "Dat_D.ppp", f) : AtomarSchreiben(t / "Dat_D.ppp", f);
    };
    auto ersetzen = [&] { mit(inhalt); };
    DateiSchreiben(t / "Dat_D.ppp", "alt");
    ersetzen();
    EXPECT_TRUE(DateiLesen(t / "Dat_D.ppp") == neu);
    DateiSchreiben(t / "Dat_D.ppp", "alt");
    testhaken::SchreibFehlerNach(9'000'000);
    EXPECT_THROW(ersetzen(), DateiFehler);
    testhaken::SchreibFehlerNach(-1);
    EXPECT_EQ(DateiLesen(t / "Dat_D.ppp"), "alt");
    EXPECT_EQ(namen(), std::vector<std::string>{"Dat_D.ppp"});
    // Stopped by the content while the writer still holds buffers.
    EXPECT_THROW(mit([&](Schreiber& s) {
                   s.schreiben(neu.data(), 10'000'000);
                   throw DateiFehler("abgebrochen");
                 }),
                 DateiFehler);
    EXPECT_EQ(DateiLesen(t / "Dat_D.ppp"), "alt");
    EXPECT_EQ(namen(), std::vector<std::string>{"Dat_D.ppp"});
  }
}

TEST_F(AtomarSchreibenTest, LinesWrittenInPlaceMixWithCopiedPiecesAcrossBuffers) {
  std::string erwartet;
  AusgabeSchreiben(t / "liste.csv", [&](Schreiber& s) {
    for (int i = 0; erwartet.size() < 13'000'000; ++i) {
      const std::string zeile = std::to_string(i) + ";" + std::string(static_cast<std::size_t>(i % 300), 'x') + "\r\n";
      erwartet += zeile;
      if (i % 5 == 0) {
        s.schreiben(zeile);
        continue;
      }
      // Asks for more room than it takes, as a line of unknown length does.
      char* z = s.platz(zeile.size() + 100);
      std::memcpy(z, zeile.data(), zeile.size());
      s.belegen(z + zeile.size());
    }
    // Room for the whole buffer at once is granted, more than that is not.
    char* z = s.platz(std::size_t{4} << 20);
    s.belegen(z);
    EXPECT_THROW(s.platz((std::size_t{4} << 20) + 1), std::length_error);
  });
  EXPECT_TRUE(DateiLesen(t / "liste.csv") == erwartet);
}

TEST_F(AtomarSchreibenTest, AnErrorInsideTheContentKeepsTheOldFile) {
  DateiSchreiben(t / "Dat_D.ppp", "alt");
  EXPECT_THROW(AtomarSchreiben(t / "Dat_D.ppp",
                               [](Schreiber& s) {
                                 s.schreiben("halb", 4);
                                 throw DateiFehler("abgebrochen");
                               }),
               DateiFehler);
  EXPECT_EQ(DateiLesen(t / "Dat_D.ppp"), "alt");
}

TEST_F(AtomarSchreibenTest, KeepsThePermissionsOfTheReplacedFile) {
  DateiSchreiben(t / "Dat_D.ppp", "alt");
  ::chmod((t / "Dat_D.ppp").c_str(), 0640);
  AtomarSchreiben(t / "Dat_D.ppp", [](Schreiber& s) { s.schreiben("neu", 3); });
  struct stat st {};
  ASSERT_EQ(::stat((t / "Dat_D.ppp").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(AtomarSchreibenTest, AMissingFolderIsReported) {
  EXPECT_THROW(AtomarSchreiben(t / "fehlt/Dat_D.ppp", [](Schreiber& s) { s.schreiben("x", 1); }), DateiFehler);
}

// A child that holds DATEI locked (flock, or a POSIX record lock as other programs take) until
// it is killed.
pid_t SperrtDatei(const std::string& datei, bool posix) {
  int rohr[2];
  if (::pipe(rohr) != 0) return -1;
  const pid_t kind = ::fork();
  if (kind == 0) {
    const int fd = ::open(datei.c_str(), O_RDWR);
    struct flock fl {};
    fl.l_type = F_WRLCK;
    fl.l_whence = SEEK_SET;
    if (posix) {
      ::fcntl(fd, F_SETLK, &fl);
    } else {
      ::flock(fd, LOCK_EX);
    }
    (void)::write(rohr[1], "x", 1);
    ::pause();
    ::_exit(0);
  }
  char c;
  (void)::read(rohr[0], &c, 1);
  ::close(rohr[0]);
  ::close(rohr[1]);
  return kind;
}

TEST_F(AtomarSchreibenTest, AFileAnotherProcessHoldsIsNotWrittenAndSaidSo) {
  DateiSchreiben(t / "Dat_D.ppp", "alt");
  for (bool posix : {false, true}) {
    const pid_t kind = SperrtDatei(t / "Dat_D.ppp", posix);
    try {
      AtomarSchreiben(t / "Dat_D.ppp", [](Schreiber& s) { s.schreiben("neu", 3); });
      ADD_FAILURE() << "written through the lock";
    } catch (const DateiFehler& f) {
      EXPECT_EQ(std::string(f.what()), "Datei " + (t / "Dat_D.ppp") + " ist schon von anderem Progamm geöffnet");
    }
    ::kill(kind, SIGKILL);
    ::waitpid(kind, nullptr, 0);
    EXPECT_EQ(DateiLesen(t / "Dat_D.ppp"), "alt");
  }
  AtomarSchreiben(t / "Dat_D.ppp", [](Schreiber& s) { s.schreiben("neu", 3); });
  EXPECT_EQ(DateiLesen(t / "Dat_D.ppp"), "neu") << "free again once the other has gone";
}

TEST_F(AtomarSchreibenTest, TheNextWriteRemovesWhatAKilledWriterLeftButNotWhatAWriterHolds) {
  DateiSchreiben(t / "Dat_D.ppp", "alt");
  const std::string verwaist = TempDateiPraefix(t / "Dat_D.ppp") + "abc123";
  const std::string gehalten = TempDateiPraefix(t / "Dat_D.ppp") + "def456";
  DateiSchreiben(verwaist, "halb");
  DateiSchreiben(gehalten, "im Werden");
  const timeval alt[2] = {{::time(nullptr) - 60, 0}, {::time(nullptr) - 60, 0}};
  ::utimes(verwaist.c_str(), alt);
  ::utimes(gehalten.c_str(), alt);
  const pid_t kind = SperrtDatei(gehalten, false);
  AtomarSchreiben(t / "Dat_D.ppp", [](Schreiber& s) { s.schreiben("neu", 3); });
  ::kill(kind, SIGKILL);
  ::waitpid(kind, nullptr, 0);
  EXPECT_FALSE(std::filesystem::exists(verwaist));
  EXPECT_TRUE(std::filesystem::exists(gehalten));
}

}  // namespace
}  // namespace orvano
