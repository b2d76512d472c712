// Backups in SichCopy under names no earlier backup has, and replacing database files after
// backing them up, one file or two as one step.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "Schreiber.h"

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

// Backs DATEI up into SichCopy (made when missing) under a new name of tag TAG, as
// SicherungErstellen names it, and only then replaces DATEI as a whole with what INHALT writes.
// A backup that cannot be made stops everything with DateiFehler "Die Sicherheitskopie wurde
// nicht erstellt: ..." and DATEI stays as it was. Returns the backup's path (empty when DATEI
// did not exist yet).
std::string SichernUndErsetzen(const std::string& datei, const std::string& datum, const std::string& tag,
                               const std::function<void(Schreiber&)>& inhalt);

// One file of a replace of two: its tag empty for no backup.
struct Ersetzung {
  std::string datei, tag;
  std::function<void(Schreiber&)> inhalt;
};
// Both new files are written first; then, under a journal in the first file's folder
// (".~Ersetzen.journal"), each old file is backed up and replaced, A before B. A kill leaves both
// old, both new, or A new with B's new file beside it, which the next opening of the folder puts
// in place. Returns the backups' paths. Throws DateiFehler; before the first replace nothing
// has changed then.
std::vector<std::string> SichernUndBeideErsetzen(const Ersetzung& a, const Ersetzung& b, const std::string& datum);

// What a killed run left in data folder ORDNER (with its separator), set right when the folder
// is opened: a replace of two files is finished, a killed append taken back, temporary files of
// the database files removed, and a backup that shares its storage with a live database file
// (a kill at the moment of the backup) turned into a copy of its own. The messages say what was
// done (UTF-8).
std::vector<std::string> OrdnerAufraeumen(const std::string& ordner);

namespace testhaken {
// Called between the two replaces of SichernUndBeideErsetzen (a test kills the run there).
extern std::function<void()> ZwischenDenErsetzungen;
}  // namespace testhaken

}  // namespace orvano
