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

// Name of a backup of DATENBANKDATEI (a path or a name): the part before its first ".", "_",
// DATUM, the three-character TAG ("_01".."_10", "_PO", "_SO", "_SS", "_OS", "_WH"), "-" NUMMER
// when NUMMER is 2 or more, "_" and the data folder the file lies in ("Ord_1", left out for a
// bare name), ".ppp": "Strassen_D_2026-12-09_OS-2_Ord_1.ppp".
std::string SicherungsName(const std::string& datenbankDatei, const std::string& datum, const std::string& tag,
                           int nummer = 1);

// Copies DATENBANKDATEI into SichCopy under the first of its backup names that no entry has
// (tag TAG, then TAG-2, TAG-3, ...; an empty TAG takes the lowest free _01.._10 of the day, then
// _10-2, ...), so that no backup ever replaces another, even one another program makes at the
// same moment. Returns the backup's path. Throws DateiFehler.
std::string SicherungErstellen(const std::string& datenbankDatei, const std::string& datum, const std::string& tag = {});

// Records in a backup of that name and size: 300-byte postal codes for "Dat_*", else 126-byte streets.
std::int64_t SicherungsAnzahl(const std::string& name, std::int64_t groesse);

struct SicherungsEintrag {
  std::string name;
  std::int64_t anzahl = -1;  // -1: the file vanished
};
// The "*.ppp" files of SichCopy, by name.
std::vector<SicherungsEintrag> SicherungenListe();

// The database file a backup restores into ("Dat_D.ppp"), or empty when the name does not
// follow the backup pattern (a database base, "_yyyy-mm-dd", a tag "_xx", optionally "-n" and
// "_" + folder, ".ppp").
std::string WiederherstellZiel(const std::string& sicherungsName);
// The data folder a backup was made of ("Ord_1"); empty for a name of an older version, which
// carries none (such a backup may be restored into any folder).
std::string SicherungsHerkunft(const std::string& sicherungsName);

struct Wiederherstellung {
  std::string ziel;       // the database file written
  std::string sicherung;  // the backup of the file it replaced (empty when there was none)
  // The other file of the pair lies in the folder: the street counts of the postal codes may
  // no longer describe the street file.
  bool zahlenVeraltet = false;
};
// Copies backup NAME of SichCopy over its database file in the data folder ORDNERPFAD (with a
// separator), after backing up the file it replaces (tag "_WH"), so that a restore can be taken
// back by restoring that backup. Throws DateiFehler; nothing is replaced then.
Wiederherstellung SicherungWiederherstellen(const std::string& name, const std::string& ordnerPfad, const std::string& datum);
// "Die Strassen-Anzahlen ... neu zählen?" after a restore with zahlenVeraltet (UTF-8).
std::string ZahlenVeraltetText(const Wiederherstellung& w);

// Copies QUELLE over ZIEL as a whole (temporary file and rename); the target folder must
// exist. Throws DateiFehler with a clear message when the copy could not be made.
void DateiKopieren(const std::string& quelle, const std::string& ziel);

// Backs DATEI up into SichCopy (made when missing) under a new name of tag TAG, as
// SicherungErstellen names it, and only then replaces DATEI as a whole with what INHALT writes. A backup that cannot be made
// stops everything with DateiFehler "Die Sicherheitskopie wurde nicht erstellt: ..." and
// DATEI stays as it was. Returns the backup's path (empty when DATEI did not exist yet).
std::string SichernUndErsetzen(const std::string& datei, const std::string& datum, const std::string& tag,
                               const std::function<void(Schreiber&)>& inhalt);

}  // namespace orvano
