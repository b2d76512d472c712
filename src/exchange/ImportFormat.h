// Import formats: which CSV column feeds which record field, stored in ".imp"/".ims" files.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace orvano {

constexpr int kImportFelder = 16;
// The sixteen field names (Windows-1252) in format-file order, and their import-table columns.
extern const std::array<const char*, kImportFelder> kImportFeldNamen;
extern const std::array<int, kImportFelder> kImportSpalten;
constexpr int kImportSpalteID = 10;
constexpr int kImportTabellenSpalten = 18;
// Titles of the 18 import-table columns ("ID" for the join column).
extern const std::array<const char*, kImportTabellenSpalten> kImportTitel;

struct ImportFormat {
  std::array<std::string, kImportFelder> titel;  // CSV column title per field; empty: not imported
  std::string loeschen1, loeschen2;               // texts removed from every line
  std::string id;                                 // ID column title of the join
  std::string idVerkn;                            // value column title in file 2
  std::string zielFeld;                           // field of file 1 that receives the value
  std::string separator;                          // ";" or "#9" for a tab; empty: from the file name
  // Defaults for empty "Ort" and "Postleitzahl" cells; not stored in the file.
  std::string eingabeOrt, eingabePLZ;
};

// True when the format names at least one column to import.
bool FormatHatFelder(const ImportFormat& f);
// A format whose titles are the field names themselves.
ImportFormat StandardFormat();
// The format of the web service's street lists: "Name", "Ort", "Bundesland", "Postleitzahl",
// separated by two blanks. Its file is written when a list is imported and none is there.
ImportFormat StrassenlistenFormat();
inline constexpr const char* kStrassenlistenFormat = "Strassenliste";

// Takes the fields of a format line into F. Fields the line lacks are left empty, except
// idVerkn and separator, which keep their text.
void FormatAusZeile(const std::string& zeile, ImportFormat& f);
// The format line: 22 fields, each followed by "|" (without line end).
std::string FormatZeile(const ImportFormat& f);

// Reads the first line of a format file into F; false when the file is missing. An
// unreadable or empty file, or one that is no plain file, throws DateiFehler.
bool FormatDateiLaden(const std::string& datei, ImportFormat& f);
// Writes the line with CR LF, replacing the file as a whole.
void FormatDateiSpeichern(const std::string& datei, const ImportFormat& f);

// Names of the ".imp" (postal codes) or ".ims" (streets) files in ProgVerzeichnis, in the
// order of EintraegeNachNummerSortieren.
std::vector<std::string> FormatListe(bool plz);
// ProgVerzeichnis + NAME + ".imp" / ".ims".
std::string FormatDateiName(const std::string& name, bool plz);

}  // namespace orvano
