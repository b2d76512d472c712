#!/usr/bin/env python3
"""A small street-list service for Orvano, answering on 127.0.0.1.

    python3 tools/strassendienst/strassendienst.py strassen.csv [--port 8080] [--tls CERT KEY]

With --tls it answers on https with the certificate CERT and its key KEY (PEM files); Orvano
trusts it when Dienste.ini names the CA that signed it ("Strassenliste.ca=/pfad/ca.pem").

GET /php/plz_imp.php?ort=ORT&plz=PLZ answers with the streets of the place ORT (compared
the way Orvano asks: blanks as "-", without "(", ")" and ",", case not counted) and the
postal code PLZ ("0": every postal code of the place), one street per line:

    Name|Ort|Bundesland|Postleitzahl|Länge<BR>

The CSV has a title line; its columns are found by title: "Name" or "Strasse", "Ort",
"Postleitzahl" or "PLZ", and optionally "Bundesland" and "Länge". Separator ";" or tab;
UTF-8 or Windows-1252.
"""
import argparse
import csv
import html
import http.server
import io
import ssl
import sys
import urllib.parse


def normal(ort):
    ort = ort.replace(" ", "-")
    for z in "(),":
        ort = ort.replace(z, "")
    return ort.casefold()


def lesen(pfad):
    roh = open(pfad, "rb").read()
    try:
        text = roh.decode("utf-8-sig")
    except UnicodeDecodeError:
        text = roh.decode("cp1252")
    zeilen = text.splitlines()
    if not zeilen:
        return []
    trenner = "\t" if zeilen[0].count("\t") > zeilen[0].count(";") else ";"
    leser = csv.reader(io.StringIO("\n".join(zeilen)), delimiter=trenner)
    titel = [t.strip() for t in next(leser)]

    def spalte(*namen):
        for n in namen:
            if n in titel:
                return titel.index(n)
        return None

    name, ort, plz = spalte("Name", "Strasse"), spalte("Ort"), spalte("Postleitzahl", "PLZ")
    land, laenge = spalte("Bundesland"), spalte("Länge", "Laenge")
    if name is None or ort is None or plz is None:
        sys.exit("Die CSV-Datei braucht die Spalten Name (oder Strasse), Ort und Postleitzahl (oder PLZ)")

    def feld(z, i):
        return z[i].strip() if i is not None and i < len(z) else ""

    return [(feld(z, name), feld(z, ort), feld(z, land), feld(z, plz), feld(z, laenge)) for z in leser if z]


def main():
    a = argparse.ArgumentParser(description="Strassenlisten-Dienst für Orvano")
    a.add_argument("csv")
    a.add_argument("--port", type=int, default=8080)
    a.add_argument("--tls", nargs=2, metavar=("CERT", "KEY"), help="https mit Zertifikat und Schlüssel (PEM)")
    args = a.parse_args()
    strassen = lesen(args.csv)

    class Dienst(http.server.BaseHTTPRequestHandler):
        def do_GET(self):
            url = urllib.parse.urlsplit(self.path)
            if url.path != "/php/plz_imp.php":
                self.send_error(404)
                return
            frage = urllib.parse.parse_qs(url.query, keep_blank_values=True)
            ort = normal(frage.get("ort", [""])[0])
            plz = frage.get("plz", [""])[0]
            zeilen = [
                "|".join(html.escape(f) for f in s) + "<BR>"
                for s in strassen
                if normal(s[1]) == ort and (plz == "0" or s[3].lstrip("0") == plz.lstrip("0"))
            ]
            inhalt = ("<html><body>" + "".join(zeilen) + "</body></html>").encode("utf-8")
            self.send_response(200)
            self.send_header("Content-Type", "text/html; charset=utf-8")
            self.send_header("Content-Length", str(len(inhalt)))
            self.end_headers()
            self.wfile.write(inhalt)

    server = http.server.ThreadingHTTPServer(("127.0.0.1", args.port), Dienst)
    schema = "http"
    if args.tls:
        kontext = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        kontext.load_cert_chain(args.tls[0], args.tls[1])
        server.socket = kontext.wrap_socket(server.socket, server_side=True)
        schema = "https"
    print(f"Straßenlisten-Dienst auf {schema}://127.0.0.1:{args.port} ({len(strassen)} Straßen)", flush=True)
    try:
        server.serve_forever()
    except KeyboardInterrupt:
        pass


if __name__ == "__main__":
    main()
