// The program folder and the names of the database files in a data folder.
//
// Paths and messages are native (UTF-8) strings; a country is given by the Windows-1252 text
// of a country combo ("Deutschland", "\xD6sterreich", "Schweiz"), whose first byte decides.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace orvano {

// Folder of the program with a trailing separator; every data and settings path starts here.
extern std::string ProgVerzeichnis;

constexpr std::string_view kStandardOrdner = "Ord_1/";

// The combo texts of the three countries, Windows-1252.
constexpr std::string_view kDeutschland = "Deutschland";
constexpr std::string_view kOesterreich = "\xD6sterreich";
constexpr std::string_view kSchweiz = "Schweiz";

// "Dat_D", "Dat_A", "Dat_CH"; empty for an empty or unknown country text.
std::string PLZDateiCode(std::string_view landText);
// "D", "A", "CH"; empty for an empty or unknown country text.
std::string StrassenDateiCode(std::string_view landText);

// The names of the six database files of a data folder.
constexpr std::array<std::string_view, 6> kDatenbankDateien = {"Dat_D.ppp", "Dat_A.ppp", "Dat_CH.ppp",
                                                               "Strassen_D.ppp", "Strassen_A.ppp", "Strassen_CH.ppp"};
bool IstDatenbankName(std::string_view name);
// The country combo text of a database file's name ("Strassen_A.ppp" -> "\xD6sterreich"),
// empty for another name.
std::string LandDerDatenbank(std::string_view name);
// The other file of the pair ("Dat_A.ppp" <-> "Strassen_A.ppp"), empty for another name.
std::string PaarDatei(std::string_view name);

// Full path of a database file in the data folder ORDNERPFAD (relative to ProgVerzeichnis,
// with its separator): the postal-code file (PLZ) or the street file of the country.
std::string DatenbankDatei(std::string_view ordnerPfad, std::string_view landText, bool plz);

// Number of street records in a file (size / 126); 0 for a missing file.
std::int32_t StrassenAnzahl(std::string_view dateiName);
// Number of postal-code records in a file (size / 300); 0 for a missing file.
std::int32_t PLZAnzahlDerDatei(std::string_view dateiName);

}  // namespace orvano
