// Text clean-up, comparison keys, German number parsing and the key filters of edit fields.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace orvano {

// Upper- and lower-casing of the program change only a..z / A..Z.
char GrossBuchstabe(char c);
std::string GrossText(std::string_view s);
std::string KleinText(std::string_view s);

std::string LeerzeichenEntfernen(std::string_view s);
std::string RechtsAbschneiden(std::string_view s, char c);
std::string LinksAbschneiden(std::string_view s, char c);
// S without the blanks at both ends.
std::string BlanksAbschneiden(std::string_view s);
std::string VorDemPunkt(std::string_view s);
std::string PunktZuKomma(std::string_view s);
std::string ZahlNormieren(std::string_view s);
std::string NurZiffern(std::string_view s);

std::string VergleichsText(std::string_view s);
bool TexteGleich(std::string_view a, std::string_view b);
std::string StrassenNameNormieren(std::string_view s);
// The same two texts appended to OUT, for loops over millions of streets that reuse one buffer.
void VergleichsTextAnhaengen(std::string& out, std::string_view s);
void StrassenNameAnhaengen(std::string& out, std::string_view s);
// The number of a house number: its leading digits after blanks, at most 9,999,999,999; -1
// without a digit ("12a" 12, "a12" -1).
std::int64_t HausnummerZahl(std::string_view s);
bool StrassenGleich(std::string_view name1, std::string_view name2, std::string_view abNr1,
                    std::string_view abNr2, std::string_view bisNr1, std::string_view bisNr2);

// "1.234,5" -> 1234.5; 0 for text that is not a number as a whole.
double TextZuReal(std::string_view s);
// "01067" -> 1067, " 1 2" -> 12; 0 for text that is not a whole 32-bit number.
std::int32_t TextZuZahl(std::string_view s);
// Strict parse of a decimal number with "." as point ([sign] digits [. digits] [e exp]);
// false for anything else ("inf", hex, blanks), whatever the C locale says.
bool DezimalLesen(std::string_view s, double& wert);
// Strict parse of a number in the program's format: decimal comma, no thousands separator
// ("52,5", "-7", "1E3"); surrounding blanks are allowed.
bool KommaZahlLesen(std::string_view s, double& wert);
// Strict parse of a whole decimal number (optional sign); false when S is anything else.
bool GanzzahlLesen(std::string_view s, std::int32_t& wert);

// The general form with a decimal comma ("52,52", "1E20"): 15 significant digits, 17 where 15
// would not read back as the very same double, so that exports, settings and an untouched
// record keep their values exactly.
std::string RealZuText(double wert);
std::string KoordinateZuText(double wert);

// Key filters: the typed character, or 0 to swallow it.
constexpr char kRuecktaste = 8;
char ZiffernTaste(char key);
char BuchstabenTaste(char key);
// Decimal entry with separator SEP; SEP '#' admits whole numbers only.
char DezimalTaste(std::string_view text, char key, char sep);

}  // namespace orvano
