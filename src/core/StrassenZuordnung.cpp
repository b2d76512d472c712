#include "StrassenZuordnung.h"

#include <algorithm>
#include <cstring>

#include "Texte.h"

namespace orvano {

namespace {

constexpr std::int32_t kGrenze = StrassenVerzeichnis::kPLZGrenze;

}  // namespace

StrassenZuordnung::StrassenZuordnung(const RecordFeld<TPLZRecord>& plz, std::int32_t n) {
  kandidaten_.reserve(static_cast<std::size_t>(std::max(n, 0)));
  for (std::int32_t k = 1; k <= n; ++k) aufnehmen(plz, k);
  abschliessen();
}

StrassenZuordnung::StrassenZuordnung(const RecordFeld<TPLZRecord>& plz, std::int32_t n, std::int32_t nurPLZ) : nurPLZ_(nurPLZ) {
  for (std::int32_t k = 1; k <= n; ++k) {
    if (plz[static_cast<std::size_t>(k)].PLZ == nurPLZ) aufnehmen(plz, k);
  }
  abschliessen();
}

void StrassenZuordnung::aufnehmen(const RecordFeld<TPLZRecord>& plz, std::int32_t k) {
  const TPLZRecord& r = plz[static_cast<std::size_t>(k)];
  const std::int32_t p = r.PLZ;
  // Streets carry codes 1..99999 only; a record not in use owns nothing.
  if (!InBenutzung(r) || p <= 0 || p >= kGrenze) return;
  const auto anfang = static_cast<std::uint32_t>(orte_.size());
  VergleichsTextAnhaengen(orte_, r.Ort.text());
  kandidaten_.push_back({p, k, anfang, static_cast<std::uint32_t>(orte_.size()), r.Ort});
}

void StrassenZuordnung::abschliessen() {
  // Grouped by code; the stable sort keeps the table order inside a code.
  std::stable_sort(kandidaten_.begin(), kandidaten_.end(), [](const Kandidat& a, const Kandidat& b) { return a.plz < b.plz; });
  if (nurPLZ_ >= 0) return;
  erste_.assign(static_cast<std::size_t>(kGrenze) + 1, 0);
  for (const Kandidat& c : kandidaten_) ++erste_[static_cast<std::size_t>(c.plz) + 1];
  for (std::size_t p = 1; p < erste_.size(); ++p) erste_[p] += erste_[p - 1];
}

std::int32_t StrassenZuordnung::besitzer(const TStrassenRecord& s) const {
  const std::int32_t plz = s.PLZ;
  const std::size_t n = s.Ort.laenge <= 40 ? s.Ort.laenge : 40;
  return besitzer(plz, std::string_view(s.Ort.zeichen, n));
}

std::int32_t StrassenZuordnung::besitzer(std::int32_t plz, std::string_view ort) const {
  const Kandidat* a = nullptr;
  const Kandidat* e = nullptr;
  if (nurPLZ_ >= 0) {
    if (plz != nurPLZ_) return 0;
    a = kandidaten_.data();
    e = a + kandidaten_.size();
  } else {
    if (plz <= 0 || plz >= kGrenze) return 0;
    a = kandidaten_.data() + erste_[static_cast<std::size_t>(plz)];
    e = kandidaten_.data() + erste_[static_cast<std::size_t>(plz) + 1];
  }
  if (a == e) return 0;
  // The comparison text is made only when the bytes differ from a record's place.
  bool verglichen = false;
  for (const Kandidat* c = a; c != e; ++c) {
    if (ort.size() == c->ort.laenge && std::memcmp(ort.data(), c->ort.zeichen, ort.size()) == 0) return c->satz;
    if (!verglichen) {
      puffer_.clear();
      VergleichsTextAnhaengen(puffer_, ort);
      verglichen = true;
      // A blank place is the code's first record's.
      if (puffer_.empty()) return a->satz;
    }
    if (std::string_view(orte_).substr(c->ortAnfang, c->ortEnde - c->ortAnfang) == puffer_) return c->satz;
  }
  return a->satz;
}

void StrassenZuordnung::zaehlen(RecordFeld<TPLZRecord>& plz, const TStrassenRecord& s, std::int32_t position) const {
  const std::int32_t k = besitzer(s);
  if (k <= 0) return;
  TPLZRecord& satz = plz[static_cast<std::size_t>(k)];
  if (position < satz.AbBisNr) satz.AbBisNr = position;
  satz.Strassen = satz.Strassen + 1;
}

StrassenVerzeichnis StrassenNachBesitzer(const RecordFeld<TPLZRecord>& plz, std::int32_t plzAnzahl,
                                         const RecordFeld<TStrassenRecord>& tabelle, std::int32_t strassenZahl) {
  const StrassenZuordnung zuordnung(plz, plzAnzahl);
  std::vector<std::int32_t> besitzer(static_cast<std::size_t>(std::max(strassenZahl, 0)) + 1, 0);
  for (std::int32_t i = 1; i <= strassenZahl; ++i) besitzer[static_cast<std::size_t>(i)] = zuordnung.besitzer(tabelle[static_cast<std::size_t>(i)]);
  StrassenVerzeichnis v;
  v.aufbauen(besitzer, plzAnzahl + 1);
  return v;
}

}  // namespace orvano
