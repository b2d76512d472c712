#include "ut_SichCopy.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSignalBlocker>

#include "Sicherung.h"
#include "core/Dateien.h"
#include "core/Pfade.h"
#include "core/Datenbestand.h"
#include "ui/Dialoge.h"
#include "folders/OrdnerAuswahl.h"
#include "ui/StringGrid.h"
#include "ui/Warten.h"

namespace orvano {

namespace {
constexpr int kAuswahl = 3;
}

TfrSichCopy::TfrSichCopy(const Datenbestand& db, QWidget* eltern) : QDialog(eltern), db_(db), liste_(5, 2) {
  setObjectName("frSichCopy");
  setWindowTitle(QStringLiteral(" Sicherheits-Copy"));
  liste_.setFesteSpalten(1);
  const char* titel[] = {" LNr", " Datei", " Anzahl", " Auswahl", " Ordner"};
  const int breiten[] = {40, 300, 80, 60, 90};
  for (int c = 0; c < 5; ++c) {
    liste_.setZelle(c, 0, titel[c]);
    liste_.setBreite(c, breiten[c]);
  }
  auto* v = new QVBoxLayout(this);
  sg1 = new ui::StringGrid(this);
  sg1->setObjectName("sg1");
  sg1->setTabelle(&liste_);
  sg1->zellFarbe = [this](int spalte, int zeile) {
    if (spalte > 0 && zeile == sg1->aktuelleZeile() && liste_.zelle(kAuswahl, zeile) == " X") {
      return ui::StringGrid::kHellgruen;
    }
    return QColor(Qt::white);
  };
  v->addWidget(sg1, 1);
  auto* h = new QHBoxLayout;
  cbOrdner = new QComboBox(this);
  cbOrdner->setToolTip(QStringLiteral("Ordner mit Namen  \"Ord_*\" werden gelesen"));
  sbLoschen = new QPushButton(QStringLiteral("Löschen"), this);
  sbLoschen->setToolTip(QStringLiteral("Löschen"));
  sbWeiter = new QPushButton(QStringLiteral("Wiederherstellen"), this);
  sbWeiter->setToolTip(QStringLiteral("Von Sicherheitskopie wiederherstellen"));
  sbExit = new QPushButton(QStringLiteral("Exit"), this);
  sbExit->setToolTip(QStringLiteral("Fenster schließen"));
  for (auto* b : {sbLoschen, sbWeiter, sbExit}) b->setAutoDefault(false);
  h->addWidget(cbOrdner);
  h->addStretch(1);
  h->addWidget(sbLoschen);
  h->addWidget(sbWeiter);
  h->addWidget(sbExit);
  v->addLayout(h);
  connect(sg1, &ui::StringGrid::geklickt, this, [this](int, int, Qt::MouseButton) { sg1Click(); });
  connect(sbWeiter, &QPushButton::clicked, this, &TfrSichCopy::sbWeiterClick);
  connect(sbLoschen, &QPushButton::clicked, this, &TfrSichCopy::sbLoschenClick);
  connect(sbExit, &QPushButton::clicked, this, &QDialog::accept);
  // Only the backups of the chosen folder can be restored into it (and older ones without a folder).
  connect(cbOrdner, &QComboBox::currentTextChanged, this, [this] { listeAufbauen(); });
  resize(640, 380);
}

TfrSichCopy::~TfrSichCopy() { sg1->setTabelle(nullptr); }

void TfrSichCopy::showEvent(QShowEvent* e) {
  Tag = 0;
  wiederhergestellteDatei.clear();
  zahlenVeraltet = false;
  {
    const QSignalBlocker ruhe(cbOrdner);
    OrdnerComboFuellen(cbOrdner, db_.OrdnerName());
  }
  listeAufbauen();
  QDialog::showEvent(e);
}

void TfrSichCopy::listeAufbauen() {
  // A backup that stays in the list keeps its mark.
  const int markiert = markierteZeile();
  const std::string gewaehlt = markiert > 0 ? std::string(liste_.zelle(1, markiert)) : std::string();
  TabelleLeeren(liste_);
  const std::string ordner = cbOrdner->currentText().toStdString();
  std::vector<SicherungsEintrag> sicherungen;
  for (SicherungsEintrag& s : SicherungenListe()) {
    const std::string herkunft = SicherungsHerkunft(s.name);
    if (herkunft.empty() || herkunft == ordner) sicherungen.push_back(std::move(s));
  }
  if (!sicherungen.empty()) liste_.setZeilen(static_cast<int>(sicherungen.size()) + 1);
  for (std::size_t i = 0; i < sicherungen.size(); ++i) {
    const int r = static_cast<int>(i) + 1;
    liste_.setZeile(r, {std::to_string(r), sicherungen[i].name,
                        sicherungen[i].anzahl < 0 ? std::string() : std::to_string(sicherungen[i].anzahl), "",
                        SicherungsHerkunft(sicherungen[i].name)});
    if (!gewaehlt.empty() && sicherungen[i].name == gewaehlt) liste_.setZelle(kAuswahl, r, " X");
  }
  sg1->aktualisieren();
}

void TfrSichCopy::sg1Click() {
  if (sg1->aktuelleSpalte() != kAuswahl) return;
  const int zeile = sg1->aktuelleZeile();
  const bool warMarkiert = liste_.zelle(kAuswahl, zeile) == " X";
  for (int r = 1; r < liste_.zeilen(); ++r) {
    if (r != zeile) liste_.setZelle(kAuswahl, r, "");
  }
  liste_.setZelle(kAuswahl, zeile, !warMarkiert && !liste_.zelle(1, zeile).empty() ? " X" : "");
  sg1->zeilenAktualisieren(1, liste_.zeilen() - 1);
}

int TfrSichCopy::markierteZeile() const {
  for (int r = 1; r < liste_.zeilen(); ++r) {
    if (liste_.zelle(kAuswahl, r) == " X") return r;
  }
  return 0;
}

void TfrSichCopy::sbWeiterClick() {
  const int r = markierteZeile();
  if (r == 0) {
    ui::Hinweis(QStringLiteral("Kein Auswahl"));
    return;
  }
  const std::string name(liste_.zelle(1, r));
  const std::string ziel = WiederherstellZiel(name);
  if (ziel.empty()) {
    ui::Meldung(QString::fromStdString(name) + QStringLiteral(" ist keine Sicherheitskopie einer Datenbank.") +
                QChar(13) + QStringLiteral("Wiederherstellen nicht möglich."));
    return;
  }
  if (!ui::FrageJaNein(QString::fromStdString(ziel) + QStringLiteral(" in ") + cbOrdner->currentText() +
                       QStringLiteral(" kopieren?"))) {
    return;
  }
  const std::string pfad = ProgVerzeichnis + cbOrdner->currentText().toStdString() + kTrenner + ziel;
  if (DateiVorhanden(pfad) && !ui::FrageJaNein(QString::fromStdString(pfad) + QStringLiteral(" überschreiben?"))) return;
  Wiederherstellung w;
  try {
    ui::Sanduhr sanduhr;
    w = SicherungWiederherstellen(name, ProgVerzeichnis + cbOrdner->currentText().toStdString() + kTrenner, HeutigesDatum());
  } catch (const DateiFehler& f) {
    ui::Meldung(QStringLiteral("Wiederherstellen nicht möglich:") + QChar(13) + QString::fromStdString(f.what()));
    return;
  }
  // The owner of the current data reloads when this was one of its files, and offers the recount.
  Tag = 1;
  wiederhergestellteDatei = w.ziel;
  zahlenVeraltet = w.zahlenVeraltet;
  listeAufbauen();
}

void TfrSichCopy::sbLoschenClick() {
  const int r = markierteZeile();
  if (r == 0) {
    ui::Hinweis(QStringLiteral("Kein Auswahl"));
    return;
  }
  const std::string name(liste_.zelle(1, r));
  if (!ui::FrageJaNein(QString::fromStdString(name) + QStringLiteral(" löschen?"))) return;
  {
    ui::Sanduhr sanduhr;
    DateiLoeschen(SicherungsOrdner() + name);
  }
  listeAufbauen();
}

}  // namespace orvano
