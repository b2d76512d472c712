#include "ut_PZ.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>

#include "Optimierung.h"
#include "core/Datenbestand.h"
#include "folders/Sicherung.h"
#include "ui/Dialoge.h"
#include "ui/Knopf.h"
#include "ui/Warten.h"

namespace orvano {

TfrPZ::TfrPZ(QWidget* eltern) : QDialog(eltern, Qt::Dialog | Qt::WindowStaysOnTopHint) {
  setObjectName("frPZ");
  auto* g = new QGridLayout(this);
  Memo1 = new QPlainTextEdit(this);
  Memo1->setReadOnly(true);
  Memo1->setPlainText(QStringLiteral("\nStrassen-Datenbank Optimierung - kann mehrere Minuten \ndauern.\n\n"
                                     "Es ist empfehlenswert nach Strassen-Datenbank-Änderung eine \n"
                                     "Optimierung durchzuführen. Die Strassensuche wird dann \nschneller und genauer.\n"));
  cbPLZOpt = new QCheckBox(QStringLiteral("PLZ-Datenbank optimieren"), this);
  cbStrassenOpt = new QCheckBox(QStringLiteral("Strassen-Datenbank optimieren"), this);
  cbStrassenSort = new QCheckBox(QStringLiteral("Strassen-Datenbank sortieren"), this);
  cbPLZOpt_jn = new QCheckBox(QStringLiteral("Speichern j/n"), this);
  cbStrassenOpt_jn = new QCheckBox(QStringLiteral("Speichern j/n"), this);
  cbStrassenSort_jn = new QCheckBox(QStringLiteral("Speichern j/n"), this);
  cbStrassenOpt->setChecked(true);
  cbStrassenOpt_jn->setChecked(true);
  sbWeiter = ui::Knopf(this, QStringLiteral("Weiter"), QStringLiteral("Strassen-Datenbank Optimierung fortsetzen"));
  sbExit = ui::Knopf(this, QStringLiteral("Exit"), QStringLiteral("Fenster schließen"));
  g->addWidget(Memo1, 0, 0, 1, 2);
  g->addWidget(cbPLZOpt, 1, 0);
  g->addWidget(cbPLZOpt_jn, 1, 1);
  g->addWidget(cbStrassenOpt, 2, 0);
  g->addWidget(cbStrassenOpt_jn, 2, 1);
  g->addWidget(cbStrassenSort, 3, 0);
  g->addWidget(cbStrassenSort_jn, 3, 1);
  g->addWidget(sbWeiter, 4, 0);
  g->addWidget(sbExit, 4, 1);
  g->setRowStretch(0, 1);
  connect(sbWeiter, &QPushButton::clicked, this, &TfrPZ::sbWeiterClick);
  connect(sbExit, &QPushButton::clicked, this, [this] {
    Tag = 0;
    reject();
  });
  resize(460, 340);
}

void TfrPZ::showEvent(QShowEvent* e) {
  setWindowTitle(QStringLiteral(" Optimierung  ") + ordner_);
  if (const QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
  QDialog::showEvent(e);
}

void TfrPZ::sbWeiterClick() {
  if (!cbPLZOpt->isChecked() && !cbStrassenOpt->isChecked() && !cbStrassenSort->isChecked()) {
    ui::Hinweis(QStringLiteral("Keine Optimierung ist ausgewählt"));
    return;
  }
  Tag = 1;
  accept();
}

OptimierungsOptionen TfrPZ::optionen() const {
  OptimierungsOptionen o;
  o.plzFragen = cbPLZOpt_jn->isChecked();
  o.strassenFragen = cbStrassenOpt_jn->isChecked();
  o.sortierenFragen = cbStrassenSort_jn->isChecked();
  o.datum = HeutigesDatum();
  return o;
}

bool DatenbankOptimieren(TfrPZ& dialog, Datenbestand& db, QProgressBar* balken, ui::StatusLeiste* status,
                         const std::function<void(bool)>& grau) {
  dialog.Tag = 0;
  dialog.SortierungAbgebrochen = false;
  dialog.setOrdner(QString::fromStdString(db.OrdnerName()));
  dialog.exec();
  if (dialog.Tag != 1) return false;
  const OptimierungsOptionen o = dialog.optionen();
  ui::FensterRueckfragen fragen;
  // The tables are rewritten meanwhile: grids leave their own painting alone.
  ArbeitLaeuft = true;
  if (grau) grau(true);
  struct Ende {
    const std::function<void(bool)>& grau;
    ~Ende() {
      ArbeitLaeuft = false;
      if (grau) grau(false);
    }
  } ende{grau};
  auto laufen = [&](auto operation) {
    ui::Lauf lauf(balken, status, ui::Lauf::Escape::Nachfragen);
    lauf.ausfuehren([&] { operation(lauf); });
  };
  if (dialog.cbPLZOpt->isChecked()) laufen([&](ui::Lauf& l) { PLZOptimieren(db, o, l, fragen); });
  if (dialog.cbStrassenOpt->isChecked()) laufen([&](ui::Lauf& l) { StrassenOptimieren(db, o, l, fragen); });
  if (dialog.cbStrassenSort->isChecked()) laufen([&](ui::Lauf& l) { dialog.SortierungAbgebrochen = StrassenSortieren(db, o, l, fragen).abgebrochen; });
  return true;
}

}  // namespace orvano
