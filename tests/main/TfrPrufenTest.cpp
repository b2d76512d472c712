// The duplicate check, opened from the main window's menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "FensterTest.h"
#include "core/Datenbestand.h"
#include "search/ut_Prufen.h"
#include "streets/ut_PZ.h"

namespace orvano {
namespace {

using test::PLZSatz;
using test::StrassenSatz;
using ui::Antwort;

class PruefFenster : public test::FensterTest {};

TEST_F(PruefFenster, StreetDuplicatesAreListedDeletedAndTheOptimisationIsOffered) {
  plz(drei());
  auto markt = StrassenSatz(1067, "Am Markt", "Dresden");
  markt.AbNr.setzen("2");
  auto markt2 = markt;
  markt2.AbNr.setzen("2 ");
  strassen({markt, StrassenSatz(1067, "Am-Markt", "Altstadt"), markt2, StrassenSatz(1067, "am markt", "Neustadt")});
  TfrPLZ f;
  f.Aktivieren();
  bool optimierungGezeigt = false;
  QTimer::singleShot(0, [&] {
    TfrPrufen& w = *f.frPrufen;
    EXPECT_EQ(w.windowTitle(), QString::fromUtf8(" Prüfen Strassen-Datenbank  Datei: Ord_1/Strassen_D.ppp   n = 4"));
    EXPECT_FALSE(w.sbLoschen->isEnabled());
    dialoge.antworte(Antwort::Ok, QString::fromUtf8("1 Doppelte Einträge gefunden"));
    w.sbPrufen->click();
    EXPECT_EQ(w.tabelle().zelle(10, 1), "2") << "'Am Markt' of Altstadt and Neustadt; '2' and '2 ' differ";
    EXPECT_EQ(w.tabelle().zelle(15, 1), "Am-Markt");
    EXPECT_TRUE(w.sbLoschen->isEnabled());
    QTimer::singleShot(0, [&] {
      optimierungGezeigt = f.frPZ->isVisible();
      f.frPZ->sbExit->click();
    });
    dialoge.antworte(Antwort::Ja, QString::fromUtf8("1 Doppelte Einträge löschen?"));
    w.sbLoschenClick();
  });
  f.miPruefenStrassen->trigger();
  EXPECT_TRUE(optimierungGezeigt);
  EXPECT_EQ(std::filesystem::file_size(t / "Ord_1/Strassen_D.ppp"), 3u * 126);
  EXPECT_EQ(f.datenbestand().StrassenZahl, 3);
  EXPECT_TRUE(f.isVisible());
}

TEST_F(PruefFenster, WithoutDuplicatesNothingCanBeDeleted) {
  plz(drei());
  TfrPLZ f;
  f.Aktivieren();
  QTimer::singleShot(0, [&] {
    TfrPrufen& w = *f.frPrufen;
    EXPECT_EQ(w.lbZahl->text(), "Datei: Ord_1/Dat_D.ppp   n = 3");
    dialoge.antworte(Antwort::Ok, QString::fromUtf8("Keine Doppelte Einträge gefunden"));
    w.sbPrufen->click();
    EXPECT_FALSE(w.sbLoschen->isEnabled());
    w.sbExit->click();
  });
  f.miPruefenPLZ->trigger();
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Dresden", "Berlin", "Bonn"}));
}

}  // namespace
}  // namespace orvano

namespace orvano {
namespace {

TEST_F(PruefFenster, AStartNumberThatIsNoNumberIsRefused) {
  plz(drei());
  TfrPLZ f;
  f.Aktivieren();
  bool gemeldet = false;
  QTimer::singleShot(0, [&] {
    TfrPrufen& w = *f.frPrufen;
    w.edAbNr->setText("1O");
    dialoge.antworte(Antwort::Ok, QString::fromUtf8("\"Ab Nr\" muss eine Zahl sein: \"1O\""));
    w.sbPrufen->click();
    gemeldet = dialoge.boxen.size() == 1;
    EXPECT_FALSE(w.sbLoschen->isEnabled()) << "nothing was checked";
    w.sbExit->click();
  });
  f.miPruefenPLZ->trigger();
  EXPECT_TRUE(gemeldet);
}

}  // namespace
}  // namespace orvano
