// TfrPLZ: the layout remembered between runs and the recently used files.
#include <QApplication>
#include <QComboBox>
#include <QMenu>

#include "PLZSpalten.h"
#include "core/Dateien.h"
#include "core/Pfade.h"
#include "core/Texte.h"
#include "exchange/ut_Import.h"
#include "search/ut_AdressPruefung.h"
#include "ui/Dialoge.h"
#include "ui/Layout.h"
#include "ui/StringGrid.h"
#include "ui/Text.h"
#include "ut_PLZ.h"

namespace orvano {

namespace {

QString LandSchluessel(const QString& was, char land) { return was + QStringLiteral("/") + QChar(land ? land : 'D'); }

// The kinds of recent files as the menu names them.
QString ArtText(const QString& art) {
  if (art == QStringLiteral("Import")) return QStringLiteral("Import");
  if (art == QStringLiteral("Export")) return QStringLiteral("Export");
  if (art == QStringLiteral("OSM")) return QStringLiteral("OpenStreetMap");
  return QStringLiteral("Adressliste");
}

}  // namespace

void TfrPLZ::layoutLaden() {
  layout_ = std::make_unique<ui::Layout>(QString::fromStdString(ProgVerzeichnis) + QString::fromLatin1(ui::kLayoutDatei));
  waechter_ = new ui::FensterWaechter(*layout_, this);
  qApp->installEventFilter(waechter_);
  const ui::Layout& l = *layout_;
  if (l.wert(QStringLiteral("Hauptfenster/Tabellenansicht")).isValid()) {
    TabellenAnsicht = l.wert(QStringLiteral("Hauptfenster/Tabellenansicht")).toBool();
  }
  const QVariant position = l.wert(QStringLiteral("Hauptfenster/Maskenposition"));
  if (position.canConvert<QPoint>() && !position.isNull()) fensterPosition_ = position.toPoint();
  frImport->standSetzen(l.wert(QStringLiteral("Import/Datei")).toString(), l.wert(QStringLiteral("Import/Strassen")).toBool(),
                        l.wert(QStringLiteral("Import/Format")).toString());
  zuletztMenueAufbauen();
}

void TfrPLZ::layoutSpeichern() {
  if (!layout_) return;
  ui::Layout& l = *layout_;
  l.fensterMerken(this);
  l.setWert(QStringLiteral("Hauptfenster/Tabellenansicht"), TabellenAnsicht);
  l.setWert(QStringLiteral("Hauptfenster/Maskenposition"), TabellenAnsicht ? fensterPosition_ : pos());
  spaltenMerken();
  const std::int32_t k = TextZuZahl(daten_.zelle(kSpalteIndex, StringGrid1->aktuelleZeile()));
  if (k > 0) l.setWert(LandSchluessel(QStringLiteral("Satz"), spaltenLand_), k);
  l.setWert(QStringLiteral("Import/Datei"), frImport->OpenDialog1Datei);
  l.setWert(QStringLiteral("Import/Strassen"), !frImport->plz());
  l.setWert(QStringLiteral("Import/Format"), frImport->cbFormat->currentText());
  if (frAdressPruefung) l.setWert(QStringLiteral("Adresspruefung/Filter"), frAdressPruefung->cbFilter->currentIndex());
  if (!l.schreiben()) StatusMelden(QStringLiteral("Die Fensteranordnung konnte nicht in Orvano.ini gespeichert werden"));
}

void TfrPLZ::spaltenMerken() {
  if (!layout_ || spaltenLand_ == 0) return;
  layout_->setWert(LandSchluessel(QStringLiteral("Spalten"), spaltenLand_), StringGrid1->kopfZustand());
  QVariantList verborgen;
  for (const int c : StringGrid1->benutzerVerborgen()) verborgen.append(c);
  layout_->setWert(LandSchluessel(QStringLiteral("Verborgen"), spaltenLand_), verborgen);
}

void TfrPLZ::spaltenHerstellen() {
  const std::string land = landText();
  const char neu = LandBuchstabe(land.empty() ? ' ' : land.front());
  if (!layout_ || neu == spaltenLand_) return;
  // The columns the user arranged belong to the country they were arranged for.
  spaltenMerken();
  spaltenLand_ = neu;
  QList<int> verborgen;
  for (const QVariant& v : layout_->wert(LandSchluessel(QStringLiteral("Verborgen"), neu)).toList()) verborgen.append(v.toInt());
  StringGrid1->setBenutzerVerborgen(verborgen);
  StringGrid1->kopfHerstellen(layout_->wert(LandSchluessel(QStringLiteral("Spalten"), neu)).toByteArray());
}

void TfrPLZ::zuletztVerwendet(const QString& art, const QString& pfad) {
  if (!layout_ || pfad.isEmpty()) return;
  layout_->zuletztVerwendet(art, pfad);
  zuletztMenueAufbauen();
}

void TfrPLZ::zuletztMenueAufbauen() {
  if (!layout_) return;
  mnZuletzt->clear();
  const auto liste = layout_->zuletzt();
  for (int i = 0; i < liste.size(); ++i) {
    const ui::ZuletztEintrag e = liste[i];
    // "&1 Export: /pfad/PLZ_D.csv": the digit is the entry's key.
    QString pfad = e.pfad;
    pfad.replace(QChar('&'), QStringLiteral("&&"));
    QAction* a = mnZuletzt->addAction(QStringLiteral("&%1 %2: %3").arg(i + 1).arg(ArtText(e.art), pfad));
    connect(a, &QAction::triggered, this, [this, e] { zuletztOeffnen(e.art, e.pfad); });
  }
  mnZuletzt->setEnabled(!liste.isEmpty());
}

void TfrPLZ::zuletztOeffnen(const QString& art, const QString& pfad) {
  if (art != QStringLiteral("Export") && !DateiVorhanden(pfad.toStdString())) {
    ui::Meldung(QStringLiteral("Datei ") + pfad + QStringLiteral(" nicht gefunden"));
    return;
  }
  if (art == QStringLiteral("Import")) {
    importZeigen(pfad);
  } else if (art == QStringLiteral("Export")) {
    ExportStarten(pfad);
  } else if (art == QStringLiteral("OSM")) {
    OsmImportStarten(pfad);
  } else {
    AdresslistePruefen(pfad);
  }
}

}  // namespace orvano
