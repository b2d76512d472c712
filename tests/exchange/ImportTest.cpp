#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>

#include "core/AnhangJournal.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/Start.h"
#include "exchange/CSVLesen.h"
#include "exchange/Export.h"
#include "exchange/Import.h"
#include "exchange/ImportFormat.h"
#include "support/Antworten.h"
#include "support/Datenordner.h"

namespace orvano {
namespace {

using test::DateiLesen;
using test::DateiSchreiben;

// Runs ANHAENGEN in a child whose files may not grow beyond GRENZE bytes, as on a full disk:
// 3 when it threw the German "too large" reason, 4 for another DateiFehler, 0 when it went through.
int MitVollerPlatte(rlim_t grenze, const std::function<void()>& anhaengen) {
  const pid_t kind = ::fork();
  if (kind == 0) {
    ::signal(SIGXFSZ, SIG_IGN);
    const rlimit r{grenze, grenze};
    ::setrlimit(RLIMIT_FSIZE, &r);
    try {
      anhaengen();
    } catch (const DateiFehler& f) {
      ::_exit(std::string(f.what()).find("Datei zu gro") != std::string::npos ? 3 : 4);
    }
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(kind, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class ImportTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ProgrammOrdnerSetzen(t.pfad());
    ImportTabelleKopf(tabelle);
  }
  CSVLeseErgebnis lesen(const std::string& inhalt, const char* name = "q.csv", bool test = false, int n = 1000) {
    DateiSchreiben(t / name, inhalt);
    CSVLeseOptionen o;
    o.testModus = test;
    o.anzahl = n;
    o.landText = "\xD6sterreich";
    return CSVLesen(t / name, format, tabelle, o, KeinFortschritt());
  }
  std::string zelle(int spalte, int zeile) const { return std::string(tabelle.zelle(spalte, zeile)); }

  test::TempOrdner t;
  ImportFormat format = StandardFormat();
  Tabelle tabelle{kImportTabellenSpalten, 2};
};

TEST_F(ImportTest, TitlesMatchWholeCellsFoldingOnlyAsciiLetters) {
  format.titel[5] = "Postleitzahl";
  auto e = lesen("Ort;PLZ\r\nBonn;53111\r\n");
  EXPECT_EQ(zelle(1, 1), "Bonn");
  EXPECT_EQ(zelle(6, 1), "") << "PLZ is not Postleitzahl";
  EXPECT_EQ(e.ohnePLZ, 1);
  format.titel[5] = "plz";
  lesen("Ort;PLZ\r\nBonn;53111\r\n");
  EXPECT_EQ(zelle(6, 1), "53111");
  EXPECT_EQ(zelle(0, 1), "1");
  EXPECT_EQ(zelle(2, 1), "AT") << "an empty Staat takes the country's ISO code";
}

TEST_F(ImportTest, PostalCodesKeepTheirDigitsOnly) {
  format.titel[5] = "PLZ";
  lesen("PLZ;Ort\nD-67433;Neustadt\n67 433;Neustadt\n1e308;Overflow\nCH 8001;Z\xFCrich\n12a;Halb\n");
  EXPECT_EQ(zelle(6, 1), "67433");
  EXPECT_EQ(zelle(6, 2), "67433");
  EXPECT_EQ(zelle(6, 3), "") << "not a number made of stray digits: no code at all";
  EXPECT_EQ(zelle(6, 4), "8001");
  EXPECT_EQ(zelle(6, 5), "");
}

TEST_F(ImportTest, Utf8Utf16AndLoneCarriageReturnsAreReadAsWindows1252Lines) {
  format.titel[5] = "PLZ";
  const std::string erwartet = "M\xFCnchen";
  auto ort = [&](const std::string& inhalt, const char* name) {
    const CSVLeseErgebnis e = lesen(inhalt, name);
    EXPECT_EQ(e.zeilen, 2) << name;
    EXPECT_EQ(zelle(6, 2), "1010") << name;
    return zelle(1, 1);
  };
  EXPECT_EQ(ort("PLZ;Ort\n80331;M\xC3\xBCnchen\n1010;Wien\n", "utf8.csv"), erwartet);
  EXPECT_EQ(ort("\xEF\xBB\xBFPLZ;Ort\r\n80331;M\xC3\xBCnchen\r\n1010;Wien\r\n", "bom.csv"), erwartet);
  EXPECT_EQ(ort("PLZ;Ort\r80331;M\xFCnchen\r1010;Wien\r", "cr.csv"), erwartet) << "a lone CR ends a line";
  EXPECT_EQ(ort("PLZ;Ort\n80331;M\xFCnchen\n1010;Wien", "ansi.csv"), erwartet) << "Windows-1252 stays as it is";
  // Windows-1252 text that only looks like UTF-8 in one place stays Windows-1252.
  EXPECT_EQ(ort("PLZ;Ort\n80331;\xC3\xBC \xE4\n1010;Wien\n", "gemischt.csv"), "\xC3\xBC \xE4");
  std::string utf16 = "\xFF\xFE";
  for (const char16_t c : std::u16string(u"PLZ;Ort\r\n80331;M\u00FCnchen \u0141\r\n1010;Wien\r\n")) {
    utf16 += static_cast<char>(c & 0xFF);
    utf16 += static_cast<char>(c >> 8);
  }
  EXPECT_EQ(ort(utf16, "utf16.csv"), erwartet + " ?") << "a letter Windows-1252 lacks as ?";
  std::string be = "\xFE\xFF";
  for (const char16_t c : std::u16string(u"PLZ;Ort\n80331;M\u00FCnchen\n1010;Wien\n")) {
    be += static_cast<char>(c >> 8);
    be += static_cast<char>(c & 0xFF);
  }
  EXPECT_EQ(ort(be, "utf16be.csv"), erwartet);
}

// No code is ever made up: a row without one is counted, and the save skips it.
TEST_F(ImportTest, RowsWithoutAPostalCodeAreCountedAndNeverGetOne) {
  const auto e = lesen("Ort;Strassen\nAltenplos;  Hauptstra\xDF" "e 1\nHeinersreuth;Am Sportplatz\nBayreuth;Opernstra\xDF" "e\n");
  EXPECT_EQ(e.zeilen, 3);
  EXPECT_EQ(e.ohnePLZ, 3);
  EXPECT_EQ(OhnePLZText(e.ohnePLZ), "  ohne PLZ: 3");
  EXPECT_EQ(zelle(6, 3), "");
  EXPECT_EQ(zelle(15, 1), "Hauptstra\xDF" "e 1") << "leading blanks of Strassen go";
  const auto gemischt = lesen("Ort;Postleitzahl\nBayreuth;\nDresden;01067\nK\xF6ln;K\xF6ln\n");
  EXPECT_EQ(gemischt.ohnePLZ, 2);
  EXPECT_EQ(zelle(6, 1), "");
  EXPECT_EQ(zelle(6, 3), "");
  std::filesystem::create_directories(t / "Ord_1");
  const AnhaengenErgebnis a = ImportAnhaengen(t / "Ord_1/Dat_D.ppp", true, tabelle, KeinFortschritt());
  EXPECT_EQ(a.geschrieben, 1);
  EXPECT_EQ(ImportBericht(a.geschrieben, ImportZeilen(tabelle) - a.geschrieben, true),
            "1 Datensatz geschrieben, 2 Zeilen ohne Ort oder PLZ \xC3\xBC" "bersprungen");
  EXPECT_EQ(std::filesystem::file_size(t / "Ord_1/Dat_D.ppp"), sizeof(TPLZRecord));
}

// A program, a picture or a database file is refused before a single row is made.
TEST_F(ImportTest, AFileThatIsNoTextIsRefused) {
  std::string binaer = "Ort;Postleitzahl\r\nBonn;53111\r\n";
  binaer += std::string("\x7F" "ELF\x02\x01\x01\0\0\0", 10);
  for (const char* name : {"programm.csv", "Dat_D.ppp"}) {
    try {
      lesen(binaer, name);
      ADD_FAILURE() << name;
    } catch (const DateiFehler& f) {
      EXPECT_NE(std::string(f.what()).find("ist keine Textdatei"), std::string::npos) << f.what();
    }
  }
  EXPECT_EQ(tabelle.zeilen(), 2);
  EXPECT_EQ(zelle(1, 1), "");
}

TEST_F(ImportTest, EingabeValuesFillEmptyCells) {
  format.eingabeOrt = "Musterstadt";
  format.eingabePLZ = "12345";
  const auto e = lesen("Ort;Postleitzahl;Staat\n;;CH\nBonn;53111;\n");
  EXPECT_EQ(zelle(1, 1), "Musterstadt");
  EXPECT_EQ(zelle(6, 1), "12345");
  EXPECT_EQ(e.ohnePLZ, 0);
  EXPECT_EQ(zelle(2, 1), "CH");
  EXPECT_EQ(zelle(2, 2), "AT");
}

TEST_F(ImportTest, DeleteTextsComeOffEveryLineBeforeSplitting) {
  format.loeschen1 = "\"";
  format.loeschen2 = " ";  // blank: takes no part
  lesen("\"Ort\";\"Postleitzahl\"\n\"Bad Ems\";\"56130\"\n");
  EXPECT_EQ(zelle(1, 1), "Bad Ems");
  EXPECT_EQ(zelle(6, 1), "56130");
}

TEST_F(ImportTest, TestModeReadsNRowsAndListsEmptyLinesWithoutNumbers) {
  const auto e = lesen("Ort;Postleitzahl\nA;1\n\nB;2\nohne Trenner\nC;3\nD;4\n", "q.csv", true, 3);
  EXPECT_EQ(e.zeilen, 3);
  EXPECT_EQ(zelle(1, 3), "C");
  EXPECT_EQ(zelle(0, 3), "3");
  EXPECT_EQ(e.rohZeilen, (std::vector<std::string>{"Ort;Postleitzahl", "A;1", "", "B;2", "ohne Trenner", "C;3"}));
  EXPECT_EQ(tabelle.zeilen(), 4);
}

TEST_F(ImportTest, TheSeparatorComesFromTheFormatOrTheFileName) {
  lesen("Ort\tPostleitzahl\nA\t1\n", "q.txt");
  EXPECT_EQ(format.separator, "#9");
  EXPECT_EQ(zelle(6, 1), "1");
  format.separator = "|";
  lesen("Ort|Postleitzahl\nB|2\n", "r.txt");
  EXPECT_EQ(zelle(1, 1), "B");
}

TEST_F(ImportTest, AMissingFileReadsNothing) {
  CSVLeseOptionen o;
  EXPECT_FALSE(CSVLesen(t / "fehlt.csv", format, tabelle, o, KeinFortschritt()).gelesen);
}

TEST_F(ImportTest, AReadThatGaveNothingSaysWhy) {
  auto grund = [&](const std::string& inhalt, const char* name) {
    const CSVLeseErgebnis e = lesen(inhalt, name);
    return KeineZeilenGrund(t / name, format, e);
  };
  EXPECT_EQ(grund("Ort,Postleitzahl\r\nKiel,24103\r\n", "a.csv"),
            "Keine Zeile von a.csv enth\xC3\xA4lt das Trennzeichen \";\"; die Titelzeile ist mit \",\" getrennt (Separator im "
            "Import-Format \xC3\xA4ndern)");
  EXPECT_EQ(grund("Ort\r\nKiel\r\n", "b.csv"), "Keine Zeile von b.csv enth\xC3\xA4lt das Trennzeichen \";\"");
  EXPECT_EQ(grund("Ort;Postleitzahl\r\n", "c.csv"), "c.csv enth\xC3\xA4lt keine Datenzeile");
  EXPECT_EQ(grund("", "d.csv"), "d.csv enth\xC3\xA4lt keine Datenzeile");
  EXPECT_EQ(grund("Name;Code\r\nKiel;24103\r\n", "e.csv"),
            "Keine Spalte des Import-Formats passt zur Titelzeile von e.csv: Name;Code")
      << "rows without a single column of the format";
  EXPECT_EQ(grund("x;ORT\r\n1;Kiel\r\n", "f.csv"), "") << "titles match without case";
}

TEST_F(ImportTest, FormatFilesHoldTwentyTwoFieldsEachEndedByABar) {
  ASSERT_NO_THROW(FormatDateiSpeichern(t / "Standard.imp", StandardFormat()));
  EXPECT_EQ(DateiLesen(t / "Standard.imp"),
            "Ort|Staat|Bundesland|Ortsteil/Stadtteil|Landkreis|Postleitzahl|Auto-KZ|Breitengrad|L\xE4ngengrad|"
            "Regierungsbezirk|Gemeindeteil|Verwaltungszusammenschluss|Vorwahl|Strassen|Ab Nr|Bis Nr|||||||\r\n");
  ImportFormat f;
  f.idVerkn = "bleibt";
  f.separator = ";";
  f.id = "weg";
  DateiSchreiben(t / "Kurz.imp", "Ort|PLZ\r\n");
  ASSERT_TRUE(FormatDateiLaden(t / "Kurz.imp", f));
  EXPECT_EQ(f.titel[1], "PLZ");
  EXPECT_EQ(f.titel[15], "");
  EXPECT_EQ(f.id, "");
  EXPECT_EQ(f.idVerkn, "bleibt");
  EXPECT_EQ(f.separator, ";");
  DateiSchreiben(t / "B.imp", "");
  DateiSchreiben(t / "A.imp", "");
  DateiSchreiben(t / "S.ims", "");
  EXPECT_EQ(FormatListe(true), (std::vector<std::string>{"A", "B", "Kurz", "Standard"}));
  EXPECT_EQ(FormatListe(false), std::vector<std::string>{"S"});
}

TEST_F(ImportTest, TheJoinChangesOnlyTheFirstRowOfAnId) {
  format.id = "Nr";
  format.idVerkn = "Name";
  format.zielFeld = "Ort";
  lesen("Nr;Ort;Postleitzahl\n7;alt;1\n7;alt;2\n8;alt;3\n");
  DateiSchreiben(t / "zwei.csv", "Name;Nr\nNeu;7\nnur ein Teil\nAuch;8\n\nLeer;9\n");
  CSVLeseOptionen o;
  o.testModus = true;
  const auto v = Verknuepfen(t / "zwei.csv", format, tabelle, o, KeinFortschritt());
  ASSERT_TRUE(v.ausgefuehrt) << v.meldung;
  EXPECT_EQ(zelle(1, 1), "Neu");
  EXPECT_EQ(zelle(1, 2), "alt");
  EXPECT_EQ(zelle(1, 3), "Auch");
  EXPECT_EQ(v.paarZahl, 3);
  EXPECT_EQ(v.paare[2], (std::array<std::string, 3>{"3", "9", "Leer"}));
  // A target past the ID column skips it.
  format.zielFeld = "Vorwahl";
  Verknuepfen(t / "zwei.csv", format, tabelle, o, KeinFortschritt());
  EXPECT_EQ(zelle(14, 1), "Neu");
}

TEST_F(ImportTest, TheJoinNamesWhatIsMissing) {
  DateiSchreiben(t / "zwei.csv", "Name;Nr\nNeu;7\n");
  CSVLeseOptionen o;
  format.id = "";
  auto v = Verknuepfen(t / "zwei.csv", format, tabelle, o, KeinFortschritt());
  EXPECT_EQ(v.meldung, "ID Titel eingeben");
  EXPECT_EQ(v.leeresFeld, VerknuepfErgebnis::kID);
  format.id = "Nr";
  v = Verknuepfen(t / "zwei.csv", format, tabelle, o, KeinFortschritt());
  EXPECT_EQ(v.meldung, "Spalte Titel aus Datei 2 eingeben");
  format.id = "Kennung";
  format.idVerkn = "Name";
  v = Verknuepfen(t / "zwei.csv", format, tabelle, o, KeinFortschritt());
  EXPECT_EQ(v.meldung, "ID Titel \"Kennung\" in Datei " + t.pfad() + "zwei.csv nicht gefunden");
  format.id = "Nr";
  format.idVerkn = "Wert";
  v = Verknuepfen(t / "zwei.csv", format, tabelle, o, KeinFortschritt());
  EXPECT_EQ(v.meldung, "Spalten Titel \"Wert\" in Datei " + t.pfad() + "zwei.csv nicht gefunden");
  EXPECT_FALSE(v.ausgefuehrt);
  // An unknown target field is said; nothing goes into "Ort" instead.
  lesen("Nr;Ort;Postleitzahl\n7;alt;1\n");
  format.idVerkn = "Name";
  format.zielFeld = "Hausnummer";
  v = Verknuepfen(t / "zwei.csv", format, tabelle, o, KeinFortschritt());
  EXPECT_EQ(v.meldung, "Feld \"Hausnummer\" für die Verknüpfung unbekannt");
  EXPECT_EQ(zelle(1, 1), "alt");
}

TEST_F(ImportTest, RowsBecomeRecordsAsTheColumnsSay) {
  lesen("Ort;Postleitzahl;Breitengrad;L\xE4ngengrad;Vorwahl;Auto-KZ\nDresden;01067;52,5167;52.5167;0351;DD\n");
  const TPLZRecord r = ImportZeileZuPLZ(tabelle, 1);
  EXPECT_EQ(r.PLZ, 1067);
  EXPECT_DOUBLE_EQ(r.Breitengrad, 52.5167);
  EXPECT_DOUBLE_EQ(r.Laengengrad, 525167);
  EXPECT_EQ(r.Vorwahl, 351);
  EXPECT_EQ(r.Autokennzeichen.text(), "DD");
  EXPECT_EQ(r.Strassen, 0);
  const TStrassenRecord s = ImportZeileZuStrasse(tabelle, 1);
  EXPECT_EQ(s.HausNrKz, '1');
  EXPECT_EQ(s.Ort.text(), "Dresden");
}

TEST_F(ImportTest, AppendingFollowsTheLastWholeRecordAndSkipsInvalidRows) {
  const std::string alt = std::string(600, 'a') + "xyz";  // two records and a torn one
  DateiSchreiben(t / "Dat_D.ppp", alt);
  lesen("Ort;Postleitzahl\nA;1\n;2\nB;3\nC;\nD;0\nE;5\n");
  // C has no code and D the code 0: skipped like the row without Ort.
  const auto e = ImportAnhaengen(t / "Dat_D.ppp", true, tabelle, KeinFortschritt());
  EXPECT_EQ(e.anfang, 600) << "the torn record is written over, the new ones stay in line";
  EXPECT_EQ(e.geschrieben, 3);
  const std::string neu = DateiLesen(t / "Dat_D.ppp");
  EXPECT_EQ(neu.substr(0, 600), alt.substr(0, 600));
  ASSERT_EQ(neu.size(), 600u + 3 * 300);
  TPLZRecord r;
  std::memcpy(&r, neu.data() + 600 + 300, 300);
  EXPECT_EQ(r.Ort.text(), "B");
  std::memcpy(&r, neu.data() + 600 + 600, 300);
  EXPECT_EQ(r.Ort.text(), "E");
}

TEST_F(ImportTest, AnAppendCutOffByTheFileSizeLimitLeavesTheOldFile) {
  const std::string alt = std::string(600, 'a') + "xyz";
  DateiSchreiben(t / "Dat_D.ppp", alt);
  std::string csv = "Ort;Postleitzahl\n";
  for (int i = 1; i <= 50; ++i) csv += "Ort" + std::to_string(i) + ";" + std::to_string(i) + "\n";
  lesen(csv);
  EXPECT_EQ(MitVollerPlatte(5000, [&] { ImportAnhaengen(t / "Dat_D.ppp", true, tabelle, KeinFortschritt()); }), 3)
      << "a German reason";
  EXPECT_EQ(DateiLesen(t / "Dat_D.ppp"), alt);
}

TEST_F(ImportTest, AKilledImportKeepsTheOldRecordsAndTheNextStaysInLine) {
  std::string csv = "Ort;Postleitzahl\n";
  for (int i = 1; i <= 60000; ++i) csv += "Ort" + std::to_string(i) + ";" + std::to_string(i) + "\n";
  lesen(csv);
  const std::string alt(900, 'a');
  std::uint64_t z = 5;
  int zurueck = 0;
  for (int runde = 0; runde < 4; ++runde) {
    DateiSchreiben(t / "Dat_D.ppp", alt);
    const pid_t kind = ::fork();
    if (kind == 0) {
      ImportAnhaengen(t / "Dat_D.ppp", true, tabelle, KeinFortschritt());
      ::_exit(0);
    }
    z = z * 6364136223846793005ULL + 1442695040888963407ULL;
    ::usleep(static_cast<useconds_t>((z >> 33) % 30000));
    ::kill(kind, SIGKILL);
    ::waitpid(kind, nullptr, 0);
    // The next opening of the folder takes a cut-off import back: old, or old and all new.
    const auto meldungen = AbgebrocheneAnhaengeZuruecknehmen(t.pfad());
    const std::string nachher = DateiLesen(t / "Dat_D.ppp");
    EXPECT_TRUE(nachher == alt || nachher.size() == 900u + 60000u * 300u) << "Runde " << runde << ": " << nachher.size();
    EXPECT_EQ(nachher.substr(0, 900), alt);
    if (nachher == alt && !meldungen.empty()) {
      EXPECT_EQ(meldungen[0], "Ein abgebrochener Import wurde zur\xC3\xBC" "ckgenommen: " + (t / "Dat_D.ppp"));
      ++zurueck;
    }
    EXPECT_FALSE(std::filesystem::exists(JournalName(t / "Dat_D.ppp")));
    // Whatever was cut off, the next import starts at a record boundary.
    Tabelle eine{kImportTabellenSpalten, 2};
    ImportTabelleKopf(eine);
    eine.setZelle(1, 1, "Neu");
    eine.setZelle(6, 1, "4711");
    const auto e = ImportAnhaengen(t / "Dat_D.ppp", true, eine, KeinFortschritt());
    EXPECT_EQ(e.anfang % 300, 0);
    const std::string ende = DateiLesen(t / "Dat_D.ppp");
    ASSERT_EQ(ende.size() % 300, 0u) << "Runde " << runde;
    TPLZRecord r;
    std::memcpy(&r, ende.data() + ende.size() - 300, 300);
    EXPECT_EQ(r.Ort.text(), "Neu");
  }
  EXPECT_GE(zurueck, 1) << "most kills must come while the records are appended";
}

TEST_F(ImportTest, DeleteTextsGoAsErasingOneAfterTheOtherRemovesThem) {
  std::uint64_t z = 3;
  auto zufall = [&](int n) {
    z = z * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<int>((z >> 33) % static_cast<std::uint64_t>(n));
  };
  for (const char* text : {"\"", "aa", "aba", "ab\""}) {
    for (int runde = 0; runde < 30; ++runde) {
      std::string ort;
      for (int i = zufall(40); i > 0; --i) ort += "ab\""[zufall(3)];
      // As the import always did it: find, erase, look again from there.
      std::string erwartet = ort;
      for (std::size_t p = erwartet.find(text); p != std::string::npos; p = erwartet.find(text, p)) erwartet.erase(p, std::strlen(text));
      format.loeschen1 = text;
      lesen("Ort;Postleitzahl\nX" + ort + ";1\n");
      EXPECT_EQ(zelle(1, 1), "X" + erwartet) << text << " in " << ort;
    }
  }
}

TEST_F(ImportTest, ThreeRowsGoToBytes600And900And1200) {
  DateiSchreiben(t / "Dat_A.ppp", std::string(600, '\0'));
  lesen("Ort;Postleitzahl\nA;1010\nB;1020\nC;1030\n");
  ImportAnhaengen(t / "Dat_A.ppp", true, tabelle, KeinFortschritt());
  const std::string neu = DateiLesen(t / "Dat_A.ppp");
  ASSERT_EQ(neu.size(), 1500u);
  for (const auto& [pos, ort] : {std::pair{600, "A"}, {900, "B"}, {1200, "C"}}) {
    TPLZRecord r;
    std::memcpy(&r, neu.data() + pos, 300);
    EXPECT_EQ(r.Ort.text(), ort);
  }
}

// A link where the journal goes never leads the journal into another file.
TEST_F(ImportTest, TheJournalIsNeverWrittenThroughALink) {
  DateiSchreiben(t / "fremd.txt", "Geheim\n");
  DateiSchreiben(t / "Dat_D.ppp", std::string(300, 'a'));
  std::filesystem::create_symlink(t / "fremd.txt", t / ".~Dat_D.ppp.journal");
  lesen("Ort;Postleitzahl\nBayreuth;95444\n");
  const AnhaengenErgebnis e = ImportAnhaengen(t / "Dat_D.ppp", true, tabelle, KeinFortschritt());
  EXPECT_EQ(e.geschrieben, 1);
  EXPECT_NE(e.zurueckgenommen.find("nicht angewandt"), std::string::npos) << e.zurueckgenommen;
  EXPECT_EQ(DateiLesen(t / "fremd.txt"), "Geheim\n");
  EXPECT_TRUE(std::filesystem::is_symlink(t / ".~Dat_D.ppp.journal.ungueltig"));
}

TEST_F(ImportTest, AWriteProtectedFileGetsNothingAppended) {
  DateiSchreiben(t / "Dat_A.ppp", std::string(600, 'a'));
  std::filesystem::permissions(t / "Dat_A.ppp", std::filesystem::perms::owner_read);
  lesen("Ort;Postleitzahl\nA;1010\n");
  EXPECT_THROW(ImportAnhaengen(t / "Dat_A.ppp", true, tabelle, KeinFortschritt()), DateiFehler);
  EXPECT_EQ(DateiLesen(t / "Dat_A.ppp"), std::string(600, 'a'));
}

TEST_F(ImportTest, StreetRowsNeedAValidCodeAndAName) {
  lesen("Ort;Postleitzahl;Strassen;Ab Nr\nA;0;Weg;1\nB;100000;Weg;1\nC;99999;;1\nD;5;Gasse;2\n");
  EXPECT_EQ(ImportGueltigeZeilen(tabelle, false), 1);
  const auto e = ImportAnhaengen(t / "Strassen_D.ppp", false, tabelle, KeinFortschritt());
  EXPECT_EQ(e.geschrieben, 1);
  EXPECT_EQ(std::filesystem::file_size(t / "Strassen_D.ppp"), 126u);
  // 99999 is a code like any other; an empty one is none.
  lesen("Ort;Postleitzahl\nA;99999\nB;\n");
  EXPECT_EQ(zelle(6, 2), "");
  EXPECT_EQ(ImportGueltigeZeilen(tabelle, true), 1);
}

// orvano-cli's import appends each row as it reads it: the same bytes and counts as reading
// into the table and appending that, also for rows without a code.
TEST_F(ImportTest, TheDirectImportWritesWhatTableAndAppendWrite) {
  const std::string alt = std::string(126, 's') + "torn";
  const std::vector<std::string> quellen = {
      "Ort;Postleitzahl;Strassen;Ab Nr;Bis Nr\n;;Erster Weg;1;3\nA;;  Zweiter Weg;;\nB;01067;Dritter;2;\nC;;Vierter;;9\n"
      "D;100000;Zu weit;;\nE;5;;;\nF;07;Letzter;1;1\n",
      "Ort;Strassen\nA;Weg\nB;Gasse\n",  // no code column: no row makes a record
      "Ort;Postleitzahl;Staat;Vorwahl;Breitengrad\nA;;CH;030;52,5\n;1010;;;\nB;99999;;;\nC;;;0351;\n",
  };
  int nr = 0;
  for (const std::string& quelle : quellen) {
    for (const bool plz : {true, false}) {
      for (const bool eingabe : {false, true}) {
        SCOPED_TRACE(std::to_string(nr) + (plz ? " plz" : " strassen") + (eingabe ? " mit Eingabe" : ""));
        format = StandardFormat();
        if (eingabe) {
          format.eingabeOrt = "Musterort";
          format.eingabePLZ = "4711";
        }
        CSVLeseOptionen o;
        o.landText = "Schweiz";
        o.strassen = !plz;
        DateiSchreiben(t / "q.csv", quelle);
        DateiSchreiben(t / "tabelle.ppp", alt);
        DateiSchreiben(t / "direkt.ppp", alt);
        const CSVLeseErgebnis gelesen = CSVLesen(t / "q.csv", format, tabelle, o, KeinFortschritt());
        const AnhaengenErgebnis a = ImportAnhaengen(t / "tabelle.ppp", plz, tabelle, KeinFortschritt());
        const DirektImportErgebnis probe = DirektImportieren(t / "q.csv", format, o, t / "direkt.ppp", plz, false, KeinFortschritt());
        EXPECT_EQ(DateiLesen(t / "direkt.ppp"), alt) << "nothing written without the word";
        EXPECT_EQ(probe.gueltig, ImportGueltigeZeilen(tabelle, plz));
        const DirektImportErgebnis d = DirektImportieren(t / "q.csv", format, o, t / "direkt.ppp", plz, true, KeinFortschritt());
        EXPECT_EQ(d.gelesen.zeilen, gelesen.zeilen);
        EXPECT_EQ(d.gelesen.ohnePLZ, gelesen.ohnePLZ);
        EXPECT_EQ(d.gueltig, a.geschrieben);
        EXPECT_EQ(d.anhang.geschrieben, a.geschrieben);
        EXPECT_EQ(d.anhang.anfang, a.anfang);
        EXPECT_EQ(DateiLesen(t / "direkt.ppp"), DateiLesen(t / "tabelle.ppp"));
      }
    }
    ++nr;
  }
}

TEST_F(ImportTest, ADirectImportCutOffByAFullDiskLeavesTheOldFile) {
  const std::string alt = std::string(300, 'a') + "xy";
  DateiSchreiben(t / "Dat_D.ppp", alt);
  std::string csv = "Ort;Postleitzahl\n";
  for (int i = 1; i <= 20000; ++i) csv += "Ort" + std::to_string(i) + ";" + std::to_string(i) + "\n";
  DateiSchreiben(t / "q.csv", csv);
  // The writes fail while rows are still being read.
  EXPECT_EQ(MitVollerPlatte(1 << 20, [&] {
              DirektImportieren(t / "q.csv", format, CSVLeseOptionen{}, t / "Dat_D.ppp", true, true, KeinFortschritt());
            }),
            3);
  EXPECT_EQ(DateiLesen(t / "Dat_D.ppp"), alt);
  EXPECT_FALSE(std::filesystem::exists(JournalName(t / "Dat_D.ppp")));
}

// Export of the shipped German file, import through a format into an empty folder: the
// records come back byte for byte.
TEST_F(ImportTest, TheShippedDataSurviveExportAndImport) {
  std::filesystem::create_directories(t / "Ord_1");
  std::filesystem::copy_file(ORVANO_DATEN "/Ord_1/Dat_D.ppp", t / "Ord_1/Dat_D.ppp");
  test::Antworten nein;
  Datenbestand db;
  ASSERT_TRUE(db.PLZLaden(nein));
  ASSERT_GT(db.PLZAnzahl, 10000);
  ExportOptionen o;
  Exportieren(db, t / "export.csv", o, KeinFortschritt());
  // The format shipped for the program's own exports.
  std::filesystem::copy_file(ORVANO_DATEN "/Orvano-Export.imp", t / "Orvano-Export.imp");
  ImportFormat f;
  ASSERT_TRUE(FormatDateiLaden(FormatDateiName("Orvano-Export", true), f));
  EXPECT_EQ(FormatZeile(f), FormatZeile(StandardFormat()));
  CSVLeseOptionen lo;
  lo.landText = "Deutschland";
  const auto e = CSVLesen(t / "export.csv", f, tabelle, lo, KeinFortschritt());
  EXPECT_EQ(e.zeilen, db.PLZAnzahl);
  std::filesystem::create_directories(t / "Ord_2");
  ImportAnhaengen(t / "Ord_2/Dat_D.ppp", true, tabelle, KeinFortschritt());
  EXPECT_TRUE(DateiLesen(t / "Ord_2/Dat_D.ppp") == DateiLesen(t / "Ord_1/Dat_D.ppp"));
}

TEST_F(ImportTest, ExportedStreetsComeBackThroughTheShippedStreetFormat) {
  std::filesystem::create_directories(t / "Ord_1");
  TStrassenRecord mitNr = test::StrassenSatz(1067, "Prager Stra\xDF" "e", "Dresden");
  mitNr.AbNr.setzen("1");
  mitNr.BisNr.setzen("9a");
  mitNr.HausNrKz = '1';
  // The import marks every street as one with house numbers.
  TStrassenRecord ohneNr = test::StrassenSatz(80331, "Marienplatz", "M\xFCnchen");
  ohneNr.HausNrKz = '1';
  test::RecordsSchreiben(t / "Ord_1/Strassen_D.ppp", std::vector<TStrassenRecord>{mitNr, ohneNr});
  TPLZRecord dresden = test::PLZSatz("Dresden", 1067), muenchen = test::PLZSatz("M\xFCnchen", 80331);
  dresden.Strassen = muenchen.Strassen = 1;
  test::RecordsSchreiben(t / "Ord_1/Dat_D.ppp", std::vector<TPLZRecord>{dresden, muenchen});
  test::Antworten nein;
  Datenbestand db;
  db.PLZLaden(nein);
  db.StrassenLaden(KeinFortschritt(), nein);
  ExportOptionen o;
  o.art = ExportArt::Strassen;
  for (const char* name : {"strassen.csv", "strassen.txt"}) {
    Exportieren(db, t / name, o, KeinFortschritt());
    std::filesystem::copy_file(ORVANO_DATEN "/Orvano-Export.ims", t / "Orvano-Export.ims", std::filesystem::copy_options::overwrite_existing);
    ImportFormat f;
    ASSERT_TRUE(FormatDateiLaden(FormatDateiName("Orvano-Export", false), f));
    CSVLeseOptionen lo;
    lo.strassen = true;
    lo.landText = "Deutschland";
    ASSERT_EQ(CSVLesen(t / name, f, tabelle, lo, KeinFortschritt()).zeilen, 2) << name << ": the separator follows the file name";
    std::filesystem::remove(t / "neu.ppp");
    ImportAnhaengen(t / "neu.ppp", false, tabelle, KeinFortschritt());
    EXPECT_EQ(DateiLesen(t / "neu.ppp"), DateiLesen(t / "Ord_1/Strassen_D.ppp")) << name;
  }
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

// The shipped German data: complete where the sources are, no lost letters, no namesake
// from another state.
std::vector<TPLZRecord> Mitgeliefert(const char* datei) {
  const std::string roh = test::DateiLesen(std::string(ORVANO_DATEN "/Ord_1/") + datei);
  EXPECT_EQ(roh.size() % sizeof(TPLZRecord), 0u);
  std::vector<TPLZRecord> saetze(roh.size() / sizeof(TPLZRecord));
  if (!saetze.empty()) std::memcpy(saetze.data(), roh.data(), saetze.size() * sizeof(TPLZRecord));
  return saetze;
}

double Km(const TPLZRecord& a, const TPLZRecord& b) {
  const double mitte = (static_cast<double>(a.Breitengrad) + static_cast<double>(b.Breitengrad)) / 2 * 3.14159265 / 180;
  return std::hypot(static_cast<double>(a.Breitengrad) - static_cast<double>(b.Breitengrad),
                    (static_cast<double>(a.Laengengrad) - static_cast<double>(b.Laengengrad)) * std::cos(mitte)) * 111.2;
}

// The shipped German data: states, no lost letters, coordinates of the place's own code (no
// namesake far away), the district where GeoNames names it.
TEST(MitgelieferteDaten, GermanRecordsLieWhereTheirCodeIs) {
  const auto saetze = Mitgeliefert("Dat_D.ppp");
  ASSERT_GT(saetze.size(), 12000u);
  std::size_t mitLand = 0, mitKoordinaten = 0;
  const TPLZRecord *reichenbach = nullptr, *netzschkau = nullptr, *schwarzach = nullptr;
  std::vector<std::string> hamfelde;
  for (const TPLZRecord& r : saetze) {
    mitLand += r.Bundesland.leer() ? 0 : 1;
    mitKoordinaten += static_cast<double>(r.Breitengrad) != 0.0 ? 1 : 0;
    EXPECT_EQ(r.Ort.text().find('?'), std::string::npos) << r.Ort.text();
    if (r.Ort.text() == "Wilhelmsburg" && r.PLZ == 17379) {
      EXPECT_EQ(r.Bundesland.text(), "Mecklenburg-Vorpommern");
    }
    if (r.Ort.text() == "Reichenbach" && r.PLZ == 8468) reichenbach = &r;
    if (r.Ort.text() == "Netzschkau" && r.PLZ == 8491) netzschkau = &r;
    if (r.PLZ == 97359) schwarzach = &r;
    if (r.Ort.text() == "Hamfelde" && r.PLZ == 22929) hamfelde.push_back(r.Landkreis.text());
  }
  EXPECT_GE(mitLand * 1000, saetze.size() * 995);
  EXPECT_GE(mitKoordinaten * 1000, saetze.size() * 995);
  ASSERT_TRUE(reichenbach && netzschkau && schwarzach);
  EXPECT_LT(Km(*reichenbach, *netzschkau), 15.0) << "Reichenbach im Vogtland, not in der Oberlausitz";
  EXPECT_NEAR(static_cast<double>(schwarzach->Breitengrad), 49.8, 0.2);
  EXPECT_EQ(schwarzach->Regierungsbezirk.text(), "Unterfranken");
  ASSERT_EQ(hamfelde.size(), 2u);
  EXPECT_NE(hamfelde[0], hamfelde[1]) << "two municipalities of one name, in two districts";
}

// Austria and Switzerland from GeoNames: every record with coordinates, cantons in German and
// never cut, Liechtenstein in the Swiss file.
TEST(MitgelieferteDaten, AustriaAndSwitzerlandAreShipped) {
  const auto at = Mitgeliefert("Dat_A.ppp"), ch = Mitgeliefert("Dat_CH.ppp");
  ASSERT_GT(at.size(), 18000u);
  ASSERT_GT(ch.size(), 4000u);
  bool wien = false, krems = false, zuerich = false, appenzell = false, vaduz = false;
  std::int32_t vorher = 0;
  for (const TPLZRecord& r : at) {
    EXPECT_EQ(r.Staat.text(), "AT");
    EXPECT_NE(static_cast<double>(r.Breitengrad), 0.0) << r.Ort.text();
    EXPECT_EQ(r.Landkreis.text().find("Politischer Bezirk"), std::string::npos);
    EXPECT_GE(r.PLZ, vorher) << "in postal-code order";
    vorher = r.PLZ;
    wien = wien || (r.PLZ == 1010 && r.Bundesland.text() == "Wien");
    krems = krems || (r.PLZ == 3500 && r.Ort.text() == "Krems an der Donau");
  }
  for (const TPLZRecord& r : ch) {
    EXPECT_NE(static_cast<double>(r.Breitengrad), 0.0) << r.Ort.text();
    EXPECT_EQ(r.Landkreis.text().find("District"), std::string::npos) << r.Landkreis.text();
    zuerich = zuerich || (r.PLZ == 8001 && r.Bundesland.text() == "Z\xFCrich" && r.Autokennzeichen.text() == "ZH");
    appenzell = appenzell || r.Bundesland.text() == "Appenzell Ausserrhoden";
    vaduz = vaduz || (r.PLZ == 9490 && r.Bundesland.text() == "Liechtenstein" && r.Autokennzeichen.text() == "FL");
  }
  EXPECT_TRUE(wien && krems && zuerich && appenzell && vaduz);
}

}  // namespace
}  // namespace orvano
