// Web requests through libcurl, against servers on 127.0.0.1 the tests start and stop.
#include "streets/WebAbruf.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>

#include "core/Pfade.h"
#include "streets/WebStrassen.h"
#include "support/TestServer.h"
#include "support/TlsServer.h"

namespace orvano {
namespace {

using Uhr = std::chrono::steady_clock;
using test::TestServer;

const std::string kSeite = "Lindenweg|Musterstadt|Hessen|12345|120<BR>Birkenallee|Musterstadt|Hessen|12345|80<BR>";
const std::string kPfad = "php/plz_imp.php?ort=Musterstadt&plz=12345";

WebAntwort Holen(const std::string& adresse, const std::string& ca = {}, int ms = 5000, std::size_t max = 1'000'000) {
  WebAnfrage a;
  a.adresse = adresse;
  a.caDatei = ca;
  a.zeitlimitMs = ms;
  a.maxBytes = max;
  return WebHolen(a);
}

TEST(WebAbruf, HttpsWithTheServicesOwnCaAndAnUntrustedCertificateRefused) {
  test::TlsServer tls;
  ASSERT_TRUE(tls.bereit()) << "openssl could not make the test CA or start s_server";
  tls.antwort(kPfad, TestServer::Http(200, "text/html; charset=UTF-8", kSeite));
  const std::string adresse = tls.basis() + "/" + kPfad;
  const WebAntwort gut = Holen(adresse, tls.ca());
  EXPECT_EQ(gut.fehler, "");
  EXPECT_EQ(gut.status, 200);
  EXPECT_EQ(gut.inhalt, kSeite);
  EXPECT_EQ(gut.contentType, "text/html; charset=UTF-8");
  const WebAntwort fremd = Holen(adresse);
  EXPECT_EQ(fremd.fehler, "Das Zertifikat von 127.0.0.1 ist nicht vertrauensw\xC3\xBCrdig (" + adresse + ")");
  EXPECT_EQ(fremd.inhalt, "");
  const WebAntwort fehlt = Holen(adresse, "/nirgends/ca.pem");
  EXPECT_EQ(fehlt.fehler.rfind("Die Zertifikatsdatei /nirgends/ca.pem", 0), 0u) << fehlt.fehler;
}

TEST(WebAbruf, HttpAnswersRedirectsAndTheirLimits) {
  TestServer ziel(TestServer::Http(200, "text/html", kSeite));
  const WebAntwort direkt = Holen(ziel.basis() + "/php/plz_imp.php?ort=K\xC3\xB6ln&plz=0");
  EXPECT_EQ(direkt.inhalt, kSeite);
  EXPECT_EQ(ziel.anfragen().at(0), "GET /php/plz_imp.php?ort=K%C3%B6ln&plz=0 HTTP/1.1") << "umlauts go as percent codes";
  TestServer weiter(TestServer::Umleitung(ziel.basis() + "/neu"));
  EXPECT_EQ(Holen(weiter.basis() + "/alt").inhalt, kSeite) << "a redirect is followed";
  TestServer kreis("");
  kreis.setAntwort(TestServer::Umleitung(kreis.basis() + "/wieder"));
  const WebAntwort schleife = Holen(kreis.basis() + "/");
  EXPECT_EQ(schleife.fehler, kreis.basis() + "/ leitet zu oft weiter (mehr als 5 Umleitungen)");
  EXPECT_EQ(kreis.anfragen().size(), 6u);
  TestServer fehlt(TestServer::Http(404, "text/html", "<h1>Not Found</h1>"));
  EXPECT_EQ(Holen(fehlt.basis() + "/x").fehler, fehlt.basis() + "/x antwortet mit 404");
  const std::string zu = TestServer::Geschlossen();
  EXPECT_EQ(Holen(zu + "/").fehler, "Verbindung zu 127.0.0.1 abgelehnt (" + zu + "/)");
  EXPECT_EQ(Holen("ftp://127.0.0.1/liste").fehler, "Ung\xC3\xBCltige Adresse (nur http:// und https://): ftp://127.0.0.1/liste");
}

TEST(WebAbruf, ASlowServerHitsTheLimitAndALargeAnswerIsNotReadToItsEnd) {
  TestServer still("", true);
  auto start = Uhr::now();
  EXPECT_EQ(Holen(still.basis() + "/", {}, 700).fehler, "Keine Antwort von " + still.basis() + "/ in 1 s");
  EXPECT_LT(Uhr::now() - start, std::chrono::seconds(3));
  TestServer gross(TestServer::Http(200, "text/html", std::string(3'000'000, 'x')));
  const WebAntwort a = Holen(gross.basis() + "/", {}, 5000, 1'000'000);
  EXPECT_EQ(a.fehler, "Die Antwort von " + gross.basis() + "/ ist gr\xC3\xB6\xC3\x9F" "er als 1 MB und wird nicht gelesen");
  EXPECT_EQ(a.inhalt, "");
  EXPECT_EQ(Holen(gross.basis() + "/", {}, 5000, 5'000'000).inhalt.size(), 3'000'000u);
}

TEST(WebAbruf, AStopEndsARunningRequestWithinAMoment) {
  TestServer still("", true);
  WebAnfrage a;
  a.adresse = still.basis() + "/";
  const auto start = Uhr::now();
  a.abbrechen = [start] { return Uhr::now() - start > std::chrono::milliseconds(300); };
  const WebAntwort w = WebHolen(a);
  EXPECT_TRUE(w.abgebrochen);
  EXPECT_LT(Uhr::now() - start, std::chrono::seconds(2)) << "not the 20-second limit";
}

// The proxy of the environment, as an office network has it; no_proxy passes it by.
TEST(WebAbruf, TheProxyOfTheEnvironmentCarriesTheRequest) {
  TestServer proxy(TestServer::Http(200, "text/html", kSeite));
  ::setenv("http_proxy", proxy.basis().c_str(), 1);
  const WebAntwort ueber = Holen("http://strassen.invalid/" + kPfad);
  ::setenv("no_proxy", "strassen.invalid", 1);
  const WebAntwort ohne = Holen("http://strassen.invalid/" + kPfad);
  ::unsetenv("http_proxy");
  ::unsetenv("no_proxy");
  EXPECT_EQ(ueber.inhalt, kSeite);
  ASSERT_EQ(proxy.anfragen().size(), 1u);
  EXPECT_EQ(proxy.anfragen()[0], "GET http://strassen.invalid/" + kPfad + " HTTP/1.1");
  EXPECT_EQ(ohne.fehler, "Der Name strassen.invalid ist nicht bekannt (http://strassen.invalid/" + kPfad + ")");
}

TEST(WebAbruf, TheStreetListRequestTakesTheServiceAndItsCaFromDiensteIni) {
  test::TempOrdner t;
  ProgVerzeichnis = t.pfad();
  test::DateiSchreiben(t / "Dienste.ini", "Strassenliste=https://strassen.example:8443\r\nStrassenliste.ca=/etc/orvano/ca.pem\r\n");
  const WebAnfrage a = StrassenlistenAnfrage("Musterstadt", "12345");
  EXPECT_EQ(a.adresse, "https://strassen.example:8443/php/plz_imp.php?ort=Musterstadt&plz=12345");
  EXPECT_EQ(a.caDatei, "/etc/orvano/ca.pem");
  EXPECT_EQ(a.zeitlimitMs, 20000);
}

}  // namespace
}  // namespace orvano
