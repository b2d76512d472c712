// TfrDBBearbeiten: the window, its sides, and how a page is sized and filled from the file.
#include "ut_DBBearbeiten.h"

#include "core/AnhangJournal.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QCoreApplication>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "core/Dateien.h"
#include "core/Pfade.h"
#include "core/Records.h"
#include "core/SeitenDatei.h"
#include "SeitenRaster.h"
#include "ut_Ersetzen.h"
#include "ut_NeueDaten.h"
#include "ui/Dialoge.h"
#include "ui/Knopf.h"
#include "folders/OrdnerAuswahl.h"
#include "ui/StringGrid.h"
#include "ui/ZellenVerlauf.h"
#include "ui/Text.h"
#include "ui/Warten.h"

namespace orvano {

namespace {

// Side 1 in green tones, side 2 in yellow: the fixed cells, the current column, the current row.
const QColor kFest[2] = {QColor(0xC8, 0xF0, 0xC8), QColor(0xFF, 0xF4, 0xB0)};
const QColor kSpalte[2] = {QColor(0xE6, 0xFF, 0xE6), QColor(0xFF, 0xFF, 0xE0)};
const QColor kZeile[2] = {QColor(0x9C, 0xF0, 0x9C), QColor(0xFF, 0xF0, 0x70)};

}  // namespace

TfrDBBearbeiten::TfrDBBearbeiten(const Datenbestand& db, QWidget* eltern) : QDialog(eltern), db_(db) {
  setObjectName("frDBBearbeiten");
  setWindowTitle(QStringLiteral(" DB-Bearbeiten"));
  setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
  auto* v = new QVBoxLayout(this);
  splitter_ = new QSplitter(Qt::Horizontal, this);
  splitter_->setChildrenCollapsible(false);
  splitter_->addWidget(seiteAnlegen(1));
  splitter_->addWidget(seiteAnlegen(2));
  v->addWidget(splitter_, 1);

  auto* leiste = new QHBoxLayout;
  cbEdit = new QCheckBox(QStringLiteral("Edit"), this);
  sbGleich = ui::Knopf(this, QStringLiteral("Gleich"), QStringLiteral("Unterschiede suchen"));
  sbNeueSuchen = ui::Knopf(this, QStringLiteral("Suchen"), QStringLiteral("Neue Daten suchen"));
  sbSpeichern1 = ui::Knopf(this, QStringLiteral("Speichern 1"), QStringLiteral("Datei 1 speichern"));
  sbSpeichern2 = ui::Knopf(this, QStringLiteral("Speichern 2"), QStringLiteral("Datei 2 speichern"));
  sbErsetzen = ui::Knopf(this, QStringLiteral("Ersetzen"), QStringLiteral("Ersetzen"));
  sbExit = ui::Knopf(this, QStringLiteral("Exit"), QStringLiteral("Fenster schließen"));
  speichernAus();
  leiste->addWidget(cbEdit);
  leiste->addStretch(1);
  for (QPushButton* b : {sbGleich, sbNeueSuchen, sbSpeichern1, sbSpeichern2, sbErsetzen, sbExit}) leiste->addWidget(b);
  v->addLayout(leiste);
  ui::Leisten leisten = ui::LeistenAnlegen(this, v, 2);
  ProgressBar1 = leisten.balken;
  StatusBar1 = leisten.leiste;
  status_ = std::move(leisten.status);

  s(1).sbSpeichern = sbSpeichern1;
  s(2).sbSpeichern = sbSpeichern2;
  cbOrdner1 = s(1).cbOrdner, cbOrdner2 = s(2).cbOrdner;
  cbLand1 = s(1).cbLand, cbLand2 = s(2).cbLand;
  rdPLZ1 = s(1).rdPLZ, rdPLZ2 = s(2).rdPLZ;
  rdStrassen1 = s(1).rdStrassen, rdStrassen2 = s(2).rdStrassen;
  lbZ1 = s(1).lbZ, lbZ2 = s(2).lbZ;
  edSuchen1 = s(1).edSuchen, edSuchen2 = s(2).edSuchen;
  sbSuchen1 = s(1).sbSuchen, sbSuchen2 = s(2).sbSuchen;
  cbGenau1 = s(1).cbGenau, cbGenau2 = s(2).cbGenau;
  sg1 = s(1).sg, sg2 = s(2).sg;
  sgh1 = s(1).sgh, sgh2 = s(2).sgh;

  verbinden(1);
  verbinden(2);
  connect(cbEdit, &QCheckBox::clicked, this, [this] {
    sg1->setBearbeitbar(cbEdit->isChecked());
    sg2->setBearbeitbar(cbEdit->isChecked());
    speichernAus();
  });
  connect(sbSpeichern1, &QPushButton::clicked, this, [this] { sbSpeichernClick(1); });
  connect(sbSpeichern2, &QPushButton::clicked, this, [this] { sbSpeichernClick(2); });
  connect(sbExit, &QPushButton::clicked, this, &TfrDBBearbeiten::sbExitClick);
  connect(sbNeueSuchen, &QPushButton::clicked, this, &TfrDBBearbeiten::sbNeueSuchenClick);
  connect(sbErsetzen, &QPushButton::clicked, this, &TfrDBBearbeiten::sbErsetzenClick);
  sbGleich->installEventFilter(this);
  frNeueDaten = new TfrNeueDaten(this);
  frErsetzen = new TfrErsetzen(db_, this);
  ui::EscapeSchliesstNicht(this);
  resize(1200, 760);
}

TfrDBBearbeiten::~TfrDBBearbeiten() {
  sg1->setTabelle(nullptr);
  sg2->setTabelle(nullptr);
}

QWidget* TfrDBBearbeiten::seiteAnlegen(int seite) {
  Seite& x = s(seite);
  const QString nr = QString::number(seite);
  x.panel = new QWidget(this);
  x.panel->setMinimumWidth(20);
  auto* v = new QVBoxLayout(x.panel);
  v->setContentsMargins(0, 0, 0, 0);
  auto* kopf = new QHBoxLayout;
  x.cbOrdner = new QComboBox(x.panel);
  x.cbOrdner->setObjectName("cbOrdner" + nr);
  x.cbOrdner->setMaxVisibleItems(25);
  x.cbOrdner->setMinimumWidth(110);
  x.cbLand = new QComboBox(x.panel);
  x.cbLand->setObjectName("cbLand" + nr);
  for (std::string_view l : {kDeutschland, kOesterreich, kSchweiz}) x.cbLand->addItem(ui::AusCp1252(l));
  x.rdPLZ = new QRadioButton(QStringLiteral("PLZ Datenbank"), x.panel);
  x.rdStrassen = new QRadioButton(QStringLiteral("Strassen Datenbank"), x.panel);
  x.rdPLZ->setChecked(true);
  auto* gruppe = new QButtonGroup(x.panel);
  gruppe->addButton(x.rdPLZ);
  gruppe->addButton(x.rdStrassen);
  x.lbZ = new QLabel(x.panel);
  kopf->addWidget(x.cbOrdner);
  kopf->addWidget(x.cbLand);
  kopf->addWidget(x.rdPLZ);
  kopf->addWidget(x.rdStrassen);
  kopf->addWidget(x.lbZ, 1);
  v->addLayout(kopf);
  auto* suche = new QHBoxLayout;
  x.edSuchen = new QLineEdit(x.panel);
  x.sbSuchen = ui::Knopf(x.panel, QStringLiteral("Suchen"), QStringLiteral("Suchen"));
  x.cbGenau = new QCheckBox(QStringLiteral("Genau"), x.panel);
  x.cbGenau->setToolTip(QStringLiteral("Genau"));
  suche->addWidget(x.edSuchen, 1);
  suche->addWidget(x.sbSuchen);
  suche->addWidget(x.cbGenau);
  v->addLayout(suche);
  auto* raster = new QHBoxLayout;
  raster->setSpacing(0);
  x.sg = new ui::StringGrid(x.panel);
  x.sg->setObjectName("sg" + nr);
  x.sg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  x.sg->setFesteFarbe(kFest[seite - 1]);
  x.sg->setTabelle(&x.tabelle);
  x.verlauf = new ui::ZellenVerlauf(x.sg, x.panel);
  // Back at the page as read, there is nothing to save.
  x.verlauf->nachSchritt = [this, seite](bool sauber) {
    Seite& y = s(seite);
    y.sbSpeichern->setEnabled(!sauber && cbEdit->isChecked() && !y.cbOrdner->currentText().isEmpty());
  };
  x.sgh = new QScrollBar(Qt::Vertical, x.panel);
  x.sgh->setObjectName("sgh" + nr);
  x.sgh->setFixedWidth(25);
  x.sgh->setRange(0, 0);
  raster->addWidget(x.sg, 1);
  raster->addWidget(x.sgh);
  v->addLayout(raster, 1);
  return x.panel;
}

void TfrDBBearbeiten::verbinden(int seite) {
  Seite& x = s(seite);
  auto wechsel = [this, seite] {
    if (!ruhe_) seiteWechseln(seite);
  };
  connect(x.cbOrdner, &QComboBox::currentIndexChanged, this, wechsel);
  connect(x.cbLand, &QComboBox::currentIndexChanged, this, wechsel);
  connect(x.rdPLZ, &QRadioButton::clicked, this, wechsel);
  connect(x.rdStrassen, &QRadioButton::clicked, this, wechsel);
  connect(x.sgh, &QScrollBar::valueChanged, this, [this, seite](int wert) {
    if (!ruhe_) blaettern(seite, wert);
  });
  x.sg->tasteRunter = [this, seite](int t, Qt::KeyboardModifiers) { return taste(seite, t); };
  x.sg->zellFarbe = [this, seite](int spalte, int zeile) {
    const ui::StringGrid* g = s(seite).sg;
    if (zeile == g->aktuelleZeile()) return kZeile[seite - 1];
    if (spalte == g->aktuelleSpalte()) return kSpalte[seite - 1];
    return QColor(Qt::white);
  };
  connect(x.sg, &ui::StringGrid::geklickt, this, [this, seite](int spalte, int zeile, Qt::MouseButton) { geklickt(seite, spalte, zeile); });
  connect(x.sg, &ui::StringGrid::doppelKlick, this, [this, seite](int spalte, int zeile) {
    s(seite).edSuchen->setText(ui::AusCp1252(s(seite).tabelle.zelle(spalte, zeile)));
  });
  connect(x.sg, &ui::StringGrid::zelleBearbeitet, this, [this, seite] {
    if (cbEdit->isChecked() && !s(seite).cbOrdner->currentText().isEmpty()) s(seite).sbSpeichern->setEnabled(true);
  });
  x.sg->viewport()->installEventFilter(this);
  x.sbSuchen->installEventFilter(this);
  connect(x.edSuchen, &QLineEdit::textChanged, this, [this] { SuchPosition = 0; });
  connect(x.edSuchen, &QLineEdit::returnPressed, this, [this, seite] { suchen(seite, false); });
}

void TfrDBBearbeiten::vorbereiten(const QString& ordner) {
  const QSignalBlocker r1(cbOrdner1);
  OrdnerComboFuellen(cbOrdner1, ordner.toStdString());
  setWindowState(windowState() | Qt::WindowMaximized);
}

std::string TfrDBBearbeiten::DateiVon(const QString& ordner, const QString& land, EditorArt art) {
  if (ordner.isEmpty()) return {};
  const std::string l = ui::ZuCp1252(land);
  if (PLZDateiCode(l).empty()) return {};
  return DatenbankDatei(ordner.toStdString() + kTrenner, l, art == EditorArt::PLZ);
}

char TfrDBBearbeiten::LandVon(const QString& land) {
  const std::string l = ui::ZuCp1252(land);
  return LandBuchstabe(l.empty() ? ' ' : l.front());
}

std::string TfrDBBearbeiten::datei(int seite) const { return DateiVon(s(seite).cbOrdner->currentText(), s(seite).cbLand->currentText(), art(seite)); }

QString TfrDBBearbeiten::dateiText(int seite) const {
  const std::string d = gezeigteDatei(seite);
  return s(seite).ordner + kTrenner + QString::fromStdString(d.substr(d.rfind(kTrenner) + 1));
}

EditorArt TfrDBBearbeiten::art(int seite) const { return s(seite).rdStrassen->isChecked() ? EditorArt::Strassen : EditorArt::PLZ; }

char TfrDBBearbeiten::land(int seite) const { return LandVon(s(seite).cbLand->currentText()); }

std::int64_t TfrDBBearbeiten::anzahl(int seite) const { return s(seite).n; }
std::int64_t TfrDBBearbeiten::seitenAnfang(int seite) const { return s(seite).anfang; }
int TfrDBBearbeiten::datenZeilen(int seite) const { return s(seite).tabelle.zeilen() - 1; }
const Tabelle& TfrDBBearbeiten::seite(int seite) const { return s(seite).tabelle; }

void TfrDBBearbeiten::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  oeffnen();
}

void TfrDBBearbeiten::oeffnen() {
  ruhe_ = true;
  TabelleZellenLeeren(s(2).tabelle);
  lbZ1->clear();
  lbZ2->clear();
  {
    const QSignalBlocker r2(cbOrdner2);
    OrdnerComboFuellen(cbOrdner2, cbOrdner1->currentText().toStdString());
    cbOrdner2->setCurrentIndex(-1);
  }
  ruhe_ = false;
  seiteWechseln(1);
  spaltenEinstellen(2);
  s(2).tabelle.setZeilen(2);
  const int halb = std::max(40, width() / 2);
  splitter_->setSizes({halb, halb});
  seiteBemessen(1);
  seiteBemessen(2);
  s(1).anfang = Tag == 9 ? GespeicherteSeite : 0;
  SuchPosition = s(1).anfang;
  s(2).anfang = 0;
  seiteFuellen(1);
  seiteFuellen(2);
  AktuellerSatz = 1;
  zeileWaehlen(1, 1);
  VergleichsPosition = 1;
  sg1->setBearbeitbar(cbEdit->isChecked());
  sg2->setBearbeitbar(cbEdit->isChecked());
  speichernAus();
  Tag = 0;
  geoeffnet_ = true;
}

void TfrDBBearbeiten::spaltenEinstellen(int seite) {
  Seite& x = s(seite);
  const EditorArt a = art(seite);
  // Austria and Switzerland on side 1 hide the German columns of both sides' postal codes.
  const bool ohneDE = land(1) != 'D';
  EditorSpaltenSetzen(x.tabelle, a, ohneDE);
  if (a == EditorArt::PLZ) {
    setWindowTitle(QLatin1Char(' ') + cbLand1->currentText());
    const int andere = 3 - seite;
    if (art(andere) == EditorArt::PLZ && s(andere).tabelle.spalten() == kEditorPLZSpalten) {
      for (int c = 1; c < kEditorPLZSpalten; ++c) s(andere).tabelle.setBreite(c, EditorSpaltenBreite(a, c, ohneDE));
      s(andere).sg->spaltenAnwenden();
    }
  }
  lnrBreite(seite);
}

void TfrDBBearbeiten::lnrBreite(int seite) { LnrBreiteSetzen(s(seite).sg, s(seite).tabelle, datenZeilen(seite) + s(seite).n); }

void TfrDBBearbeiten::seiteBemessen(int seite) {
  Seite& x = s(seite);
  const int zeilen = PassendeZeilen(x.sg, x.tabelle);
  x.tabelle.setZeilen(zeilen + 1);
  x.sg->aktualisieren();
  x.sgh->setPageStep(zeilen);
  speichernAus();
}

void TfrDBBearbeiten::seiteFuellen(int seite) {
  Seite& x = s(seite);
  const std::string d = datei(seite);
  x.ordner = x.cbOrdner->currentText();
  x.landText = x.cbLand->currentText();
  x.art = art(seite);
  const bool da = !d.empty() && DateiVorhanden(d);
  {
    // The page start must lie within the file before the page is read.
    const QSignalBlocker ruhe(x.sgh);
    BlaetterBereich(x.sgh, da ? EditorAnzahl(d, x.art) : 0,
                    datenZeilen(seite));
    x.anfang = std::min<std::int64_t>(x.anfang, x.sgh->maximum());
    x.sgh->setValue(static_cast<int>(x.anfang));
  }
  x.n = 0;
  try {
    // A killed import of this file is taken back before its records are shown.
    if (da) {
      if (const auto m = AbgebrochenenAnhangZuruecknehmen(d)) ui::Hinweis(QString::fromStdString(*m));
    }
    x.kennung = KennungLesen(d);
    x.n = EditorSeiteLesen(x.tabelle, x.art, d, x.anfang);
  } catch (const std::exception& e) {
    ui::Meldung(QString::fromStdString(e.what()));
  }
  x.lbZ->setText(da ? QStringLiteral("n=") + QString::number(x.n) : QString());
  x.verlauf->leeren();
  lnrBreite(seite);
  x.sg->aktualisieren();
}

void TfrDBBearbeiten::zeileWaehlen(int seite, int zeile) {
  ui::StringGrid* g = s(seite).sg;
  g->setAktuelleZelle(std::max(1, g->aktuelleSpalte()), zeile);
  g->setFocus();
  g->viewport()->update();
}

void TfrDBBearbeiten::speichernAus() {
  sbSpeichern1->setEnabled(false);
  sbSpeichern2->setEnabled(false);
}

void TfrDBBearbeiten::resizeEvent(QResizeEvent* e) {
  QDialog::resizeEvent(e);
  if (!geoeffnet_ || groesseGeplant_) return;
  // One sizing after a burst of resize events, outside the event that caused it.
  groesseGeplant_ = true;
  QTimer::singleShot(0, this, [this] { groesseAnpassen(); });
}

void TfrDBBearbeiten::groesseAnpassen() {
  groesseGeplant_ = false;
  if (!isVisible()) return;
  offeneAenderungenFragen();
  if (!isVisible()) return;
  for (int seite : {1, 2}) {
    seiteBemessen(seite);
    seiteFuellen(seite);
  }
}

bool TfrDBBearbeiten::eventFilter(QObject* ziel, QEvent* e) {
  // Left button forward, any other backward.
  if (ziel == sbGleich && e->type() == QEvent::MouseButtonPress) {
    vergleichen(static_cast<QMouseEvent*>(e)->button() != Qt::LeftButton);
    return true;
  }
  for (int seite : {1, 2}) {
    Seite& x = s(seite);
    // The wheel over a page turns its scroll bar.
    if (ziel == x.sg->viewport() && e->type() == QEvent::Wheel) {
      QCoreApplication::sendEvent(x.sgh, e);
      return true;
    }
    if (ziel != x.sbSuchen) continue;
    if (e->type() == QEvent::Enter) {
      x.sbSuchen->setToolTip(QStringLiteral("Suchen in ") +
                             ui::AusCp1252(EditorSpaltenTitel(art(seite), x.sg->aktuelleSpalte())));
    } else if (e->type() == QEvent::MouseButtonPress) {
      suchen(seite, static_cast<QMouseEvent*>(e)->button() != Qt::LeftButton);
      return true;
    } else if (e->type() == QEvent::MouseButtonRelease) {
      zumSatz(seite, AktuellerSatz);
      return true;
    }
  }
  return QDialog::eventFilter(ziel, e);
}

}  // namespace orvano
