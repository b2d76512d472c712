// What the paged grids of the editor and the new-data window share: rows that fit, the
// width of "LNr", and where a key takes the current record.
#pragma once

#include <cstdint>
#include <optional>

class QScrollBar;

namespace orvano {

class Tabelle;
namespace ui {
class StringGrid;
}

// Data rows that fit into G with the columns of T (a horizontal scroll bar takes its room).
int PassendeZeilen(const ui::StringGrid* g, const Tabelle& t);
// "LNr" as wide as the largest number the page can show.
void LnrBreiteSetzen(ui::StringGrid* g, Tabelle& t, std::int64_t groessteNummer);
// The scroll range that lets every record of N be the first row.
void BlaetterBereich(QScrollBar* sgh, std::int64_t n, int zeilen);
// The record Home, End, Up, Down, Page Up and Page Down go to from K (1..N); none for other keys.
std::optional<std::int64_t> TastenZiel(int taste, std::int64_t k, std::int64_t n, int zeilen);

}  // namespace orvano
