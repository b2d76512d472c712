#include "TabellenSicht.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "Texte.h"

namespace orvano {

namespace {

constexpr std::array<unsigned char, 256> FaltTabelle() {
  std::array<unsigned char, 256> t{};
  for (int i = 0; i < 256; ++i) t[static_cast<std::size_t>(i)] = static_cast<unsigned char>(i);
  for (int c = 'A'; c <= 'Z'; ++c) t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
  // À..Þ without the multiplication sign; Š, Œ, Ž and Ÿ sit elsewhere in Windows-1252.
  for (int c = 0xC0; c <= 0xDE; ++c) {
    if (c != 0xD7) t[static_cast<std::size_t>(c)] = static_cast<unsigned char>(c + 32);
  }
  t[0x8A] = 0x9A;
  t[0x8C] = 0x9C;
  t[0x8E] = 0x9E;
  t[0x9F] = 0xFF;
  return t;
}

constexpr auto kFalten = FaltTabelle();

void FaltenIn(std::string& aus, std::string_view s) {
  aus.resize(s.size());
  for (std::size_t i = 0; i < s.size(); ++i) {
    aus[i] = static_cast<char>(kFalten[static_cast<unsigned char>(s[i])]);
  }
}

// A sort key: empty cells first, then numbers by value, then other texts.
struct Schluessel {
  int rang;
  double zahl;
  std::string text;
};

bool Kleiner(const Schluessel& a, const Schluessel& b) {
  if (a.rang != b.rang) return a.rang < b.rang;
  if (a.rang == 1) return a.zahl < b.zahl;
  return a.text < b.text;
}

}  // namespace

char Falten(char c) { return static_cast<char>(kFalten[static_cast<unsigned char>(c)]); }

std::string FaltenText(std::string_view s) {
  std::string aus;
  FaltenIn(aus, s);
  return aus;
}

bool SichtNeutral(const SichtWahl& w) { return w.filter.empty() && w.sortSpalte < 0; }

std::vector<int> SichtZeilen(const Tabelle& t, const SichtWahl& w) {
  std::vector<int> zeilen;
  const int n = t.zeilen();
  zeilen.reserve(static_cast<std::size_t>(std::max(0, n - 1)));
  if (w.filter.empty()) {
    for (int r = 1; r < n; ++r) zeilen.push_back(r);
  } else {
    std::vector<int> spalten;
    if (w.filterSpalte >= 0) {
      spalten.push_back(w.filterSpalte);
    } else {
      for (int c = t.festeSpalten(); c < t.spalten(); ++c) {
        if (!t.verborgen(c)) spalten.push_back(c);
      }
    }
    const std::string nadel = FaltenText(w.filter);
    std::string zelle;
    for (int r = 1; r < n; ++r) {
      for (const int c : spalten) {
        FaltenIn(zelle, t.zelle(c, r));
        if (zelle.find(nadel) != std::string::npos) {
          zeilen.push_back(r);
          break;
        }
      }
    }
  }
  if (w.sortSpalte < 0 || w.sortSpalte >= t.spalten() || zeilen.size() < 2) return zeilen;

  std::vector<Schluessel> schluessel(static_cast<std::size_t>(n));
  for (const int r : zeilen) {
    const std::string_view s = t.zelle(w.sortSpalte, r);
    Schluessel& k = schluessel[static_cast<std::size_t>(r)];
    double wert = 0;
    if (BlanksAbschneiden(s).empty()) {
      k.rang = 0;
    } else if (w.sortArt == SortArt::Zahl && KommaZahlLesen(s, wert) && std::isfinite(wert)) {
      k.rang = 1;
      k.zahl = wert;
    } else {
      k.rang = 2;
      k.text = FaltenText(s);
    }
  }
  std::stable_sort(zeilen.begin(), zeilen.end(), [&](int a, int b) {
    const Schluessel& ka = schluessel[static_cast<std::size_t>(a)];
    const Schluessel& kb = schluessel[static_cast<std::size_t>(b)];
    return w.absteigend ? Kleiner(kb, ka) : Kleiner(ka, kb);
  });
  return zeilen;
}

}  // namespace orvano
