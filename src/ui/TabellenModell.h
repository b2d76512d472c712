// The item model that shows a core Tabelle: row 0 becomes the header, rows 1.. the data.
#pragma once

#include <QAbstractTableModel>
#include <functional>

#include "core/Tabelle.h"

namespace orvano::ui {

// The model never copies the table; a cell is converted to QString only when a view asks.
class TabellenModell : public QAbstractTableModel {
  Q_OBJECT

 public:
  explicit TabellenModell(Tabelle* tabelle, QObject* eltern = nullptr);

  Tabelle* tabelle() const { return tabelle_; }
  void setTabelle(Tabelle* tabelle);
  void setBearbeitbar(bool ja) { bearbeitbar_ = ja; }
  // Narrows editing to some cells (table coordinates) of an editable grid.
  std::function<bool(int spalte, int zeile)> zelleBearbeitbar;
  bool bearbeitbar() const { return bearbeitbar_; }

  // Call after the table was changed from outside: everything / some data rows (table rows).
  void neuAufbauen();
  void zeilenGeaendert(int vonZeile, int bisZeile);

  int rowCount(const QModelIndex& eltern = {}) const override;
  int columnCount(const QModelIndex& eltern = {}) const override;
  QVariant data(const QModelIndex& index, int rolle = Qt::DisplayRole) const override;
  bool setData(const QModelIndex& index, const QVariant& wert, int rolle = Qt::EditRole) override;
  QVariant headerData(int abschnitt, Qt::Orientation richtung, int rolle = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;

 signals:
  // A cell was edited in place (table coordinates).
  void zelleBearbeitet(int spalte, int zeile);

 private:
  Tabelle* tabelle_;
  bool bearbeitbar_ = false;
};

}  // namespace orvano::ui
