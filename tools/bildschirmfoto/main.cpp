// orvano-bildschirmfoto: starts the main window on a program folder without a screen and
// saves pictures of its views and windows. Boxes are answered with No/OK and printed to stderr.
#include <QApplication>
#include <QPrinter>
#include <cstdio>

#include "core/Start.h"
#include "exchange/ut_Export_Auswahl.h"
#include "exchange/ut_Import.h"
#include "exchange/ut_ImportFormat.h"
#include "folders/ut_Ordner.h"
#include "folders/ut_SichCopy.h"
#include "folders/ut_frSichCopy0.h"
#include "main/ut_PLZ.h"
#include "ui/Dialoge.h"


int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "Aufruf: orvano-bildschirmfoto PROGRAMMORDNER ZIELPRAEFIX\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  orvano::ui::OhneBenutzer protokoll(true);
  orvano::ui::dialogeSetzen(&protokoll);
  orvano::ProgrammOrdnerSetzen(argv[1]);
  orvano::TfrPLZ fenster;
  fenster.show();
  fenster.Aktivieren();
  QApplication::processEvents();
  const QString praefix = QString::fromLocal8Bit(argv[2]);
  fenster.resize(1100, 700);
  fenster.TabellenAnsicht = false;
  fenster.AnsichtUmschalten(false);
  QApplication::processEvents();
  fenster.grab().save(praefix + "-maske.png");
  fenster.TabellenAnsicht = true;
  fenster.AnsichtUmschalten(false);
  fenster.resize(1300, 700);
  QApplication::processEvents();
  fenster.grab().save(praefix + "-tabelle.png");
  // The windows opened from the menu, shown without their modal loop.
  const std::pair<QDialog*, const char*> fenster2[] = {{fenster.frExport_Auswahl, "-export.png"},
                                                       {fenster.frOrdner, "-ordner.png"},
                                                       {fenster.frSichCopy0, "-sichern.png"},
                                                       {fenster.frSichCopy, "-sicherungen.png"},
                                                       {fenster.frImport, "-import.png"},
                                                       {fenster.frImportFormat, "-importformat.png"}};
  for (const auto& [dialog, name] : fenster2) {
    dialog->show();
    QApplication::processEvents();
    dialog->grab().save(praefix + name);
    dialog->hide();
  }
  return 0;
}
