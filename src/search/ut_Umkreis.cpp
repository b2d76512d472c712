#include "ut_Umkreis.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/Datenbestand.h"
#include "core/Records.h"
#include "core/Texte.h"
#include "search/Umkreis.h"
#include "ui/Dialoge.h"
#include "ui/Drucken.h"
#include "ui/Knopf.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ui/Warten.h"

namespace orvano {

namespace {
constexpr int kSpalteNr = 4;  // hidden: the record's position
}

TfrUmkreis::TfrUmkreis(const Datenbestand& db, QWidget* eltern) : QDialog(eltern), db_(db), tabelle_(5, 2) {
  setObjectName("frUmkreis");
  setWindowTitle(QStringLiteral("Umkreissuche"));
  auto* v = new QVBoxLayout(this);
  auto* zeile = new QHBoxLayout;
  lbMitte = new QLabel(this);
  edKm = new QLineEdit(QStringLiteral("10"), this);
  edKm->setMaximumWidth(80);
  sbSuchen = ui::Knopf(this, QStringLiteral("Suchen"), QStringLiteral("Alle Orte im Umkreis suchen"));
  sbDrucken = ui::Knopf(this, QStringLiteral("Drucken"), QStringLiteral("Die Liste drucken"));
  sbExit = ui::Knopf(this, QStringLiteral("Exit"), QStringLiteral("Fenster schließen"));
  zeile->addWidget(lbMitte, 1);
  zeile->addWidget(new QLabel(QStringLiteral("Umkreis (km):"), this));
  for (QWidget* w : std::initializer_list<QWidget*>{edKm, sbSuchen, sbDrucken, sbExit}) zeile->addWidget(w);
  v->addLayout(zeile);
  StringGrid1 = new ui::StringGrid(this);
  StringGrid1->setTabelle(&tabelle_);
  v->addWidget(StringGrid1, 1);
  const char* titel[] = {"PLZ", "Ort", "Bundesland", "km", "Nr"};
  const int breiten[] = {70, 220, 160, 70, Tabelle::kVerborgen};
  for (int c = 0; c < 5; ++c) {
    tabelle_.setZelle(c, 0, titel[c]);
    tabelle_.setBreite(c, breiten[c]);
  }
  connect(sbSuchen, &QPushButton::clicked, this, &TfrUmkreis::sbSuchenClick);
  connect(edKm, &QLineEdit::returnPressed, this, &TfrUmkreis::sbSuchenClick);
  connect(sbDrucken, &QPushButton::clicked, this, &TfrUmkreis::sbDruckenClick);
  connect(sbExit, &QPushButton::clicked, this, &QDialog::close);
  connect(StringGrid1, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
    // The title row is the header, not a row of the model.
    const std::int32_t k = TextZuZahl(tabelle_.zelle(kSpalteNr, i.row() + 1));
    if (k > 0 && satzZeigen) satzZeigen(k);
  });
  resize(620, 480);
}

TfrUmkreis::~TfrUmkreis() { StringGrid1->setTabelle(nullptr); }

void TfrUmkreis::mitteSetzen(std::int32_t k) {
  mitte_ = k;
  sbSuchenClick();
}

void TfrUmkreis::sbSuchenClick() {
  // A radius that is no number leaves the list as it was.
  double km = 0;
  if (!KommaZahlLesen(ui::ZuCp1252(edKm->text().replace('.', ',')), km) || km < 0) {
    ui::Meldung(QStringLiteral("Der Umkreis \"") + edKm->text() + QStringLiteral("\" ist keine Zahl von Kilometern"));
    return;
  }
  TabelleLeeren(tabelle_);
  if (mitte_ < 1 || mitte_ > db_.PLZAnzahl) {
    lbMitte->setText(QStringLiteral("Kein Datensatz gewählt"));
    StringGrid1->aktualisieren();
    return;
  }
  const TPLZRecord& m = db_.PLZTabelle[static_cast<std::size_t>(mitte_)];
  const QString name = QString::fromStdString(PLZText(m)) + QStringLiteral(" ") + ui::AusCp1252(m.Ort.text());
  if (static_cast<double>(m.Breitengrad) == 0.0 && static_cast<double>(m.Laengengrad) == 0.0) {
    lbMitte->setText(QStringLiteral("Keine Koordinaten für ") + name);
    StringGrid1->aktualisieren();
    return;
  }
  const auto treffer = Umkreis(db_, m.Breitengrad, m.Laengengrad, km);
  tabelle_.setZeilen(static_cast<int>(std::max<std::size_t>(treffer.size(), 1)) + 1);
  for (std::size_t i = 0; i < treffer.size(); ++i) {
    const TPLZRecord& r = db_.PLZTabelle[static_cast<std::size_t>(treffer[i].position)];
    const int z = static_cast<int>(i) + 1;
    tabelle_.setZelle(0, z, PLZText(r));
    tabelle_.setZelle(1, z, r.Ort.text());
    tabelle_.setZelle(2, z, r.Bundesland.text());
    tabelle_.setZelle(3, z, KmText(treffer[i].km));
    tabelle_.setZelle(kSpalteNr, z, std::to_string(treffer[i].position));
  }
  StringGrid1->aktualisieren();
  lbMitte->setText(QString::number(treffer.size()) + QStringLiteral(" Orte um ") + name);
  setWindowTitle(QStringLiteral("Umkreissuche: ") + name + QStringLiteral(", ") + edKm->text() + QStringLiteral(" km"));
  if (kreisZeichnen) kreisZeichnen(m.Breitengrad, m.Laengengrad, km);
}

void TfrUmkreis::sbDruckenClick() {
  QPrinter drucker;
  if (!ui::dialoge().drucken(drucker)) return;
  ui::DruckOptionen o;
  o.titel = windowTitle();
  ui::TabelleDrucken(drucker, tabelle_, StringGrid1->font(), StringGrid1->festeFarbe(), o);
}

}  // namespace orvano
