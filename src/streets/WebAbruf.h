// Web requests of the program through libcurl: http and https with the system's certificates,
// redirects, the proxy of the environment, compressed answers, a time limit and a way to stop.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace orvano {

struct WebAnfrage {
  std::string adresse;            // http:// or https://
  std::string caDatei;            // certificates to trust instead of the system's; empty: the system's
  int zeitlimitMs = 20000;        // for the whole request, redirects included
  std::size_t maxBytes = 50u * 1000 * 1000;
  int maxUmleitungen = 5;
  // Asked while the request runs (several times a second): true stops it.
  std::function<bool()> abbrechen;
};

struct WebAntwort {
  int status = 0;             // of the last answer; 0 when none came
  std::string contentType;
  std::string inhalt;         // the body, decompressed
  std::string fehler;         // German, naming the address and the reason; empty when the page came
  bool abgebrochen = false;   // stopped by abbrechen
};

// GET of ANFRAGE.adresse. Certificate and host name are always checked; a status other than
// 200 is an error ("… antwortet mit 404"), as is an answer larger than maxBytes, which is not
// read to its end.
WebAntwort WebHolen(const WebAnfrage& anfrage);

}  // namespace orvano
