// TfrPLZ: the filter line over the table and the sort by a click on a column title.
#include <QComboBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include "PLZSpalten.h"
#include "core/Texte.h"
#include "maps/utKarte.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ut_PLZ.h"

namespace orvano {

SortArt PLZSortArt(int spalte) {
  switch (spalte) {
    case 0:             // LNr
    case kSpaltePLZ:    // postal codes with their leading zero
    case 8:             // Breitengrad
    case 9:             // Längengrad
    case kSpalteIndex:
    case 14:            // Vorwahl
    case 15:            // Strassen
    case 16: return SortArt::Zahl;
    default: return SortArt::Text;
  }
}

QWidget* TfrPLZ::filterAufbauen(QWidget* eltern) {
  plFilter = new QWidget(eltern);
  plFilter->setObjectName("plFilter");
  auto* z = new QHBoxLayout(plFilter);
  z->setContentsMargins(0, 0, 0, 0);
  auto* l = new QLabel(QStringLiteral("&Filter:"), plFilter);
  edFilter = new QLineEdit(plFilter);
  edFilter->setObjectName("edFilter");
  edFilter->setClearButtonEnabled(true);
  edFilter->setPlaceholderText(QStringLiteral("Nur Zeilen zeigen, die diesen Text enthalten (Strg+F, Esc leert)"));
  l->setBuddy(edFilter);
  cbFilterSpalte = new QComboBox(plFilter);
  cbFilterSpalte->setObjectName("cbFilterSpalte");
  cbFilterSpalte->setToolTip(QStringLiteral("Spalte, in der gefiltert wird"));
  z->addWidget(l);
  z->addWidget(edFilter, 1);
  z->addWidget(cbFilterSpalte);
  filterSpaltenFuellen();
  connect(edFilter, &QLineEdit::textChanged, this, [this] { filterAnwenden(); });
  connect(cbFilterSpalte, qOverload<int>(&QComboBox::activated), this, [this](int) { filterAnwenden(); });
  edFilter->installEventFilter(this);
  return plFilter;
}

void TfrPLZ::filterSpaltenFuellen() {
  const QSignalBlocker ruhe(cbFilterSpalte);
  const int vorher = cbFilterSpalte->currentData().isValid() ? cbFilterSpalte->currentData().toInt() : -1;
  cbFilterSpalte->clear();
  cbFilterSpalte->addItem(QStringLiteral("Alle Spalten"), -1);
  for (int c = 1; c < daten_.spalten(); ++c) {
    if (daten_.verborgen(c) || daten_.zelle(c, 0).empty()) continue;
    cbFilterSpalte->addItem(ui::AusCp1252(daten_.zelle(c, 0)), c);
  }
  const int i = cbFilterSpalte->findData(vorher);
  cbFilterSpalte->setCurrentIndex(i >= 0 ? i : 0);
}

void TfrPLZ::filterAnwenden() {
  SichtWahl w = StringGrid1->sichtWahl();
  w.filter = ui::ZuCp1252(edFilter->text());
  w.filterSpalte = cbFilterSpalte->currentData().isValid() ? cbFilterSpalte->currentData().toInt() : -1;
  StringGrid1->setSichtWahl(w);
}

void TfrPLZ::sichtGeaendert() {
  SuchStart = 1;
  AnzahlAnzeigen();
  if (!edFilter->text().isEmpty() && StringGrid1->gezeigteZeilen() == 0) {
    StatusMelden(QStringLiteral("Kein Datensatz enthält „") + edFilter->text() + QStringLiteral("“"));
  }
  if (!TabellenAnsicht && StringGrid1->aktuelleZeile() > 0) {
    DatensatzZeigen(TextZuZahl(daten_.zelle(kSpalteIndex, StringGrid1->aktuelleZeile())));
  }
  if (KarteSichtbar && frKarte) frKarte->setAuswahl(sichtGefiltert() ? std::optional(gezeigteSaetze()) : std::nullopt);
}

void TfrPLZ::FilterLeeren() {
  if (!edFilter->text().isEmpty()) edFilter->clear();
}

bool TfrPLZ::sichtGefiltert() const { return !StringGrid1->sichtWahl().filter.empty(); }

bool TfrPLZ::sichtVeraendert() const { return !SichtNeutral(StringGrid1->sichtWahl()); }

int TfrPLZ::aktuellePosition() const { return StringGrid1->position(StringGrid1->aktuelleZeile()); }

std::vector<std::int32_t> TfrPLZ::gezeigteSaetze() const {
  std::vector<std::int32_t> saetze;
  for (const int r : StringGrid1->gezeigteTabellenZeilen()) {
    const std::int32_t k = TextZuZahl(daten_.zelle(kSpalteIndex, r));
    if (k > 0) saetze.push_back(k);
  }
  return saetze;
}

bool TfrPLZ::zeileZeigenUndWaehlen(int spalte, int zeile) {
  if (StringGrid1->setAktuelleZelle(spalte, zeile)) return true;
  // A record the filter hides is shown by dropping the filter: the user asked for that record.
  if (!sichtGefiltert()) return false;
  FilterLeeren();
  StatusMelden(QStringLiteral("Filter aufgehoben, um den gewählten Datensatz zu zeigen"));
  return StringGrid1->setAktuelleZelle(spalte, zeile);
}

}  // namespace orvano
