// Street lists from the web service: the request, the conversion of its page into a
// street-list file, and a plain HTTP fetch for the command line; without Qt.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

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

struct HttpAntwort {
  int status = 0;           // HTTP status; 0 when none came
  std::string contentType;
  std::string inhalt;
  std::string fehler;       // German, empty when the answer came
};
// GET of an http:// address (scheme in any case). ZEITLIMIT_MS for the whole answer; more than
// MAXBYTES is an error.
HttpAntwort HttpHolen(const std::string& adresse, int zeitlimitMs, std::size_t maxBytes);
// The answer ROH as it came from HOST: status line, headers, body (chunked or not). Whatever
// is malformed is an error, never a guess.
HttpAntwort HttpAntwortLesen(const std::string& roh, const std::string& host, std::size_t maxBytes);

}  // namespace orvano
