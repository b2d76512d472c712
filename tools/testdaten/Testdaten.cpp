#include "Testdaten.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "core/Records.h"

namespace orvano::testdaten {

namespace {

// splitmix64: fixed output for a fixed seed on every platform (std distributions are not).
class Zufall {
 public:
  explicit Zufall(std::uint64_t seed) : zustand_(seed) {}
  std::uint64_t naechste() {
    std::uint64_t z = (zustand_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
  }
  // Uniform in [0, n).
  std::uint32_t unter(std::uint32_t n) { return static_cast<std::uint32_t>(naechste() % n); }
  bool prozent(std::uint32_t p) { return unter(1000) < p * 10; }
  bool promille(std::uint32_t p) { return unter(1000) < p; }
  double real(double von, double bis) { return von + (bis - von) * static_cast<double>(naechste() >> 11) / 9007199254740992.0; }

 private:
  std::uint64_t zustand_;
};

// Windows-1252 name parts; \xFC = ü, \xF6 = ö, \xE4 = ä, \xDF = ß, \xDC = Ü.
constexpr std::array<const char*, 24> kOrtAnfang = {
    "Bad ", "Neu", "Alt", "Ober", "Unter", "Gro\xDF", "Klein", "Sankt ", "", "", "", "",
    "M\xFChl", "Wald", "Berg", "Hoch", "Nieder", "Stein", "Sch\xF6n", "Rot", "Wei\xDF", "Lang", "Kirch", "Br\xFC" "ck"};
constexpr std::array<const char*, 24> kOrtMitte = {
    "bach", "burg", "dorf", "feld", "hausen", "heim", "ingen", "stadt", "au", "berg", "hof", "kirchen",
    "m\xFChle", "wald", "see", "br\xFC" "cken", "furt", "rode", "tal", "stein", "h\xF6he", "brunn", "weiler", "hagen"};
constexpr std::array<const char*, 16> kBundesland = {
    "Baden-W\xFCrttemberg", "Bayern", "Berlin", "Brandenburg", "Bremen", "Hamburg", "Hessen",
    "Mecklenburg-Vorpommern", "Niedersachsen", "Nordrhein-Westfalen", "Rheinland-Pfalz", "Saarland",
    "Sachsen", "Sachsen-Anhalt", "Schleswig-Holstein", "Th\xFCringen"};
constexpr std::array<const char*, 40> kStrassenAnfang = {
    "Haupt", "Bahnhof", "Schul", "Garten", "Kirch", "Dorf", "Berg", "Wald", "Linden", "Birken",
    "Eichen", "Rosen", "M\xFChlen", "Goethe", "Schiller", "Mozart", "Friedhof", "Wiesen", "Feld", "Ring",
    "Burg", "Markt", "Post", "Sonnen", "Am M\xFChlbach", "Tal", "Kastanien", "Ahorn", "Fichten", "Tannen",
    "Industrie", "Gewerbe", "Jahn", "Beethoven", "K\xF6nig", "Heinrich-Heine-", "Bismarck", "Parks", "Hafen", "Stern"};
constexpr std::array<const char*, 10> kStrassenEnde = {
    "stra\xDF" "e", "weg", "gasse", "platz", "allee", "ring", "steig", "pfad", "damm", "str."};

std::string Ortsname(Zufall& z) {
  std::string s = kOrtAnfang[z.unter(kOrtAnfang.size())];
  std::string mitte = kOrtMitte[z.unter(kOrtMitte.size())];
  if (s.empty() || s.back() == ' ') mitte[0] = static_cast<char>(mitte[0] - 'a' + 'A');
  s += mitte;
  if (z.prozent(10)) s += " am " + std::string(kOrtAnfang[z.unter(8) + 12]) + "see";
  return s;
}

void Schreiben(std::ofstream& f, const void* p, std::size_t n) {
  f.write(static_cast<const char*>(p), static_cast<std::streamsize>(n));
  if (!f) throw std::runtime_error("Testdaten konnten nicht geschrieben werden");
}

}  // namespace

void Schreiben(const std::string& progOrdner, const Optionen& opt) {
  namespace fs = std::filesystem;
  const fs::path ordner = fs::path(progOrdner) / "Ord_1";
  fs::create_directories(ordner);
  Zufall z(opt.seed);

  // Postal codes in rising order, some places repeated, a few records not in use.
  std::vector<TPLZRecord> plz(static_cast<std::size_t>(opt.plzAnzahl));
  const std::int32_t schritt = std::max(1, 98000 / std::max(1, opt.plzAnzahl));
  std::int32_t code = 1067;
  std::string letzterOrt = "Berlin";
  for (std::size_t i = 0; i < plz.size(); ++i) {
    TPLZRecord& r = plz[i];
    r = TPLZRecord{};
    r.Staat.setzen("DE");
    r.Bundesland.setzen(kBundesland[std::min<std::size_t>(15, static_cast<std::size_t>(code) / 6200)]);
    if (z.prozent(40)) r.Regierungsbezirk.setzen("Regierungsbezirk " + Ortsname(z));
    r.Landkreis.setzen("Landkreis " + Ortsname(z));
    if (z.prozent(30)) r.Verwaltungszusammenschluss.setzen("Verwaltungsgemeinschaft " + Ortsname(z));
    const std::string ort = z.prozent(15) ? letzterOrt : Ortsname(z);
    r.Ort.setzen(ort);
    letzterOrt = ort;
    if (z.prozent(25)) r.Ortsteil.setzen(Ortsname(z));
    if (z.prozent(10)) r.Gemeindeteil.setzen(Ortsname(z));
    r.Breitengrad = z.real(47.27, 55.06);
    r.Laengengrad = z.real(5.87, 15.04);
    const char kz[4] = {static_cast<char>('A' + z.unter(26)), static_cast<char>('A' + z.unter(26)),
                        static_cast<char>('A' + z.unter(26)), 0};
    r.Autokennzeichen.setzen(std::string_view(kz, 1 + z.unter(3)));
    r.PLZ = code;
    r.Vorwahl = static_cast<std::int32_t>(30 + z.unter(99000));
    code += schritt + static_cast<std::int32_t>(z.unter(2));
    if (code > 99998) code = 99998;
    if (z.promille(3)) r.Ort.setzen("");
    if (z.promille(2)) r.PLZ = 0;
  }

  // Streets grouped by postal code in file order; a few invalid, a few duplicates under
  // normalisation, and some moved to the end out of order.
  std::vector<TStrassenRecord> str;
  str.reserve(static_cast<std::size_t>(opt.strassenAnzahl));
  const double jePLZ = static_cast<double>(opt.strassenAnzahl) / std::max<std::size_t>(1, plz.size());
  std::size_t k = 0;
  while (str.size() < static_cast<std::size_t>(opt.strassenAnzahl)) {
    TPLZRecord& p = plz[k % plz.size()];
    const auto anzahl = static_cast<std::uint32_t>(std::max(1.0, jePLZ * z.real(0.2, 1.8)));
    const auto erste = static_cast<std::int32_t>(str.size() + 1);
    for (std::uint32_t j = 0; j < anzahl && str.size() < static_cast<std::size_t>(opt.strassenAnzahl); ++j) {
      TStrassenRecord s{};
      s.PLZ = p.PLZ;
      s.Ort.setzen(p.Ort.text());
      std::string name = std::string(kStrassenAnfang[z.unter(kStrassenAnfang.size())]) + kStrassenEnde[z.unter(kStrassenEnde.size())];
      if (z.prozent(40)) (name += ' ') += std::to_string(1 + z.unter(40));
      s.Strasse.setzen(name);
      if (z.prozent(30)) {
        const std::uint32_t ab = 1 + z.unter(200);
        s.AbNr.setzen(std::to_string(ab));
        s.BisNr.setzen(std::to_string(ab + z.unter(300)));
      }
      s.HausNrKz = (s.AbNr.leer() && s.BisNr.leer()) ? '0' : '1';
      if (z.promille(2)) {
        switch (z.unter(3)) {
          case 0: s.PLZ = 0; break;
          case 1: s.PLZ = 100000; break;
          default: s.Strasse.setzen("   ");
        }
      }
      str.push_back(s);
      if (z.promille(10) && str.size() < static_cast<std::size_t>(opt.strassenAnzahl)) {
        TStrassenRecord d = s;  // the same stretch spelt differently
        std::string n = s.Strasse.text();
        if (auto pos = n.find("stra\xDF" "e"); pos != std::string::npos) n.replace(pos, 7, "-Strasse");
        d.Strasse.setzen(n);
        str.push_back(d);
      }
    }
    p.Strassen = static_cast<std::int32_t>(str.size() + 1) - erste;
    p.AbBisNr = erste;
    ++k;
  }
  const std::size_t verstreut = str.size() / 50;
  for (std::size_t i = 0; i < verstreut; ++i) {
    const std::size_t a = z.unter(static_cast<std::uint32_t>(str.size()));
    const std::size_t b = str.size() - 1 - z.unter(static_cast<std::uint32_t>(std::max<std::size_t>(1, str.size() / 10)));
    std::swap(str[a], str[b]);
  }

  std::ofstream fp(ordner / "Dat_D.ppp", std::ios::binary | std::ios::trunc);
  Schreiben(fp, plz.data(), plz.size() * sizeof(TPLZRecord));
  std::ofstream fstr(ordner / "Strassen_D.ppp", std::ios::binary | std::ios::trunc);
  Schreiben(fstr, str.data(), str.size() * sizeof(TStrassenRecord));
}

}  // namespace orvano::testdaten
