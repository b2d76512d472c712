// Program folders with postal-code and street files for tests.
#pragma once

#include <cstring>
#include <string>
#include <vector>

#include "core/Records.h"
#include "support/TempOrdner.h"

namespace orvano::test {

inline TPLZRecord PLZSatz(const char* ort, std::int32_t plz, const char* staat = "DE") {
  TPLZRecord r{};
  r.Staat.setzen(staat);
  r.Ort.setzen(ort);
  r.PLZ = plz;
  return r;
}

inline TPLZRecord PLZSatz(const char* ort, std::int32_t plz, double breite, double laenge) {
  TPLZRecord r = PLZSatz(ort, plz);
  r.Breitengrad = breite;
  r.Laengengrad = laenge;
  return r;
}

inline TStrassenRecord StrassenSatz(std::int32_t plz, const char* name, const char* ort = "", const char* ab = "", const char* bis = "") {
  TStrassenRecord s{};
  s.PLZ = plz;
  s.Ort.setzen(ort);
  s.Strasse.setzen(name);
  if (*ab || *bis) {
    s.AbNr.setzen(ab);
    s.BisNr.setzen(bis);
    s.HausNrKz = '1';
  }
  return s;
}

template <class T>
void RecordsSchreiben(const std::string& datei, const std::vector<T>& records) {
  std::string roh;
  for (const T& r : records) roh.append(reinterpret_cast<const char*>(&r), sizeof r);
  DateiSchreiben(datei, roh);
}

// The Ort fields of a postal-code file, in file order.
inline std::vector<std::string> PLZOrte(const std::string& datei) {
  const std::string roh = DateiLesen(datei);
  std::vector<std::string> orte;
  for (std::size_t i = 0; i + sizeof(TPLZRecord) <= roh.size(); i += sizeof(TPLZRecord)) {
    TPLZRecord r;
    std::memcpy(&r, roh.data() + i, sizeof r);
    orte.push_back(r.Ort.text());
  }
  return orte;
}

}  // namespace orvano::test
