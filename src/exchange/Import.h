// Appending the rows of the import table to a postal-code or street file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

#include "core/Fortschritt.h"
#include "core/Records.h"
#include "core/Tabelle.h"

namespace orvano {

// The record a row of the import table gives (all other bytes zero).
TPLZRecord ImportZeileZuPLZ(const Tabelle& t, int r);
TStrassenRecord ImportZeileZuStrasse(const Tabelle& t, int r);

// Rows of T that make records: postal codes with Ort and PLZ, streets with a PLZ of
// 1..99999 and a street name.
std::int64_t ImportGueltigeZeilen(const Tabelle& t, bool plz);

struct AnhaengenErgebnis {
  std::int64_t geschrieben = 0;  // records appended
  std::int64_t anfang = 0;       // byte position of the first one: after the last whole record
  std::string zurueckgenommen;   // a killed earlier import of the file that was taken back first
};

// Writes the valid rows of T one after another behind the target's last whole record (a torn
// tail of a cut-off append is written over); the records already there are never touched.
// Progress every 10th row. Holds the target locked; throws DateiFehler, and after a failed
// write the file has its old size again.
AnhaengenErgebnis ImportAnhaengen(const std::string& ziel, bool plz, const Tabelle& t, Fortschritt& fortschritt);

// The same for any records of GROESSE bytes: SATZ(i, puffer) fills record i (1..ANZAHL) and
// says whether it is written. Journal, lock and rollback as above.
AnhaengenErgebnis SaetzeAnhaengen(const std::string& ziel, std::size_t groesse, std::int64_t anzahl,
                                  const std::function<bool(std::int64_t, void*)>& satz, Fortschritt& fortschritt);

}  // namespace orvano
