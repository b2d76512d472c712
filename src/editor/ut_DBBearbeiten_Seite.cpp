// TfrDBBearbeiten: changing a side, moving through it, and saving its page.
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <exception>
#include <optional>

#include "core/Dateien.h"
#include "core/Pfade.h"
#include "core/Records.h"
#include "core/SeitenDatei.h"
#include "ui/Dialoge.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "SeitenRaster.h"
#include "ut_DBBearbeiten.h"

#include "core/Datenbestand.h"

namespace orvano {

void TfrDBBearbeiten::seiteWechseln(int seite) {
  // Edits of a page are not dropped unasked.
  offeneAenderungenFragen();
  Seite& x = s(seite);
  TabelleZellenLeeren(x.tabelle);
  x.n = 0;
  spaltenEinstellen(seite);
  seiteBemessen(seite);
  AktuellerSatz = 1;
  SuchPosition = 0;
  if (seite == 1) VergleichsPosition = 1;
  x.anfang = 0;
  seiteFuellen(seite);
  zeileWaehlen(seite, 1);
}

void TfrDBBearbeiten::blaettern(int seite, std::int64_t anfang) {
  Seite& x = s(seite);
  // The edited cells belong to the page that was shown: it is saved where it came from.
  if (x.sbSpeichern->isEnabled() && seiteSpeichern(seite, true, anfang)) return;
  x.anfang = anfang;
  seiteFuellen(seite);
}

void TfrDBBearbeiten::zumSatz(int seite, std::int64_t k) {
  Seite& x = s(seite);
  const int zeilen = datenZeilen(seite);
  if (k < 1 || k > zeilen + x.n) return;
  if (k <= x.anfang || k > x.anfang + zeilen) {
    ruhe_ = true;
    x.sgh->setValue(static_cast<int>(k - 1));
    ruhe_ = false;
    blaettern(seite, x.sgh->value());
    if (Tag == 9) return;  // a save closed the window
  }
  x.sg->setAktuelleZelle(std::max(1, x.sg->aktuelleSpalte()), static_cast<int>(k - x.anfang));
  AktuellerSatz = k;
  SuchPosition = k;
  VergleichsPosition = k;
  x.sg->viewport()->update();
}

bool TfrDBBearbeiten::taste(int seite, int t) {
  Seite& x = s(seite);
  const std::int64_t n = x.n;
  const int zeilen = datenZeilen(seite);
  // In edit mode Home and End move within the cell.
  const bool imText = cbEdit->isChecked() && (t == Qt::Key_Home || t == Qt::Key_End);
  const std::optional<std::int64_t> ziel = imText ? std::nullopt : TastenZiel(t, AktuellerSatz, n, zeilen);
  if (!ziel) {
    if (!imText && cbEdit->isChecked() && !x.cbOrdner->currentText().isEmpty() && t != Qt::Key_Escape && t != Qt::Key_Shift &&
        t != Qt::Key_Control && t != Qt::Key_Alt) {
      x.sbSpeichern->setEnabled(true);
    }
    return false;
  }
  const std::int64_t k = *ziel;
  if (t == Qt::Key_Down && x.sg->aktuelleZeile() == zeilen && x.anfang + zeilen < n) {
    // Down on the last row moves the page by one record first.
    x.sg->editorSchliessen();
    ruhe_ = true;
    x.sgh->setValue(static_cast<int>(x.anfang + 1));
    ruhe_ = false;
    blaettern(seite, x.sgh->value());
    if (Tag == 9) return true;
  }
  x.sg->editorSchliessen();
  AktuellerSatz = k;
  zumSatz(seite, k);
  return true;
}

void TfrDBBearbeiten::geklickt(int seite, int spalte, int zeile) {
  Seite& x = s(seite);
  AktuellerSatz = SuchPosition = VergleichsPosition = x.anfang + zeile;
  x.sg->viewport()->update();
  if (!cbEdit->isChecked()) nachschlagen(seite, spalte, zeile);
}

void TfrDBBearbeiten::sbSpeichernClick(int seite) { seiteSpeichern(seite, true, s(seite).anfang); }

bool TfrDBBearbeiten::seiteSpeichern(int seite, bool wiederOeffnen, std::int64_t anfang) {
  Seite& x = s(seite);
  x.sg->editorSchliessen();
  const std::string d = gezeigteDatei(seite);
  const Seite& eins = s(1);
  const Seite& zwei = s(2);
  const bool gleicherOrdner = eins.ordner == zwei.ordner;
  if ((gleicherOrdner && !d.empty() && gezeigteDatei(1) == gezeigteDatei(2)) ||
      (seite == 2 && gleicherOrdner && eins.landText == zwei.landText)) {
    ui::Hinweis(QStringLiteral("Datei 1 = Datei 2"));
    speichernAus();
    return false;
  }
  if (d.empty()) return false;
  const bool ja = ui::FrageJaNein(QStringLiteral("Änderung in ") + dateiText(seite) + QStringLiteral(" Speichern?"));
  // Side 1 asks again at the next scroll after No; side 2 lets the edits go.
  if (ja || seite == 2) x.sbSpeichern->setEnabled(false);
  if (!ja || !DateiVorhanden(d)) return false;
  if (KennungLesen(d) != x.kennung) {
    // Another program wrote the file since the page was read: the page no longer fits it.
    if (ui::FrageJaNein(QString::fromStdString(Datenbestand::VeraendertText(d)) +
                        QStringLiteral("\rNeu laden? Ihre Änderungen gehen dabei verloren."))) {
      seiteFuellen(seite);
    } else {
      x.sbSpeichern->setEnabled(true);
    }
    return false;
  }
  const char landDerSeite = LandVon(x.landText);
  const int zeilen = datenZeilen(seite);
  try {
    if (x.art == EditorArt::PLZ) {
      std::vector<std::optional<TPLZRecord>> page;
      for (int r = 1; r <= zeilen; ++r) {
        const TPLZRecord rec = PLZAusEditorZeile(x.tabelle.zeile(r), landDerSeite);
        page.push_back(EditorZeileBleibt(rec) ? std::optional(rec) : std::nullopt);
      }
      x.n = SeitenDatei<TPLZRecord>(d).seiteErsetzen(x.anfang + 1, page);
    } else {
      std::vector<std::optional<TStrassenRecord>> page;
      for (int r = 1; r <= zeilen; ++r) {
        const TStrassenRecord rec = StrasseAusEditorZeile(x.tabelle.zeile(r));
        page.push_back(EditorZeileBleibt(rec) ? std::optional(rec) : std::nullopt);
      }
      x.n = SeitenDatei<TStrassenRecord>(d).seiteErsetzen(x.anfang + 1, page);
    }
  } catch (const std::exception& e) {
    ui::Meldung(QString::fromStdString(e.what()));
    // Nothing was written: the edits stay and can be saved again.
    x.sbSpeichern->setEnabled(true);
    return false;
  }
  geschrieben(d);
  x.anfang = anfang;
  if (!wiederOeffnen) {
    seiteFuellen(seite);
    return true;
  }
  TabelleZellenLeeren(x.tabelle);
  GespeicherteSeite = anfang;
  Tag = 9;
  done(Accepted);
  return true;
}

void TfrDBBearbeiten::offeneAenderungenFragen() {
  for (int seite : {1, 2}) {
    if (s(seite).sbSpeichern->isEnabled()) seiteSpeichern(seite, false, s(seite).anfang);
  }
  speichernAus();
}

void TfrDBBearbeiten::geschrieben(const std::string& datei) {
  if (dateiGeschrieben) dateiGeschrieben(datei);
}

void TfrDBBearbeiten::sbExitClick() {
  if (!ui::HinweisJaNein(QStringLiteral("Fenster schließen?"))) return;
  Tag = 0;
  close();
}

void TfrDBBearbeiten::done(int ergebnis) {
  if (Tag != 9) {
    // Leaving by the frame or Exit: what was typed is not lost unasked.
    offeneAenderungenFragen();
    Tag = 0;
  }
  geoeffnet_ = false;
  DateiLoeschen(ProgVerzeichnis + "neutemp.tmp");
  QDialog::done(ergebnis);
}

}  // namespace orvano
