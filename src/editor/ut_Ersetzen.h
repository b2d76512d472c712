// TfrErsetzen: replacing a text in one field of every record of the current folder's file.
#pragma once

#include <QDialog>
#include <memory>
#include <string>

#include "core/Tabelle.h"
#include "editor/EditorSuche.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QStatusBar;

namespace orvano {

class Datenbestand;
namespace ui {
class StringGrid;
class StatusLeiste;
}  // namespace ui

class TfrErsetzen : public QDialog {
  Q_OBJECT

 public:
  explicit TfrErsetzen(const Datenbestand& db, QWidget* eltern = nullptr);
  ~TfrErsetzen() override;

  // Before showing: the kind and the column of side 1, and the title to show.
  void vorbereiten(EditorArt art, int spalte, const QString& titel);
  // The file a save replaced; empty when nothing was saved.
  const std::string& geschriebeneDatei() const { return geschrieben_; }
  const Tabelle& liste() const { return liste_; }

  void sbErsetzenClick();
  void sbSpeichernClick();

  QLabel* lbTit;
  QLineEdit* edAlt;
  QLineEdit* edNeu;
  QLabel* lbGefunden;
  ui::StringGrid* sg1;
  QPushButton* sbErsetzen;
  QPushButton* sbSpeichern;
  QPushButton* sbExit;
  QProgressBar* ProgressBar1;
  QStatusBar* StatusBar1;

 public slots:
  void done(int ergebnis) override;

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  std::string ziel() const;
  std::string temp() const;
  void listeLeeren();

  const Datenbestand& db_;
  Tabelle liste_{4, 2};
  std::unique_ptr<ui::StatusLeiste> status_;
  EditorArt art_ = EditorArt::PLZ;
  int spalte_ = 1;
  std::int64_t aenderungen_ = 0;
  std::string geschrieben_;
};

}  // namespace orvano
