#include "WebAbruf.h"

#include <curl/curl.h>

#include <memory>
#include <string_view>
#include <mutex>

namespace orvano {

namespace {

// libcurl is set up once for the whole program, before the first request.
void CurlEinrichten() {
  static std::once_flag einmal;
  std::call_once(einmal, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Empfang {
  std::string* inhalt;
  std::size_t maxBytes;
  bool zuGross = false;
  const std::function<bool()>* abbrechen;
  bool abgebrochen = false;
};

std::size_t Schreiben(char* daten, std::size_t groesse, std::size_t anzahl, void* nutzer) {
  auto* e = static_cast<Empfang*>(nutzer);
  const std::size_t n = groesse * anzahl;
  if (e->inhalt->size() + n > e->maxBytes) {
    // Returning less than given ends the transfer: the rest is never read.
    e->zuGross = true;
    return 0;
  }
  e->inhalt->append(daten, n);
  return n;
}

int Fortschritt(void* nutzer, curl_off_t, curl_off_t, curl_off_t, curl_off_t) {
  auto* e = static_cast<Empfang*>(nutzer);
  if (*e->abbrechen && (*e->abbrechen)()) {
    e->abgebrochen = true;
    return 1;
  }
  return 0;
}

std::string Host(const std::string& adresse) {
  CURLU* u = curl_url();
  std::string host = adresse;
  char* h = nullptr;
  if (curl_url_set(u, CURLUPART_URL, adresse.c_str(), 0) == CURLUE_OK && curl_url_get(u, CURLUPART_HOST, &h, 0) == CURLUE_OK && h) {
    host = h;
    curl_free(h);
  }
  curl_url_cleanup(u);
  return host;
}

// Bytes an address cannot carry as they are (a place's umlauts, blanks) as percent codes.
std::string Kodiert(std::string_view adresse) {
  static const char* const kHex = "0123456789ABCDEF";
  std::string aus;
  for (const unsigned char c : adresse) {
    if (c <= 0x20 || c >= 0x7F || c == '"' || c == '<' || c == '>' || c == '\\' || c == '^' || c == '`' || c == '{' || c == '|' ||
        c == '}') {
      aus += '%';
      aus += kHex[c >> 4];
      aus += kHex[c & 15];
    } else {
      aus += static_cast<char>(c);
    }
  }
  return aus;
}

std::string Sekunden(int ms) {
  const int s = (ms + 999) / 1000;
  return std::to_string(s) + " s";
}

}  // namespace

WebAntwort WebHolen(const WebAnfrage& a) {
  CurlEinrichten();
  WebAntwort antwort;
  const std::string& adresse = a.adresse;
  std::unique_ptr<CURL, void (*)(CURL*)> c(curl_easy_init(), curl_easy_cleanup);
  if (!c) {
    antwort.fehler = "Die Anfrage an " + adresse + " kann nicht vorbereitet werden";
    return antwort;
  }
  Empfang empfang{&antwort.inhalt, a.maxBytes, false, &a.abbrechen, false};
  char fehlerText[CURL_ERROR_SIZE] = {};
  CURL* h = c.get();
  const std::string url = Kodiert(adresse);
  curl_easy_setopt(h, CURLOPT_URL, url.c_str());
  // Only the two web schemes, also after a redirect: no file:// or others by a service's answer.
  curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(h, CURLOPT_MAXREDIRS, static_cast<long>(a.maxUmleitungen));
  curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(a.zeitlimitMs));
  curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(h, CURLOPT_ACCEPT_ENCODING, "");  // gzip, deflate and what else libcurl knows
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(h, CURLOPT_SSL_VERIFYHOST, 2L);
  if (!a.caDatei.empty()) curl_easy_setopt(h, CURLOPT_CAINFO, a.caDatei.c_str());
  curl_easy_setopt(h, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(a.maxBytes));
  curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, Schreiben);
  curl_easy_setopt(h, CURLOPT_WRITEDATA, &empfang);
  curl_easy_setopt(h, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(h, CURLOPT_XFERINFOFUNCTION, Fortschritt);
  curl_easy_setopt(h, CURLOPT_XFERINFODATA, &empfang);
  curl_easy_setopt(h, CURLOPT_ERRORBUFFER, fehlerText);
  curl_easy_setopt(h, CURLOPT_USERAGENT, "Orvano");

  const CURLcode ergebnis = curl_easy_perform(h);
  long status = 0;
  curl_easy_getinfo(h, CURLINFO_RESPONSE_CODE, &status);
  antwort.status = static_cast<int>(status);
  char* typ = nullptr;
  if (curl_easy_getinfo(h, CURLINFO_CONTENT_TYPE, &typ) == CURLE_OK && typ) antwort.contentType = typ;
  const std::string host = Host(adresse);

  if (empfang.abgebrochen || ergebnis == CURLE_ABORTED_BY_CALLBACK) {
    antwort.abgebrochen = true;
    antwort.fehler = "Die Anfrage an " + adresse + " ist abgebrochen";
  } else if (empfang.zuGross || ergebnis == CURLE_FILESIZE_EXCEEDED) {
    antwort.fehler = "Die Antwort von " + adresse + " ist gr\xC3\xB6\xC3\x9F" "er als " + std::to_string(a.maxBytes / 1000000) +
                     " MB und wird nicht gelesen";
  } else if (ergebnis != CURLE_OK) {
    switch (ergebnis) {
      case CURLE_UNSUPPORTED_PROTOCOL:
      case CURLE_URL_MALFORMAT:
        antwort.fehler = "Ung\xC3\xBCltige Adresse (nur http:// und https://): " + adresse;
        break;
      case CURLE_COULDNT_RESOLVE_HOST: antwort.fehler = "Der Name " + host + " ist nicht bekannt (" + adresse + ")"; break;
      case CURLE_COULDNT_RESOLVE_PROXY: antwort.fehler = "Der Proxy f\xC3\xBCr " + adresse + " ist nicht bekannt"; break;
      case CURLE_COULDNT_CONNECT: antwort.fehler = "Verbindung zu " + host + " abgelehnt (" + adresse + ")"; break;
      case CURLE_OPERATION_TIMEDOUT:
        antwort.fehler = "Keine Antwort von " + adresse + " in " + Sekunden(a.zeitlimitMs);
        break;
      case CURLE_PEER_FAILED_VERIFICATION:
        antwort.fehler = "Das Zertifikat von " + host + " ist nicht vertrauensw\xC3\xBCrdig (" + adresse + ")";
        break;
      case CURLE_SSL_CACERT_BADFILE:
        antwort.fehler = "Die Zertifikatsdatei " + a.caDatei + " f\xC3\xBCr " + adresse + " kann nicht gelesen werden";
        break;
      case CURLE_SSL_CONNECT_ERROR:
        antwort.fehler = "Keine sichere Verbindung zu " + host + " (" + adresse + "): " + (fehlerText[0] ? fehlerText : curl_easy_strerror(ergebnis));
        break;
      case CURLE_TOO_MANY_REDIRECTS:
        antwort.fehler = adresse + " leitet zu oft weiter (mehr als " + std::to_string(a.maxUmleitungen) + " Umleitungen)";
        break;
      default:
        // libcurl's own words come only after a German sentence.
        antwort.fehler = "Die Anfrage an " + adresse + " ist fehlgeschlagen: " + (fehlerText[0] ? fehlerText : curl_easy_strerror(ergebnis));
    }
  } else if (antwort.status != 200) {
    antwort.fehler = adresse + " antwortet mit " + std::to_string(antwort.status);
  }
  if (!antwort.fehler.empty()) antwort.inhalt.clear();
  return antwort;
}

}  // namespace orvano
