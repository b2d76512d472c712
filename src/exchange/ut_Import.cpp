#include "ut_Import.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "CSVLesen.h"
#include "Import.h"
#include "ImportFormat.h"
#include "ut_ImportFormat.h"
#include "folders/Ordner.h"
#include "core/Dateien.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "ui/Dialoge.h"
#include "ui/Knopf.h"
#include "folders/OrdnerAuswahl.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ui/Warten.h"

namespace orvano {

using ui::Knopf;

TfrImport::TfrImport(TfrImportFormat* format, const Datenbestand& db, QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::WindowStaysOnTopHint),
      format_(format),
      db_(db),
      tabelle_(kImportTabellenSpalten, 2) {
  setObjectName("frImport");
  format_->frImport = this;
  // Opened from here only: a child window, so that it shows above this stay-on-top window.
  format_->setParent(this, format_->windowFlags());
  auto* v = new QVBoxLayout(this);
  auto* knoepfe = new QHBoxLayout;
  sbFormat = Knopf(this, QStringLiteral("Format"), QStringLiteral("Format CSV-Datei einstellen"));
  cbFormat = new QComboBox(this);
  cbFormat->setMinimumWidth(140);
  sbCSVLaden = Knopf(this, QStringLiteral("CSV-öffnen"), QStringLiteral("Öffnen CSV-Datei"));
  sbRefresh = Knopf(this, QStringLiteral("Refresh"), QString());
  sbRefresh->setEnabled(false);
  sbSpeichern = Knopf(this, QStringLiteral("Speichern"), QString());
  cbOrdner = new QComboBox(this);
  cbOrdner->setToolTip(QStringLiteral("Auswahl für Speichern"));
  sbPlus = Knopf(this, QStringLiteral("+"), QStringLiteral("Neue Ordner zufügen"));
  rdPLZ = new QRadioButton(QStringLiteral("PLZ"), this);
  rdStrassen = new QRadioButton(QStringLiteral("Strassen"), this);
  rdPLZ->setChecked(true);
  auto* art = new QButtonGroup(this);
  art->addButton(rdPLZ);
  art->addButton(rdStrassen);
  sbSDB_Optimierung = Knopf(this, QStringLiteral("Optimieren"), QStringLiteral("Strassen-Datenbank Optimierung"));
  sbSDB_Optimierung->setEnabled(false);
  sbExit = Knopf(this, QStringLiteral("Exit"), QStringLiteral("Fenster schließen"));
  for (QWidget* w : std::initializer_list<QWidget*>{sbFormat, cbFormat, sbCSVLaden, sbRefresh, sbSpeichern, cbOrdner,
                                                    sbPlus, rdPLZ, rdStrassen, sbSDB_Optimierung, sbExit}) {
    knoepfe->addWidget(w);
  }
  knoepfe->addStretch(1);
  v->addLayout(knoepfe);
  auto* oben = new QHBoxLayout;
  plOben = new QLabel(this);
  plOben->setObjectName("plOben");
  lbZahl = new QLabel(QStringLiteral("0"), this);
  oben->addWidget(plOben, 1);
  oben->addWidget(new QLabel(QStringLiteral("n="), this));
  oben->addWidget(lbZahl);
  v->addLayout(oben);
  sg1 = new ui::StringGrid(this);
  sg1->setObjectName("sg1");
  sg1->setTabelle(&tabelle_);
  sg1->setBearbeitbar(true);
  v->addWidget(sg1, 1);
  ui::Leisten leisten = ui::LeistenAnlegen(this, v, 2);
  ProgressBar1 = leisten.balken;
  StatusBar1 = leisten.leiste;
  status_ = std::move(leisten.status);

  // The format window opens over this one; this window's own run goes on behind it.
  connect(sbFormat, &QPushButton::clicked, this, [this] { format_->exec(); });
  connect(cbFormat, qOverload<int>(&QComboBox::activated), this, [this](int) {
    format_->FormatLaden(QString::fromStdString(FormatDateiName(cbFormat->currentText().toStdString(), plz())));
    format_->cbFormat->setCurrentText(cbFormat->currentText());
  });
  connect(sbCSVLaden, &QPushButton::clicked, this, [this] { dateiOeffnen(); });
  connect(sbRefresh, &QPushButton::clicked, this, [this] {
    if (DateiVorhanden(ImportDatei.toStdString())) format_->CSVLesen(ImportDatei, tabelle_, false, status_.get(), ProgressBar1);
    plOben->setText(ImportDatei);
    sg1->aktualisieren();
  });
  connect(sbSpeichern, &QPushButton::clicked, this, [this] { sbSpeichernClick(); });
  connect(sbSDB_Optimierung, &QPushButton::clicked, this, [this] {
    if (optimieren) optimieren(ProgressBar1, status_.get());
  });
  connect(cbOrdner, qOverload<int>(&QComboBox::activated), this, [this](int) { obenAnzeigen(); });
  connect(rdPLZ, &QRadioButton::clicked, this, [this] { artGewechselt(); });
  connect(rdStrassen, &QRadioButton::clicked, this, [this] { artGewechselt(); });
  connect(sbExit, &QPushButton::clicked, this, &QDialog::accept);
  sbPlus->installEventFilter(this);
  sbCSVLaden->installEventFilter(this);
  sbSpeichern->installEventFilter(this);
  ui::EscapeSchliesstNicht(this);
  resize(950, 600);
}

TfrImport::~TfrImport() { sg1->setTabelle(nullptr); }

bool TfrImport::plz() const { return rdPLZ->isChecked(); }

std::string TfrImport::landText() const { return db_.Land; }

std::string TfrImport::zielDatei() const {
  return DatenbankDatei(cbOrdner->currentText().toStdString() + kTrenner, landText(), plz());
}

QString TfrImport::zielName() const {
  return cbOrdner->currentText() + QChar(kTrenner) + QString::fromStdString(DateiNameTeil(zielDatei()));
}

void TfrImport::spaltenEinstellen() {
  ImportTabelleKopf(tabelle_);
  tabelle_.setZelle(kImportSpalteID, 0, "");
  ImportSpaltenBreiten(tabelle_, plz(), false);
  sg1->aktualisieren();
}

void TfrImport::obenAnzeigen() {
  const std::string ziel = zielDatei();
  plOben->setText(QString::fromStdString(ziel) + QStringLiteral("  n=") +
                  QString::number(plz() ? PLZAnzahlDerDatei(ziel) : StrassenAnzahl(ziel)));
}

QString TfrImport::speichernHinweis() const {
  return DateiVorhanden(zielDatei()) ? QStringLiteral("Datei ") + zielName() + QStringLiteral(" überschreiben")
                                     : QStringLiteral("Daten in ") + zielName() + QStringLiteral(" speichern");
}

void TfrImport::standSetzen(const QString& datei, bool strassen, const QString& format) {
  OpenDialog1Datei = datei;
  (strassen ? rdStrassen : rdPLZ)->setChecked(true);
  letztesFormat_ = format;
}

void TfrImport::showEvent(QShowEvent* e) {
  sbSDB_Optimierung->setEnabled(false);
  TabelleLeeren(tabelle_);
  {
    const QSignalBlocker ruhe(cbFormat);
    format_->rdPLZ->setChecked(rdPLZ->isChecked());
    format_->rdStrassen->setChecked(rdStrassen->isChecked());
    format_->FormatListeFuellen(cbFormat);
    // The format of the last run, once, when it is still there.
    if (!letztesFormat_.isEmpty() && cbFormat->findText(letztesFormat_) >= 0) cbFormat->setCurrentText(letztesFormat_);
    letztesFormat_.clear();
  }
  plOben->clear();
  lbZahl->setText(QStringLiteral("0"));
  spaltenEinstellen();
  format_->TitelListeFuellen();
  format_->FormatLaden(QString::fromStdString(FormatDateiName(cbFormat->currentText().toStdString(), plz())));
  Tag = 0;
  geschriebeneDatei.clear();
  OrdnerComboFuellen(cbOrdner, db_.OrdnerName());
  obenAnzeigen();
  setWindowTitle(QStringLiteral(" Import  ") + ui::AusCp1252(db_.Land));
  QDialog::showEvent(e);
  if (!webDatei.isEmpty()) {
    const QString datei = webDatei;
    webDatei.clear();
    strassenlisteOeffnen(datei);
  } else if (!startDatei.isEmpty()) {
    const QString datei = startDatei;
    startDatei.clear();
    dateiOeffnen(datei);
  }
}

void TfrImport::strassenlisteOeffnen(const QString& datei) {
  rdStrassen->setChecked(true);
  artGewechselt();
  const std::string format = FormatDateiName(kStrassenlistenFormat, false);
  try {
    if (!DateiVorhanden(format)) FormatDateiSpeichern(format, StrassenlistenFormat());
  } catch (const std::exception& fehler) {
    ui::Meldung(QString::fromStdString(fehler.what()));
    return;
  }
  format_->FormatListeFuellen(cbFormat);
  cbFormat->setCurrentText(QString::fromLatin1(kStrassenlistenFormat));
  format_->FormatLaden(QString::fromStdString(format));
  dateiOeffnen(datei);
}

void TfrImport::done(int ergebnis) {
  if (einstellungenSpeichern) einstellungenSpeichern();
  QDialog::done(ergebnis);
}

void TfrImport::dateiOeffnen(QString datei) {
  if (datei.isEmpty()) {
    datei = ui::dialoge().dateiOeffnen(
        {QStringLiteral("CSV-Datei öffnen"), QStringLiteral("CSV und TXT-Datei (*.csv *.txt);;CSV-Datei (*.csv);;TXT-Datei (*.txt)"),
         {}, QString::fromStdString(ProgVerzeichnis), OpenDialog1Datei});
    if (datei.isEmpty()) return;
  }
  OpenDialog1Datei = datei;
  ImportDatei = datei;
  format_->separatorAusDatei(datei);
  if (!DateiVorhanden(datei.toStdString())) return;
  format_->CSVLesen(ImportDatei, tabelle_, false, status_.get(), ProgressBar1);
  plOben->setText(ImportDatei);
  sg1->aktualisieren();
  sbRefresh->setEnabled(true);
}

void TfrImport::artGewechselt() {
  format_->rdPLZ->setChecked(rdPLZ->isChecked());
  format_->rdStrassen->setChecked(rdStrassen->isChecked());
  spaltenEinstellen();
  obenAnzeigen();
  format_->FormatListeFuellen(cbFormat);
  // The format and its separator belonged to the other kind: the new kind's first format, or
  // the file, sets them.
  format_->FormatListeFuellen(format_->cbFormat);
  format_->edSeparator->clear();
  format_->FormatLaden(QString::fromStdString(FormatDateiName(cbFormat->currentText().toStdString(), plz())));
  format_->cbFormat->setCurrentText(cbFormat->currentText());
  if (!ImportDatei.isEmpty()) format_->separatorAusDatei(ImportDatei);
}

void TfrImport::sbSpeichernClick() {
  sg1->editorSchliessen();
  const std::string ziel = zielDatei();
  const QString name = zielName();
  const bool ja = DateiVorhanden(ziel) ? ui::FrageJaNein(QStringLiteral("Daten an ") + name + QStringLiteral(" anhängen?"))
                                       : ui::HinweisJaNein(QStringLiteral("Daten in ") + name + QStringLiteral(" speichern?"));
  if (!ja) return;
  AnhaengenErgebnis e;
  {
    ui::Lauf lauf(ProgressBar1, nullptr, ui::Lauf::Escape::Aus);
    const bool geschrieben = lauf.ausfuehren([&] { e = ImportAnhaengen(ziel, plz(), tabelle_, lauf); });
    ProgressBar1->hide();
    if (!e.zurueckgenommen.empty()) ui::Hinweis(QString::fromStdString(e.zurueckgenommen));
    if (!geschrieben) return;
  }
  // Always said: how many records went into which file, and how many rows gave none.
  const QString text = QString::fromStdString(ImportBericht(e.geschrieben, ImportZeilen(tabelle_) - e.geschrieben, plz())) +
                       QStringLiteral(": ") + name;
  if (e.geschrieben == 0) {
    ui::Meldung(text);
    return;
  }
  ui::Hinweis(text);
  // The owner of the current data reloads it when this was one of its files.
  Tag = 1;
  geschriebeneDatei = ziel;
  sbSDB_Optimierung->setEnabled(true);
  accept();
}

void TfrImport::sbPlusMaus(Qt::MouseButton knopf) {
  if (knopf == Qt::RightButton) {
    if (GewaehltenOrdnerLoeschen(cbOrdner)) obenAnzeigen();
    return;
  }
  const std::string name = NaechsterFreierOrdner();
  if (!VerzeichnisAnlegen(ProgVerzeichnis + name)) {
    ui::Meldung(QStringLiteral("Der Ordner ") + QString::fromStdString(ProgVerzeichnis + name) +
                QStringLiteral(" kann nicht angelegt werden"));
    return;
  }
  cbOrdner->addItem(QString::fromStdString(name));
  ui::Hinweis(QString::fromStdString(name) + QStringLiteral(" ist zugefügt"));
  cbOrdner->setCurrentIndex(cbOrdner->count() - 1);
  obenAnzeigen();
}

bool TfrImport::eventFilter(QObject* ziel, QEvent* e) {
  if (ziel == sbPlus) {
    if (e->type() == QEvent::ToolTip) {
      sbPlus->setToolTip(QStringLiteral("Linkemaus: Neue Ordner zufügen \nRechtemaus: Ordner Löschen"));
    }
    if (e->type() == QEvent::MouseButtonPress) {
      sbPlusMaus(static_cast<QMouseEvent*>(e)->button());
      return true;
    }
  }
  if (ziel == sbCSVLaden && e->type() == QEvent::ToolTip) {
    const bool verknuepft = !format_->edID->text().isEmpty() && !format_->lbVerknupfung->text().isEmpty();
    sbCSVLaden->setToolTip(verknuepft ? QStringLiteral("Öffnen CSV-Datei mit Verknüpfung ") + format_->lbVerknupfung->text()
                                      : QStringLiteral("Öffnen CSV-Datei"));
  }
  if (ziel == sbSpeichern && e->type() == QEvent::ToolTip) {
    sbSpeichern->setToolTip(speichernHinweis());
  }
  return QDialog::eventFilter(ziel, e);
}

}  // namespace orvano
