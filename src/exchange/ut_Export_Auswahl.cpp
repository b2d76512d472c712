#include "ut_Export_Auswahl.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/Records.h"

namespace orvano {

TfrExport_Auswahl::TfrExport_Auswahl(std::function<std::string()> landText, QWidget* eltern)
    : QDialog(eltern, Qt::Dialog | Qt::WindowStaysOnTopHint), landText_(std::move(landText)) {
  setObjectName("frExport_Auswahl");
  setWindowTitle(QStringLiteral(" Export Auswahl"));
  setModal(true);
  auto* v = new QVBoxLayout(this);
  auto* g = new QGridLayout;
  rdPLZ = new QRadioButton(QStringLiteral("PLZ"), this);
  rdStrassen = new QRadioButton(QStringLiteral("Strassen"), this);
  rdPLZ_Strassen = new QRadioButton(QStringLiteral("PLZ + Strassen"), this);
  rdPLZ->setChecked(true);
  cbCSV = new QCheckBox(QStringLiteral("CSV-Datei"), this);
  cbText = new QCheckBox(QStringLiteral("Text-Datei"), this);
  cbCSV->setChecked(true);
  edPLZPlus = new QLineEdit(this);
  edPLZPlus->setToolTip(QStringLiteral("Vor PLZ ein Text einfügen"));
  edStrNrPlus = new QLineEdit(this);
  edStrNrPlus->setToolTip(QStringLiteral("Vor Strassen Nr. ein Text einfügen"));
  g->addWidget(rdPLZ, 0, 0);
  g->addWidget(rdStrassen, 1, 0);
  g->addWidget(rdPLZ_Strassen, 2, 0);
  g->addWidget(cbCSV, 0, 1);
  g->addWidget(cbText, 1, 1);
  g->addWidget(new QLabel(QStringLiteral("PLZ mit .........."), this), 3, 0);
  g->addWidget(edPLZPlus, 3, 1);
  g->addWidget(new QLabel(QStringLiteral("Strassen Nr mit"), this), 4, 0);
  g->addWidget(edStrNrPlus, 4, 1);
  v->addLayout(g);
  cbGezeigte = new QCheckBox(QStringLiteral("Nur die gezeigten Datensätze"), this);
  cbGezeigte->setObjectName("cbGezeigte");
  cbGezeigte->setEnabled(false);
  v->addWidget(cbGezeigte);

  // The two buttons are placed by hand: centred as a pair with 20 pixels between them.
  plMenu = new QWidget(this);
  plMenu->setObjectName("plMenu");
  plMenu->setMinimumHeight(40);
  sbSpeichern = new QPushButton(QStringLiteral("Speichern"), plMenu);
  sbExit = new QPushButton(QStringLiteral("Exit"), plMenu);
  sbExit->setToolTip(QStringLiteral("Fenster schließen"));
  sbSpeichern->setAutoDefault(false);
  sbExit->setAutoDefault(false);
  sbSpeichern->adjustSize();
  sbExit->adjustSize();
  plMenu->installEventFilter(this);
  v->addWidget(plMenu);

  connect(cbCSV, &QCheckBox::clicked, this, [this] { cbText->setChecked(!cbCSV->isChecked()); });
  connect(cbText, &QCheckBox::clicked, this, [this] { cbCSV->setChecked(!cbText->isChecked()); });
  connect(sbSpeichern, &QPushButton::clicked, this, [this] {
    Tag = 1;
    accept();
  });
  connect(sbExit, &QPushButton::clicked, this, [this] {
    Tag = 0;
    reject();
  });
  edPLZPlus->installEventFilter(this);
  edStrNrPlus->installEventFilter(this);
  resize(420, 260);
}

void TfrExport_Auswahl::setGezeigte(int gezeigt, int alle, bool aktiv) {
  cbGezeigte->setText(QStringLiteral("Nur die gezeigten Datensätze (%1 von %2, in der gezeigten Reihenfolge)").arg(gezeigt).arg(alle));
  cbGezeigte->setEnabled(aktiv);
  if (!aktiv) cbGezeigte->setChecked(false);
}

void TfrExport_Auswahl::showEvent(QShowEvent* e) {
  Tag = 0;
  QDialog::showEvent(e);
}

void TfrExport_Auswahl::knoepfeSetzen() {
  const int breite = plMenu->width();
  const int links = std::max(5, (breite - sbSpeichern->width() - sbExit->width() - 20) / 2);
  sbSpeichern->move(links, 6);
  sbExit->move(sbSpeichern->geometry().right() + 1 + 20, 6);
}

bool TfrExport_Auswahl::eventFilter(QObject* ziel, QEvent* e) {
  if (ziel == plMenu && e->type() == QEvent::Resize) knoepfeSetzen();
  if (e->type() == QEvent::KeyPress) {
    const int taste = static_cast<QKeyEvent*>(e)->key();
    if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
      if (ziel == edPLZPlus && edPLZPlus->text().isEmpty()) {
        const std::string land = landText_ ? landText_() : std::string();
        edPLZPlus->setText(QString(QChar(LandBuchstabe(land.empty() ? ' ' : land.front()))) + QStringLiteral("-"));
      } else if (ziel == edStrNrPlus && edStrNrPlus->text().isEmpty()) {
        edStrNrPlus->setText(QStringLiteral("Nr."));
      }
      return true;
    }
  }
  return QDialog::eventFilter(ziel, e);
}

}  // namespace orvano
