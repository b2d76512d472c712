#include "exchange/Export.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <random>

#include "core/AnhangJournal.h"
#include "support/Antworten.h"
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

TEST_F(Export, OnlyTheShownRecordsInTheOrderShownWithTheirStreets) {
  ExportOptionen o;
  o.art = ExportArt::PLZStrassen;
  o.saetze = std::vector<std::int32_t>{4, 1};
  const ExportErgebnis e = Exportieren(db, t / "gezeigt.csv", o, KeinFortschritt());
  const std::string text = DateiLesen(t / "gezeigt.csv");
  EXPECT_EQ(e.zeilen, 3) << "Leerstadt's one line and Dresden's two streets";
  const auto leer = text.find("Leerstadt"), dresden = text.find("Dresden");
  ASSERT_NE(leer, std::string::npos);
  EXPECT_LT(leer, dresden);
  EXPECT_EQ(text.find("Wien"), std::string::npos);
  EXPECT_NE(text.find("Prager Stra\xDF" "e"), std::string::npos);
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
  EXPECT_EQ(felder(strassen[3], ';'), 6);  // Wien's street, although Wien stored no count
  EXPECT_EQ(felder(strassen[5], ';'), 3);  // Leerstadt has no street
  const auto beide = zeilen(exportieren("b.txt", ExportArt::PLZStrassen));
  EXPECT_EQ(felder(beide[0], '\t'), 17);
  EXPECT_EQ(felder(beide[4], '\t'), 14);
  // Leerstadt counts streets that do not exist: it still gives its one line.
  ASSERT_EQ(beide.size(), 6u);
  EXPECT_EQ(beide[5].substr(0, 11), "5\tLeerstadt");
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

// orvano-cli's export reads the streets straight from the file: the same bytes as the window's
// export of the loaded tables, whatever order, dirt and repeats the files hold.
class ExportAusDatei : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgVerzeichnis = t.pfad();
    std::filesystem::create_directories(t / "Ord_1");
  }
  void dateienSchreiben(const std::vector<TPLZRecord>& plz, const std::vector<TStrassenRecord>& strassen) {
    test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", plz);
    test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", strassen);
  }
  // Both ways into two files; returns the window's file after checking that the other is equal.
  std::string beideWege(const std::string& name, ExportArt art, const char* plzVorsatz = "", const char* nrVorsatz = "") {
    ExportOptionen o;
    o.art = art;
    o.plzVorsatz = plzVorsatz;
    o.nrVorsatz = nrVorsatz;
    test::Antworten keine;
    Datenbestand geladen;
    geladen.PLZLaden(keine);
    geladen.StrassenLaden(KeinFortschritt(), keine, false);
    const ExportErgebnis a = Exportieren(geladen, t / ("a_" + name), o, KeinFortschritt());
    Datenbestand nurPLZ;
    nurPLZ.PLZLaden(keine);
    const ExportErgebnis b = ExportierenAusDatei(nurPLZ, t / ("b_" + name), o, KeinFortschritt(), keine);
    EXPECT_EQ(a.zeilen, b.zeilen) << name;
    const std::string text = DateiLesen(t / ("a_" + name));
    EXPECT_EQ(DateiLesen(t / ("b_" + name)), text) << name;
    return text;
  }
  test::TempOrdner t;
};

TEST_F(ExportAusDatei, TheSampleGivesTheGoldenFiles) {
  dateienSchreiben(test::BeispielPLZ(), test::BeispielStrassen());
  EXPECT_EQ(beideWege("beide.CSV", ExportArt::PLZStrassen), Golden("beide.csv"));
  EXPECT_EQ(beideWege("strassen.txt", ExportArt::Strassen, "", "Nr."), Golden("strassen.txt"));
  EXPECT_EQ(beideWege("plz.csv", ExportArt::PLZ, "D-"), Golden("plz.csv"));
}

TEST_F(ExportAusDatei, ShuffledDirtyFilesWithRepeatedCodesGiveTheSameBytes) {
  std::mt19937 zufall(7);
  std::vector<TPLZRecord> plz;
  std::vector<TStrassenRecord> strassen;
  for (int i = 0; i < 300; ++i) {
    // Every fifth code twice (two places share it), the last ones without streets.
    const std::int32_t code = 10000 + (i - i / 5);
    TPLZRecord r = test::PLZSatz(("Ort " + std::to_string(i)).c_str(), code);
    r.Strassen = i < 280 ? 3 : 0;
    plz.push_back(r);
    for (int j = 0; j < static_cast<int>(zufall() % 6); ++j) {
      TStrassenRecord s = test::StrassenSatz(code, ("Weg " + std::to_string(zufall() % 1000)).c_str(), "Ort");
      if (zufall() % 3 == 0) s.AbNr.setzen(std::to_string(zufall() % 99).c_str());
      if (zufall() % 3 == 0) s.BisNr.setzen((std::to_string(zufall() % 99) + "b").c_str());
      strassen.push_back(s);
    }
  }
  // Invalid records, codes no postal-code record has, a name of blanks, a full-length name.
  strassen.push_back(test::StrassenSatz(0, "Nirgendweg"));
  strassen.push_back(test::StrassenSatz(100000, "Zuweitweg"));
  strassen.push_back(test::StrassenSatz(10003, "   "));
  strassen.push_back(test::StrassenSatz(55555, "Fremdweg"));
  strassen.push_back(test::StrassenSatz(10003, std::string(65, 'x').c_str()));
  std::shuffle(strassen.begin(), strassen.end(), zufall);
  std::shuffle(plz.begin() + 100, plz.end(), zufall);
  dateienSchreiben(plz, strassen);
  // A partial record at the end is no record.
  {
    std::ofstream anhang(t / "Ord_1/Strassen_D.ppp", std::ios::app | std::ios::binary);
    anhang << "10003 halb";
  }

  const std::string text = beideWege("b.csv", ExportArt::PLZStrassen, "D-", "Nr ");
  EXPECT_NE(text.find(";Nr "), std::string::npos);
  EXPECT_EQ(text.find("Zuweitweg"), std::string::npos);
  beideWege("b.txt", ExportArt::PLZStrassen);
  beideWege("s.csv", ExportArt::Strassen, "", "N");
  beideWege("s.txt", ExportArt::Strassen, "A-");
}

TEST_F(ExportAusDatei, WithoutStreetFileEveryRecordHasItsOneLine) {
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", test::BeispielPLZ());
  const std::string text = beideWege("ohne.csv", ExportArt::PLZStrassen);
  // The header and the four records, Dresden and Leerstadt although they count streets they lack.
  EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 5);
}

TEST_F(ExportAusDatei, AKilledImportIsTakenBackFirstAndSaidSo) {
  dateienSchreiben(test::BeispielPLZ(), test::BeispielStrassen());
  const std::string vorher = DateiLesen(t / "Ord_1/Strassen_D.ppp");
  const std::string datei = t / "Ord_1/Strassen_D.ppp";
  {
    // An append whose writer died: its journal stays beside the file.
    const int fd = ::open(datei.c_str(), O_RDWR);
    const AnhangJournal journal(datei, fd, static_cast<std::int64_t>(vorher.size()), static_cast<std::int64_t>(vorher.size()),
                          sizeof(TStrassenRecord));
    const TStrassenRecord neu = test::StrassenSatz(1067, "Halbweg", "Dresden");
    ASSERT_EQ(::pwrite(fd, &neu, sizeof neu, static_cast<off_t>(vorher.size())), static_cast<ssize_t>(sizeof neu));
    ::close(fd);
  }
  test::Antworten keine;
  Datenbestand db;
  db.PLZLaden(keine);
  ExportOptionen o;
  o.art = ExportArt::PLZStrassen;
  ExportierenAusDatei(db, t / "x.csv", o, KeinFortschritt(), keine);
  EXPECT_EQ(DateiLesen(t / "x.csv").find("Halbweg"), std::string::npos);
  EXPECT_EQ(DateiLesen(datei), vorher);
  ASSERT_EQ(keine.meldungen.size(), 1u);
  EXPECT_NE(keine.meldungen[0].find("abgebrochener Import"), std::string::npos);
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
