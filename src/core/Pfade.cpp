#include "Pfade.h"

#include "Dateien.h"
#include "Records.h"

namespace orvano {

std::string ProgVerzeichnis;

namespace {

char Buchstabe(std::string_view landText) { return landText.empty() ? ' ' : LandBuchstabe(landText.front()); }

std::int32_t Anzahl(std::string_view dateiName, std::int64_t satzGroesse) {
  const std::int64_t groesse = DateiGroesse(dateiName);
  return groesse <= 0 ? 0 : static_cast<std::int32_t>(groesse / satzGroesse);
}

}  // namespace

std::string StrassenDateiCode(std::string_view landText) {
  switch (Buchstabe(landText)) {
    case 'D': return "D";
    case 'A': return "A";
    case 'C': return "CH";
    default: return {};
  }
}

std::string PLZDateiCode(std::string_view landText) {
  const std::string code = StrassenDateiCode(landText);
  return code.empty() ? code : "Dat_" + code;
}

std::string DatenbankDatei(std::string_view ordnerPfad, std::string_view landText, bool plz) {
  const std::string code = plz ? PLZDateiCode(landText) : "Strassen_" + StrassenDateiCode(landText);
  return ProgVerzeichnis + std::string(ordnerPfad) + code + ".ppp";
}

bool IstDatenbankName(std::string_view name) {
  for (const std::string_view n : kDatenbankDateien) {
    if (name == n) return true;
  }
  return false;
}

std::string LandDerDatenbank(std::string_view name) {
  if (!IstDatenbankName(name)) return {};
  for (const std::string_view land : {kDeutschland, kOesterreich, kSchweiz}) {
    const std::string code = StrassenDateiCode(land) + ".ppp";
    if (name.size() > code.size() && name.substr(name.size() - code.size()) == code && name[name.size() - code.size() - 1] == '_') {
      return std::string(land);
    }
  }
  return {};
}

std::string PaarDatei(std::string_view name) {
  const std::string land = LandDerDatenbank(name);
  if (land.empty()) return {};
  const bool plz = name.rfind("Dat_", 0) == 0;
  return (plz ? "Strassen_" + StrassenDateiCode(land) : PLZDateiCode(land)) + ".ppp";
}

std::int32_t StrassenAnzahl(std::string_view dateiName) {
  return Anzahl(dateiName, sizeof(TStrassenRecord));
}

std::int32_t PLZAnzahlDerDatei(std::string_view dateiName) { return Anzahl(dateiName, sizeof(TPLZRecord)); }

}  // namespace orvano
