// TfrSichCopy0: a dated backup copy of one database file.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QComboBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace orvano {

class Datenbestand;

class TfrSichCopy0 : public QDialog {
  Q_OBJECT

 public:
  // The folder and country of DB are the ones offered first.
  explicit TfrSichCopy0(const Datenbestand& db, QWidget* eltern = nullptr);

  // The database file of the chosen folder, country and kind.
  std::string gewaehlteDatei() const;
  void zahlAnzeigen();
  void sbWeiterClick();
  // Date of the copies, "yyyy-mm-dd"; today unless a test fixes it.
  std::function<std::string()> datum;

  QRadioButton* rdPLZ1;
  QRadioButton* rdStrassen1;
  QLabel* lbPLZzahl;
  QLabel* lbStrassenzahl;
  QComboBox* cbOrdner;
  QComboBox* cbLand;
  QPushButton* sbWeiter;
  QPushButton* sbExit;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  const Datenbestand& db_;
};

}  // namespace orvano
