// Every message box, file dialog, print dialog and "open" request of the windows goes through
// here, so that tests can script the answers and read the exact texts.
#pragma once

#include <QString>
#include <QUrl>

#include "core/Fortschritt.h"

class QPrinter;
class QWidget;

namespace orvano::ui {

enum class Symbol { Information, Warnung, Bestaetigung };
enum class Knoepfe { Ok, JaNein, JaNeinAbbrechen };
enum class Antwort { Ok, Ja, Nein, Abbrechen };

struct Box {
  Symbol symbol;
  Knoepfe knoepfe;
  QString text;  // CR (13) breaks lines, as in the program's message texts
};

struct DateiDialog {
  QString titel;
  QString filter;         // Qt form, e.g. "CSV-Dateien (*.csv);;Alle Dateien (*)"
  QString standardEndung;  // appended when the user types a name without one, e.g. "csv"
  QString ordner;
  QString dateiName;
};

class Dialoge {
 public:
  virtual ~Dialoge() = default;
  virtual Antwort box(const Box& box) = 0;
  // The chosen file, or an empty text when the user cancelled.
  virtual QString dateiOeffnen(const DateiDialog& d) = 0;
  // As dateiOeffnen; asks before an existing file is overwritten.
  virtual QString dateiSpeichern(const DateiDialog& d) = 0;
  // True when the user chose to print; the printer then holds the choice.
  virtual bool drucken(QPrinter& drucker) = 0;
  // Hands a web address or a document to the system; false when no program took it.
  virtual bool oeffnen(const QUrl& adresse) = 0;
};

// Answers every box with OK or No and cancels every file and print dialog, for runs without a
// user (benchmarks, the picture tool). With PROTOKOLL the box texts go to stderr.
class OhneBenutzer : public Dialoge {
 public:
  explicit OhneBenutzer(bool protokoll = false) : protokoll_(protokoll) {}
  Antwort box(const Box& box) override;
  QString dateiOeffnen(const DateiDialog&) override { return {}; }
  QString dateiSpeichern(const DateiDialog&) override { return {}; }
  bool drucken(QPrinter&) override { return false; }
  bool oeffnen(const QUrl&) override { return true; }

 private:
  bool protokoll_;
};

// The window a message, question or file dialog belongs to, so that it opens in front: the
// modal window in use, else the active one, else a shown window that stays on top, else any
// shown window of ours. Null when none is shown.
QWidget* MeldungsEltern();
// The main window: hidden while another window is open, it comes back for every message.
void HauptfensterSetzen(QWidget* fenster);

// The facade in use: the real dialogs unless a test installed its own.
Dialoge& dialoge();
// Installs D (nullptr: back to the real dialogs). The caller keeps ownership.
void dialogeSetzen(Dialoge* d);

// Warning with OK: the usual way to report a problem.
void Meldung(const QString& text);
// Information with OK.
void Hinweis(const QString& text);
// Warning with Yes/No before writing, deleting, overwriting or copying: true only for Yes.
bool FrageJaNein(const QString& text);
// Information with Yes/No ("Programm beenden?"): true only for Yes.
bool HinweisJaNein(const QString& text);
// Confirmation with Yes/No/Cancel ("Wirklich abbrechen?").
Antwort FrageJaNeinAbbrechen(const QString& text);

// Opens a web address in the browser. Only http and https are opened (others are refused with
// a message); when no browser starts, the user is told and the address is put on the clipboard.
bool WebseiteOeffnen(const QString& adresse);
void DokumentOeffnen(const QString& pfad);

// The data store's messages and questions shown through the facade.
class FensterRueckfragen : public Rueckfragen {
 public:
  void meldung(const std::string& text) override;
  bool frage(const std::string& text) override;
  void hinweis(const std::string& text) override;
};

}  // namespace orvano::ui
