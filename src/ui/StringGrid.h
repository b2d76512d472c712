// The string grid of the windows: a table view over a core Tabelle with the grid's habits
// (fixed title row, hidden columns, in-place editing, key hooks, owner-drawn colours).
#pragma once

#include <QColor>
#include <QTableView>
#include <functional>

#include "TabellenModell.h"
#include "core/TabellenSicht.h"

namespace orvano::ui {

class StringGrid : public QTableView {
  Q_OBJECT

 public:
  explicit StringGrid(QWidget* eltern = nullptr);

  void setTabelle(Tabelle* tabelle);
  Tabelle* tabelle() const { return modell_->tabelle(); }
  TabellenModell* modell() const { return modell_; }

  // After the table changed: rows, cells and column widths shown anew.
  void aktualisieren();
  // Only the column widths (-1 hides a column).
  void spaltenAnwenden();
  // After cells of rows VON..BIS (table rows) changed.
  void zeilenAktualisieren(int von, int bis);

  // The view's filter and sort; the table keeps its rows and their order. The current row
  // stays current when it is still shown.
  void setSichtWahl(const SichtWahl& wahl);
  const SichtWahl& sichtWahl() const { return wahl_; }
  // A click on a column title sorts ascending, a second descending, a third back to the
  // table's order; the title shows the arrow. KIND tells numeric columns from text ones.
  std::function<SortArt(int spalte)> sortArt;
  void titelSortieren(int spalte);
  // Rows in the order shown: their number, the table row at a position (1..), the position of
  // a table row (0 when it is not shown), and all of them.
  int gezeigteZeilen() const { return modell_->rowCount(); }
  int zeileAn(int position) const;
  int position(int tabellenZeile) const;
  std::vector<int> gezeigteTabellenZeilen() const;
  // A row the user just added: shown at the end even when the filter would hide it.
  void neueZeileZeigen(int tabellenZeile) { modell_->zeileZeigen(tabellenZeile); }

  // Columns the user hid through the title's context menu (a right click on a title offers
  // every column the table shows). Column widths and order come back with kopfHerstellen.
  void setSpaltenMenue(bool ja);
  QList<int> benutzerVerborgen() const { return benutzerVerborgen_; }
  void setBenutzerVerborgen(const QList<int>& spalten);
  QByteArray kopfZustand() const;
  void kopfHerstellen(const QByteArray& zustand);

  void setBearbeitbar(bool ja);
  bool bearbeitbar() const { return modell_->bearbeitbar(); }

  // Current cell in table coordinates (data rows start at 1); 0 when there is none.
  int aktuelleZeile() const;
  int aktuelleSpalte() const;
  // False when row ZEILE is hidden by the filter.
  bool setAktuelleZelle(int spalte, int zeile);
  // Commits and closes an open cell editor.
  void editorSchliessen();
  // A cell editor is open.
  bool bearbeitetGerade() const { return state() == QAbstractItemView::EditingState; }

  // Typed character (Windows-1252) -> the character to use, or 0 to swallow it. TEXT is the
  // text the key goes into: the open editor's, else the current cell's.
  std::function<char(char zeichen, const std::string& text)> tastenDruck;
  // Every key press first, with its key code; true swallows it.
  std::function<bool(int taste, Qt::KeyboardModifiers mod)> tasteRunter;
  // Maximal length of a cell's text while editing it; 0 = no limit.
  std::function<int(int spalte)> maxLaenge;
  // Background of a data cell; an invalid colour leaves the default.
  std::function<QColor(int spalte, int zeile)> zellFarbe;

  void setFesteFarbe(const QColor& farbe);
  QColor festeFarbe() const { return festeFarbe_; }
  // While busy: hourglass over the grid and data cells in the scroll-bar colour.
  void setBeschaeftigt(bool ja);
  bool beschaeftigt() const { return beschaeftigt_; }
  QColor datenFarbe() const;

  // Background a cell is painted with (table coordinates).
  QColor hintergrund(int spalte, int zeile, bool ausgewaehlt) const;

  static const QColor kGelb;
  static const QColor kHellgruen;  // CC FF CC
  static const QColor kGruen;      // 80 FF 80
  static const QColor kBeschaeftigt;

 signals:
  void zelleGewaehlt(int spalte, int zeile);
  void geklickt(int spalte, int zeile, Qt::MouseButton knopf);
  void doppelKlick(int spalte, int zeile);
  void titelGeklickt(int spalte, Qt::MouseButton knopf);
  // The filter or sort of the view changed.
  void sichtGeaendert();
  void zelleBearbeitet(int spalte, int zeile);

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void currentChanged(const QModelIndex& aktuell, const QModelIndex& vorher) override;
  bool eventFilter(QObject* ziel, QEvent* e) override;

 private:
  friend class ZellenMaler;
  // Applies the key hooks; true when the event was handled (swallowed or replaced).
  bool tasteFiltern(QKeyEvent* e, QObject* editor);
  void kopfStil();
  void sichtAnwenden();

  TabellenModell* modell_;
  // The view hands the key that opened an editor on to it; that key was filtered already.
  bool weiterreichen_ = false;
  QColor festeFarbe_ = kGelb;
  bool beschaeftigt_ = false;
  SichtWahl wahl_;
  QList<int> benutzerVerborgen_;
  bool spaltenMenue_ = false;
  std::pair<int, QPoint> titelDruck_{-1, {}};
  // The table's width and title of each column when last applied.
  std::vector<std::pair<int, std::string>> angewandt_;
  void spaltenMenueZeigen(const QPoint& wo);
};

}  // namespace orvano::ui
