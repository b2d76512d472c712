#include "ut_Ordner.h"

#include <QComboBox>
#include <QEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>

#include "Ordner.h"
#include "core/Dateien.h"
#include "core/Pfade.h"
#include "ui/Dialoge.h"
#include "folders/OrdnerAuswahl.h"

namespace orvano {

TfrOrdner::TfrOrdner(QWidget* eltern) : QDialog(eltern) {
  setObjectName("frOrdner");
  setWindowTitle(QStringLiteral(" Neue Ordner"));
  auto* g = new QGridLayout(this);
  Label1 = new QLabel(QStringLiteral("Ord_"), this);
  edOrdner = new QLineEdit(this);
  sbPlus = new QPushButton(style()->standardIcon(QStyle::SP_FileDialogNewFolder), QString(), this);
  sbPlus->setToolTip(QStringLiteral("Neue Ordner zufügen"));
  cbOrdner = new QComboBox(this);
  cbOrdner->setToolTip(QStringLiteral("Auswahl für Speichern"));
  cbOrdner->setMaxVisibleItems(25);
  Label2 = new QLabel(QStringLiteral("Nur leere Ordner kann man löschen"), this);
  sbLoschen = new QPushButton(QStringLiteral("Löschen"), this);
  sbLoschen->setToolTip(QStringLiteral("Löschen"));
  sbExit = new QPushButton(QStringLiteral("Exit"), this);
  sbExit->setToolTip(QStringLiteral("Fenster schließen"));
  for (auto* b : {sbPlus, sbLoschen, sbExit}) b->setAutoDefault(false);
  g->addWidget(Label1, 0, 0);
  g->addWidget(edOrdner, 0, 1);
  g->addWidget(sbPlus, 0, 2);
  g->addWidget(cbOrdner, 1, 1);
  g->addWidget(sbLoschen, 1, 2);
  g->addWidget(Label2, 2, 1, 1, 2);
  g->addWidget(sbExit, 3, 2);
  connect(sbPlus, &QPushButton::clicked, this, &TfrOrdner::sbPlusClick);
  connect(sbLoschen, &QPushButton::clicked, this, &TfrOrdner::sbLoschenClick);
  connect(sbExit, &QPushButton::clicked, this, &QDialog::accept);
  sbLoschen->installEventFilter(this);
  edOrdner->clear();
  setMinimumWidth(360);
}

void TfrOrdner::showEvent(QShowEvent* e) {
  OrdnerComboFuellen(cbOrdner, {});
  QDialog::showEvent(e);
}

bool TfrOrdner::eventFilter(QObject* ziel, QEvent* e) {
  if (ziel == sbLoschen && (e->type() == QEvent::Enter || e->type() == QEvent::ToolTip)) {
    sbLoschen->setToolTip(QStringLiteral("Löschen ") + cbOrdner->currentText());
  }
  return QDialog::eventFilter(ziel, e);
}

void TfrOrdner::sbPlusClick() {
  const QString name = QString::fromStdString(OrdnerNameBereinigen(edOrdner->text().toStdString()));
  edOrdner->setText(name);
  const QString ordner = QStringLiteral("Ord_") + name;
  switch (NeuenOrdnerAnlegen(name.toStdString())) {
    case OrdnerAnlegen::NameFehlt:
      ui::Hinweis(QStringLiteral("Name eingeben"));
      edOrdner->setFocus();
      return;
    case OrdnerAnlegen::SchonVorhanden:
      ui::Hinweis(ordner + QStringLiteral(" ist schon vorhanden"));
      return;
    case OrdnerAnlegen::Fehlgeschlagen:
      ui::Meldung(QStringLiteral("Der Ordner ") + QString::fromStdString(ProgVerzeichnis) + ordner +
                  QStringLiteral(" kann nicht angelegt werden"));
      return;
    case OrdnerAnlegen::Angelegt: break;
  }
  cbOrdner->addItem(ordner);
  ui::Hinweis(ordner + QStringLiteral(" ist zugefügt"));
  cbOrdner->setCurrentIndex(cbOrdner->count() - 1);
}

void TfrOrdner::sbLoschenClick() { GewaehltenOrdnerLoeschen(cbOrdner); }

}  // namespace orvano
