// TfrOrdner: adding data folders and deleting empty ones.
#pragma once

#include <QDialog>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace orvano {

// Deletes the folder selected in LISTE after asking, when it is empty, and takes it out of
// LISTE and of the main window's HAUPTLISTE (both hold the same list). Used by the folder
// and the import window.
void GewaehltenOrdnerLoeschen(QComboBox* liste, QComboBox* hauptListe);

class TfrOrdner : public QDialog {
  Q_OBJECT

 public:
  // HAUPTLISTE is the main window's folder combo, whose list this window copies and changes.
  explicit TfrOrdner(QComboBox* hauptListe, QWidget* eltern = nullptr);

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

 private:
  QComboBox* hauptListe_;
};

}  // namespace orvano
