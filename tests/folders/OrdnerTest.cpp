#include "folders/Ordner.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/Start.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

class OrdnerTest : public ::testing::Test {
 protected:
  void SetUp() override { ProgrammOrdnerSetzen(t.pfad()); }
  void ordner(const char* name) { std::filesystem::create_directories(t / name); }
  test::TempOrdner t;
};

TEST_F(OrdnerTest, FoldersAreOrderedByTheFirstDigitAfterThePrefix) {
  for (const char* n : {"Ord_2", "Ord_1", "Ord_10", "Ord_Test", "Ord_", "Ord_15"}) ordner(n);
  EXPECT_EQ(OrdnerListe(), (std::vector<std::string>{"Ord_", "Ord_1", "Ord_10", "Ord_15", "Ord_2", "Ord_Test"}));
}

TEST_F(OrdnerTest, PlainFilesAndOtherNamesAreNotListed) {
  ordner("Ord_1");
  ordner("Daten");
  ordner("ord_klein");
  test::DateiSchreiben(t / "Ord_X", "keine Datei-Ablage");
  EXPECT_EQ(OrdnerListe(), std::vector<std::string>{"Ord_1"});
}

TEST_F(OrdnerTest, WithoutFoldersTheListIsEmpty) { EXPECT_TRUE(OrdnerListe().empty()); }

TEST_F(OrdnerTest, NamesLoseSlashesColonsAndQuotesOnly) {
  EXPECT_EQ(OrdnerNameBereinigen("a/b:c"), "abc");
  EXPECT_EQ(OrdnerNameBereinigen("\\\\"), "");
  EXPECT_EQ(OrdnerNameBereinigen("Mein \"Test\" 2"), "Mein Test 2");
  EXPECT_EQ(OrdnerNameBereinigen("..x"), "..x");
}

TEST_F(OrdnerTest, AddingCreatesTheFolderOnce) {
  EXPECT_EQ(NeuenOrdnerAnlegen(""), OrdnerAnlegen::NameFehlt);
  EXPECT_EQ(NeuenOrdnerAnlegen("abc"), OrdnerAnlegen::Angelegt);
  EXPECT_TRUE(std::filesystem::is_directory(t / "Ord_abc"));
  EXPECT_EQ(NeuenOrdnerAnlegen("abc"), OrdnerAnlegen::SchonVorhanden);
  EXPECT_EQ(OrdnerListe(), std::vector<std::string>{"Ord_abc"});
}

}  // namespace
}  // namespace orvano
