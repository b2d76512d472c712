// The layout remembered between runs (window places, columns, last choices, recent files) in a
// second settings file of the program folder; einstPLZ.frb stays as it is.
#pragma once

#include <QByteArray>
#include <QObject>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantMap>

class QWidget;

namespace orvano::ui {

inline constexpr const char* kLayoutDatei = "Orvano.ini";

// One recently used file: its kind ("Import", "Export", "OSM", "Adressen") and path.
struct ZuletztEintrag {
  QString art;
  QString pfad;
};

class Layout {
 public:
  static constexpr int kZuletztHoechstens = 8;

  // Reads DATEI (INI). A missing or damaged file gives the defaults; a damaged one is
  // replaced by the next write.
  explicit Layout(QString datei);

  bool beschaedigt() const { return beschaedigt_; }
  QVariant wert(const QString& schluessel, const QVariant& vorgabe = {}) const;
  void setWert(const QString& schluessel, const QVariant& wert);

  // Size, place and maximised state of a window, by its object name.
  void fensterMerken(const QWidget* fenster);
  // False when nothing was stored for the window (it keeps its own place).
  bool fensterHerstellen(QWidget* fenster) const;

  // The most recent first; a path used again moves to the front.
  QList<ZuletztEintrag> zuletzt() const;
  void zuletztVerwendet(const QString& art, const QString& pfad);

  // False when the file could not be written.
  bool schreiben() const;

 private:
  QString datei_;
  QVariantMap werte_;
  bool beschaedigt_ = false;
};

// Restores each of our windows (object names beginning with "fr") at its first showing in a
// run and remembers it whenever it is hidden; at that first showing its buttons get their Alt
// keys. Installed on the application.
class FensterWaechter : public QObject {
 public:
  FensterWaechter(Layout& layout, QObject* eltern = nullptr);

 protected:
  bool eventFilter(QObject* ziel, QEvent* e) override;

 private:
  Layout& layout_;
  QSet<const QObject*> hergestellt_;
};

}  // namespace orvano::ui
