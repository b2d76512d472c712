// TfrPLZ: undo and redo of the edits not yet saved, the deletion of a row.
#include <QAction>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QUndoStack>

#include "Bearbeiten.h"
#include "PLZSpalten.h"
#include "core/Pfade.h"
#include "core/Texte.h"
#include "ui/Dialoge.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ut_PLZ.h"

namespace orvano {

namespace {

// Each step acts on the grid's table (cells, rows) or on the record view's fields; the first
// redo of a step that the user already did is skipped.
class PLZBefehl : public QUndoCommand {
 public:
  PLZBefehl(TfrPLZ& f, const QString& text) : QUndoCommand(text), f_(f) {}

 protected:
  bool erstesMal() {
    const bool ja = erstes_;
    erstes_ = false;
    return ja;
  }
  TfrPLZ& f_;

 private:
  bool erstes_ = true;
};

class ZelleBefehl : public PLZBefehl {
 public:
  ZelleBefehl(TfrPLZ& f, int spalte, int zeile, std::string alt, std::string neu)
      : PLZBefehl(f, QStringLiteral("Zelle ändern")), spalte_(spalte), zeile_(zeile), alt_(std::move(alt)), neu_(std::move(neu)) {}
  void redo() override {
    if (!erstesMal()) f_.ZelleSetzen(spalte_, zeile_, neu_);
  }
  void undo() override { f_.ZelleSetzen(spalte_, zeile_, alt_); }

 private:
  int spalte_, zeile_;
  std::string alt_, neu_;
};

class ZeileBefehl : public PLZBefehl {
 public:
  // NEU: a row appended by the user; otherwise a row deleted.
  ZeileBefehl(TfrPLZ& f, bool neu, int zeile, std::vector<std::string> zellen)
      : PLZBefehl(f, neu ? QStringLiteral("Neue Zeile") : QStringLiteral("Zeile löschen")),
        neu_(neu), zeile_(zeile), zellen_(std::move(zellen)) {}
  void redo() override {
    if (erstesMal()) return;
    if (neu_) {
      f_.ZeileEinsetzen(zeile_, zellen_);
    } else {
      f_.ZeileWegnehmen(zeile_);
    }
  }
  void undo() override {
    if (neu_) {
      f_.ZeileWegnehmen(zeile_);
    } else {
      f_.ZeileEinsetzen(zeile_, zellen_);
    }
  }

 private:
  bool neu_;
  int zeile_;
  std::vector<std::string> zellen_;
};

class FeldBefehl : public PLZBefehl {
 public:
  FeldBefehl(TfrPLZ& f, int zeile, int feld, QString alt, QString neu)
      : PLZBefehl(f, QStringLiteral("Feld ändern")), zeile_(zeile), feld_(feld), alt_(std::move(alt)), neu_(std::move(neu)) {}
  void redo() override {
    if (!erstesMal()) f_.FeldSetzen(zeile_, feld_, neu_);
  }
  void undo() override { f_.FeldSetzen(zeile_, feld_, alt_); }

 private:
  int zeile_;
  int feld_;
  QString alt_, neu_;
};

}  // namespace

void TfrPLZ::verlaufAufbauen() {
  verlauf_ = new QUndoStack(this);
  // Back at the saved state nothing is left to save.
  connect(verlauf_, &QUndoStack::indexChanged, this, [this] { db_.Geaendert = !verlauf_->isClean(); });
  StringGrid1->modell()->vorBearbeitung = [this](int spalte, int zeile, const std::string& alt, const std::string& neu) {
    if (!verlaufRuht_) verlauf_->push(new ZelleBefehl(*this, spalte, zeile, alt, neu));
  };
  const auto liste = felder();
  for (int i = 0; i < liste.size(); ++i) {
    connect(liste[i], &QLineEdit::editingFinished, this, [this, i] { feldUebernehmen(i); });
  }
}

void TfrPLZ::bearbeitenMenueAufbauen(QMenu* menue) {
  miRueckgaengig = new QAction(QStringLiteral("&Rückgängig"), this);
  miRueckgaengig->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Z)});
  miWiederholen = new QAction(QStringLiteral("&Wiederholen"), this);
  miWiederholen->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  connect(miRueckgaengig, &QAction::triggered, this, [this] { Rueckgaengig(); });
  connect(miWiederholen, &QAction::triggered, this, [this] { Wiederholen(); });
  // A field typed into but not yet left counts as a step that can be undone.
  auto zustand = [this] {
    miRueckgaengig->setText(verlauf_->canUndo() ? QStringLiteral("&Rückgängig: ") + verlauf_->undoText() : QStringLiteral("&Rückgängig"));
    miWiederholen->setText(verlauf_->canRedo() ? QStringLiteral("&Wiederholen: ") + verlauf_->redoText() : QStringLiteral("&Wiederholen"));
    miWiederholen->setEnabled(verlauf_->canRedo());
  };
  connect(verlauf_, &QUndoStack::indexChanged, this, zustand);
  connect(verlauf_, &QUndoStack::cleanChanged, this, zustand);
  zustand();
  miSpeichern = menue->addAction(QStringLiteral("&Speichern"));
  miSpeichern->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  connect(miSpeichern, &QAction::triggered, this, [this] { sbSpeichernKlick(Qt::LeftButton); });
  menue->addSeparator();
  menue->addAction(miRueckgaengig);
  menue->addAction(miWiederholen);
  menue->addSeparator();
  miZeileLoeschen = menue->addAction(QStringLiteral("Zeile &löschen"));
  miZeileLoeschen->setShortcut(QKeySequence(Qt::Key_Delete));
  // Only on the grid itself: in an open cell or a field Delete deletes characters.
  miZeileLoeschen->setShortcutContext(Qt::WidgetShortcut);
  StringGrid1->addAction(miZeileLoeschen);
  connect(miZeileLoeschen, &QAction::triggered, this, [this] { ZeileLoeschen(); });
}

void TfrPLZ::Rueckgaengig() {
  feldUebernehmenAlle();
  verlauf_->undo();
}

void TfrPLZ::Wiederholen() {
  feldUebernehmenAlle();
  verlauf_->redo();
}

void TfrPLZ::VerlaufLeeren() {
  const bool geaendert = db_.Geaendert;
  verlauf_->clear();
  db_.Geaendert = geaendert;
}

bool TfrPLZ::gridInDateiOrdnung() const {
  for (int r = 1; r < daten_.zeilen(); ++r) {
    const std::int32_t k = TextZuZahl(daten_.zelle(kSpalteIndex, r));
    if (k != 0 && k != r) return false;
  }
  return true;
}

void TfrPLZ::VerlaufGespeichert() { verlauf_->setClean(); }

void TfrPLZ::ansichtOhneFrage(bool tabelle) {
  // Steps of the other view were saved when the user switched: nothing is lost by switching back.
  if (TabellenAnsicht == tabelle) return;
  if (tabelle) fensterPosition_ = pos();
  TabellenAnsicht = tabelle;
  AnsichtUmschalten(true);
}

void TfrPLZ::ZelleSetzen(int spalte, int zeile, const std::string& text) {
  const bool vorher = verlaufRuht_;
  verlaufRuht_ = true;
  StringGrid1->editorSchliessen();
  daten_.setZelle(spalte, zeile, text);
  StringGrid1->zeilenAktualisieren(zeile, zeile);
  ansichtOhneFrage(true);
  zeileZeigenUndWaehlen(spalte, zeile);
  verlaufRuht_ = vorher;
}

void TfrPLZ::ZeileEinsetzen(int zeile, const std::vector<std::string>& zellen) {
  StringGrid1->editorSchliessen();
  if (zeile >= daten_.zeilen()) {
    daten_.setZeilen(zeile + 1);
  } else {
    daten_.zeileEinfuegen(zeile);
  }
  daten_.setZeile(zeile, zellen);
  StringGrid1->aktualisieren();
  StringGrid1->neueZeileZeigen(zeile);
  ansichtOhneFrage(true);
  zeileZeigenUndWaehlen(std::max(1, StringGrid1->aktuelleSpalte()), zeile);
  AnzahlAnzeigen();
}

void TfrPLZ::ZeileWegnehmen(int zeile) {
  StringGrid1->editorSchliessen();
  if (zeile < 1 || zeile >= daten_.zeilen()) return;
  if (daten_.zeilen() > 2) {
    daten_.zeileEntfernen(zeile);
  } else {
    daten_.zeileLeeren(zeile);
  }
  StringGrid1->aktualisieren();
  ansichtOhneFrage(true);
  zeileZeigenUndWaehlen(std::max(1, StringGrid1->aktuelleSpalte()), std::min(zeile, daten_.zeilen() - 1));
  AnzahlAnzeigen();
}

void TfrPLZ::FeldSetzen(int zeile, int feld, const QString& text) {
  const bool vorher = verlaufRuht_;
  verlaufRuht_ = true;
  ansichtOhneFrage(false);
  if (StringGrid1->aktuelleZeile() != zeile) {
    // Edits of another record were saved when the user left it: it is shown as stored.
    zeileZeigenUndWaehlen(std::max(0, StringGrid1->aktuelleSpalte()), zeile);
    DatensatzZeigen(TextZuZahl(daten_.zelle(kSpalteIndex, zeile)));
  }
  QLineEdit* f = felder()[feld];
  f->setText(text);
  feldStand_[static_cast<std::size_t>(feld)] = text;
  f->setFocus();
  verlaufRuht_ = vorher;
}

void TfrPLZ::feldUebernehmen(int feld) {
  if (TabellenAnsicht || verlaufRuht_) return;
  const QString text = felder()[feld]->text();
  QString& stand = feldStand_[static_cast<std::size_t>(feld)];
  if (text == stand) return;
  verlauf_->push(new FeldBefehl(*this, StringGrid1->aktuelleZeile(), feld, stand, text));
  stand = text;
}

void TfrPLZ::feldUebernehmenAlle() {
  for (int i = 0; i < kMaskenFelder; ++i) feldUebernehmen(i);
}

void TfrPLZ::feldStandMerken() {
  const auto liste = felder();
  for (int i = 0; i < liste.size(); ++i) feldStand_[static_cast<std::size_t>(i)] = liste[i]->text();
}

void TfrPLZ::neueZeileAnhaengen() {
  const int neu = daten_.zeilen();
  std::vector<std::string> zellen(static_cast<std::size_t>(daten_.spalten()));
  const std::string land = db_.Land;
  zellen[0] = std::to_string(neu);
  zellen[kSpalteStaat] = LandISO(land.empty() ? ' ' : land.front());
  ZeileEinsetzen(neu, zellen);
  StringGrid1->setAktuelleZelle(1, neu);
  StringGrid1->setFocus();
  db_.Geaendert = true;
  verlauf_->push(new ZeileBefehl(*this, true, neu, zellen));
}

void TfrPLZ::ZeileLoeschen() {
  if (!TabellenAnsicht) return;
  StringGrid1->editorSchliessen();
  const int zeile = StringGrid1->aktuelleZeile();
  if (zeile < 1 || zeile >= daten_.zeilen()) return;
  const QString was = ui::AusCp1252(daten_.zelle(kSpaltePLZ, zeile)) + QStringLiteral(" ") + ui::AusCp1252(daten_.zelle(kSpalteOrt, zeile));
  if (!ui::FrageJaNein(QStringLiteral("Zeile ") + was.trimmed() + QStringLiteral(" löschen?\rGelöscht wird beim Speichern."))) return;
  std::vector<std::string> zellen = daten_.zeile(zeile);
  ZeileWegnehmen(zeile);
  db_.Geaendert = true;
  verlauf_->push(new ZeileBefehl(*this, false, zeile, std::move(zellen)));
}

bool TfrPLZ::verlaufTaste(QLineEdit* feld, QEvent* e) {
  // A field's own undo goes first; when it has nothing left, the window's steps take the key.
  if (e->type() != QEvent::ShortcutOverride) return false;
  auto* k = static_cast<QKeyEvent*>(e);
  if (k->matches(QKeySequence::Undo) && !feld->isUndoAvailable()) {
    e->ignore();
    return true;
  }
  if (k->matches(QKeySequence::Redo) && !feld->isRedoAvailable()) {
    e->ignore();
    return true;
  }
  return false;
}

}  // namespace orvano
