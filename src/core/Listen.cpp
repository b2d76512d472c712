#include "Listen.h"

#include <algorithm>

#include "Texte.h"

namespace orvano {

std::vector<std::string> TextTeilen(std::string_view trenner, std::string_view s, int max) {
  std::vector<std::string> teile;
  if (s.empty() || max < 0) return teile;
  if (trenner.empty()) {
    teile.emplace_back(s);
    return teile;
  }
  const std::size_t tl = trenner.size();
  std::size_t start = 0;
  std::size_t pos = 0;
  while (pos + tl <= s.size()) {
    if (s.compare(pos, tl, trenner) == 0) {
      teile.emplace_back(s.substr(start, pos - start));
      if (static_cast<int>(teile.size()) == max) return teile;
      start = pos + tl;
      pos += tl;
    } else {
      ++pos;
    }
  }
  teile.emplace_back(start < s.size() ? s.substr(start) : std::string_view());
  return teile;
}

std::int32_t TeilIndex(const std::vector<std::string>& teile, std::string_view s) {
  if (LeerzeichenEntfernen(s).empty()) return -1;
  const std::string gesucht = GrossText(s);
  for (std::size_t i = 0; i < teile.size(); ++i) {
    if (GrossText(teile[i]) == gesucht) return static_cast<std::int32_t>(i);
  }
  return -1;
}

std::int32_t EintragIndex(const std::vector<std::string>& eintraege, std::string_view text) {
  for (std::size_t i = 0; i < eintraege.size(); ++i) {
    if (eintraege[i] == text) return static_cast<std::int32_t>(i);
  }
  return 0;
}

namespace {

bool IstZiffer(char c) { return c >= '0' && c <= '9'; }

// Key of an item: its 4th character (a digit as itself, anything else as code x 9999),
// followed by the 5th when that is a digit or blank, else by the code product once more.
std::int64_t NummernSchluessel(std::string_view s) {
  const char c4 = s.size() >= 4 ? s[3] : ' ';
  const char c5 = s.size() >= 5 ? s[4] : ' ';
  const std::string produkt = std::to_string(static_cast<unsigned char>(c4) * 9999);
  std::string schluessel = IstZiffer(c4) ? std::string(1, c4) : produkt;
  if (IstZiffer(c5) || c5 == ' ') {
    schluessel += c5;
  } else {
    schluessel += produkt;
  }
  schluessel = LeerzeichenEntfernen(schluessel.substr(0, 8));
  return std::stoll(schluessel);
}

}  // namespace

std::string EintraegeNachNummerSortieren(std::vector<std::string>& eintraege) {
  std::vector<std::pair<std::int64_t, std::string>> mitSchluessel;
  mitSchluessel.reserve(eintraege.size());
  for (auto& e : eintraege) mitSchluessel.emplace_back(NummernSchluessel(e), std::move(e));
  // A bubble sort that swaps only on "strictly smaller" is stable; so is this.
  std::stable_sort(mitSchluessel.begin(), mitSchluessel.end(),
                   [](const auto& a, const auto& b) { return a.first < b.first; });
  for (std::size_t i = 0; i < eintraege.size(); ++i) eintraege[i] = std::move(mitSchluessel[i].second);
  return eintraege.empty() ? std::string() : eintraege.front();
}

bool IstCSVName(std::string_view dateiName) {
  return dateiName.size() >= 4 && GrossText(dateiName.substr(dateiName.size() - 4)) == ".CSV";
}

std::string Trennzeichen(std::string_view dateiName, std::string& separatorBox) {
  if (separatorBox.empty()) separatorBox = IstCSVName(dateiName) ? ";" : "#9";
  return separatorBox == "#9" ? std::string("\t") : separatorBox;
}

}  // namespace orvano
