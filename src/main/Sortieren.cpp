#include "Sortieren.h"

#include <algorithm>
#include <cmath>
#include <numeric>

#include "core/Texte.h"

namespace orvano {

namespace {

// The cell as the sort sees it: coordinates scaled to millionths, an empty street count 0.
std::string SortierText(std::string_view zelle, int spalte) {
  if (spalte == 8 || spalte == 9) return RealZuText(TextZuReal(zelle) * 1000000.0);
  if (spalte == 15 && zelle.empty()) return "0";
  return std::string(zelle);
}

bool TextKleiner(const std::string& a, const std::string& b) {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(GrossBuchstabe(a[i]));
    const auto y = static_cast<unsigned char>(GrossBuchstabe(b[i]));
    if (x != y) return x < y;
  }
  return a.size() < b.size();
}

bool Passt(std::string_view kandidat, const std::string& nadel, bool genau) {
  const std::string k = KleinText(kandidat);
  if (genau) return k == nadel;
  return !nadel.empty() && k.compare(0, nadel.size(), nadel) == 0;
}

}  // namespace

bool NumerischeSpalte(int spalte) { return spalte == 8 || spalte == 9 || spalte == 15; }

void TabelleSortieren(Tabelle& t, int spalte, bool linkeMaus) {
  const int n = t.zeilen() - 1;
  if (n < 2 || spalte < 0 || spalte >= t.spalten()) return;
  const bool numerisch = NumerischeSpalte(spalte);
  std::vector<std::string> texte(static_cast<std::size_t>(n));
  for (int r = 1; r <= n; ++r) texte[static_cast<std::size_t>(r - 1)] = SortierText(t.zelle(spalte, r), spalte);

  std::vector<std::int32_t> zahlen;
  bool alsZahl = numerisch;
  if (numerisch) {
    zahlen.resize(texte.size());
    for (std::size_t i = 0; i < texte.size() && alsZahl; ++i) alsZahl = GanzzahlLesen(texte[i], zahlen[i]);
  }
  std::vector<int> reihenfolge(static_cast<std::size_t>(n));
  std::iota(reihenfolge.begin(), reihenfolge.end(), 0);
  if (alsZahl) {
    std::stable_sort(reihenfolge.begin(), reihenfolge.end(), [&](int a, int b) {
      return zahlen[static_cast<std::size_t>(a)] < zahlen[static_cast<std::size_t>(b)];
    });
  } else {
    std::stable_sort(reihenfolge.begin(), reihenfolge.end(), [&](int a, int b) {
      return TextKleiner(texte[static_cast<std::size_t>(a)], texte[static_cast<std::size_t>(b)]);
    });
  }
  const bool absteigend = numerisch ? linkeMaus : !linkeMaus;
  if (absteigend) std::reverse(reihenfolge.begin(), reihenfolge.end());
  for (int& r : reihenfolge) ++r;
  t.zeilenUmordnen(1, reihenfolge);
  for (int r = 1; r <= n; ++r) t.setZelle(0, r, std::to_string(r));
}

int SchnellsucheZeile(const Tabelle& t, int spalte, int start, std::string_view nadel, bool genau) {
  // The grid's own order: positions are the rows.
  std::vector<int> reihe(static_cast<std::size_t>(std::max(0, t.zeilen() - 1)));
  for (std::size_t i = 0; i < reihe.size(); ++i) reihe[i] = static_cast<int>(i) + 1;
  return SchnellsuchePosition(t, reihe, spalte, start, nadel, genau, false);
}

int SchnellsuchePosition(const Tabelle& t, const std::vector<int>& reihe, int spalte, int start, std::string_view nadel,
                         bool genau, bool rueckwaerts) {
  const std::string n = KleinText(nadel);
  const int letzte = static_cast<int>(reihe.size());
  auto passt = [&](int p) {
    const std::string_view zelle = t.zelle(spalte, reihe[static_cast<std::size_t>(p - 1)]);
    return (n.empty() && zelle.empty()) || Passt(zelle, n, genau);
  };
  if (rueckwaerts) {
    for (int p = std::min(start, letzte); p >= 1; --p) {
      if (passt(p)) return p;
    }
    return 0;
  }
  for (int p = std::max(1, start); p <= letzte; ++p) {
    if (passt(p)) return p;
  }
  return 0;
}

int SchnellsucheListe(const std::vector<std::string>& liste, int start, std::string_view nadel, bool genau, bool rueckwaerts) {
  const std::string n = KleinText(nadel);
  if (rueckwaerts) {
    for (int i = std::min(start, static_cast<int>(liste.size()) - 1); i >= 0; --i) {
      if (Passt(liste[static_cast<std::size_t>(i)], n, genau)) return i;
    }
    return -1;
  }
  for (int i = std::max(0, start); i < static_cast<int>(liste.size()); ++i) {
    if (Passt(liste[static_cast<std::size_t>(i)], n, genau)) return i;
  }
  return -1;
}

}  // namespace orvano
