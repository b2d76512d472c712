#include "OsmLesen.h"

#include <osmium/handler.hpp>
#include <osmium/io/any_compression.hpp>
#include <osmium/io/pbf_input.hpp>
#include <osmium/io/reader.hpp>
#include <osmium/io/xml_input.hpp>
#include <osmium/osm/node.hpp>
#include <osmium/osm/relation.hpp>
#include <osmium/osm/way.hpp>
#include <osmium/thread/pool.hpp>
#include <osmium/visitor.hpp>

#include <algorithm>
#include <exception>
#include <limits>
#include <string_view>
#include <thread>
#include <unordered_map>

#include "core/Dateien.h"
#include "core/Records.h"
#include "core/Windows1252.h"

namespace orvano {

namespace {

std::string_view Getrimmt(const char* text) {
  std::string_view s = text == nullptr ? std::string_view() : std::string_view(text);
  const auto weiss = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && weiss(s.front())) s.remove_prefix(1);
  while (!s.empty() && weiss(s.back())) s.remove_suffix(1);
  return s;
}

bool NurZiffern(std::string_view s, std::size_t stellen) {
  return s.size() == stellen && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The reader's own pool, so that nothing static outlives the run; one core stays with this
// thread, which sorts the addresses while the pool inflates the blocks.
int Faeden() {
  const unsigned n = std::thread::hardware_concurrency();
  return static_cast<int>(std::clamp(n > 2 ? n - 1 : 1u, 1u, 16u));
}

// First pass: every object with addr:postcode.
class AdressSammler : public osmium::handler::Handler {
 public:
  AdressSammler(const std::string& land, OsmDaten& d, OsmErgebnis& e) : land_(land), stellen_(land == "DE" ? 5 : 4), d_(d), e_(e) {}

  void node(const osmium::Node& n) {
    const std::int32_t paar = adresse(n);
    if (paar >= 0 && n.location().valid()) ort(paar, n.location().y(), n.location().x());
  }

  void way(const osmium::Way& w) {
    const std::int32_t paar = adresse(w);
    if (paar >= 0 && !w.nodes().empty()) wege_.push_back({w.nodes().front().ref(), paar});
  }

  void relation(const osmium::Relation& r) { adresse(r); }

  // (first node, pair) of the address ways, for the second pass.
  std::vector<std::pair<osmium::object_id_type, std::int32_t>> wege_;

  void ort(std::int32_t paar, std::int32_t breite, std::int32_t laenge) {
    d_.paare[static_cast<std::size_t>(paar)].breite.push_back(breite);
    d_.paare[static_cast<std::size_t>(paar)].laenge.push_back(laenge);
  }

 private:
  std::string text(std::string_view utf8, std::size_t feld) {
    std::string t = Utf8ZuCp1252(utf8);
    if (t.size() > feld) {
      t.resize(feld);
      ++e_.gekuerzt;
    }
    return t;
  }

  // The pair of an address, or -1 for an object skipped (counted) or no address at all.
  std::int32_t adresse(const osmium::OSMObject& o) {
    const osmium::TagList& tags = o.tags();
    const char* plzText = tags["addr:postcode"];
    if (plzText == nullptr) return -1;
    ++e_.adressen;
    const std::string_view stadt = Getrimmt(tags["addr:city"]);
    std::string_view strasse = Getrimmt(tags["addr:street"]);
    if (strasse.empty()) strasse = Getrimmt(tags["addr:place"]);
    const std::string_view plz = Getrimmt(plzText);
    const char* landText = tags["addr:country"];
    if (stadt.empty()) {
      ++e_.ohneOrt;
      return -1;
    }
    if (strasse.empty()) {
      ++e_.ohneStrasse;
      return -1;
    }
    if (!NurZiffern(plz, stellen_)) {
      ++e_.falschePLZ;
      return -1;
    }
    if (landText != nullptr) {
      std::string l(Getrimmt(landText));
      for (char& c : l) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
      if (l != land_) {
        ++e_.anderesLand;
        return -1;
      }
    }
    // Neighbouring objects mostly share place and street: the last ones are asked first.
    paarRoh_.assign(plz);
    paarRoh_ += '|';
    paarRoh_ += stadt;
    if (paarRoh_ != letztesPaarRoh_) {
      std::string schluessel(plz);
      schluessel += '|';
      schluessel += text(stadt, 40);
      auto [p, neuesPaar] = paare_.try_emplace(schluessel, static_cast<std::int32_t>(d_.paare.size()));
      if (neuesPaar) {
        OsmPaar neu;
        neu.plz = std::stoi(std::string(plz));
        neu.ort = schluessel.substr(plz.size() + 1);
        d_.paare.push_back(std::move(neu));
      }
      letztesPaar_ = p->second;
      letztesPaarRoh_ = paarRoh_;
      letzteStrasseRoh_.clear();
    }
    const std::int32_t paar = letztesPaar_;
    if (strasse != letzteStrasseRoh_ || letzteStrasseRoh_.empty()) {
      std::string name = text(strasse, 65);
      std::string sKey(reinterpret_cast<const char*>(&paar), sizeof paar);
      sKey += name;
      auto [s, neueStrasse] = strassen_.try_emplace(std::move(sKey), static_cast<std::int32_t>(d_.strassen.size()));
      if (neueStrasse) d_.strassen.push_back(OsmStrasse{paar, std::move(name), {}, {}, -1, -1});
      letzteStrasse_ = s->second;
      letzteStrasseRoh_.assign(strasse);
    }
    OsmStrasse& st = d_.strassen[static_cast<std::size_t>(letzteStrasse_)];
    if (const char* nr = tags["addr:housenumber"]) {
      for (const std::string& teil : HausnummerTeile(nr)) {
        const std::int64_t zahl = HausnummerZahl(teil);
        if (zahl < 0) continue;
        // Strictly smaller or larger: on equal numbers the first seen stays.
        if (st.abZahl < 0 || zahl < st.abZahl) {
          st.ab = text(teil, 6);
          st.abZahl = zahl;
        }
        if (zahl > st.bisZahl) {
          st.bis = text(teil, 6);
          st.bisZahl = zahl;
        }
      }
    }
    return paar;
  }

  std::string land_;
  std::size_t stellen_;
  OsmDaten& d_;
  OsmErgebnis& e_;
  std::unordered_map<std::string, std::int32_t> paare_;
  std::unordered_map<std::string, std::int32_t> strassen_;
  std::string paarRoh_, letztesPaarRoh_, letzteStrasseRoh_;
  std::int32_t letztesPaar_ = -1, letzteStrasse_ = -1;
};

// Reads FILE with HANDLER, progress from VORHER on; false when cancelled.
template <class Handler>
bool Durchlauf(const std::string& datei, osmium::osm_entity_bits::type arten, Handler& handler, Fortschritt& f, std::int64_t vorher) {
  osmium::thread::Pool pool(Faeden());
  osmium::io::Reader reader(datei, arten, osmium::io::read_meta::no, pool);
  while (osmium::memory::Buffer puffer = reader.read()) {
    osmium::apply(puffer, handler);
    f.position(vorher + static_cast<std::int64_t>(reader.offset()));
    if (f.abbrechen()) {
      reader.close();
      return false;
    }
  }
  reader.close();
  return true;
}

// Second pass: the locations of the first nodes of address ways.
class KnotenSammler : public osmium::handler::Handler {
 public:
  KnotenSammler(std::vector<std::pair<osmium::object_id_type, std::int32_t>>& wege, AdressSammler& a) : wege_(wege), a_(a) {}

  void node(const osmium::Node& n) {
    const osmium::object_id_type id = n.id();
    // Extracts come sorted by id: a pointer moving forward finds each node at once; an
    // unsorted file goes back by a search.
    if (id < letzte_) {
      i_ = static_cast<std::size_t>(
          std::lower_bound(wege_.begin(), wege_.end(), std::make_pair(id, std::numeric_limits<std::int32_t>::min())) - wege_.begin());
    }
    letzte_ = id;
    while (i_ < wege_.size() && wege_[i_].first < id) ++i_;
    if (!n.location().valid()) return;
    for (std::size_t j = i_; j < wege_.size() && wege_[j].first == id; ++j) a_.ort(wege_[j].second, n.location().y(), n.location().x());
  }

 private:
  std::vector<std::pair<osmium::object_id_type, std::int32_t>>& wege_;
  AdressSammler& a_;
  std::size_t i_ = 0;
  osmium::object_id_type letzte_ = std::numeric_limits<osmium::object_id_type>::min();
};

}  // namespace

bool OsmAdressenLesen(const std::string& datei, const std::string& land, OsmDaten& daten, OsmErgebnis& e, Fortschritt& f) {
  if (!DateiVorhanden(datei)) throw DateiFehler(NichtGefundenText(datei));
  MussNormaleDateiSein(datei);
  const std::int64_t groesse = std::max<std::int64_t>(DateiGroesse(datei), 1);
  try {
    AdressSammler sammler(land, daten, e);
    f.beginnen(groesse);
    f.status(0, "OpenStreetMap: Adressen lesen");
    if (!Durchlauf(datei, osmium::osm_entity_bits::nwr, sammler, f, 0)) return false;
    f.beenden();
    if (!sammler.wege_.empty()) {
      std::sort(sammler.wege_.begin(), sammler.wege_.end());
      KnotenSammler knoten(sammler.wege_, sammler);
      f.beginnen(groesse);
      f.status(0, "OpenStreetMap: Lage der Geb\xC3\xA4ude lesen");
      if (!Durchlauf(datei, osmium::osm_entity_bits::node, knoten, f, 0)) return false;
      f.beenden();
    }
    return true;
  } catch (const DateiFehler&) {
    throw;
  } catch (const std::exception& x) {
    throw DateiFehler("Datei " + datei + " kann nicht gelesen werden: " + x.what());
  }
}

}  // namespace orvano
