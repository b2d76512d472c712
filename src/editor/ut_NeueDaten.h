// TfrNeueDaten: the records one file lacks, page by page, and appending them to it.
#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

#include "core/Tabelle.h"
#include "editor/EditorSuche.h"

class QProgressBar;
class QPushButton;
class QScrollBar;

namespace orvano {

namespace ui {
class StringGrid;
}

class TfrNeueDaten : public QDialog {
  Q_OBJECT

 public:
  explicit TfrNeueDaten(QWidget* eltern = nullptr);
  ~TfrNeueDaten() override;

  // Before showing: the file of new records, their kind, and the file they go to.
  void vorbereiten(const std::string& neuDatei, EditorArt art, bool ohneDE, const std::string& ziel);
  // The records were appended to the target.
  bool angehaengt() const { return angehaengt_; }
  std::int64_t anzahl() const { return n_; }
  std::int64_t seitenAnfang() const { return anfang_; }
  const Tabelle& seite() const { return tabelle_; }

  void sbSpeichernClick();
  void zumSatz(std::int64_t k);

  std::int64_t Position = 1;
  ui::StringGrid* sg1;
  QScrollBar* sgh1;
  QPushButton* sbSpeichern;
  QPushButton* sbExit;
  QProgressBar* ProgressBar1;

 public slots:
  void done(int ergebnis) override;

 protected:
  void showEvent(QShowEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;

 private:
  void anzeigen();
  void fuellen();

  Tabelle tabelle_{kEditorPLZSpalten, 2};
  std::string datei_;
  std::string ziel_;
  EditorArt art_ = EditorArt::PLZ;
  bool ohneDE_ = false;
  std::int64_t anfang_ = 0;
  std::int64_t n_ = 0;
  bool angehaengt_ = false;
};

}  // namespace orvano
