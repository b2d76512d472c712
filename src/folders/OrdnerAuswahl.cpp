#include "OrdnerAuswahl.h"

#include <QComboBox>

#include "ui/Dialoge.h"
#include "core/Dateien.h"
#include "core/Pfade.h"
#include "Ordner.h"

namespace orvano {

void OrdnerComboFuellen(QComboBox* combo, const std::string& aktuell) {
  const QSignalBlocker ruhe(combo);
  combo->clear();
  for (const auto& n : OrdnerListe()) combo->addItem(QString::fromStdString(n));
  const int i = combo->findText(QString::fromStdString(aktuell));
  combo->setCurrentIndex(i >= 0 ? i : (combo->count() > 0 ? 0 : -1));
}

bool GewaehltenOrdnerLoeschen(QComboBox* combo) {
  const int position = combo->currentIndex();
  const QString ordner = combo->currentText();
  if (position < 0 || ordner.isEmpty()) return false;
  const QString nichtLeer = ordner + QStringLiteral(" ist nicht leer.") + QChar(13) + QStringLiteral("Löschen nicht möglich.");
  if (!VerzeichnisLeer(ProgVerzeichnis + ordner.toStdString())) {
    ui::Hinweis(nichtLeer);
    return false;
  }
  if (!ui::FrageJaNein(QStringLiteral("Ordner ") + ordner + QStringLiteral(" löschen?"))) return false;
  switch (LeerenOrdnerLoeschen(ordner.toStdString())) {
    case OrdnerLoeschen::NichtLeer:
      // Something arrived in it while the question was open.
      ui::Hinweis(nichtLeer);
      return false;
    case OrdnerLoeschen::Fehlgeschlagen:
      ui::Meldung(QStringLiteral("Der Ordner ") + QString::fromStdString(ProgVerzeichnis) + ordner +
              QStringLiteral(" kann nicht gelöscht werden"));
      return false;
    case OrdnerLoeschen::Geloescht: break;
  }
  combo->removeItem(position);
  combo->setCurrentIndex(combo->count() - 1);
  return true;
}

}  // namespace orvano
