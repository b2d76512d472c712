#include "ut_Ordner.h"

#include <QComboBox>
#include <QDir>
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

namespace orvano {

TfrOrdner::TfrOrdner(QComboBox* hauptListe, QWidget* eltern) : QDialog(eltern), hauptListe_(hauptListe) {
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
  cbOrdner->clear();
  for (int i = 0; i < hauptListe_->count(); ++i) cbOrdner->addItem(hauptListe_->itemText(i));
  cbOrdner->setCurrentIndex(cbOrdner->count() > 0 ? 0 : -1);
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
  hauptListe_->addItem(ordner);
  ui::Hinweis(ordner + QStringLiteral(" ist zugefügt"));
  cbOrdner->setCurrentIndex(cbOrdner->count() - 1);
}

void GewaehltenOrdnerLoeschen(QComboBox* liste, QComboBox* hauptListe) {
  const int position = liste->currentIndex();
  const QString ordner = liste->currentText();
  if (position < 0 || ordner.isEmpty()) return;
  const std::string pfad = ProgVerzeichnis + ordner.toStdString();
  if (!VerzeichnisLeer(pfad)) {
    ui::Hinweis(ordner + QStringLiteral(" ist nicht leer.") + QChar(13) + QStringLiteral("Löschen nicht möglich."));
    return;
  }
  if (!ui::FrageJaNein(QStringLiteral("Ordner ") + ordner + QStringLiteral(" löschen?"))) return;
  liste->removeItem(position);
  if (position < hauptListe->count() && hauptListe->itemText(position) == ordner) hauptListe->removeItem(position);
  liste->setCurrentIndex(liste->count() - 1);
  if (VerzeichnisVorhanden(pfad) && !QDir().rmdir(QString::fromStdString(pfad))) {
    ui::Meldung(QStringLiteral("Der Ordner ") + QString::fromStdString(pfad) + QStringLiteral(" kann nicht gelöscht werden"));
  }
}

void TfrOrdner::sbLoschenClick() { GewaehltenOrdnerLoeschen(cbOrdner, hauptListe_); }

}  // namespace orvano
