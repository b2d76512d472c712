// The route planner of the main window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

#include "FensterTest.h"

namespace orvano {
namespace {

using test::PLZSatz;
using ui::Antwort;

class Routen : public test::FensterTest {
 protected:
  void SetUp() override {
    FensterTest::SetUp();
    plz({PLZSatz("K\xF6ln", 50667), PLZSatz("M\xFCnchen", 80331)});
    std::filesystem::create_directories(t / "Route");
  }
};

TEST_F(Routen, TheShownPlacesMakeARouteAndItsAddress) {
  TfrPLZ f;
  f.Aktivieren();
  QTest::mouseClick(f.lbAusgangsort, Qt::LeftButton);
  f.edAusgangsortStrasse->setText("Domkloster");
  f.tbPlus->click();
  QTest::mouseDClick(f.edZielort, Qt::LeftButton);
  EXPECT_EQ(f.edAusgangsort->text(), QString::fromUtf8("Köln"));
  EXPECT_EQ(f.edZielortPLZ->text(), "80331");
  EXPECT_EQ(f.sbRoute->toolTip(), "Route zeigen mit Google");
  f.datenbestand().Geaendert = true;
  f.sbRoute->click();
  ASSERT_EQ(dialoge.geoeffnet.size(), 1u);
  EXPECT_EQ(dialoge.geoeffnet[0].toString(QUrl::FullyEncoded),
            "https://www.google.de/maps/dir/Domkloster,+50667+K%C3%B6ln/,+80331+M%C3%BCnchen");
  EXPECT_FALSE(f.datenbestand().Geaendert);
  f.edAusgangsort->clear();
  f.edAusgangsortPLZ->clear();
  dialoge.antworte(Antwort::Ok, QString("Ausgangsort eingeben"));
  f.sbRoute->click();
  EXPECT_EQ(dialoge.geoeffnet.size(), 1u);
}

TEST_F(Routen, RoutesGoToFilesAndComeBackAndStayForTheNextStart) {
  {
    TfrPLZ f;
    f.Aktivieren();
    f.edAusgangsort->setText("Bonn");
    f.edAusgangsortPLZ->setText("53111");
    f.edAusgangsortStrasse->setText("Markt");
    f.edZielort->setText(QString::fromUtf8("Köln"));
    f.edZielortPLZ->setText("50667");
    f.edZielortStrasse->setText("Domkloster");
    dialoge.datei(QString::fromStdString(t / "Route/Bonn_Köln.rte"));
    f.sbRouteSpeichern->click();
    EXPECT_EQ(dialoge.dateiDialoge.back().dateiName, QString::fromUtf8("Bonn_Köln.rte"));
    EXPECT_EQ(test::DateiLesen(t / "Route/Bonn_Köln.rte"), "Bonn|53111|Markt*K\xF6ln|50667|Domkloster*0\r\n");
    // A field with "*" would load as another route: refused.
    f.edZielortStrasse->setText("Dom*kloster");
    dialoge.antworte(Antwort::Ok);
    f.sbRouteSpeichern->click();
    EXPECT_EQ(dialoge.boxen.back().symbol, ui::Symbol::Warnung);
    // A file without the service index changes nothing; a whole one loads.
    test::DateiSchreiben(t / "Route/kurz.rte", "A|1|x*B|2|y\r\n");
    dialoge.datei(QString::fromStdString(t / "Route/kurz.rte"));
    f.sbRouteLaden->click();
    EXPECT_EQ(f.edAusgangsort->text(), "Bonn");
    test::DateiSchreiben(t / "Route/bing.rte", "A|1|x*B|2|y*3\r\n");
    dialoge.datei(QString::fromStdString(t / "Route/bing.rte"));
    f.sbRouteLaden->click();
    EXPECT_EQ(f.edZielortStrasse->text(), "y");
    EXPECT_EQ(f.cbRoutenplaner->currentText(), "Bing");
    EXPECT_EQ(f.sbRoute->toolTip(), "Route zeigen mit Google") << "loading leaves logo and hint";
    f.Aktivieren();
    EXPECT_EQ(f.sbRoute->toolTip(), "Route zeigen mit Bing") << "the next activation shows the loaded service";
    f.EinstellungenSchreiben();
  }
  TfrPLZ neu;
  EXPECT_EQ(neu.edAusgangsort->text(), "A");
  EXPECT_EQ(neu.cbRoutenplaner->currentIndex(), 3);
}

}  // namespace
}  // namespace orvano
