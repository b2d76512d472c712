// TfrSichCopy: the list of backup copies, restoring one into a data folder, deleting one.
#pragma once

#include <QDialog>

#include <string>

#include "core/Tabelle.h"

class QComboBox;
class QPushButton;

namespace orvano {

class Datenbestand;

namespace ui {
class StringGrid;
}

class TfrSichCopy : public QDialog {
  Q_OBJECT

 public:
  // The folder of DB is the one offered first; the window never changes DB.
  explicit TfrSichCopy(const Datenbestand& db, QWidget* eltern = nullptr);
  ~TfrSichCopy() override;

  // The backups of the folder cbOrdner shows, and those of older versions without a folder.
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
  // 1 when a copy was restored; the file it replaced; whether the other file of its pair is
  // there, so that the street counts may be stale.
  int Tag = 0;
  std::string wiederhergestellteDatei;
  bool zahlenVeraltet = false;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  const Datenbestand& db_;
  Tabelle liste_;
};

}  // namespace orvano
