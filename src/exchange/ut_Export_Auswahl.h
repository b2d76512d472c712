// TfrExport_Auswahl: what to export, as which file type, with which prefixes.
#pragma once

#include <QDialog>
#include <functional>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QWidget;

namespace orvano {

class TfrExport_Auswahl : public QDialog {
  Q_OBJECT

 public:
  // LANDTEXT gives the main window's country text (Windows-1252) for the "D-" prefix.
  explicit TfrExport_Auswahl(std::function<std::string()> landText, QWidget* eltern = nullptr);

  // 1 = save, 0 = cancelled.
  int Tag = 0;

  QRadioButton* rdPLZ;
  QRadioButton* rdStrassen;
  QRadioButton* rdPLZ_Strassen;
  QCheckBox* cbCSV;
  QCheckBox* cbText;
  QLineEdit* edPLZPlus;
  QLineEdit* edStrNrPlus;
  // Only the records the main window shows (its filter and order); offered only while it
  // filters or sorts.
  QCheckBox* cbGezeigte;
  void setGezeigte(int gezeigt, int alle, bool aktiv);
  QWidget* plMenu;
  QPushButton* sbSpeichern;
  QPushButton* sbExit;

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* ziel, QEvent* e) override;

 private:
  // The two buttons centred as a pair with 20 pixels between them.
  void knoepfeSetzen();
  std::function<std::string()> landText_;
};

}  // namespace orvano
