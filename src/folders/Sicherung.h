// Dated backup copies of the database files in SichCopy, and copying them back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/RecordDatei.h"

namespace orvano {

// ProgVerzeichnis + "SichCopy/".
std::string SicherungsOrdner();
// Today as "yyyy-mm-dd" (local time).
std::string HeutigesDatum();

// Name of the backup of DATENBANKDATEI (a path or a name): the part before its first ".",
// "_", DATUM, the three-character TAG ("_01".."_10", "_PO", "_SO", "_SS") and ".ppp".
std::string SicherungsName(const std::string& datenbankDatei, const std::string& datum, const std::string& tag);

struct FreieSicherung {
  std::string pfad;             // full path in SichCopy
  bool ueberschreiben = false;  // all of _01.._10 exist: _10 is reused after asking
};
// The lowest free tag _01.._10 of that day (any entry of the name counts as taken).
FreieSicherung FreieSicherungSuchen(const std::string& datenbankDatei, const std::string& datum);

// Records in a backup of that name and size: 300-byte postal codes for "Dat_*", else 126-byte streets.
std::int64_t SicherungsAnzahl(const std::string& name, std::int64_t groesse);

struct SicherungsEintrag {
  std::string name;
  std::int64_t anzahl = -1;  // -1: the file vanished
};
// The "*.ppp" files of SichCopy, by name.
std::vector<SicherungsEintrag> SicherungenListe();

// The database file a backup restores into ("Dat_D.ppp"), or empty when the name does not
// follow the backup pattern (a database base, "_yyyy-mm-dd", a tag "_xx", ".ppp").
std::string WiederherstellZiel(const std::string& sicherungsName);

// Copies QUELLE over ZIEL as a whole (temporary file and rename); the target folder must
// exist. Throws DateiFehler with a clear message when the copy could not be made.
void DateiKopieren(const std::string& quelle, const std::string& ziel);

// Backs DATEI up into SichCopy (made when missing) as SicherungsName(DATEI, DATUM, TAG) and
// only then replaces DATEI as a whole with what INHALT writes. A backup that cannot be made
// stops everything with DateiFehler "Die Sicherheitskopie wurde nicht erstellt: ..." and
// DATEI stays as it was. Returns the backup's path (empty when DATEI did not exist yet).
std::string SichernUndErsetzen(const std::string& datei, const std::string& datum, const std::string& tag,
                               const std::function<void(Schreiber&)>& inhalt);

}  // namespace orvano
