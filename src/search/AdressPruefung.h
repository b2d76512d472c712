// The address-list check: each row of a customer list against the postal codes and streets.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/Datenbestand.h"
#include "core/Fortschritt.h"
#include "core/HashVerzeichnis.h"
#include "exchange/CSVLesen.h"

namespace orvano {

// The findings in the order they are checked; "OK" only when everything the list names was
// checked: a row without a street is "Strasse fehlt", and a code without any street in the
// folder gives "Strassen nicht geprüft" (UTF-8 here; the list gets it in its own encoding).
inline constexpr std::array<const char*, 7> kAdressStatus = {"PLZ unbekannt", "Ort passt nicht", "Strasse fehlt",
                                                             "Strassen nicht gepr\xC3\xBC" "ft", "Strasse unbekannt",
                                                             "Hausnummer ausserhalb", "OK"};
enum AdressStatusNr { kPLZUnbekannt, kOrtPasstNicht, kStrasseFehlt, kNichtGeprueft, kStrasseUnbekannt, kHausnummerAusserhalb, kAdresseOK };

struct AdressBefund {
  std::string status;     // one of kAdressStatus (UTF-8)
  std::string vorschlag;  // Windows-1252; empty when there is none
};

// Columns of the list found by their titles (case-blind): "PLZ", "Ort", "Strasse" or
// "Stra\xDF" "e", "Hausnummer" or "Nr"; -1 for a missing one.
struct AdressSpalten {
  int plz = -1, ort = -1, strasse = -1, nr = -1;
};
AdressSpalten AdressSpaltenFinden(const std::vector<std::string>& kopf);
// ";", "," or a tab: the one the first line holds most often (";" on a tie, then tab).
char ListenTrenner(std::string_view ersteZeile);
// Edit distance (insert, delete, replace one letter each cost 1).
std::size_t Levenshtein(std::string_view a, std::string_view b);

// Built once from DB: postal code -> records, place -> first code, (code, normalised street)
// -> entries. DB must outlive it.
class AdressPruefer {
 public:
  explicit AdressPruefer(const Datenbestand& db);
  // Without MITSTRASSE (the list has no street column) only code and place are checked.
  AdressBefund pruefen(std::string_view plz, std::string_view ort, std::string_view strasse, std::string_view nr,
                       bool mitStrasse = true) const;

 private:
  const Datenbestand& db_;
  std::unordered_map<std::int32_t, std::vector<std::int32_t>> plzSaetze_;
  std::vector<std::string> orte_;  // per record: its place as compared
  std::unordered_map<std::string, std::int32_t> ortErster_;
  std::unordered_map<std::int32_t, std::vector<std::int32_t>> plzStrassen_;  // street-table indexes in file order
  // The normalised names of all streets one after another: street I's is namen_[anfang_[I],
  // anfang_[I + 1]).
  std::string namen_;
  std::vector<std::uint32_t> anfang_;
  // (code, normalised name) -> the first street of that pair; the others follow through
  // naechster_ in file order (0 ends).
  HashVerzeichnis paare_;
  std::vector<std::int32_t> naechster_;
  std::string_view name(std::int32_t i) const {
    return std::string_view(namen_).substr(anfang_[static_cast<std::size_t>(i)], anfang_[static_cast<std::size_t>(i) + 1] - anfang_[static_cast<std::size_t>(i)]);
  }
};

struct AdressPruefErgebnis {
  std::vector<std::string> zeilen;  // the list's lines, Windows-1252; line 0 the titles
  char trenner = ';';
  TextKodierung kodierung = TextKodierung::Cp1252;
  AdressSpalten spalten;
  // The cells of line I (0: the titles).
  std::vector<std::string> zellen(std::size_t i) const;
  std::vector<AdressBefund> befunde;  // one per data line
  bool abgebrochen = false;
};

// Reads DATEI and checks every data line. A list without a "PLZ" or "Ort" column is refused
// (DateiFehler naming the columns it has). Progress per line; a cancel keeps the lines checked.
AdressPruefErgebnis AdressListePruefen(const Datenbestand& db, const std::string& datei, Fortschritt& f);
// The list with two more columns "Status" and "Vorschlag", in its own encoding and separator.
// A database file (DB's, or any ".ppp" of a data folder or SichCopy) is refused as the export
// refuses it (DateiFehler), and so is a device, FIFO or folder.
void AdressListeSchreiben(const Datenbestand& db, const AdressPruefErgebnis& e, const std::string& ziel);

}  // namespace orvano
