// Routes: the eight web route services, their addresses, and route files (.rte).
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace orvano {

// Windows-1252 texts of the six fields.
struct Route {
  std::string ausgangsort, ausgangsPLZ, ausgangsStrasse;
  std::string zielort, zielPLZ, zielStrasse;
  int dienst = 0;  // index into kRoutenDienste
};

// The services in the order of the combo.
inline constexpr std::array<const char*, 8> kRoutenDienste = {"Google", "Falk",  "Mappy", "Bing",
                                                              "Yahoo",  "ViaMichelin", "Nokia", "Meinestadt"};

// Scheme and host of a service or map link: the public address, or the one the optional file
// ProgVerzeichnis/Dienste.ini names ("Name=https://host" per line, UTF-8). Empty when unknown.
std::string DienstBasis(std::string_view name);

// "ä"/"Ä", "ü"/"Ü", "ö"/"Ö" to their lower-case UTF-8 percent codes, then "ß"; nothing else.
std::string UmlauteFuerURL(std::string_view text);
// UmlauteFuerURL, and every other character outside ASCII as its UTF-8 percent codes
// ("Gen\xE8ve" -> "Gen%C3%A8ve"), so that a browser reads the same letter.
std::string TextFuerURL(std::string_view text);

// "Ausgangsort eingeben" / "Zielort eingeben" when a side has neither place nor postal code.
std::string RouteFehlt(const Route& r);
// Why a postal code of R is none (it must be digits, blanks around them allowed), naming the
// side and the text (Windows-1252), or empty.
std::string RoutenPLZFehler(const Route& r);
// The address "Route" opens for service DIENST (a combo text); empty for an unknown one.
std::string RoutenAdresse(const Route& r, std::string_view dienst);

// The line of a route file without its CR LF; empty when a field holds "|" or "*", which the
// file cannot carry.
std::string RoutenZeile(const Route& r);
// A route from the first line of a file; none with two "*"-parts or fewer. Missing "|"-pieces
// are empty fields.
std::optional<Route> RouteAusZeile(std::string_view zeile);
// "Bonn_Köln.rte" (UTF-8) for a route from Bonn to Köln.
std::string RoutenDateiVorschlag(const Route& r);

}  // namespace orvano
