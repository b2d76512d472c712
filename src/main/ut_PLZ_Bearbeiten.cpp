// TfrPLZ: typing into the record view and the grid, the save question and the save.
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QToolButton>

#include "Bearbeiten.h"
#include "PLZSpalten.h"
#include "core/Dateien.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/Texte.h"
#include "ui/Dialoge.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ut_PLZ.h"

namespace orvano {

bool TasteAendert(int qtTaste, Qt::KeyboardModifiers mod) {
  // Copying and selecting all change nothing, and neither does the Ctrl they start with. Alt
  // with a letter opens a menu or presses a button, F3 searches, Ctrl+Z/Y are steps of their
  // own, Ctrl+F and Ctrl+S go elsewhere: none of them is an edit.
  if ((mod & Qt::ControlModifier) && qtTaste != Qt::Key_V && qtTaste != Qt::Key_X) return false;
  if (mod & Qt::AltModifier) return false;
  switch (qtTaste) {
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_F3:
    case Qt::Key_Control:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Down: return false;
    default: return true;
  }
}

bool TfrPLZ::feldTaste(int feld, QKeyEvent* e) {
  if (TasteAendert(e->key(), e->modifiers())) db_.Geaendert = true;
  const auto liste = felder();
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    // A field the country does not have is skipped.
    int naechstes = (feld + 1) % liste.size();
    while (liste[naechstes]->isHidden() && naechstes != feld) naechstes = (naechstes + 1) % liste.size();
    liste[naechstes]->setFocus();
    return true;
  }
  const QString typ = e->text();
  // Delete and the other control keys are no typed characters: the field handles them.
  if (typ.isEmpty() || (typ.at(0).unicode() < 32 && typ.at(0).unicode() != 8) || typ.at(0).unicode() == 127) return false;
  QLineEdit* f = liste[feld];
  const char ein = ui::ZeichenZuCp1252(typ.at(0));
  const char aus = ein ? MaskenTaste(feld, ui::ZuCp1252(f->text()), ein) : 0;
  if (aus == ein) return false;
  if (aus != 0) f->insert(ui::AusCp1252(std::string(1, aus)));
  return true;
}

void TfrPLZ::feldGeklickt(int feld) {
  StrassenSuche = false;
  const auto liste = felder();
  for (QLineEdit* f : liste) f->setStyleSheet(QString());
  liste[feld]->setStyleSheet(QStringLiteral("QLineEdit { background-color: #CCFFCC; }"));
  SuchSpalte = FeldSpalte(feld);
  SuchFeld = FeldName(feld);
}

bool TfrPLZ::gridTasteRunter(int taste, Qt::KeyboardModifiers mod) {
  if (TasteAendert(taste, mod)) db_.Geaendert = true;
  if (taste != Qt::Key_Return && taste != Qt::Key_Enter) return false;
  StringGrid1->editorSchliessen();
  const int zeile = StringGrid1->aktuelleZeile();
  const int naechste = NaechsteEnterSpalte(daten_, StringGrid1->aktuelleSpalte());
  if (naechste >= 0) {
    StringGrid1->setAktuelleZelle(naechste, zeile);
    return true;
  }
  const int position = aktuellePosition();
  if (position == StringGrid1->gezeigteZeilen()) {
    // A new row has no record index: saving makes it a new record, of the current country.
    neueZeileAnhaengen();
    return true;
  }
  StringGrid1->setAktuelleZelle(1, StringGrid1->zeileAn(position + 1));
  return true;
}

bool TfrPLZ::AenderungSpeichern() {
  StringGrid1->editorSchliessen();
  feldUebernehmenAlle();
  const std::string name = DateiNameTeil(db_.plzDatei());
  const bool ja = ui::FrageJaNein(QStringLiteral("Änderung in ") + QString::fromStdString(db_.OrdnerName()) + QChar(kTrenner) +
                                  QString::fromStdString(name) + QStringLiteral(" Speichern?"));
  const int k = TextZuZahl(daten_.zelle(kSpalteIndex, StringGrid1->aktuelleZeile()));
  MaskenTexte texte;
  if (ja && !TabellenAnsicht) {
    const auto liste = felder();
    for (int i = 0; i < kMaskenFelder; ++i) texte[static_cast<std::size_t>(i)] = ui::ZuCp1252(liste[i]->text());
    // Every number is checked before anything is copied: a bad one changes nothing.
    const std::string fehler = MaskePruefen(texte);
    if (!fehler.empty()) {
      ui::Meldung(QString::fromStdString(fehler));
      return false;
    }
  }
  if (ja && TabellenAnsicht) {
    // A cell that is no number (or a coordinate off the globe) is refused, never read as 0.
    const std::string fehler = TabellePruefen(daten_);
    if (!fehler.empty()) {
      ui::Meldung(QString::fromStdString(fehler));
      return false;
    }
  }
  // Another program wrote the file since it was loaded: it is not overwritten unasked.
  if (ja && db_.PLZDateiVeraendert()) {
    FremdeAenderungNeuLaden();
    return false;
  }
  if (!ja) {
    // The edits are dropped: so are their steps.
    VerlaufLeeren();
    db_.Geaendert = false;
    if (TabellenAnsicht) {
      ausfuehren([this] { PLZLaden(); });
      TabelleFuellen();
      // The file's order comes back: the selection follows its record, not its row.
      if (k > 0 && k < daten_.zeilen()) StringGrid1->setAktuelleZelle(std::max(1, StringGrid1->aktuelleSpalte()), k);
    }
    return true;
  }
  bool gespeichert = false;
  std::int32_t ausgelassen = 0;
  // The rows keep their records through the reload when the grid was in file order or its order
  // becomes the file's: then the steps stay valid.
  const bool reihenBleiben = TabellenAnsicht || gridInDateiOrdnung();
  verlaufBehalten_ = true;
  ausfuehren([&] {
    if (TabellenAnsicht) {
      // The grid's order, sorted or not, becomes the file's order.
      const int n = daten_.zeilen() - 1;
      RecordFeld<TPLZRecord> neu(static_cast<std::size_t>(n) + 1);
      neu[0] = TPLZRecord{};
      for (int r = 1; r <= n; ++r) neu[static_cast<std::size_t>(r)] = ZeileZuDatensatz(daten_, r);
      db_.PLZTabelle = std::move(neu);
      db_.PLZAnzahl = n;
    } else if (k > 0 && k <= db_.PLZAnzahl) {
      MaskeZuDatensatz(texte, db_.PLZTabelle[static_cast<std::size_t>(k)]);
    } else if (k == 0) {
      // An empty file shows an empty record: what is typed there becomes its first record.
      TPLZRecord neu{};
      const std::string land = db_.Land;
      neu.Staat.setzen(LandISO(land.empty() ? ' ' : land.front()));
      MaskeZuDatensatz(texte, neu);
      RecordFeld<TPLZRecord> tabelle(static_cast<std::size_t>(db_.PLZAnzahl) + 2);
      for (std::int32_t i = 0; i <= db_.PLZAnzahl; ++i) tabelle[static_cast<std::size_t>(i)] = db_.PLZTabelle[static_cast<std::size_t>(i)];
      tabelle[static_cast<std::size_t>(db_.PLZAnzahl) + 1] = neu;
      db_.PLZTabelle = std::move(tabelle);
      ++db_.PLZAnzahl;
    }
    ui::FensterRueckfragen fragen;
    ausgelassen = db_.PLZSpeichern(fragen);
    gespeichert = true;
    PLZLaden();
  });
  verlaufBehalten_ = false;
  TabelleFuellen();
  if (gespeichert && reihenBleiben && ausgelassen == 0) {
    VerlaufGespeichert();
  } else if (gespeichert) {
    VerlaufLeeren();
  }
  if (ausgelassen > 0) {
    StatusMelden(QString::number(ausgelassen) + QStringLiteral(" Datensätze ohne Ort oder PLZ nicht gespeichert"));
  }
  return gespeichert;
}

bool TfrPLZ::FremdeAenderungNeuLaden() {
  const QString text = QString::fromStdString(Datenbestand::VeraendertText(db_.plzDatei())) +
                       QStringLiteral("\rNeu laden? Ihre Änderungen gehen dabei verloren.\rNein: nichts speichern und weiter bearbeiten.");
  if (!ui::FrageJaNein(text)) return false;
  db_.Geaendert = false;
  DateienNeuLaden(db_.StrassenDateiVeraendert());
  StatusMelden(QString::fromStdString(DateiNameTeil(db_.plzDatei())) + QStringLiteral(" neu geladen, die Änderungen sind verworfen"));
  return true;
}

void TfrPLZ::DateienNeuLaden(bool strassen) {
  fremdGefragt_ = false;
  const int zeile = std::max(1, StringGrid1->aktuelleZeile());
  ausfuehren([this] { PLZLaden(); });
  TabelleFuellen();
  if (strassen) ausfuehren([this] { StrassenLaden(); });
  StringGrid1->setAktuelleZelle(std::max(1, StringGrid1->aktuelleSpalte()), std::min(zeile, daten_.zeilen() - 1));
  StrassenAnzeigeSichtbar();
  DatensatzZeigen(TextZuZahl(daten_.zelle(kSpalteIndex, StringGrid1->aktuelleZeile())));
}

bool TfrPLZ::SpeichernFallsGeaendert() { return !db_.Geaendert || AenderungSpeichern(); }

void TfrPLZ::sbSpeichernKlick(Qt::MouseButton knopf) {
  if (knopf != Qt::LeftButton) {
    ExportStarten();
    return;
  }
  // A refused save leaves the typed values in the fields.
  if (!AenderungSpeichern()) return;
  const std::string_view index = daten_.zelle(kSpalteIndex, StringGrid1->aktuelleZeile());
  if (!index.empty()) DatensatzZeigen(TextZuZahl(index));
}

bool TfrPLZ::eventFilter(QObject* ziel, QEvent* e) {
  if (routeEreignis(ziel, e)) return true;
  // Alt with a letter belongs to the menus and buttons; one that none of them takes types nothing.
  if (e->type() == QEvent::KeyPress && qobject_cast<QLineEdit*>(ziel)) {
    const auto mod = static_cast<QKeyEvent*>(e)->modifiers();
    if ((mod & Qt::AltModifier) && !(mod & Qt::ControlModifier)) return true;
  }
  const auto liste = felder();
  const int feld = liste.indexOf(qobject_cast<QLineEdit*>(ziel));
  const auto typ = e->type();
  if (feld >= 0) {
    if (verlaufTaste(liste[feld], e)) return true;
    if (typ == QEvent::KeyPress) return feldTaste(feld, static_cast<QKeyEvent*>(e));
    if (typ == QEvent::MouseButtonPress) feldGeklickt(feld);
    return false;
  }
  if (ziel == edFilter && typ == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
    FilterLeeren();
    return true;
  }
  if (ziel == edSuchen) {
    if (typ == QEvent::KeyPress) {
      const int taste = static_cast<QKeyEvent*>(e)->key();
      if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
        Schnellsuche();
        return true;
      }
      // The modifier keys of Shift+F3 and the search keys themselves leave the place of the last hit.
      const bool weiter = taste == Qt::Key_Shift || taste == Qt::Key_Control || taste == Qt::Key_Alt ||
                          taste == Qt::Key_Meta || taste == Qt::Key_F3;
      if (!weiter) SuchStart = 1;
    } else if (typ == QEvent::MouseButtonDblClick) {
      Schnellsuche();
      return true;
    } else if (typ == QEvent::ToolTip) {
      edSuchen->setToolTip(suchHinweis());
    }
    return false;
  }
  if (ziel == sbStrasse && typ == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
    if (sbStrasse->isEnabled()) strassenZeigen(Qt::RightButton);
    return true;
  }
  if (ziel == sbSort || ziel == sbSpeichern_Dat) {
    if (typ == QEvent::ToolTip && ziel == sbSort) sbSort->setToolTip(sortHinweis());
    // The left button works through clicked(); the right one has a job of its own.
    // A disabled button does nothing on any button: its event filter still sees the press.
    if (!static_cast<QWidget*>(ziel)->isEnabled() && typ == QEvent::MouseButtonPress) return true;
    if (typ == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(e)->button() != Qt::LeftButton) {
      const auto knopf = static_cast<QMouseEvent*>(e)->button();
      if (ziel == sbSort) {
        TabelleSortieren(false);
      } else {
        sbSpeichernKlick(knopf);
      }
      return true;
    }
    return false;
  }
  if (ziel == cbStrasse) {
    if (typ == QEvent::FocusIn) StrassenSuche = true;
    if (typ == QEvent::KeyPress) {
      const int taste = static_cast<QKeyEvent*>(e)->key();
      if (taste == Qt::Key_Home && cbStrasse->count() > 0) cbStrasse->setCurrentIndex(0);
      if (taste == Qt::Key_End && cbStrasse->count() > 0) cbStrasse->setCurrentIndex(cbStrasse->count() - 1);
      // No typing into the list and no Delete; the arrow keys still move through it.
      return taste != Qt::Key_Up && taste != Qt::Key_Down && taste != Qt::Key_Tab && taste != Qt::Key_Backtab;
    }
    return false;
  }
  if (ziel == lbStrasseZahl && typ == QEvent::MouseButtonPress) {
    const int p = std::max(0, cbStrasse->currentIndex());
    const auto knopf = static_cast<QMouseEvent*>(e)->button();
    if (knopf == Qt::LeftButton && p + 1 < cbStrasse->count()) cbStrasse->setCurrentIndex(p + 1);
    if (knopf == Qt::RightButton && p > 0) cbStrasse->setCurrentIndex(p - 1);
    return true;
  }
  if (ziel == lbPLZZahl && typ == QEvent::MouseButtonPress) {
    plzZahlGeklickt(static_cast<QMouseEvent*>(e)->button());
    return true;
  }
  if (ziel == cbLand) {
    // A save that was refused keeps the country: the list does not open.
    if ((typ == QEvent::FocusIn || typ == QEvent::MouseButtonPress) && db_.Geaendert && !AenderungSpeichern()) {
      return typ == QEvent::MouseButtonPress;
    }
    // The country is chosen from the list only, never by typing a letter.
    if (typ == QEvent::KeyPress) {
      const auto* k = static_cast<QKeyEvent*>(e);
      return !k->text().isEmpty() && k->text().at(0).isPrint();
    }
    if (typ == QEvent::Wheel) return true;
    return false;
  }
  return QMainWindow::eventFilter(ziel, e);
}

}  // namespace orvano
