#include "Dialoge.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPointer>
#include <QPushButton>
#include <cstdio>

namespace orvano::ui {

namespace {

QPointer<QWidget> g_hauptfenster;

// A window that stays on top hides whatever opens beneath it: what belongs to it does too.
void ObenHalten(QWidget* dialog, const QWidget* eltern) {
  if (eltern && (eltern->window()->windowFlags() & Qt::WindowStaysOnTopHint)) dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void HauptfensterZeigen() {
  if (g_hauptfenster && g_hauptfenster->isHidden()) g_hauptfenster->show();
}

class QtDialoge : public Dialoge {
 public:
  Antwort box(const Box& b) override {
    HauptfensterZeigen();
    QWidget* eltern = MeldungsEltern();
    QMessageBox m(eltern);
    ObenHalten(&m, eltern);
    QString text = b.text;
    text.replace(QChar('\r'), QChar('\n'));
    m.setText(text);
    switch (b.symbol) {
      case Symbol::Information:
        m.setIcon(QMessageBox::Information);
        m.setWindowTitle(QStringLiteral("Information"));
        break;
      case Symbol::Warnung:
        m.setIcon(QMessageBox::Warning);
        m.setWindowTitle(QStringLiteral("Warnung"));
        break;
      case Symbol::Bestaetigung:
        m.setIcon(QMessageBox::Question);
        m.setWindowTitle(QStringLiteral("Bestätigung"));
        break;
    }
    QPushButton* ok = nullptr;
    QPushButton* ja = nullptr;
    QPushButton* nein = nullptr;
    switch (b.knoepfe) {
      case Knoepfe::Ok: ok = m.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole); break;
      case Knoepfe::JaNeinAbbrechen:
        ja = m.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        nein = m.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        m.addButton(QStringLiteral("Abbrechen"), QMessageBox::RejectRole);
        break;
      case Knoepfe::JaNein:
        ja = m.addButton(QStringLiteral("&Ja"), QMessageBox::YesRole);
        nein = m.addButton(QStringLiteral("&Nein"), QMessageBox::NoRole);
        m.setEscapeButton(nein);
        break;
    }
    if (ja) m.setDefaultButton(ja);
    m.exec();
    const auto* geklickt = m.clickedButton();
    if (ok) return Antwort::Ok;
    if (geklickt == ja) return Antwort::Ja;
    if (geklickt == nein) return Antwort::Nein;
    return b.knoepfe == Knoepfe::JaNein ? Antwort::Nein : Antwort::Abbrechen;
  }

  QString dateiOeffnen(const DateiDialog& d) override { return ausfuehren(d, QFileDialog::AcceptOpen); }
  QString dateiSpeichern(const DateiDialog& d) override { return ausfuehren(d, QFileDialog::AcceptSave); }

  bool drucken(QPrinter& drucker) override {
    QWidget* eltern = MeldungsEltern();
    QPrintDialog dialog(&drucker, eltern);
    ObenHalten(&dialog, eltern);
    return dialog.exec() == QDialog::Accepted;
  }

  bool oeffnen(const QUrl& adresse) override { return QDesktopServices::openUrl(adresse); }

 private:
  static QString ausfuehren(const DateiDialog& d, QFileDialog::AcceptMode modus) {
    QWidget* eltern = MeldungsEltern();
    QFileDialog dialog(eltern, d.titel, d.ordner, d.filter);
    ObenHalten(&dialog, eltern);
    dialog.setAcceptMode(modus);
    dialog.setFileMode(modus == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    if (!d.standardEndung.isEmpty()) dialog.setDefaultSuffix(d.standardEndung);
    if (!d.dateiName.isEmpty()) dialog.selectFile(d.dateiName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return {};
    return dialog.selectedFiles().constFirst();
  }
};

QtDialoge& echte() {
  static QtDialoge d;
  return d;
}

Dialoge* g_dialoge = nullptr;

}  // namespace

QWidget* MeldungsEltern() {
  if (QWidget* w = QApplication::activeModalWidget(); w && w->isVisible()) return w;
  if (QWidget* w = QApplication::activeWindow(); w && w->isVisible()) return w;
  QWidget* irgendeins = nullptr;
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (!w->isVisible() || w->windowType() == Qt::ToolTip || w->windowType() == Qt::Popup) continue;
    if (w->windowFlags() & Qt::WindowStaysOnTopHint) return w;
    if (!irgendeins) irgendeins = w;
  }
  return irgendeins;
}

void HauptfensterSetzen(QWidget* fenster) { g_hauptfenster = fenster; }

Antwort OhneBenutzer::box(const Box& b) {
  if (protokoll_) std::fprintf(stderr, "Meldung: %s\n", qPrintable(b.text));
  return b.knoepfe == Knoepfe::Ok ? Antwort::Ok : Antwort::Nein;
}

Dialoge& dialoge() { return g_dialoge ? *g_dialoge : echte(); }
void dialogeSetzen(Dialoge* d) { g_dialoge = d; }

void Meldung(const QString& text) { dialoge().box({Symbol::Warnung, Knoepfe::Ok, text}); }
void Hinweis(const QString& text) { dialoge().box({Symbol::Information, Knoepfe::Ok, text}); }
bool FrageJaNein(const QString& text) { return dialoge().box({Symbol::Warnung, Knoepfe::JaNein, text}) == Antwort::Ja; }
bool HinweisJaNein(const QString& text) {
  return dialoge().box({Symbol::Information, Knoepfe::JaNein, text}) == Antwort::Ja;
}
Antwort FrageJaNeinAbbrechen(const QString& text) {
  return dialoge().box({Symbol::Bestaetigung, Knoepfe::JaNeinAbbrechen, text});
}

bool WebseiteOeffnen(const QString& adresse) {
  const QUrl url(adresse);
  const QString schema = url.scheme().toLower();
  if (schema != QStringLiteral("http") && schema != QStringLiteral("https")) {
    Meldung(QStringLiteral("Adresse ") + adresse + QStringLiteral(" wird nicht geöffnet: nur http- und https-Adressen"));
    return false;
  }
  if (dialoge().oeffnen(url)) return true;
  if (QGuiApplication::clipboard()) QGuiApplication::clipboard()->setText(adresse);
  Meldung(QStringLiteral("Kein Webbrowser gefunden\r") + adresse + QStringLiteral("\r(Die Adresse ist in der Zwischenablage.)"));
  return false;
}
void DokumentOeffnen(const QString& pfad) {
  if (!dialoge().oeffnen(QUrl::fromLocalFile(pfad))) Meldung(QStringLiteral("Kein Programm zum Öffnen von ") + pfad + QStringLiteral(" gefunden"));
}

void FensterRueckfragen::meldung(const std::string& text) { Meldung(QString::fromStdString(text)); }
bool FensterRueckfragen::frage(const std::string& text) { return FrageJaNein(QString::fromStdString(text)); }
void FensterRueckfragen::hinweis(const std::string& text) { Hinweis(QString::fromStdString(text)); }

}  // namespace orvano::ui
