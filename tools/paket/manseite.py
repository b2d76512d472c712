#!/usr/bin/env python3
"""Writes the manual page orvano-cli(1) from `orvano-cli --help`, so that it names every command.

    tools/paket/manseite.py build/release/src/app/orvano-cli > paket/man/orvano-cli.1
"""
import re
import subprocess
import sys


def roff(t):
    t = t.replace("\\", "\\\\").replace("-", "\\-")
    for a, b in (("ä", "\\(:a"), ("ö", "\\(:o"), ("ü", "\\(:u"), ("Ä", "\\(:A"), ("Ö", "\\(:O"), ("Ü", "\\(:U"), ("ß", "\\(ss")):
        t = t.replace(a, b)
    return "\\&" + t if t.startswith((".", "'")) else t


def befehle(hilfe):
    liste, cur = [], None
    for z in hilfe[3:]:
        if z.startswith("LAND:"):
            break
        if re.match(r"^  [a-z]", z):
            teile = re.split(r"\s{2,}", z.strip(), maxsplit=1)
            cur = {"aufruf": [teile[0]], "text": teile[1:]}
            liste.append(cur)
        elif re.match(r"^         \S", z) and cur and not cur["text"]:
            cur["aufruf"].append(z.strip())
        elif z.strip() and cur:
            cur["text"].append(z.strip())
    return liste


KOPF = r""".\" Manual page of orvano-cli, written by tools/paket/manseite.py from orvano-cli --help.
.TH ORVANO-CLI 1 "Dezember 2026" "Orvano 1.5" "Benutzerbefehle"
.SH NAME
orvano\-cli \- Postleitzahl\- und Stra\(ssendateien von Orvano auf der Kommandozeile
.SH \(:UBERSICHT
.B orvano\-cli
[\fB\-\-programmordner\fR \fIORDNER\fR] \fIBEFEHL\fR [\fIOPTIONEN\fR]
.br
.B orvano\-cli \-\-version
.br
.B orvano\-cli \-\-help
.SH BESCHREIBUNG
.B orvano\-cli
f\(:uhrt die Arbeiten des Programms
.BR orvano (1)
an den Dateien eines Datenordners aus: dieselben Funktionen, dieselben Ergebnisse.
Befehle, die schreiben, sagen ohne
.B \-\-ja
nur, was sie t\(:aten. Listen geben eine Zeile je Eintrag aus, die mit der Position (ab 1) und ";" beginnt.
.SH BEFEHLE"""

FUSS = r""".SH OPTIONEN
.TP
\fB\-\-programmordner \fIORDNER\fR
der Programmordner; ohne sie gilt der Ordner, in dem orvano\-cli liegt, wenn er beschreibbar ist, sonst $XDG_DATA_HOME/Orvano (siehe DATEIEN).
.TP
\fB\-\-ordner \fINAME\fR
der Datenordner im Programmordner (Standard: Ord_1).
.TP
\fB\-\-land \fILAND\fR
Deutschland (Standard), \(:Osterreich oder Schweiz.
.TP
\fB\-\-ja\fR
schreibt wirklich; ohne sie wird nur gesagt, was geschrieben w\(:urde.
.TP
\fB\-\-version\fR
Version und Quellen der mitgelieferten Daten.
.TP
\fB\-\-help\fR, \fB\-h\fR
die Kurzhilfe mit allen Befehlen.
.PP
Die weiteren Optionen stehen bei ihren Befehlen.
.SH R\(:UCKGABEWERT
.TP
.B 0
erledigt
.TP
.B 1
Fehler; eine deutsche Meldung steht auf der Standardfehlerausgabe
.TP
.B 2
falscher Aufruf
.SH DATEIEN
.TP
.I ~/.local/share/Orvano/
der Programmordner einer installierten Fassung ($XDG_DATA_HOME/Orvano), beim ersten Start angelegt und aus
.I /usr/share/orvano/
mit dem gef\(:ullt, was ihm fehlt. Ein vorhandener Datenordner, die Einstellungen und Sicherheitskopien werden nie \(:uberschrieben.
.TP
.I Ord_*/Dat_D.ppp, Dat_A.ppp, Dat_CH.ppp
Postleitzahlen von Deutschland, \(:Osterreich und der Schweiz, Datens\(:atze zu 300 Byte.
.TP
.I Ord_*/Strassen_D.ppp, Strassen_A.ppp, Strassen_CH.ppp
die Stra\(ssen, Datens\(:atze zu 126 Byte.
.TP
.I SichCopy/
die Sicherheitskopien.
.TP
.I *.imp, *.ims
die Import\-Formate f\(:ur Postleitzahlen und Stra\(ssen.
.SH UMGEBUNG
.TP
.B ORVANO_PROGRAMMORDNER
der Programmordner, wenn gesetzt (vor allen anderen Regeln, nach \fB\-\-programmordner\fR).
.TP
.B XDG_DATA_HOME
wo der Programmordner einer installierten Fassung liegt (Standard: ~/.local/share).
.SH DATENQUELLEN
Postleitzahlen und Orte \(co OpenStreetMap\-Mitwirkende (ODbL 1.0), Koordinaten von GeoNames (CC BY 4.0), Bundesland und Vorwahl aus german\-zip\-codes (MIT); Einzelheiten in
.IR /usr/share/orvano/DATENQUELLEN.txt .
.SH SIEHE AUCH
.BR orvano (1),
.BR osmium (1)"""


def main():
    hilfe = subprocess.run([sys.argv[1], "--help"], capture_output=True, text=True, check=True).stdout.splitlines()
    zeilen = [KOPF]
    for b in befehle(hilfe):
        zeilen += [".TP", "\\fB" + roff(b["aufruf"][0]) + "\\fR"]
        for a in b["aufruf"][1:]:
            zeilen += [".br", roff(a)]
        if len(b["aufruf"]) > 1:
            zeilen.append(".br")
        zeilen.append(roff(" ".join(b["text"])))
    zeilen.append(FUSS)
    sys.stdout.write("\n".join(zeilen) + "\n")


if __name__ == "__main__":
    main()
