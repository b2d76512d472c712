// Reading a delimited file through an import format into the 18-column import table.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ImportFormat.h"
#include "core/Fortschritt.h"
#include "core/Tabelle.h"

namespace orvano {

// How a text file was written: the import reads all of these.
enum class TextKodierung { Cp1252, Utf8, Utf8MitBom, Utf16LE, Utf16BE };

// Every line of a text file as Windows-1252, and the encoding it came in (see CSVLesen).
struct TextDatei {
  std::vector<std::string> zeilen;
  TextKodierung kodierung = TextKodierung::Cp1252;
};
TextDatei TextDateiLesen(const std::string& datei);
// Windows-1252 text in the encoding K (no byte-order mark), and the mark K's files begin with.
std::string InKodierung(std::string_view cp1252, TextKodierung k);
std::string KodierungsMarke(TextKodierung k);

// The import table: 18 columns with their titles, title row and one empty row.
void ImportTabelleKopf(Tabelle& t);

// Column widths of the import table by kind: postal codes show every column, streets only
// LNr, Ort, Staat, Postleitzahl, Strassen, Ab Nr and Bis Nr. The ID column shows 50 wide
// when ID is true, else it is hidden.
void ImportSpaltenBreiten(Tabelle& t, bool plz, bool id);

struct CSVLeseOptionen {
  bool testModus = false;   // at most ANZAHL rows, raw lines kept
  int anzahl = 1000;        // N of the test mode (values below 1 mean 1000)
  std::string landText;     // country combo text (Windows-1252) for an empty "Staat"
  bool strassen = false;    // read for the street file, whose postal codes stay below 100000
};

struct CSVLeseErgebnis {
  bool gelesen = false;                 // the file existed and was read
  int zeilen = 0;                       // rows put into the table
  int ohnePLZ = 0;                      // rows without a postal code (the save skips them)
  bool abgebrochen = false;
  std::vector<std::string> rohZeilen;   // test mode: title line and the raw lines read
  std::string titelZeile;
};

// "  ohne PLZ: " + K, or empty for K = 0.
std::string OhnePLZText(int ohnePLZ);

// Reads DATEI into T (emptied first). An empty separator of the format is taken from the file
// name. Empty postal codes get the format's "Eingabe" value and otherwise stay empty (counted in
// ohnePLZ); empty "Ort" the "Eingabe" value; empty "Staat" the country's ISO code. Throws DateiFehler.
CSVLeseErgebnis CSVLesen(const std::string& datei, ImportFormat& format, Tabelle& t, const CSVLeseOptionen& optionen,
                         Fortschritt& fortschritt);

// The same rows, filled in alike, handed to ZEILE one by one (R counts from 1; the cells are in
// the import table's columns and may be taken) instead of being put into a table, so that a file
// of millions of rows is never held whole.
CSVLeseErgebnis CSVZeilenLesen(const std::string& datei, ImportFormat& format, const CSVLeseOptionen& optionen,
                               Fortschritt& fortschritt,
                               const std::function<void(int r, std::vector<std::string>& zellen)>& zeile);

// Why a completed read of DATEI through F gave the import nothing: no data line, no line with
// the separator (naming the one the title line seems to use), or no column of the format in
// the title line. Empty when rows with at least one column of the format came. UTF-8.
std::string KeineZeilenGrund(const std::string& datei, const ImportFormat& f, const CSVLeseErgebnis& e);

struct VerknuepfErgebnis {
  bool ausgefuehrt = false;   // the join ran
  std::string meldung;        // why it did not run (information box), UTF-8
  enum { kKeins, kID, kIDVerkn } leeresFeld = kKeins;  // the empty box to mark
  std::int64_t paarZahl = 0;                           // ID/value pairs read from file 2
  std::vector<std::array<std::string, 3>> paare;       // test mode: LNr, ID, value of each pair
  std::vector<std::string> rohZeilen;                  // test mode: title line and raw lines
};

// Replaces, for every ID/value pair of DATEI2, the target field of the first row of T whose
// ID column equals the ID. Throws DateiFehler.
VerknuepfErgebnis Verknuepfen(const std::string& datei2, ImportFormat& format, Tabelle& t, const CSVLeseOptionen& optionen,
                              Fortschritt& fortschritt);

}  // namespace orvano
