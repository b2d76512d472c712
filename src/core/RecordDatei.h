// Reading whole record files and replacing files without ever leaving half of one behind.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "Dateien.h"
#include "Schreiber.h"

namespace orvano {

// Allocator that leaves elements default-initialised, so that a table of 1.5 million records
// is not zeroed just before the file is read over it.
// Large tables (a national street file) are asked for huge pages: their first touch then costs
// a few hundred page faults instead of tens of thousands.
void* GrossenSpeicherHolen(std::size_t bytes);
void GrossenSpeicherFreigeben(void* p, std::size_t bytes);
inline constexpr std::size_t kGrosserSpeicher = std::size_t{32} << 20;

template <class T>
struct OhneNullen : std::allocator<T> {
  using value_type = T;
  template <class U>
  struct rebind {
    using other = OhneNullen<U>;
  };
  OhneNullen() = default;
  template <class U>
  OhneNullen(const OhneNullen<U>&) noexcept {}
  T* allocate(std::size_t n) {
    if (n * sizeof(T) < kGrosserSpeicher) return std::allocator<T>::allocate(n);
    return static_cast<T*>(GrossenSpeicherHolen(n * sizeof(T)));
  }
  // Without this, resize() value-initialises (zeroes) every new element: std::allocator has
  // no construct() of its own since C++20.
  template <class U>
  void construct(U* p) noexcept(std::is_nothrow_default_constructible_v<U>) {
    ::new (static_cast<void*>(p)) U;
  }
  template <class U, class... A>
  void construct(U* p, A&&... a) {
    ::new (static_cast<void*>(p)) U(std::forward<A>(a)...);
  }
  void deallocate(T* p, std::size_t n) noexcept {
    if (n * sizeof(T) < kGrosserSpeicher) {
      std::allocator<T>::deallocate(p, n);
    } else {
      GrossenSpeicherFreigeben(p, n * sizeof(T));
    }
  }
};

template <class T>
using RecordFeld = std::vector<T, OhneNullen<T>>;

// Reads the whole records of a file into a 1-based table: element 0 is all zero and unused,
// elements 1..n are the file's records. Trailing bytes of a partial record are ignored.
// Throws DateiFehler when the file cannot be opened or read. The memory of WIEDER is used
// when it holds enough; otherwise it is freed before the new table is made.
// BEHALTEN, when given, filters the records block by block as they arrive: it gets a block, the
// file's record number (1-based) of its first record and the block's count, moves the records
// it keeps to the block's start and returns their number. The table then holds only those.
template <class T>
using TabellenFilter = std::function<std::int64_t(T* block, std::int64_t ersteNummer, std::int64_t anzahl)>;
template <class T>
RecordFeld<T> TabelleLesen(std::string_view dateiName, RecordFeld<T>&& wieder = {}, const TabellenFilter<T>& behalten = {});

// Opens NAME for reading; a FIFO, a device or a folder is refused at once (DateiFehler) instead
// of being waited on or read as data. The caller closes the descriptor.
int LesendOeffnen(const std::string& name);

// Sees each block of whole records right after it was read, while it is still in the cache:
// the block, the file's number of its first record (from 0) and its count. Returns how many of
// them it kept, moved to the block's start; the next block is read right after those.
using NachDemBlock = std::function<std::int64_t(char* block, std::int64_t erster, std::int64_t anzahl)>;

// Reads at most ANZAHL records of SATZGROESSE bytes into ZIEL; returns the records read (with
// NACH_DEM_BLOCK: the records it kept, one after another at ZIEL).
std::int64_t RecordsEinlesen(std::string_view dateiName, void* ziel, std::int64_t anzahl, std::size_t satzGroesse,
                             const NachDemBlock& nachDemBlock = {});

// Reads a file block by block (BLOCK records at a time) and hands each block of whole
// records to VERARBEITEN; returns the number of records read.
std::int64_t RecordsBlockweise(std::string_view dateiName, std::size_t satzGroesse, std::size_t block,
                               const std::function<void(const char* daten, std::size_t anzahl)>& verarbeiten);

// Writes a new file through INHALT into a uniquely named temporary file beside ZIEL, flushes it
// to disk and renames it over ZIEL (over the file a link ZIEL points to). A file without any
// write bit is refused. If anything fails the old file stays as it was, the temporary file is
// removed and DateiFehler is thrown.
// VOR_DEM_ERSETZEN, when given, runs once the new file is complete and on disk, just before
// the rename; what it throws stops the replace as a failed write would.
void AtomarSchreiben(const std::string& ziel, const std::function<void(Schreiber&)>& inhalt,
                     const std::function<void()>& vorDemErsetzen = {});

// The new file of AtomarSchreiben before it takes ZIEL's place: complete (and with AUFDIEPLATTE
// on disk) beside ZIEL under a temporary name, ZIEL locked meanwhile. einsetzen() renames it
// over ZIEL; destroyed before that, it is removed and ZIEL stays as it was. For writes of
// several files that are put in place one right after the other.
class NeueDatei {
 public:
  NeueDatei(const std::string& ziel, const std::function<void(Schreiber&)>& inhalt, bool aufDiePlatte = true);
  ~NeueDatei();
  NeueDatei(const NeueDatei&) = delete;
  NeueDatei& operator=(const NeueDatei&) = delete;
  const std::string& temp() const { return temp_; }
  const std::string& ziel() const { return ziel_; }
  void einsetzen();

 private:
  std::string zielName_, ziel_, temp_;
  std::unique_ptr<SchreibSperre> sperre_;
  int fd_ = -1;
};

// AtomarSchreiben for a file the program derives from its data and can write again at any time
// (an export): replaced as a whole just the same, but the disk is not waited for, as any
// program writing such a file does not.
void AusgabeSchreiben(const std::string& ziel, const std::function<void(Schreiber&)>& inhalt);

// Puts the finished file FERTIG (written and on disk) in ZIEL's place as AtomarSchreiben does:
// under ZIEL's lock, with its mode, a link staying a link, a write-protected file refused. Beside
// the target it is renamed, elsewhere copied. FERTIG is gone afterwards. Throws DateiFehler.
void FertigeDateiEinsetzen(const std::string& fertig, const std::string& ziel);

// Removes the temporary files of ZIEL that no running writer holds (a killed run left them).
void VerwaisteTempDateienEntfernen(const std::string& ziel);

// Every temporary file AtomarSchreiben makes for ZIEL starts with this path.
std::string TempDateiPraefix(const std::string& ziel);
// PFAD with links and "." / ".." resolved; PFAD itself when it does not exist.
std::string EchterPfad(const std::string& pfad);

namespace testhaken {
// From now on every write fails with "no space left" once this many bytes were written in
// total; a negative value switches the fault off.
void SchreibFehlerNach(std::int64_t bytes);
}  // namespace testhaken

template <class T>
RecordFeld<T> TabelleLesen(std::string_view dateiName, RecordFeld<T>&& wieder, const TabellenFilter<T>& behalten) {
  const std::int64_t groesse = DateiGroesse(dateiName);
  if (groesse < 0) throw DateiFehler("Datei " + std::string(dateiName) + " kann nicht gelesen werden");
  const auto n = static_cast<std::size_t>(groesse / static_cast<std::int64_t>(sizeof(T)));
  RecordFeld<T> tabelle = std::move(wieder);
  tabelle.clear();
  if (tabelle.capacity() < n + 1) RecordFeld<T>().swap(tabelle);
  tabelle.resize(n + 1);
  tabelle[0] = T{};
  NachDemBlock imFeld;
  if (behalten) {
    imFeld = [&](char* block, std::int64_t erster, std::int64_t anzahl) {
      return behalten(reinterpret_cast<T*>(block), erster + 1, anzahl);
    };
  }
  const std::int64_t gelesen = RecordsEinlesen(dateiName, tabelle.data() + 1, static_cast<std::int64_t>(n), sizeof(T), imFeld);
  tabelle.resize(static_cast<std::size_t>(gelesen) + 1);
  return tabelle;
}

}  // namespace orvano
