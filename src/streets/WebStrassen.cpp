#include "WebStrassen.h"


#include <algorithm>
#include <cctype>
#include <optional>

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

std::string StrassenlistenCA() { return DienstBasis("Strassenliste.ca"); }

std::string StrassenlisteFehlerText(const WebAntwort& antwort) {
  return "Die Stra\xC3\x9F" "enliste kann nicht geholt werden: " + antwort.fehler;
}

WebAnfrage StrassenlistenAnfrage(std::string_view ort, std::string_view plz) {
  WebAnfrage a;
  a.adresse = WebAdresse(StrassenlistenDienst(), ort, plz);
  a.caDatei = StrassenlistenCA();
  a.zeitlimitMs = 20000;
  return a;
}

}  // namespace orvano
