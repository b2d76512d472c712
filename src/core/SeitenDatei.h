// A file of fixed-length records read page by page: nothing of it stays in memory.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "Fortschritt.h"

namespace orvano {

// Records AB+1 .. AB+ANZAHL (AB 0-based) into ZIEL in one read; returns the whole records read
// (fewer at the end of the file). Throws DateiFehler when the file cannot be read.
std::int64_t RecordsLesenAb(const std::string& datei, std::int64_t ab, void* ziel, std::int64_t anzahl, std::size_t satzGroesse);

// Whole records of the file from its size; 0 when it is missing.
std::int64_t RecordAnzahl(const std::string& datei, std::size_t satzGroesse);

// The first record from START on (1-based, towards the end or, BACKWARD, towards record 1) for
// which TREFFER holds; the file is read in blocks. Progress every SCHRITT records (forward the
// record number, backward the count minus it), Escape polled there: -1 when cancelled, 0 when
// none holds.
std::int64_t RecordSuchen(const std::string& datei, std::size_t satzGroesse, std::int64_t start, bool rueckwaerts, int schritt,
                          const std::function<bool(std::int64_t k, const char* satz)>& treffer, Fortschritt& f);

// Replaces the records from START on that a page of ROWS stood for (those up to the file's
// end): every row given a record takes the next place, a row without one stands for a record
// that goes, rows past the end append. The records before and after the page keep their
// order. The file is written anew beside itself and renamed over it, so a crash leaves the old
// file or the new one. Returns the new record count. Throws DateiFehler.
std::int64_t SeiteErsetzen(const std::string& datei, std::size_t satzGroesse, std::int64_t start, std::int64_t zeilen,
                           const std::function<const void*(std::int64_t zeile)>& satz);

template <class T>
class SeitenDatei {
 public:
  explicit SeitenDatei(std::string datei) : datei_(std::move(datei)) {}
  const std::string& datei() const { return datei_; }
  std::int64_t anzahl() const { return RecordAnzahl(datei_, sizeof(T)); }
  // Records VON .. VON+N-1 (1-based), as many as the file holds.
  std::vector<T> seite(std::int64_t von, std::int64_t n) const {
    std::vector<T> v(static_cast<std::size_t>(std::max<std::int64_t>(0, n)));
    if (von < 1 || n <= 0) return {};
    v.resize(static_cast<std::size_t>(RecordsLesenAb(datei_, von - 1, v.data(), n, sizeof(T))));
    return v;
  }
  // ROWS[i] stands for record START + i; an empty entry removes that record.
  std::int64_t seiteErsetzen(std::int64_t start, const std::vector<std::optional<T>>& zeilen) const {
    return SeiteErsetzen(datei_, sizeof(T), start, static_cast<std::int64_t>(zeilen.size()), [&](std::int64_t i) -> const void* {
      const auto& z = zeilen[static_cast<std::size_t>(i)];
      return z ? &*z : nullptr;
    });
  }
  std::int64_t suchen(std::int64_t start, bool rueckwaerts, int schritt, const std::function<bool(std::int64_t, const T&)>& treffer,
                      Fortschritt& f) const {
    return RecordSuchen(datei_, sizeof(T), start, rueckwaerts, schritt, [&](std::int64_t k, const char* satz) {
      T r;
      std::memcpy(&r, satz, sizeof r);
      return treffer(k, r);
    }, f);
  }

 private:
  std::string datei_;
};

}  // namespace orvano
