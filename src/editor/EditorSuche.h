// The two-folder editor's columns as texts and its searches through a side's file, without Qt.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Fortschritt.h"
#include "core/Records.h"
#include "core/Tabelle.h"

namespace orvano {

enum class EditorArt { PLZ, Strassen };

// Bytes of one record of the kind, and the whole records of a file of it (0 when missing).
std::size_t EditorSatzGroesse(EditorArt art);
std::int64_t EditorAnzahl(const std::string& datei, EditorArt art);

inline constexpr int kEditorPLZSpalten = 17;
inline constexpr int kEditorStrassenSpalten = 7;

// The title of a column (Windows-1252; the row-number column has none) and its width on a
// page: -1 hides it, 0 for "LNr", whose width follows the largest record number. OHNE_DE:
// side 1 shows Austria or Switzerland, which hides the German columns of postal codes.
std::string EditorSpaltenTitel(EditorArt art, int spalte);
int EditorSpaltenBreite(EditorArt art, int spalte, bool ohneDE);
// The column with the title TITEL, or -1.
int EditorSpalteMitTitel(EditorArt art, std::string_view titel);

// Sets up the columns of ART in T: titles in the title row, widths, "LNr" fixed.
void EditorSpaltenSetzen(Tabelle& t, EditorArt art, bool ohneDE);
// Fills the data rows of T with records ANFANG+1.. of DATEI ("LNr" and the row-number column
// included); rows past the end stay empty. Returns the file's record count (0 when missing).
// Throws DateiFehler.
std::int64_t EditorSeiteLesen(Tabelle& t, EditorArt art, const std::string& datei, std::int64_t anfang);

// What column SPALTE of a page shows for a record ("LNr" and the row-number column excepted:
// their cells belong to the page, not the record).
std::string PLZEditorZelle(const TPLZRecord& r, int spalte);
std::string StrassenEditorZelle(const TStrassenRecord& s, int spalte);

// A record from the cells of a page row (index = column; missing cells count as empty).
// Postal codes: texts cut to their capacity, numbers read the German way, Staat the ISO code
// of the side's country LAND, Reserve zero. Streets: the "Code" cell's first character, "0"
// when it is empty.
TPLZRecord PLZAusEditorZeile(const std::vector<std::string>& zellen, char land);
TStrassenRecord StrasseAusEditorZeile(const std::vector<std::string>& zellen);
// A row stays a record when its place and postal code are given (streets: and the street).
bool EditorZeileBleibt(const TPLZRecord& r);
bool EditorZeileBleibt(const TStrassenRecord& s);

// The text a search compares: the column's text, the postal code as a plain number; none for
// "LNr" and the row-number column, and with VERKNUEPFT (the lookup from the other side) none
// for the street column "Code" either.
std::optional<std::string> PLZSuchText(const TPLZRecord& r, int spalte);
std::optional<std::string> StrassenSuchText(const TStrassenRecord& s, int spalte, bool verknuepft);

// GENAU: the field equals the text; otherwise the text occurs in it. Case-sensitive.
bool SuchTreffer(std::string_view feld, std::string_view text, bool genau);

struct EditorSuchAuftrag {
  std::string datei;
  EditorArt art = EditorArt::PLZ;
  int spalte = 1;
  std::string text;  // Windows-1252
  bool genau = false;
};

// One search within a side from SUCHPOSITION (0 = from the start): a step towards the end (or
// towards record 1), then the records from there on. Returns the record found, which becomes
// the position; 0 when none matches (the step undone) and -1 when Escape ended it (the
// position as it was). An empty text or a missing file examines nothing.
std::int64_t EditorSuchen(const EditorSuchAuftrag& a, bool rueckwaerts, std::int64_t& suchPosition, Fortschritt& f);

// The lookup of a clicked cell's text on the other side: the first record whose column equals
// it exactly. 0 when none, -1 when cancelled.
std::int64_t EditorNachschlagen(const EditorSuchAuftrag& a, Fortschritt& f);

}  // namespace orvano
