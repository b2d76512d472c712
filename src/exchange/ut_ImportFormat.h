// TfrImportFormat: editing and trying out import formats.
#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "CSVLesen.h"
#include "ImportFormat.h"
#include "core/Tabelle.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;
class QStatusBar;
class QWidget;

namespace orvano {

namespace ui {
class StringGrid;
class StatusLeiste;
}  // namespace ui

class TfrImport;

class TfrImportFormat : public QDialog {
  Q_OBJECT

 public:
  // LANDTEXT gives the main window's country text (Windows-1252).
  explicit TfrImportFormat(std::function<std::string()> landText, QWidget* eltern = nullptr);
  ~TfrImportFormat() override;

  // The import window whose radio buttons, format combo and file dialog go with this one.
  TfrImport* frImport = nullptr;

  void FormatListeFuellen(QComboBox* combo);
  void FormatLaden(const QString& datei);
  void FormatWaehlen();
  // Reads DATEI into ZIEL through the current format; TEST means this window's own grid.
  CSVLeseErgebnis CSVLesen(const QString& datei, Tabelle& ziel, bool test, ui::StatusLeiste* status, QProgressBar* balken);
  // Applies the join with DATEI2 (asked for when empty) to ZIEL.
  void Verknuepfen(QString datei2, Tabelle& ziel, bool test, ui::StatusLeiste* status, QProgressBar* balken);
  void VerknuepfungInfo();
  void TitelListeFuellen();
  void sbTestClick();
  void sbSpeichernClick();
  void sg0Einrichten();

  // The format as the controls hold it, and back.
  ImportFormat format() const;
  void formatZeigen(const ImportFormat& f);
  bool plz() const;
  // Separator box set from a file name when it is empty ("#9" for a tab).
  void separatorAusDatei(const QString& datei);

  QRadioButton* rdPLZ;
  QRadioButton* rdStrassen;
  QComboBox* cbFormat;
  QLineEdit* edAnzahl;
  QPushButton* sbTest;
  QPushButton* sbRefresh;
  QPushButton* sbCSVLaden;
  QPushButton* sbSpeichern;
  QPushButton* sbExit;
  QLabel* lbLeseFormat;
  ui::StringGrid* sg1;
  ui::StringGrid* sg0;
  ui::StringGrid* sgh;
  QLineEdit* edDel1;
  QLineEdit* edDel2;
  QLineEdit* edSeparator;
  QWidget* plVerknupfung;
  QLineEdit* edID;
  QComboBox* cbTitel;
  QLineEdit* edIDVerkn;
  QPushButton* sbVerknupfung;
  QPushButton* sbRefreshVer;
  QLabel* lbVerknupfung;
  QLabel* lbVerknInfo;
  QWidget* plsgH;
  QPlainTextEdit* Memo1;
  QPlainTextEdit* Memo2;
  QListWidget* lbH;
  QListWidget* lbH2;
  QLabel* lbZahl;
  QLabel* lbZahl2;
  QStatusBar* StatusBar1;
  QProgressBar* ProgressBar1;

  Tabelle& mapping() { return mapping_; }
  Tabelle& test() { return test_; }
  Tabelle& paare() { return paare_; }
  // Full path of the join's file 2 for this run; empty when none was chosen.
  QString Datei2;

 protected:
  void showEvent(QShowEvent* e) override;
  bool eventFilter(QObject* ziel, QEvent* e) override;

 private:
  void artGewechselt();
  void verknuepfungGewaehlt();
  QString datei1() const;

  std::function<std::string()> landText_;
  Tabelle mapping_;
  Tabelle test_;
  Tabelle paare_;
  int letzteZeile_ = 0;
  std::unique_ptr<ui::StatusLeiste> status_;
};

}  // namespace orvano
