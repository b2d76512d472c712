// The map window over the main window.
#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QTest>
#include <QToolButton>

#include "FensterTest.h"
#include "core/Einstellungen.h"
#include "main/PLZSpalten.h"
#include "maps/utKarte.h"
#include "ui/StringGrid.h"

namespace orvano {
namespace {

using test::PLZSatz;
using ui::Antwort;

class KartenFenster : public test::FensterTest {
 protected:
  void SetUp() override {
    FensterTest::SetUp();
    auto satz = [](const char* ort, std::int32_t plz, double breite, double laenge) {
      TPLZRecord r = PLZSatz(ort, plz);
      r.Breitengrad = breite;
      r.Laengengrad = laenge;
      return r;
    };
    plz({satz("Kiel", 24103, 54.32, 10.13), satz("M\xFCnchen", 80331, 48.14, 11.58), satz("K\xF6ln", 50667, 50.94, 6.96)});
  }
};

TEST_F(KartenFenster, OpensAtTheSavedScaleMarksTheRowAndAClickChoosesTheNearestPlace) {
  Einstellungen e;
  e.kartenMassstab = 0.75;
  EinstellungenSpeichern(t / "einstPLZ.frb", e);
  TfrPLZ f;
  f.Aktivieren();
  f.sbKarte->click();
  TfrKarte& k = *f.frKarte;
  ASSERT_TRUE(f.KarteSichtbar);
  EXPECT_EQ(k.bildGroesse(), QSize(375, 499)) << "500 x 665 at 0.75, halves to even";
  EXPECT_TRUE(k.groessen[3]->isChecked());
  EXPECT_EQ(k.windowTitle(), QString::fromUtf8(" Kiel  24103    "));
  // A click near Köln at scale 0.75: Köln becomes the current row and the record shown.
  const Punkt koeln = GradZuPunkt(Eichung('D'), 0.75, 6.96, 50.94, 375, 499);
  k.Klick(koeln.x + 2, koeln.y - 1);
  EXPECT_EQ(f.edOrt->text(), QString::fromUtf8("Köln"));
  EXPECT_EQ(k.windowTitle(), QString::fromUtf8(" Köln  50667    "));
  // Another scale from the menu; Escape closes the map and clears the flag.
  k.groessen[6]->trigger();
  EXPECT_EQ(k.bildGroesse(), QSize(1000, 1330));
  // Any scale keeps the window on the screen and the cross-hair on Köln.
  for (int i : {7, 2, 0}) {
    k.groessen[i]->trigger();
    EXPECT_TRUE(k.screen()->availableGeometry().contains(k.frameGeometry())) << "scale " << kMassstaebe[i];
    const QImage bild = k.Image1->pixmap().toImage();
    const Punkt p = GradZuPunkt(Eichung('D'), kMassstaebe[i], 6.96, 50.94, bild.width(), bild.height());
    EXPECT_EQ(bild.pixelColor(p.x, p.y), QColor(Qt::red)) << "scale " << kMassstaebe[i];
  }
  EXPECT_GE(k.width(), k.fontMetrics().horizontalAdvance(k.windowTitle())) << "the caption is not cut";
  k.groessen[6]->trigger();
  QTest::keyClick(&k, Qt::Key_Escape);
  EXPECT_FALSE(k.isVisible());
  EXPECT_FALSE(f.KarteSichtbar);
  f.EinstellungenSchreiben();
  EXPECT_EQ(EinstellungenLaden(t / "einstPLZ.frb").kartenMassstab, 2.0);
}

TEST_F(KartenFenster, AScaleOfNoItemChecksNoneAndARowWithoutNumbersDrawsNoCross) {
  Einstellungen e;
  e.kartenMassstab = 0.8;
  e.tabellenAnsicht = true;
  EinstellungenSpeichern(t / "einstPLZ.frb", e);
  TfrPLZ f;
  f.Aktivieren();
  for (QAction* a : f.frKarte->groessen) EXPECT_FALSE(a->isChecked());
  f.sbKarte->click();
  f.gridDaten().setZelle(8, 1, "");
  dialoge.antworte(Antwort::Ok);
  f.KarteMarkieren();
  EXPECT_EQ(dialoge.boxen.back().symbol, ui::Symbol::Warnung);
  // The place view of the current row.
  f.gridDaten().setZelle(8, 1, "54,32");
  f.sbGoogle->click();
  ASSERT_EQ(dialoge.geoeffnet.size(), 1u);
  EXPECT_TRUE(dialoge.geoeffnet[0].toString().endsWith("/maps/place/Kiel/@54.32,10.13,11z")) << dialoge.geoeffnet[0].toString().toStdString();
}

TEST_F(KartenFenster, WithoutAPostalCodeFileTheMapStaysClosed) {
  TfrPLZ f;
  f.Aktivieren();
  f.cbLand->setCurrentIndex(2);
  dialoge.antworte(Antwort::Ok, QString::fromStdString("Datei " + (t / "Ord_1/Dat_CH.ppp") + " nicht gefunden"));
  f.LandGewechselt();
  dialoge.antworte(Antwort::Ok, QString::fromStdString("Datei " + (t / "Ord_1/Dat_CH.ppp") + " nicht gefunden"));
  f.sbKarte->click();
  EXPECT_FALSE(f.KarteSichtbar);
}

TEST_F(KartenFenster, AnOpenMapFollowsToACountryWithoutDataWithoutFurtherMessages) {
  TfrPLZ f;
  f.Aktivieren();
  f.sbKarte->click();
  ASSERT_TRUE(f.KarteSichtbar);
  f.cbLand->setCurrentIndex(1);
  dialoge.antworte(Antwort::Ok, QString::fromStdString("Datei " + (t / "Ord_1/Dat_A.ppp") + " nicht gefunden"));
  f.LandGewechselt();
  EXPECT_EQ(dialoge.boxen.size(), 1u) << "the empty row has nothing to mark";
  EXPECT_EQ(f.frKarte->bildGroesse().width(), 596) << "the picture of Austria";
}

}  // namespace
}  // namespace orvano
