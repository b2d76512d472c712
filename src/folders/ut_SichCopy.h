// TfrSichCopy: the list of backup copies, restoring one into a data folder, deleting one.
#pragma once

#include <QDialog>

#include "core/Tabelle.h"

class QComboBox;
class QPushButton;

namespace orvano {

namespace ui {
class StringGrid;
}

class TfrSichCopy : public QDialog {
  Q_OBJECT

 public:
  explicit TfrSichCopy(QComboBox* hauptOrdner, QWidget* eltern = nullptr);
  ~TfrSichCopy() override;

  void listeAufbauen();
  // A click whose current cell is in column 3 moves or clears the mark.
  void sg1Click();
  void sbWeiterClick();
  void sbLoschenClick();
  // The first marked row, 0 when none.
  int markierteZeile() const;

  ui::StringGrid* sg1;
  QComboBox* cbOrdner;
  QPushButton* sbLoschen;
  QPushButton* sbWeiter;
  QPushButton* sbExit;
  Tabelle& liste() { return liste_; }

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  QComboBox* hauptOrdner_;
  Tabelle liste_;
};

}  // namespace orvano
