// TfrAbout: the program's name, version and where its data come from.
#pragma once

#include <QDialog>

namespace orvano {

class TfrAbout : public QDialog {
  Q_OBJECT

 public:
  explicit TfrAbout(QWidget* eltern = nullptr);
};

}  // namespace orvano
