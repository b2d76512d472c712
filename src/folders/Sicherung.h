// Dated backup copies of the database files in SichCopy, and copying them back.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/RecordDatei.h"
#include "core/SicherungsAblage.h"

namespace orvano {

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

}  // namespace orvano
