#include "EinfuegenFilter.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>

#include "Text.h"

namespace orvano::ui {

namespace {

class EinfuegenWaechter : public QObject {
 public:
  EinfuegenWaechter(QLineEdit* feld, TastenFilter filter) : QObject(feld), feld_(feld), filter_(std::move(filter)) {}

 protected:
  bool eventFilter(QObject* ziel, QEvent* e) override {
    if (ziel != feld_) return false;
    switch (e->type()) {
      case QEvent::KeyPress:
        if (static_cast<QKeyEvent*>(e)->matches(QKeySequence::Paste)) {
          GefiltertEinfuegen(feld_, QApplication::clipboard()->text(), filter_);
          return true;
        }
        return false;
      case QEvent::MouseButtonRelease:
        if (static_cast<QMouseEvent*>(e)->button() == Qt::MiddleButton) {
          GefiltertEinfuegen(feld_, QApplication::clipboard()->text(QClipboard::Selection), filter_);
          return true;
        }
        return false;
      case QEvent::ContextMenu: {
        QMenu* menue = feld_->createStandardContextMenu();
        if (QAction* einfuegen = menue->findChild<QAction*>(QStringLiteral("edit-paste"))) {
          einfuegen->disconnect();
          connect(einfuegen, &QAction::triggered, this,
                  [this] { GefiltertEinfuegen(feld_, QApplication::clipboard()->text(), filter_); });
        }
        menue->setAttribute(Qt::WA_DeleteOnClose);
        menue->popup(static_cast<QContextMenuEvent*>(e)->globalPos());
        return true;
      }
      default: return false;
    }
  }

 private:
  QLineEdit* feld_;
  TastenFilter filter_;
};

}  // namespace

void GefiltertEinfuegen(QLineEdit* feld, const QString& text, const TastenFilter& filter) {
  if (feld->isReadOnly()) return;
  if (feld->hasSelectedText()) feld->del();
  for (const QChar c : text) {
    // Line breaks and other control characters of the clipboard are no typed keys.
    if (c.unicode() < 32 || c.unicode() == 127) continue;
    const char ein = ZeichenZuCp1252(c);
    const char aus = ein ? filter(ZuCp1252(feld->text()), ein) : 0;
    if (aus == 0) continue;
    if (feld->maxLength() > 0 && feld->text().size() >= feld->maxLength()) break;
    feld->insert(AusCp1252(std::string_view(&aus, 1)));
  }
}

void EinfuegenFiltern(QLineEdit* feld, TastenFilter filter) {
  feld->setAcceptDrops(false);
  feld->installEventFilter(new EinfuegenWaechter(feld, std::move(filter)));
}

}  // namespace orvano::ui
