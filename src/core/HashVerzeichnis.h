// Numbers found by the hash of a key the caller keeps: an open table of 8-byte places.
#pragma once

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "RecordDatei.h"

namespace orvano {

// The caller compares a candidate number with its own data, so the table holds no key and a
// hash collision never merges two keys. At most half full; it grows by doubling.
class HashVerzeichnis {
 public:
  // Places for N numbers without growing.
  void reservieren(std::size_t n) {
    std::size_t groesse = 1024;
    while (groesse < 2 * n) groesse *= 2;
    if (groesse > plaetze_.size()) neuVerteilen(groesse);
  }

  // The number under hash H for which GLEICH(number) holds; -1 when there is none.
  template <class Gleich>
  std::int32_t suchen(std::uint64_t h, Gleich gleich) const {
    if (plaetze_.empty()) return -1;
    const std::size_t maske = plaetze_.size() - 1;
    const auto kurz = static_cast<std::uint32_t>(h);
    for (std::size_t i = kurz & maske;; i = (i + 1) & maske) {
      const Platz& p = plaetze_[i];
      if (p.nummer < 0) return -1;
      if (p.hash == kurz && gleich(p.nummer)) return p.nummer;
    }
  }

  // The number under hash H for which GLEICH(number) holds; else NEU is entered and returned
  // with second true.
  template <class Gleich>
  std::pair<std::int32_t, bool> finden(std::uint64_t h, Gleich gleich, std::int32_t neu) {
    if ((belegt_ + 1) * 2 > plaetze_.size()) neuVerteilen(std::max<std::size_t>(1024, plaetze_.size() * 2));
    const std::size_t maske = plaetze_.size() - 1;
    // The lower half serves both as the start and for the quick comparison: tables stay far
    // below 2^32 places.
    const auto kurz = static_cast<std::uint32_t>(h);
    for (std::size_t i = kurz & maske;; i = (i + 1) & maske) {
      Platz& p = plaetze_[i];
      if (p.nummer < 0) {
        p = Platz{kurz, neu};
        ++belegt_;
        return {neu, true};
      }
      if (p.hash == kurz && gleich(p.nummer)) return {p.nummer, false};
    }
  }

 private:
  struct Platz {
    std::uint32_t hash = 0;
    std::int32_t nummer = -1;  // -1: free
  };

  // A national table has millions of places: its memory comes in huge pages.
  using Plaetze = std::vector<Platz, OhneNullen<Platz>>;

  void neuVerteilen(std::size_t groesse) {
    Plaetze alt(groesse);
    alt.swap(plaetze_);
    const std::size_t maske = plaetze_.size() - 1;
    for (const Platz& p : alt) {
      if (p.nummer < 0) continue;
      std::size_t i = p.hash & maske;
      while (plaetze_[i].nummer >= 0) i = (i + 1) & maske;
      plaetze_[i] = p;
    }
  }

  Plaetze plaetze_;
  std::size_t belegt_ = 0;
};

}  // namespace orvano
