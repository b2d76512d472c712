// TfrDBBearbeiten: searching within a side and looking a clicked value up on the other side.
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QProgressBar>

#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ui/Warten.h"
#include "ut_DBBearbeiten.h"

namespace orvano {

void TfrDBBearbeiten::suchen(int seite, bool rueckwaerts) {
  Seite& x = s(seite);
  EditorSuchAuftrag a;
  a.datei = datei(seite);
  a.art = art(seite);
  a.spalte = x.sg->aktuelleSpalte();
  a.text = ui::ZuCp1252(x.edSuchen->text());
  a.genau = x.cbGenau->isChecked();
  if (a.text.empty() || a.datei.empty()) return;
  std::int64_t k = 0;
  x.sg->setBeschaeftigt(true);
  {
    ui::Lauf lauf(ProgressBar1, nullptr, ui::Lauf::Escape::Sofort);
    lauf.ausfuehren([&] { k = EditorSuchen(a, rueckwaerts, SuchPosition, lauf); });
  }
  x.sg->setBeschaeftigt(false);
  status_->melden(k > 0 ? QString() : QStringLiteral("Nicht gefunden"));
  if (k > 0) zumSatz(seite, k);
}

void TfrDBBearbeiten::nachschlagen(int von, int spalte, int zeile) {
  const int andere = 3 - von;
  if (von == 1 && cbOrdner2->currentText().isEmpty()) return;
  EditorSuchAuftrag a;
  a.datei = datei(andere);
  a.art = art(andere);
  a.spalte = s(andere).sg->aktuelleSpalte();
  a.text = std::string(s(von).tabelle.zelle(spalte, zeile));
  if (a.datei.empty()) return;
  std::int64_t k = 0;
  {
    ui::Lauf lauf(ProgressBar1, status_.get(), ui::Lauf::Escape::Sofort);
    lauf.status(0, ui::AusCp1252(a.text) + QStringLiteral(" in ") + ui::AusCp1252(EditorSpaltenTitel(a.art, a.spalte)) +
                       QStringLiteral(" suchen"));
    lauf.status(1, QStringLiteral("Mit ESC-Taste abbrechen"));
    lauf.ausfuehren([&] { k = EditorNachschlagen(a, lauf); });
  }
  status_->melden(k > 0 ? QString() : QStringLiteral("Nicht gefunden"));
  if (k > 0) zumSatz(andere, k);
}

}  // namespace orvano
