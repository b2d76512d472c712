// Scripted answers for the windows' dialogs. Every box, file, print and open request is
// recorded; one that no answer was scripted for fails the test at once (and is answered
// with No / Cancel), and answers left over at the end fail it too.
#pragma once

#include <QPrinter>

#include <gtest/gtest.h>

#include <QStringList>
#include <deque>
#include <optional>
#include <vector>

#include "ui/Dialoge.h"

namespace orvano::test {

class TestDialoge : public ui::Dialoge {
 public:
  TestDialoge() { ui::dialogeSetzen(this); }
  ~TestDialoge() override {
    ui::dialogeSetzen(nullptr);
    for (const auto& e : erwartet_) ADD_FAILURE() << "Antwort nicht gebraucht, vorgesehen für: " << e.text.value_or("(beliebig)").toStdString();
    for (const auto& d : dateien_) ADD_FAILURE() << "Dateiname nicht gebraucht: " << d.toStdString();
  }

  // The next box gets ANTWORT; with TEXT the box must show exactly that text.
  TestDialoge& antworte(ui::Antwort antwort, std::optional<QString> text = std::nullopt) {
    erwartet_.push_back({antwort, std::move(text)});
    return *this;
  }
  // The next file dialog returns NAME (empty: the user cancels).
  TestDialoge& datei(const QString& name) {
    dateien_.push_back(name);
    return *this;
  }
  TestDialoge& druckenAntwort(bool ja) {
    drucken_.push_back(ja);
    return *this;
  }

  ui::Antwort box(const ui::Box& b) override {
    boxen.push_back(b);
    if (erwartet_.empty()) {
      ADD_FAILURE() << "Unerwartete Meldung: " << b.text.toStdString();
      return b.knoepfe == ui::Knoepfe::Ok ? ui::Antwort::Ok : b.knoepfe == ui::Knoepfe::JaNein ? ui::Antwort::Nein : ui::Antwort::Abbrechen;
    }
    const Erwartung e = erwartet_.front();
    erwartet_.pop_front();
    if (e.text) {
      EXPECT_EQ(b.text.toStdString(), e.text->toStdString());
    }
    return e.antwort;
  }
  QString dateiOeffnen(const ui::DateiDialog& d) override { return dateiName(d); }
  QString dateiSpeichern(const ui::DateiDialog& d) override { return dateiName(d); }
  bool drucken(QPrinter& drucker) override {
    if (drucken_.empty()) {
      ADD_FAILURE() << "Unerwarteter Druckdialog";
      return false;
    }
    const bool ja = drucken_.front();
    drucken_.pop_front();
    // A chosen file: the print goes there as PDF, for tests that read what was printed.
    if (ja && !druckDatei.isEmpty()) {
      drucker.setOutputFormat(QPrinter::PdfFormat);
      drucker.setOutputFileName(druckDatei);
    }
    return ja;
  }
  QString druckDatei;
  bool oeffnen(const QUrl& adresse) override {
    geoeffnet.push_back(adresse);
    return browserDa;
  }
  // False: no browser starts.
  bool browserDa = true;

  QStringList texte() const {
    QStringList t;
    for (const auto& b : boxen) t << b.text;
    return t;
  }
  bool alleBeantwortet() const { return erwartet_.empty() && dateien_.empty(); }

  std::vector<ui::Box> boxen;
  std::vector<ui::DateiDialog> dateiDialoge;
  std::vector<QUrl> geoeffnet;

 private:
  struct Erwartung {
    ui::Antwort antwort;
    std::optional<QString> text;
  };
  QString dateiName(const ui::DateiDialog& d) {
    dateiDialoge.push_back(d);
    if (dateien_.empty()) {
      ADD_FAILURE() << "Unerwarteter Dateidialog: " << d.titel.toStdString();
      return {};
    }
    const QString n = dateien_.front();
    dateien_.pop_front();
    return n;
  }
  std::deque<Erwartung> erwartet_;
  std::deque<QString> dateien_;
  std::deque<bool> drucken_;
};

}  // namespace orvano::test
