#include "ut_Ersetzen.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QVBoxLayout>

#include "Ersetzen.h"
#include "core/Dateien.h"
#include "core/Datenbestand.h"
#include "ui/Dialoge.h"
#include "ui/Knopf.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ui/Warten.h"

namespace orvano {

TfrErsetzen::TfrErsetzen(const Datenbestand& db, QWidget* eltern) : QDialog(eltern), db_(db) {
  setObjectName("frErsetzen");
  setWindowTitle(QStringLiteral(" Ersetzen"));
  auto* v = new QVBoxLayout(this);
  lbTit = new QLabel(this);
  QFont fett = lbTit->font();
  fett.setBold(true);
  lbTit->setFont(fett);
  v->addWidget(lbTit);
  auto* g = new QGridLayout;
  edAlt = new QLineEdit(this);
  edNeu = new QLineEdit(this);
  g->addWidget(new QLabel(QStringLiteral("Alt:"), this), 0, 0);
  g->addWidget(edAlt, 0, 1);
  g->addWidget(new QLabel(QStringLiteral("Neu:"), this), 1, 0);
  g->addWidget(edNeu, 1, 1);
  sbErsetzen = ui::Knopf(this, QStringLiteral("Ersetzen"), QStringLiteral("Ersetzen"));
  sbSpeichern = ui::Knopf(this, QStringLiteral("Speichern"), QStringLiteral("Datei speichern"));
  sbExit = ui::Knopf(this, QStringLiteral("Exit"), QStringLiteral("Fenster schließen"));
  g->addWidget(sbErsetzen, 0, 2);
  g->addWidget(sbSpeichern, 1, 2);
  g->addWidget(sbExit, 1, 3);
  v->addLayout(g);
  lbGefunden = new QLabel(this);
  lbGefunden->setStyleSheet(QStringLiteral("color: red;"));
  v->addWidget(lbGefunden);
  sg1 = new ui::StringGrid(this);
  sg1->setTabelle(&liste_);
  sg1->setFesteFarbe(QColor(0xA6, 0xCA, 0xF0));
  // Hidden until the first run, the list keeps its room so that nothing else moves.
  QSizePolicy platz = sg1->sizePolicy();
  platz.setRetainSizeWhenHidden(true);
  sg1->setSizePolicy(platz);
  v->addWidget(sg1, 1);
  ui::Leisten leisten = ui::LeistenAnlegen(this, v, 2);
  ProgressBar1 = leisten.balken;
  StatusBar1 = leisten.leiste;
  status_ = std::move(leisten.status);
  liste_.setFesteSpalten(0);
  const int breiten[4] = {50, 300, 300, 80};
  for (int c = 0; c < 4; ++c) liste_.setBreite(c, breiten[c]);
  connect(sbErsetzen, &QPushButton::clicked, this, &TfrErsetzen::sbErsetzenClick);
  connect(sbSpeichern, &QPushButton::clicked, this, &TfrErsetzen::sbSpeichernClick);
  connect(sbExit, &QPushButton::clicked, this, &QDialog::reject);
  ui::EscapeSchliesstNicht(this);
  resize(820, 560);
}

TfrErsetzen::~TfrErsetzen() { sg1->setTabelle(nullptr); }

void TfrErsetzen::vorbereiten(EditorArt art, int spalte, const QString& titel) {
  art_ = art;
  spalte_ = spalte;
  lbTit->setText(titel);
  geschrieben_.clear();
}

std::string TfrErsetzen::ziel() const { return art_ == EditorArt::PLZ ? db_.PLZDateiName() : db_.StrassenDateiName(); }
std::string TfrErsetzen::temp() const { return ErsetzenTempDatei(ziel(), art_); }

void TfrErsetzen::listeLeeren() {
  TabelleLeeren(liste_);
  sg1->aktualisieren();
}

void TfrErsetzen::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  lbGefunden->clear();
  listeLeeren();
  sg1->hide();
  sbSpeichern->setEnabled(false);
}

void TfrErsetzen::sbErsetzenClick() {
  if (edAlt->text().isEmpty()) {
    ui::Hinweis(QStringLiteral("Zeichenkette in Alt eingeben"));
    edAlt->setFocus();
    return;
  }
  listeLeeren();
  const char* titel[4] = {"Nr", "Alt", "Neu", "Nr in DB"};
  for (int c = 0; c < 4; ++c) liste_.setZelle(c, 0, titel[c]);
  sg1->show();
  sbSpeichern->setEnabled(false);
  lbGefunden->clear();
  ErsetzenErgebnis e;
  bool lief = false;
  {
    ui::Lauf lauf(ProgressBar1, status_.get(), ui::Lauf::Escape::Nachfragen);
    lauf.setAbbruchFrage(QStringLiteral("Wirklich abbrechen?"));
    lauf.status(1, QStringLiteral("Mit ESC-Taste abbrechen"));
    lief = lauf.ausfuehren([&] { e = ErsetzenLaufen(db_, art_, spalte_, ui::ZuCp1252(edAlt->text()), ui::ZuCp1252(edNeu->text()), temp(), lauf); });
  }
  if (!lief || e.abgebrochen) {
    listeLeeren();
    return;
  }
  liste_.setZeilen(std::max<int>(2, static_cast<int>(e.aenderungen.size()) + 1));
  for (std::size_t i = 0; i < e.aenderungen.size(); ++i) {
    const auto& a = e.aenderungen[i];
    liste_.setZeile(static_cast<int>(i) + 1, {std::to_string(a.nr), a.alt, a.neu, std::to_string(a.nrInDb)});
  }
  sg1->aktualisieren();
  aenderungen_ = static_cast<std::int64_t>(e.aenderungen.size());
  lbGefunden->setText(aenderungen_ == 0 ? QStringLiteral("Keine Anderung") : QStringLiteral("Anzahl Änderung: ") + QString::number(aenderungen_));
  sbSpeichern->setEnabled(true);
}

void TfrErsetzen::sbSpeichernClick() {
  const std::string z = ziel();
  const QString frage = QString::number(aenderungen_) + QStringLiteral(" Änderung") + QChar(13) +
                        (art_ == EditorArt::PLZ ? QStringLiteral("PLZ-Datenbank in ") : QStringLiteral("Strassen-Datenbank in ")) +
                        QString::fromStdString(db_.OrdnerName()) + kTrenner + QString::fromStdString(DateiNameTeil(z)) +
                        QStringLiteral(" speichern?");
  if (!ui::FrageJaNein(frage) || !DateiVorhanden(temp())) return;
  sg1->setBeschaeftigt(true);
  bool gut = false;
  {
    ui::Lauf lauf(ProgressBar1, nullptr, ui::Lauf::Escape::Aus);
    gut = lauf.ausfuehren([&] {
      // Under the file's lock: nobody wrote it since the copy was made from the loaded table.
      const SchreibSperre sperre(z);
      db_.MussUnveraendertSein(art_ == EditorArt::PLZ);
      ErsetzenSpeichern(temp(), z);
    });
  }
  sg1->setBeschaeftigt(false);
  if (!gut) return;
  geschrieben_ = z;
  accept();
}

void TfrErsetzen::done(int ergebnis) {
  DateiLoeschen(temp());
  QDialog::done(ergebnis);
}

}  // namespace orvano
