// TfrSuchMaske: find a place and a street step by step; the main window shows each record.
#pragma once

#include <QDialog>
#include <functional>

#include "SuchMaske.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace orvano {

class TfrSuchMaske : public QDialog {
  Q_OBJECT

 public:
  explicit TfrSuchMaske(const Datenbestand& db, QWidget* eltern = nullptr);

  // The owner shows record K (0: nothing) and selects item STRASSE (-1: none) of its street
  // list; HAUSNUMMER is the text its lbStrNr shows (empty: hidden).
  std::function<void(std::int32_t k, int strasse, const QString& hausnummer)> zeigen;
  // The owner shows its table: then lbNr stays empty.
  std::function<bool()> tabellenAnsicht;

  void sbWeiterClick();

  QLineEdit* edOrt;
  QLineEdit* edStrasse;
  QLabel* lbStrass;
  QPushButton* sbWeiter;
  QPushButton* sbExit;
  QLabel* lbNr;
  QWidget* plGefunden;
  QLabel* lbOrt;
  QLabel* lbPLZ;
  QLabel* lbStrasse;
  QLabel* lbStrNr;
  QProgressBar* ProgressBar1;

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* ziel, QEvent* e) override;

 private:
  const Datenbestand& db_;
  SuchMaske suche_;
};

}  // namespace orvano
