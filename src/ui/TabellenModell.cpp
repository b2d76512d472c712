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

void TabellenModell::setSicht(std::vector<int> zeilen) {
  beginResetModel();
  sichtAktiv_ = true;
  sicht_ = std::move(zeilen);
  position_.assign(tabelle_ ? static_cast<std::size_t>(tabelle_->zeilen()) : 0, -1);
  for (std::size_t i = 0; i < sicht_.size(); ++i) {
    const int r = sicht_[i];
    if (r >= 0 && r < static_cast<int>(position_.size())) position_[static_cast<std::size_t>(r)] = static_cast<int>(i);
  }
  endResetModel();
}

void TabellenModell::sichtAufheben() {
  beginResetModel();
  sichtAktiv_ = false;
  sicht_.clear();
  position_.clear();
  endResetModel();
}

int TabellenModell::tabellenZeile(int modellZeile) const {
  if (!sichtAktiv_) return modellZeile + 1;
  if (modellZeile < 0 || modellZeile >= static_cast<int>(sicht_.size())) return -1;
  return sicht_[static_cast<std::size_t>(modellZeile)];
}

int TabellenModell::modellZeile(int tabellenZeile) const {
  if (!sichtAktiv_) return tabellenZeile - 1;
  if (tabellenZeile < 0 || tabellenZeile >= static_cast<int>(position_.size())) return -1;
  return position_[static_cast<std::size_t>(tabellenZeile)];
}

void TabellenModell::zeileZeigen(int tabellenZeile) {
  if (!sichtAktiv_ || modellZeile(tabellenZeile) >= 0) return;
  const int n = static_cast<int>(sicht_.size());
  beginInsertRows({}, n, n);
  sicht_.push_back(tabellenZeile);
  if (tabellenZeile >= static_cast<int>(position_.size())) position_.resize(static_cast<std::size_t>(tabellenZeile) + 1, -1);
  position_[static_cast<std::size_t>(tabellenZeile)] = n;
  endInsertRows();
}

void TabellenModell::zeilenGeaendert(int vonZeile, int bisZeile) {
  const int n = rowCount();
  if (sichtAktiv_) {
    // Rows of the table are spread over the view: everything shown may have changed.
    if (n > 0) emit dataChanged(index(0, 0), index(n - 1, columnCount() - 1));
    return;
  }
  const int von = std::max(0, vonZeile - 1);
  const int bis = std::min(n - 1, bisZeile - 1);
  if (n == 0 || von > bis) return;
  emit dataChanged(index(von, 0), index(bis, columnCount() - 1));
}

int TabellenModell::rowCount(const QModelIndex& eltern) const {
  if (eltern.isValid() || !tabelle_) return 0;
  if (sichtAktiv_) return static_cast<int>(sicht_.size());
  return std::max(0, tabelle_->zeilen() - 1);
}

int TabellenModell::columnCount(const QModelIndex& eltern) const {
  if (eltern.isValid() || !tabelle_) return 0;
  return tabelle_->spalten();
}

QVariant TabellenModell::data(const QModelIndex& index, int rolle) const {
  if (!index.isValid() || !tabelle_) return {};
  if (rolle == Qt::DisplayRole || rolle == Qt::EditRole) {
    return AusCp1252(tabelle_->zelle(index.column(), tabellenZeile(index.row())));
  }
  return {};
}

bool TabellenModell::setData(const QModelIndex& index, const QVariant& wert, int rolle) {
  if (!index.isValid() || !tabelle_ || rolle != Qt::EditRole || !(flags(index) & Qt::ItemIsEditable)) return false;
  const std::string neu = ZuCp1252(wert.toString());
  const int zeile = tabellenZeile(index.row());
  const std::string alt(tabelle_->zelle(index.column(), zeile));
  if (alt == neu) return true;
  if (vorBearbeitung) vorBearbeitung(index.column(), zeile, alt, neu);
  tabelle_->setZelle(index.column(), zeile, neu);
  emit dataChanged(index, index, {Qt::DisplayRole, Qt::EditRole});
  emit zelleBearbeitet(index.column(), zeile);
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
      (!zelleBearbeitbar || zelleBearbeitbar(index.column(), tabellenZeile(index.row())))) {
    f |= Qt::ItemIsEditable;
  }
  return f;
}

}  // namespace orvano::ui
