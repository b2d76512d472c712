#include "Tabelle.h"

#include <stdexcept>

namespace orvano {

// A packed row is a run of cells, each a length (one byte below 255, else 255 and four
// little-endian bytes) followed by its text. Cells after the last stored one are empty.

namespace {

struct Zelle {
  std::size_t anfang;
  std::size_t laenge;
};

// Reads the length prefix at POS; returns the cell's text start and length.
Zelle Kopf(const std::string& row, std::size_t pos) {
  std::size_t laenge = static_cast<unsigned char>(row[pos]);
  if (laenge < 255) return {pos + 1, laenge};
  laenge = 0;
  for (int b = 0; b < 4; ++b) {
    laenge |= static_cast<std::size_t>(static_cast<unsigned char>(row[pos + 1 + static_cast<std::size_t>(b)])) << (8 * b);
  }
  return {pos + 5, laenge};
}

// Position of cell N in ROW; false when the row stores fewer cells.
bool Finden(const std::string& row, int n, Zelle& z) {
  std::size_t pos = 0;
  for (int i = 0; pos < row.size(); ++i) {
    const Zelle k = Kopf(row, pos);
    if (i == n) {
      z = k;
      return true;
    }
    pos = k.anfang + k.laenge;
  }
  return false;
}

std::vector<std::string> Entpacken(const std::string& row, int spalten) {
  std::vector<std::string> zellen(static_cast<std::size_t>(spalten));
  std::size_t pos = 0;
  for (int i = 0; pos < row.size() && i < spalten; ++i) {
    const Zelle k = Kopf(row, pos);
    zellen[static_cast<std::size_t>(i)] = row.substr(k.anfang, k.laenge);
    pos = k.anfang + k.laenge;
  }
  return zellen;
}

}  // namespace

Tabelle::Tabelle(int spalten, int zeilen) {
  setSpalten(spalten);
  setZeilen(zeilen);
}

void Tabelle::setSpalten(int n) {
  if (n < 1) throw std::invalid_argument("Tabelle: mindestens eine Spalte");
  const int alt = spalten();
  if (n < alt) {
    for (int r = 0; r < zeilen(); ++r) {
      auto zellen = zeile(r);
      zellen.resize(static_cast<std::size_t>(n));
      zeilen_[static_cast<std::size_t>(r)] = Packen(zellen);
    }
  }
  breiten_.resize(static_cast<std::size_t>(n), 64);
}

void Tabelle::setZeilen(int n) {
  if (n < 0) throw std::invalid_argument("Tabelle: negative Zeilenzahl");
  zeilen_.resize(static_cast<std::size_t>(n));
}

std::string_view Tabelle::zelle(int spalte, int zeile) const {
  if (zeile < 0 || zeile >= zeilen() || spalte < 0 || spalte >= spalten()) return {};
  const std::string& row = zeilen_[static_cast<std::size_t>(zeile)];
  Zelle z{};
  if (!Finden(row, spalte, z)) return {};
  return std::string_view(row).substr(z.anfang, z.laenge);
}

namespace {

std::string Kopf(std::size_t l) {
  std::string k;
  if (l < 255) {
    k += static_cast<char>(l);
  } else {
    k += static_cast<char>(255);
    for (int b = 0; b < 4; ++b) k += static_cast<char>((l >> (8 * b)) & 0xFF);
  }
  return k;
}

}  // namespace

void Tabelle::setZelle(int spalte, int zeile, std::string_view text) {
  if (zeile < 0 || zeile >= zeilen() || spalte < 0 || spalte >= spalten()) return;
  std::string& row = zeilen_[static_cast<std::size_t>(zeile)];
  // Splice the cell in place: walk to it, padding the row with empty cells when it is shorter.
  std::size_t pos = 0;
  int i = 0;
  for (; i < spalte && pos < row.size(); ++i) {
    const Zelle k = Kopf(row, pos);
    pos = k.anfang + k.laenge;
  }
  if (pos >= row.size()) {
    if (text.empty()) return;  // trailing empty cells are not stored
    row.append(static_cast<std::size_t>(spalte - i), '\0');
    row += Kopf(text.size());
    row.append(text);
    return;
  }
  const Zelle k = Kopf(row, pos);
  row.replace(pos, k.anfang + k.laenge - pos, Kopf(text.size()).append(text));
}

std::vector<std::string> Tabelle::zeile(int zeile) const {
  if (zeile < 0 || zeile >= zeilen()) return std::vector<std::string>(static_cast<std::size_t>(spalten()));
  return Entpacken(zeilen_[static_cast<std::size_t>(zeile)], spalten());
}

void Tabelle::setZeile(int zeile, const std::vector<std::string>& zellen) {
  if (zeile < 0 || zeile >= zeilen()) return;
  // Views, not copies: a row may hold a cell of megabytes.
  std::vector<std::string_view> z(static_cast<std::size_t>(spalten()));
  for (std::size_t i = 0; i < z.size() && i < zellen.size(); ++i) z[i] = zellen[i];
  zeilen_[static_cast<std::size_t>(zeile)] = Packen(z);
}

void Tabelle::zeileLeeren(int zeile) {
  if (zeile >= 0 && zeile < zeilen()) zeilen_[static_cast<std::size_t>(zeile)].clear();
}

void Tabelle::zeileEinfuegen(int zeile) {
  if (zeile < 0 || zeile > zeilen()) return;
  zeilen_.insert(zeilen_.begin() + zeile, std::string());
}

void Tabelle::zeileEntfernen(int zeile) {
  if (zeile < 0 || zeile >= zeilen()) return;
  zeilen_.erase(zeilen_.begin() + zeile);
}

void Tabelle::zeilenUmordnen(int ab, const std::vector<int>& reihenfolge) {
  std::vector<std::string> neu;
  neu.reserve(reihenfolge.size());
  for (int alt : reihenfolge) neu.push_back(std::move(zeilen_.at(static_cast<std::size_t>(alt))));
  for (std::size_t i = 0; i < neu.size(); ++i) zeilen_.at(static_cast<std::size_t>(ab) + i) = std::move(neu[i]);
}

std::string Tabelle::Packen(const std::vector<std::string>& zellen) {
  return Packen(std::vector<std::string_view>(zellen.begin(), zellen.end()));
}

std::string Tabelle::Packen(const std::vector<std::string_view>& zellen) {
  // Trailing empty cells are not stored.
  std::size_t n = zellen.size();
  while (n > 0 && zellen[n - 1].empty()) --n;
  std::size_t groesse = 0;
  for (std::size_t i = 0; i < n; ++i) groesse += zellen[i].size() + 5;
  std::string row;
  row.reserve(groesse);
  for (std::size_t i = 0; i < n; ++i) {
    const std::size_t l = zellen[i].size();
    if (l < 255) {
      row += static_cast<char>(l);
    } else {
      row += static_cast<char>(255);
      for (int b = 0; b < 4; ++b) row += static_cast<char>((l >> (8 * b)) & 0xFF);
    }
    row += zellen[i];
  }
  return row;
}

void TabelleLeeren(Tabelle& t) {
  t.setZeilen(2);
  t.zeileLeeren(1);
}

void TabelleZellenLeeren(Tabelle& t) {
  for (int r = 1; r < t.zeilen(); ++r) t.zeileLeeren(r);
}

}  // namespace orvano
