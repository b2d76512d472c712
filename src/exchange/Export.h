// Writing the postal-code and street tables to CSV or TXT files.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/Datenbestand.h"
#include "core/Fortschritt.h"

namespace orvano {

enum class ExportArt { PLZ, Strassen, PLZStrassen };

struct ExportOptionen {
  ExportArt art = ExportArt::PLZ;
  std::string plzVorsatz;  // written before every non-empty postal code (Windows-1252)
  std::string nrVorsatz;   // written before every non-empty house number
  // Only these records, in this order (the rows a filtered or sorted table shows); unset: all
  // records in table order.
  std::optional<std::vector<std::int32_t>> saetze;
};

struct ExportErgebnis {
  std::int64_t zeilen = 0;   // data lines written
  bool abgebrochen = false;  // Escape ended the run early
};

// ";" for a file whose name ends in ".CSV" (any case), else a tab.
char ExportTrenner(const std::string& datei);
// "CSV" or "TXT", by the same rule.
std::string ExportTypWort(const std::string& datei);
// Status text of a run, e.g. "8234 PLZ in CSV-Datei speichern" (UTF-8).
std::string ExportStatusText(ExportArt art, const std::string& datei, std::int64_t plzAnzahl, std::int64_t zeilenGesamt);
// Proposed file name: "PLZ_D.csv", "Strassen_A.txt", "PLZ_Strassen_C.csv".
std::string ExportDateiVorschlag(ExportArt art, char landBuchstabe, bool csv);

// Why DATEI must not be an export's target (a database file: one of DB's, or any ".ppp" in a
// data folder or in SichCopy), or empty. Exportieren refuses such a target.
std::string ExportZielVerboten(const Datenbestand& db, const std::string& datei);

// Writes the postal-code table of DB (and its streets) in table order: a header line, then numbered data
// lines, each ended by CR LF, no quoting. Progress every 100th record; after each record
// fortschritt.abbrechen() may end the run, leaving a file of whole lines. The file is
// replaced as a whole; on an error the old one stays and DateiFehler is thrown.
ExportErgebnis Exportieren(const Datenbestand& db, const std::string& datei, const ExportOptionen& optionen,
                           Fortschritt& fortschritt);

// The same file from DB's postal-code table and its folder's street file as it lies on disk
// (what Exportieren writes after StrassenLaden without the purge question), for orvano-cli: the
// streets are read straight from the file into their lines' street parts, not into DB, unless
// the file is too large for that (then DB loads them first).
ExportErgebnis ExportierenAusDatei(Datenbestand& db, const std::string& datei, const ExportOptionen& optionen,
                                   Fortschritt& fortschritt, Rueckfragen& rueckfragen);

}  // namespace orvano
