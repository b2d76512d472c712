#include "ut_Internet.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QPushButton>
#include <QTextBrowser>
#include <QTimer>
#include <QVBoxLayout>
#include <exception>

#include "WebStrassen.h"
#include "core/Dateien.h"
#include "ui/Dialoge.h"
#include "ui/Knopf.h"
#include "ui/Text.h"
#include "ui/Warten.h"

namespace orvano {

namespace {

// More than any street list of one place; a larger answer is not read on.
constexpr qint64 kGroessteAntwort = 20 * 1000 * 1000;

}  // namespace

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
  netz_ = new QNetworkAccessManager(this);
  uhr_ = new QTimer(this);
  uhr_->setSingleShot(true);
  connect(uhr_, &QTimer::timeout, this, [this] {
    abbrechen(QStringLiteral("Keine Antwort vom Strassenlisten-Dienst in ") + QString::number(zeitLimitMs / 1000) +
              QStringLiteral(" s"));
  });
  connect(sbSpeichern, &QPushButton::clicked, this, &TfrInternet::sbSpeichernClick);
  connect(sbExit, &QPushButton::clicked, this, &TfrInternet::sbExitClick);
  ui::EscapeSchliesstNicht(this);
  // Installed after the Escape filter, so it sees the key first: Escape stops a request.
  installEventFilter(this);
  resize(900, 650);
}

TfrInternet::~TfrInternet() {
  if (antwort_) antwort_->abort();
}

void TfrInternet::vorbereiten(const std::string& webOrt, const std::string& webPLZ, const std::string& tabellenPLZ) {
  webOrt_ = webOrt;
  webPLZ_ = webPLZ;
  tabellenPLZ_ = tabellenPLZ;
}

bool TfrInternet::laeuft() const { return antwort_ != nullptr; }

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
  if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape && antwort_) {
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
  const QUrl adresse(QString::fromStdString(WebAdresse(basis, webOrt_, webPLZ_)), QUrl::TolerantMode);
  QNetworkRequest anfrage(adresse);
  anfrage.setTransferTimeout(0);
  abbruchGrund_.clear();
  antwort_ = netz_->get(anfrage);
  connect(antwort_, &QNetworkReply::downloadProgress, this, [this](qint64 da, qint64) {
    if (da > kGroessteAntwort) abbrechen(QStringLiteral("Die Antwort des Strassenlisten-Dienstes ist größer als 20 MB"));
  });
  connect(antwort_, &QNetworkReply::finished, this, &TfrInternet::beantwortet);
  uhr_->start(zeitLimitMs);
}

void TfrInternet::abbrechen(const QString& warum) {
  if (!antwort_) return;
  abbruchGrund_ = warum;
  antwort_->abort();
}

void TfrInternet::beantwortet() {
  uhr_->stop();
  QNetworkReply* a = antwort_;
  antwort_ = nullptr;
  a->deleteLater();
  const int status = a->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  QString fehler = abbruchGrund_;
  if (fehler.isEmpty() && a->error() == QNetworkReply::ConnectionRefusedError) {
    fehler = QStringLiteral("Verbindung zum Strassenlisten-Dienst ") + a->url().host() + QStringLiteral(" abgelehnt");
  } else if (fehler.isEmpty() && status >= 400) {
    fehler = QStringLiteral("Der Strassenlisten-Dienst antwortet mit HTTP-Fehler ") + QString::number(status);
  } else if (fehler.isEmpty() && a->error() != QNetworkReply::NoError) {
    fehler = QStringLiteral("Strassenlisten-Dienst nicht erreichbar: ") + a->errorString();
  }
  if (!fehler.isEmpty()) {
    lbZahl->setText(QStringLiteral("n = 0"));
    if (abbruchGrund_ != QStringLiteral("Abgebrochen")) ui::Meldung(fehler);
    emit fertig();
    return;
  }
  const QByteArray roh = a->readAll();
  const std::string seite =
      SeiteNachCp1252(std::string_view(roh.constData(), static_cast<std::size_t>(roh.size())), a->header(QNetworkRequest::ContentTypeHeader).toString().toStdString());
  WebBrowser1->setHtml(ui::AusCp1252(seite));
  umwandeln(seite);
  emit fertig();
}

void TfrInternet::umwandeln(const std::string& seite) {
  lbZahl->setText(QStringLiteral("n = 0"));
  const std::vector<std::string> zeilen = WebSeiteUmwandeln(seite, webPLZ_, tabellenPLZ_);
  if (zeilen.empty()) {
    ui::Meldung(QStringLiteral("Die Antwort des Strassenlisten-Dienstes enthält keine Strassen"));
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
  if (antwort_) return;
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
