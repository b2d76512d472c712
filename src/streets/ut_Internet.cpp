#include "ut_Internet.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <atomic>
#include <exception>
#include <thread>

#include "WebAbruf.h"
#include "WebStrassen.h"
#include "core/Dateien.h"
#include "ui/Dialoge.h"
#include "ui/Knopf.h"
#include "ui/Text.h"
#include "ui/Warten.h"

namespace orvano {

struct TfrInternet::Abruf {
  std::atomic<bool> halt{false};
  std::atomic<bool> fertig{false};
  WebAntwort antwort;
  std::thread faden;
};

TfrInternet::TfrInternet(QWidget* eltern) : QDialog(eltern) {
  setObjectName("frInternet");
  setWindowTitle(QStringLiteral(" Internet"));
  auto* v = new QVBoxLayout(this);
  WebBrowser1 = new QTextBrowser(this);
  WebBrowser1->setOpenLinks(false);
  v->addWidget(WebBrowser1, 1);
  auto* leiste = new QHBoxLayout;
  lbZahl = new QLabel(this);
  sbSpeichern = ui::Knopf(this, QStringLiteral("Speichern"), QStringLiteral("Speichern HTML"));
  sbExit = ui::Knopf(this, QStringLiteral("Exit"), QStringLiteral("Abbrechen"));
  leiste->addWidget(lbZahl);
  leiste->addStretch(1);
  leiste->addWidget(sbSpeichern);
  leiste->addWidget(sbExit);
  leiste->addStretch(1);
  v->addLayout(leiste);
  uhr_ = new QTimer(this);
  uhr_->setInterval(25);
  connect(uhr_, &QTimer::timeout, this, &TfrInternet::nachsehen);
  connect(sbSpeichern, &QPushButton::clicked, this, &TfrInternet::sbSpeichernClick);
  connect(sbExit, &QPushButton::clicked, this, &TfrInternet::sbExitClick);
  ui::EscapeSchliesstNicht(this);
  // Installed after the Escape filter, so it sees the key first: Escape stops a request.
  installEventFilter(this);
  resize(900, 650);
}

TfrInternet::~TfrInternet() {
  if (abruf_) gestoppt_.push_back(abruf_);
  for (const auto& a : gestoppt_) {
    a->halt = true;
    if (a->faden.joinable()) a->faden.join();
  }
}

void TfrInternet::vorbereiten(const std::string& webOrt, const std::string& webPLZ, const std::string& tabellenPLZ) {
  webOrt_ = webOrt;
  webPLZ_ = webPLZ;
  tabellenPLZ_ = tabellenPLZ;
}

bool TfrInternet::laeuft() const { return abruf_ != nullptr; }

void TfrInternet::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  Tag = 0;
  lbZahl->clear();
  WebBrowser1->clear();
  WebStrassenDatei.clear();
  anfragen();
}

bool TfrInternet::eventFilter(QObject* ziel, QEvent* e) {
  // Escape stops a running request and nothing else; with none running it closes the window.
  if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape && abruf_) {
    abbrechen(QStringLiteral("Abgebrochen"));
    return true;
  }
  return QDialog::eventFilter(ziel, e);
}

void TfrInternet::anfragen() {
  const std::string basis = StrassenlistenDienst();
  if (basis.empty()) {
    ui::Meldung(QString::fromStdString(KeinStrassenlistenDienstText()));
    lbZahl->setText(QStringLiteral("n = 0"));
    emit fertig();
    return;
  }
  auto a = std::make_shared<Abruf>();
  WebAnfrage anfrage = StrassenlistenAnfrage(webOrt_, webPLZ_);
  anfrage.zeitlimitMs = zeitLimitMs;
  anfrage.abbrechen = [a] { return a->halt.load(); };
  a->faden = std::thread([a, anfrage] {
    a->antwort = WebHolen(anfrage);
    a->fertig = true;
  });
  abruf_ = a;
  uhr_->start();
}

void TfrInternet::nachsehen() {
  // Stopped requests that have ended are done with.
  for (auto i = gestoppt_.begin(); i != gestoppt_.end();) {
    if ((*i)->fertig) {
      (*i)->faden.join();
      i = gestoppt_.erase(i);
    } else {
      ++i;
    }
  }
  if (abruf_ && abruf_->fertig) {
    const std::shared_ptr<Abruf> a = std::move(abruf_);
    a->faden.join();
    beantwortet(*a);
  }
  if (!abruf_ && gestoppt_.empty()) uhr_->stop();
}

void TfrInternet::abbrechen(const QString& warum) {
  if (!abruf_) return;
  abruf_->halt = true;
  gestoppt_.push_back(std::move(abruf_));
  abruf_.reset();
  lbZahl->setText(QStringLiteral("n = 0"));
  if (warum != QStringLiteral("Abgebrochen")) ui::Meldung(warum);
  emit fertig();
}

void TfrInternet::beantwortet(const Abruf& a) {
  if (!a.antwort.fehler.empty()) {
    lbZahl->setText(QStringLiteral("n = 0"));
    ui::Meldung(QString::fromStdString(StrassenlisteFehlerText(a.antwort)));
    emit fertig();
    return;
  }
  const std::string seite = SeiteNachCp1252(a.antwort.inhalt, a.antwort.contentType);
  WebBrowser1->setHtml(ui::AusCp1252(seite));
  umwandeln(seite);
  emit fertig();
}

void TfrInternet::umwandeln(const std::string& seite) {
  lbZahl->setText(QStringLiteral("n = 0"));
  const std::vector<std::string> zeilen = WebSeiteUmwandeln(seite, webPLZ_, tabellenPLZ_);
  if (zeilen.empty()) {
    ui::Meldung(QStringLiteral("Die Antwort des Straßenlisten-Dienstes enthält keine Straßen"));
    return;
  }
  const std::string datei = WebStrassenDateiName(webOrt_, webPLZ_);
  if (DateiVorhanden(datei) &&
      !ui::FrageJaNein(QStringLiteral("Datei ") + QString::fromStdString(datei) + QStringLiteral(" überschreiben?"))) {
    return;
  }
  try {
    VerzeichnisAnlegen(OrdnerTeil(datei));
    WebStrassenSchreiben(datei, zeilen);
  } catch (const std::exception& e) {
    ui::Meldung(QString::fromStdString(e.what()));
    return;
  }
  WebStrassenDatei = datei;
  lbZahl->setText(QStringLiteral("n = ") + QString::number(zeilen.size()));
}

void TfrInternet::sbSpeichernClick() {
  if (abruf_) return;
  Tag = 1;
  // The import opens over this window: hiding a modal window would end it.
  if (importieren && !WebStrassenDatei.empty()) importieren(WebStrassenDatei);
  accept();
}

void TfrInternet::sbExitClick() {
  Tag = 0;
  reject();
}

void TfrInternet::done(int ergebnis) {
  // Leaving stops a pending request at once.
  abbrechen(QStringLiteral("Abgebrochen"));
  QDialog::done(ergebnis);
}

}  // namespace orvano
