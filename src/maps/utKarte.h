// TfrKarte: the postal-code map of the current country with a red cross-hair.
#pragma once

#include <optional>
#include <utility>

#include <QDialog>
#include <QPixmap>
#include <functional>

#include "Karte.h"

class QAction;
class QLabel;
class QScrollArea;

namespace orvano {

class TfrKarte : public QDialog {
  Q_OBJECT

 public:
  // LAND gives the country letter of the moment (D, A, C); DB the records a click chooses from.
  TfrKarte(const Datenbestand& db, std::function<char()> land, double massstab, QWidget* eltern = nullptr);

  // Draws the country's picture at the scale, optionally sizing and placing the window at the
  // top right of the screen.
  void KarteZeichnen(bool groesseAnpassen);
  // Red cross-hair at the coordinate, the caption given.
  void Markieren(double breite, double laenge, const QString& titel);
  // A blue circle of KM around the coordinate (the radius search), kept until the next one.
  void KreisZeigen(double breite, double laenge, double km);
  // A click at the scaled picture position: the nearest record, marked and reported.
  void Klick(int x, int y);
  void MassstabHaken();
  void setMassstab(double s);
  double massstab() const { return massstab_; }
  QSize bildGroesse() const;

  // The owner selects and shows the record a click chose.
  std::function<void(std::int32_t k)> satzGewaehlt;
  // The records the main window shows while it filters (nullopt: all). They are dotted on the
  // map, and a click picks the nearest of them.
  void setAuswahl(std::optional<std::vector<std::int32_t>> saetze);
  // The window was closed.
  std::function<void()> geschlossen;

  QLabel* Image1;
  QScrollArea* ScrollBox1;
  QList<QAction*> groessen;

 protected:
  void closeEvent(QCloseEvent* e) override;
  void reject() override;
  bool eventFilter(QObject* ziel, QEvent* e) override;

 private:
  const Datenbestand& db_;
  std::function<char()> land_;
  double massstab_;
  QPixmap bild_;  // the picture at the scale, without the cross-hair
  // The position last marked, drawn again when the scale changes.
  std::optional<std::pair<double, double>> marke_;
  struct Kreis {
    double breite, laenge, km;
  };
  std::optional<Kreis> kreis_;
  std::optional<std::vector<std::int32_t>> auswahl_;
};

}  // namespace orvano
