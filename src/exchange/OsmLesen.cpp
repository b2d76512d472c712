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
#include <cstring>
#include <exception>
#include <limits>
#include <string_view>
#include <thread>

#include "core/Dateien.h"
#include "core/HashVerzeichnis.h"
#include "core/Records.h"
#include "core/Texte.h"
#include "core/Windows1252.h"

namespace orvano {

namespace {

std::string_view Getrimmt(const char* text);

std::string_view Getrimmt(std::string_view s) {
  const auto weiss = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (!s.empty() && weiss(s.front())) s.remove_prefix(1);
  while (!s.empty() && weiss(s.back())) s.remove_suffix(1);
  return s;
}

std::string_view Getrimmt(const char* text) { return text == nullptr ? std::string_view() : Getrimmt(std::string_view(text)); }

bool NurZiffern(std::string_view s, std::size_t stellen) {
  return s.size() == stellen && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// The reader's own pool, so that nothing static outlives the run; one core stays with this
// thread, which sorts the addresses while the pool inflates the blocks (a second inflater on
// two cores only slows both down).
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
  bool fertig() const { return false; }

  // (first node, pair) of the address ways, for the second pass.
  std::vector<std::pair<osmium::object_id_type, std::int32_t>> wege_;

  void ort(std::int32_t paar, std::int32_t breite, std::int32_t laenge) {
    d_.paare[static_cast<std::size_t>(paar)].breite.push_back(breite);
    d_.paare[static_cast<std::size_t>(paar)].laenge.push_back(laenge);
  }

 private:
  // The pair of an address, or -1 for an object skipped (counted) or no address at all.
  std::int32_t adresse(const osmium::OSMObject& o) {
    // One walk over the tags instead of a search per key: most objects carry none of them.
    const char *plzText = nullptr, *stadtText = nullptr, *strasseText = nullptr, *platzText = nullptr, *landText = nullptr,
               *nrText = nullptr, *sonst = nullptr;
    for (const osmium::Tag& t : o.tags()) {
      const char* k = t.key();
      if (std::strncmp(k, "addr:", 5) != 0) continue;
      k += 5;
      const char*& ziel = k[0] == 'p'   ? (std::strcmp(k, "postcode") == 0 ? plzText : std::strcmp(k, "place") == 0 ? platzText : sonst)
                          : k[0] == 'c' ? (std::strcmp(k, "city") == 0 ? stadtText : std::strcmp(k, "country") == 0 ? landText : sonst)
                          : k[0] == 's' ? (std::strcmp(k, "street") == 0 ? strasseText : sonst)
                          : k[0] == 'h' ? (std::strcmp(k, "housenumber") == 0 ? nrText : sonst)
                                        : sonst;
      ziel = t.value();
    }
    if (plzText == nullptr) return -1;
    ++e_.adressen;
    const std::string_view stadt = ErsterWert(Getrimmt(stadtText));
    std::string_view strasse = ErsterWert(Getrimmt(strasseText));
    if (strasse.empty()) strasse = ErsterWert(Getrimmt(platzText));
    const std::string_view plz = Getrimmt(plzText);
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
    const std::int32_t paar = paarVon(plz, stadt);
    OsmStrasse& st = d_.strassen[static_cast<std::size_t>(strasseVon(paar, strasse))];
    if (nrText != nullptr) nummern(st, nrText);
    return paar;
  }

  // Keys are built in one reused buffer, so that a known pair or street costs no allocation;
  // the last ones are asked first, as neighbouring objects mostly share them.
  std::int32_t paarVon(std::string_view plz, std::string_view stadt) {
    if (letztesPaar_ >= 0 && plz == letztePLZ_ && stadt == letzteStadt_) return letztesPaar_;
    letztePLZ_.assign(plz);
    letzteStadt_.assign(stadt);
    letzteStrasse_ = -1;
    schluessel_.assign(plz);
    schluessel_ += '|';
    anhaengen(schluessel_, stadt, 40);
    std::int32_t zahl = 0;
    for (const char c : plz) zahl = zahl * 10 + (c - '0');
    const std::string_view ort = std::string_view(schluessel_).substr(plz.size() + 1);
    const auto [nummer, neu] = paare_.finden(
        std::hash<std::string>{}(schluessel_),
        [&](std::int32_t n) { return d_.paare[static_cast<std::size_t>(n)].plz == zahl && d_.paare[static_cast<std::size_t>(n)].ort == ort; },
        static_cast<std::int32_t>(d_.paare.size()));
    if (neu) {
      OsmPaar paar;
      paar.plz = zahl;
      paar.ort = std::string(ort);
      if (gekuerzt_) ++e_.gekuerzt;
      d_.paare.push_back(std::move(paar));
    }
    return letztesPaar_ = nummer;
  }

  std::int32_t strasseVon(std::int32_t paar, std::string_view strasse) {
    if (letzteStrasse_ >= 0 && strasse == letzteStrasseRoh_) return letzteStrasse_;
    letzteStrasseRoh_.assign(strasse);
    schluessel_.assign(reinterpret_cast<const char*>(&paar), sizeof paar);
    anhaengen(schluessel_, strasse, 65);
    const std::string_view name = std::string_view(schluessel_).substr(sizeof paar);
    const auto [nummer, neu] = strassen_.finden(
        std::hash<std::string>{}(schluessel_),
        [&](std::int32_t n) {
          const OsmStrasse& s = d_.strassen[static_cast<std::size_t>(n)];
          return s.paar == paar && s.name == name;
        },
        static_cast<std::int32_t>(d_.strassen.size()));
    if (neu) {
      if (gekuerzt_) ++e_.gekuerzt;
      d_.strassen.push_back(OsmStrasse{paar, std::string(name), {}, {}, -1, -1});
    }
    return letzteStrasse_ = nummer;
  }

  // ";" separates the values of a list in OpenStreetMap ("Hauptstraße;Kirchweg"): the first is
  // taken (and counted), so that no export gains a column.
  std::string_view ErsterWert(std::string_view wert) {
    const std::size_t semikolon = wert.find(';');
    if (semikolon == std::string_view::npos) return wert;
    ++e_.listen;
    return Getrimmt(wert.substr(0, semikolon));
  }

  // UTF8 as Windows-1252, cut to FELD bytes, behind OUT; gekuerzt_ says whether it was cut. A
  // control character (a line break or tab in a value) becomes a blank: every exported line
  // stays one line.
  void anhaengen(std::string& out, std::string_view utf8, std::size_t feld) {
    const std::size_t vorher = out.size();
    if (std::all_of(utf8.begin(), utf8.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
      out += utf8;
    } else {
      out += Utf8ZuCp1252(utf8);
    }
    for (std::size_t i = vorher; i < out.size(); ++i) {
      const auto c = static_cast<unsigned char>(out[i]);
      if (c < 0x20 || c == 0x7F) out[i] = ' ';
    }
    gekuerzt_ = out.size() - vorher > feld;
    if (gekuerzt_) out.resize(vorher + feld);
  }

  // The parts of an addr:housenumber widen the street's range: strictly smaller or larger,
  // so that on equal numbers the first seen stays.
  void nummern(OsmStrasse& st, const char* nr) {
    HausnummerTeile(nr, [&](std::string_view teil) {
      const std::int64_t zahl = HausnummerZahl(teil);
      if (zahl < 0) return;
      if (st.abZahl < 0 || zahl < st.abZahl) {
        st.ab.clear();
        anhaengen(st.ab, teil, 6);
        e_.gekuerzt += gekuerzt_ ? 1 : 0;
        st.abZahl = zahl;
      }
      if (zahl > st.bisZahl) {
        st.bis.clear();
        anhaengen(st.bis, teil, 6);
        e_.gekuerzt += gekuerzt_ ? 1 : 0;
        st.bisZahl = zahl;
      }
    });
  }

  std::string land_;
  std::size_t stellen_;
  OsmDaten& d_;
  OsmErgebnis& e_;
  HashVerzeichnis paare_, strassen_;
  std::string schluessel_, letztePLZ_, letzteStadt_, letzteStrasseRoh_;
  std::int32_t letztesPaar_ = -1, letzteStrasse_ = -1;
  bool gekuerzt_ = false;
};

// Reads FILE with HANDLER, progress from VORHER on; false when cancelled.
template <class Handler>
bool Durchlauf(const std::string& datei, osmium::osm_entity_bits::type arten, Handler& handler, Fortschritt& f, std::int64_t vorher,
               int faeden) {
  osmium::thread::Pool pool(faeden);
  osmium::io::Reader reader(osmium::io::File(datei, OsmFormat(datei)), arten, osmium::io::read_meta::no, pool);
  // Only a file that says it is sorted may be left before its end.
  const bool sortiert = reader.header().get("sorting") == "Type_then_ID";
  while (osmium::memory::Buffer puffer = reader.read()) {
    osmium::apply(puffer, handler);
    if (sortiert && handler.fertig()) break;
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
      sortiert_ = false;
      i_ = static_cast<std::size_t>(
          std::lower_bound(wege_.begin(), wege_.end(), std::make_pair(id, std::numeric_limits<std::int32_t>::min())) - wege_.begin());
    }
    letzte_ = id;
    // Nodes come sorted: past the last one wanted, the rest of the file has nothing for us.
    fertig_ = id > wege_.back().first && sortiert_;
    while (i_ < wege_.size() && wege_[i_].first < id) ++i_;
    if (!n.location().valid()) return;
    for (std::size_t j = i_; j < wege_.size() && wege_[j].first == id; ++j) a_.ort(wege_[j].second, n.location().y(), n.location().x());
  }

 private:
  std::vector<std::pair<osmium::object_id_type, std::int32_t>>& wege_;
  AdressSammler& a_;
  std::size_t i_ = 0;
  osmium::object_id_type letzte_ = std::numeric_limits<osmium::object_id_type>::min();
  bool sortiert_ = true, fertig_ = false;

 public:
  bool fertig() const { return fertig_; }
};

}  // namespace

void HausnummerTeile(std::string_view nummer, const std::function<void(std::string_view)>& teil) {
  std::size_t anfang = 0;
  while (anfang <= nummer.size()) {
    std::size_t ende = nummer.find_first_of(";,-", anfang);
    if (ende == std::string_view::npos) ende = nummer.size();
    const std::string_view t = Getrimmt(nummer.substr(anfang, ende - anfang));
    if (!t.empty()) teil(t);
    anfang = ende + 1;
  }
}

std::string OsmFormat(const std::string& datei) {
  std::string name = DateiNameTeil(datei);
  for (char& c : name) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  auto endet = [&](std::string_view e) { return name.size() > e.size() && name.compare(name.size() - e.size(), e.size(), e) == 0; };
  if (endet(".osm.pbf") || endet(".pbf")) return "pbf";
  if (endet(".osm.bz2")) return "osm.bz2";
  if (endet(".osm.gz")) return "osm.gz";
  if (endet(".osm")) return "osm";
  return {};
}

std::string KeineOsmDateiText(const std::string& datei) {
  return "Datei " + datei + " ist keine OpenStreetMap-Datei (.osm, .osm.pbf, .osm.bz2, .osm.gz)";
}

void OsmDateiPruefen(const std::string& datei) {
  if (!DateiVorhanden(datei)) throw DateiFehler(NichtGefundenText(datei));
  MussNormaleDateiSein(datei);
  if (OsmFormat(datei).empty()) throw DateiFehler(KeineOsmDateiText(datei));
  try {
    // The header is read as the import would read it: a file of another kind fails here.
    osmium::io::Reader reader(osmium::io::File(datei, OsmFormat(datei)), osmium::osm_entity_bits::nothing);
    const osmium::io::Header kopf = reader.header();
    (void)kopf;
    reader.close();
  } catch (const std::exception& x) {
    throw DateiFehler(KeineOsmDateiText(datei) + ": " + x.what());
  }
}

bool OsmAdressenLesen(const std::string& datei, const std::string& land, OsmDaten& daten, OsmErgebnis& e, Fortschritt& f) {
  OsmDateiPruefen(datei);
  const std::int64_t groesse = std::max<std::int64_t>(DateiGroesse(datei), 1);
  try {
    AdressSammler sammler(land, daten, e);
    f.beginnen(groesse);
    f.status(0, "OpenStreetMap: Adressen lesen");
    if (!Durchlauf(datei, osmium::osm_entity_bits::nwr, sammler, f, 0, Faeden())) return false;
    f.beenden();
    if (!sammler.wege_.empty()) {
      std::sort(sammler.wege_.begin(), sammler.wege_.end());
      KnotenSammler knoten(sammler.wege_, sammler);
      f.beginnen(groesse);
      f.status(0, "OpenStreetMap: Lage der Geb\xC3\xA4ude lesen");
      if (!Durchlauf(datei, osmium::osm_entity_bits::node, knoten, f, 0, Faeden())) return false;
      f.beenden();
    }
    return true;
  } catch (const DateiFehler&) {
    throw;
  } catch (const std::exception& x) {
    throw DateiFehler("Die OpenStreetMap-Datei " + datei + " kann nicht gelesen werden: " + x.what());
  }
}

}  // namespace orvano
