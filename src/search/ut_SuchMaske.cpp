#include "ut_SuchMaske.h"

#include <QEvent>
#include <QGridLayout>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>

#include "core/Records.h"
#include "core/Texte.h"
#include "ui/Dialoge.h"
#include "ui/Knopf.h"
#include "ui/Text.h"
#include "ui/Warten.h"

namespace orvano {

TfrSuchMaske::TfrSuchMaske(const Datenbestand& db, QWidget* eltern) : QDialog(eltern), db_(db), suche_(db) {
  setObjectName("frSuchMaske");
  setWindowTitle(QStringLiteral(" Suchen-Maske"));
  auto* g = new QGridLayout(this);
  edOrt = new QLineEdit(this);
  edStrasse = new QLineEdit(this);
  lbStrass = new QLabel(QStringLiteral("Strasse:"), this);
  sbWeiter = ui::Knopf(this, QStringLiteral("Suchen"), QStringLiteral("Suchen"));
  sbExit = ui::Knopf(this, QStringLiteral("Exit"), QStringLiteral("Fenster schließen"));
  lbNr = new QLabel(this);
  plGefunden = new QWidget(this);
  auto* p = new QGridLayout(plGefunden);
  lbOrt = new QLabel(plGefunden);
  lbPLZ = new QLabel(plGefunden);
  lbStrasse = new QLabel(plGefunden);
  lbStrNr = new QLabel(plGefunden);
  p->addWidget(lbPLZ, 0, 0);
  p->addWidget(lbOrt, 0, 1);
  p->addWidget(lbStrasse, 1, 0, 1, 1);
  p->addWidget(lbStrNr, 1, 1);
  plGefunden->hide();
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->hide();
  g->addWidget(new QLabel(QStringLiteral("Ort:"), this), 0, 0);
  g->addWidget(lbStrass, 0, 1);
  g->addWidget(edOrt, 1, 0);
  g->addWidget(edStrasse, 1, 1);
  g->addWidget(plGefunden, 2, 0, 1, 2);
  g->addWidget(lbNr, 3, 0);
  auto* knoepfe = new QHBoxLayout;
  knoepfe->addStretch(1);
  knoepfe->addWidget(sbWeiter);
  knoepfe->addWidget(sbExit);
  knoepfe->addStretch(1);
  g->addLayout(knoepfe, 4, 0, 1, 2);
  g->addWidget(ProgressBar1, 5, 0, 1, 2);
  g->setColumnStretch(0, 1);
  g->setColumnStretch(1, 1);
  connect(sbWeiter, &QPushButton::clicked, this, &TfrSuchMaske::sbWeiterClick);
  connect(sbExit, &QPushButton::clicked, this, &QDialog::accept);
  for (QObject* o : std::initializer_list<QObject*>{edOrt, edStrasse, lbNr}) o->installEventFilter(this);
  ui::EscapeSchliesstNicht(this);
  resize(520, 220);
}

void TfrSuchMaske::showEvent(QShowEvent* e) {
  suche_.zuruecksetzen();
  for (QLabel* l : {lbPLZ, lbOrt, lbStrasse, lbStrNr, lbNr}) l->clear();
  if (const QScreen* s = QGuiApplication::primaryScreen()) move(s->availableGeometry().center() - rect().center());
  QDialog::showEvent(e);
}

bool TfrSuchMaske::eventFilter(QObject* ziel, QEvent* e) {
  if ((ziel == edOrt || ziel == edStrasse) && e->type() == QEvent::KeyPress) {
    // Typing starts the search afresh; Enter goes on to the street, and from there searches.
    suche_.zuruecksetzen();
    const int taste = static_cast<QKeyEvent*>(e)->key();
    if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
      if (ziel == edOrt) {
        edStrasse->setFocus();
      } else {
        sbWeiterClick();
      }
      return true;
    }
  }
  if (ziel == lbNr && (e->type() == QEvent::ToolTip || e->type() == QEvent::Enter)) {
    lbNr->setToolTip(QStringLiteral("Strassen Position in Datenbank") + QChar(13) + lbPLZ->text() + QStringLiteral(" ") + lbOrt->text());
  }
  return QDialog::eventFilter(ziel, e);
}

void TfrSuchMaske::sbWeiterClick() {
  // Blanks before and after go, in the edits too.
  edOrt->setText(ui::AusCp1252(BlanksAbschneiden(ui::ZuCp1252(edOrt->text()))));
  edStrasse->setText(ui::AusCp1252(BlanksAbschneiden(ui::ZuCp1252(edStrasse->text()))));
  lbNr->clear();
  if (zeigen) zeigen(0, -1, QString());
  ui::FensterRueckfragen fragen;
  SuchMaske::Treffer t;
  {
    ui::Lauf lauf(ProgressBar1, nullptr, ui::Lauf::Escape::Sofort);
    plGefunden->hide();
    t = suche_.weiter(ui::ZuCp1252(edOrt->text()), ui::ZuCp1252(edStrasse->text()), lauf, fragen,
                      [this](std::int32_t k) {
                        if (zeigen) zeigen(k, -1, QString());
                      });
  }
  ProgressBar1->hide();
  if (t.satz == 0) return;
  const TPLZRecord& r = db_.PLZTabelle[static_cast<std::size_t>(t.satz)];
  lbPLZ->setText(ui::AusCp1252(PLZText(r)));
  lbOrt->setText(ui::AusCp1252(r.Ort.text()));
  lbStrasse->clear();
  lbStrNr->clear();
  QString hausnummer;
  if (t.strasse >= 0) {
    const TStrassenRecord& s = db_.StrassenTabelle[static_cast<std::size_t>(t.strassenIndex)];
    lbStrasse->setText(ui::AusCp1252(s.Strasse.text()));
    if (s.HausNrKz != '0') hausnummer = ui::AusCp1252(s.AbNr.text() + " - " + s.BisNr.text());
    lbStrNr->setText(hausnummer);
    if (!(tabellenAnsicht && tabellenAnsicht())) lbNr->setText(QString::number(t.strassenNr));
  }
  if (zeigen) zeigen(t.satz, t.strasse, hausnummer);
  plGefunden->show();
}

}  // namespace orvano
