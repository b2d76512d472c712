// Record files of any bytes: read whole and page by page, searched, shown as cells and turned
// back into records, compared.
#include "FuzzDatei.h"
#include "core/Dateien.h"
#include "core/RecordDatei.h"
#include "core/SeitenDatei.h"
#include "editor/EditorSuche.h"
#include "editor/Vergleich.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* d, std::size_t n) {
  using namespace orvano;
  const auto [eins, zwei] = fuzz::Teile(d, n);
  const std::string plz = fuzz::Datei("Dat_D.ppp", eins);
  const std::string str = fuzz::Datei("Strassen_D.ppp", zwei);
  try {
    const auto tabelle = TabelleLesen<TPLZRecord>(plz);
    std::vector<std::string> zellen(kEditorPLZSpalten);
    for (std::size_t k = 1; k < tabelle.size(); ++k) {
      for (int c = 0; c < kEditorPLZSpalten; ++c) zellen[static_cast<std::size_t>(c)] = PLZEditorZelle(tabelle[k], c);
      const TPLZRecord r = PLZAusEditorZeile(zellen, 'D');
      PLZGleich(r, tabelle[k]);
      EditorZeileBleibt(r);
    }
    for (const TStrassenRecord& s : SeitenDatei<TStrassenRecord>(str).seite(1, 50)) {
      std::vector<std::string> z(kEditorStrassenSpalten);
      for (int c = 0; c < kEditorStrassenSpalten; ++c) z[static_cast<std::size_t>(c)] = StrassenEditorZelle(s, c);
      StrassenGleich(StrasseAusEditorZeile(z), s);
    }
    EditorSuchAuftrag a{str, EditorArt::Strassen, 3, "a", false};
    std::int64_t pos = 0;
    EditorSuchen(a, false, pos, KeinFortschritt());
    pos = 1;
    Vergleichen(plz, plz, EditorArt::PLZ, pos, false, KeinFortschritt());
    NeueDatenSuchen(str, str, EditorArt::Strassen, fuzz::Ordner() + "neu.tmp", KeinFortschritt());
  } catch (const DateiFehler&) {
  }
  return 0;
}
