#include "maps/Route.h"

#include <gtest/gtest.h>

#include "core/Pfade.h"
#include "core/Start.h"
#include "support/TempOrdner.h"

namespace orvano {
namespace {

Route KoelnMuenchen() {
  Route r;
  r.ausgangsort = "K\xF6ln";
  r.ausgangsPLZ = "50667";
  r.ausgangsStrasse = "Domkloster";
  r.zielort = "M\xFCnchen";
  r.zielPLZ = "80331";
  return r;
}

TEST(Route, AddressesOfTheServicesAndTheUmlautCodes) {
  test::TempOrdner t;
  ProgrammOrdnerSetzen(t.pfad());
  const Route r = KoelnMuenchen();
  EXPECT_EQ(RoutenAdresse(r, "Google"), "https://www.google.de/maps/dir/Domkloster,+50667+K%C3%B6ln/,+80331+M%C3%BCnchen");
  EXPECT_EQ(RoutenAdresse(r, "Bing"), "https://www.bing.com/mapspreview?v=2&rtp=adr.Domkloster,50667,K%C3%B6ln~adr.,80331,M%C3%BCnchen");
  EXPECT_EQ(RoutenAdresse(r, "Nokia"), "https://wego.here.com/directions/drive/Domkloster,-50667-K%C3%B6ln,-/,-80331-M%C3%BCnchen,7,normal");
  EXPECT_EQ(RoutenAdresse(r, "Unbekannt"), "");
  EXPECT_EQ(UmlauteFuerURL("Stra\xDF" "e"), "Stra%C3%9Fe");
  EXPECT_EQ(UmlauteFuerURL("\xC4rztehaus, \xE9t\xE9"), "%C3%A4rztehaus, \xE9t\xE9") << "nothing but the umlauts and sharp s";
  // Dienste.ini names another host.
  test::DateiSchreiben(t / "Dienste.ini", "Google = https://maps.example.org\r\n");
  EXPECT_EQ(RoutenAdresse(r, "Google").rfind("https://maps.example.org/maps/dir/", 0), 0u);
}

TEST(Route, APostalCodeAloneIsAStartAndAStreetAloneIsNot) {
  Route r = KoelnMuenchen();
  EXPECT_EQ(RouteFehlt(r), "");
  r.ausgangsort.clear();
  EXPECT_EQ(RouteFehlt(r), "");
  r.ausgangsPLZ.clear();
  EXPECT_EQ(RouteFehlt(r), "Ausgangsort eingeben");
  r = KoelnMuenchen();
  r.zielort.clear();
  r.zielPLZ.clear();
  r.zielStrasse = "Marienplatz";
  EXPECT_EQ(RouteFehlt(r), "Zielort eingeben");
}

TEST(Route, APostalCodeMustBeDigits) {
  Route r = KoelnMuenchen();
  r.zielPLZ = " 80331 ";
  EXPECT_EQ(RoutenPLZFehler(r), "");
  r.ausgangsPLZ = "9o482";
  EXPECT_EQ(RoutenPLZFehler(r), "Die PLZ des Ausgangsorts darf nur Ziffern enthalten: \"9o482\"");
  r.ausgangsPLZ = "";
  r.zielPLZ = "D-80331";
  EXPECT_EQ(RoutenPLZFehler(r), "Die PLZ des Zielorts darf nur Ziffern enthalten: \"D-80331\"");
}

TEST(Route, FilesHoldOneLineAndRefuseWhatTheyCannotCarry) {
  Route r;
  r.ausgangsort = "Bonn";
  r.ausgangsPLZ = "53111";
  r.ausgangsStrasse = "Markt";
  r.zielort = "K\xF6ln";
  r.zielPLZ = "50667";
  r.zielStrasse = "Domkloster";
  EXPECT_EQ(RoutenDateiVorschlag(r), "Bonn_Köln.rte");
  EXPECT_EQ(RoutenZeile(r), "Bonn|53111|Markt*K\xF6ln|50667|Domkloster*0");
  const auto zurueck = RouteAusZeile(RoutenZeile(r));
  ASSERT_TRUE(zurueck);
  EXPECT_EQ(zurueck->zielStrasse, "Domkloster");
  EXPECT_FALSE(RouteAusZeile("Bonn|53111|Markt*K\xF6ln|50667|Domkloster")) << "no service index";
  const auto kurz = RouteAusZeile("Bonn*K\xF6ln|50667*3");
  ASSERT_TRUE(kurz);
  EXPECT_EQ(kurz->ausgangsPLZ, "");
  EXPECT_EQ(kurz->zielPLZ, "50667");
  EXPECT_EQ(kurz->dienst, 3);
  r.zielStrasse = "A*B";
  EXPECT_EQ(RoutenZeile(r), "");
}

}  // namespace
}  // namespace orvano
