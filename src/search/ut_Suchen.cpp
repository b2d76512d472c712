#include "ut_Suchen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QHeaderView>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStatusBar>
#include <QVBoxLayout>

#include "Suchen.h"
#include "core/Dateien.h"
#include "core/Datenbestand.h"
#include "core/Texte.h"
#include "ui/Dialoge.h"
#include "ui/Drucken.h"
#include "ui/Knopf.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ui/Warten.h"

namespace orvano {

namespace {

const char* const kTitel[kSuchSpalten] = {"LNr", "Ort", "Staat", "Bundesland", "Ortsteil/Stadtteil", "Landkreis",
                                          "Postleitzahl", "Auto-KZ", "Breitengrad", "L\xE4ngengrad", "DB-Nr",
                                          "Regierungsbezirk", "Gemeindeteil", "Verwaltungszusammenschluss", "Vorwahl",
                                          "Strassen", "Ab Bis Nr", "", " j/n"};
const int kPLZBreiten[kSuchSpalten] = {45, 170, -1, 120, 110, 120, 75, 50, 90, 90, -1, -1, -1, -1, 60, 60, -1, -1, 35};
const int kStrassenBreiten[kSuchSpalten] = {45, 170, -1, -1, -1, -1, 75, -1, -1, -1, -1, -1, -1, -1, -1, 220, 60, 60, 35};
// Columns the printout leaves out.
const int kNichtDrucken[] = {3, 4, 5, 7, 8, 9, 14};

}  // namespace

TfrSuchen::TfrSuchen(Datenbestand& db, QWidget* eltern) : QDialog(eltern), db_(db), tabelle_(kSuchSpalten, 2) {
  setObjectName("frSuchen");
  setWindowTitle(QStringLiteral(" Suchen"));
  auto* v = new QVBoxLayout(this);
  auto* g = new QGridLayout;
  rdPLZ = new QRadioButton(QStringLiteral("PLZ Datenbank"), this);
  rdStrassen = new QRadioButton(QStringLiteral("Strassen Datenbank"), this);
  rdPLZ->setChecked(true);
  edAbNr = new QLineEdit(QStringLiteral("1"), this);
  edAbNr->setMaximumWidth(70);
  cbSuchen = new QComboBox(this);
  edSuchen = new QLineEdit(this);
  cbSuchen2 = new QComboBox(this);
  edSuchen2 = new QLineEdit(this);
  cbGenau = new QCheckBox(QStringLiteral("Genau"), this);
  cbGenau->setToolTip(QStringLiteral("Genau"));
  sbSuchen = ui::Knopf(this, QStringLiteral("Suchen"), QString());
  sbPrint = ui::Knopf(this, QStringLiteral("Print"), QStringLiteral("Drucken"));
  sbSpeichern = ui::Knopf(this, QStringLiteral("Speichern"), QStringLiteral("Speichern in DB"));
  sbExit = ui::Knopf(this, QStringLiteral("Exit"), QStringLiteral("Fenster schließen"));
  g->addWidget(rdPLZ, 0, 0);
  g->addWidget(rdStrassen, 1, 0);
  g->addWidget(new QLabel(QStringLiteral("Ab Nr"), this), 0, 1);
  g->addWidget(edAbNr, 1, 1);
  g->addWidget(cbSuchen, 0, 2);
  g->addWidget(edSuchen, 0, 3);
  g->addWidget(cbGenau, 0, 4);
  g->addWidget(cbSuchen2, 1, 2);
  g->addWidget(edSuchen2, 1, 3);
  g->addWidget(sbSuchen, 0, 5);
  g->addWidget(sbPrint, 0, 6);
  g->addWidget(sbSpeichern, 1, 5);
  g->addWidget(sbExit, 1, 6);
  g->setColumnStretch(3, 1);
  v->addLayout(g);
  lbZahl = new QLabel(this);
  v->addWidget(lbZahl);
  sg1 = new ui::StringGrid(this);
  sg1->setTabelle(&tabelle_);
  sg1->setBearbeitbar(true);
  sg1->zellFarbe = [this](int spalte, int zeile) {
    if (spalte == sg1->aktuelleSpalte()) return ui::StringGrid::kGruen;
    if (tabelle_.zelle(kSuchSpalteMarke, zeile) == kMarke) return ui::StringGrid::kHellgruen;
    return QColor(Qt::white);
  };
  sg1->tasteRunter = [this](int taste, Qt::KeyboardModifiers mod) { return tasteRunter(taste, mod); };
  v->addWidget(sg1, 1);
  ui::Leisten leisten = ui::LeistenAnlegen(this, v, 2);
  ProgressBar1 = leisten.balken;
  StatusBar1 = leisten.leiste;
  status_ = std::move(leisten.status);

  connect(rdPLZ, &QRadioButton::clicked, this, &TfrSuchen::rdPLZClick);
  connect(rdStrassen, &QRadioButton::clicked, this, &TfrSuchen::rdPLZClick);
  connect(sbSuchen, &QPushButton::clicked, this, &TfrSuchen::sbSuchenClick);
  connect(sbPrint, &QPushButton::clicked, this, &TfrSuchen::sbPrintClick);
  connect(sbSpeichern, &QPushButton::clicked, this, &TfrSuchen::sbSpeichernClick);
  connect(sbExit, &QPushButton::clicked, this, &QDialog::accept);
  connect(sg1, &ui::StringGrid::geklickt, this, [this](int spalte, int zeile, Qt::MouseButton) {
    if (spalte != kSuchSpalteMarke || zeile < 1 || zeile >= tabelle_.zeilen()) return;
    tabelle_.setZelle(kSuchSpalteMarke, zeile, tabelle_.zelle(kSuchSpalteMarke, zeile) == kMarke ? "" : kMarke);
    sg1->zeilenAktualisieren(zeile, zeile);
  });
  sbSuchen->installEventFilter(this);
  ui::EscapeSchliesstNicht(this);
  felderFuellen();
  resize(1190, 800);
}

TfrSuchen::~TfrSuchen() { sg1->setTabelle(nullptr); }

bool TfrSuchen::plz() const { return rdPLZ->isChecked(); }

void TfrSuchen::felderFuellen() {
  const auto& liste = plz() ? PLZSuchFelder() : StrassenSuchFelder();
  cbSuchen->clear();
  cbSuchen2->clear();
  for (const auto& f : liste) cbSuchen->addItem(QString::fromStdString(f));
  for (std::size_t i = plz() ? 1 : 0; i < liste.size(); ++i) cbSuchen2->addItem(QString::fromStdString(liste[i]));
  cbSuchen->setCurrentText(plz() ? QStringLiteral("2xPLZ") : QStringLiteral("Strasse"));
  cbSuchen2->setCurrentIndex(-1);
}

void TfrSuchen::spaltenEinstellen() {
  tabelle_.setFesteZeilen(1);
  tabelle_.setFesteSpalten(1);
  for (int c = 0; c < kSuchSpalten; ++c) {
    tabelle_.setZelle(c, 0, kTitel[c]);
    tabelle_.setBreite(c, plz() ? kPLZBreiten[c] : kStrassenBreiten[c]);
  }
  if (!plz()) {
    tabelle_.setZelle(16, 0, "Ab Nr");
    tabelle_.setZelle(17, 0, "Bis Nr");
  }
  sg1->aktualisieren();
}

void TfrSuchen::dateiAnzeigen() {
  const std::string datei = plz() ? db_.plzDatei() : db_.strassenDatei();
  const QString name = QString::fromStdString(db_.OrdnerPfad + DateiNameTeil(datei));
  const QString text = QStringLiteral("Datei: ") + name + QStringLiteral("   n = ") +
                       QString::number(plz() ? db_.PLZAnzahl : db_.StrassenZahl);
  lbZahl->setText(text);
  setWindowTitle((plz() ? QStringLiteral(" Suchen in PLZ-Datenbank  ") : QStringLiteral(" Suchen in Strassen-Datenbank  ")) + text);
  // The postal codes can always be searched again, also after an empty street file.
  sbSuchen->setEnabled(true);
  if (!plz() && db_.StrassenZahl == 0) {
    sbSuchen->setEnabled(false);
    sbPrint->setEnabled(false);
    sbSpeichern->setEnabled(false);
    ui::Hinweis(QStringLiteral("Datei ") + name + QStringLiteral(" nicht gefunden"));
    return;
  }
  status_->setText(0, QStringLiteral(" Prüfen ") + name);
  status_->setText(1, QStringLiteral("Mit ESC-Taste abbrechen"));
}

void TfrSuchen::showEvent(QShowEvent* e) {
  Tag = 0;
  edAbNr->setText(QStringLiteral("1"));
  doppelSuche_ = false;
  TabelleLeeren(tabelle_);
  spaltenEinstellen();
  sbPrint->setEnabled(false);
  sbSpeichern->setEnabled(false);
  if (const QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
  QDialog::showEvent(e);
  dateiAnzeigen();
}

void TfrSuchen::resizeEvent(QResizeEvent* e) {
  status_->setBreite(0, width() / 2);
  QDialog::resizeEvent(e);
}

void TfrSuchen::rdPLZClick() {
  TabelleLeeren(tabelle_);
  doppelSuche_ = false;
  felderFuellen();
  spaltenEinstellen();
  sbPrint->setEnabled(false);
  sbSpeichern->setEnabled(false);
  dateiAnzeigen();
}

QString TfrSuchen::suchenHinweis() const {
  if (plz() && cbSuchen->currentText() == QStringLiteral("2xPLZ")) return QStringLiteral("Suchen doubelten PLZ");
  return QStringLiteral("Suchen Zeichenkette \"") + edSuchen->text() + QStringLiteral("\" in ") + cbSuchen->currentText();
}

bool TfrSuchen::eventFilter(QObject* ziel, QEvent* e) {
  if (ziel == sbSuchen && (e->type() == QEvent::ToolTip || e->type() == QEvent::Enter)) sbSuchen->setToolTip(suchenHinweis());
  return QDialog::eventFilter(ziel, e);
}

bool TfrSuchen::tasteRunter(int taste, Qt::KeyboardModifiers mod) {
  if (!(mod & Qt::ControlModifier)) return false;
  if (taste == Qt::Key_Delete) {
    // Ctrl+Delete empties the current column in every data row.
    const int spalte = sg1->aktuelleSpalte();
    for (int r = 1; r < tabelle_.zeilen(); ++r) tabelle_.setZelle(spalte, r, "");
  } else if (taste == Qt::Key_Insert) {
    for (int r = 1; r < tabelle_.zeilen(); ++r) tabelle_.setZelle(kSuchSpalteMarke, r, kMarke);
  } else {
    return false;
  }
  sg1->zeilenAktualisieren(1, tabelle_.zeilen() - 1);
  return true;
}

void TfrSuchen::sbSuchenClick() {
  const bool doppelt = plz() && cbSuchen->currentText() == QStringLiteral("2xPLZ");
  if (edSuchen->text().isEmpty() && !doppelt) {
    ui::Hinweis(QStringLiteral("Suchkette eingeben"));
    edSuchen->setFocus();
    return;
  }
  sg1->editorSchliessen();
  TabelleZellenLeeren(tabelle_);
  tabelle_.setZeilen(2);
  spaltenEinstellen();
  SuchAuftrag a;
  a.plz = plz();
  a.feld = cbSuchen->currentText().toStdString();
  a.text = ui::ZuCp1252(edSuchen->text());
  a.genau = cbGenau->isChecked();
  a.feld2 = cbSuchen2->currentIndex() >= 0 ? cbSuchen2->currentText().toStdString() : std::string();
  a.text2 = ui::ZuCp1252(edSuchen2->text());
  a.start = std::max(1, TextZuZahl(ui::ZuCp1252(edAbNr->text())));
  SuchErgebnis e;
  {
    ui::Lauf lauf(ProgressBar1, status_.get(), ui::Lauf::Escape::Nachfragen);
    lauf.setAbbruchFrage(plz() ? QStringLiteral("Suchen abbrechen?") : QStringLiteral("Überprüfung abbrechen?"));
    lauf.ausfuehren([&] { e = doppelt ? DoppeltePLZ(db_, a.start, lauf) : FeldSuchen(db_, a, lauf); });
  }
  ProgressBar1->hide();
  doppelSuche_ = doppelt;
  const auto n = static_cast<int>(e.positionen.size());
  if (n > 0) tabelle_.setZeilen(n + 1);
  int markiert = 0;
  for (int i = 0; i < n; ++i) {
    const auto k = static_cast<std::size_t>(e.positionen[static_cast<std::size_t>(i)]);
    std::vector<std::string> zeile = plz() ? PLZSuchZeile(db_.PLZTabelle[k], static_cast<std::int32_t>(k))
                                           : StrassenSuchZeile(db_.StrassenTabelle[k], static_cast<std::int32_t>(k), SuchLand(db_));
    zeile[0] = std::to_string(i + 1);
    if (!e.markiert[static_cast<std::size_t>(i)]) zeile[kSuchSpalteMarke].clear();
    markiert += e.markiert[static_cast<std::size_t>(i)] ? 1 : 0;
    tabelle_.setZeile(i + 1, zeile);
  }
  if (doppelt) tabelle_.setBreite(kSuchSpalteDBNr, 60);
  tabelle_.setBreite(0, std::max(45, sg1->fontMetrics().horizontalAdvance(QString::number(n)) + 10));
  sg1->aktualisieren();
  if (n > 0) sg1->setAktuelleZelle(1, n);
  sbPrint->setEnabled(n > 0);
  sbSpeichern->setEnabled(n > 0);
  if (doppelt) {
    ui::Hinweis(n == 0 ? QStringLiteral("Keine Doppelte PLZ gefunden") : QString::number(markiert) + QStringLiteral(" Doppelte PLZ gefunden."));
  } else {
    ui::Hinweis(n == 0 ? QStringLiteral("Keine Einträge gefunden") : QString::number(n) + QStringLiteral(" Einträge gefunden"));
  }
}

QString TfrSuchen::druckTitel() const {
  // What was searched, where, and how much was found.
  QString t = (rdPLZ->isChecked() ? QStringLiteral("PLZ-Suche") : QStringLiteral("Straßensuche")) + QStringLiteral(": ") +
              cbSuchen->currentText();
  if (!edSuchen->text().isEmpty()) t += QStringLiteral(" „") + edSuchen->text() + QStringLiteral("“");
  if (!edSuchen2->text().isEmpty()) t += QStringLiteral(", ") + cbSuchen2->currentText() + QStringLiteral(" „") + edSuchen2->text() + QStringLiteral("“");
  const int n = std::max(0, tabelle_.zeilen() - 1);
  return t + QStringLiteral(" – ") + QString::number(n) + (n == 1 ? QStringLiteral(" Eintrag") : QStringLiteral(" Einträge"));
}

void TfrSuchen::sbPrintClick() {
  for (const int c : kNichtDrucken) tabelle_.setBreite(c, Tabelle::kVerborgen);
  QPrinter drucker(QPrinter::HighResolution);
  if (ui::dialoge().drucken(drucker)) {
    ui::DruckOptionen o;
    o.ersteZeile = 1;
    o.zeilenHoehe = sg1->verticalHeader()->defaultSectionSize();
    o.linkerRand = 10;
    o.obererRand = 50;
    o.massstab = 0.53;
    o.seitenBreite = true;
    o.titel = druckTitel();
    ui::TabelleDrucken(drucker, tabelle_, sg1->font(), sg1->festeFarbe(), o);
  }
  spaltenEinstellen();
}

void TfrSuchen::sbSpeichernClick() {
  if (db_.Land.empty()) return;
  sg1->editorSchliessen();
  const std::vector<int> markiert = MarkierteZeilen(tabelle_);
  if (markiert.empty()) {
    ui::Hinweis(QStringLiteral("Datensätze auswählen"));
    return;
  }
  const QString datei = QString::fromStdString(plz() ? db_.plzDatei() : db_.strassenDatei());
  const std::vector<int> geleert = GeleerteZeilen(tabelle_);
  std::vector<int> loeschen;
  QString frage;
  // Only marked rows go; the question counts what is deleted.
  if (doppelSuche_) {
    loeschen = markiert;
    frage = QString::number(loeschen.size()) + QStringLiteral(" Datensätze in ") + datei + QStringLiteral(" löschen?");
  } else if (!geleert.empty()) {
    loeschen = geleert;
    frage = QString::number(loeschen.size()) + QStringLiteral(" Datensätze in ") + datei + QStringLiteral(" löschen?");
  } else {
    frage = QString::number(markiert.size()) + QStringLiteral(" Datensätze in ") + datei + QStringLiteral(" speichern?");
  }
  if (!ui::FrageJaNein(frage)) return;
  bool geschrieben = false;
  {
    ui::Lauf lauf(ProgressBar1, status_.get(), loeschen.empty() ? ui::Lauf::Escape::Nachfragen : ui::Lauf::Escape::Aus);
    sg1->setBeschaeftigt(true);
    geschrieben = lauf.ausfuehren([&] {
      if (loeschen.empty()) {
        ZeilenZurueckschreiben(db_, plz(), tabelle_, lauf);
      } else {
        ZeilenLoeschen(db_, plz(), tabelle_, loeschen, lauf);
      }
    });
    sg1->setBeschaeftigt(false);
  }
  ProgressBar1->hide();
  if (!geschrieben) return;
  // The owner of the data loads the file again.
  Tag = 1;
  accept();
}

}  // namespace orvano
