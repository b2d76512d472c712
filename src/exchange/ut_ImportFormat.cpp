#include "ut_ImportFormat.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "ut_Import.h"
#include "core/Dateien.h"
#include "core/Listen.h"
#include "core/Pfade.h"
#include "core/Texte.h"
#include "core/Windows1252.h"
#include "ui/Dialoge.h"
#include "ui/Knopf.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ui/Warten.h"

namespace orvano {

using ui::Knopf;

namespace {

constexpr int kZeileOrt = 1, kZeilePLZ = 6;
const QString kDateiFilter = QStringLiteral("CSV und TXT-Datei (*.csv *.txt);;CSV-Datei (*.csv);;TXT-Datei (*.txt)");

QLineEdit* Feld(QWidget* eltern, int breite = 80) {
  auto* e = new QLineEdit(eltern);
  e->setMaximumWidth(breite);
  return e;
}

}  // namespace

TfrImportFormat::TfrImportFormat(std::function<std::string()> landText, QWidget* eltern)
    : QDialog(eltern), landText_(std::move(landText)), mapping_(3, 17), test_(kImportTabellenSpalten, 2), paare_(3, 2) {
  setObjectName("frImportFormat");
  setWindowTitle(QStringLiteral("  Import-Format"));
  auto* v = new QVBoxLayout(this);

  auto* oben = new QHBoxLayout;
  rdPLZ = new QRadioButton(QStringLiteral("PLZ"), this);
  rdStrassen = new QRadioButton(QStringLiteral("Strassen"), this);
  rdPLZ->setChecked(true);
  cbFormat = new QComboBox(this);
  cbFormat->setToolTip(QStringLiteral("Lese-Format"));
  cbFormat->setMinimumWidth(140);
  edAnzahl = Feld(this, 60);
  edAnzahl->setText(QStringLiteral("1000"));
  edAnzahl->setToolTip(QStringLiteral("Anzahl Zeilen für Test"));
  sbTest = Knopf(this, QStringLiteral("Test"), QStringLiteral("Laden Datei 1"));
  sbRefresh = Knopf(this, QStringLiteral("Refresh"), QStringLiteral("Laden Datei 1 + 2"));
  sbRefresh->setEnabled(false);
  sbCSVLaden = Knopf(this, QStringLiteral("CSV-zeigen"), QStringLiteral("Öffnen CSV-Datei mit Excel"));
  sbSpeichern = Knopf(this, QStringLiteral("Speichern"), QStringLiteral("Speichern *.imp Datei"));
  sbExit = Knopf(this, QStringLiteral("Exit"), QStringLiteral("Fenster schließen"));
  lbLeseFormat = new QLabel(this);
  for (QWidget* w : std::initializer_list<QWidget*>{rdPLZ, rdStrassen, cbFormat, edAnzahl, sbTest, sbRefresh,
                                                    sbCSVLaden, sbSpeichern, sbExit, lbLeseFormat}) {
    oben->addWidget(w);
  }
  oben->addStretch(1);
  v->addLayout(oben);

  auto* mitte = new QHBoxLayout;
  sg1 = new ui::StringGrid(this);
  sg1->setObjectName("sg1");
  mapping_.setFesteSpalten(1);
  mapping_.setZelle(1, 0, " Titel in CSV-Datei");
  mapping_.setZelle(2, 0, " Eingabe");
  for (int i = 0; i < kImportFelder; ++i) {
    mapping_.setZelle(0, i + 1, kImportFeldNamen[static_cast<std::size_t>(i)]);
    mapping_.setZelle(1, i + 1, kImportFeldNamen[static_cast<std::size_t>(i)]);
  }
  mapping_.setBreite(0, 180);
  mapping_.setBreite(1, 200);
  mapping_.setBreite(2, 200);
  sg1->setTabelle(&mapping_);
  sg1->setBearbeitbar(true);
  sg1->modell()->zelleBearbeitbar = [](int spalte, int zeile) {
    return spalte == 1 || zeile == kZeileOrt || zeile == kZeilePLZ;
  };
  sg1->zellFarbe = [](int spalte, int zeile) {
    return spalte == 2 && (zeile == kZeileOrt || zeile == kZeilePLZ) ? ui::StringGrid::kHellgruen : QColor(Qt::white);
  };
  sg1->setMinimumWidth(600);
  mitte->addWidget(sg1, 2);

  auto* rechts = new QGridLayout;
  edDel1 = Feld(this);
  edDel2 = Feld(this);
  edSeparator = Feld(this, 50);
  rechts->addWidget(new QLabel(QStringLiteral("Löschen:"), this), 0, 0);
  rechts->addWidget(edDel1, 0, 1);
  rechts->addWidget(new QLabel(QStringLiteral("Löschen:"), this), 1, 0);
  rechts->addWidget(edDel2, 1, 1);
  rechts->addWidget(new QLabel(QStringLiteral("Separator:"), this), 2, 0);
  rechts->addWidget(edSeparator, 2, 1);
  plVerknupfung = new QWidget(this);
  plVerknupfung->setAutoFillBackground(true);
  auto* vk = new QGridLayout(plVerknupfung);
  vk->addWidget(new QLabel(QStringLiteral("Verknüpfung 2 Dateien:"), plVerknupfung), 0, 0, 1, 2);
  edID = Feld(plVerknupfung, 140);
  cbTitel = new QComboBox(plVerknupfung);
  edIDVerkn = Feld(plVerknupfung, 140);
  sbVerknupfung = Knopf(plVerknupfung, QStringLiteral("Laden"), QStringLiteral("Laden Datei 2"));
  sbRefreshVer = Knopf(plVerknupfung, QStringLiteral("Refresh"), QStringLiteral("Laden Datei 2"));
  sbRefreshVer->setEnabled(false);
  lbVerknupfung = new QLabel(plVerknupfung);
  lbVerknInfo = new QLabel(plVerknupfung);
  lbVerknInfo->setWordWrap(true);
  lbVerknInfo->setAutoFillBackground(true);
  vk->addWidget(new QLabel(QStringLiteral("ID Titel Datei 2:"), plVerknupfung), 1, 0);
  vk->addWidget(edID, 1, 1);
  vk->addWidget(new QLabel(QStringLiteral("Spalte Datei 1:"), plVerknupfung), 2, 0);
  vk->addWidget(cbTitel, 2, 1);
  vk->addWidget(new QLabel(QStringLiteral("Spalte Datei 2:"), plVerknupfung), 3, 0);
  vk->addWidget(edIDVerkn, 3, 1);
  vk->addWidget(sbVerknupfung, 4, 0);
  vk->addWidget(sbRefreshVer, 4, 1);
  vk->addWidget(lbVerknupfung, 5, 0, 1, 2);
  vk->addWidget(lbVerknInfo, 6, 0, 1, 2);
  rechts->addWidget(plVerknupfung, 3, 0, 1, 2);
  lbZahl = new QLabel(this);
  lbZahl2 = new QLabel(this);
  rechts->addWidget(lbZahl, 4, 0, 1, 2);
  rechts->setRowStretch(5, 1);
  mitte->addLayout(rechts, 1);
  v->addLayout(mitte, 2);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setReadOnly(true);
  Memo1->setMaximumHeight(40);
  Memo2 = new QPlainTextEdit(this);
  Memo2->setReadOnly(true);
  Memo2->setMaximumHeight(40);
  v->addWidget(Memo1);
  auto* listen = new QHBoxLayout;
  lbH = new QListWidget(this);
  lbH2 = new QListWidget(this);
  listen->addWidget(lbH, 2);
  plsgH = new QWidget(this);
  auto* h2 = new QVBoxLayout(plsgH);
  h2->setContentsMargins(0, 0, 0, 0);
  h2->addWidget(Memo2);
  h2->addWidget(lbH2);
  h2->addWidget(lbZahl2);
  sgh = new ui::StringGrid(plsgH);
  paare_.setBreite(0, 45);
  paare_.setBreite(1, 100);
  paare_.setBreite(2, 100);
  sgh->setTabelle(&paare_);
  h2->addWidget(sgh);
  plsgH->hide();
  listen->addWidget(plsgH, 1);
  v->addLayout(listen, 1);
  sg0 = new ui::StringGrid(this);
  sg0->setObjectName("sg0");
  sg0->setTabelle(&test_);
  v->addWidget(sg0, 2);
  ui::Leisten leisten = ui::LeistenAnlegen(this, v, 2);
  ProgressBar1 = leisten.balken;
  StatusBar1 = leisten.leiste;
  status_ = std::move(leisten.status);

  connect(rdPLZ, &QRadioButton::clicked, this, [this] { artGewechselt(); });
  connect(rdStrassen, &QRadioButton::clicked, this, [this] { artGewechselt(); });
  connect(cbFormat, qOverload<int>(&QComboBox::activated), this, [this](int) { FormatWaehlen(); });
  connect(sbTest, &QPushButton::clicked, this, [this] { sbTestClick(); });
  connect(sbRefresh, &QPushButton::clicked, this, [this] {
    const QString d = datei1();
    if (DateiVorhanden(d.toStdString())) CSVLesen(d, test_, true, status_.get(), ProgressBar1);
  });
  connect(sbCSVLaden, &QPushButton::clicked, this, [this] {
    const QString d = ui::dialoge().dateiOeffnen({QStringLiteral("CSV-Datei zeigen"), kDateiFilter, {},
                                                  QString::fromStdString(ProgVerzeichnis), {}});
    if (!d.isEmpty()) ui::DokumentOeffnen(d);
  });
  connect(sbSpeichern, &QPushButton::clicked, this, [this] { sbSpeichernClick(); });
  connect(sbExit, &QPushButton::clicked, this, &QDialog::accept);
  connect(sbVerknupfung, &QPushButton::clicked, this, [this] {
    Verknuepfen({}, test_, true, status_.get(), ProgressBar1);
    verknuepfungGewaehlt();
  });
  connect(sbRefreshVer, &QPushButton::clicked, this, [this] { Verknuepfen(Datei2, test_, true, status_.get(), ProgressBar1); });
  connect(cbTitel, &QComboBox::currentTextChanged, this, [this] { VerknuepfungInfo(); });
  connect(sg1, &ui::StringGrid::geklickt, this, [this](int, int zeile, Qt::MouseButton) { letzteZeile_ = zeile; });
  connect(sg1, &ui::StringGrid::doppelKlick, this, [this](int, int zeile) {
    letzteZeile_ = zeile;
    if (letzteZeile_ >= 1 && letzteZeile_ <= kImportFelder) {
      mapping_.setZelle(1, letzteZeile_, mapping_.zelle(0, letzteZeile_));
      sg1->zeilenAktualisieren(letzteZeile_, letzteZeile_);
    }
  });
  for (QObject* o : std::initializer_list<QObject*>{edAnzahl, edID, edIDVerkn, sbTest, sbRefresh}) o->installEventFilter(this);
  TitelListeFuellen();
  sg0Einrichten();
  FormatListeFuellen(cbFormat);
  ui::EscapeSchliesstNicht(this);
  resize(1100, 760);
}

TfrImportFormat::~TfrImportFormat() {
  sg0->setTabelle(nullptr);
  sg1->setTabelle(nullptr);
  sgh->setTabelle(nullptr);
}

bool TfrImportFormat::plz() const { return rdPLZ->isChecked(); }

void TfrImportFormat::sg0Einrichten() {
  ImportTabelleKopf(test_);
  ImportSpaltenBreiten(test_, plz(), !edID->text().isEmpty());
  sg0->aktualisieren();
}

void TfrImportFormat::TitelListeFuellen() {
  const QString alt = cbTitel->currentText();
  cbTitel->clear();
  for (int i = 1; i <= kImportFelder; ++i) cbTitel->addItem(ui::AusCp1252(mapping_.zelle(0, i)));
  if (!alt.isEmpty()) cbTitel->setCurrentText(alt);
}

void TfrImportFormat::FormatListeFuellen(QComboBox* combo) {
  const QSignalBlocker ruhe(combo);
  combo->clear();
  for (const auto& n : FormatListe(plz())) combo->addItem(QString::fromStdString(n));
  combo->setCurrentIndex(combo->count() > 0 ? 0 : -1);
}

ImportFormat TfrImportFormat::format() const {
  ImportFormat f;
  for (int i = 0; i < kImportFelder; ++i) f.titel[static_cast<std::size_t>(i)] = std::string(mapping_.zelle(1, i + 1));
  f.loeschen1 = ui::ZuCp1252(edDel1->text());
  f.loeschen2 = ui::ZuCp1252(edDel2->text());
  f.id = ui::ZuCp1252(edID->text());
  f.idVerkn = ui::ZuCp1252(edIDVerkn->text());
  f.zielFeld = ui::ZuCp1252(cbTitel->currentText());
  f.separator = ui::ZuCp1252(edSeparator->text());
  f.eingabeOrt = std::string(mapping_.zelle(2, kZeileOrt));
  f.eingabePLZ = std::string(mapping_.zelle(2, kZeilePLZ));
  return f;
}

void TfrImportFormat::formatZeigen(const ImportFormat& f) {
  for (int i = 0; i < kImportFelder; ++i) mapping_.setZelle(1, i + 1, f.titel[static_cast<std::size_t>(i)]);
  sg1->zeilenAktualisieren(1, kImportFelder);
  edDel1->setText(ui::AusCp1252(f.loeschen1));
  edDel2->setText(ui::AusCp1252(f.loeschen2));
  edID->setText(ui::AusCp1252(f.id));
  edIDVerkn->setText(ui::AusCp1252(f.idVerkn));
  cbTitel->setCurrentIndex(cbTitel->findText(ui::AusCp1252(f.zielFeld)));
  edSeparator->setText(ui::AusCp1252(f.separator));
  QPalette p = plVerknupfung->palette();
  p.setColor(QPalette::Window, f.id.empty() ? palette().color(QPalette::Window) : QColor(Qt::yellow));
  plVerknupfung->setPalette(p);
}

void TfrImportFormat::FormatLaden(const QString& datei) {
  const std::string pfad = datei.toStdString();
  if (!DateiVorhanden(pfad)) return;
  if (DateiGesperrt(pfad)) {
    ui::Hinweis(datei + QStringLiteral(" ist von anderem Programm geöffnet"));
    return;
  }
  ImportFormat f = format();
  try {
    FormatDateiLaden(pfad, f);
  } catch (const std::exception& fehler) {
    ui::Meldung(QString::fromStdString(fehler.what()));
    return;
  }
  formatZeigen(f);
}

void TfrImportFormat::FormatWaehlen() {
  FormatLaden(QString::fromStdString(FormatDateiName(cbFormat->currentText().toStdString(), plz())));
  if (frImport) frImport->cbFormat->setCurrentText(cbFormat->currentText());
  lbLeseFormat->setText(QStringLiteral("Leseformat: ") + cbFormat->currentText());
  VerknuepfungInfo();
}

void TfrImportFormat::VerknuepfungInfo() {
  const bool gesetzt = !edID->text().isEmpty() && !edIDVerkn->text().isEmpty();
  lbVerknInfo->setText(gesetzt ? QStringLiteral("\"") + cbTitel->currentText() + QStringLiteral("\" in Datei 1 wird durch \"") +
                                     edIDVerkn->text() + QStringLiteral("\" aus Datei 2 ersetzt")
                               : QString());
  QPalette p = lbVerknInfo->palette();
  p.setColor(QPalette::Window, gesetzt ? QColor(Qt::yellow) : palette().color(QPalette::Window));
  lbVerknInfo->setPalette(p);
}

void TfrImportFormat::separatorAusDatei(const QString& datei) {
  if (!edSeparator->text().isEmpty()) return;
  std::string box;
  Trennzeichen(datei.toStdString(), box);
  edSeparator->setText(QString::fromStdString(box));
}

QString TfrImportFormat::datei1() const { return frImport ? frImport->OpenDialog1Datei : QString(); }

CSVLeseErgebnis TfrImportFormat::CSVLesen(const QString& datei, Tabelle& ziel, bool test, ui::StatusLeiste* status,
                                          QProgressBar* balken) {
  const std::string pfad = datei.toStdString();
  CSVLeseErgebnis e;
  if (!DateiVorhanden(pfad)) return e;
  if (frImport) frImport->lbZahl->clear();
  if (test) {
    Memo1->clear();
    lbZahl->clear();
    lbH->clear();
  }
  if (DateiGesperrt(pfad)) {
    ui::Hinweis(datei + QStringLiteral(" ist von anderem Programm geöffnet"));
    return e;
  }
  ImportFormat f = format();
  if (!test && !FormatHatFelder(f)) {
    // Rows without a single column would only look like an import.
    ui::Meldung(QStringLiteral("Das Import-Format nennt keine Spalte"));
    return e;
  }
  CSVLeseOptionen o;
  o.testModus = test;
  o.anzahl = TextZuZahl(ui::ZuCp1252(edAnzahl->text()));
  o.landText = landText_ ? landText_() : std::string();
  o.strassen = rdStrassen->isChecked();
  bool gelesen = false;
  {
    // No other input while reading: "Speichern" must not append a half-read table.
    ui::Lauf lauf(balken, status, ui::Lauf::Escape::Sofort);
    lauf.status(0, QStringLiteral("Werte aus CSV-Datei lesen"));
    lauf.status(1, QStringLiteral("Mit ESC-Taste abbrechen"));
    gelesen = lauf.ausfuehren([&] { e = orvano::CSVLesen(pfad, f, ziel, o, lauf); });
    if (status) status->leiste()->hide();
  }
  if (balken) balken->hide();
  // A file that could not be read (no text, say) has had its message; the table stays empty.
  if (!gelesen) {
    TabelleLeeren(ziel);
    if (frImport && &ziel != &test_) frImport->sg1->aktualisieren();
    return e;
  }
  edSeparator->setText(ui::AusCp1252(f.separator));
  // Column 0 as wide as its largest number needs; the import window as wide as its columns.
  ui::StringGrid* grid = &ziel == &test_ ? sg0 : frImport ? frImport->sg1 : nullptr;
  if (grid) {
    ziel.setBreite(0, std::max(25, grid->fontMetrics().horizontalAdvance(QString::number(e.zeilen)) + 4));
    grid->aktualisieren();
    if (frImport && grid == frImport->sg1) {
      int breite = 0;
      for (int c = 0; c < ziel.spalten(); ++c) breite += std::max(0, ziel.breite(c));
      frImport->resize(std::max(950, breite + 40), frImport->height());
    }
  }
  const QString suffix = QString::fromStdString(OhnePLZText(e.ohnePLZ));
  if (test) {
    Memo1->setPlainText(ui::AusCp1252(e.titelZeile));
    for (const auto& z : e.rohZeilen) lbH->addItem(ui::AusCp1252(z));
    lbZahl->setText(QStringLiteral("n=") + QString::number(std::max(0, lbH->count() - 1)) + suffix);
    sg0Einrichten();
  }
  if (frImport) frImport->lbZahl->setText(QString::number(e.zeilen) + suffix);
  // An empty table says why, so that the user can mend the format or the file.
  if (const std::string grund = KeineZeilenGrund(pfad, f, e); !grund.empty()) ui::Hinweis(QString::fromStdString(grund));
  if (!f.id.empty() && !lbVerknupfung->text().isEmpty()) Verknuepfen(Datei2, ziel, test, status, balken);
  return e;
}

void TfrImportFormat::Verknuepfen(QString datei2, Tabelle& ziel, bool test, ui::StatusLeiste* status, QProgressBar* balken) {
  if (datei2.isEmpty()) {
    datei2 = ui::dialoge().dateiOeffnen({QStringLiteral("Datei 2 öffnen"), kDateiFilter, {},
                                         QString::fromStdString(ProgVerzeichnis), {}});
    if (datei2.isEmpty()) return;
  }
  Datei2 = datei2;
  const std::string pfad = datei2.toStdString();
  if (!DateiVorhanden(pfad)) return;
  lbVerknupfung->setText(QString::fromStdString(DateiNameTeil(pfad)));
  VerknuepfungInfo();
  if (test) {
    Memo2->clear();
    lbZahl2->clear();
    lbH2->clear();
  }
  // The pairs of an earlier join never stand beside a new one, even one that fails.
  TabelleLeeren(paare_);
  sgh->aktualisieren();
  ImportFormat f = format();
  CSVLeseOptionen o;
  o.testModus = test;
  o.anzahl = TextZuZahl(ui::ZuCp1252(edAnzahl->text()));
  VerknuepfErgebnis v;
  {
    ui::Lauf lauf(balken, status, ui::Lauf::Escape::Sofort);
    lauf.status(0, QStringLiteral("Werte aus CSV-Datei lesen"));
    lauf.status(1, QStringLiteral("Mit ESC-Taste abbrechen"));
    const bool gelesen = lauf.ausfuehren([&] { v = orvano::Verknuepfen(pfad, f, ziel, o, lauf); });
    if (status) status->leiste()->hide();
    if (!gelesen) return;
  }
  edSeparator->setText(ui::AusCp1252(f.separator));
  if (!v.meldung.empty()) {
    ui::Hinweis(QString::fromStdString(v.meldung));
    QLineEdit* leer = v.leeresFeld == VerknuepfErgebnis::kID ? edID : v.leeresFeld == VerknuepfErgebnis::kIDVerkn ? edIDVerkn : nullptr;
    if (leer) {
      leer->setStyleSheet(QStringLiteral("QLineEdit { background-color: #FF8080; }"));
      leer->setFocus();
    }
    return;
  }
  paare_.setZeilen(std::max<int>(2, static_cast<int>(v.paare.size()) + 1));
  paare_.setZelle(0, 0, "LNr");
  paare_.setZelle(1, 0, f.id);
  paare_.setZelle(2, 0, f.idVerkn);
  for (std::size_t i = 0; i < v.paare.size(); ++i) {
    paare_.setZeile(static_cast<int>(i) + 1, {v.paare[i][0], v.paare[i][1], v.paare[i][2]});
  }
  sgh->aktualisieren();
  if (test) {
    if (!v.rohZeilen.empty()) Memo2->setPlainText(ui::AusCp1252(v.rohZeilen.front()));
    for (const auto& z : v.rohZeilen) lbH2->addItem(ui::AusCp1252(z));
    lbZahl2->setText(QStringLiteral("n=") + QString::number(std::max(0, lbH2->count() - 1)));
  }
  if (&ziel == &test_) {
    sg0->aktualisieren();
  } else if (frImport) {
    frImport->sg1->aktualisieren();
  }
}

void TfrImportFormat::verknuepfungGewaehlt() {
  const bool da = !Datei2.isEmpty();
  plsgH->setVisible(da);
  sbRefreshVer->setEnabled(da);
}

void TfrImportFormat::sbTestClick() {
  const QString d = ui::dialoge().dateiOeffnen({QStringLiteral("Datei 1 öffnen"), kDateiFilter, {},
                                                QString::fromStdString(ProgVerzeichnis), datei1()});
  if (d.isEmpty() || !DateiVorhanden(d.toStdString())) return;
  if (frImport) frImport->OpenDialog1Datei = d;
  separatorAusDatei(d);
  CSVLesen(d, test_, true, status_.get(), ProgressBar1);
  const std::string pfad = d.toStdString();
  setWindowTitle(QStringLiteral("  Import-Format   Datei: ") + QString::fromStdString(DateiNameTeil(pfad)));
  sbRefresh->setEnabled(true);
}

void TfrImportFormat::sbSpeichernClick() {
  const QString endung = plz() ? QStringLiteral("imp") : QStringLiteral("ims");
  const QString d = ui::dialoge().dateiSpeichern({QStringLiteral("Format speichern"), QStringLiteral("*.%1 (*.%1)").arg(endung),
                                                  endung, QString::fromStdString(ProgVerzeichnis),
                                                  QString::fromStdString(FormatDateiName(cbFormat->currentText().toStdString(), plz()))});
  if (d.isEmpty()) return;
  const std::string pfad = d.toStdString();
  if (DateiGesperrt(pfad)) {
    ui::Hinweis(d + QStringLiteral(" ist von anderem Programm geöffnet"));
    return;
  }
  try {
    FormatDateiSpeichern(pfad, format());
  } catch (const std::exception& x) {
    ui::Meldung(QString::fromStdString(x.what()));
    return;
  }
  FormatListeFuellen(cbFormat);
  const QString name = QString::fromStdString(VorDemPunkt(DateiNameTeil(pfad)));
  cbFormat->setCurrentText(name);
  FormatLaden(QString::fromStdString(FormatDateiName(name.toStdString(), plz())));
  if (frImport) frImport->cbFormat->setCurrentText(name);
}

void TfrImportFormat::artGewechselt() {
  if (frImport) {
    frImport->rdPLZ->setChecked(rdPLZ->isChecked());
    frImport->rdStrassen->setChecked(rdStrassen->isChecked());
  }
  sg0Einrichten();
  FormatListeFuellen(cbFormat);
  FormatWaehlen();
}

void TfrImportFormat::showEvent(QShowEvent* e) {
  edID->setStyleSheet(QString());
  edIDVerkn->setStyleSheet(QString());
  for (QPlainTextEdit* m : {Memo1, Memo2}) m->clear();
  for (QListWidget* l : {lbH, lbH2}) l->clear();
  lbZahl->clear();
  lbZahl2->clear();
  TabelleLeeren(test_);
  sg0Einrichten();
  TabelleLeeren(paare_);
  sgh->aktualisieren();
  verknuepfungGewaehlt();
  lbLeseFormat->setText(QStringLiteral("Leseformat: ") + cbFormat->currentText());
  setWindowTitle(QStringLiteral("  Import-Format "));
  sbRefresh->setEnabled(false);
  FormatWaehlen();
  QDialog::showEvent(e);
}

bool TfrImportFormat::eventFilter(QObject* ziel, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    const int taste = static_cast<QKeyEvent*>(e)->key();
    if (ziel == edAnzahl && (taste == Qt::Key_Return || taste == Qt::Key_Enter) && edAnzahl->text().isEmpty()) {
      edAnzahl->setText(QStringLiteral("1000"));
      return true;
    }
    if (ziel == edID || ziel == edIDVerkn) static_cast<QLineEdit*>(ziel)->setStyleSheet(QString());
  }
  if (ziel == sbRefresh && e->type() == QEvent::ToolTip) {
    const QString d1 = datei1();
    sbRefresh->setToolTip(QStringLiteral("Test mit Datei 1: ") + QString::fromStdString(DateiNameTeil(d1.toStdString())) +
                          QStringLiteral(" und Datei 2: ") + lbVerknupfung->text());
  }
  if (ziel == sbTest && e->type() == QEvent::ToolTip) {
    sbTest->setToolTip(!edID->text().isEmpty() && !lbVerknupfung->text().isEmpty()
                           ? QStringLiteral("Laden Datei 1 mit Verknüpfung ") + lbVerknupfung->text()
                           : QStringLiteral("Laden Datei 1"));
  }
  return QDialog::eventFilter(ziel, e);
}

}  // namespace orvano
