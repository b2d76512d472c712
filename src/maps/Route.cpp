#include "Route.h"

#include <fstream>
#include <map>

#include "core/Listen.h"
#include "core/Pfade.h"
#include "core/Texte.h"
#include "core/Windows1252.h"

namespace orvano {

namespace {

// The public addresses; Dienste.ini may name others.
const std::map<std::string, std::string, std::less<>>& StandardBasen() {
  static const std::map<std::string, std::string, std::less<>> basen = {
      {"Google", "https://www.google.de"},       {"Falk", "https://www.falk.de"},
      {"Mappy", "https://fr.mappy.com"},         {"Bing", "https://www.bing.com"},
      {"Yahoo", "https://maps.yahoo.com"},       {"ViaMichelin", "https://www.viamichelin.de"},
      {"Nokia", "https://wego.here.com"},        {"Meinestadt", "https://www.meinestadt.de"},
      {"Karte", "https://www.google.de"},        {"Strassenansicht", "https://www.instantstreetview.com/s"}};
  return basen;
}

}  // namespace

std::string DienstBasis(std::string_view name) {
  std::ifstream ini(ProgVerzeichnis + "Dienste.ini");
  std::string zeile;
  while (std::getline(ini, zeile)) {
    if (!zeile.empty() && zeile.back() == '\r') zeile.pop_back();
    const auto gleich = zeile.find('=');
    if (gleich != std::string::npos && BlanksAbschneiden(zeile.substr(0, gleich)) == name) {
      return BlanksAbschneiden(zeile.substr(gleich + 1));
    }
  }
  const auto& basen = StandardBasen();
  const auto it = basen.find(name);
  return it == basen.end() ? std::string() : it->second;
}

std::string UmlauteFuerURL(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    switch (static_cast<unsigned char>(c)) {
      case 0xE4: case 0xC4: out += "%C3%A4"; break;
      case 0xFC: case 0xDC: out += "%C3%BC"; break;
      case 0xF6: case 0xD6: out += "%C3%B6"; break;
      case 0xDF: out += "%C3%9F"; break;
      default: out += c;
    }
  }
  return out;
}

std::string TextFuerURL(std::string_view text) {
  static const char* const kHex = "0123456789ABCDEF";
  std::string out;
  for (const char c : UmlauteFuerURL(text)) {
    if (static_cast<unsigned char>(c) < 0x80) {
      out += c;
      continue;
    }
    for (const char b : Cp1252ZuUtf8(std::string_view(&c, 1))) {
      const auto u = static_cast<unsigned char>(b);
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 15];
    }
  }
  return out;
}

std::string RouteFehlt(const Route& r) {
  if (r.ausgangsort.empty() && r.ausgangsPLZ.empty()) return "Ausgangsort eingeben";
  if (r.zielort.empty() && r.zielPLZ.empty()) return "Zielort eingeben";
  return {};
}

std::string RoutenPLZFehler(const Route& r) {
  for (const auto& [plz, seite] : {std::pair{&r.ausgangsPLZ, "Ausgangsorts"}, std::pair{&r.zielPLZ, "Zielorts"}}) {
    const std::size_t a = plz->find_first_not_of(' ');
    if (a == std::string::npos) continue;
    const std::size_t e = plz->find_last_not_of(' ');
    if (plz->substr(a, e - a + 1).find_first_not_of("0123456789") != std::string::npos) {
      return std::string("Die PLZ des ") + seite + " darf nur Ziffern enthalten: \"" + *plz + "\"";
    }
  }
  return {};
}

std::string RoutenAdresse(const Route& r, std::string_view dienst) {
  const std::string& ap = r.ausgangsPLZ;
  const std::string& zp = r.zielPLZ;
  const std::string ao = UmlauteFuerURL(r.ausgangsort), as = UmlauteFuerURL(r.ausgangsStrasse);
  const std::string zo = UmlauteFuerURL(r.zielort), zs = UmlauteFuerURL(r.zielStrasse);
  const std::string basis = DienstBasis(dienst);
  if (dienst == "Google") return basis + "/maps/dir/" + as + ",+" + ap + "+" + ao + "/" + zs + ",+" + zp + "+" + zo;
  if (dienst == "Falk") return basis + "/?start=" + as + ",+" + ap + "+" + ao + ",&dest=" + zs + ",+" + zp + "+" + zo;
  if (dienst == "Mappy") {
    return basis + "/#/4/M2/TItinerary/IFR" + as + "%20" + ap + "%20" + ao + "%20" + "|TO" + zs + "%20" + zp + "%20" + zo + "/Z12/";
  }
  if (dienst == "Bing") return basis + "/mapspreview?v=2&rtp=adr." + as + "," + ap + "," + ao + "~adr." + zs + "," + zp + "," + zo;
  if (dienst == "Yahoo") return basis + "/directions/?zoom=7&o=" + as + "%2C" + ap + "%2C" + ao + "&d=" + zs + "%2C" + zp + "%2C" + zo;
  if (dienst == "ViaMichelin") {
    return basis + "/web/Routenplaner?departure=" + as + "," + ap + "," + ao + "&arrival=" + zs + "," + zp + "," + zo;
  }
  if (dienst == "Nokia") return basis + "/directions/drive/" + as + ",-" + ap + "-" + ao + ",-/" + zs + ",-" + zp + "-" + zo + ",7,normal";
  if (dienst == "Meinestadt") {
    return basis + "/index.php?streetStart=" + as + "&zipStart=" + ap + "&cityStart=" + ao + "&streetEnd=" + zs + "&zipEnd=" + zp +
           "&cityEnd=" + zo + "&stateType=main&searchType=route";
  }
  return {};
}

std::string RoutenZeile(const Route& r) {
  for (const std::string* f : {&r.ausgangsort, &r.ausgangsPLZ, &r.ausgangsStrasse, &r.zielort, &r.zielPLZ, &r.zielStrasse}) {
    if (f->find_first_of("|*") != std::string::npos) return {};
  }
  return r.ausgangsort + "|" + r.ausgangsPLZ + "|" + r.ausgangsStrasse + "*" + r.zielort + "|" + r.zielPLZ + "|" + r.zielStrasse +
         "*" + std::to_string(r.dienst);
}

std::optional<Route> RouteAusZeile(std::string_view zeile) {
  const std::vector<std::string> teile = TextTeilen("*", zeile, 0);
  if (teile.size() <= 2) return std::nullopt;
  auto stueck = [](const std::vector<std::string>& s, std::size_t i) { return i < s.size() ? s[i] : std::string(); };
  const std::vector<std::string> a = TextTeilen("|", teile[0], 0), z = TextTeilen("|", teile[1], 0);
  Route r;
  r.ausgangsort = stueck(a, 0);
  r.ausgangsPLZ = stueck(a, 1);
  r.ausgangsStrasse = stueck(a, 2);
  r.zielort = stueck(z, 0);
  r.zielPLZ = stueck(z, 1);
  r.zielStrasse = stueck(z, 2);
  r.dienst = TextZuZahl(teile[2]);
  return r;
}

std::string RoutenDateiVorschlag(const Route& r) { return Cp1252ZuUtf8(r.ausgangsort + "_" + r.zielort + ".rte"); }

}  // namespace orvano
