#include "TabellenModell.h"

#include "Text.h"

namespace orvano::ui {

TabellenModell::TabellenModell(Tabelle* tabelle, QObject* eltern) : QAbstractTableModel(eltern), tabelle_(tabelle) {}

void TabellenModell::setTabelle(Tabelle* tabelle) {
  beginResetModel();
  tabelle_ = tabelle;
  endResetModel();
}

void TabellenModell::neuAufbauen() {
  beginResetModel();
  endResetModel();
}

void TabellenModell::zeilenGeaendert(int vonZeile, int bisZeile) {
  const int n = rowCount();
  const int von = std::max(0, vonZeile - 1);
  const int bis = std::min(n - 1, bisZeile - 1);
  if (n == 0 || von > bis) return;
  emit dataChanged(index(von, 0), index(bis, columnCount() - 1));
}

int TabellenModell::rowCount(const QModelIndex& eltern) const {
  if (eltern.isValid() || !tabelle_) return 0;
  return std::max(0, tabelle_->zeilen() - 1);
}

int TabellenModell::columnCount(const QModelIndex& eltern) const {
  if (eltern.isValid() || !tabelle_) return 0;
  return tabelle_->spalten();
}

QVariant TabellenModell::data(const QModelIndex& index, int rolle) const {
  if (!index.isValid() || !tabelle_) return {};
  if (rolle == Qt::DisplayRole || rolle == Qt::EditRole) {
    return AusCp1252(tabelle_->zelle(index.column(), index.row() + 1));
  }
  return {};
}

bool TabellenModell::setData(const QModelIndex& index, const QVariant& wert, int rolle) {
  if (!index.isValid() || !tabelle_ || rolle != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  const std::string neu = ZuCp1252(wert.toString());
  if (tabelle_->zelle(index.column(), index.row() + 1) == neu) return true;
  tabelle_->setZelle(index.column(), index.row() + 1, neu);
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  emit zelleBearbeitet(index.column(), index.row() + 1);
  return true;
}

QVariant TabellenModell::headerData(int abschnitt, Qt::Orientation richtung, int rolle) const {
  if (!tabelle_ || rolle != Qt::DisplayRole) return {};
  if (richtung == Qt::Horizontal) {
    if (abschnitt < 0 || abschnitt >= tabelle_->spalten()) return {};
    return AusCp1252(tabelle_->zelle(abschnitt, 0));
  }
  return abschnitt + 1;
}

Qt::ItemFlags TabellenModell::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags f = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
  if (bearbeitbar_ && tabelle_ && index.column() >= tabelle_->festeSpalten() &&
      (!zelleBearbeitbar || zelleBearbeitbar(index.column(), index.row() + 1))) {
    f |= Qt::ItemIsEditable;
  }
  return f;
}

}  // namespace orvano::ui
