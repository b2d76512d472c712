#include "ZellenVerlauf.h"

#include <QAction>
#include <QUndoStack>
#include <QWidget>

#include "StringGrid.h"

namespace orvano::ui {

class ZellenSchritt : public QUndoCommand {
 public:
  ZellenSchritt(ZellenVerlauf& v, int spalte, int zeile, std::string alt, std::string neu)
      : v_(v), spalte_(spalte), zeile_(zeile), alt_(std::move(alt)), neu_(std::move(neu)) {}
  void redo() override {
    if (erstes_) {
      erstes_ = false;
      return;
    }
    setzen(neu_);
  }
  void undo() override { setzen(alt_); }

 private:
  void setzen(const std::string& text) {
    v_.ruht_ = true;
    v_.grid_->editorSchliessen();
    v_.grid_->tabelle()->setZelle(spalte_, zeile_, text);
    v_.grid_->zeilenAktualisieren(zeile_, zeile_);
    v_.grid_->setAktuelleZelle(spalte_, zeile_);
    v_.ruht_ = false;
  }
  ZellenVerlauf& v_;
  int spalte_, zeile_;
  std::string alt_, neu_;
  bool erstes_ = true;
};

class ZeilenSchritt : public QUndoCommand {
 public:
  ZeilenSchritt(ZellenVerlauf& v, int zeile) : v_(v), zeile_(zeile), zellen_(v.grid_->tabelle()->zeile(zeile)) {}
  void redo() override {
    if (erstes_) {
      erstes_ = false;
      return;
    }
    Tabelle& t = *v_.grid_->tabelle();
    t.zeileEinfuegen(zeile_);
    t.setZeile(zeile_, zellen_);
    fertig();
  }
  void undo() override {
    v_.grid_->editorSchliessen();
    v_.grid_->tabelle()->zeileEntfernen(zeile_);
    fertig();
  }

 private:
  void fertig() {
    if (v_.nachZeilen) v_.nachZeilen();
    v_.grid_->aktualisieren();
    v_.grid_->setAktuelleZelle(std::max(1, v_.grid_->aktuelleSpalte()), std::min(zeile_, v_.grid_->tabelle()->zeilen() - 1));
  }
  ZellenVerlauf& v_;
  int zeile_;
  std::vector<std::string> zellen_;
  bool erstes_ = true;
};

ZellenVerlauf::ZellenVerlauf(StringGrid* grid, QWidget* fenster) : QObject(fenster), grid_(grid), stapel_(new QUndoStack(this)) {
  grid_->modell()->vorBearbeitung = [this](int spalte, int zeile, const std::string& alt, const std::string& neu) {
    if (!ruht_) stapel_->push(new ZellenSchritt(*this, spalte, zeile, alt, neu));
  };
  auto* zurueck = new QAction(fenster);
  zurueck->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
  auto* vor = new QAction(fenster);
  vor->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  for (QAction* a : {zurueck, vor}) {
    // Two grids in one window each keep their own steps: the keys then act where the focus is.
    a->setShortcutContext(fenster->isWindow() ? Qt::WindowShortcut : Qt::WidgetWithChildrenShortcut);
    fenster->addAction(a);
  }
  connect(zurueck, &QAction::triggered, this, [this] { rueckgaengig(); });
  connect(vor, &QAction::triggered, this, [this] { wiederholen(); });
}

ZellenVerlauf::~ZellenVerlauf() {
  if (grid_) grid_->modell()->vorBearbeitung = nullptr;
}

void ZellenVerlauf::zeileEingefuegt(int zeile) { stapel_->push(new ZeilenSchritt(*this, zeile)); }

void ZellenVerlauf::leeren() { stapel_->clear(); }

bool ZellenVerlauf::kannRueckgaengig() const { return stapel_->canUndo(); }

void ZellenVerlauf::rueckgaengig() {
  grid_->editorSchliessen();
  if (!stapel_->canUndo()) return;
  stapel_->undo();
  if (nachSchritt) nachSchritt(stapel_->isClean());
}

void ZellenVerlauf::wiederholen() {
  grid_->editorSchliessen();
  if (!stapel_->canRedo()) return;
  stapel_->redo();
  if (nachSchritt) nachSchritt(stapel_->isClean());
}

}  // namespace orvano::ui
