// The CSV reader with its join: the first part of the input is the format line and file 1,
// the second part file 2.
#include "FuzzDatei.h"
#include "core/Dateien.h"
#include "core/Tabelle.h"
#include "exchange/CSVLesen.h"
#include "exchange/Import.h"
#include "exchange/ImportFormat.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  using namespace orvano;
  const auto [eins, zwei] = fuzz::Teile(d, n);
  const std::size_t zeilenEnde = eins.find('\n');
  ImportFormat f = StandardFormat();
  if (zeilenEnde != std::string_view::npos) FormatAusZeile(std::string(eins.substr(0, zeilenEnde)), f);
  const std::string datei1 = fuzz::Datei("eins.csv", zeilenEnde == std::string_view::npos ? eins : eins.substr(zeilenEnde + 1));
  const std::string datei2 = fuzz::Datei("zwei.csv", zwei);
  Tabelle t(kImportTabellenSpalten, 2);
  ImportTabelleKopf(t);
  CSVLeseOptionen o;
  o.landText = "Deutschland";
  o.strassen = n % 2 == 1;
  try {
    CSVLesen(datei1, f, t, o, KeinFortschritt());
    Verknuepfen(datei2, f, t, o, KeinFortschritt());
    for (int r = 1; r < t.zeilen(); ++r) {
      ImportZeileZuPLZ(t, r);
      ImportZeileZuStrasse(t, r);
    }
  } catch (const DateiFehler&) {
  }
  return 0;
}
