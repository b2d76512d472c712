// TfrPLZ: creation, controls and menu.
#include "ut_PLZ.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QStyle>
#include <QToolButton>
#include <QUndoStack>
#include <QVBoxLayout>

#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/Start.h"
#include "Bearbeiten.h"
#include "PLZSpalten.h"
#include "exchange/ut_Export_Auswahl.h"
#include "exchange/ut_Import.h"
#include "search/ut_Prufen.h"
#include "search/ut_SuchMaske.h"
#include "editor/ut_DBBearbeiten.h"
#include "search/ut_Suchen.h"
#include "streets/ut_Internet.h"
#include "streets/ut_PZ.h"
#include "streets/ut_Strassen.h"
#include "exchange/ut_ImportFormat.h"
#include "folders/ut_Ordner.h"
#include "folders/ut_SichCopy.h"
#include "folders/ut_frSichCopy0.h"
#include "ui/Layout.h"
#include "ui/StringGrid.h"
#include "ui/Warten.h"

namespace orvano {

namespace {

QToolButton* Knopf(QWidget* eltern, const char* name, const QString& text, const QString& hinweis,
                   QStyle::StandardPixmap bild = QStyle::SP_CustomBase) {
  auto* b = new QToolButton(eltern);
  b->setObjectName(QString::fromLatin1(name));
  b->setAutoRaise(true);
  b->setToolTip(hinweis);
  if (bild != QStyle::SP_CustomBase) b->setIcon(eltern->style()->standardIcon(bild));
  if (!text.isEmpty()) {
    b->setText(text);
    b->setToolButtonStyle(bild != QStyle::SP_CustomBase ? Qt::ToolButtonTextBesideIcon : Qt::ToolButtonTextOnly);
  }
  b->setMinimumHeight(28);
  return b;
}

QLineEdit* Feld(QWidget* eltern, const char* name) {
  auto* e = new QLineEdit(eltern);
  e->setObjectName(QString::fromLatin1(name));
  return e;
}

}  // namespace

TfrPLZ::TfrPLZ(QWidget* eltern) : QMainWindow(eltern), daten_(kPLZSpalten, 2) {
  setObjectName("frPLZ");
  aufbauen();
  verlaufAufbauen();
  menueAufbauen();
  frExport_Auswahl = new TfrExport_Auswahl([this] { return landText(); }, this);
  frOrdner = new TfrOrdner(this);
  frSichCopy0 = new TfrSichCopy0(db_, this);
  frSichCopy = new TfrSichCopy(db_, this);
  frImportFormat = new TfrImportFormat([this] { return landText(); }, this);
  frImport = new TfrImport(frImportFormat, db_, this);
  frImport->einstellungenSpeichern = [this] { EinstellungenSchreiben(); };
  frPZ = new TfrPZ(this);
  frPrufen = new TfrPrufen(db_, this);
  frSuchen = new TfrSuchen(db_, this);
  frDBBearbeiten = new TfrDBBearbeiten(db_, this);
  frInternet = new TfrInternet(this);
  frInternet->importieren = [this](const std::string& datei) {
    frImport->webDatei = QString::fromStdString(datei);
    frImport->exec();
    return frImport->Tag == 1;
  };
  // The replace works on the tables held here: they are read again before the next run.
  frDBBearbeiten->dateiGeschrieben = [this](const std::string& datei) { DateiGeschrieben(datei); };
  frStrassen = new TfrStrassen(db_, this);
  frSuchMaske = new TfrSuchMaske(db_, this);
  frSuchMaske->tabellenAnsicht = [this] { return TabellenAnsicht; };
  frSuchMaske->zeigen = [this](std::int32_t k, int strasse, const QString& hausnummer) { MaskenTrefferZeigen(k, strasse, hausnummer); };
  frPrufen->optimieren = [this](QProgressBar* balken, ui::StatusLeiste* status) { OptimierungStarten(balken, status); };
  frImport->optimieren = [this](QProgressBar* balken, ui::StatusLeiste* status) { OptimierungStarten(balken, status); };
  frStrassen->optimieren = [this](QProgressBar* balken, ui::StatusLeiste* status) {
    OptimierungStarten(balken, status);
    return frPZ->SortierungAbgebrochen;
  };
  verbinden();
  tabReihenfolge();

  // Creation steps of the start, in their order.
  AnzeigeLeeren();
  edOrt->clear();
  einst_ = EinstellungenLaden(ProgVerzeichnis + kEinstellungsDatei);
  cbLand->setCurrentIndex(einst_.land);
  TabellenAnsicht = einst_.tabellenAnsicht;
  // The window of the last run, also when it ended through the frame.
  layoutLaden();
  // The route of the last run; later activations leave what the user typed alone.
  routeInFelder(einst_.routenFelder);
  cbRoutenplaner->setCurrentIndex(std::clamp(einst_.routenplaner, 0, cbRoutenplaner->count() - 1));
  db_.OrdnerPfad = StartOrdner(einst_);
  cbOrdner->clear();
  cbOrdner->addItem(QString::fromStdString(db_.OrdnerName()));
  TabelleKopf();
  ausfuehren([this] { PLZLaden(); });
  TabelleFuellen();
  karteAnlegen();
  const QPoint gemerkt = fensterPosition_;
  if (!layout_->fensterHerstellen(this)) {
    resize(kMaskenGroesse);
    if (const QScreen* s = QApplication::primaryScreen()) {
      const QRect r = s->availableGeometry();
      move(r.center() - rect().center());
    }
  }
  fensterPosition_ = gemerkt.isNull() ? pos() : gemerkt;
  AnsichtUmschalten(false);
  // The record shown last in this country.
  if (const std::int32_t k = layout_->wert(QStringLiteral("Satz/") + QChar(spaltenLand_)).toInt(); k > 0) SatzAuswaehlen(k);
  exportOrdner = QString::fromStdString(ProgVerzeichnis);
  RouteOrdnerAnlegen();
}

TfrPLZ::~TfrPLZ() {
  // The grid outlives the members (children go with the base class): let go of its data first.
  StringGrid1->setTabelle(nullptr);
  // Fields that lose the focus while the window goes must not reach it any more.
  StringGrid1->modell()->vorBearbeitung = nullptr;
  for (QLineEdit* f : felder()) f->disconnect(this);
  verlauf_->disconnect(this);
  if (waechter_) qApp->removeEventFilter(waechter_);
}

void TfrPLZ::aufbauen() {
  auto* mitte = new QWidget(this);
  auto* spalte = new QVBoxLayout(mitte);
  spalte->setContentsMargins(4, 2, 4, 2);
  spalte->setSpacing(2);
  spalte->addWidget(werkzeugleisteAufbauen());

  plTabelle = new QWidget(mitte);
  plTabelle->setObjectName("plTabelle");
  auto* tl = new QVBoxLayout(plTabelle);
  tl->setContentsMargins(0, 0, 0, 0);
  StringGrid1 = new ui::StringGrid(plTabelle);
  StringGrid1->setObjectName("StringGrid1");
  StringGrid1->setTabelle(&daten_);
  StringGrid1->zellFarbe = [this](int spalte, int zeile) {
    if (sortiertGerade_) return QColor(0x80, 0x80, 0x80);
    if (StringGrid1->beschaeftigt()) return ui::StringGrid::kBeschaeftigt;
    if (zeile == StringGrid1->aktuelleZeile()) return ui::StringGrid::kGruen;
    if (spalte == StringGrid1->aktuelleSpalte()) return ui::StringGrid::kHellgruen;
    return QColor(Qt::white);
  };
  StringGrid1->setBearbeitbar(true);
  StringGrid1->tastenDruck = [this](char c, const std::string& text) {
    return GridTaste(StringGrid1->aktuelleSpalte(), text, c);
  };
  StringGrid1->tasteRunter = [this](int taste, Qt::KeyboardModifiers mod) { return gridTasteRunter(taste, mod); };
  StringGrid1->sortArt = PLZSortArt;
  StringGrid1->setSpaltenMenue(true);
  connect(StringGrid1, &ui::StringGrid::sichtGeaendert, this, [this] { sichtGeaendert(); });
  tl->addWidget(filterAufbauen(plTabelle));
  tl->addWidget(StringGrid1);
  spalte->addWidget(plTabelle, 1);

  plMaske = maskeAufbauen();
  spalte->addWidget(plMaske, 1);

  ProgressBar1 = new QProgressBar(mitte);
  ProgressBar1->setObjectName("ProgressBar1");
  ProgressBar1->setTextVisible(false);
  ProgressBar1->setMaximumHeight(14);
  ProgressBar1->hide();
  spalte->addWidget(routeAufbauen());
  spalte->addWidget(ProgressBar1);
  StatusBar1 = new QStatusBar(mitte);
  StatusBar1->setObjectName("StatusBar1");
  StatusBar1->setSizeGripEnabled(false);
  StatusBar1->hide();
  status_ = std::make_unique<ui::StatusLeiste>(StatusBar1, 2);
  spalte->addWidget(StatusBar1);
  setCentralWidget(mitte);
}

QWidget* TfrPLZ::werkzeugleisteAufbauen() {
  plMenu = new QWidget(this);
  plMenu->setObjectName("plMenu");
  auto* z = new QHBoxLayout(plMenu);
  z->setContentsMargins(0, 0, 0, 0);
  z->setSpacing(2);
  sbSort = Knopf(plMenu, "sbSort", {}, "Sortieren", QStyle::SP_TitleBarShadeButton);
  sbExit = Knopf(plMenu, "sbExit", "E&xit", "Einstellung speichern und Programm beenden", QStyle::SP_DialogCloseButton);
  sbKarte = Knopf(plMenu, "sbKarte", {}, "Karte", QStyle::SP_DirHomeIcon);
  sbSpeichern_Dat = Knopf(plMenu, "sbSpeichern_Dat", "&Speichern", {}, QStyle::SP_DialogSaveButton);
  sbTabelle = Knopf(plMenu, "sbTabelle", "&Tabelle", {}, QStyle::SP_FileDialogDetailedView);
  sbMaske = Knopf(plMenu, "sbMaske", "&Maske", {}, QStyle::SP_FileDialogInfoView);
  sbStrasse = Knopf(plMenu, "sbStrasse", {}, "Strassen Datenbank bearbeiten", QStyle::SP_FileDialogListView);
  sbPLZSuchen = Knopf(plMenu, "sbPLZSuchen", {}, "PLZ Suchen", QStyle::SP_FileDialogContentsView);
  sbGoogle = Knopf(plMenu, "sbGoogle", {}, "Google Maps", QStyle::SP_DriveNetIcon);
  for (auto* b : {sbSort, sbExit, sbKarte, sbSpeichern_Dat, sbTabelle, sbMaske, sbStrasse, sbPLZSuchen, sbGoogle}) {
    z->addWidget(b);
  }
  cbLand = new QComboBox(plMenu);
  cbLand->setObjectName("cbLand");
  cbLand->addItems({QStringLiteral("Deutschland"), QStringLiteral("Österreich"), QStringLiteral("Schweiz")});
  cbLand->setEditable(false);  // only choosing from the list: no typing, no Delete
  cbLand->setMinimumWidth(110);
  z->addSpacing(6);
  z->addWidget(cbLand);

  plNavig = new QWidget(plMenu);
  plNavig->setObjectName("plNavig");
  auto* n = new QHBoxLayout(plNavig);
  n->setContentsMargins(0, 0, 0, 0);
  n->setSpacing(0);
  tbErste = Knopf(plNavig, "tbErste", {}, "Erste Datensatz", QStyle::SP_MediaSkipBackward);
  tbMinus = Knopf(plNavig, "tbMinus", {}, "Vorherige Datensatz", QStyle::SP_MediaSeekBackward);
  tbPlus = Knopf(plNavig, "tbPlus", {}, "Nächste Datensatz", QStyle::SP_MediaSeekForward);
  tbLetzte = Knopf(plNavig, "tbLetzte", {}, "Letzte Datensatz", QStyle::SP_MediaSkipForward);
  for (auto* b : {tbErste, tbMinus, tbPlus, tbLetzte}) n->addWidget(b);
  z->addSpacing(6);
  z->addWidget(plNavig);

  edSuchen = new QLineEdit(plMenu);
  edSuchen->setObjectName("edSuchen");
  edSuchen->setMinimumWidth(130);
  cbGenau = new QCheckBox(QStringLiteral("G&enau"), plMenu);
  cbGenau->setObjectName("cbGenau");
  z->addSpacing(6);
  z->addWidget(edSuchen);
  z->addWidget(cbGenau);

  cbOrdner = new QComboBox(plMenu);
  cbOrdner->setObjectName("cbOrdner");
  cbOrdner->setToolTip(QStringLiteral("Ordner mit Namen  \"Ord_*\" werden gelesen"));
  cbOrdner->setMinimumWidth(90);
  cbOrdner->setMaxVisibleItems(35);
  z->addSpacing(6);
  z->addWidget(cbOrdner);
  z->addStretch(1);

  edSuchen->setToolTip(QStringLiteral("Suchen in Beschreibung (nach Enter)"));
  // Buttons with a picture only: a key of their own, named in the hint's last line.
  const std::initializer_list<std::pair<QToolButton*, QKeySequence>> tasten = {
      {sbSort, QKeySequence(Qt::ALT | Qt::Key_O)},       {sbKarte, QKeySequence(Qt::ALT | Qt::Key_K)},
      {sbStrasse, QKeySequence(Qt::ALT | Qt::Key_R)},    {sbPLZSuchen, QKeySequence(Qt::ALT | Qt::Key_P)},
      {sbGoogle, QKeySequence(Qt::ALT | Qt::Key_G)},     {tbErste, QKeySequence(Qt::ALT | Qt::Key_Home)},
      {tbMinus, QKeySequence(Qt::ALT | Qt::Key_Left)},   {tbPlus, QKeySequence(Qt::ALT | Qt::Key_Right)},
      {tbLetzte, QKeySequence(Qt::ALT | Qt::Key_End)}};
  for (const auto& [knopf, taste] : tasten) knopf->setShortcut(taste);
  cbGenau->setToolTip(QStringLiteral("Name genau"));
  sbSpeichern_Dat->setToolTip(
      QStringLiteral("Linkemaus: Speichern Datenbak\nRechtemaus:  Datensätze in CSV/TXT-Datei speichern"));
  sbStrasse->setToolTip(QStringLiteral("Strassen Datenbank bearbeiten\nRechtemaus: Strassen-Anzahl neu berechnen"));
  return plMenu;
}

QWidget* TfrPLZ::maskeAufbauen() {
  auto* aussen = new QWidget(this);
  aussen->setObjectName("plMaskeRahmen");
  auto* v = new QVBoxLayout(aussen);
  v->setContentsMargins(0, 12, 0, 0);
  auto* h = new QHBoxLayout;
  auto* block = new QVBoxLayout;
  lbPLZDatenbank = new QLabel(QStringLiteral("PLZ-Datenbank:"), aussen);
  lbPLZDatenbank->setObjectName("lbPLZDatenbank");
  QFont fett = lbPLZDatenbank->font();
  fett.setBold(true);
  lbPLZDatenbank->setFont(fett);
  block->addWidget(lbPLZDatenbank);

  auto* rahmen = new QFrame(aussen);
  rahmen->setFrameShape(QFrame::StyledPanel);
  rahmen->setObjectName("plZ1");
  plZ1 = rahmen;
  plZ1->setFixedWidth(560);
  auto* g = new QGridLayout(plZ1);
  g->setContentsMargins(12, 10, 12, 10);
  g->setHorizontalSpacing(10);
  g->setVerticalSpacing(4);
  edOrt = Feld(plZ1, "edOrt");
  edPLZ = Feld(plZ1, "edPLZ");
  edAutokennzeichen = Feld(plZ1, "edAutokennzeichen");
  edBundesland = Feld(plZ1, "edBundesland");
  edRegierungsbezirk = Feld(plZ1, "edRegierungsbezirk");
  edOrtsteil = Feld(plZ1, "edOrtsteil");
  edGemeindeteil = Feld(plZ1, "edGemeindeteil");
  edLandkreis = Feld(plZ1, "edLandkreis");
  edVerwaltungszusammenschluss = Feld(plZ1, "edVerwaltungszusammenschluss");
  edBreitengrad = Feld(plZ1, "edBreitengrad");
  edLaengengrad = Feld(plZ1, "edLaengengrad");
  edVorwahl = Feld(plZ1, "edVorwahl");
  const QStringList titel = {"Ort:", "PLZ:", "Autokennzeichen:", "Bundesland:", "Regierungsbezirk:", "Ortsteil:",
                             "Gemeindeteil:", "Landkreis:", "Verwaltungszusammenschluss:", "Breitengrad:",
                             "Längengrad:", "Vorwahl:"};
  const auto liste = felder();
  for (int i = 0; i < liste.size(); ++i) {
    auto* l = new QLabel(titel[i], plZ1);
    l->setBuddy(liste[i]);
    if (i == 4) lbRegierungsbezirk = l;
    if (i == 7) lbLandkreis = l;
    g->addWidget(l, i, 0, Qt::AlignRight);
    g->addWidget(liste[i], i, 1, 1, 3);
  }
  lbStrasse = new QLabel(QStringLiteral("Strasse:"), plZ1);
  lbStrasse->setObjectName("lbStrasse");
  cbStrasse = new QComboBox(plZ1);
  cbStrasse->setObjectName("cbStrasse");
  lbStrNr = new QLabel(plZ1);
  lbStrNr->setObjectName("lbStrNr");
  g->addWidget(lbStrasse, 12, 0, Qt::AlignRight);
  g->addWidget(cbStrasse, 12, 1, 1, 2);
  g->addWidget(lbStrNr, 12, 3);
  lbStrasseZahl = new QLabel(plZ1);
  lbStrasseZahl->setObjectName("lbStrasseZahl");
  lbPLZZahl = new QLabel(plZ1);
  lbPLZZahl->setObjectName("lbPLZZahl");
  lbStrasseZahl->setToolTip(QStringLiteral("Straßen dieser PLZ\nLinkemaus: nächste, Rechtemaus: vorherige Straße"));
  lbPLZZahl->setToolTip(QStringLiteral("PLZ-Einträge dieses Ortes\nLinkemaus: nächste, Rechtemaus: vorherige PLZ"));
  lbNr = new QLabel(plZ1);
  lbNr->setObjectName("lbNr");
  g->addWidget(lbNr, 13, 1);
  g->addWidget(lbStrasseZahl, 13, 2);
  g->addWidget(lbPLZZahl, 13, 3);
  g->setColumnStretch(1, 2);
  g->setColumnStretch(2, 1);
  g->setColumnStretch(3, 1);
  block->addWidget(plZ1);

  h->addStretch(1);
  h->addLayout(block);
  h->addStretch(1);
  v->addLayout(h);
  v->addStretch(1);
  return aussen;
}

void TfrPLZ::menueAufbauen() {
  QMenu* db = menuBar()->addMenu(QStringLiteral("&Datenbank"));
  miExport = db->addAction(QStringLiteral("&Export"));
  db->addSeparator();
  miImport = db->addAction(QStringLiteral("&Import"));
  miOsmImport = db->addAction(QStringLiteral("&OpenStreetMap-Import…"));
  miAdressen = db->addAction(QStringLiteral("&Adressliste prüfen…"));
  mnZuletzt = db->addMenu(QStringLiteral("&Zuletzt verwendet"));
  db->addSeparator();
  miNeueOrdner = db->addAction(QStringLiteral("&Neue Ordner zufügen"));
  db->addSeparator();
  miPruefenPLZ = db->addAction(QStringLiteral("&Prüfen PLZ-DB"));
  miPruefenStrassen = db->addAction(QStringLiteral("Prüfen &Strassen-DB"));
  db->addSeparator();
  miOptimieren = db->addAction(QStringLiteral("Datenbank &optimieren"));
  db->addSeparator();
  miSuchen = db->addAction(QStringLiteral("Su&chen in DB"));
  miBearbeiten = db->addAction(QStringLiteral("DB &Bearbeiten"));
  db->addSeparator();
  miSichern = db->addAction(QStringLiteral("Sicherheits-&Kopie erstellen"));
  miWiederherstellen = db->addAction(QStringLiteral("Von Sicherheits-Kopie &wiederherstellen"));
  db->addSeparator();
  miExit = db->addAction(QStringLiteral("E&xit"));
  bearbeitenMenueAufbauen(menuBar()->addMenu(QStringLiteral("&Bearbeiten")));
  QMenu* suchen = menuBar()->addMenu(QStringLiteral("S&uchen"));
  miUmkreis = suchen->addAction(QStringLiteral("&Umkreissuche…"));
  suchen->addSeparator();
  miFilter = suchen->addAction(QStringLiteral("&Filtern"));
  miFilter->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_F));
  miWeiter = suchen->addAction(QStringLiteral("&Weitersuchen"));
  miWeiter->setShortcut(QKeySequence(Qt::Key_F3));
  miZurueck = suchen->addAction(QStringLiteral("&Rückwärts suchen"));
  miZurueck->setShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F3));
  QMenu* info = menuBar()->addMenu(QStringLiteral("I&nfo"));
  miAbout = info->addAction(QStringLiteral("&About"));
  miAbout->setShortcut(QKeySequence(Qt::Key_F1));
  info->addSeparator();
  miVerknuepfung = info->addAction(QStringLiteral("&Verknüpfung auf dem Desktop erstellen"));
}

void TfrPLZ::tabReihenfolge() {
  // Tab goes as the window reads: the tool bar, the filter, the table or the record's fields,
  // the street list, the route planner.
  QList<QWidget*> reihe = {cbLand, edSuchen, cbGenau, cbOrdner, edFilter, cbFilterSpalte, StringGrid1};
  for (QLineEdit* f : felder()) reihe.append(f);
  reihe.append(cbStrasse);
  for (QWidget* w : std::initializer_list<QWidget*>{edAusgangsort, edAusgangsortPLZ, edAusgangsortStrasse, edZielort, edZielortPLZ,
                                                    edZielortStrasse, cbRoutenplaner, sbRoute, sbRouteSpeichern, sbRouteLaden}) {
    reihe.append(w);
  }
  for (qsizetype i = 0; i + 1 < reihe.size(); ++i) QWidget::setTabOrder(reihe[i], reihe[i + 1]);
}

QList<QLineEdit*> TfrPLZ::felder() const {
  return {edOrt,      edPLZ,       edAutokennzeichen, edBundesland,  edRegierungsbezirk, edOrtsteil,
          edGemeindeteil, edLandkreis, edVerwaltungszusammenschluss, edBreitengrad, edLaengengrad, edVorwahl};
}

}  // namespace orvano
