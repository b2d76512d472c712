// The two fixed-length records of the database files, their validity and derived texts.
#pragma once

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>
#include <type_traits>

namespace orvano {

static_assert(std::endian::native == std::endian::little,
              "the record files are little-endian and are mapped onto memory directly");

// Numbers inside records sit at any byte offset (a street record is 126 bytes long), so they
// are kept as bytes and copied in and out; this keeps every access aligned and the records
// free of padding without packing pragmas.
template <class T>
struct Unausgerichtet {
  char bytes[sizeof(T)];

  operator T() const {
    T wert;
    std::memcpy(&wert, bytes, sizeof wert);
    return wert;
  }
  Unausgerichtet& operator=(T wert) {
    std::memcpy(bytes, &wert, sizeof wert);
    return *this;
  }
  Unausgerichtet& operator+=(T d) { return *this = static_cast<T>(*this) + d; }
  Unausgerichtet& operator++() { return *this += 1; }
};
using Int32LE = Unausgerichtet<std::int32_t>;
using Real64LE = Unausgerichtet<double>;

// Length byte followed by a fixed area of N bytes. Only the counted bytes are text; the rest
// is kept untouched so that rewriting one field never changes bytes the user did not edit.
template <std::size_t N>
struct KurzText {
  std::uint8_t laenge;
  char zeichen[N];

  std::string text() const {
    // A damaged length byte must never make us read past the field.
    const std::size_t n = laenge <= N ? laenge : N;
    return std::string(zeichen, n);
  }
  bool leer() const { return laenge == 0; }
  void setzen(std::string_view s) {
    const std::size_t n = s.size() <= N ? s.size() : N;
    if (n > 0) std::memcpy(zeichen, s.data(), n);
    laenge = static_cast<std::uint8_t>(n);
  }
  static constexpr std::size_t kapazitaet = N;
};

// One postal code with its place (300 bytes). Value-initialise (`TPLZRecord r{}`) for a
// record built from scratch: all bytes zero.
struct TPLZRecord {
  char Reserve[4];
  KurzText<2> Staat;
  KurzText<25> Bundesland;
  KurzText<30> Regierungsbezirk;
  KurzText<45> Landkreis;
  KurzText<65> Verwaltungszusammenschluss;
  KurzText<40> Ort;
  KurzText<25> Ortsteil;
  KurzText<20> Gemeindeteil;
  Real64LE Breitengrad;
  Real64LE Laengengrad;
  KurzText<3> Autokennzeichen;
  Int32LE PLZ;
  Int32LE Vorwahl;
  Int32LE Strassen;
  Int32LE AbBisNr;
};

// One street stretch of one postal code (126 bytes).
struct TStrassenRecord {
  Int32LE PLZ;
  KurzText<40> Ort;
  char HausNrKz;
  KurzText<65> Strasse;
  KurzText<6> AbNr;
  KurzText<6> BisNr;
};

static_assert(sizeof(TPLZRecord) == 300);
static_assert(offsetof(TPLZRecord, Reserve) == 0);
static_assert(offsetof(TPLZRecord, Staat) == 4);
static_assert(offsetof(TPLZRecord, Bundesland) == 7);
static_assert(offsetof(TPLZRecord, Regierungsbezirk) == 33);
static_assert(offsetof(TPLZRecord, Landkreis) == 64);
static_assert(offsetof(TPLZRecord, Verwaltungszusammenschluss) == 110);
static_assert(offsetof(TPLZRecord, Ort) == 176);
static_assert(offsetof(TPLZRecord, Ortsteil) == 217);
static_assert(offsetof(TPLZRecord, Gemeindeteil) == 243);
static_assert(offsetof(TPLZRecord, Breitengrad) == 264);
static_assert(offsetof(TPLZRecord, Laengengrad) == 272);
static_assert(offsetof(TPLZRecord, Autokennzeichen) == 280);
static_assert(offsetof(TPLZRecord, PLZ) == 284);
static_assert(offsetof(TPLZRecord, Vorwahl) == 288);
static_assert(offsetof(TPLZRecord, Strassen) == 292);
static_assert(offsetof(TPLZRecord, AbBisNr) == 296);

static_assert(sizeof(TStrassenRecord) == 126);
static_assert(offsetof(TStrassenRecord, PLZ) == 0);
static_assert(offsetof(TStrassenRecord, Ort) == 4);
static_assert(offsetof(TStrassenRecord, HausNrKz) == 45);
static_assert(offsetof(TStrassenRecord, Strasse) == 46);
static_assert(offsetof(TStrassenRecord, AbNr) == 112);
static_assert(offsetof(TStrassenRecord, BisNr) == 119);

static_assert(alignof(TPLZRecord) == 1 && alignof(TStrassenRecord) == 1);
static_assert(std::is_trivially_copyable_v<TPLZRecord> && std::is_trivially_copyable_v<TStrassenRecord>);

// Value of AbBisNr when the optimisation found no street for a postal code.
constexpr std::int32_t kKeineStrassen = 99999999;

// In use: Ort filled and PLZ not 0. Records not in use are shown but dropped on saving.
bool InBenutzung(const TPLZRecord& r);
// Valid: 0 < PLZ < 100000 and a street name with at least one non-blank. Read straight from the
// record's 126 bytes, so that a file block needs no copy; inline, as the loaders test every record.
inline bool StrassenBytesGueltig(const char* r) {
  constexpr std::size_t kLaenge = offsetof(TStrassenRecord, Strasse);
  std::uint32_t roh;
  std::memcpy(&roh, r, sizeof roh);
  const auto plz = static_cast<std::int32_t>(roh);
  const std::size_t laenge = std::min<std::size_t>(static_cast<unsigned char>(r[kLaenge]), 65);
  // A name almost always starts with its first letter; only one that does not is searched.
  bool zeichen = laenge > 0 && r[kLaenge + 1] != ' ';
  for (std::size_t j = 1; !zeichen && j < laenge; ++j) zeichen = r[kLaenge + 1 + j] != ' ';
  return (plz > 0) & (plz < 100000) & zeichen;
}
inline bool StrasseGueltig(const TStrassenRecord& r) { return StrassenBytesGueltig(reinterpret_cast<const char*>(&r)); }
// How many of the ANZAHL records stored one after another at DATEN are valid, as StrasseGueltig
// says, read straight from the bytes (no copy of a record): for counts over whole files.
std::int64_t GueltigeStrassen(const char* daten, std::size_t anzahl);

// "1067" with Staat 'D' gives "01067"; other countries keep the number as it is.
std::string PLZText(std::int32_t plz, char staat);
// The record's postal code as its country writes it.
std::string PLZText(const TPLZRecord& r);
// "0" + the number; empty for 0.
std::string VorwahlText(std::int32_t vorwahl);

// Country keys, taken from the first character (Windows-1252) of a country combo's text.
char LandBuchstabe(char c);
std::string LandISO(char c);

}  // namespace orvano
