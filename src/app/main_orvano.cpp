// Entry point of the desktop program.
#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <QWidget>

#include "core/Dateien.h"
#include "core/Pfade.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  orvano::ProgVerzeichnis = orvano::ProgrammOrdnerDerExe();

  // Until the main window takes its place: show which program folder this copy works in.
  QWidget fenster;
  fenster.setWindowTitle(QStringLiteral("Orvano"));
  auto* layout = new QVBoxLayout(&fenster);
  layout->addWidget(new QLabel(QStringLiteral("Orvano 1.5")));
  layout->addWidget(new QLabel(QStringLiteral("Programmordner: ") + QString::fromStdString(orvano::ProgVerzeichnis)));
  fenster.resize(480, 120);
  fenster.show();
  return app.exec();
}
