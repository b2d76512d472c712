// TfrDBBearbeiten: comparing the two sides, the records side 2 lacks, and replacing in side 1's column.
#include <QComboBox>
#include <QLabel>

#include "Ersetzen.h"
#include "Vergleich.h"
#include "core/Dateien.h"
#include "core/Pfade.h"
#include "ui/Dialoge.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ui/Warten.h"
#include "ut_DBBearbeiten.h"
#include "ut_Ersetzen.h"
#include "ut_NeueDaten.h"

namespace orvano {

bool TfrDBBearbeiten::vergleichPruefen() {
  auto seite = [this](int n) {
    return VergleichsSeite{s(n).cbOrdner->currentText().toStdString(), ui::ZuCp1252(s(n).cbLand->currentText()), art(n)};
  };
  const VergleichsPruefung p = VergleichPruefen(seite(1), seite(2));
  if (p == VergleichsPruefung::Ok) return true;
  const QString text = QString::fromStdString(VergleichsMeldung(p));
  if (p == VergleichsPruefung::ArtVerschieden) {
    ui::Meldung(text);
  } else {
    ui::Hinweis(text);
  }
  return false;
}

void TfrDBBearbeiten::vergleichen(bool rueckwaerts) {
  if (!vergleichPruefen()) return;
  for (int n : {1, 2}) {
    if (!DateiVorhanden(datei(n))) {
      ui::Meldung(QString::fromStdString(datei(n)) + QStringLiteral(" nicht gefunden"));
      return;
    }
  }
  std::int64_t k = 0;
  {
    ui::Lauf lauf(ProgressBar1, nullptr, ui::Lauf::Escape::Sofort);
    lauf.ausfuehren([&] { k = Vergleichen(datei(1), datei(2), art(1), VergleichsPosition, rueckwaerts, lauf); });
  }
  if (k <= 0) return;
  zumSatz(1, k);
  if (Tag == 9) return;
  zumSatz(2, k);
}

void TfrDBBearbeiten::sbNeueSuchenClick() {
  const std::string neu = ProgVerzeichnis + "neutemp.tmp";
  DateiLoeschen(neu);
  if (!vergleichPruefen()) return;
  const QString wo = cbOrdner1->currentText() + QLatin1Char(' ') + cbLand1->currentText();
  if (!ui::FrageJaNein(QStringLiteral("Neue Daten in ") + wo + QStringLiteral(" suchen?"))) return;
  const std::string d1 = datei(1);
  if (!DateiVorhanden(d1)) {
    ui::Meldung(QString::fromStdString(d1) + QStringLiteral(" nicht gefunden"));
    return;
  }
  NeueDaten ergebnis;
  {
    ui::Lauf lauf(ProgressBar1, status_.get(), ui::Lauf::Escape::Nachfragen);
    lauf.status(0, QStringLiteral("Neue Daten in ") + wo + QStringLiteral(" suchen"));
    lauf.status(1, QStringLiteral("Mit ESC-Taste abbrechen"));
    if (!lauf.ausfuehren([&] { ergebnis = NeueDatenSuchen(d1, datei(2), art(1), neu, lauf); })) return;
  }
  if (ergebnis.gefunden == 0) {
    DateiLoeschen(neu);
    ui::Meldung(QStringLiteral("Keine neue Daten"));
    return;
  }
  // The new-data window opens over the editor: hiding a modal window would end it.
  frNeueDaten->vorbereiten(neu, art(1), land(1) != 'D', datei(2));
  frNeueDaten->exec();
  ui::Warten(500);
  if (frNeueDaten->angehaengt()) geschrieben(datei(2));
  s(2).anfang = 0;
  seiteFuellen(2);
}

void TfrDBBearbeiten::sbErsetzenClick() {
  const int c = sg1->aktuelleSpalte();
  const EditorArt a = art(1);
  const std::string verboten = ErsetzenVerboten(a, c);
  if (!verboten.empty()) {
    ui::Hinweis(QString::fromStdString(verboten));
    return;
  }
  const QString titel = (a == EditorArt::PLZ ? QStringLiteral("PLZ-Datenbank:") : QStringLiteral("Strassen-Datenbank:")) +
                        QStringLiteral("  Ersetzen in ") + ui::AusCp1252(EditorSpaltenTitel(a, c));
  frErsetzen->vorbereiten(a, c, titel);
  frErsetzen->exec();
  if (frErsetzen->geschriebeneDatei().empty()) return;
  geschrieben(frErsetzen->geschriebeneDatei());
  seiteFuellen(1);
}

}  // namespace orvano
