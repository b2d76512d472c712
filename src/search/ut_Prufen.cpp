#include "ut_Prufen.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "Pruefen.h"
#include "Suchen.h"
#include "core/Dateien.h"
#include "core/Datenbestand.h"
#include "core/Texte.h"
#include "ui/Dialoge.h"
#include "ui/Knopf.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ui/Warten.h"

namespace orvano {

namespace {

constexpr int kSpalten = 18;
constexpr int kSpaltePosition = 10;

}  // namespace

TfrPrufen::TfrPrufen(Datenbestand& db, QWidget* eltern) : QDialog(eltern), db_(db), tabelle_(kSpalten, 2) {
  setObjectName("frPrufen");
  setWindowTitle(QStringLiteral(" Prüfen"));
  auto* v = new QVBoxLayout(this);
  auto* knoepfe = new QHBoxLayout;
  edAbNr = new QLineEdit(QStringLiteral("1"), this);
  edAbNr->setMaximumWidth(80);
  sbPrufen = ui::Knopf(this, QStringLiteral("Prüfen"), QString());
  sbLoschen = ui::Knopf(this, QStringLiteral("Löschen"), QStringLiteral("Löschen und speichern in DB"));
  sbExit = ui::Knopf(this, QStringLiteral("Exit"), QStringLiteral("Fenster schließen"));
  knoepfe->addStretch(1);
  knoepfe->addWidget(new QLabel(QStringLiteral("Ab Nr"), this));
  for (QWidget* w : std::initializer_list<QWidget*>{edAbNr, sbPrufen, sbLoschen, sbExit}) knoepfe->addWidget(w);
  knoepfe->addStretch(1);
  v->addLayout(knoepfe);
  lbZahl = new QLabel(this);
  v->addWidget(lbZahl);
  StringGrid1 = new ui::StringGrid(this);
  StringGrid1->setTabelle(&tabelle_);
  StringGrid1->setBearbeitbar(true);
  v->addWidget(StringGrid1, 1);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->hide();
  StatusBar1 = new QStatusBar(this);
  StatusBar1->hide();
  StatusBar2 = new QStatusBar(this);
  StatusBar2->hide();
  status1_ = std::make_unique<ui::StatusLeiste>(StatusBar1, 2);
  status2_ = std::make_unique<ui::StatusLeiste>(StatusBar2, 3);
  v->addWidget(ProgressBar1);
  v->addWidget(StatusBar1);
  v->addWidget(StatusBar2);
  connect(sbPrufen, &QPushButton::clicked, this, &TfrPrufen::sbPrufenClick);
  connect(sbLoschen, &QPushButton::clicked, this, &TfrPrufen::sbLoschenClick);
  connect(sbExit, &QPushButton::clicked, this, &QDialog::accept);
  ui::EscapeSchliesstNicht(this);
  setWindowState(Qt::WindowMaximized);
}

TfrPrufen::~TfrPrufen() { StringGrid1->setTabelle(nullptr); }

void TfrPrufen::spaltenEinstellen() {
  static const char* const kTitel[kSpalten] = {"LNr", "Ort", "Staat", "Bundesland", "Ortsteil/Stadtteil", "Landkreis",
                                               "Postleitzahl", "Auto-KZ", "Breitengrad", "L\xE4ngengrad", "",
                                               "Regierungsbezirk", "Gemeindeteil", "Verwaltungszusammenschluss",
                                               "Vorwahl", "Strassen", "Ab Bis Nr", "Bis Nr"};
  static const int kPLZBreiten[kSpalten] = {45, 160, -1, 120, 110, 120, 70, 50, 80, 80, -1, -1, -1, -1, 60, 55, -1, -1};
  static const int kStrassenBreiten[kSpalten] = {45, 160, 40, -1, -1, -1, 70, -1, -1, -1, -1, -1, -1, -1, -1, 200, 60, 60};
  tabelle_.setFesteZeilen(1);
  tabelle_.setFesteSpalten(1);
  for (int c = 0; c < kSpalten; ++c) {
    tabelle_.setZelle(c, 0, kTitel[c]);
    tabelle_.setBreite(c, plz_ ? kPLZBreiten[c] : kStrassenBreiten[c]);
  }
  if (!plz_) tabelle_.setZelle(16, 0, "Ab Nr");
}

void TfrPrufen::showEvent(QShowEvent* e) {
  Tag = 0;
  edAbNr->setText(QStringLiteral("1"));
  TabelleLeeren(tabelle_);
  spaltenEinstellen();
  StringGrid1->aktualisieren();
  const std::string datei = plz_ ? db_.plzDatei() : db_.strassenDatei();
  const QString name = QString::fromStdString(db_.OrdnerPfad + DateiNameTeil(datei));
  const QString text = QStringLiteral("Datei: ") + name + QStringLiteral("   n = ") +
                       QString::number(plz_ ? db_.PLZAnzahl : db_.StrassenZahl);
  lbZahl->setText(text);
  setWindowTitle((plz_ ? QStringLiteral(" Prüfen PLZ-Datenbank  ") : QStringLiteral(" Prüfen Strassen-Datenbank  ")) + text);
  sbPrufen->setEnabled(true);
  sbLoschen->setEnabled(false);
  QDialog::showEvent(e);
  if (!plz_ && db_.StrassenZahl == 0) {
    sbPrufen->setEnabled(false);
    ui::Hinweis(QStringLiteral("Datei ") + name + QStringLiteral(" nicht gefunden"));
    return;
  }
  status1_->setText(0, QStringLiteral(" Prüfen ") + name);
  status1_->setText(1, QStringLiteral("Mit ESC-Taste abbrechen"));
}

void TfrPrufen::resizeEvent(QResizeEvent* e) {
  // Panel 0 takes half the width; the buttons stay centred by their layout.
  status1_->setBreite(0, width() / 2);
  QDialog::resizeEvent(e);
}

void TfrPrufen::sbPrufenClick() {
  std::int32_t ab = 0;
  const std::string text = BlanksAbschneiden(ui::ZuCp1252(edAbNr->text()));
  if (!text.empty() && (!GanzzahlLesen(text, ab) || ab < 0)) {
    // "1O" is no start number: the check would start somewhere the user did not ask for.
    ui::Meldung(QStringLiteral("\"Ab Nr\" muss eine Zahl sein: \"") + edAbNr->text() + QStringLiteral("\""));
    edAbNr->setFocus();
    return;
  }
  const std::int32_t start = std::max(1, ab);
  PruefErgebnis e;
  {
    ui::Lauf lauf(ProgressBar1, status1_.get(), ui::Lauf::Escape::Nachfragen);
    lauf.setAbbruchFrage(QStringLiteral("Überprüfung abbrechen?"));
    lauf.ausfuehren([&] { e = plz_ ? PLZDoppelte(db_, start, lauf) : StrassenDoppelte(db_, start, lauf); });
  }
  ProgressBar1->hide();
  TabelleLeeren(tabelle_);
  if (!e.positionen.empty()) tabelle_.setZeilen(static_cast<int>(e.positionen.size()) + 1);
  for (std::size_t i = 0; i < e.positionen.size(); ++i) {
    const auto k = static_cast<std::size_t>(e.positionen[i]);
    std::vector<std::string> zeile = plz_ ? PLZPruefZeile(db_.PLZTabelle[k], e.positionen[i])
                                          : StrassenPruefZeile(db_.StrassenTabelle[k], e.positionen[i], SuchLand(db_));
    zeile[0] = std::to_string(i + 1);
    tabelle_.setZeile(static_cast<int>(i) + 1, zeile);
  }
  tabelle_.setBreite(0, std::max(45, StringGrid1->fontMetrics().horizontalAdvance(QString::number(e.positionen.size())) + 8));
  StringGrid1->aktualisieren();
  sbLoschen->setEnabled(!e.positionen.empty());
  ui::Hinweis(QString::fromStdString(PruefMeldung(e.positionen.size())));
}

void TfrPrufen::sbLoschenClick() {
  std::vector<std::int32_t> positionen;
  for (int r = 1; r < tabelle_.zeilen(); ++r) {
    const std::int32_t p = TextZuZahl(tabelle_.zelle(kSpaltePosition, r));
    if (p > 0) positionen.push_back(p);
  }
  if (!ui::FrageJaNein(QString::number(positionen.size()) + QStringLiteral(" Doppelte Einträge löschen?"))) return;
  ui::FensterRueckfragen fragen;
  bool geschrieben = false;
  {
    ui::Lauf lauf(ProgressBar1, nullptr, ui::Lauf::Escape::Aus);
    geschrieben = lauf.ausfuehren([&] {
      if (plz_) {
        PLZDoppelteLoeschen(db_, positionen, lauf, fragen);
      } else {
        StrassenDoppelteLoeschen(db_, positionen, lauf, fragen);
      }
    });
  }
  ProgressBar1->hide();
  if (!geschrieben) return;
  Tag = 1;
  if (!plz_ && optimieren) optimieren(ProgressBar1, status2_.get());
  accept();
}

}  // namespace orvano
