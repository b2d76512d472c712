#include "CSVLesen.h"

#include <algorithm>
#include <cstring>

#include <fstream>
#include <functional>
#include <iterator>
#include <string_view>

#include "core/Dateien.h"
#include "core/Listen.h"
#include "core/Records.h"
#include "core/Texte.h"
#include "core/Windows1252.h"

namespace orvano {

namespace {

constexpr int kFeldOrt = 0, kFeldPLZ = 5, kFeldStrassen = 13;
constexpr std::int64_t kFortschrittMax = 10000;

// Lines of a text file one by one; a CR before the line feed is not part of the line.
// Lines of a delimited file as Windows-1252 text. UTF-16 (with its byte-order mark) and UTF-8
// (with a mark, or a valid file holding a multi-byte letter) are converted; anything else is
// taken as it is. Lines end with CR LF, LF or a lone CR.
std::string KeinTextText(const std::string& datei) {
  return "Datei " + datei + " ist keine Textdatei (CSV oder TXT) und wird nicht gelesen";
}

class ZeilenLeser {
 public:
  explicit ZeilenLeser(const std::string& datei) {
    ein_.open(datei, std::ios::binary);
    if (!ein_) throw DateiFehler("Datei " + datei + " kann nicht gelesen werden");
    char kopf[3] = {};
    ein_.read(kopf, 3);
    const std::streamsize n = ein_.gcount();
    auto ist = [&](const char* m, std::streamsize l) { return n >= l && std::memcmp(kopf, m, static_cast<std::size_t>(l)) == 0; };
    std::streamoff start = 0;
    if (ist("\xEF\xBB\xBF", 3)) {
      utf8_ = true;
      kodierung_ = TextKodierung::Utf8MitBom;
      start = 3;
    } else if (ist("\xFF\xFE", 2) || ist("\xFE\xFF", 2)) {
      Utf16Lesen(kopf[0] == '\xFE');
      if (block_.find('\0') != std::string::npos) throw DateiFehler(KeinTextText(datei));
      return;
    } else {
      utf8_ = Utf8MitUmlaut();
      kodierung_ = utf8_ ? TextKodierung::Utf8 : TextKodierung::Cp1252;
    }
    // A text has no NUL byte; a program, a picture or a database file has plenty.
    if (nullByte_) throw DateiFehler(KeinTextText(datei));
    ein_.clear();
    ein_.seekg(start);
  }
  TextKodierung kodierung() const { return kodierung_; }
  bool naechste(std::string& zeile) {
    zeile.clear();
    for (;;) {
      if (pos_ >= block_.size()) {
        if (!nachladen()) {
          if (zeile.empty() && !offen_) return false;
          offen_ = false;
          break;
        }
      }
      const std::size_t ende = block_.find_first_of("\r\n", pos_);
      if (ende == std::string::npos) {
        zeile.append(block_, pos_, std::string::npos);
        pos_ = block_.size();
        offen_ = true;
        continue;
      }
      zeile.append(block_, pos_, ende - pos_);
      pos_ = ende + 1;
      // CR LF is one line end, even when the block ends between the two.
      if (block_[ende] == '\r') {
        if (pos_ >= block_.size()) nachladen();
        if (pos_ < block_.size() && block_[pos_] == '\n') ++pos_;
      }
      offen_ = false;
      break;
    }
    if (utf8_) zeile = Utf8ZuCp1252(zeile);
    return true;
  }

 private:
  bool nachladen() {
    if (utf16_ || !ein_) return false;
    block_.resize(1 << 20);
    ein_.read(block_.data(), static_cast<std::streamsize>(block_.size()));
    block_.resize(static_cast<std::size_t>(ein_.gcount()));
    pos_ = 0;
    return !block_.empty();
  }
  // Valid UTF-8 throughout, with at least one letter of several bytes.
  bool Utf8MitUmlaut() {
    ein_.clear();
    ein_.seekg(0);
    std::vector<char> b(1 << 20);
    Utf8Pruefung pruefung;
    bool utf8 = true;
    while (ein_) {
      ein_.read(b.data(), static_cast<std::streamsize>(b.size()));
      const std::string_view teil(b.data(), static_cast<std::size_t>(ein_.gcount()));
      if (teil.find('\0') != std::string_view::npos) nullByte_ = true;
      if (utf8 && !pruefung.weiter(teil)) utf8 = false;
      if (!utf8 && nullByte_) return false;
    }
    return utf8 && pruefung.gueltig() && pruefung.mehrbyte();
  }
  // The whole file, converted at once: code units to letters, letters to Windows-1252 (a
  // letter it lacks as "?").
  void Utf16Lesen(bool grossEndian) {
    ein_.clear();
    ein_.seekg(2);
    const std::string roh((std::istreambuf_iterator<char>(ein_)), std::istreambuf_iterator<char>());
    block_.clear();
    block_.reserve(roh.size() / 2);
    for (std::size_t i = 0; i + 1 < roh.size(); i += 2) {
      const auto a = static_cast<unsigned char>(roh[i]), b = static_cast<unsigned char>(roh[i + 1]);
      char32_t u = grossEndian ? (a << 8 | b) : (b << 8 | a);
      if (u >= 0xD800 && u <= 0xDBFF && i + 3 < roh.size()) {
        const auto c = static_cast<unsigned char>(roh[i + 2]), d = static_cast<unsigned char>(roh[i + 3]);
        const char32_t tief = grossEndian ? (c << 8 | d) : (d << 8 | c);
        if (tief >= 0xDC00 && tief <= 0xDFFF) {
          u = 0x10000 + ((u - 0xD800) << 10) + (tief - 0xDC00);
          i += 2;
        }
      }
      block_ += UnicodeZuCp1252(u);
    }
    pos_ = 0;
    utf16_ = true;
    kodierung_ = grossEndian ? TextKodierung::Utf16BE : TextKodierung::Utf16LE;
  }

  std::ifstream ein_;
  std::string block_;
  std::size_t pos_ = 0;
  bool utf8_ = false, utf16_ = false, offen_ = false, nullByte_ = false;
  TextKodierung kodierung_ = TextKodierung::Cp1252;
};

// The digits of a postal-code cell: digits (blanks between them dropped), alone or behind a
// country prefix ("D-01067", "CH 8001") as the export writes them. Anything else ("1e308",
// "12a", "1,5") is no postal code: the row gets the placeholder, not a number made of its
// stray digits.
std::string PLZZiffern(std::string_view zelle) {
  std::string_view z = zelle;
  while (!z.empty() && (z.front() == ' ' || z.front() == '\t')) z.remove_prefix(1);
  while (!z.empty() && (z.back() == ' ' || z.back() == '\t')) z.remove_suffix(1);
  std::size_t i = 0;
  while (i < z.size() && ((z[i] >= 'A' && z[i] <= 'Z') || (z[i] >= 'a' && z[i] <= 'z'))) ++i;
  if (i > 0) {
    if (i >= z.size() || (z[i] != '-' && z[i] != ' ')) return {};
    z.remove_prefix(i + 1);
  }
  std::string ziffern;
  for (const char c : z) {
    if (c == ' ') continue;
    if (c < '0' || c > '9') return {};
    ziffern += c;
  }
  return ziffern;
}

// The delete texts that take part: only those that are not blank.
class Loeschtexte {
 public:
  explicit Loeschtexte(const ImportFormat& f) {
    for (const std::string* t : {&f.loeschen1, &f.loeschen2}) {
      if (!LeerzeichenEntfernen(*t).empty()) texte_.push_back(*t);
    }
  }
  // Every occurrence, left to right, as erasing one after the other finds them; in one pass
  // and in place (the part behind a found text is never touched before it is searched).
  void anwenden(std::string& zeile) const {
    for (const std::string& text : texte_) {
      std::size_t p = zeile.find(text);
      if (p == std::string::npos) continue;
      char* d = zeile.data();
      std::size_t w = p;
      std::size_t i = p + text.size();
      for (; (p = zeile.find(text, i)) != std::string::npos; i = p + text.size()) {
        std::memmove(d + w, d + i, p - i);
        w += p - i;
      }
      std::memmove(d + w, d + i, zeile.size() - i);
      zeile.resize(w + zeile.size() - i);
    }
  }

 private:
  std::vector<std::string> texte_;
};

int Anzahl(const CSVLeseOptionen& o) { return o.anzahl < 1 ? 1000 : o.anzahl; }

// Hands the parts of S at SEP, as TextTeilen cuts them, to F(index, part) until F says stop;
// nothing is copied, so a line of millions of separators costs no memory.
template <class F>
void TeileDurchgehen(std::string_view s, std::string_view sep, F f) {
  if (s.empty()) return;
  if (sep.empty()) {
    f(std::size_t{0}, s);
    return;
  }
  std::size_t start = 0, i = 0;
  for (std::size_t p; (p = s.find(sep, start)) != std::string_view::npos; start = p + sep.size()) {
    if (!f(i++, s.substr(start, p - start))) return;
  }
  f(i, s.substr(start));
}

// The part of the title line whose text is TITEL (case not counted), as TeilIndex finds it.
std::int32_t TitelIndex(std::string_view zeile, std::string_view sep, std::string_view titel) {
  if (LeerzeichenEntfernen(titel).empty()) return -1;
  const std::string gesucht = GrossText(titel);
  std::int32_t gefunden = -1;
  TeileDurchgehen(zeile, sep, [&](std::size_t i, std::string_view teil) {
    if (teil.size() == gesucht.size() && GrossText(teil) == gesucht) {
      gefunden = static_cast<std::int32_t>(i);
      return false;
    }
    return true;
  });
  return gefunden;
}

// Parts 0..BIS of a data line into TEILE; false when the line has fewer than two parts.
bool TeileBis(std::string_view zeile, std::string_view sep, std::size_t bis, std::vector<std::string_view>& teile) {
  teile.clear();
  if (zeile.empty() || sep.empty() || zeile.find(sep) == std::string_view::npos) return false;
  TeileDurchgehen(zeile, sep, [&](std::size_t i, std::string_view teil) {
    teile.push_back(teil);
    return i < bis;
  });
  return true;
}

// Parts I1 and I2 of ZEILE split at SEP, as TextTeilen would give them; false when the line
// has fewer parts. Nothing is copied.
bool ZweiTeile(std::string_view zeile, std::string_view sep, std::size_t i1, std::size_t i2, std::string_view& t1,
               std::string_view& t2) {
  if (zeile.empty() || sep.empty()) return false;
  bool hat1 = false, hat2 = false;
  std::size_t start = 0, teil = 0;
  for (;;) {
    const std::size_t p = zeile.find(sep, start);
    const std::string_view stueck = zeile.substr(start, p == std::string_view::npos ? std::string_view::npos : p - start);
    if (teil == i1) t1 = stueck, hat1 = true;
    if (teil == i2) t2 = stueck, hat2 = true;
    if (hat1 && hat2) return true;
    if (p == std::string_view::npos) return false;
    start = p + sep.size();
    ++teil;
  }
}

// First row of every ID value of a table column, without a node or string per row: an
// open-addressing table of row numbers whose keys are the cells themselves.
class ErsteZeile {
 public:
  ErsteZeile(const Tabelle& t, int spalte) : t_(t), spalte_(spalte) {
    std::size_t n = 16;
    while (n < static_cast<std::size_t>(t.zeilen()) * 2) n <<= 1;
    plaetze_.assign(n, 0);
    for (int r = 1; r < t.zeilen(); ++r) {
      const std::string_view id = t.zelle(spalte, r);
      std::size_t i = std::hash<std::string_view>{}(id) & (n - 1);
      while (plaetze_[i] != 0 && t.zelle(spalte, plaetze_[i]) != id) i = (i + 1) & (n - 1);
      if (plaetze_[i] == 0) plaetze_[i] = r;  // the upper row wins
    }
  }
  int finden(std::string_view id) const {
    const std::size_t n = plaetze_.size();
    for (std::size_t i = std::hash<std::string_view>{}(id) & (n - 1); plaetze_[i] != 0; i = (i + 1) & (n - 1)) {
      if (t_.zelle(spalte_, plaetze_[i]) == id) return plaetze_[i];
    }
    return 0;
  }

 private:
  const Tabelle& t_;
  int spalte_;
  std::vector<int> plaetze_;
};

}  // namespace

void ImportTabelleKopf(Tabelle& t) {
  t.setSpalten(kImportTabellenSpalten);
  t.setFesteZeilen(1);
  if (t.zeilen() < 2) t.setZeilen(2);
  for (int c = 0; c < kImportTabellenSpalten; ++c) t.setZelle(c, 0, kImportTitel[static_cast<std::size_t>(c)]);
}

void ImportSpaltenBreiten(Tabelle& t, bool plz, bool id) {
  for (int c = 0; c < kImportTabellenSpalten; ++c) {
    int breite = 60;
    if (c == 0) breite = 32;
    if (c == 1) breite = 100;
    if (c == 2) breite = 35;
    if (c == 3) breite = plz ? 70 : Tabelle::kVerborgen;
    if (!plz && c > 3 && c != 6 && c != 15 && c != 16 && c != 17) breite = Tabelle::kVerborgen;
    if (!plz && c == 15) breite = 160;
    if (c == kImportSpalteID) breite = id ? 50 : Tabelle::kVerborgen;
    t.setBreite(c, breite);
  }
}

namespace {

std::string TrennerName(std::string_view sep) {
  if (sep == "\t") return "Tabulator";
  // Built by appending: GCC 12 warns wrongly about "literal" + string here.
  std::string name(1, '"');
  name += Cp1252ZuUtf8(sep);
  name += '"';
  return name;
}

}  // namespace

std::string KeineZeilenGrund(const std::string& datei, const ImportFormat& f, const CSVLeseErgebnis& e) {
  if (!e.gelesen || e.abgebrochen) return {};
  std::string box = f.separator;
  const std::string sep = Trennzeichen(datei, box);
  const std::string name = Cp1252ZuUtf8(DateiNameTeil(datei));
  if (e.zeilen == 0) {
    if (e.titelZeile.find(sep) == std::string::npos) {
      for (const char* anderer : {";", "\t", ",", "|"}) {
        if (anderer != sep && e.titelZeile.find(anderer) != std::string::npos) {
          return "Keine Zeile von " + name + " enth\xC3\xA4lt das Trennzeichen " + TrennerName(sep) +
                 "; die Titelzeile ist mit " + TrennerName(anderer) + " getrennt (Separator im Import-Format \xC3\xA4ndern)";
        }
      }
      if (!e.titelZeile.empty()) return "Keine Zeile von " + name + " enth\xC3\xA4lt das Trennzeichen " + TrennerName(sep);
    }
    return name + " enth\xC3\xA4lt keine Datenzeile";
  }
  for (const std::string& titel : f.titel) {
    if (TitelIndex(e.titelZeile, sep, titel) >= 0) return {};
  }
  return "Keine Spalte des Import-Formats passt zur Titelzeile von " + name + ": " + Cp1252ZuUtf8(e.titelZeile.substr(0, 200));
}

std::string OhnePLZText(int ohnePLZ) { return ohnePLZ > 0 ? "  ohne PLZ: " + std::to_string(ohnePLZ) : std::string(); }

CSVLeseErgebnis CSVZeilenLesen(const std::string& datei, ImportFormat& f, const CSVLeseOptionen& o, Fortschritt& fortschritt,
                               const std::function<void(int r, std::vector<std::string>& zellen)>& zeile) {
  CSVLeseErgebnis e;
  if (!DateiVorhanden(datei)) return e;
  MussNormaleDateiSein(datei);
  const std::string sep = Trennzeichen(datei, f.separator);
  const int n = Anzahl(o);
  ZeilenLeser leser(datei);
  const Loeschtexte loeschen(f);
  std::string text;
  leser.naechste(text);
  e.titelZeile = text;
  if (o.testModus) e.rohZeilen.push_back(text);
  loeschen.anwenden(text);
  std::array<std::int32_t, kImportFelder> index{};
  for (std::size_t i = 0; i < kImportFelder; ++i) index[i] = TitelIndex(text, sep, f.titel[i]);
  const std::int32_t idIndex = TitelIndex(text, sep, f.id);
  const std::size_t bis = static_cast<std::size_t>(std::max(idIndex, *std::max_element(index.begin(), index.end())) + 1);
  std::vector<std::string_view> teile;

  // Empty places and countries are filled in as the rows go out. An empty postal code gets the
  // format's default, never an invented one: without a code the row is counted and left
  // empty, so that the save skips it instead of writing a code that does not exist.
  const std::string iso = LandISO(o.landText.empty() ? ' ' : o.landText.front());
  int ausgegeben = 0;
  auto ausgeben = [&](std::vector<std::string>& zellen) {
    if (zellen[6].empty() && !f.eingabePLZ.empty()) zellen[6] = PLZZiffern(f.eingabePLZ);
    if (zellen[6].empty()) ++e.ohnePLZ;
    if (zellen[1].empty() && !f.eingabeOrt.empty()) zellen[1] = f.eingabeOrt;
    if (zellen[2].empty()) zellen[2] = iso;
    zeile(++ausgegeben, zellen);
  };

  fortschritt.beginnen(kFortschrittMax);
  std::int64_t c = 0;
  int r = 0;
  std::vector<std::string> zellen(kImportTabellenSpalten);
  while (leser.naechste(text)) {
    if (o.testModus && r < n) e.rohZeilen.push_back(text);
    loeschen.anwenden(text);
    const bool mehrere = TeileBis(text, sep, bis, teile);
    if (++c > kFortschrittMax) c = 1;
    if (c % 100 == 0) fortschritt.position(c);
    if (fortschritt.abbrechen()) {
      e.abgebrochen = true;
      break;
    }
    if (!mehrere) continue;
    ++r;
    for (std::string& z : zellen) z.clear();
    zellen[0] = std::to_string(r);
    for (std::size_t i = 0; i < kImportFelder; ++i) {
      const std::int32_t k = index[i];
      if (k < 0 || k >= static_cast<std::int32_t>(teile.size())) continue;
      const std::string_view teil = teile[static_cast<std::size_t>(k)];
      std::string& ziel = zellen[static_cast<std::size_t>(kImportSpalten[i])];
      if (i == kFeldPLZ) {
        ziel = PLZZiffern(teil);
      } else if (i == kFeldStrassen) {
        ziel = LinksAbschneiden(teil, ' ');
      } else {
        ziel = teil;
      }
    }
    if (idIndex >= 0 && idIndex < static_cast<std::int32_t>(teile.size())) {
      zellen[kImportSpalteID] = std::string(teile[static_cast<std::size_t>(idIndex)]);
    }
    ausgeben(zellen);
    if (fortschritt.abbrechen()) {
      e.abgebrochen = true;
      break;
    }
    if (o.testModus && r >= n) break;
  }
  fortschritt.beenden();
  e.zeilen = r;
  e.gelesen = true;
  return e;
}

CSVLeseErgebnis CSVLesen(const std::string& datei, ImportFormat& f, Tabelle& t, const CSVLeseOptionen& o,
                         Fortschritt& fortschritt) {
  if (!DateiVorhanden(datei)) return {};
  MussNormaleDateiSein(datei);
  TabelleLeeren(t);
  CSVLeseErgebnis e = CSVZeilenLesen(datei, f, o, fortschritt, [&t](int r, std::vector<std::string>& zellen) {
    if (r + 1 > t.zeilen()) t.setZeilen(r + 1);
    t.setZeile(r, zellen);
  });
  t.setZeilen(std::max(2, e.zeilen + 1));
  return e;
}

VerknuepfErgebnis Verknuepfen(const std::string& datei2, ImportFormat& f, Tabelle& t, const CSVLeseOptionen& o,
                              Fortschritt& fortschritt) {
  VerknuepfErgebnis e;
  if (!DateiVorhanden(datei2)) return e;
  MussNormaleDateiSein(datei2);
  ZeilenLeser leser(datei2);
  const Loeschtexte loeschen(f);
  std::string zeile;
  leser.naechste(zeile);
  if (o.testModus) e.rohZeilen.push_back(zeile);
  loeschen.anwenden(zeile);
  const std::string sep = Trennzeichen(datei2, f.separator);
  if (f.id.empty()) {
    e.meldung = "ID Titel eingeben";
    e.leeresFeld = VerknuepfErgebnis::kID;
    return e;
  }
  if (f.idVerkn.empty()) {
    e.meldung = "Spalte Titel aus Datei 2 eingeben";
    e.leeresFeld = VerknuepfErgebnis::kIDVerkn;
    return e;
  }
  const std::int32_t idIndex = TitelIndex(zeile, sep, f.id);
  if (idIndex < 0) {
    e.meldung = "ID Titel \"" + Cp1252ZuUtf8(f.id) + "\" in Datei " + datei2 + " nicht gefunden";
    return e;
  }
  const std::int32_t wertIndex = TitelIndex(zeile, sep, f.idVerkn);
  if (wertIndex < 0) {
    e.meldung = "Spalten Titel \"" + Cp1252ZuUtf8(f.idVerkn) + "\" in Datei " + datei2 + " nicht gefunden";
    return e;
  }
  const auto gefunden = std::find(kImportFeldNamen.begin(), kImportFeldNamen.end(), f.zielFeld);
  if (gefunden == kImportFeldNamen.end()) {
    // Never into "Ort" by default: an unknown field is said.
    e.meldung = "Feld \"" + Cp1252ZuUtf8(f.zielFeld) + "\" für die Verknüpfung unbekannt";
    return e;
  }
  const int feld = static_cast<int>(gefunden - kImportFeldNamen.begin());
  const int ziel = feld + 1 > 9 ? feld + 2 : feld + 1;

  // The join never writes the ID column, so the first row of each ID stays where it is.
  const ErsteZeile ersteZeile(t, kImportSpalteID);

  const int n = Anzahl(o);
  fortschritt.beginnen(kFortschrittMax);
  std::int64_t c = 0;
  while (leser.naechste(zeile)) {
    if (++c > kFortschrittMax) c = 1;
    if (c % 100 == 0) fortschritt.position(c);
    if (o.testModus && e.paarZahl < n) e.rohZeilen.push_back(zeile);
    loeschen.anwenden(zeile);
    std::string_view id, wert;
    if (!ZweiTeile(zeile, sep, static_cast<std::size_t>(idIndex), static_cast<std::size_t>(wertIndex), id, wert)) continue;
    if (const int r = ersteZeile.finden(id); r > 0) t.setZelle(ziel, r, wert);
    ++e.paarZahl;
    if (o.testModus) e.paare.push_back({std::to_string(e.paarZahl), std::string(id), std::string(wert)});
    if (fortschritt.abbrechen()) break;
  }
  fortschritt.beenden();
  e.ausgefuehrt = true;
  return e;
}

TextDatei TextDateiLesen(const std::string& datei) {
  MussNormaleDateiSein(datei);
  ZeilenLeser leser(datei);
  TextDatei t;
  t.kodierung = leser.kodierung();
  std::string zeile;
  while (leser.naechste(zeile)) t.zeilen.push_back(zeile);
  return t;
}

std::string InKodierung(std::string_view cp1252, TextKodierung k) {
  if (k == TextKodierung::Cp1252) return std::string(cp1252);
  const std::string utf8 = Cp1252ZuUtf8(cp1252);
  if (k == TextKodierung::Utf8 || k == TextKodierung::Utf8MitBom) return utf8;
  std::string out;
  out.reserve(cp1252.size() * 2);
  for (const char c : cp1252) {
    const char32_t u = Cp1252ZuUnicode(static_cast<unsigned char>(c));  // all of it lies in the BMP
    const char hoch = static_cast<char>(u >> 8), tief = static_cast<char>(u & 0xFF);
    if (k == TextKodierung::Utf16BE) {
      out += hoch;
      out += tief;
    } else {
      out += tief;
      out += hoch;
    }
  }
  return out;
}

std::string KodierungsMarke(TextKodierung k) {
  switch (k) {
    case TextKodierung::Utf8MitBom: return "\xEF\xBB\xBF";
    case TextKodierung::Utf16LE: return "\xFF\xFE";
    case TextKodierung::Utf16BE: return "\xFE\xFF";
    default: return {};
  }
}

}  // namespace orvano
