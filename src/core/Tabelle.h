// The data of a string grid: Windows-1252 cells, row and column counts, column widths.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace orvano {

// Row 0 (and further fixed rows) hold the titles. A column width of -1 hides the column.
// Cells are kept packed per row, so that a grid of 1.5 million rows with mostly empty
// cells costs little more than its text; reading a cell walks its row.
class Tabelle {
 public:
  static constexpr int kVerborgen = -1;

  Tabelle(int spalten = 1, int zeilen = 2);

  int spalten() const { return static_cast<int>(breiten_.size()); }
  int zeilen() const { return static_cast<int>(zeilen_.size()); }
  // Changing the counts drops cells outside the new bounds; new cells are empty.
  void setSpalten(int n);
  void setZeilen(int n);

  int festeZeilen() const { return festeZeilen_; }
  int festeSpalten() const { return festeSpalten_; }
  void setFesteZeilen(int n) { festeZeilen_ = n; }
  void setFesteSpalten(int n) { festeSpalten_ = n; }

  int breite(int spalte) const { return breiten_.at(static_cast<std::size_t>(spalte)); }
  void setBreite(int spalte, int breite) { breiten_.at(static_cast<std::size_t>(spalte)) = breite; }
  bool verborgen(int spalte) const { return breite(spalte) == kVerborgen; }

  // The cell's text; empty outside the grid.
  std::string_view zelle(int spalte, int zeile) const;
  void setZelle(int spalte, int zeile, std::string_view text);
  // All cells of one row, in column order.
  std::vector<std::string> zeile(int zeile) const;
  void setZeile(int zeile, const std::vector<std::string>& zellen);
  void zeileLeeren(int zeile);
  // Inserts an empty row before ZEILE / removes ZEILE.
  void zeileEinfuegen(int zeile);
  void zeileEntfernen(int zeile);
  // Rows AB.. take the order given: row AB + i becomes the old row REIHENFOLGE[i].
  void zeilenUmordnen(int ab, const std::vector<int>& reihenfolge);

 private:
  static std::string Packen(const std::vector<std::string>& zellen);
  static std::string Packen(const std::vector<std::string_view>& zellen);

  std::vector<int> breiten_;
  std::vector<std::string> zeilen_;
  int festeZeilen_ = 1;
  int festeSpalten_ = 0;
};

// Leaves the title row and one empty data row.
void TabelleLeeren(Tabelle& t);
// Empties every data cell; the row count stays.
void TabelleZellenLeeren(Tabelle& t);

}  // namespace orvano
