// The web window: fetching, converting, its limits.
#include <gtest/gtest.h>

#include <QLabel>
#include <QSignalSpy>
#include <QTest>
#include <filesystem>

#include "core/Pfade.h"
#include "core/Start.h"
#include "streets/ut_Internet.h"
#include "support/TempOrdner.h"
#include "support/TestDialoge.h"
#include "support/TestServer.h"

namespace orvano {
namespace {

using ui::Antwort;

class Internet : public ::testing::Test {
 protected:
  void SetUp() override { ProgrammOrdnerSetzen(t.pfad()); }
  void dienst(const std::string& basis) { test::DateiSchreiben(t / "Dienste.ini", "Strassenliste=" + basis + "\n"); }
  // Shows the window for PLZ and waits until the request has ended.
  void holen(const std::string& plz = "12345") {
    QSignalSpy fertig(&w, &TfrInternet::fertig);
    w.vorbereiten("Musterstadt", plz, "12345");
    w.show();
    if (fertig.isEmpty()) {
      ASSERT_TRUE(fertig.wait(10000));
    }
  }
  test::TempOrdner t;
  test::TestDialoge dialoge;
  TfrInternet w;
};

TEST_F(Internet, TheAnswerBecomesTheStreetListOfThePlace) {
  test::TestServer s(test::TestServer::Http(200, "text/html; charset=utf-8",
                                            "<html><body>Lindenweg|Musterstadt|Hessen|12345|120<BR>Gr\xC3\xBCner Weg|Musterstadt|Hessen|12345|90<BR>"
                                            "Lindenweg|Musterstadt|Hessen|12346|120</body></html>"));
  dienst(s.basis());
  holen();
  EXPECT_EQ(w.lbZahl->text(), "n = 2");
  EXPECT_EQ(w.WebStrassenDatei, t / "_Strassen/Musterstadt_12345.txt");
  EXPECT_NE(test::DateiLesen(w.WebStrassenDatei).find("Gr\xFCner Weg  Musterstadt"), std::string::npos) << "Windows-1252 in the file";
  w.reject();
  // A second fetch asks before it replaces the file; No leaves it.
  test::DateiSchreiben(w.WebStrassenDatei, "alt");
  dialoge.antworte(Antwort::Nein, QString::fromStdString("Datei " + (t / "_Strassen/Musterstadt_12345.txt") + " überschreiben?"));
  holen();
  EXPECT_EQ(test::DateiLesen(t / "_Strassen/Musterstadt_12345.txt"), "alt");
}

TEST_F(Internet, WithoutAServiceOrAnAnswerItSaysWhyAndCountsNothing) {
  dialoge.antworte(Antwort::Ok);
  holen();
  EXPECT_NE(dialoge.texte().join("").indexOf("Dienste.ini"), -1);
  EXPECT_EQ(w.lbZahl->text(), "n = 0");
  w.reject();
  dienst(test::TestServer::Geschlossen());
  dialoge.antworte(Antwort::Ok);
  holen();
  EXPECT_NE(dialoge.texte().last().indexOf("abgelehnt"), -1) << dialoge.texte().last().toStdString();
  w.reject();
  test::TestServer still("", true);
  dienst(still.basis());
  w.zeitLimitMs = 1000;
  const std::string frage = "/php/plz_imp.php?ort=Musterstadt&plz=12345";
  dialoge.antworte(Antwort::Ok, QString::fromUtf8("Die Straßenliste kann nicht geholt werden: Keine Antwort von ") +
                                    QString::fromStdString(still.basis() + frage) + " in 1 s");
  holen();
  EXPECT_EQ(w.lbZahl->text(), "n = 0");
  w.reject();
  test::TestServer leer(test::TestServer::Http(404, "text/html", "nicht da"));
  dienst(leer.basis());
  dialoge.antworte(Antwort::Ok, QString::fromUtf8("Die Straßenliste kann nicht geholt werden: ") +
                                    QString::fromStdString(leer.basis() + frage) + " antwortet mit 404");
  holen();
}

TEST_F(Internet, EscapeStopsAPendingRequestAtOnceAndALargeAnswerIsRead) {
  test::TestServer still("", true);
  dienst(still.basis());
  w.vorbereiten("Musterstadt", "12345", "12345");
  w.show();
  ASSERT_TRUE(w.laeuft());
  QTest::keyClick(&w, Qt::Key_Escape);
  EXPECT_FALSE(w.laeuft());
  EXPECT_TRUE(w.isVisible()) << "Escape closes no window";
  w.reject();
  std::string viel;
  while (viel.size() < 5'000'000) viel += "Lindenweg " + std::to_string(viel.size()) + "|Musterstadt|Hessen|12345|120<BR>";
  test::TestServer gross(test::TestServer::Http(200, "text/html", viel));
  dienst(gross.basis());
  holen();
  EXPECT_GT(w.lbZahl->text().mid(4).toInt(), 50000);
}

}  // namespace
}  // namespace orvano
