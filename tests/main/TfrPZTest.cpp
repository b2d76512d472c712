// The optimisation dialog, opened from the main window's menu.
#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QTimer>

#include "FensterTest.h"
#include "core/Datenbestand.h"
#include "folders/Sicherung.h"
#include "streets/ut_PZ.h"

namespace orvano {
namespace {

using test::PLZSatz;
using ui::Antwort;

class OptimierungFenster : public test::FensterTest {};

TEST_F(OptimierungFenster, TheMenuRunsWhatIsChosenAndTheTableShowsTheResult) {
  plz({PLZSatz("Bonn", 53111), PLZSatz("Bonn", 53111), PLZSatz("Kiel", 24103)});
  TfrPLZ f;
  f.Aktivieren();
  TfrPZ& d = *f.frPZ;
  QTimer::singleShot(0, [&] {
    EXPECT_EQ(d.windowTitle(), " Optimierung  Ord_1");
    EXPECT_TRUE(d.cbStrassenOpt->isChecked());
    EXPECT_TRUE(d.cbStrassenOpt_jn->isChecked());
    d.cbStrassenOpt->setChecked(false);
    dialoge.antworte(Antwort::Ok, QString::fromUtf8("Keine Optimierung ist ausgewählt"));
    d.sbWeiter->click();
    EXPECT_TRUE(d.isVisible());
    d.cbPLZOpt->setChecked(true);
    d.cbPLZOpt_jn->setChecked(true);
    dialoge.antworte(Antwort::Ja, QString::fromUtf8("1 Doppelte PLZ-Einträge werden gelöscht\rPLZ-Datenbank in Ord_1/Dat_D.ppp speichern?"));
    d.sbWeiter->click();
  });
  f.miOptimieren->trigger();
  EXPECT_EQ(orteDerDatei(), (std::vector<std::string>{"Bonn", "Kiel"}));
  EXPECT_EQ(f.gridDaten().zeilen(), 3) << "the table shows the new file";
  EXPECT_TRUE(std::filesystem::exists(t / "SichCopy/Dat_D_" + HeutigesDatum() + "_PO_Ord_1.ppp"));
  EXPECT_FALSE(ArbeitLaeuft);
  // The choices stay for the next time; Exit runs nothing.
  QTimer::singleShot(0, [&] {
    EXPECT_TRUE(d.cbPLZOpt->isChecked());
    d.sbExit->click();
  });
  f.miOptimieren->trigger();
  EXPECT_EQ(d.Tag, 0);
}

}  // namespace
}  // namespace orvano
