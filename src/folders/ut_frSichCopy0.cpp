#include "ut_frSichCopy0.h"

#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include "Sicherung.h"
#include "core/Dateien.h"
#include "core/Pfade.h"
#include "core/Datenbestand.h"
#include "ui/Dialoge.h"
#include "folders/OrdnerAuswahl.h"
#include "ui/Text.h"
#include "ui/Warten.h"

namespace orvano {

TfrSichCopy0::TfrSichCopy0(const Datenbestand& db, QWidget* eltern)
    : QDialog(eltern), datum(&HeutigesDatum), db_(db) {
  setObjectName("frSichCopy0");
  setWindowTitle(QStringLiteral(" Sicherheitskopie erstellen"));
  auto* g = new QGridLayout(this);
  rdPLZ1 = new QRadioButton(QStringLiteral("PLZ Datenbank"), this);
  rdStrassen1 = new QRadioButton(QStringLiteral("Strassen Datenbank"), this);
  rdPLZ1->setChecked(true);
  lbPLZzahl = new QLabel(this);
  lbStrassenzahl = new QLabel(this);
  cbOrdner = new QComboBox(this);
  cbOrdner->setToolTip(QStringLiteral("Ordner mit Namen  \"Ord_*\" werden gelesen"));
  cbLand = new QComboBox(this);
  cbLand->addItems({QStringLiteral("Deutschland"), QStringLiteral("Österreich"), QStringLiteral("Schweiz")});
  sbWeiter = new QPushButton(QStringLiteral("Speichern"), this);
  sbWeiter->setToolTip(QStringLiteral("Sicherheitskopie erstellen"));
  sbExit = new QPushButton(QStringLiteral("Exit"), this);
  sbExit->setToolTip(QStringLiteral("Fenster schließen"));
  for (auto* b : {sbWeiter, sbExit}) b->setAutoDefault(false);
  g->addWidget(cbOrdner, 0, 0);
  g->addWidget(cbLand, 0, 1);
  g->addWidget(rdPLZ1, 1, 0);
  g->addWidget(lbPLZzahl, 1, 1);
  g->addWidget(rdStrassen1, 2, 0);
  g->addWidget(lbStrassenzahl, 2, 1);
  g->addWidget(sbWeiter, 3, 0);
  g->addWidget(sbExit, 3, 1);
  connect(cbOrdner, &QComboBox::currentTextChanged, this, [this] { zahlAnzeigen(); });
  connect(cbLand, &QComboBox::currentTextChanged, this, [this] { zahlAnzeigen(); });
  connect(rdPLZ1, &QRadioButton::clicked, this, [this] { zahlAnzeigen(); });
  connect(rdStrassen1, &QRadioButton::clicked, this, [this] { zahlAnzeigen(); });
  connect(sbWeiter, &QPushButton::clicked, this, &TfrSichCopy0::sbWeiterClick);
  connect(sbExit, &QPushButton::clicked, this, &QDialog::accept);
  setMinimumWidth(380);
}

void TfrSichCopy0::showEvent(QShowEvent* e) {
  {
    const QSignalBlocker a(cbOrdner), b(cbLand);
    OrdnerComboFuellen(cbOrdner, db_.OrdnerName());
    cbLand->setCurrentText(ui::AusCp1252(db_.Land));
  }
  zahlAnzeigen();
  QDialog::showEvent(e);
}

std::string TfrSichCopy0::gewaehlteDatei() const {
  return DatenbankDatei(cbOrdner->currentText().toStdString() + kTrenner, ui::ZuCp1252(cbLand->currentText()),
                        rdPLZ1->isChecked());
}

void TfrSichCopy0::zahlAnzeigen() {
  const std::string datei = gewaehlteDatei();
  const std::int32_t n = rdPLZ1->isChecked() ? PLZAnzahlDerDatei(datei) : StrassenAnzahl(datei);
  const QString text = QStringLiteral(" n = ") + QString::number(n);
  lbPLZzahl->setText(rdPLZ1->isChecked() ? text : QString());
  lbStrassenzahl->setText(rdPLZ1->isChecked() ? QString() : text);
}

void TfrSichCopy0::sbWeiterClick() {
  const std::string datei = gewaehlteDatei();
  if (!DateiVorhanden(datei)) {
    ui::Meldung(QString::fromStdString(datei) + QStringLiteral(" nicht gefunden"));
    return;
  }
  // The backup folder is made when it is missing, so that a first backup can be made at all.
  if (!VerzeichnisVorhanden(SicherungsOrdner()) && !VerzeichnisAnlegen(SicherungsOrdner())) {
    ui::Meldung(QStringLiteral("Der Ordner ") + QString::fromStdString(SicherungsOrdner()) +
                QStringLiteral(" kann nicht angelegt werden"));
    return;
  }
  // A new name every time: an earlier backup is never overwritten.
  QString pfad;
  try {
    ui::Sanduhr sanduhr;
    pfad = QString::fromStdString(SicherungErstellen(datei, datum()));
  } catch (const DateiFehler& f) {
    ui::Meldung(QStringLiteral("Die Sicherheitskopie wurde nicht erstellt:") + QChar(13) + QString::fromStdString(f.what()));
    return;
  }
  ui::Hinweis(pfad + QStringLiteral(" ist gespeichert"));
}

}  // namespace orvano
