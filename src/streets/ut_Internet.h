// TfrInternet: the streets of one place from the web service, converted into a street-list
// file and handed to the import.
#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTextBrowser;
class QTimer;

namespace orvano {

class TfrInternet : public QDialog {
  Q_OBJECT

 public:
  explicit TfrInternet(QWidget* eltern = nullptr);
  ~TfrInternet() override;

  // Before showing: the place (Windows-1252, as WebOrtAus made it), the postal code asked
  // for ("0": all of the place) and the record's postal code, which fills empty ones then.
  void vorbereiten(const std::string& webOrt, const std::string& webPLZ, const std::string& tabellenPLZ);
  // "Speichern": the owner opens the import with the file; true when it imported.
  std::function<bool(const std::string& datei)> importieren;

  // 1 after "Speichern" handed the file to the import.
  int Tag = 0;
  // The street-list file written last; empty when none was.
  std::string WebStrassenDatei;
  // How long a request may go unanswered.
  int zeitLimitMs = 20000;
  // True while a request is under way.
  bool laeuft() const;

  void sbSpeichernClick();
  void sbExitClick();

  QTextBrowser* WebBrowser1;
  QPushButton* sbSpeichern;
  QPushButton* sbExit;
  QLabel* lbZahl;

 public slots:
  void done(int ergebnis) override;

 signals:
  // The answer was converted, or the request ended without one.
  void fertig();

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* ziel, QEvent* e) override;

 private:
  struct Abruf;
  void anfragen();
  void nachsehen();
  void beantwortet(const Abruf& a);
  void abbrechen(const QString& warum);
  void umwandeln(const std::string& seite);

  // The request runs on a thread of its own, so that the window stays live; one that was
  // stopped ends by itself within a moment and is only waited for when it has.
  std::shared_ptr<Abruf> abruf_;
  std::vector<std::shared_ptr<Abruf>> gestoppt_;
  QTimer* uhr_;
  std::string webOrt_;
  std::string webPLZ_;
  std::string tabellenPLZ_;
};

}  // namespace orvano
