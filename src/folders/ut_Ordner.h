// TfrOrdner: adding data folders and deleting empty ones.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvano {

class TfrOrdner : public QDialog {
  Q_OBJECT

 public:
  explicit TfrOrdner(QWidget* eltern = nullptr);

  void sbPlusClick();
  void sbLoschenClick();

  QLabel* Label1;
  QLineEdit* edOrdner;
  QPushButton* sbPlus;
  QComboBox* cbOrdner;
  QLabel* Label2;
  QPushButton* sbLoschen;
  QPushButton* sbExit;

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* ziel, QEvent* e) override;
};

}  // namespace orvano
