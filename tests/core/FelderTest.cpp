#include "core/Felder.h"

#include <gtest/gtest.h>

#include <cstring>

namespace orvano {
namespace {

TPLZRecord Voll() {
  TPLZRecord r{};
  r.Ort.setzen("Frankfurt (Oder)");
  r.Staat.setzen("DE");
  r.Bundesland.setzen("Brandenburg");
  r.Ortsteil.setzen("Altberesinchen");
  r.Landkreis.setzen("kreisfrei");
  r.PLZ = 15230;
  r.Autokennzeichen.setzen("FF");
  r.Breitengrad = 0.1 + 0.2;
  r.Laengengrad = 14.55062;
  r.Regierungsbezirk.setzen("-");
  r.Gemeindeteil.setzen("Mitte");
  r.Verwaltungszusammenschluss.setzen("Frankfurt (Oder), Stadt");
  r.Vorwahl = 335;
  r.Strassen = 12;
  r.AbBisNr = 99999999;
  return r;
}

Tabelle Zeile(const TPLZRecord& r) {
  Tabelle t(18, 2);
  for (const PLZFeld& f : PLZFelder()) t.setZelle(f.spalte, 1, f.zelle(r));
  return t;
}

// What a cell shows reads back as the same record: every field has one column, none is left.
TEST(PLZFelder, EveryFieldComesBackFromItsCellByteForByte) {
  const TPLZRecord r = Voll();
  const TPLZRecord zurueck = PLZAusZeile(Zeile(r), 1, true);
  EXPECT_EQ(std::memcmp(&zurueck, &r, sizeof r), 0);
  // The import table has no counters: those stay zero.
  const TPLZRecord import = PLZAusZeile(Zeile(r), 1, false);
  EXPECT_EQ(import.Strassen, 0);
  EXPECT_EQ(import.AbBisNr, 0);
  EXPECT_EQ(import.Ort.text(), "Frankfurt (Oder)");
  EXPECT_EQ(PLZFeldDerSpalte(6)->kapazitaet, 0);
  EXPECT_EQ(PLZFeldDerSpalte(1)->kapazitaet, static_cast<int>(sizeof(r.Ort.zeichen)));
  EXPECT_EQ(PLZFeldDerSpalte(10), nullptr) << "the record index is no field";
}

// A street written into the import table's columns comes back whole.
TEST(StrassenFelder, AStreetComesBackFromTheImportColumns) {
  TStrassenRecord s{};
  s.PLZ = 1067;
  s.Ort.setzen("Dresden");
  s.Strasse.setzen("Prager Stra\xDF" "e");
  s.AbNr.setzen("1");
  s.BisNr.setzen("9a");
  Tabelle t(18, 2);
  for (std::size_t i = 0; i < StrassenFelder().size(); ++i) {
    t.setZelle(kImportStrassenSpalten[i], 1, StrassenFelder()[i].zelle(s, 'D'));
  }
  EXPECT_EQ(t.zelle(6, 1), "01067");
  const TStrassenRecord zurueck = StrasseAusZeile(t, 1, kImportStrassenSpalten);
  EXPECT_EQ(std::memcmp(&zurueck, &s, sizeof s), 0);
}

}  // namespace
}  // namespace orvano
