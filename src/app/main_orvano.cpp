// Entry point of the desktop program.
#include <csignal>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>
#include <QIcon>
#include <clocale>
#include <iostream>
#include <string>

#include "core/Dateien.h"
#include "core/EinzelInstanz.h"
#include "core/Start.h"
#include "core/Version.h"
#include "main/Einzelstart.h"
#include "main/ut_PLZ.h"
#include "ui/Dialoge.h"
#include "ui/Warten.h"

int main(int argc, char** argv) {
  if (argc == 2 && std::string(argv[1]) == "--version") {
    std::cout << orvano::VersionsText("orvano");
    return 0;
  }
  // A file-size limit makes a write fail (EFBIG) like a full disk instead of ending the program.
  ::signal(SIGXFSZ, SIG_IGN);
  // Before any window: a second copy only says so and ends, writing nothing.
  orvano::EinzelInstanz sperre;
  if (!sperre.erste()) {
    QApplication app(argc, argv);
    orvano::ZweitenStartAbweisen(sperre);
    return 1;
  }

  QApplication app(argc, argv);
  // The menu entry's name: the task bar finds its icon through it.
  QGuiApplication::setDesktopFileName(QStringLiteral("de.orvano.Orvano"));
  QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("de.orvano.Orvano"), QIcon(QStringLiteral(":/orvano.png"))));
  QApplication::setApplicationVersion(QStringLiteral(ORVANO_VERSION));
  // Numbers are converted by the program's own routines; keep the C library neutral too.
  std::setlocale(LC_NUMERIC, "C");
  QTranslator qtTexte;
  if (qtTexte.load(QLocale(QLocale::German, QLocale::Germany), QStringLiteral("qtbase"), QStringLiteral("_"),
                   QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
    QApplication::installTranslator(&qtTexte);
  }
  orvano::ui::EscapeBeobachten();
  try {
    orvano::ProgrammOrdnerSetzen(orvano::ProgrammOrdnerBereitstellen(orvano::ProgrammOrdnerDerExe()));
  } catch (const orvano::DateiFehler& f) {
    orvano::ui::Meldung(QString::fromStdString(f.what()));
    return 1;
  }

  // Every window is created once, the main window first; only the main window is shown.
  orvano::TfrPLZ frPLZ;
  // Only the main window ends the program: the main window is hidden while another window
  // is shown, and closing a message box then must not count as closing the last window.
  QApplication::setQuitOnLastWindowClosed(false);
  QObject::connect(&frPLZ, &orvano::TfrPLZ::beendet, &app, &QApplication::quit, Qt::QueuedConnection);
  // Hidden while another window is open, it comes back for every message.
  orvano::ui::HauptfensterSetzen(&frPLZ);
  frPLZ.show();
  return app.exec();
}
