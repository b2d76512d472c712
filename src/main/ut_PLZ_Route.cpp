// TfrPLZ: the route planner at the bottom of the window.
#include <QComboBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>

#include "core/Dateien.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/RecordDatei.h"
#include "core/Windows1252.h"
#include "maps/Route.h"
#include "ui/Dialoge.h"
#include "ui/Knopf.h"
#include "ui/Text.h"
#include "ut_PLZ.h"

#include <fstream>

namespace orvano {

namespace {

// A tile of its own for each service: its name on a colour; no service's real logo.
QPixmap DienstBild(int dienst) {
  static const QColor farben[] = {QColor(66, 133, 244), QColor(230, 0, 40), QColor(0, 150, 100), QColor(0, 120, 215),
                                  QColor(100, 0, 210), QColor(0, 80, 160), QColor(20, 160, 200), QColor(240, 130, 0)};
  QPixmap bild(96, 32);
  bild.fill(farben[static_cast<std::size_t>(std::clamp(dienst, 0, 7))]);
  QPainter p(&bild);
  p.setPen(Qt::white);
  QFont f = p.font();
  f.setBold(true);
  f.setPointSize(9);
  p.setFont(f);
  p.drawText(bild.rect(), Qt::AlignCenter, QString::fromLatin1(kRoutenDienste[static_cast<std::size_t>(std::clamp(dienst, 0, 7))]));
  return bild;
}

}  // namespace

QWidget* TfrPLZ::routeAufbauen() {
  plRoute0 = new QWidget(this);
  plRoute0->setObjectName("plRoute0");
  auto* g = new QGridLayout(plRoute0);
  g->setContentsMargins(4, 2, 4, 2);
  g->setHorizontalSpacing(4);
  g->setVerticalSpacing(1);
  auto* titel = new QLabel(QStringLiteral("Routenplaner:"), plRoute0);
  titel->setObjectName("lbRoutenplaner");
  QFont fett = titel->font();
  fett.setBold(true);
  titel->setFont(fett);
  g->addWidget(titel, 0, 0);
  g->addWidget(new QLabel(QStringLiteral("Ort:"), plRoute0), 0, 1);
  g->addWidget(new QLabel(QStringLiteral("PLZ:"), plRoute0), 0, 2);
  g->addWidget(new QLabel(QStringLiteral("Strasse:"), plRoute0), 0, 3);
  lbAusgangsort = new QLabel(QStringLiteral("Ausgangsort:"), plRoute0);
  lbZielort = new QLabel(QStringLiteral("Zielort ..... :"), plRoute0);
  for (QLabel* l : {lbAusgangsort, lbZielort}) {
    l->setCursor(Qt::PointingHandCursor);
    l->installEventFilter(this);
  }
  edAusgangsort = new QLineEdit(plRoute0);
  edAusgangsortPLZ = new QLineEdit(plRoute0);
  edAusgangsortStrasse = new QLineEdit(plRoute0);
  edZielort = new QLineEdit(plRoute0);
  edZielortPLZ = new QLineEdit(plRoute0);
  edZielortStrasse = new QLineEdit(plRoute0);
  for (QLineEdit* e : {edAusgangsort, edZielort}) e->installEventFilter(this);
  edAusgangsortPLZ->setMaximumWidth(70);
  edZielortPLZ->setMaximumWidth(70);
  g->addWidget(lbAusgangsort, 1, 0);
  g->addWidget(edAusgangsort, 1, 1);
  g->addWidget(edAusgangsortPLZ, 1, 2);
  g->addWidget(edAusgangsortStrasse, 1, 3);
  g->addWidget(lbZielort, 2, 0);
  g->addWidget(edZielort, 2, 1);
  g->addWidget(edZielortPLZ, 2, 2);
  g->addWidget(edZielortStrasse, 2, 3);
  cbRoutenplaner = new QComboBox(plRoute0);
  for (const char* d : kRoutenDienste) cbRoutenplaner->addItem(QString::fromLatin1(d));
  img = new QLabel(plRoute0);
  img->setObjectName("img");
  img->setCursor(Qt::PointingHandCursor);
  img->installEventFilter(this);
  sbRoute = ui::Knopf(plRoute0, QStringLiteral("Route"), QStringLiteral("Route zeigen mit Google "));
  sbRouteSpeichern = ui::Knopf(plRoute0, QStringLiteral("Speichern"), QStringLiteral("Route speichern"));
  sbRouteLaden = ui::Knopf(plRoute0, QStringLiteral("Laden"), QStringLiteral("Route laden"));
  g->addWidget(cbRoutenplaner, 1, 4);
  g->addWidget(img, 1, 5, 2, 1);
  g->addWidget(sbRoute, 2, 4);
  g->addWidget(sbRouteSpeichern, 1, 6);
  g->addWidget(sbRouteLaden, 2, 6);
  g->setColumnStretch(1, 2);
  g->setColumnStretch(3, 2);
  connect(cbRoutenplaner, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int) { RoutenLogoZeigen(); });
  connect(sbRoute, &QPushButton::clicked, this, [this] { RouteZeigen(); });
  connect(sbRouteSpeichern, &QPushButton::clicked, this, [this] { RouteSpeichern(); });
  connect(sbRouteLaden, &QPushButton::clicked, this, [this] { RouteLaden(); });
  RoutenLogoZeigen();
  return plRoute0;
}

Route TfrPLZ::routeAusFeldern() const {
  Route r;
  r.ausgangsort = ui::ZuCp1252(edAusgangsort->text());
  r.ausgangsPLZ = ui::ZuCp1252(edAusgangsortPLZ->text());
  r.ausgangsStrasse = ui::ZuCp1252(edAusgangsortStrasse->text());
  r.zielort = ui::ZuCp1252(edZielort->text());
  r.zielPLZ = ui::ZuCp1252(edZielortPLZ->text());
  r.zielStrasse = ui::ZuCp1252(edZielortStrasse->text());
  r.dienst = std::max(0, cbRoutenplaner->currentIndex());
  return r;
}

void TfrPLZ::routeInFelder(const std::array<std::string, 6>& f) {
  QLineEdit* const felder[] = {edAusgangsort, edAusgangsortPLZ, edAusgangsortStrasse, edZielort, edZielortPLZ, edZielortStrasse};
  for (std::size_t i = 0; i < f.size(); ++i) felder[i]->setText(ui::AusCp1252(f[i]));
}

void TfrPLZ::RoutenLogoZeigen() {
  img->setPixmap(DienstBild(cbRoutenplaner->currentIndex()));
  const QString hinweis = QStringLiteral("Route zeigen mit ") + cbRoutenplaner->currentText();
  sbRoute->setToolTip(hinweis);
  img->setToolTip(hinweis);
}

void TfrPLZ::OrtUebernehmen(bool ziel) {
  (ziel ? edZielort : edAusgangsort)->setText(edOrt->text());
  (ziel ? edZielortPLZ : edAusgangsortPLZ)->setText(edPLZ->text());
  (ziel ? edZielortStrasse : edAusgangsortStrasse)->setText(cbStrasse->currentText());
}

void TfrPLZ::RouteZeigen() {
  const Route r = routeAusFeldern();
  if (const std::string fehlt = RouteFehlt(r); !fehlt.empty()) {
    ui::Hinweis(QString::fromStdString(fehlt));
    (fehlt[0] == 'A' ? edAusgangsort : edZielort)->setFocus();
    return;
  }
  if (!routePLZPruefen(r)) return;
  db_.Geaendert = false;
  ui::WebseiteOeffnen(QString::fromStdString(Cp1252ZuUtf8(RoutenAdresse(r, cbRoutenplaner->currentText().toStdString()))));
}

bool TfrPLZ::routePLZPruefen(const Route& r) {
  const std::string fehler = RoutenPLZFehler(r);
  if (fehler.empty()) return true;
  ui::Meldung(ui::AusCp1252(fehler));
  (fehler.find("Ausgangsorts") != std::string::npos ? edAusgangsortPLZ : edZielortPLZ)->setFocus();
  return false;
}

void TfrPLZ::RouteSpeichern() {
  const Route r = routeAusFeldern();
  if (!routePLZPruefen(r)) return;
  const std::string zeile = RoutenZeile(r);
  if (zeile.empty()) {
    // The file has no way to carry these characters: it would load as another route.
    ui::Meldung(QStringLiteral("Die Route kann nicht gespeichert werden: ein Feld enthält \"|\" oder \"*\""));
    return;
  }
  ui::DateiDialog d;
  d.titel = QStringLiteral("Route speichern");
  d.filter = QStringLiteral("Route-Datei (*.rte)");
  d.standardEndung = QStringLiteral("rte");
  d.ordner = QString::fromStdString(ProgVerzeichnis + "Route");
  d.dateiName = QString::fromStdString(RoutenDateiVorschlag(r));
  const QString datei = ui::dialoge().dateiSpeichern(d);
  if (datei.isEmpty()) return;
  ausfuehren([&] {
    AtomarSchreiben(datei.toStdString(), [&](Schreiber& s) {
      const std::string mitEnde = zeile + "\r\n";
      s.schreiben(mitEnde.data(), mitEnde.size());
    });
  });
}

void TfrPLZ::RouteLaden() {
  ui::DateiDialog d;
  d.titel = QStringLiteral("Route laden");
  d.filter = QStringLiteral("Route-Datei (*.rte)");
  d.standardEndung = QStringLiteral("rte");
  d.ordner = QString::fromStdString(ProgVerzeichnis + "Route");
  const QString datei = ui::dialoge().dateiOeffnen(d);
  if (datei.isEmpty()) return;
  std::ifstream f(datei.toStdString(), std::ios::binary);
  std::string zeile;
  std::getline(f, zeile);
  if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
  const auto r = RouteAusZeile(zeile);
  if (!r) return;
  routeInFelder({r->ausgangsort, r->ausgangsPLZ, r->ausgangsStrasse, r->zielort, r->zielPLZ, r->zielStrasse});
  // Logo and hints follow with the next change of the service or activation.
  const QSignalBlocker ruhe(cbRoutenplaner);
  cbRoutenplaner->setCurrentIndex(r->dienst >= 0 && r->dienst < cbRoutenplaner->count() ? r->dienst : -1);
}

bool TfrPLZ::routeEreignis(QObject* ziel, QEvent* e) {
  const bool klick = e->type() == QEvent::MouseButtonRelease;
  const bool doppel = e->type() == QEvent::MouseButtonDblClick;
  if ((ziel == lbAusgangsort && klick) || (ziel == edAusgangsort && doppel)) {
    OrtUebernehmen(false);
    return ziel == lbAusgangsort;
  }
  if ((ziel == lbZielort && klick) || (ziel == edZielort && doppel)) {
    OrtUebernehmen(true);
    return ziel == lbZielort;
  }
  if (ziel == img && klick) {
    RouteZeigen();
    return true;
  }
  return false;
}

}  // namespace orvano
