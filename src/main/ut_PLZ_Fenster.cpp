// TfrPLZ: the export, the data folders and the windows opened from the menu.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QStatusBar>
#include <QTimer>

#include "PLZSpalten.h"
#include "core/Dateien.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/Records.h"
#include "core/SeitenDatei.h"
#include "core/Texte.h"
#include "core/Start.h"
#include "editor/ut_DBBearbeiten.h"
#include "exchange/Export.h"
#include "exchange/ut_Export_Auswahl.h"
#include "exchange/ut_Import.h"
#include "search/ut_Prufen.h"
#include "maps/utKarte.h"
#include "search/ut_SuchMaske.h"
#include "search/ut_Suchen.h"
#include "streets/WebStrassen.h"
#include "streets/ut_Internet.h"
#include "streets/ut_PZ.h"
#include "streets/ut_Strassen.h"
#include "folders/Sicherung.h"
#include "folders/ut_SichCopy.h"
#include "streets/StrassenZaehlen.h"
#include "folders/Ordner.h"
#include "ui/Dialoge.h"
#include "folders/OrdnerAuswahl.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ui/Warten.h"
#include "ut_PLZ.h"

namespace orvano {

void TfrPLZ::fensterZeigen(QDialog* fenster) {
  hide();
  fenster->exec();
  // The caller reloads what the window wrote; afterwards, what another program wrote (a
  // window may have refused to write over it) is looked at.
  nachEigenemFenster_ = true;
  QTimer::singleShot(0, this, [this] {
    nachEigenemFenster_ = false;
    FremdeAenderungPruefen();
  });
  show();
  // Showing the window again activates it; the folder list is rebuilt there as well.
  OrdnerListeAufbauen();
}

void TfrPLZ::strassenZeigen(Qt::MouseButton knopf) {
  if (!SpeichernFallsGeaendert() || !sbStrasseVorbereiten(knopf)) return;
  const std::int32_t satz = TextZuZahl(daten_.zelle(kSpalteIndex, std::max(1, StrassenFensterZeile)));
  if (satz < 1 || satz > db_.PLZAnzahl) return;
  const std::string land = db_.Land;
  frStrassen->vorbereiten(satz, Tag == 9, LandBuchstabe(land.empty() ? ' ' : land.front()), cbOrdner->currentText(),
                          cbStrasse->currentIndex());
  fensterZeigen(frStrassen);
  Tag = 0;
  if (frStrassen->geschrieben()) DateiGeschrieben(db_.strassenDatei());
  // The window may have moved on to another record.
  SatzAuswaehlen(frStrassen->satz());
  StrassenZeigen(frStrassen->satz());
}

void TfrPLZ::importZeigen(const QString& datei) {
  // The import may append to the files shown here: unsaved edits are settled first.
  if (!SpeichernFallsGeaendert()) return;
  frImport->startDatei = datei;
  fensterZeigen(frImport);
  if (!frImport->ImportDatei.isEmpty()) zuletztVerwendet(QStringLiteral("Import"), frImport->ImportDatei);
  if (frImport->Tag == 1) DateiGeschrieben(frImport->geschriebeneDatei);
}

void TfrPLZ::pruefenZeigen(bool plz) {
  if (!SpeichernFallsGeaendert()) return;
  Tag = plz ? 1 : 2;
  frPrufen->setPLZ(plz);
  fensterZeigen(frPrufen);
  Tag = 0;
  if (frPrufen->Tag == 1) DateiGeschrieben(plz ? db_.plzDatei() : db_.strassenDatei());
}

void TfrPLZ::suchenZeigen() {
  if (!SpeichernFallsGeaendert()) return;
  frSuchen->Tag = 0;
  fensterZeigen(frSuchen);
  if (frSuchen->Tag == 1) DateiGeschrieben(frSuchen->plz() ? db_.plzDatei() : db_.strassenDatei());
  frSuchen->Tag = 0;
}

void TfrPLZ::suchMaskeZeigen() {
  if (!SpeichernFallsGeaendert()) return;
  frSuchMaske->edOrt->setText(TabellenAnsicht ? ui::AusCp1252(daten_.zelle(kSpalteOrt, std::max(1, StringGrid1->aktuelleZeile())))
                                              : edOrt->text());
  frSuchMaske->exec();
}

void TfrPLZ::bearbeitenZeigen() {
  // The editor writes the files directly: edits held here are settled first.
  if (!SpeichernFallsGeaendert()) return;
  frDBBearbeiten->Tag = 0;
  hide();
  // A save closes the editor, which then opens again at the saved page.
  do {
    frDBBearbeiten->vorbereiten(cbOrdner->currentText());
    frDBBearbeiten->exec();
  } while (frDBBearbeiten->Tag != 0);
  show();
  OrdnerListeAufbauen();
}

void TfrPLZ::internetZeigen(int spalte, int zeile) {
  if (zeile < 1 || zeile >= daten_.zeilen()) return;
  // The import that may follow appends to the files shown here.
  if (!SpeichernFallsGeaendert()) return;
  const std::string plz(daten_.zelle(kSpaltePLZ, zeile));
  frInternet->vorbereiten(WebOrtAus(daten_.zelle(kSpalteOrt, zeile)), spalte == 3 ? "0" : plz, plz);
  frImport->Tag = 0;
  fensterZeigen(frInternet);
  if (frInternet->Tag == 1 && frImport->Tag == 1) DateiGeschrieben(frImport->geschriebeneDatei);
  frInternet->Tag = 0;
  frImport->Tag = 0;
}

void TfrPLZ::MaskenTrefferZeigen(std::int32_t k, int strasse, const QString& hausnummer) {
  if (k <= 0) {
    lbStrNr->clear();
    lbStrNr->hide();
    return;
  }
  // The row of record K, wherever sorting put it.
  for (int r = 1; r < daten_.zeilen(); ++r) {
    if (TextZuZahl(daten_.zelle(kSpalteIndex, r)) == k) {
      zeileZeigenUndWaehlen(std::max(1, StringGrid1->aktuelleSpalte()), r);
      break;
    }
  }
  DatensatzZeigen(k);
  if (strasse >= 0 && strasse < cbStrasse->count()) cbStrasse->setCurrentIndex(strasse);
  lbStrNr->setText(hausnummer);
  lbStrNr->setVisible(!hausnummer.isEmpty());
}

void TfrPLZ::wiederherstellenZeigen() {
  if (!SpeichernFallsGeaendert()) return;
  fensterZeigen(frSichCopy);
  if (frSichCopy->Tag != 1) return;
  const std::string datei = frSichCopy->wiederhergestellteDatei;
  DateiGeschrieben(datei);
  const bool plz = DateiNameTeil(datei).rfind("Dat_", 0) == 0;
  const std::int64_t n = RecordAnzahl(datei, plz ? sizeof(TPLZRecord) : sizeof(TStrassenRecord));
  StatusMelden(QString::fromStdString(datei) + QStringLiteral(" wiederhergestellt: ") + QString::number(n) + QStringLiteral(" Datensätze"));
  if (!frSichCopy->zahlenVeraltet) return;
  Wiederherstellung w;
  w.ziel = datei;
  if (!ui::FrageJaNein(QString::fromStdString(ZahlenVeraltetText(w)))) return;
  // The folder and country of the restored file, which need not be the shown ones.
  Datenbestand anderer;
  Datenbestand& ziel = db_.HaeltDatei(datei) ? db_ : anderer;
  if (&ziel == &anderer) {
    std::string ordner = OrdnerTeil(datei);
    anderer.OrdnerPfad = ordner.substr(ProgVerzeichnis.size());
    anderer.Land = LandDerDatenbank(DateiNameTeil(datei));
  }
  ZaehlErgebnis z;
  bool fertig = false;
  {
    ui::Lauf lauf(ProgressBar1, status_.get(), ui::Lauf::Escape::Nachfragen);
    ui::FensterRueckfragen r;
    fertig = lauf.ausfuehren([&] {
      if (&ziel == &anderer) {
        anderer.PLZLaden(r);
        anderer.StrassenLaden(lauf, r, false);
      }
      z = StrassenZaehlen(ziel, lauf, r);
    });
  }
  ProgressBar1->hide();
  if (&ziel == &db_) GeladenesZeigen(std::max(1, StringGrid1->aktuelleZeile()));
  if (!fertig) return;
  StatusMelden(z.abgebrochen ? QStringLiteral("Neu zählen abgebrochen, nichts geschrieben")
                             : QString::number(z.geaendert) + QStringLiteral(" PLZ-Einträge mit neuer Straßenanzahl"));
}

void TfrPLZ::OptimierungStarten(QProgressBar* balken, ui::StatusLeiste* status) {
  if (!SpeichernFallsGeaendert()) return;
  const int zeile = std::max(1, StringGrid1->aktuelleZeile());
  const bool lief = DatenbankOptimieren(*frPZ, db_, balken, status, [this](bool grau) { StringGrid1->setBeschaeftigt(grau); });
  if (lief) GeladenesZeigen(zeile);
}

void TfrPLZ::GeladenesZeigen(int zeile) {
  TabelleFuellen();
  StringGrid1->setAktuelleZelle(std::max(1, StringGrid1->aktuelleSpalte()), std::min(zeile, daten_.zeilen() - 1));
  StrassenAnzeigeSichtbar();
  DatensatzZeigen(TextZuZahl(daten_.zelle(kSpalteIndex, StringGrid1->aktuelleZeile())));
}

void TfrPLZ::DateiGeschrieben(const std::string& datei) {
  if (!db_.HaeltDatei(datei)) return;
  // Writers of the street file store counts in the postal-code file as well; a postal-code
  // file written alone leaves the street table as it is.
  DateienNeuLaden(!db_.strassenDatei().empty() && EchterPfad(datei) == EchterPfad(db_.strassenDatei()));
}

void TfrPLZ::ExportStarten(const QString& vorschlag) {
  frExport_Auswahl->setGezeigte(StringGrid1->gezeigteZeilen(), daten_.zeilen() - 1, sichtVeraendert());
  hide();
  frExport_Auswahl->exec();
  show();
  if (frExport_Auswahl->Tag == 0) return;
  const ExportArt art = frExport_Auswahl->rdPLZ->isChecked()        ? ExportArt::PLZ
                        : frExport_Auswahl->rdStrassen->isChecked() ? ExportArt::Strassen
                                                                    : ExportArt::PLZStrassen;
  const std::string land = landText();
  const bool csv = frExport_Auswahl->cbCSV->isChecked();
  ui::DateiDialog d;
  d.titel = QStringLiteral("Speichern unter");
  d.filter = csv ? QStringLiteral("CSV-Datei (*.csv);;TXT-Datei (*.txt)") : QStringLiteral("TXT-Datei (*.txt);;CSV-Datei (*.csv)");
  d.standardEndung = csv ? QStringLiteral("csv") : QStringLiteral("txt");
  d.ordner = exportOrdner;
  d.dateiName = QString::fromStdString(ExportDateiVorschlag(art, LandBuchstabe(land.empty() ? ' ' : land.front()), csv));
  if (!vorschlag.isEmpty()) {
    d.ordner = QString::fromStdString(OrdnerTeil(vorschlag.toStdString()));
    d.dateiName = vorschlag;
  }
  const QString gewaehlt = ui::dialoge().dateiSpeichern(d);
  if (gewaehlt.isEmpty()) return;
  const std::string datei = gewaehlt.toStdString();
  exportOrdner = QString::fromStdString(OrdnerTeil(datei));
  if (DateiGesperrt(datei)) {
    ui::Meldung(QStringLiteral("Datei ") + gewaehlt + QStringLiteral(" ist schon von anderem Progamm geöffnet"));
    return;
  }
  ExportOptionen optionen;
  optionen.art = art;
  optionen.plzVorsatz = ui::ZuCp1252(frExport_Auswahl->edPLZPlus->text());
  optionen.nrVorsatz = ui::ZuCp1252(frExport_Auswahl->edStrNrPlus->text());
  if (frExport_Auswahl->cbGezeigte->isChecked()) optionen.saetze = gezeigteSaetze();
  ExportErgebnis e;
  bool fertig = false;
  {
    // Nothing else may happen meanwhile: a change of country would mix two countries in the file.
    ui::Lauf lauf(ProgressBar1, status_.get(), ui::Lauf::Escape::Sofort);
    lauf.status(0, QString::fromStdString(ExportStatusText(art, datei, db_.PLZAnzahl, db_.ZeilenGesamt)));
    lauf.status(1, QStringLiteral("Mit ESC-Taste abbrechen"));
    fertig = lauf.ausfuehren([&] { e = Exportieren(db_, datei, optionen, lauf); });
  }
  ProgressBar1->hide();
  if (fertig) zuletztVerwendet(QStringLiteral("Export"), gewaehlt);
  if (fertig) {
    StatusMelden(QString::number(e.zeilen) + QStringLiteral(" Zeilen in ") + gewaehlt +
                 (e.abgebrochen ? QStringLiteral(" gespeichert (abgebrochen)") : QStringLiteral(" gespeichert")));
  }
}

void TfrPLZ::OrdnerListeAufbauen() {
  OrdnerComboFuellen(cbOrdner, db_.OrdnerName());
  // The combo names the folder whose data are shown; when that folder is gone, the first
  // folder of the list is loaded.
  if (cbOrdner->count() > 0 && cbOrdner->currentText() != QString::fromStdString(db_.OrdnerName())) cbOrdnerChange();
}

void TfrPLZ::cbOrdnerChange() {
  const QString gewaehlt = cbOrdner->currentText();
  if (db_.Geaendert) {
    // The edits belong to the folder shown so far: ask before leaving it.
    const QSignalBlocker ruhe(cbOrdner);
    cbOrdner->setCurrentText(QString::fromStdString(db_.OrdnerName()));
    if (!AenderungSpeichern()) return;
    cbOrdner->setCurrentText(gewaehlt);
  }
  if (gewaehlt.isEmpty()) return;
  // The map belongs to the folder left.
  if (KarteSichtbar) frKarte->close();
  db_.OrdnerPfad = gewaehlt.toStdString() + kTrenner;
  TabelleZellenLeeren(daten_);
  daten_.setZeilen(2);
  StringGrid1->aktualisieren();
  cbStrasse->clear();
  ListBox1.clear();
  ausfuehren([this] { StrassenLaden(); });
  ausfuehren([this] { PLZLaden(); });
  TabelleFuellen();
  StringGrid1->setAktuelleZelle(std::max(1, StringGrid1->aktuelleSpalte()), 1);
  StrassenAnzeigeSichtbar();
  DatensatzZeigen(TextZuZahl(daten_.zelle(kSpalteIndex, 1)));
}

}  // namespace orvano
