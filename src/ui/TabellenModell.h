// The item model that shows a core Tabelle: row 0 becomes the header, rows 1.. the data.
#pragma once

#include <QAbstractTableModel>
#include <functional>
#include <string>
#include <vector>

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

  // Shows only the table rows ZEILEN, in that order (a filter or a sort of the view; the table
  // keeps its order). sichtAufheben shows every row again.
  void setSicht(std::vector<int> zeilen);
  void sichtAufheben();
  bool sichtAktiv() const { return sichtAktiv_; }
  // Table row (1..) of a model row (0..), and back; -1 when the row is not shown.
  int tabellenZeile(int modellZeile) const;
  int modellZeile(int tabellenZeile) const;
  // A row the user added is shown at the end of the view, whatever the filter.
  void zeileZeigen(int tabellenZeile);

  // Before a cell is edited in place: column, table row, old and new text (Windows-1252).
  std::function<void(int spalte, int zeile, const std::string& alt, const std::string& neu)> vorBearbeitung;

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
  bool sichtAktiv_ = false;
  std::vector<int> sicht_;
  std::vector<int> position_;  // table row -> model row, -1 hidden
};

}  // namespace orvano::ui
