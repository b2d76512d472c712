#include "ut_Strassen.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

#include "StrassenListe.h"
#include "core/Dateien.h"
#include "core/Datenbestand.h"
#include "core/Pfade.h"
#include "core/Records.h"
#include "core/Texte.h"
#include "maps/Karte.h"
#include "ui/Bildschirm.h"
#include "ui/Dialoge.h"
#include "ui/Knopf.h"
#include "ui/StringGrid.h"
#include "ui/ZellenVerlauf.h"
#include "ui/Text.h"
#include "ui/Warten.h"

namespace orvano {

namespace {

constexpr int kSpalten = 6;
constexpr int kStrasse = 3;

bool Navigation(int taste) {
  switch (taste) {
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_End:
    case Qt::Key_Home:
    case Qt::Key_Left:
    case Qt::Key_Right:
    case Qt::Key_Up:
    case Qt::Key_Down:
      return true;
    default:
      return false;
  }
}

}  // namespace

TfrStrassen::TfrStrassen(Datenbestand& db, QWidget* eltern) : QDialog(eltern), db_(db), tabelle_(kSpalten, 2) {
  setObjectName("frStrassen");
  resize(900, 640);
  auto* v = new QVBoxLayout(this);
  auto* leiste = new QHBoxLayout;
  lbPLZ = new QLabel(this);
  lbPLZ->setMinimumWidth(220);
  edPLZ = new QLineEdit(this);
  edPLZ->setToolTip(QStringLiteral("Andere PLZ oder Ort (nach Enter)"));
  // The boxes keep room for what is typed when the window is narrow.
  edPLZ->setMinimumWidth(edPLZ->fontMetrics().horizontalAdvance(QStringLiteral("Frankfurt")) + 16);
  edPLZ->setMaximumWidth(160);
  sbSort = ui::Knopf(this, QStringLiteral("Sortieren"), QString());
  sbEinfuegen = ui::Knopf(this, QStringLiteral("Einfügen"), QString());
  sbSDB_Optimierung = ui::Knopf(this, QStringLiteral("Optimieren"), QStringLiteral("Strassen-Datenbank Optimierung"));
  sbSpeichern_Dat = ui::Knopf(this, QStringLiteral("Speichern"), QStringLiteral("Zeile wird entfernt falls Strasse = ''"));
  sbExit = ui::Knopf(this, QStringLiteral("Exit"), QStringLiteral("Fenster schließen"));
  sbStreetView = ui::Knopf(this, QStringLiteral("Straßenansicht"), QStringLiteral("Street View Maps"));
  edSuchen = new QLineEdit(this);
  edSuchen->setMinimumWidth(edSuchen->fontMetrics().horizontalAdvance(QStringLiteral("Hauptstrasse")) + 16);
  edSuchen->setMaximumWidth(200);
  for (QWidget* w : std::initializer_list<QWidget*>{lbPLZ, edPLZ, sbSort, sbEinfuegen, sbSDB_Optimierung, sbSpeichern_Dat, sbStreetView, edSuchen, sbExit}) {
    leiste->addWidget(w);
  }
  leiste->addStretch(1);
  v->addLayout(leiste);
  StringGrid1 = new ui::StringGrid(this);
  StringGrid1->setTabelle(&tabelle_);
  StringGrid1->setBearbeitbar(true);
  v->addWidget(StringGrid1, 1);
  ui::Leisten leisten = ui::LeistenAnlegen(this, v, 3);
  ProgressBar1 = leisten.balken;
  StatusBar1 = leisten.leiste;
  status_ = std::move(leisten.status);

  // Columns 0 to 2 are shown, not typed into; the street and the numbers have their limits.
  StringGrid1->tastenDruck = [this](char zeichen, const std::string&) -> char {
    if (zeichen == '\b') return zeichen;
    return StringGrid1->aktuelleSpalte() < kStrasse ? 0 : zeichen;
  };
  StringGrid1->maxLaenge = [](int spalte) { return spalte == 5 ? 45 : spalte >= kStrasse ? 25 : 0; };
  StringGrid1->tasteRunter = [this](int taste, Qt::KeyboardModifiers) { return tasteRunter(taste); };
  connect(StringGrid1, &ui::StringGrid::geklickt, this, [this](int, int, Qt::MouseButton) { suchZeile_ = 1; });
  connect(sbEinfuegen, &QPushButton::clicked, this, &TfrStrassen::sbEinfuegenClick);
  connect(sbSpeichern_Dat, &QPushButton::clicked, this, [this] { sbSpeichern_DatClick(); });
  connect(sbExit, &QPushButton::clicked, this, &QDialog::close);
  connect(sbStreetView, &QPushButton::clicked, this, &TfrStrassen::sbStreetViewClick);
  connect(edSuchen, &QLineEdit::returnPressed, this, &TfrStrassen::suchenWeiter);
  connect(edSuchen, &QLineEdit::textEdited, this, [this] { suchZeile_ = 1; });
  connect(sbSDB_Optimierung, &QPushButton::clicked, this, &TfrStrassen::sbSDB_OptimierungClick);
  // The current row green, the current column light green, the row winning.
  StringGrid1->zellFarbe = [this](int spalte, int zeile) {
    if (zeile == StringGrid1->aktuelleZeile()) return ui::StringGrid::kGruen;
    if (spalte == StringGrid1->aktuelleSpalte()) return ui::StringGrid::kHellgruen;
    return QColor();
  };
  sbEinfuegen->installEventFilter(this);
  edSuchen->installEventFilter(this);
  connect(sbSort, &QPushButton::clicked, this, [this] { sortieren(false); });
  connect(edPLZ, &QLineEdit::returnPressed, this, &TfrStrassen::springen);
  connect(edPLZ, &QLineEdit::textEdited, this, [this](const QString& text) {
    const std::string t = ui::ZuCp1252(text);
    sprungSatz_ = SprungZiel(db_, t, land_);
    if (sprungSatz_ == 0) return;
    const TPLZRecord& r = db_.PLZTabelle[static_cast<std::size_t>(sprungSatz_)];
    std::string ort = r.Ort.text();
    if (buchstaben_) {
      for (char& c : ort) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    }
    lbPLZ->setText(ui::AusCp1252(PLZText(r.PLZ, land_) + " " + ort));
  });
  edPLZ->installEventFilter(this);
  sbSort->installEventFilter(this);
  ui::EscapeSchliesstNicht(this);
  verlauf_ = new ui::ZellenVerlauf(StringGrid1, this);
  verlauf_->nachSchritt = [this](bool sauber) { StrassenGeaendert = !sauber; };
  verlauf_->nachZeilen = [this] {
    for (int r = 1; r < tabelle_.zeilen(); ++r) tabelle_.setZelle(0, r, std::to_string(r));
  };
}

bool TfrStrassen::eventFilter(QObject* ziel, QEvent* e) {
  if (ziel == sbSort) {
    if (e->type() == QEvent::ToolTip) {
      const int spalte = std::max(0, StringGrid1->aktuelleSpalte());
      sbSort->setToolTip(QStringLiteral("Sortieren nach ") + ui::AusCp1252(tabelle_.zelle(spalte, 0)) +
                         QStringLiteral("\nLinke- / Rechtemaus: Absteigend / Aufsteigend"));
    }
    if (e->type() == QEvent::MouseButtonPress && static_cast<QMouseEvent*>(e)->button() == Qt::RightButton) {
      sortieren(true);
      return true;
    }
    return false;
  }
  if (ziel == sbEinfuegen && e->type() == QEvent::ToolTip) {
    sbEinfuegen->setToolTip(QStringLiteral("Einfügen eine Zeile - Position Nr.") + QString::number(StringGrid1->aktuelleZeile()));
  }
  if (ziel == edSuchen && e->type() == QEvent::ToolTip) {
    const int spalte = std::max(0, StringGrid1->aktuelleSpalte());
    edSuchen->setToolTip(QStringLiteral("Suchen in ") + ui::AusCp1252(tabelle_.zelle(spalte, 0)) + QStringLiteral(" (nach Enter)"));
  }
  if (ziel == edPLZ && e->type() == QEvent::KeyPress) {
    auto* k = static_cast<QKeyEvent*>(e);
    lbPLZ->clear();
    const QString t = k->text();
    if (t.isEmpty() || k->key() == Qt::Key_Return || k->key() == Qt::Key_Enter || k->key() == Qt::Key_Backspace) return false;
    const QChar c = t.front();
    const bool buchstabe = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
    // The first character decides between places and postal codes.
    if (edPLZ->text().isEmpty()) buchstaben_ = buchstabe;
    if (c == 'S') return false;
    if (buchstaben_) return !buchstabe;
    return !c.isDigit() || c.unicode() > 127 || edPLZ->text().size() >= 6;
  }
  return QDialog::eventFilter(ziel, e);
}

TfrStrassen::~TfrStrassen() { StringGrid1->setTabelle(nullptr); }

void TfrStrassen::vorbereiten(std::int32_t satz, bool aktualisieren, char land, const QString& ordnerText, int strassenWahl) {
  strassenWahl_ = strassenWahl;
  satz_ = satz;
  aktualisieren_ = aktualisieren;
  land_ = land;
  ordnerText_ = ordnerText;
  geschrieben_ = false;
  StrassenGeaendert = ZeilenEingefuegt = false;
}

void TfrStrassen::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  ui::AufBildschirmHalten(this);
  edPLZ->clear();
  lbPLZ->clear();
  StrassenFensterAktualisieren();
  setWindowTitle(QStringLiteral(" Strassen - Datenbank  ") + ui::AusCp1252(db_.OrdnerName()));
  const std::string datei = ProgVerzeichnis + "Ord_1/Strassen_D.ppp";
  if (db_.OrdnerPfad == "Ord_1/" && land_ == 'D' && !DateiVorhanden(datei)) {
    const QString adresse = QUrl::fromLocalFile(QString::fromStdString(ProgVerzeichnis + "README.md")).toString() +
                            QStringLiteral("#street-data");
    ui::Hinweis(QStringLiteral("Datei Strassen_D.ppp nicht gefunden.\rDownload auf ") + adresse);
  }
  if (aktualisieren_ && !tabelle_.zelle(1, 1).empty()) {
    ui::Hinweis(QStringLiteral("Strassen in ") + ui::AusCp1252(tabelle_.zelle(1, 1)) + QStringLiteral(" sind aktualisiert."));
    QTimer::singleShot(0, this, &QDialog::accept);
  }
}

void TfrStrassen::StrassenFensterAktualisieren() {
  if (satz_ < 1 || satz_ > db_.PLZAnzahl) return;
  StrassenListe liste;
  sbSpeichern_Dat->show();
  {
    ui::Lauf lauf(ProgressBar1, status_.get(), ui::Lauf::Escape::Nachfragen);
    lauf.status(1, QStringLiteral("Strassen-Datenbank Aktualisierung"));
    lauf.status(2, QStringLiteral("Mit ESC-Taste abbrechen"));
    ui::FensterRueckfragen fragen;
    lauf.ausfuehren([&] { liste = StrassenListeFuellen(db_, satz_, aktualisieren_, land_, lauf, fragen); });
  }
  if (liste.zahlenGespeichert) geschrieben_ = true;
  if (liste.abgebrochen) {
    // A partial list must never be saved over the whole one.
    sbSpeichern_Dat->hide();
    aktualisieren_ = false;
  }
  if (liste.zeilen.empty()) {
    const TPLZRecord& r = db_.PLZTabelle[static_cast<std::size_t>(satz_)];
    liste.zeilen.push_back({r.Ort.text(), PLZText(r.PLZ, land_), "", "", ""});
  }
  listeZeigen(liste.zeilen);
  // The street chosen in the main window is the current row here.
  if (strassenWahl_ > 0 && tabelle_.zeilen() > strassenWahl_ + 1) StringGrid1->setAktuelleZelle(kStrasse, strassenWahl_ + 1);
  strassenWahl_ = 0;
  const TPLZRecord& r = db_.PLZTabelle[static_cast<std::size_t>(satz_)];
  lbPLZ->setText(ui::AusCp1252(PLZText(r.PLZ, land_) + " " + r.Ort.text() + " n=" + std::to_string(liste.positionen.size())));
  edPLZ->clear();
  // The bars belong to a run; none is going on now.
  status_->melden(QString());
}

void TfrStrassen::listeZeigen(const std::vector<StrassenZeile>& zeilen) {
  TabelleLeeren(tabelle_);
  static const char* const kTitel[kSpalten] = {" LNr", "Ort", "Postleitzahl", " Strasse", " Ab Nr", " Bis Nr"};
  static const int kBreiten[kSpalten] = {45, 160, 80, 260, 60, 60};
  tabelle_.setFesteZeilen(1);
  tabelle_.setFesteSpalten(1);
  tabelle_.setZeilen(static_cast<int>(zeilen.size()) + 1);
  for (int c = 0; c < kSpalten; ++c) {
    tabelle_.setZelle(c, 0, kTitel[c]);
    tabelle_.setBreite(c, kBreiten[c]);
  }
  for (std::size_t i = 0; i < zeilen.size(); ++i) {
    const StrassenZeile& z = zeilen[i];
    tabelle_.setZeile(static_cast<int>(i) + 1, {std::to_string(i + 1), z.ort, z.plz, z.strasse, z.abNr, z.bisNr});
  }
  StringGrid1->aktualisieren();
  StringGrid1->setAktuelleZelle(kStrasse, 1);
  // A new list (read, sorted or saved) starts without steps.
  verlauf_->leeren();
}

std::vector<StrassenZeile> TfrStrassen::zeilen() const {
  std::vector<StrassenZeile> v;
  for (int r = 1; r < tabelle_.zeilen(); ++r) {
    auto z = [&](int c) { return std::string(tabelle_.zelle(c, r)); };
    v.push_back({z(1), z(2), z(3), z(4), z(5)});
  }
  return v;
}

bool TfrStrassen::tasteRunter(int taste) {
  const int spalte = StringGrid1->aktuelleSpalte(), zeile = StringGrid1->aktuelleZeile();
  if (taste == Qt::Key_Delete && spalte < kStrasse) return true;
  if (taste == Qt::Key_Insert) {
    ZeilenEingefuegt = true;
    const TPLZRecord& r = db_.PLZTabelle[static_cast<std::size_t>(satz_)];
    tabelle_.setZelle(1, zeile, r.Ort.text());
    tabelle_.setZelle(2, zeile, PLZText(r.PLZ, land_));
    StringGrid1->zeilenAktualisieren(zeile, zeile);
    return false;
  }
  if (!Navigation(taste)) StrassenGeaendert = true;
  if (taste == Qt::Key_Return || taste == Qt::Key_Enter) {
    StringGrid1->editorSchliessen();
    enter();
    return true;
  }
  return false;
}

void TfrStrassen::enter() {
  int spalte = std::max(StringGrid1->aktuelleSpalte(), 2), zeile = StringGrid1->aktuelleZeile();
  if (spalte < 5) {
    nummerieren();
    StringGrid1->setAktuelleZelle(spalte + 1, zeile);
  } else {
    const bool strasse = !LeerzeichenEntfernen(tabelle_.zelle(kStrasse, zeile)).empty();
    const bool neu = zeile == tabelle_.zeilen() - 1 && strasse;
    if (neu) tabelle_.setZeilen(tabelle_.zeilen() + 1);
    if (strasse) ++zeile;
    const TPLZRecord& r = db_.PLZTabelle[static_cast<std::size_t>(satz_)];
    tabelle_.setZelle(1, zeile, r.Ort.text());
    tabelle_.setZelle(2, zeile, PLZText(r.PLZ, land_));
    nummerieren();
    StringGrid1->aktualisieren();
    StringGrid1->setAktuelleZelle(kStrasse, zeile);
    if (neu) verlauf_->zeileEingefuegt(zeile);
  }
}

void TfrStrassen::nummerieren() {
  const int letzte = tabelle_.zeilen() - 1;
  tabelle_.setZelle(0, letzte, std::to_string(letzte));
}

void TfrStrassen::sbEinfuegenClick() {
  const int zeile = std::max(1, StringGrid1->aktuelleZeile());
  tabelle_.setZeilen(tabelle_.zeilen() + 1);
  nummerieren();
  for (int r = tabelle_.zeilen() - 1; r > zeile; --r) {
    for (int c = 1; c < kSpalten; ++c) tabelle_.setZelle(c, r, tabelle_.zelle(c, r - 1));
  }
  for (int c = kStrasse; c < kSpalten; ++c) tabelle_.setZelle(c, zeile, "");
  StringGrid1->aktualisieren();
  StringGrid1->setAktuelleZelle(kStrasse, zeile);
  StrassenGeaendert = true;
  verlauf_->zeileEingefuegt(zeile);
}

bool TfrStrassen::sbSpeichern_DatClick() {
  StringGrid1->editorSchliessen();
  ListenSpeicherung e;
  {
    ui::Lauf lauf(ProgressBar1, status_.get(), ui::Lauf::Escape::Nachfragen);
    ui::FensterRueckfragen fragen;
    // The rows are written and loaded again: the grid shows itself busy meanwhile.
    StringGrid1->setBeschaeftigt(true);
    lauf.ausfuehren([&] { e = StrassenListeSpeichern(db_, satz_, zeilen(), ui::ZuCp1252(ordnerText_), lauf, fragen); });
    StringGrid1->setBeschaeftigt(false);
  }
  if (!e.angenommen) return false;
  if (e.gespeichert || e.neuGeladen) geschrieben_ = true;
  if (e.neuGeladen) {
    // The list of the files loaded again replaces the edits.
    StrassenGeaendert = ZeilenEingefuegt = false;
    StrassenFensterAktualisieren();
    return true;
  }
  // A cancelled or failed save keeps the edits: closing asks again.
  if (!e.gespeichert) return true;
  StrassenGeaendert = ZeilenEingefuegt = false;
  StrassenFensterAktualisieren();
  return true;
}

void TfrStrassen::sbStreetViewClick() {
  const int zeile = std::max(1, StringGrid1->aktuelleZeile());
  const std::string land = land_ == 'A' ? "\xD6sterreich" : land_ == 'C' ? "Schweiz" : "Deutschland";
  ui::WebseiteOeffnen(QString::fromStdString(StrassenansichtAdresse(tabelle_.zelle(1, zeile), tabelle_.zelle(kStrasse, zeile), land)));
}

void TfrStrassen::suchenWeiter() {
  const std::string text = ui::ZuCp1252(edSuchen->text());
  const int spalte = StringGrid1->aktuelleSpalte();
  for (int r = std::max(1, suchZeile_); r < tabelle_.zeilen(); ++r) {
    if (std::string_view(tabelle_.zelle(spalte, r)).find(text) == std::string_view::npos) continue;
    StringGrid1->setAktuelleZelle(spalte, r);
    suchZeile_ = r + 1;
    status_->melden(QString());
    return;
  }
  status_->melden(QStringLiteral("Nicht gefunden"));
}

void TfrStrassen::sortieren(bool absteigend) {
  StringGrid1->editorSchliessen();
  const int spalte = StringGrid1->aktuelleSpalte();
  if (spalte < 1) return;
  std::vector<StrassenZeile> z = zeilen();
  ZeilenSortieren(z, spalte, absteigend);
  listeZeigen(z);
  StrassenGeaendert = true;
  StringGrid1->setAktuelleZelle(spalte, 1);
}

void TfrStrassen::springen() {
  if (edPLZ->text().isEmpty() || sprungSatz_ == 0) return;
  if (StrassenGeaendert && sbSpeichern_Dat->isVisible()) sbSpeichern_DatClick();
  StrassenGeaendert = ZeilenEingefuegt = false;
  satz_ = sprungSatz_;
  aktualisieren_ = false;
  StrassenFensterAktualisieren();
}

void TfrStrassen::sbSDB_OptimierungClick() {
  // The optimisation rewrites the street file: what was typed here is offered for saving
  // first; declined, the edits are dropped and the list is read again afterwards.
  if (StrassenGeaendert) sbSpeichern_DatClick();
  StrassenGeaendert = ZeilenEingefuegt = false;
  if (!optimieren) return;
  const bool sortierungAbgebrochen = optimieren(ProgressBar1, status_.get());
  geschrieben_ = true;
  StrassenFensterAktualisieren();
  if (sortierungAbgebrochen) sbSpeichern_Dat->hide();
}

void TfrStrassen::closeEvent(QCloseEvent* e) { QDialog::closeEvent(e); }

void TfrStrassen::reject() {
  // Escape, Exit and the frame all come here: unsaved streets are asked for first.
  if (StrassenGeaendert && sbSpeichern_Dat->isVisible()) sbSpeichern_DatClick();
  QDialog::reject();
}

}  // namespace orvano
