#include "main/Bearbeiten.h"

#include <gtest/gtest.h>

#include "core/Texte.h"
#include "main/PLZSpalten.h"

namespace orvano {
namespace {

TEST(MaskenTaste, LengthLimitsAndFiltersOfTheRecordView) {
  EXPECT_EQ(MaskenTaste(kFeldOrt, std::string(39, 'a'), 'x'), 'x');
  EXPECT_EQ(MaskenTaste(kFeldOrt, std::string(40, 'a'), 'x'), 0);
  EXPECT_EQ(MaskenTaste(kFeldOrt, std::string(40, 'a'), kRuecktaste), kRuecktaste);
  EXPECT_EQ(MaskenTaste(kFeldPLZ, "0106", '7'), '7');
  EXPECT_EQ(MaskenTaste(kFeldPLZ, "01067", '8'), '8');  // six digits get in
  EXPECT_EQ(MaskenTaste(kFeldPLZ, "010678", '9'), 0);
  EXPECT_EQ(MaskenTaste(kFeldPLZ, "", 'a'), 0);
  EXPECT_EQ(MaskenTaste(kFeldPLZ, "", 'S'), 0) << "no exemption for a capital S";
  EXPECT_EQ(MaskenTaste(kFeldVorwahl, "12345678", '9'), '9');
  EXPECT_EQ(MaskenTaste(kFeldVorwahl, "123456789", '0'), 0);
  EXPECT_EQ(MaskenTaste(kFeldAutokennzeichen, "AB", 'c'), 'c');
  EXPECT_EQ(MaskenTaste(kFeldAutokennzeichen, "ABC", 'D'), 0);
  EXPECT_EQ(MaskenTaste(kFeldBreitengrad, "51", '.'), ',');
  EXPECT_EQ(MaskenTaste(kFeldLaengengrad, "13,7", ','), 0);
  EXPECT_EQ(MaskenTaste(kFeldLaengengrad, std::string(80, '1'), '2'), '2');
}

TEST(GridTaste, ColumnRulesOfTheTableView) {
  EXPECT_EQ(GridTaste(3, std::string(24, 'a'), 'b'), 'b');
  EXPECT_EQ(GridTaste(4, std::string(25, 'a'), 'b'), 0);
  EXPECT_EQ(GridTaste(5, std::string(45, 'a'), 'b'), 0);
  EXPECT_EQ(GridTaste(6, "12345", '6'), '6');
  EXPECT_EQ(GridTaste(6, "123456", '7'), 0);
  EXPECT_EQ(GridTaste(6, "", 'x'), 0);
  EXPECT_EQ(GridTaste(7, "b", 'm'), 'M');
  EXPECT_EQ(GridTaste(7, "BMW", 'x'), 0);
  EXPECT_EQ(GridTaste(8, "52", '.'), ',');
  EXPECT_EQ(GridTaste(9, "", '-'), 0);
  EXPECT_EQ(GridTaste(1, std::string(200, 'a'), 'b'), 'b');
  EXPECT_EQ(GridTaste(6, "123456", kRuecktaste), kRuecktaste);
}

TEST(NaechsteEnterSpalte, SkipsHiddenColumnsAndEndsBeforeTheLast) {
  Tabelle t(kPLZSpalten, 2);
  for (int c = 0; c < kPLZSpalten; ++c) t.setBreite(c, kPLZBreiten[static_cast<std::size_t>(c)]);
  t.setBreite(3, -1);
  EXPECT_EQ(NaechsteEnterSpalte(t, 1), 4);
  EXPECT_EQ(NaechsteEnterSpalte(t, 9), 14);
  EXPECT_EQ(NaechsteEnterSpalte(t, 14), 15);
  EXPECT_EQ(NaechsteEnterSpalte(t, 15), -1);
  t.setBreite(16, 40);
  EXPECT_EQ(NaechsteEnterSpalte(t, 15), -1) << "the last column is never a target";
}

TEST(ZeileZuDatensatz, BuildsAFreshRecordFromTheCells) {
  Tabelle t(kPLZSpalten, 2);
  t.setZeile(1, {"1", "Dresden", "DE", "Sachsen", "", "Dresden", "01067", "DD", "51,05", "13.73", "1", "",
                 "", "", "0351", "", "99999999"});
  const TPLZRecord r = ZeileZuDatensatz(t, 1);
  EXPECT_EQ(r.Ort.text(), "Dresden");
  EXPECT_EQ(r.Staat.text(), "DE");
  EXPECT_EQ(r.PLZ, 1067);
  EXPECT_DOUBLE_EQ(r.Breitengrad, 51.05);
  EXPECT_DOUBLE_EQ(r.Laengengrad, 1373.0);  // a point is a thousands separator
  EXPECT_EQ(r.Vorwahl, 351);
  EXPECT_EQ(r.Strassen, 0);
  EXPECT_EQ(r.AbBisNr, 99999999);
  t.setZeile(1, {"", "Neu", "", "", "", "", "  ", "", "", "", "", "", "", std::string(70, 'v'), "", "", ""});
  const TPLZRecord n = ZeileZuDatensatz(t, 1);
  EXPECT_EQ(n.PLZ, 0);
  EXPECT_TRUE(n.Staat.leer());
  EXPECT_EQ(n.Verwaltungszusammenschluss.text().size(), 65u);
}

MaskenTexte Maske() {
  MaskenTexte m;
  m[kFeldOrt] = "M\xFCnchen";
  m[kFeldPLZ] = "80331";
  m[kFeldAutokennzeichen] = "M";
  m[kFeldBreitengrad] = "48,137";
  m[kFeldLaengengrad] = "11,575";
  m[kFeldVorwahl] = "089";
  return m;
}

TEST(Maske, CopiesTheFieldsAndKeepsWhatItMustNotTouch) {
  TPLZRecord r{};
  r.Staat.setzen("DE");
  r.Strassen = 17;
  r.AbBisNr = 5;
  r.Reserve[1] = 'x';
  MaskenTexte m = Maske();
  ASSERT_EQ(MaskePruefen(m), "");
  MaskeZuDatensatz(m, r);
  EXPECT_EQ(r.Ort.text(), "M\xFCnchen");
  EXPECT_EQ(r.PLZ, 80331);
  EXPECT_DOUBLE_EQ(r.Breitengrad, 48.137);
  EXPECT_EQ(r.Vorwahl, 89);
  EXPECT_EQ(r.Staat.text(), "DE");
  EXPECT_EQ(r.Strassen, 17);
  EXPECT_EQ(r.AbBisNr, 5);
  EXPECT_EQ(r.Reserve[1], 'x');
  // Empty number fields keep PLZ and coordinates; an empty Vorwahl is 0.
  m[kFeldPLZ] = m[kFeldBreitengrad] = m[kFeldVorwahl] = "";
  MaskeZuDatensatz(m, r);
  EXPECT_EQ(r.PLZ, 80331);
  EXPECT_DOUBLE_EQ(r.Breitengrad, 48.137);
  EXPECT_EQ(r.Vorwahl, 0);
}

TEST(Maske, ABadNumberIsNamedBeforeAnythingIsCopied) {
  MaskenTexte m = Maske();
  m[kFeldLaengengrad] = ",";
  EXPECT_EQ(MaskePruefen(m), "Im Feld Längengrad steht keine gültige Zahl: \",\"\rEs wurde nichts gespeichert.");
  m = Maske();
  m[kFeldPLZ] = "80S31";
  EXPECT_NE(MaskePruefen(m).find("Im Feld PLZ "), std::string::npos);
  m = Maske();
  m[kFeldBreitengrad] = "48.137";
  EXPECT_NE(MaskePruefen(m).find("Breitengrad"), std::string::npos);
  m = Maske();
  m[kFeldVorwahl] = "99999999999";
  EXPECT_NE(MaskePruefen(m).find("Vorwahl"), std::string::npos);
  // Off the globe, or a letter that would silently be dropped: refused with the field's name.
  m = Maske();
  m[kFeldBreitengrad] = "999";
  EXPECT_EQ(MaskePruefen(m), "Im Feld Breitengrad liegt 999 nicht zwischen -90 und 90\rEs wurde nichts gespeichert.");
  m = Maske();
  m[kFeldLaengengrad] = "-180,5";
  EXPECT_NE(MaskePruefen(m).find("nicht zwischen -180 und 180"), std::string::npos);
  m[kFeldLaengengrad] = "-180";
  m[kFeldBreitengrad] = "90";
  EXPECT_EQ(MaskePruefen(m), "") << "the edges are on the globe";
  m[kFeldVorwahl] = "09x65";
  EXPECT_EQ(MaskePruefen(m), "Im Feld Vorwahl steht keine gültige Zahl: \"09x65\"\rEs wurde nichts gespeichert.");
  m[kFeldVorwahl] = "-921";
  EXPECT_NE(MaskePruefen(m).find("Vorwahl"), std::string::npos);
}

TEST(Maske, EveryRowOfTheTableIsCheckedBeforeItIsSaved) {
  Tabelle t(17, 4);
  t.setZeile(1, {"1", "Bayreuth", "DE", "Bayern", "", "", "95444", "BT", "49,9456", "11,5713", "1", "", "", "", "0921"});
  t.setZeile(2, {"2", "Heinersreuth", "DE", "Bayern", "", "", "95500", "BT", "49,9667", "11,5167", "2", "", "", "", "09209"});
  t.setZeile(3, {"3", "Altenplos", "DE", "Bayern", "", "", "95500", "BT", "", "", "3", "", "", "", ""});
  EXPECT_EQ(TabellePruefen(t), "");
  t.setZelle(14, 2, "092o9");
  EXPECT_EQ(TabellePruefen(t), "Zeile 2: Im Feld Vorwahl steht keine gültige Zahl: \"092o9\"\rEs wurde nichts gespeichert.");
  t.setZelle(14, 2, "09209");
  t.setZelle(9, 3, "1180");
  EXPECT_NE(TabellePruefen(t).find("Zeile 3: Im Feld Längengrad liegt 1180"), std::string::npos);
}

}  // namespace
}  // namespace orvano
