// Appending the rows of the import table to a postal-code or street file.
#pragma once

#include <cstdint>
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
  std::int64_t anfang = 0;       // byte position of the first one: the file's size before
};

// Writes the valid rows of T one after another from the target's end (after any trailing
// partial record); the bytes already there are never touched. Progress every 10th row.
// Throws DateiFehler; records written before an error stay in the file.
AnhaengenErgebnis ImportAnhaengen(const std::string& ziel, bool plz, const Tabelle& t, Fortschritt& fortschritt);

}  // namespace orvano
