#include "ui/StringGrid.h"

#include <gtest/gtest.h>

#include <QAbstractItemModelTester>
#include <QApplication>
#include <QHeaderView>
#include <QLineEdit>
#include <QTest>

#include "core/Datenbestand.h"

namespace orvano::ui {
namespace {

// Turns the model tester's warnings into test failures.
class Warnungen {
 public:
  Warnungen() { alt_ = qInstallMessageHandler(&Warnungen::sammeln); }
  ~Warnungen() { qInstallMessageHandler(alt_); }
  static inline QStringList gesammelt;

 private:
  static void sammeln(QtMsgType typ, const QMessageLogContext&, const QString& text) {
    if (typ == QtWarningMsg || typ == QtCriticalMsg || typ == QtFatalMsg) gesammelt << text;
  }
  QtMessageHandler alt_;
};

Tabelle Beispiel() {
  Tabelle t(4, 4);
  t.setZelle(0, 0, "LNr");
  t.setZelle(1, 0, "Ort");
  t.setZelle(2, 0, "");
  t.setZelle(3, 0, "L\xE4ngengrad");
  t.setZelle(0, 1, "1");
  t.setZelle(1, 1, "M\xFCnchen");
  t.setZelle(0, 2, "2");
  t.setZelle(1, 2, "K\xF6ln");
  t.setFesteSpalten(1);
  t.setBreite(2, Tabelle::kVerborgen);
  return t;
}

TEST(TabellenModell, PassesTheModelTesterThroughResetsAndEdits) {
  Warnungen w;
  Warnungen::gesammelt.clear();
  Tabelle t = Beispiel();
  TabellenModell m(&t);
  m.setBearbeitbar(true);
  QAbstractItemModelTester tester(&m, QAbstractItemModelTester::FailureReportingMode::Warning);
  EXPECT_TRUE(m.setData(m.index(1, 1), "Bonn"));
  t.setZeilen(10);
  m.neuAufbauen();
  m.zeilenGeaendert(1, 20);
  t.setZeilen(2);
  m.neuAufbauen();
  Tabelle leer(3, 1);
  m.setTabelle(&leer);
  EXPECT_EQ(m.rowCount(), 0);
  EXPECT_TRUE(Warnungen::gesammelt.isEmpty()) << Warnungen::gesammelt.join("\n").toStdString();
}

TEST(TabellenModell, ShowsWindows1252CellsAndTitlesAsUnicode) {
  Tabelle t = Beispiel();
  TabellenModell m(&t);
  EXPECT_EQ(m.rowCount(), 3);
  EXPECT_EQ(m.columnCount(), 4);
  EXPECT_EQ(m.data(m.index(0, 1)).toString(), QString::fromUtf8("München"));
  EXPECT_EQ(m.headerData(3, Qt::Horizontal).toString(), QString::fromUtf8("Längengrad"));
  EXPECT_EQ(m.data(m.index(2, 1)).toString(), "");
}

TEST(TabellenModell, EditingStoresWindows1252AndOnlyWhereAllowed) {
  Tabelle t = Beispiel();
  TabellenModell m(&t);
  EXPECT_FALSE(m.setData(m.index(0, 1), "Bonn"));  // not editable yet
  m.setBearbeitbar(true);
  std::vector<std::pair<int, int>> bearbeitet;
  QObject::connect(&m, &TabellenModell::zelleBearbeitet, [&](int s, int z) { bearbeitet.emplace_back(s, z); });
  EXPECT_TRUE(m.setData(m.index(0, 1), QString::fromUtf8("Görlitz €")));
  EXPECT_EQ(t.zelle(1, 1), "G\xF6rlitz \x80");
  EXPECT_TRUE(m.setData(m.index(0, 3), QString::fromUtf8("Łódź")));
  EXPECT_EQ(t.zelle(3, 1), "?\xF3" "d?");
  EXPECT_FALSE(m.setData(m.index(0, 0), "9"));  // the fixed column
  EXPECT_EQ(t.zelle(0, 1), "1");
  EXPECT_EQ(bearbeitet, (std::vector<std::pair<int, int>>{{1, 1}, {3, 1}}));
}

class StringGridTest : public ::testing::Test {
 protected:
  void SetUp() override {
    t = Beispiel();
    grid.setTabelle(&t);
    grid.resize(500, 300);
    grid.show();
    QApplication::setActiveWindow(&grid);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&grid));
  }
  Tabelle t;
  StringGrid grid;
};

TEST_F(StringGridTest, HiddenColumnsAndWidthsComeFromTheTable) {
  EXPECT_TRUE(grid.isColumnHidden(2));
  EXPECT_FALSE(grid.isColumnHidden(1));
  t.setBreite(1, 180);
  t.setBreite(2, 40);
  grid.spaltenAnwenden();
  EXPECT_EQ(grid.columnWidth(1), 180);
  EXPECT_FALSE(grid.isColumnHidden(2));
  EXPECT_EQ(grid.font().pointSize(), 8);
  // A column narrower than its title grows to show the whole title.
  t.setZelle(1, 0, "Postleitzahl");
  t.setBreite(1, 20);
  grid.spaltenAnwenden();
  EXPECT_GT(grid.columnWidth(1), grid.horizontalHeader()->fontMetrics().horizontalAdvance("Postleitzahl"));
}

TEST_F(StringGridTest, TheCurrentCellIsInTableCoordinates) {
  grid.setAktuelleZelle(1, 2);
  EXPECT_EQ(grid.aktuelleZeile(), 2);
  EXPECT_EQ(grid.aktuelleSpalte(), 1);
  grid.setAktuelleZelle(1, 99);  // outside: stays
  EXPECT_EQ(grid.aktuelleZeile(), 2);
}

TEST_F(StringGridTest, AKeyFilterCanSwallowOrReplaceTypedCharacters) {
  grid.setBearbeitbar(true);
  std::vector<std::string> texte;
  grid.tastenDruck = [&](char c, const std::string& text) -> char {
    texte.push_back(text);
    if (c == '.') return ',';
    return (c >= '0' && c <= '9') || c == ',' || c == 8 ? c : 0;
  };
  grid.setAktuelleZelle(3, 1);
  QTest::keyClick(&grid, Qt::Key_A, Qt::NoModifier);
  EXPECT_FALSE(grid.bearbeitetGerade()) << "a swallowed key must not open the editor";
  QTest::keyClick(&grid, Qt::Key_8);
  ASSERT_TRUE(grid.bearbeitetGerade());
  QWidget* editor = QApplication::focusWidget();
  ASSERT_TRUE(qobject_cast<QLineEdit*>(editor));
  QTest::keyClick(editor, Qt::Key_Period);
  QTest::keyClick(editor, Qt::Key_X);
  QTest::keyClick(editor, Qt::Key_5);
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();  // the editor commits after the key
  EXPECT_EQ(t.zelle(3, 1), "8,5");
  // Each key saw the text it went into: the cell first, then the editor's text.
  EXPECT_EQ(texte, (std::vector<std::string>{"", "", "8", "8,", "8,"}));
}

TEST_F(StringGridTest, KeyDownSeesEnterBeforeTheEditorAndCanTakeIt) {
  grid.setBearbeitbar(true);
  std::vector<int> tasten;
  grid.tasteRunter = [&](int taste, Qt::KeyboardModifiers) {
    tasten.push_back(taste);
    if (taste != Qt::Key_Return) return false;
    grid.editorSchliessen();
    grid.setAktuelleZelle(grid.aktuelleSpalte(), grid.aktuelleZeile() + 1);
    return true;
  };
  grid.setAktuelleZelle(1, 1);
  QTest::keyClick(&grid, Qt::Key_B);
  QWidget* editor = QApplication::focusWidget();
  ASSERT_TRUE(qobject_cast<QLineEdit*>(editor));
  QTest::keyClick(editor, Qt::Key_Return);
  EXPECT_EQ(t.zelle(1, 1), "b");
  EXPECT_EQ(grid.aktuelleZeile(), 2);
  EXPECT_EQ(tasten, (std::vector<int>{Qt::Key_B, Qt::Key_Return}));
}

TEST_F(StringGridTest, EditorsRespectTheColumnsMaximalLength) {
  grid.setBearbeitbar(true);
  grid.maxLaenge = [](int spalte) { return spalte == 1 ? 3 : 0; };
  grid.setAktuelleZelle(1, 1);
  QTest::keyClick(&grid, Qt::Key_A);
  QWidget* editor = QApplication::focusWidget();
  ASSERT_TRUE(qobject_cast<QLineEdit*>(editor));
  QTest::keyClicks(editor, "bcdef");
  QTest::keyClick(editor, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(t.zelle(1, 1), "abc");
}

TEST_F(StringGridTest, ColoursOfFixedBusyAndOwnerDrawnCells) {
  EXPECT_EQ(grid.hintergrund(0, 1, false), StringGrid::kGelb);
  EXPECT_EQ(grid.hintergrund(1, 1, false), QColor(Qt::white));
  grid.zellFarbe = [](int spalte, int zeile) { return spalte == 1 && zeile == 2 ? StringGrid::kGruen : QColor(); };
  EXPECT_EQ(grid.hintergrund(1, 2, false), StringGrid::kGruen);
  EXPECT_EQ(grid.hintergrund(1, 1, false), QColor(Qt::white));
  grid.zellFarbe = nullptr;
  grid.setBeschaeftigt(true);
  EXPECT_EQ(grid.hintergrund(1, 1, false), StringGrid::kBeschaeftigt);
  EXPECT_EQ(grid.viewport()->cursor().shape(), Qt::WaitCursor);
  grid.setBeschaeftigt(false);
  EXPECT_EQ(grid.datenFarbe(), QColor(Qt::white));
}

TEST_F(StringGridTest, TitleClicksReportTheMouseButton) {
  std::vector<std::pair<int, Qt::MouseButton>> klicks;
  QObject::connect(&grid, &StringGrid::titelGeklickt, [&](int s, Qt::MouseButton b) { klicks.emplace_back(s, b); });
  auto* kopf = grid.horizontalHeader();
  const QPoint mitte(kopf->sectionViewportPosition(1) + kopf->sectionSize(1) / 2, kopf->height() / 2);
  QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {}, mitte);
  QTest::mouseClick(kopf->viewport(), Qt::RightButton, {}, mitte);
  EXPECT_EQ(klicks, (std::vector<std::pair<int, Qt::MouseButton>>{{1, Qt::LeftButton}, {1, Qt::RightButton}}));
}

// Counts the cells the view asks for.
class ZaehlendesModell : public TabellenModell {
 public:
  using TabellenModell::TabellenModell;
  QVariant data(const QModelIndex& index, int rolle) const override {
    if (rolle == Qt::DisplayRole) ++abfragen;
    return TabellenModell::data(index, rolle);
  }
  mutable long abfragen = 0;
};

TEST(StringGridGross, OnlyVisibleCellsAreConvertedWithOneAndAHalfMillionRows) {
  Tabelle t(17, 1500001);
  for (int r = 1; r < t.zeilen(); r += 997) t.setZelle(1, r, "Stra\xDF" "e " + std::to_string(r));
  StringGrid grid;
  ZaehlendesModell modell(&t);
  grid.setModel(&modell);
  grid.resize(800, 600);
  grid.show();
  grid.grab();
  grid.scrollToBottom();
  grid.grab();
  EXPECT_EQ(modell.rowCount(), 1500000);
  EXPECT_LT(modell.abfragen, 20000) << "the view converted far more than the visible cells";
  EXPECT_GT(modell.abfragen, 0);
}

TEST(StringGridArbeit, WhileMaintenanceRunsTheGridLeavesPaintingToTheStyle) {
  Tabelle t = Beispiel();
  StringGrid grid;
  grid.setTabelle(&t);
  bool gefragt = false;
  grid.zellFarbe = [&](int, int) {
    gefragt = true;
    return QColor();
  };
  grid.resize(300, 200);
  grid.show();
  ArbeitLaeuft = true;
  grid.grab();
  ArbeitLaeuft = false;
  EXPECT_FALSE(gefragt);
  grid.grab();
  EXPECT_TRUE(gefragt);
}

}  // namespace
}  // namespace orvano::ui
