// File and folder tests and the few file operations every window shares.
#pragma once

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace orvano {

// A failed open, read or write of a data file. The message is German and names the file;
// it ends the current user action and is shown to the user as it stands.
class DateiFehler : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The path separator used when building paths.
constexpr char kTrenner = '/';

// True when an entry of that name exists (a folder counts too); '*' and '?' in the last
// path component match as wildcards.
bool DateiVorhanden(std::string_view name);
bool VerzeichnisVorhanden(std::string_view pfad);
// False when PFAD is missing or holds any entry besides "." and "..".
bool VerzeichnisLeer(std::string_view pfad);
// True when another process holds a lock on the file. Linux has no sharing modes, so an
// exclusive open cannot fail the way it does elsewhere; instead we test for a conflicting
// flock() or POSIX record lock without blocking. False for a missing file.
bool DateiGesperrt(std::string_view name);
// While it lives, this process holds an exclusive advisory lock on DATEI (nothing for a missing
// file): every writer of the program takes one, so two never write a data file at once. A
// read-modify-write takes it before reading and keeps it until the new file is in place; the
// writes inside take it again, which within this process is granted at once. Another process's
// lock is waited for a moment (WARTEN_MS), then DateiFehler "Datei … ist schon von anderem
// Progamm geöffnet" is thrown.
class SchreibSperre {
 public:
  explicit SchreibSperre(const std::string& datei, int wartenMs = 1000);
  ~SchreibSperre();
  SchreibSperre(const SchreibSperre&) = delete;
  SchreibSperre& operator=(const SchreibSperre&) = delete;

  // The descriptor holding the flock, shared by every SchreibSperre of the file in this process.
  struct Halter;

 private:
  std::shared_ptr<Halter> halter_;
};

// After this program put the file NEUFD refers to in the place of the file ALT (by its device
// and inode), a lock it holds on ALT goes over to the new file, which NEUFD holds locked: a
// read-modify-write that replaces a file twice keeps it to itself throughout. True when the
// lock went over; NEUFD is then kept open by the lock and must not be closed.
bool SperreUebertragen(std::uint64_t altGeraet, std::uint64_t altInode, int neuFd);

// The locks of one operation on several files (missing names and files are skipped).
class SchreibSperren {
 public:
  explicit SchreibSperren(const std::vector<std::string>& dateien);

 private:
  std::vector<std::unique_ptr<SchreibSperre>> sperren_;
};
std::string GesperrtText(const std::string& datei);

// A source to read must be a plain file: a folder, a FIFO or a device is refused (a FIFO
// would be waited on for ever). Throws DateiFehler; a missing file passes.
void MussNormaleDateiSein(const std::string& datei);

// Deletes a plain file of that name; folders and errors are ignored.
void DateiLoeschen(std::string_view name);
// The last path component ("/p/Ord_1/Dat_D.ppp" -> "Dat_D.ppp") and the folder before it, with
// its separator ("/p/Ord_1/"); a name without separator is all file name.
std::string DateiNameTeil(std::string_view pfad);
std::string OrdnerTeil(std::string_view pfad);
// "…/Format1.imp" -> "Format1": the last path component without its last four characters.
std::string DateiNameOhneEndung(std::string_view pfad);
// Names of the entries of a folder, without "." and "..", by name; empty when it cannot be listed.
std::vector<std::string> VerzeichnisNamen(std::string_view pfad);

// What tells one state of a file from another: device, inode, size and modification time.
struct DateiKennung {
  bool vorhanden = false;
  std::uint64_t geraet = 0, inode = 0;
  std::int64_t groesse = 0, zeitNs = 0;
  bool operator==(const DateiKennung&) const = default;
};
DateiKennung KennungLesen(const std::string& datei);

// Puts the folder entry of DATEI (a new name, a removed one) on disk, so that a crash keeps it.
void OrdnerEintragSichern(const std::string& datei);

// Size in bytes, or -1 when the file cannot be examined.
std::int64_t DateiGroesse(std::string_view name);

// Removes ANZAHL bytes at START from the open file FD: the tail is moved down in blocks of
// at most 16 MiB and the file truncated. Throws DateiFehler on an I/O error.
void StreamBereichEntfernen(int fd, std::int64_t start, std::int64_t anzahl);

// Folder of the running executable, with a trailing separator.
std::string ProgrammOrdnerDerExe();

// Creates a folder with any missing parents; false on failure.
bool VerzeichnisAnlegen(std::string_view pfad);

// A German text of an errno value, for messages (the usual ones translated, others with their
// number and the system's text).
std::string FehlerText(int fehler);

}  // namespace orvano
