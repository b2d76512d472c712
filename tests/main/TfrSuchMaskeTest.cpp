// The search mask over the main window.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>

#include "FensterTest.h"
#include "main/PLZSpalten.h"
#include "search/ut_SuchMaske.h"
#include "ui/StringGrid.h"

namespace orvano {
namespace {

using test::PLZSatz;
using test::StrassenSatz;

class MaskenFenster : public test::FensterTest {
 protected:
  void SetUp() override {
    FensterTest::SetUp();
    plz({PLZSatz("Wolfsburg", 38440), PLZSatz("Hamburg", 22605), PLZSatz("Augsburg", 86150)});
    TStrassenRecord elbe = StrassenSatz(22605, "Elbchaussee", "Hamburg");
    elbe.HausNrKz = '1';
    elbe.AbNr.setzen("2");
    elbe.BisNr.setzen("40");
    strassen({elbe, StrassenSatz(22605, "Bahnhofstr.", "Hamburg")});
  }
};

TEST_F(MaskenFenster, TheMainWindowShowsEveryHitWithItsStreetAndNumbers) {
  TfrPLZ f;
  f.Aktivieren();
  // Sorted by place, the grid starts with Augsburg; the mask still goes by the records.
  f.TabellenAnsicht = true;
  f.AnsichtUmschalten(false);
  f.StringGrid1->setAktuelleZelle(kSpalteOrt, 1);
  f.sbSort->click();
  f.StringGrid1->setAktuelleZelle(kSpalteOrt, 1);
  std::vector<QString> orte;
  QTimer::singleShot(0, [&] {
    TfrSuchMaske& m = *f.frSuchMaske;
    EXPECT_EQ(m.edOrt->text(), "Augsburg") << "the place of the current row";
    m.edOrt->setText("  burg ");
    m.sbWeiter->click();
    EXPECT_EQ(m.edOrt->text(), "burg") << "blanks go";
    orte.push_back(f.edOrt->text());
    m.sbWeiter->click();
    orte.push_back(f.edOrt->text());
    // Typing starts afresh: Hamburg is the first place with such a street.
    QTest::keyClicks(m.edStrasse, "elbchaussee");
    m.sbWeiter->click();
    EXPECT_EQ(m.lbStrasse->text(), "Elbchaussee");
    EXPECT_EQ(m.lbStrNr->text(), "2 - 40");
    EXPECT_EQ(f.cbStrasse->currentText(), "Elbchaussee");
    EXPECT_EQ(f.lbStrNr->text(), "2 - 40");
    EXPECT_EQ(m.lbNr->text(), "") << "no street number in the table view";
    m.sbExit->click();
  });
  f.sbPLZSuchen->click();
  EXPECT_EQ(orte, (std::vector<QString>{"Wolfsburg", "Hamburg"}));
  EXPECT_EQ(zelle(f, kSpalteOrt, f.StringGrid1->aktuelleZeile()), "Hamburg");
}

}  // namespace
}  // namespace orvano
