#include "StringGrid.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QStyledItemDelegate>

#include "EinfuegenFilter.h"
#include "Text.h"
#include "core/Datenbestand.h"
#include "core/Windows1252.h"

namespace orvano::ui {

const QColor StringGrid::kGelb(0xFF, 0xFF, 0x00);
const QColor StringGrid::kHellgruen(0xCC, 0xFF, 0xCC);
const QColor StringGrid::kGruen(0x80, 0xFF, 0x80);
const QColor StringGrid::kBeschaeftigt(0xC8, 0xC8, 0xC8);

// Paints every cell itself: background, black 8-point text 2 pixels in from the top left.
class ZellenMaler : public QStyledItemDelegate {
 public:
  explicit ZellenMaler(StringGrid* grid) : QStyledItemDelegate(grid), grid_(grid) {}

  void paint(QPainter* p, const QStyleOptionViewItem& option, const QModelIndex& index) const override {
    if (ArbeitLaeuft) {
      QStyledItemDelegate::paint(p, option, index);
      return;
    }
    const bool ausgewaehlt = option.state & QStyle::State_Selected;
    p->save();
    p->fillRect(option.rect, grid_->hintergrund(index.column(), grid_->modell()->tabellenZeile(index.row()), ausgewaehlt));
    p->setPen(Qt::black);
    p->setFont(grid_->font());
    p->drawText(option.rect.adjusted(2, 2, -1, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                index.data(Qt::DisplayRole).toString());
    p->restore();
  }

  QWidget* createEditor(QWidget* eltern, const QStyleOptionViewItem&, const QModelIndex& index) const override {
    auto* editor = new QLineEdit(eltern);
    editor->setFrame(false);
    editor->setFont(grid_->font());
    if (grid_->maxLaenge) {
      const int n = grid_->maxLaenge(index.column());
      if (n > 0) editor->setMaxLength(n);
    }
    StringGrid* grid = grid_;
    EinfuegenFiltern(editor, [grid](const std::string& text, char c) { return grid->tastenDruck ? grid->tastenDruck(c, text) : c; });
    return editor;
  }

  // The view installs the delegate as the editor's filter; the grid's key hooks come first,
  // so that Enter or a filtered key reaches the window before the editor acts on it.
  bool eventFilter(QObject* editor, QEvent* e) override {
    if (e->type() == QEvent::KeyPress && !grid_->weiterreichen_ &&
        grid_->tasteFiltern(static_cast<QKeyEvent*>(e), editor)) {
      return true;
    }
    return QStyledItemDelegate::eventFilter(editor, e);
  }

 private:
  StringGrid* grid_;
};

StringGrid::StringGrid(QWidget* eltern) : QTableView(eltern), modell_(new TabellenModell(nullptr, this)) {
  QFont f = font();
  f.setPointSize(8);
  setFont(f);
  setModel(modell_);
  setItemDelegate(new ZellenMaler(this));
  setWordWrap(false);
  setShowGrid(true);
  setSelectionMode(QAbstractItemView::ContiguousSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  verticalHeader()->hide();
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  verticalHeader()->setDefaultSectionSize(QFontMetrics(f).height() + 6);
  horizontalHeader()->setFont(f);
  horizontalHeader()->setHighlightSections(false);
  horizontalHeader()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Interactive);
  horizontalHeader()->viewport()->installEventFilter(this);
  kopfStil();
  connect(modell_, &TabellenModell::zelleBearbeitet, this, &StringGrid::zelleBearbeitet);
}

void StringGrid::setTabelle(Tabelle* tabelle) {
  angewandt_.clear();
  modell_->setTabelle(tabelle);
  spaltenAnwenden();
}

void StringGrid::aktualisieren() {
  const QModelIndex vorher = currentIndex();
  if (modell_->sichtAktiv()) {
    // The rows may have changed: the view is worked out anew, near the row shown before.
    const int zeile = aktuelleZeile();
    sichtAnwenden();
    spaltenAnwenden();
    if (vorher.isValid() && modell_->rowCount() > 0) {
      const int m = modell_->modellZeile(zeile);
      setCurrentIndex(modell_->index(m >= 0 ? m : std::min(vorher.row(), modell_->rowCount() - 1), vorher.column()));
    }
    return;
  }
  modell_->neuAufbauen();
  spaltenAnwenden();
  if (vorher.isValid() && modell_->rowCount() > 0) {
    setCurrentIndex(modell_->index(std::min(vorher.row(), modell_->rowCount() - 1), vorher.column()));
  }
}

void StringGrid::sichtAnwenden() {
  if (!tabelle() || SichtNeutral(wahl_)) {
    modell_->sichtAufheben();
  } else {
    modell_->setSicht(SichtZeilen(*tabelle(), wahl_));
  }
  QHeaderView* kopf = horizontalHeader();
  kopf->setSortIndicatorShown(wahl_.sortSpalte >= 0);
  if (wahl_.sortSpalte >= 0) kopf->setSortIndicator(wahl_.sortSpalte, wahl_.absteigend ? Qt::DescendingOrder : Qt::AscendingOrder);
}

void StringGrid::setSichtWahl(const SichtWahl& wahl) {
  const int zeile = aktuelleZeile();
  const int spalte = aktuelleSpalte();
  wahl_ = wahl;
  sichtAnwenden();
  if (modell_->rowCount() > 0) {
    const int m = modell_->modellZeile(zeile);
    const QModelIndex i = modell_->index(m >= 0 ? m : 0, spalte);
    setCurrentIndex(i);
    scrollTo(i);
  }
  emit sichtGeaendert();
}

void StringGrid::titelSortieren(int spalte) {
  SichtWahl w = wahl_;
  if (w.sortSpalte != spalte) {
    w.sortSpalte = spalte;
    w.absteigend = false;
  } else if (!w.absteigend) {
    w.absteigend = true;
  } else {
    w.sortSpalte = -1;
    w.absteigend = false;
  }
  w.sortArt = sortArt && w.sortSpalte >= 0 ? sortArt(w.sortSpalte) : SortArt::Text;
  setSichtWahl(w);
}

void StringGrid::setSpaltenMenue(bool ja) {
  spaltenMenue_ = ja;
  // Columns of such a grid can be moved by their titles; their order is part of its layout.
  horizontalHeader()->setSectionsMovable(ja);
}

void StringGrid::setBenutzerVerborgen(const QList<int>& spalten) {
  benutzerVerborgen_ = spalten;
  spaltenAnwenden();
}

QByteArray StringGrid::kopfZustand() const { return horizontalHeader()->saveState(); }

void StringGrid::kopfHerstellen(const QByteArray& zustand) {
  if (zustand.isEmpty() || !horizontalHeader()->restoreState(zustand)) return;
  // The stored arrow belongs to a sort of the last run, which is not the view now.
  horizontalHeader()->setSortIndicatorShown(wahl_.sortSpalte >= 0);
  if (wahl_.sortSpalte >= 0) horizontalHeader()->setSortIndicator(wahl_.sortSpalte, wahl_.absteigend ? Qt::DescendingOrder : Qt::AscendingOrder);
  // What is hidden follows the table and the user's choice, not the stored state.
  const Tabelle* t = tabelle();
  for (int c = 0; t && c < t->spalten(); ++c) setColumnHidden(c, t->verborgen(c) || benutzerVerborgen_.contains(c));
}

void StringGrid::spaltenMenueZeigen(const QPoint& wo) {
  const Tabelle* t = tabelle();
  if (!t) return;
  QMenu menue(this);
  for (int c = t->festeSpalten(); c < t->spalten(); ++c) {
    if (t->verborgen(c) || t->zelle(c, 0).empty()) continue;
    QAction* a = menue.addAction(AusCp1252(t->zelle(c, 0)));
    a->setCheckable(true);
    a->setChecked(!benutzerVerborgen_.contains(c));
    a->setData(c);
  }
  const QAction* gewaehlt = menue.exec(wo);
  if (!gewaehlt) return;
  const int c = gewaehlt->data().toInt();
  QList<int> neu = benutzerVerborgen_;
  if (gewaehlt->isChecked()) {
    neu.removeAll(c);
  } else {
    neu.append(c);
  }
  setBenutzerVerborgen(neu);
}

int StringGrid::zeileAn(int position) const {
  const int r = modell_->tabellenZeile(position - 1);
  return position >= 1 && position <= modell_->rowCount() ? std::max(0, r) : 0;
}

int StringGrid::position(int tabellenZeile) const {
  const int m = modell_->modellZeile(tabellenZeile);
  return m >= 0 && m < modell_->rowCount() ? m + 1 : 0;
}

std::vector<int> StringGrid::gezeigteTabellenZeilen() const {
  std::vector<int> zeilen;
  const int n = modell_->rowCount();
  zeilen.reserve(static_cast<std::size_t>(n));
  for (int m = 0; m < n; ++m) zeilen.push_back(modell_->tabellenZeile(m));
  return zeilen;
}

void StringGrid::spaltenAnwenden() {
  const Tabelle* t = tabelle();
  if (!t) return;
  for (int c = 0; c < t->spalten(); ++c) {
    if (t->verborgen(c) || benutzerVerborgen_.contains(c)) {
      setColumnHidden(c, true);
    } else {
      const bool warVerborgen = isColumnHidden(c);
      setColumnHidden(c, false);
      // A width the user dragged stays until the table asks for another one.
      const std::string titel(t->zeilen() > 0 ? t->zelle(c, 0) : std::string_view());
      if (!warVerborgen && c < static_cast<int>(angewandt_.size()) && angewandt_[static_cast<std::size_t>(c)] == std::make_pair(t->breite(c), titel)) {
        continue;
      }
      // A title is never cut: the column is at least as wide as its title needs in this font.
      int breite = t->breite(c);
      if (t->festeZeilen() > 0 && t->zeilen() > 0) {
        const QString titel = QString::fromStdString(Cp1252ZuUtf8(t->zelle(c, 0))).trimmed();
        if (!titel.isEmpty()) breite = std::max(breite, horizontalHeader()->fontMetrics().horizontalAdvance(titel) + 10);
      }
      setColumnWidth(c, breite);
    }
  }
  angewandt_.resize(static_cast<std::size_t>(t->spalten()));
  for (int c = 0; c < t->spalten(); ++c) {
    angewandt_[static_cast<std::size_t>(c)] = {t->breite(c), std::string(t->zeilen() > 0 ? t->zelle(c, 0) : std::string_view())};
  }
}

void StringGrid::zeilenAktualisieren(int von, int bis) { modell_->zeilenGeaendert(von, bis); }

void StringGrid::setBearbeitbar(bool ja) {
  modell_->setBearbeitbar(ja);
  setEditTriggers(ja ? QAbstractItemView::AnyKeyPressed | QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed
                     : QAbstractItemView::NoEditTriggers);
}

int StringGrid::aktuelleZeile() const {
  const QModelIndex i = currentIndex();
  return i.isValid() ? std::max(0, modell_->tabellenZeile(i.row())) : 0;
}

int StringGrid::aktuelleSpalte() const {
  const QModelIndex i = currentIndex();
  return i.isValid() ? i.column() : 0;
}

bool StringGrid::setAktuelleZelle(int spalte, int zeile) {
  const QModelIndex i = modell_->index(modell_->modellZeile(zeile), spalte);
  if (!i.isValid()) return false;
  setCurrentIndex(i);
  scrollTo(i);
  return true;
}

void StringGrid::editorSchliessen() {
  if (state() != QAbstractItemView::EditingState) return;
  if (QWidget* editor = indexWidget(currentIndex())) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
    return;
  }
  // Delegate editors are not index widgets; find the line edit among the viewport's children.
  for (auto* editor : viewport()->findChildren<QLineEdit*>(QString(), Qt::FindDirectChildrenOnly)) {
    commitData(editor);
    closeEditor(editor, QAbstractItemDelegate::NoHint);
  }
}

void StringGrid::setFesteFarbe(const QColor& farbe) {
  festeFarbe_ = farbe;
  kopfStil();
  viewport()->update();
}

void StringGrid::kopfStil() {
  horizontalHeader()->setStyleSheet(
      QStringLiteral("QHeaderView::section { background-color: %1; color: black; border: 0px; "
                     "border-right: 1px solid #808080; border-bottom: 1px solid #808080; padding-left: 2px; }")
          .arg(festeFarbe_.name()));
}

void StringGrid::setBeschaeftigt(bool ja) {
  beschaeftigt_ = ja;
  if (ja) {
    viewport()->setCursor(Qt::WaitCursor);
  } else {
    viewport()->unsetCursor();
  }
  viewport()->repaint();
}

QColor StringGrid::datenFarbe() const { return beschaeftigt_ ? kBeschaeftigt : QColor(Qt::white); }

QColor StringGrid::hintergrund(int spalte, int zeile, bool ausgewaehlt) const {
  const Tabelle* t = tabelle();
  if (t && spalte < t->festeSpalten()) return festeFarbe_;
  if (zellFarbe) {
    const QColor c = zellFarbe(spalte, zeile);
    if (c.isValid()) return c;
  }
  if (ausgewaehlt && !beschaeftigt_) return palette().color(QPalette::Highlight).lighter(170);
  return datenFarbe();
}

bool StringGrid::tasteFiltern(QKeyEvent* e, QObject* editor) {
  if (tasteRunter && tasteRunter(e->key(), e->modifiers())) return true;
  if (!tastenDruck || e->text().isEmpty()) return false;
  const QChar typ = e->text().at(0);
  // Control keys other than backspace (Enter, Tab, Escape, Delete) are not typed characters.
  if ((typ.unicode() < 32 && typ.unicode() != 8) || typ.unicode() == 127) return false;
  const char ein = ZeichenZuCp1252(typ);
  auto* zeile = qobject_cast<QLineEdit*>(editor);
  const std::string bisher =
      zeile ? ZuCp1252(zeile->text()) : std::string(tabelle() ? tabelle()->zelle(aktuelleSpalte(), aktuelleZeile()) : "");
  const char aus = ein ? tastenDruck(ein, bisher) : 0;
  if (aus == 0) return true;
  if (aus == ein) return false;
  const QString ersatz = AusCp1252(std::string_view(&aus, 1));
  if (zeile) {
    zeile->insert(ersatz);
  } else {
    QKeyEvent neu(e->type(), e->key(), e->modifiers(), ersatz);
    weiterreichen_ = true;
    QTableView::keyPressEvent(&neu);
    weiterreichen_ = false;
  }
  return true;
}

void StringGrid::keyPressEvent(QKeyEvent* e) {
  if (tasteFiltern(e, nullptr)) {
    e->accept();
    return;
  }
  weiterreichen_ = true;
  QTableView::keyPressEvent(e);
  weiterreichen_ = false;
}

bool StringGrid::eventFilter(QObject* ziel, QEvent* e) {
  if (ziel == horizontalHeader()->viewport() && e->type() == QEvent::MouseButtonPress) {
    auto* m = static_cast<QMouseEvent*>(e);
    const int spalte = horizontalHeader()->logicalIndexAt(m->position().toPoint());
    // A press on a section's border resizes the column; only presses inside count as clicks.
    const int x = static_cast<int>(m->position().x());
    const int rand = horizontalHeader()->sectionViewportPosition(spalte) + horizontalHeader()->sectionSize(spalte);
    if (spalte >= 0 && rand - x > 3) {
      emit titelGeklickt(spalte, m->button());
      if (sortArt && m->button() == Qt::LeftButton) {
        // The header must not select the whole column (that would move the current row); a
        // press may also start moving the column, so the sort waits for the release.
        horizontalHeader()->setSectionsClickable(false);
        titelDruck_ = {spalte, m->position().toPoint()};
      }
      if (spaltenMenue_ && m->button() == Qt::RightButton) {
        spaltenMenueZeigen(m->globalPosition().toPoint());
        return true;
      }
    }
    return false;
  }
  if (ziel == horizontalHeader()->viewport() && e->type() == QEvent::MouseButtonRelease && titelDruck_.first >= 0) {
    auto* m = static_cast<QMouseEvent*>(e);
    const auto [spalte, wo] = titelDruck_;
    titelDruck_.first = -1;
    if (m->button() == Qt::LeftButton && (m->position().toPoint() - wo).manhattanLength() < 4 &&
        horizontalHeader()->logicalIndexAt(m->position().toPoint()) == spalte) {
      // The click sorts and makes its column current; the record shown stays the current row.
      titelSortieren(spalte);
      const QModelIndex jetzt = currentIndex();
      if (jetzt.isValid()) setCurrentIndex(modell_->index(jetzt.row(), spalte));
    }
  }
  return QTableView::eventFilter(ziel, e);
}

void StringGrid::mousePressEvent(QMouseEvent* e) {
  QTableView::mousePressEvent(e);
  const QModelIndex i = indexAt(e->position().toPoint());
  if (i.isValid()) emit geklickt(i.column(), modell_->tabellenZeile(i.row()), e->button());
}

void StringGrid::mouseDoubleClickEvent(QMouseEvent* e) {
  QTableView::mouseDoubleClickEvent(e);
  const QModelIndex i = indexAt(e->position().toPoint());
  if (i.isValid()) emit doppelKlick(i.column(), modell_->tabellenZeile(i.row()));
}

void StringGrid::currentChanged(const QModelIndex& aktuell, const QModelIndex& vorher) {
  QTableView::currentChanged(aktuell, vorher);
  // Current row and column carry their own colours: repaint what they left and entered.
  viewport()->update();
  if (aktuell.isValid()) emit zelleGewaehlt(aktuell.column(), modell_->tabellenZeile(aktuell.row()));
}

}  // namespace orvano::ui
