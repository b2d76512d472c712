#include "ut_AdressPruefung.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "core/Datenbestand.h"
#include "core/Texte.h"
#include "core/Windows1252.h"
#include "ui/Dialoge.h"
#include "ui/Knopf.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ui/Warten.h"

namespace orvano {

namespace {

QColor StatusFarbe(std::string_view status) {
  if (status == kAdressStatus[kPLZUnbekannt]) return QColor(255, 190, 190);
  if (status == kAdressStatus[kOrtPasstNicht]) return QColor(255, 215, 170);
  if (status == kAdressStatus[kStrasseFehlt] || status == kAdressStatus[kStrasseUnbekannt]) return QColor(255, 245, 160);
  if (status == kAdressStatus[kNichtGeprueft]) return QColor(225, 225, 225);
  if (status == kAdressStatus[kHausnummerAusserhalb]) return QColor(210, 225, 255);
  return QColor(205, 245, 205);
}

QString SpaltenText(const std::vector<std::string>& kopf, int i) {
  return i < 0 ? QStringLiteral("–") : ui::AusCp1252(kopf[static_cast<std::size_t>(i)]) + QStringLiteral(" (") + QString::number(i + 1) + QStringLiteral(")");
}

}  // namespace

TfrAdressPruefung::TfrAdressPruefung(const Datenbestand& db, QWidget* eltern) : QDialog(eltern), db_(db) {
  setObjectName("frAdressPruefung");
  setWindowTitle(QStringLiteral("Adressliste prüfen"));
  auto* v = new QVBoxLayout(this);
  auto* zeile = new QHBoxLayout;
  lbSpalten = new QLabel(this);
  cbFilter = new QComboBox(this);
  cbFilter->addItem(QStringLiteral("Alle"));
  for (const char* s : kAdressStatus) cbFilter->addItem(QString::fromUtf8(s));
  sbSpeichern = ui::Knopf(this, QStringLiteral("Speichern"), QStringLiteral("Die Liste mit Status und Vorschlag speichern"));
  sbExit = ui::Knopf(this, QStringLiteral("Exit"), QStringLiteral("Fenster schließen"));
  zeile->addWidget(lbSpalten, 1);
  zeile->addWidget(new QLabel(QStringLiteral("Zeigen:"), this));
  for (QWidget* w : std::initializer_list<QWidget*>{cbFilter, sbSpeichern, sbExit}) zeile->addWidget(w);
  v->addLayout(zeile);
  StringGrid1 = new ui::StringGrid(this);
  StringGrid1->setTabelle(&tabelle_);
  StringGrid1->zellFarbe = [this](int, int z) {
    if (z < 1 || z > static_cast<int>(zeilen_.size())) return QColor();
    return StatusFarbe(ergebnis_.befunde[static_cast<std::size_t>(zeilen_[static_cast<std::size_t>(z - 1)] - 1)].status);
  };
  v->addWidget(StringGrid1, 1);
  ProgressBar1 = new QProgressBar(this);
  ProgressBar1->hide();
  StatusBar1 = new QStatusBar(this);
  status_ = std::make_unique<ui::StatusLeiste>(StatusBar1, 2);
  v->addWidget(ProgressBar1);
  v->addWidget(StatusBar1);
  connect(cbFilter, &QComboBox::currentIndexChanged, this, [this](int i) {
    filterVorwahl = i;
    filtern(i == 0 ? QString() : cbFilter->itemText(i));
  });
  connect(sbSpeichern, &QPushButton::clicked, this, &TfrAdressPruefung::sbSpeichernClick);
  connect(sbExit, &QPushButton::clicked, this, &QDialog::close);
  connect(StringGrid1, &QAbstractItemView::doubleClicked, this, [this](const QModelIndex& i) {
    const std::int32_t k = satzFuer(i.row() + 1);  // the title row is the header
    if (k > 0 && satzZeigen) satzZeigen(k);
  });
  resize(900, 560);
}

TfrAdressPruefung::~TfrAdressPruefung() { StringGrid1->setTabelle(nullptr); }

bool TfrAdressPruefung::pruefen(const QString& datei) {
  datei_ = datei;
  bool fertig = false;
  {
    ui::Lauf lauf(ProgressBar1, status_.get(), ui::Lauf::Escape::Nachfragen);
    lauf.status(0, QStringLiteral("Adressliste prüfen"));
    lauf.status(1, QStringLiteral("Mit ESC-Taste abbrechen"));
    fertig = lauf.ausfuehren([&] { ergebnis_ = AdressListePruefen(db_, datei.toStdString(), lauf); });
  }
  ProgressBar1->hide();
  if (!fertig) return false;
  const std::vector<std::string> kopf = ergebnis_.zellen(0);
  const AdressSpalten& s = ergebnis_.spalten;
  lbSpalten->setText(QStringLiteral("Spalten: PLZ ") + SpaltenText(kopf, s.plz) + QStringLiteral(", Ort ") + SpaltenText(kopf, s.ort) +
                     QStringLiteral(", Straße ") + SpaltenText(kopf, s.strasse) + QStringLiteral(", Hausnummer ") + SpaltenText(kopf, s.nr));
  std::map<std::string, int> anzahl;
  for (const AdressBefund& b : ergebnis_.befunde) ++anzahl[b.status];
  QString summe;
  for (const char* st : kAdressStatus) summe += QString::fromUtf8(st) + QStringLiteral(": ") + QString::number(anzahl[st]) + QStringLiteral("   ");
  status_->setText(0, QString::number(ergebnis_.befunde.size()) + QStringLiteral(" Zeilen") + (ergebnis_.abgebrochen ? QStringLiteral(" (abgebrochen)") : QString()));
  status_->setText(1, summe);
  setWindowTitle(QStringLiteral("Adressliste prüfen: ") + datei);
  const int filter = std::clamp(filterVorwahl, 0, cbFilter->count() - 1);
  {
    const QSignalBlocker ruhe(cbFilter);
    cbFilter->setCurrentIndex(filter);
  }
  filtern(filter == 0 ? QString() : cbFilter->itemText(filter));
  return true;
}

void TfrAdressPruefung::filtern(const QString& status) {
  const std::string gesucht = status.toStdString();
  const std::vector<std::string> kopf = ergebnis_.zeilen.empty() ? std::vector<std::string>() : ergebnis_.zellen(0);
  const int spalten = static_cast<int>(kopf.size()) + 2;
  zeilen_.clear();
  for (std::size_t i = 0; i < ergebnis_.befunde.size(); ++i) {
    if (gesucht.empty() || ergebnis_.befunde[i].status == gesucht) zeilen_.push_back(static_cast<int>(i) + 1);
  }
  tabelle_ = Tabelle(spalten, static_cast<int>(std::max<std::size_t>(zeilen_.size(), 1)) + 1);
  for (int c = 0; c < spalten - 2; ++c) {
    tabelle_.setZelle(c, 0, kopf[static_cast<std::size_t>(c)]);
    tabelle_.setBreite(c, 120);
  }
  tabelle_.setZelle(spalten - 2, 0, "Status");
  tabelle_.setZelle(spalten - 1, 0, "Vorschlag");
  tabelle_.setBreite(spalten - 2, 150);
  tabelle_.setBreite(spalten - 1, 180);
  for (std::size_t z = 0; z < zeilen_.size(); ++z) {
    const auto n = static_cast<std::size_t>(zeilen_[z]);
    std::vector<std::string> zellen = ergebnis_.zellen(n);
    zellen.resize(static_cast<std::size_t>(spalten - 2));
    zellen.push_back(Utf8ZuCp1252(ergebnis_.befunde[n - 1].status));
    zellen.push_back(ergebnis_.befunde[n - 1].vorschlag);
    tabelle_.setZeile(static_cast<int>(z) + 1, zellen);
  }
  StringGrid1->setTabelle(&tabelle_);
  StringGrid1->aktualisieren();
}

std::int32_t TfrAdressPruefung::satzFuer(int zeile) const {
  if (zeile < 1 || zeile > static_cast<int>(zeilen_.size())) return 0;
  const std::vector<std::string> z = ergebnis_.zellen(static_cast<std::size_t>(zeilen_[static_cast<std::size_t>(zeile - 1)]));
  auto zelle = [&](int i) { return i >= 0 && i < static_cast<int>(z.size()) ? z[static_cast<std::size_t>(i)] : std::string(); };
  const std::string ziffern = NurZiffern(zelle(ergebnis_.spalten.plz));
  if (ziffern.empty() || ziffern.size() > 6) return 0;
  const std::int32_t plz = static_cast<std::int32_t>(std::stol(ziffern));
  std::int32_t erste = 0;
  for (std::int32_t k = 1; k <= db_.PLZAnzahl; ++k) {
    const TPLZRecord& r = db_.PLZTabelle[static_cast<std::size_t>(k)];
    if (r.PLZ != plz) continue;
    if (TexteGleich(r.Ort.text(), zelle(ergebnis_.spalten.ort))) return k;
    if (erste == 0) erste = k;
  }
  return erste;
}

void TfrAdressPruefung::sbSpeichernClick() {
  if (ergebnis_.zeilen.empty()) return;
  ui::DateiDialog d;
  d.titel = QStringLiteral("Speichern unter");
  d.filter = QStringLiteral("CSV-Datei (*.csv);;TXT-Datei (*.txt)");
  d.standardEndung = QStringLiteral("csv");
  const QString gewaehlt = ui::dialoge().dateiSpeichern(d);
  if (gewaehlt.isEmpty()) return;
  try {
    AdressListeSchreiben(db_, ergebnis_, gewaehlt.toStdString());
    status_->setText(0, QStringLiteral("Gespeichert: ") + gewaehlt);
  } catch (const DateiFehler& f) {
    ui::Meldung(QString::fromStdString(f.what()));
  }
}

}  // namespace orvano
