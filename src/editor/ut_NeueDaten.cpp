#include "ut_NeueDaten.h"

#include <QHBoxLayout>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollBar>
#include <QVBoxLayout>

#include "SeitenRaster.h"
#include "Vergleich.h"
#include "core/Dateien.h"
#include "core/SeitenDatei.h"
#include "ui/Dialoge.h"
#include "ui/Knopf.h"
#include "ui/StringGrid.h"
#include "ui/Warten.h"

namespace orvano {

TfrNeueDaten::TfrNeueDaten(QWidget* eltern) : QDialog(eltern) {
  setObjectName("frNeueDaten");
  setWindowTitle(QStringLiteral(" Neue Daten"));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  auto* v = new QVBoxLayout(this);
  auto* raster = new QHBoxLayout;
  raster->setSpacing(0);
  sg1 = new ui::StringGrid(this);
  sg1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  sg1->setTabelle(&tabelle_);
  sg1->setBearbeitbar(false);
  sgh1 = new QScrollBar(Qt::Vertical, this);
  sgh1->setFixedWidth(25);
  raster->addWidget(sg1, 1);
  raster->addWidget(sgh1);
  v->addLayout(raster, 1);
  auto* leiste = new QHBoxLayout;
  sbSpeichern = ui::Knopf(this, QStringLiteral("Speichern"), QString());
  sbExit = ui::Knopf(this, QStringLiteral("Exit"), QStringLiteral("Fenster schließen"));
  leiste->addStretch(1);
  leiste->addWidget(sbSpeichern);
  leiste->addWidget(sbExit);
  v->addLayout(leiste);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->hide();
  v->addWidget(ProgressBar1);

  connect(sgh1, &QScrollBar::valueChanged, this, [this](int wert) {
    anfang_ = wert;
    fuellen();
  });
  sg1->tasteRunter = [this](int taste, Qt::KeyboardModifiers) {
    const int zeilen = tabelle_.zeilen() - 1;
    const auto ziel = TastenZiel(taste, Position, n_, zeilen);
    if (!ziel) return false;
    // Down on the last row moves the page by one record, as in the editor.
    if (taste == Qt::Key_Down && sg1->aktuelleZeile() == zeilen && anfang_ + zeilen < n_) sgh1->setValue(static_cast<int>(anfang_ + 1));
    zumSatz(*ziel);
    return true;
  };
  connect(sg1, &ui::StringGrid::geklickt, this, [this](int, int zeile, Qt::MouseButton) { Position = anfang_ + zeile; });
  connect(sbSpeichern, &QPushButton::clicked, this, &TfrNeueDaten::sbSpeichernClick);
  connect(sbExit, &QPushButton::clicked, this, &QDialog::reject);
  ui::EscapeSchliesstNicht(this);
  resize(1000, 700);
}

TfrNeueDaten::~TfrNeueDaten() { sg1->setTabelle(nullptr); }

void TfrNeueDaten::vorbereiten(const std::string& neuDatei, EditorArt art, bool ohneDE, const std::string& ziel) {
  datei_ = neuDatei;
  art_ = art;
  ohneDE_ = ohneDE;
  ziel_ = ziel;
  angehaengt_ = false;
  setWindowState(windowState() | Qt::WindowMaximized);
}

void TfrNeueDaten::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  anzeigen();
}

void TfrNeueDaten::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  if (isVisible()) anzeigen();
}

void TfrNeueDaten::anzeigen() {
  EditorSpaltenSetzen(tabelle_, art_, ohneDE_);
  tabelle_.setZeilen(PassendeZeilen(sg1, tabelle_) + 1);
  n_ = EditorAnzahl(datei_, art_);
  {
    const QSignalBlocker ruhe(sgh1);
    BlaetterBereich(sgh1, n_, tabelle_.zeilen() - 1);
    sgh1->setValue(0);
  }
  anfang_ = 0;
  fuellen();
  Position = 1;
  sg1->setAktuelleZelle(1, 1);
}

void TfrNeueDaten::fuellen() {
  try {
    EditorSeiteLesen(tabelle_, art_, datei_, anfang_);
  } catch (const std::exception& e) {
    ui::Meldung(QString::fromStdString(e.what()));
  }
  LnrBreiteSetzen(sg1, tabelle_, tabelle_.zeilen() - 1 + n_);
  sg1->aktualisieren();
}

void TfrNeueDaten::zumSatz(std::int64_t k) {
  const int zeilen = tabelle_.zeilen() - 1;
  if (k < 1 || k > n_) return;
  if (k <= anfang_ || k > anfang_ + zeilen) sgh1->setValue(static_cast<int>(k - 1));
  Position = k;
  sg1->setAktuelleZelle(std::max(1, sg1->aktuelleSpalte()), static_cast<int>(k - anfang_));
}

void TfrNeueDaten::sbSpeichernClick() {
  if (!DateiVorhanden(datei_)) return;
  if (!ui::FrageJaNein(QStringLiteral("Datei ") + QString::fromStdString(ziel_) + QStringLiteral(" speichern?"))) return;
  {
    // The run keeps every close away from the window: it ends before the window closes.
    ui::Lauf lauf(ProgressBar1, nullptr, ui::Lauf::Escape::Aus);
    if (!lauf.ausfuehren([&] { RecordsAnhaengen(datei_, ziel_, art_, lauf); })) return;
  }
  angehaengt_ = true;
  accept();
}

void TfrNeueDaten::done(int ergebnis) {
  DateiLoeschen(datei_);
  QDialog::done(ergebnis);
}

}  // namespace orvano
