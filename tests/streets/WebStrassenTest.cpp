// Street lists from the web: the request, the conversion and the plain HTTP fetch.
#include <gtest/gtest.h>

#include <filesystem>

#include "core/Pfade.h"
#include "streets/WebStrassen.h"
#include "support/TempOrdner.h"
#include "support/TestServer.h"

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

TEST(WebStrassen, TheFetchEndsWithAClearReasonWhenNoPageComes) {
  test::TestServer gut(test::TestServer::Http(200, "text/html", "a|b|c|12345<BR>"));
  HttpAntwort a = HttpHolen(gut.basis() + "/php/plz_imp.php?ort=K\xC3\xB6ln&plz=0", 5000, 1000000);
  EXPECT_EQ(a.fehler, "");
  EXPECT_EQ(a.inhalt, "a|b|c|12345<BR>");
  EXPECT_EQ(gut.anfragen().at(0), "GET /php/plz_imp.php?ort=K%C3%B6ln&plz=0 HTTP/1.0");
  EXPECT_EQ(HttpHolen(test::TestServer::Geschlossen(), 5000, 1000).fehler.find("abgelehnt") != std::string::npos, true);
  test::TestServer still("", true);
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(HttpHolen(still.basis() + "/", 1000, 1000).fehler, "Keine Antwort von 127.0.0.1:" + still.basis().substr(17) + " in 1 s");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));
  test::TestServer fehler(test::TestServer::Http(500, "text/html", "kaputt"));
  EXPECT_EQ(HttpHolen(fehler.basis() + "/", 5000, 1000).fehler, "Der Dienst " + fehler.basis().substr(7) + " antwortet mit HTTP-Fehler 500");
  test::TestServer gross(test::TestServer::Http(200, "text/html", std::string(5'000'000, 'x')));
  EXPECT_EQ(HttpHolen(gross.basis() + "/", 5000, 20'000'000).inhalt.size(), 5'000'000u);
  EXPECT_NE(HttpHolen(gross.basis() + "/", 5000, 1'000'000).fehler, "") << "more than allowed";
}

TEST(WebStrassen, MalformedAnswersAndAddressesEndWithAReasonNotAHang) {
  const std::string host = "127.0.0.1:1";
  auto lesen = [&](const std::string& roh) { return HttpAntwortLesen(roh, host, 1000000); };
  const std::string kopf = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n";
  EXPECT_EQ(lesen(kopf + "4\r\nWiki\r\n5;x=1\r\npedia\r\n0\r\n\r\n").inhalt, "Wikipedia");
  // Sizes that are negative, overflow, or run past the answer: an error at once.
  for (const std::string& block : {"-5\r\nabc\r\n0\r\n\r\n", "ffffffffffffffffff\r\nabc\r\n", "fffffffffffffff0\r\nabc\r\n",
                                   "10\r\nabc\r\n", "3\r\nabcX\r\n", "zz\r\n"}) {
    const HttpAntwort a = lesen(kopf + block);
    EXPECT_EQ(a.fehler, "Ung\xC3\xBCltige Antwort von " + host + " (Block-L\xC3\xA4nge)") << block;
    EXPECT_EQ(a.inhalt, "");
  }
  EXPECT_EQ(lesen("HTTP/1.1\r\n\r\nx").fehler, "Ung\xC3\xBCltige Antwort von " + host) << "a status line without a code";
  EXPECT_EQ(lesen("HTTP/1.1 2000 OK\r\n\r\nx").fehler, "Ung\xC3\xBCltige Antwort von " + host);
  EXPECT_EQ(lesen("HTTP/1.0 404 Not Found\r\n\r\n").fehler, "Der Dienst " + host + " antwortet mit HTTP-Fehler 404");
  // The scheme in any case; a port that is no number is a bad address, not an unknown host.
  test::TestServer gut(test::TestServer::Http(200, "text/html", "ok"));
  EXPECT_EQ(HttpHolen("HTTP://" + gut.basis().substr(7) + "/", 5000, 1000).inhalt, "ok");
  EXPECT_EQ(HttpHolen("http://127.0.0.1:abc/", 5000, 1000).fehler, "Ung\xC3\xBCltige Adresse (Port \"abc\"): http://127.0.0.1:abc/");
  EXPECT_EQ(HttpHolen("http://127.0.0.1:70000/", 5000, 1000).fehler.rfind("Ung\xC3\xBCltige Adresse", 0), 0u);
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
