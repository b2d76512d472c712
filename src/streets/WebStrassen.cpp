#include "WebStrassen.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cctype>
#include <optional>
#include <cstring>
#include <fcntl.h>

#include "core/Dateien.h"
#include "core/Listen.h"
#include "core/Pfade.h"
#include "core/RecordDatei.h"
#include "core/Windows1252.h"
#include "maps/Route.h"

namespace orvano {

namespace {

char Klein(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

bool GleichOhneFall(std::string_view text, std::size_t ab, std::string_view muster) {
  if (ab + muster.size() > text.size()) return false;
  for (std::size_t i = 0; i < muster.size(); ++i) {
    if (Klein(text[ab + i]) != Klein(muster[i])) return false;
  }
  return true;
}

void AllesErsetzen(std::string& s, std::string_view alt, std::string_view neu) {
  std::string aus;
  std::size_t i = 0;
  for (std::size_t f; (f = s.find(alt, i)) != std::string::npos; i = f + alt.size()) aus.append(s, i, f - i).append(neu);
  aus.append(s, i);
  s.swap(aus);
}

// A piece of a file name: no separators, no control characters, not overly long.
std::string NamensTeil(std::string_view s, char blank) {
  std::string n;
  for (char c : s.substr(0, 120)) {
    if (c == ' ') {
      n.push_back(blank);
    } else if (c == '/' || c == '\\' || static_cast<unsigned char>(c) < 0x20) {
      n.push_back('-');
    } else {
      n.push_back(c);
    }
  }
  return n;
}

}  // namespace

std::string StrassenlistenDienst() { return DienstBasis("Strassenliste"); }

std::string KeinStrassenlistenDienstText() {
  // A file that is there but cannot be read says so, not that nothing is entered in it.
  const std::string ini = ProgVerzeichnis + "Dienste.ini";
  if (DateiVorhanden(ini) && ::access(ini.c_str(), R_OK) != 0) {
    return "Datei " + ini + " kann nicht gelesen werden: " + FehlerText(errno);
  }
  if (DateiVorhanden(ini) && VerzeichnisVorhanden(ini)) return "Datei " + ini + " kann nicht gelesen werden: " + FehlerText(EISDIR);
  return "Kein Dienst f\xC3\xBCr Strassenlisten eingetragen." "\r" "In " + ProgVerzeichnis +
         "Dienste.ini eine Zeile wie Strassenliste=http://127.0.0.1:8080 eintragen.";
}

std::string WebOrtAus(std::string_view ort) {
  std::string s(ort);
  std::replace(s.begin(), s.end(), '/', '-');
  std::replace(s.begin(), s.end(), '\\', '-');
  return s;
}

std::string WebAdresse(std::string_view basis, std::string_view ort, std::string_view plz) {
  std::string a = std::string(basis) + "/php/plz_imp.php?ort=" + Cp1252ZuUtf8(ort) + "&plz=" + Cp1252ZuUtf8(plz);
  std::replace(a.begin(), a.end(), ' ', '-');
  a.erase(std::remove_if(a.begin(), a.end(), [](char c) { return c == '(' || c == ')' || c == ','; }), a.end());
  return a;
}

std::string WebStrassenDateiName(std::string_view ort, std::string_view plz) {
  return ProgVerzeichnis + "_Strassen" + kTrenner + Cp1252ZuUtf8(NamensTeil(ort, '_') + "_" + NamensTeil(plz, '_') + ".txt");
}

std::string SeiteNachCp1252(std::string_view bytes, std::string_view contentType) {
  auto zeichensatz = [](std::string_view text) -> std::string {
    for (std::size_t i = 0; i + 8 <= text.size(); ++i) {
      if (!GleichOhneFall(text, i, "charset=")) continue;
      std::size_t a = i + 8;
      while (a < text.size() && (text[a] == '"' || text[a] == '\'' || text[a] == ' ')) ++a;
      std::string name;
      while (a < text.size() && (std::isalnum(static_cast<unsigned char>(text[a])) || text[a] == '-' || text[a] == '_')) {
        name.push_back(Klein(text[a++]));
      }
      return name;
    }
    return {};
  };
  std::string name = zeichensatz(contentType);
  if (name.empty()) name = zeichensatz(bytes.substr(0, 4096));
  if (name == "utf-8" || name == "utf8") return Utf8ZuCp1252(bytes);
  return std::string(bytes);
}

std::vector<std::string> WebSeiteUmwandeln(std::string_view seite, std::string_view webPLZ,
                                           const std::optional<std::string>& tabellenPLZ) {
  // What a browser gives as the root element's inner HTML: nothing before the <html> tag and
  // from </html> on.
  for (std::size_t i = 0; i + 5 <= seite.size(); ++i) {
    if (GleichOhneFall(seite, i, "<html") && (i + 5 == seite.size() || seite[i + 5] == '>' || seite[i + 5] == ' ')) {
      const std::size_t zu = seite.find('>', i);
      seite = zu == std::string_view::npos ? std::string_view() : seite.substr(zu + 1);
      break;
    }
  }
  for (std::size_t i = 0; i + 7 <= seite.size(); ++i) {
    if (GleichOhneFall(seite, i, "</html>")) {
      seite = seite.substr(0, i);
      break;
    }
  }
  // The body and head tags go, whatever their case.
  std::string text;
  text.reserve(seite.size());
  for (std::size_t i = 0; i < seite.size();) {
    bool tag = false;
    if (seite[i] == '<') {
      for (std::string_view t : {"<BODY>", "<HEAD>", "</BODY>", "</HEAD>"}) {
        if (GleichOhneFall(seite, i, t)) {
          i += t.size();
          tag = true;
          break;
        }
      }
    }
    if (!tag) text.push_back(seite[i++]);
  }
  const bool alle = webPLZ == "0";
  std::string plz(webPLZ);
  std::vector<std::string> aus;
  for (std::string zeile : TextTeilen("<BR>", text, 0)) {
    // Line breaks of the page's source are no part of a line of the file.
    zeile.erase(std::remove_if(zeile.begin(), zeile.end(), [](char c) { return c == '\r' || c == '\n'; }), zeile.end());
    const std::vector<std::string> felder = TextTeilen("|", zeile, 0);
    if (felder.size() < 4) continue;
    const std::string& f0 = felder[0];
    std::string f3 = felder[3];
    if (alle && tabellenPLZ) {
      plz = *tabellenPLZ;
      f3 = plz;
      AllesErsetzen(zeile, "||", "|" + plz + "|");
    }
    if (f3 != plz && !(alle && !tabellenPLZ)) continue;
    AllesErsetzen(zeile, "|", "  ");
    std::replace(zeile.begin(), zeile.end(), '/', ',');
    if (zeile.size() > 30 && !f0.empty() && !f3.empty()) aus.push_back(std::move(zeile));
  }
  return aus;
}

void WebStrassenSchreiben(const std::string& datei, const std::vector<std::string>& zeilen) {
  AtomarSchreiben(datei, [&](Schreiber& w) {
    auto zeile = [&](std::string_view z) {
      w.schreiben(z.data(), z.size());
      w.schreiben("\r\n", 2);
    };
    zeile("Name  Ort  Bundesland  Postleitzahl  L\xE4nge");
    for (const std::string& z : zeilen) zeile(z);
  });
}

namespace {

using Uhr = std::chrono::steady_clock;

int RestMs(Uhr::time_point ende) {
  return static_cast<int>(std::max<long long>(0, std::chrono::duration_cast<std::chrono::milliseconds>(ende - Uhr::now()).count()));
}

// Bytes a request line cannot carry as they are.
std::string Kodiert(std::string_view pfad) {
  static const char* const kHex = "0123456789ABCDEF";
  std::string aus;
  for (unsigned char c : pfad) {
    if (c <= 0x20 || c >= 0x7F || c == '"' || c == '#' || c == '<' || c == '>' || c == '\\' || c == '^' || c == '`' ||
        c == '{' || c == '|' || c == '}') {
      aus += '%';
      aus += kHex[c >> 4];
      aus += kHex[c & 15];
    } else {
      aus += static_cast<char>(c);
    }
  }
  return aus;
}

// The body of a chunked answer; nothing when a chunk's size is no hexadecimal number, too
// large for the answer, or the chunks do not end properly.
std::optional<std::string> Entkettet(const std::string& roh) {
  std::string aus;
  std::size_t i = 0;
  while (true) {
    const std::size_t ende = roh.find("\r\n", i);
    if (ende == std::string::npos) return std::nullopt;
    std::size_t n = 0, ziffern = 0;
    std::size_t k = i;
    for (; k < ende; ++k) {
      const char c = roh[k];
      const int wert = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
      if (wert < 0) break;
      // More than 15 digits cannot be a size of this answer.
      if (++ziffern > 15) return std::nullopt;
      n = n * 16 + static_cast<std::size_t>(wert);
    }
    // Only extensions (";...") or blanks may follow the size.
    if (ziffern == 0 || (k < ende && roh[k] != ';' && roh[k] != ' ' && roh[k] != '\t')) return std::nullopt;
    if (n == 0) return aus;
    const std::size_t daten = ende + 2;
    if (n > roh.size() - daten || roh.size() - daten - n < 2 || roh.compare(daten + n, 2, "\r\n") != 0) return std::nullopt;
    aus.append(roh, daten, n);
    i = daten + n + 2;
  }
}

}  // namespace

HttpAntwort HttpHolen(const std::string& adresse, int zeitlimitMs, std::size_t maxBytes) {
  HttpAntwort a;
  if (!GleichOhneFall(adresse, 0, "http://")) {
    a.fehler = "Nur http-Adressen k\xC3\xB6nnen abgerufen werden: " + adresse;
    return a;
  }
  const std::size_t hostEnde = adresse.find('/', 7);
  const std::string hostTeil = adresse.substr(7, hostEnde == std::string::npos ? std::string::npos : hostEnde - 7);
  const std::string pfad = hostEnde == std::string::npos ? "/" : adresse.substr(hostEnde);
  std::string host = hostTeil;
  std::string port = "80";
  if (const std::size_t d = hostTeil.rfind(':'); d != std::string::npos) {
    host = hostTeil.substr(0, d);
    port = hostTeil.substr(d + 1);
    const bool zahl = !port.empty() && port.size() <= 5 && port.find_first_not_of("0123456789") == std::string::npos;
    if (!zahl || std::stoi(port) < 1 || std::stoi(port) > 65535) {
      a.fehler = "Ung\xC3\xBCltige Adresse (Port \"" + port + "\"): " + adresse;
      return a;
    }
  }
  const auto ende = Uhr::now() + std::chrono::milliseconds(zeitlimitMs);
  const std::string zeitText = "Keine Antwort von " + hostTeil + " in " + std::to_string(zeitlimitMs / 1000) + " s";
  addrinfo hinweis{};
  hinweis.ai_family = AF_UNSPEC;
  hinweis.ai_socktype = SOCK_STREAM;
  addrinfo* liste = nullptr;
  if (::getaddrinfo(host.c_str(), port.c_str(), &hinweis, &liste) != 0 || liste == nullptr) {
    a.fehler = "Rechner " + host + " nicht gefunden";
    return a;
  }
  int fd = -1;
  int letzterFehler = 0;
  for (addrinfo* p = liste; p != nullptr && fd < 0; p = p->ai_next) {
    fd = ::socket(p->ai_family, p->ai_socktype | SOCK_CLOEXEC | SOCK_NONBLOCK, p->ai_protocol);
    if (fd < 0) continue;
    if (::connect(fd, p->ai_addr, p->ai_addrlen) != 0 && errno != EINPROGRESS) {
      letzterFehler = errno;
      ::close(fd);
      fd = -1;
      continue;
    }
    pollfd w{fd, POLLOUT, 0};
    int fehler = 0;
    socklen_t laenge = sizeof fehler;
    if (::poll(&w, 1, RestMs(ende)) <= 0) {
      letzterFehler = ETIMEDOUT;
    } else if (::getsockopt(fd, SOL_SOCKET, SO_ERROR, &fehler, &laenge) == 0 && fehler == 0) {
      break;
    } else {
      letzterFehler = fehler;
    }
    ::close(fd);
    fd = -1;
  }
  ::freeaddrinfo(liste);
  if (fd < 0) {
    a.fehler = letzterFehler == ETIMEDOUT ? zeitText
               : letzterFehler == ECONNREFUSED ? "Verbindung zu " + hostTeil + " abgelehnt"
                                               : "Keine Verbindung zu " + hostTeil + ": " + FehlerText(letzterFehler);
    return a;
  }
  const std::string anfrage = "GET " + Kodiert(pfad) + " HTTP/1.0\r\nHost: " + hostTeil + "\r\nUser-Agent: orvano-cli\r\nConnection: close\r\n\r\n";
  std::size_t gesendet = 0;
  std::string roh;
  char puffer[65536];
  while (true) {
    pollfd p{fd, static_cast<short>(gesendet < anfrage.size() ? POLLOUT : POLLIN), 0};
    const int r = ::poll(&p, 1, RestMs(ende));
    if (r <= 0) {
      a.fehler = zeitText;
      break;
    }
    if (gesendet < anfrage.size()) {
      const ssize_t n = ::send(fd, anfrage.data() + gesendet, anfrage.size() - gesendet, MSG_NOSIGNAL);
      if (n < 0 && errno != EAGAIN) {
        a.fehler = "Verbindung zu " + hostTeil + " abgebrochen";
        break;
      }
      if (n > 0) gesendet += static_cast<std::size_t>(n);
      continue;
    }
    const ssize_t n = ::recv(fd, puffer, sizeof puffer, 0);
    if (n == 0) break;
    if (n < 0) {
      if (errno == EAGAIN || errno == EINTR) continue;
      a.fehler = "Verbindung zu " + hostTeil + " abgebrochen";
      break;
    }
    roh.append(puffer, static_cast<std::size_t>(n));
    if (roh.size() > maxBytes + 65536) {
      a.fehler = "Die Antwort von " + hostTeil + " ist gr\xC3\xB6\xC3\x9F" "er als " + std::to_string(maxBytes / 1000000) + " MB";
      break;
    }
  }
  ::close(fd);
  if (!a.fehler.empty()) return a;
  return HttpAntwortLesen(roh, hostTeil, maxBytes);
}

HttpAntwort HttpAntwortLesen(const std::string& roh, const std::string& hostTeil, std::size_t maxBytes) {
  HttpAntwort a;
  const std::string ungueltig = "Ung\xC3\xBCltige Antwort von " + hostTeil;
  const std::size_t kopfEnde = roh.find("\r\n\r\n");
  // "HTTP/1.x NNN ...": without a three-digit code there is no status to go by.
  const std::size_t leer = roh.find(' ');
  if (roh.rfind("HTTP/", 0) != 0 || kopfEnde == std::string::npos || leer == std::string::npos || leer > kopfEnde ||
      leer + 4 > roh.size() || !std::isdigit(static_cast<unsigned char>(roh[leer + 1])) ||
      !std::isdigit(static_cast<unsigned char>(roh[leer + 2])) || !std::isdigit(static_cast<unsigned char>(roh[leer + 3])) ||
      (leer + 4 < roh.size() && roh[leer + 4] != ' ' && roh[leer + 4] != '\r')) {
    a.fehler = ungueltig;
    return a;
  }
  a.status = (roh[leer + 1] - '0') * 100 + (roh[leer + 2] - '0') * 10 + (roh[leer + 3] - '0');
  const std::string kopf = roh.substr(0, kopfEnde);
  a.inhalt = roh.substr(kopfEnde + 4);
  bool gekettet = false;
  for (const std::string& z : TextTeilen("\r\n", kopf, 0)) {
    if (GleichOhneFall(z, 0, "content-type:")) a.contentType = z.substr(13);
    if (GleichOhneFall(z, 0, "transfer-encoding:") && z.find("chunked") != std::string::npos) gekettet = true;
  }
  if (gekettet) {
    std::optional<std::string> inhalt = Entkettet(a.inhalt);
    if (!inhalt) {
      a.fehler = ungueltig + " (Block-L\xC3\xA4nge)";
      a.inhalt.clear();
      return a;
    }
    a.inhalt = std::move(*inhalt);
  }
  if (a.inhalt.size() > maxBytes) {
    a.fehler = "Die Antwort von " + hostTeil + " ist gr\xC3\xB6\xC3\x9F" "er als " + std::to_string(maxBytes / 1000000) + " MB";
  } else if (a.status != 200) {
    a.fehler = "Der Dienst " + hostTeil + " antwortet mit HTTP-Fehler " + std::to_string(a.status);
  }
  return a;
}

}  // namespace orvano
