#include "StrassenVerzeichnis.h"

namespace orvano {

void StrassenVerzeichnis::aufbauen(const std::vector<std::int32_t>& plz, std::int32_t grenze) {
  const auto n = static_cast<std::int32_t>(plz.size()) - 1;
  // The old index's memory takes the new one: a reload touches no new pages.
  std::vector<std::int32_t> erste = std::move(erste_);
  std::vector<std::int32_t> indexe = std::move(indexe_);
  erste.assign(static_cast<std::size_t>(grenze) + 1, 0);
  for (std::int32_t k = 1; k <= n; ++k) {
    const std::int32_t p = plz[static_cast<std::size_t>(k)];
    if (p > 0 && p < grenze) ++erste[static_cast<std::size_t>(p) + 1];
  }
  for (std::size_t p = 1; p < erste.size(); ++p) erste[p] += erste[p - 1];
  indexe.resize(static_cast<std::size_t>(erste.back()));
  std::vector<std::int32_t> naechste(erste.begin(), erste.end() - 1);
  for (std::int32_t k = 1; k <= n; ++k) {
    const std::int32_t p = plz[static_cast<std::size_t>(k)];
    if (p > 0 && p < grenze) indexe[static_cast<std::size_t>(naechste[static_cast<std::size_t>(p)]++)] = k;
  }
  erste_ = std::move(erste);
  indexe_ = std::move(indexe);
  grenze_ = grenze;
}

void StrassenVerzeichnis::leeren() {
  std::vector<std::int32_t>().swap(erste_);
  std::vector<std::int32_t>().swap(indexe_);
}

StrassenBereich StrassenVerzeichnis::bereich(std::int32_t plz) const {
  if (plz <= 0 || plz >= grenze_ || erste_.empty()) return {};
  const std::int32_t* basis = indexe_.data();
  return {basis + erste_[static_cast<std::size_t>(plz)], basis + erste_[static_cast<std::size_t>(plz) + 1]};
}

}  // namespace orvano
