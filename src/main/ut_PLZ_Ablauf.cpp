// TfrPLZ: events, activation, change of country, exit and the menu entries of the window.
#include <QAction>
#include <utility>
#include <QCheckBox>
#include <QApplication>
#include <QComboBox>
#include <QCloseEvent>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QCoreApplication>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolButton>

#include "PLZSpalten.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/Start.h"
#include "core/Texte.h"
#include "Bearbeiten.h"
#include "ui/Dialoge.h"
#include "ui/EinfuegenFilter.h"
#include "ui/Warten.h"
#include "ui/Text.h"
#include "ui/StringGrid.h"
#include "exchange/ut_Import.h"
#include "folders/ut_Ordner.h"
#include "folders/ut_SichCopy.h"
#include "folders/ut_frSichCopy0.h"
#include "maps/utKarte.h"
#include "ut_About.h"
#include "ut_PLZ.h"

namespace orvano {

void TfrPLZ::verbinden() {
  connect(sbExit, &QToolButton::clicked, this, [this] { Beenden(); });
  connect(miExit, &QAction::triggered, this, [this] { Beenden(); });
  connect(sbTabelle, &QToolButton::clicked, this, [this] { tabelleZeigen(); });
  connect(sbMaske, &QToolButton::clicked, this, [this] { maskeZeigen(); });
  connect(tbErste, &QToolButton::clicked, this, [this] { navigieren(1); });
  connect(tbMinus, &QToolButton::clicked, this, [this] { navigieren(aktuellePosition() - 1); });
  connect(tbPlus, &QToolButton::clicked, this, [this] { navigieren(aktuellePosition() + 1); });
  connect(tbLetzte, &QToolButton::clicked, this, [this] { navigieren(StringGrid1->gezeigteZeilen()); });
  connect(cbLand, qOverload<int>(&QComboBox::activated), this, [this](int) { LandGewechselt(); });
  connect(miAbout, &QAction::triggered, this, [this] { ueberWindow(); });
  connect(miVerknuepfung, &QAction::triggered, this, [this] { verknuepfungErstellen(); });
  connect(miExport, &QAction::triggered, this, [this] { ExportStarten(); });
  connect(miOsmImport, &QAction::triggered, this, [this] { OsmImportStarten(); });
  connect(miFilter, &QAction::triggered, this, [this] {
    if (!TabellenAnsicht) ansichtOhneFrage(true);
    edFilter->setFocus();
    edFilter->selectAll();
  });
  connect(miWeiter, &QAction::triggered, this, [this] { Schnellsuche(false); });
  connect(miZurueck, &QAction::triggered, this, [this] { Schnellsuche(true); });
  connect(miUmkreis, &QAction::triggered, this, [this] { UmkreisZeigen(); });
  connect(miAdressen, &QAction::triggered, this, [this] { AdresslistePruefen(); });
  connect(miImport, &QAction::triggered, this, [this] { importZeigen(); });
  connect(miPruefenPLZ, &QAction::triggered, this, [this] { pruefenZeigen(true); });
  connect(miPruefenStrassen, &QAction::triggered, this, [this] { pruefenZeigen(false); });
  connect(sbKarte, &QToolButton::clicked, this, [this] { KarteUmschalten(); });
  connect(sbGoogle, &QToolButton::clicked, this, [this] { OrtAufKarteZeigen(); });
  connect(miSuchen, &QAction::triggered, this, [this] { suchenZeigen(); });
  connect(miBearbeiten, &QAction::triggered, this, [this] { bearbeitenZeigen(); });
  connect(sbPLZSuchen, &QToolButton::clicked, this, [this] { suchMaskeZeigen(); });
  connect(miOptimieren, &QAction::triggered, this, [this] { OptimierungStarten(ProgressBar1, status_.get()); });
  connect(miNeueOrdner, &QAction::triggered, this, [this] { fensterZeigen(frOrdner); });
  connect(miSichern, &QAction::triggered, this, [this] { fensterZeigen(frSichCopy0); });
  connect(miWiederherstellen, &QAction::triggered, this, [this] { wiederherstellenZeigen(); });
  connect(cbOrdner, qOverload<int>(&QComboBox::activated), this, [this](int) { cbOrdnerChange(); });
  connect(sbSort, &QToolButton::clicked, this, [this] { TabelleSortieren(true); });
  connect(sbStrasse, &QToolButton::clicked, this, [this] { strassenZeigen(Qt::LeftButton); });
  connect(sbSpeichern_Dat, &QToolButton::clicked, this, [this] { sbSpeichernKlick(Qt::LeftButton); });
  connect(cbGenau, &QCheckBox::clicked, this, [this] {
    SuchStart = 1;
    edSuchen->setFocus();
  });
  connect(cbStrasse, qOverload<int>(&QComboBox::currentIndexChanged), this, [this](int i) { strasseGewaehlt(i); });
  connect(StringGrid1, &ui::StringGrid::geklickt, this, [this](int, int, Qt::MouseButton) {
    SuchStart = 1;
    if (KarteSichtbar) KarteMarkieren();
  });
  connect(StringGrid1, &ui::StringGrid::doppelKlick, this, [this](int spalte, int zeile) {
    SuchStart = zeile;
    if (spalte == kSpalteOrt || spalte == 3 || spalte == kSpaltePLZ) internetZeigen(spalte, zeile);
  });
  for (QObject* o : std::initializer_list<QObject*>{edSuchen, sbSort, sbSpeichern_Dat, sbStrasse, cbStrasse, lbStrasseZahl, lbPLZZahl, cbLand}) {
    o->installEventFilter(this);
  }
  const auto liste = felder();
  for (int i = 0; i < liste.size(); ++i) {
    liste[i]->installEventFilter(this);
    ui::EinfuegenFiltern(liste[i], [i](const std::string& text, char c) { return MaskenTaste(i, text, c); });
    // Pasting and cutting through the context menu are edits too.
    connect(liste[i], &QLineEdit::textEdited, this, [this] { db_.Geaendert = true; });
  }
}

void TfrPLZ::ausfuehren(const std::function<void()>& aktion) {
  try {
    aktion();
  } catch (const std::bad_alloc&) {
    ui::Meldung(QStringLiteral("Nicht genug Arbeitsspeicher"));
  } catch (const std::exception& e) {
    ui::Meldung(QString::fromStdString(e.what()));
  }
}

bool TfrPLZ::FremdeAenderungPruefen() {
  if (fremdGefragt_ || !(db_.PLZDateiVeraendert() || db_.StrassenDateiVeraendert())) return false;
  // Another program (orvano-cli, say) wrote our files: shown anew, edits not dropped unasked.
  if (db_.Geaendert) {
    fremdGefragt_ = true;
    FremdeAenderungNeuLaden();
  } else {
    DateienNeuLaden(db_.StrassenDateiVeraendert());
    StatusMelden(QStringLiteral("Von einem anderen Programm geändert, neu geladen: ") +
                 QString::fromStdString(DateiNameTeil(db_.plzDatei())));
  }
  return true;
}

void TfrPLZ::StatusMelden(const QString& text) { status_->melden(text); }

QString TfrPLZ::StatusText() const { return !StatusBar1->isHidden() ? status_->text(0) : QString(); }

bool TfrPLZ::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) Aktivieren();
  return QMainWindow::event(e);
}

void TfrPLZ::Aktivieren() {
  // A route loaded from a file chose its service silently: its logo and hint come now.
  RoutenLogoZeigen();
  OrdnerListeAufbauen();
  if (!ErsteAktivierungErledigt) {
    ErsteAktivierungErledigt = true;
    plZ1->hide();
    plMenu->hide();
    ausfuehren([this] { StrassenLaden(); });
    plZ1->show();
    plMenu->show();
    cbOrdner->setCurrentText(QString::fromStdString(db_.OrdnerName()));
  }
  // Our own windows' writes are reloaded by their callers; what another program wrote is not.
  if (!nachEigenemFenster_ && FremdeAenderungPruefen()) return;
  StrassenAnzeigeSichtbar();
  const int k = TextZuZahl(daten_.zelle(kSpalteIndex, StringGrid1->aktuelleZeile()));
  if (k > 0) StrassenZeigen(k);
}

void TfrPLZ::LandGewechselt() {
  if (db_.Geaendert && !AenderungSpeichern()) {
    // The edits stay with the country they belong to.
    const QSignalBlocker ruhe(cbLand);
    cbLand->setCurrentText(ui::AusCp1252(db_.Land));
    return;
  }
  // All cells but the running numbers go, and the grid keeps two rows.
  for (int r = 1; r < daten_.zeilen(); ++r) {
    const std::string lnr(daten_.zelle(0, r));
    daten_.zeileLeeren(r);
    daten_.setZelle(0, r, lnr);
  }
  daten_.setZeilen(2);
  StringGrid1->aktualisieren();
  SpaltenEinstellen();
  ausfuehren([this] { PLZLaden(); });
  TabelleFuellen();
  StringGrid1->setAktuelleZelle(StringGrid1->aktuelleSpalte(), 1);
  if (!TabellenAnsicht) navigieren(0);
  ausfuehren([this] { StrassenLaden(); });
  StrassenAnzeigeSichtbar();
  StrassenZeigen(TextZuZahl(daten_.zelle(kSpalteIndex, 1)));
  if (KarteSichtbar) {
    frKarte->KarteZeichnen(true);
    KarteMarkieren();
  }
}

bool TfrPLZ::Beenden() {
  if (!SpeichernFallsGeaendert()) return false;
  if (!ui::HinweisJaNein(QStringLiteral("Programm beenden?"))) return false;
  EinstellungenSchreiben();
  layoutSpeichern();
  beendenBestaetigt_ = true;
  close();
  return true;
}

void TfrPLZ::closeEvent(QCloseEvent* e) {
  // The frame's close button writes no settings, but typed data are not dropped unasked.
  if (!beendenBestaetigt_ && !SpeichernFallsGeaendert()) {
    e->ignore();
    return;
  }
  e->accept();
  if (!beendenBestaetigt_) layoutSpeichern();
  emit beendet();
}

void TfrPLZ::EinstellungenSchreiben() {
  einst_.land = cbLand->currentIndex();
  einst_.tabellenAnsicht = TabellenAnsicht;
  einst_.letzterOrdner = db_.OrdnerName();
  einst_.kartenMassstab = frKarte->massstab();
  const Route r = routeAusFeldern();
  einst_.routenFelder = {r.ausgangsort, r.ausgangsPLZ, r.ausgangsStrasse, r.zielort, r.zielPLZ, r.zielStrasse};
  einst_.routenplaner = std::max(0, cbRoutenplaner->currentIndex());
  if (frImport->cbFormat->currentIndex() >= 0) einst_.importFormat = frImport->cbFormat->currentIndex();
  EinstellungenSpeichern(ProgVerzeichnis + kEinstellungsDatei, einst_);
}

void TfrPLZ::ueberWindow() {
  TfrAbout about(this);
  about.exec();
}

void TfrPLZ::verknuepfungErstellen() {
  if (!ui::HinweisJaNein(QStringLiteral("Verknüpfung mit dem Programm Orvano auf dem Desktop erstellen?"))) return;
  const QString desktop = QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
  // The shortcut starts this very program, wherever it is installed.
  if (!DesktopEintragSchreiben(desktop.toStdString(), ProgVerzeichnis, QCoreApplication::applicationFilePath().toStdString())) {
    ui::Meldung(QStringLiteral("Die Verknüpfung wurde nicht erstellt: ") + desktop + QStringLiteral(" ist nicht beschreibbar"));
  }
}

}  // namespace orvano
