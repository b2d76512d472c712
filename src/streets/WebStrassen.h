// Street lists from the web service: the request and the conversion of its page into a
// street-list file; without Qt.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "WebAbruf.h"

namespace orvano {

// The service's scheme and host from Dienste.ini (key "Strassenliste"); empty without one.
std::string StrassenlistenDienst();
// What the window says when Dienste.ini names no service.
std::string KeinStrassenlistenDienstText();

// The place of a record as it is asked for: "/" and "\" become "-" (Windows-1252).
std::string WebOrtAus(std::string_view ort);
// The request: BASIS + "/php/plz_imp.php?ort=" + ORT + "&plz=" + PLZ, then every blank "-" and
// "(", ")", "," removed. ORT and PLZ are Windows-1252; the result is UTF-8.
std::string WebAdresse(std::string_view basis, std::string_view ort, std::string_view plz);
// ProgVerzeichnis/_Strassen/<place, blanks as "_">_<postal code>.txt (UTF-8 path). Nothing in
// ORT or PLZ can lead out of that folder.
std::string WebStrassenDateiName(std::string_view ort, std::string_view plz);

// The answer's bytes as Windows-1252: by the charset the Content-Type or a meta tag names
// (UTF-8 converted; Windows-1252, Latin-1, ASCII or none taken as they are).
std::string SeiteNachCp1252(std::string_view bytes, std::string_view contentType);

// The lines of the page to write (Windows-1252, without the header). WEBPLZ "0" asks for all
// postal codes of the place: with TABELLENPLZ (the record's postal code) empty fields are filled
// with it; without it (the command line) the lines keep the service's postal codes.
std::vector<std::string> WebSeiteUmwandeln(std::string_view seite, std::string_view webPLZ,
                                           const std::optional<std::string>& tabellenPLZ);
// The header, then the lines, CR LF, written anew as a whole. Throws DateiFehler.
void WebStrassenSchreiben(const std::string& datei, const std::vector<std::string>& zeilen);

// The certificates Dienste.ini names for a service of one's own ("Strassenliste.ca=/pfad/ca.pem");
// empty: the system's.
std::string StrassenlistenCA();
// The request of the street list of ORT and PLZ (Windows-1252) from the service Dienste.ini
// names, with its certificates and the 20-second limit.
WebAnfrage StrassenlistenAnfrage(std::string_view ort, std::string_view plz);
// What a failed request says, in the window and on the command line (UTF-8).
std::string StrassenlisteFehlerText(const WebAntwort& antwort);

}  // namespace orvano
