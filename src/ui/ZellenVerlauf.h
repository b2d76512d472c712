// Undo and redo of a grid's edits that are not yet saved: cells typed into and rows inserted.
#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>
#include <vector>

class QAction;
class QUndoStack;
class QWidget;

namespace orvano::ui {

class StringGrid;

class ZellenVerlauf : public QObject {
 public:
  // Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z work in FENSTER (a window, or a part of one holding GRID).
  ZellenVerlauf(StringGrid* grid, QWidget* fenster);
  ~ZellenVerlauf() override;

  // Row ZEILE was just inserted with the cells it holds: one step that takes it out again.
  void zeileEingefuegt(int zeile);
  // A save or a reload: what is shown now is the state without steps.
  void leeren();
  bool kannRueckgaengig() const;
  void rueckgaengig();
  void wiederholen();

  // After each undo or redo, with true when the grid is back at the state of the last leeren().
  std::function<void(bool sauber)> nachSchritt;
  // After a row came or went (the window renumbers, say).
  std::function<void()> nachZeilen;

 private:
  friend class ZellenSchritt;
  friend class ZeilenSchritt;
  // Both belong to one window, which may take the grid down first.
  QPointer<StringGrid> grid_;
  QUndoStack* stapel_;
  bool ruht_ = false;
};

}  // namespace orvano::ui
