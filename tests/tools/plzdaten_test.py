#!/usr/bin/env python3
"""The postal-code generator on small excerpts of its GeoNames sources."""
import importlib.machinery
import os
import struct
import sys
import types
import unittest

QUELLE = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "plzdaten", "plzdaten.py")
lader = importlib.machinery.SourceFileLoader("plzdaten", QUELLE)
plzdaten = types.ModuleType(lader.name)
lader.exec_module(plzdaten)

KOPF = "country_code,zipcode,place,state,state_code,province,province_code,community,community_code,latitude,longitude"


def zeile(text):
    return dict(zip(KOPF.split(","), text.split(",")))


def felder(satz):
    f = plzdaten.SATZ.unpack(satz)
    t = lambda b: b[1:1 + b[0]].decode("cp1252")
    return {"staat": t(f[1]), "land": t(f[2]), "kreis": t(f[4]), "gemeinde": t(f[5]), "ort": t(f[6]), "breite": f[9],
            "laenge": f[10], "kz": t(f[11]), "plz": f[12]}


class Ausland(unittest.TestCase):
    def test_felder_kantone_und_liechtenstein(self):
        zeilen = [zeile(z) for z in (
            "CH,9100,Herisau,Kanton Appenzell Ausserrhoden,AR,Bezirk Hinterland,1501,Herisau,3001,47.3861,9.2792",
            "CH,1860,Aigle,Canton de Vaud,VD,Aigle District,2221,Aigle,5401,46.3181,6.9646",
            "CH,8001,Zürich,Kanton Zürich,ZH,Bezirk Zürich,112,Zürich,261,47.3721,8.5417",
            "LI,9490,Vaduz,Vaduz,7001,,,,,47.1431,9.5256",
            "CH,8001,Zürich,Kanton Zürich,ZH,Bezirk Zürich,112,Zürich,261,47.37,8.54")]
        saetze = [felder(s) for s in plzdaten.auslands_saetze(zeilen, "CH")]
        self.assertEqual([s["plz"] for s in saetze], [1860, 8001, 9100, 9490], "one per code and place, in code order")
        self.assertEqual(saetze[0]["land"], "Waadt")
        self.assertEqual(saetze[0]["kreis"], "Bezirk Aigle")
        self.assertEqual(saetze[2]["land"], "Appenzell Ausserrhoden", "a canton's name is never cut")
        self.assertEqual(saetze[2]["kz"], "AR")
        self.assertEqual((saetze[3]["staat"], saetze[3]["land"], saetze[3]["kz"], saetze[3]["gemeinde"]), ("LI", "Liechtenstein", "FL", "Vaduz"))
        self.assertAlmostEqual(saetze[1]["breite"], 47.3721)

    def test_oesterreich_ohne_politischer_bezirk(self):
        zeilen = [zeile("AT,3500,Krems an der Donau,Niederösterreich,03,Krems an der Donau Stadt,301,Krems an der Donau,30101,48.41,15.61"),
                  zeile("AT,8380,Jennersdorf,Burgenland,01,Politischer Bezirk Jennersdorf,105,Jennersdorf,10503,46.93,16.14")]
        saetze = [felder(s) for s in plzdaten.auslands_saetze(zeilen, "AT")]
        self.assertEqual(saetze[1]["kreis"], "Jennersdorf")
        self.assertEqual((saetze[0]["staat"], saetze[0]["land"], saetze[0]["gemeinde"], saetze[0]["kz"]),
                         ("AT", "Niederösterreich", "Krems an der Donau", ""))


class Deutschland(unittest.TestCase):
    def test_lage_kreis_und_die_entfernungspruefung(self):
        zeilen = [zeile(z) for z in (
            "DE,22929,Hamfelde in Holstein,Schleswig-Holstein,SH,,00,Kreis Stormarn,01062,53.6037,10.4513",
            "DE,22929,Hamfelde in Lauenburg,Schleswig-Holstein,SH,,00,Kreis Herzogtum Lauenburg,01053,53.5966,10.4482",
            "DE,08468,Reichenbach,Sachsen,SN,,00,Vogtlandkreis,14523,50.6225,12.3378",
            "DE,97359,Schwarzach am Main,Bayern,BY,Regierungsbezirk Unterfranken,096,Landkreis Kitzingen,09675,49.7996,10.2298",
            "DE,97359,Hörblach,Bayern,BY,Regierungsbezirk Unterfranken,096,Landkreis Kitzingen,09675,49.78,10.25")]
        daten = [{"plz": 22929, "ort": "Hamfelde"}, {"plz": 22929, "ort": "Hamfelde"}, {"plz": 8468, "ort": "Reichenbach"},
                 {"plz": 97359, "ort": "Sommerach"}, {"plz": 1234, "ort": "Nirgendwo"}]
        weit = plzdaten.lage_aus_postleitzahlen(daten, zeilen)
        self.assertEqual([d["kreis"] for d in daten[:2]], ["Kreis Stormarn", "Kreis Herzogtum Lauenburg"])
        self.assertEqual(daten[2]["lage"], (50.6225, 12.3378), "Reichenbach im Vogtland, not a namesake")
        self.assertEqual((daten[3]["kreis"], daten[3]["rb"]), ("Landkreis Kitzingen", "Unterfranken"), "what the code's rows agree on")
        self.assertAlmostEqual(daten[3]["lage"][0], (49.7996 + 49.78) / 2)
        self.assertIsNone(daten[4]["lage"], "a code GeoNames lacks gets nothing")
        self.assertEqual(weit, [])
        # A code whose points lie far apart: a place none of them names would sit between
        # them, far from all; the check names it.
        zeilen += [zeile("DE,01234,Nordort,Sachsen,SN,,00,Kreis A,1,51.5,13.0"), zeile("DE,01234,Suedort,Sachsen,SN,,00,Kreis B,2,50.5,13.0")]
        daten = [{"plz": 1234, "ort": "Nordort"}, {"plz": 1234, "ort": "Mittelort"}]
        weit = plzdaten.lage_aus_postleitzahlen(daten, zeilen)
        self.assertEqual([d["ort"] for d, _ in weit], ["Mittelort"])
        self.assertGreater(weit[0][1], plzdaten.PRUEF_KM)
        self.assertEqual(daten[1]["kreis"], "", "the code's rows disagree on the district")

    def test_kreis_am_wort_gekuerzt(self):
        self.assertEqual(plzdaten.kurz_am_wort("Landkreis Sankt Wendel und die Gemeinden am Rande des Saarlandes", 45),
                         "Landkreis Sankt Wendel und die Gemeinden am")


class Ausgabe(unittest.TestCase):
    def test_dieselben_bytes(self):
        zeilen = [zeile("AT,1010,Wien,Wien,09,Wien (Stadt),900,Gemeindebezirk Innere Stadt,90101,48.2077,16.3705")]
        self.assertEqual(b"".join(plzdaten.auslands_saetze(zeilen, "AT")), b"".join(plzdaten.auslands_saetze(zeilen, "AT")))
        self.assertEqual(len(plzdaten.auslands_saetze(zeilen, "AT")[0]), 300)


if __name__ == "__main__":
    unittest.main()
