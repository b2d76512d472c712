// orvano-osm-testdaten N DATEI: a synthetic OpenStreetMap extract of N addresses for tests and benchmarks.
#include <osmium/builder/attr.hpp>
#include <osmium/io/any_compression.hpp>
#include <osmium/io/pbf_output.hpp>
#include <osmium/io/writer.hpp>
#include <osmium/io/xml_output.hpp>
#include <osmium/memory/buffer.hpp>

#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>

namespace {

using namespace osmium::builder::attr;  // NOLINT: the builder's attribute names read best unqualified

constexpr std::size_t kPuffer = std::size_t{8} << 20;

// The same numbers for the same N, so that figures can be compared.
struct Zufall {
  std::uint64_t z = 88172645463325252ULL;
  std::uint64_t naechste() {
    z ^= z << 13;
    z ^= z >> 7;
    z ^= z << 17;
    return z;
  }
  int bis(int n) { return static_cast<int>(naechste() % static_cast<std::uint64_t>(n)); }
};

const char* const kStrassen[] = {"Hauptstraße", "Bahnhofstraße", "Gartenweg", "Schulstraße", "Am Markt", "Lindenallee",
                                 "Bergstraße", "Kirchgasse", "Mühlenweg", "Waldstraße", "Feldweg", "Rosenstraße",
                                 "Goethestraße", "Am Bach", "Dorfstraße", "Ringstraße", "Wiesenweg", "Talstraße"};
const char* const kOrte[] = {"Neustadt", "Altdorf", "Bergheim", "Talhausen", "Waldau", "Seefeld", "Kirchberg", "Mühlbach"};

std::string Hausnummer(Zufall& z) {
  const int n = 1 + z.bis(150);
  switch (z.bis(6)) {
    case 0: return std::to_string(n) + "a";
    case 1: return std::to_string(n) + "-" + std::to_string(n + 2);
    case 2: return std::to_string(n) + ";" + std::to_string(n + 4);
    default: return std::to_string(n);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "Aufruf: orvano-osm-testdaten ANZAHL DATEI (.osm.pbf, .osm oder .osm.bz2)\n";
    return 2;
  }
  const long anzahl = std::atol(argv[1]);
  try {
    osmium::io::Header kopf;
    kopf.set("generator", "orvano-osm-testdaten");
    kopf.set("sorting", "Type_then_ID");
    osmium::io::Writer schreiber(argv[2], kopf, osmium::io::overwrite::allow);
    osmium::memory::Buffer puffer(kPuffer, osmium::memory::Buffer::auto_grow::yes);
    auto voll = [&] {
      if (puffer.committed() < kPuffer - 65536) return;
      schreiber(std::move(puffer));
      puffer = osmium::memory::Buffer(kPuffer, osmium::memory::Buffer::auto_grow::yes);
    };
    Zufall z;
    // Every fourth address is a building way of four corners; the corners come after the
    // address nodes, the ways last, as extracts order them.
    const long wege = anzahl / 4, knoten = anzahl - wege;
    // As in real extracts: a postal code holds some 300 addresses on its streets (about 16
    // per street, as Germany's 20 million addresses on 1.2 million streets), and objects
    // mapped one after the other mostly lie on the same street.
    int strassenNr = 0;
    auto adresse = [&](long i) {
      const int plz = 10000 + static_cast<int>(i / 300 % 89000);
      const char* ort = kOrte[(i / 300) % 8];
      if (z.bis(10) < 3) strassenNr = z.bis(18);
      std::string strasse = kStrassen[strassenNr];
      std::string stadt = ort, plzText = std::to_string(plz), land;
      bool dorf = false;
      switch (z.bis(200)) {
        case 0: stadt.clear(); break;                   // no place
        case 1: plzText = plzText.substr(0, 4); break;  // four digits
        case 2: land = "AT"; break;                     // another country
        case 3: dorf = true; break;                     // a village without streets
        default: break;
      }
      return std::make_tuple(plzText, stadt, strasse, dorf, land, Hausnummer(z));
    };
    auto tags = [&](long i) {
      auto [plz, stadt, strasse, dorf, land, nr] = adresse(i);
      std::vector<std::pair<std::string, std::string>> t = {{"addr:postcode", plz}, {"addr:housenumber", nr}};
      if (!stadt.empty()) t.emplace_back("addr:city", stadt);
      t.emplace_back(dorf ? "addr:place" : "addr:street", dorf ? stadt + " Ausbau" : strasse);
      if (!land.empty()) t.emplace_back("addr:country", land);
      return t;
    };
    long id = 1;
    for (long i = 0; i < knoten; ++i, ++id) {
      const auto t = tags(i);
      const double breite = 47.5 + (i % 5000) * 0.001, laenge = 6.0 + (i / 5000 % 8000) * 0.001;
      osmium::builder::add_node(puffer, _id(id), _version(1), _location(osmium::Location(laenge, breite)), _tags(t));
      voll();
    }
    const long ersteEcke = id;
    for (long w = 0; w < wege * 4; ++w, ++id) {
      const double breite = 47.5 + (w % 7000) * 0.0005, laenge = 6.0 + (w / 7000 % 9000) * 0.0005;
      osmium::builder::add_node(puffer, _id(id), _version(1), _location(osmium::Location(laenge, breite)));
      voll();
    }
    for (long w = 0; w < wege; ++w) {
      const auto t = tags(knoten + w);
      const osmium::object_id_type e = ersteEcke + w * 4;
      osmium::builder::add_way(puffer, _id(w + 1), _version(1), _nodes({e, e + 1, e + 2, e + 3, e}), _tag("building", "yes"), _tags(t));
      voll();
    }
    schreiber(std::move(puffer));
    schreiber.close();
  } catch (const std::exception& f) {
    std::cerr << "orvano-osm-testdaten: " << f.what() << "\n";
    return 1;
  }
  return 0;
}
