// Street lists from the web: the request and the conversion of the page.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Pfade.h"
#include "streets/WebStrassen.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

using Zeilen = std::vector<std::string>;

TEST(WebStrassen, ThePlaceIsAskedForAndSavedUnderItsName) {
  test::TempOrdner t;
  ProgVerzeichnis = t.pfad();
  EXPECT_EQ(WebAdresse("http://h", "Frankfurt (Oder)", "15230"), "http://h/php/plz_imp.php?ort=Frankfurt-Oder&plz=15230");
  EXPECT_EQ(WebStrassenDateiName("Frankfurt (Oder)", "15230"), t / "_Strassen/Frankfurt_(Oder)_15230.txt");
  EXPECT_EQ(WebOrtAus("Halle/Saale\\Ost"), "Halle-Saale-Ost");
  // Nothing in a place or a postal code leads out of the folder.
  for (const auto& [ort, plz] : {std::pair{"../../etc/passwd", "0"}, {"..", "../x"}, {"a\nb", "/"}}) {
    const std::filesystem::path p = WebStrassenDateiName(ort, plz);
    EXPECT_EQ(p.parent_path(), std::filesystem::path(t / "_Strassen")) << ort;
  }
}

TEST(WebStrassen, OnlyLinesOfTheAskedPostalCodeWithEnoughTextAreKept) {
  const std::string seite = "<html><HEAD></head><Body>Lindenweg|Musterstadt|Hessen|12345|120<BR>\n"
                            "Am Hang/Weg|Musterstadt|Hessen|12345|80<BR>Ring|Ort|He|12345|1<BR>zu|wenig<BR>"
                            "|Musterstadt|Hessen|12345|5</BODY></html>";
  EXPECT_EQ(WebSeiteUmwandeln(seite, "12345", "12345"),
            (Zeilen{"Lindenweg  Musterstadt  Hessen  12345  120", "Am Hang,Weg  Musterstadt  Hessen  12345  80"}))
      << "30 characters or fewer, and a line without a street, are dropped";
  EXPECT_TRUE(WebSeiteUmwandeln(seite, "12346", "12346").empty());
  // "0": every line of the place, empty fields filled with the record's postal code.
  EXPECT_EQ(WebSeiteUmwandeln("Lindenweg|Musterstadt|Hessen||120<BR>Birkenallee|Musterstadt|Hessen|99999|7", "0", "12345"),
            (Zeilen{"Lindenweg  Musterstadt  Hessen  12345  120", "Birkenallee  Musterstadt  Hessen  99999  7"}));
  EXPECT_EQ(WebSeiteUmwandeln("Birkenallee|Musterstadt|Hessen|99999|7", "0", std::nullopt),
            (Zeilen{"Birkenallee  Musterstadt  Hessen  99999  7"}));
  EXPECT_EQ(SeiteNachCp1252("Stra\xC3\x9F" "e", "text/html; charset=UTF-8"), "Stra\xDF" "e");
  EXPECT_EQ(SeiteNachCp1252("<meta charset=\"utf-8\">\xC3\xBC", ""), "<meta charset=\"utf-8\">\xFC");
  EXPECT_EQ(SeiteNachCp1252("Stra\xDF" "e", "text/html"), "Stra\xDF" "e");
}

TEST(WebStrassen, TheFileHasTheHeaderAndCrLf) {
  test::TempOrdner t;
  WebStrassenSchreiben(t / "a.txt", {"Lindenweg  Musterstadt  Hessen  12345  120"});
  EXPECT_EQ(test::DateiLesen(t / "a.txt"), "Name  Ort  Bundesland  Postleitzahl  L\xE4nge\r\nLindenweg  Musterstadt  Hessen  12345  120\r\n");
}

TEST(WebStrassen, AnUnreadableServiceFileIsSaidAsSuch) {
  test::TempOrdner t;
  ProgVerzeichnis = t.pfad();
  EXPECT_EQ(KeinStrassenlistenDienstText().rfind("Kein Dienst", 0), 0u);
  std::filesystem::create_directories(t / "Dienste.ini");
  EXPECT_EQ(KeinStrassenlistenDienstText().rfind("Datei " + (t / "Dienste.ini") + " kann nicht gelesen werden", 0), 0u);
}

}  // namespace
}  // namespace orvano
