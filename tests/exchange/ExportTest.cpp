#include "exchange/Export.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/Beispieldaten.h"

namespace orvano {
namespace {

using test::DateiLesen;

std::string Golden(const char* name) { return DateiLesen(std::string(ORVANO_GOLDEN) + "/" + name); }

class Export : public ::testing::Test {
 protected:
  void SetUp() override { test::BeispielLaden(db); }
  std::string exportieren(const std::string& name, ExportArt art, const char* plzVorsatz = "", const char* nrVorsatz = "") {
    ExportOptionen o;
    o.art = art;
    o.plzVorsatz = plzVorsatz;
    o.nrVorsatz = nrVorsatz;
    Exportieren(db, t / name, o, KeinFortschritt());
    return DateiLesen(t / name);
  }
  test::TempOrdner t;
  Datenbestand db;
};

TEST_F(Export, PostalCodesAsCsv) {
  EXPECT_EQ(exportieren("plz.csv", ExportArt::PLZ, "D-"), Golden("plz.csv"));
}

TEST_F(Export, StreetsAsTextWithHouseNumberPrefix) {
  EXPECT_EQ(exportieren("strassen.txt", ExportArt::Strassen, "", "Nr."), Golden("strassen.txt"));
}

TEST_F(Export, PostalCodesWithStreetsAsCsv) {
  EXPECT_EQ(exportieren("beide.CSV", ExportArt::PLZStrassen), Golden("beide.csv"));
}

TEST_F(Export, TheSeparatorFollowsTheFileName) {
  EXPECT_EQ(ExportTrenner("/x/a.CsV"), ';');
  EXPECT_EQ(ExportTrenner("/x/a.txt"), '\t');
  EXPECT_EQ(ExportTrenner("/x/csv"), '\t');
  const std::string text = exportieren("liste.dat", ExportArt::PLZ);
  EXPECT_EQ(text.substr(0, 8), "LNr\tOrt\t");
}

TEST_F(Export, AnEmptyTableWritesTheHeaderOnly) {
  db.PLZAnzahl = 0;
  EXPECT_EQ(exportieren("leer.csv", ExportArt::PLZStrassen),
            "LNr;Ort;Staat;Bundesland;Ortsteil/Stadtteil;Landkreis;Regierungsbezirk;Verwaltungszusammenschluss;"
            "Gemeindeteil;Breitengrad;L\xE4ngengrad;Auto-KZ;Postleitzahl;Vorwahl;Strassen;Ab Nr;Bis Nr\r\n");
}

TEST_F(Export, LineShapesUnderTheirHeaders) {
  auto felder = [](const std::string& zeile, char sep) { return std::count(zeile.begin(), zeile.end(), sep) + 1; };
  auto zeilen = [](const std::string& text) {
    std::vector<std::string> z;
    for (std::size_t a = 0, e; (e = text.find("\r\n", a)) != std::string::npos; a = e + 2) z.push_back(text.substr(a, e - a));
    return z;
  };
  const auto strassen = zeilen(exportieren("s.csv", ExportArt::Strassen));
  EXPECT_EQ(felder(strassen[0], ';'), 6);
  EXPECT_EQ(felder(strassen[1], ';'), 6);  // a Dresden street
  EXPECT_EQ(felder(strassen[3], ';'), 3);  // Wien: no street count
  const auto beide = zeilen(exportieren("b.txt", ExportArt::PLZStrassen));
  EXPECT_EQ(felder(beide[0], '\t'), 17);
  EXPECT_EQ(felder(beide[3], '\t'), 14);
  // Leerstadt counts streets that do not exist: no line at all; LNr runs on.
  EXPECT_EQ(beide.size(), 5u);
  EXPECT_EQ(beide[4].substr(0, 2), "4\t");
}

// Ends the run after a given number of records, as Escape would.
class Abbruch : public Fortschritt {
 public:
  explicit Abbruch(int nach) : nach_(nach) {}
  bool abbrechen() override { return --nach_ <= 0; }
  void position(std::int64_t wert) override { positionen.push_back(wert); }
  std::vector<std::int64_t> positionen;

 private:
  int nach_;
};

TEST_F(Export, EscapeLeavesAClosedFileOfWholeLines) {
  Abbruch nachZwei(2);
  ExportOptionen o;
  o.art = ExportArt::PLZStrassen;
  const ExportErgebnis e = Exportieren(db, t / "abbruch.csv", o, nachZwei);
  EXPECT_TRUE(e.abgebrochen);
  EXPECT_EQ(e.zeilen, 3);
  const std::string text = DateiLesen(t / "abbruch.csv");
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 4);
}

TEST_F(Export, ProgressComesEveryHundredRecords) {
  db.PLZTabelle = RecordFeld<TPLZRecord>(251);
  for (auto& r : db.PLZTabelle) r = test::PLZSatz("Ort", 10000);
  db.PLZAnzahl = 250;
  Abbruch nie(1000);
  ExportOptionen o;
  Exportieren(db, t / "p.csv", o, nie);
  EXPECT_EQ(nie.positionen, (std::vector<std::int64_t>{100, 200}));
}

TEST(ExportTexte, StatusAndProposedNames) {
  EXPECT_EQ(ExportStatusText(ExportArt::PLZ, "/a/b.csv", 8234, 9), "8234 PLZ in CSV-Datei speichern");
  EXPECT_EQ(ExportStatusText(ExportArt::Strassen, "/a/b.txt", 1, 99), "99 Strassen in TXT-Datei speichern");
  EXPECT_EQ(ExportStatusText(ExportArt::PLZStrassen, "b.CSV", 1, 7), "7 PLZ und Strassen in CSV-Datei speichern");
  EXPECT_EQ(ExportDateiVorschlag(ExportArt::PLZ, 'D', true), "PLZ_D.csv");
  EXPECT_EQ(ExportDateiVorschlag(ExportArt::Strassen, 'A', false), "Strassen_A.txt");
  EXPECT_EQ(ExportDateiVorschlag(ExportArt::PLZStrassen, 'C', true), "PLZ_Strassen_C.csv");
}

}  // namespace
}  // namespace orvano
