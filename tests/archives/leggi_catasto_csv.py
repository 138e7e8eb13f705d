#!/usr/bin/env python3
"""Reads "catasto.csv" back with Python's csv module and compares it with the
register it was exported from: the header, then every register line, each
field as stored. Then reads the rendita of every record that has one as a
number in the Italian format (grouping ".", decimal ",") and prints it.

    leggi_catasto_csv.py catasto.csv tasicat.dat
"""
import csv
import locale
import sys

HEADER = ("Nome,Comune,Ubicazione,Tipologia,Partita,Sezione,Foglio,Numero,Subalterno,Categoria,Classe,"
          "Vani,Metri,Possesso,Rendita catastale,Renddito agrario,Reddito domenicale,Annotazioni").split(",")


def numero_italiano(testo):
    try:
        locale.setlocale(locale.LC_NUMERIC, "it_IT.UTF-8")
        return locale.atof(testo)
    except locale.Error:
        # No Italian locale on this machine: the same reading by hand.
        return float(testo.replace(".", "").replace(",", "."))


def main():
    csv_path, registro_path = sys.argv[1], sys.argv[2]
    with open(registro_path, encoding="cp1252", newline="") as f:
        testo = f.read()
    if not testo.endswith("\r\n"):
        sys.exit("the register does not end with CR LF")
    attese = [HEADER] + [riga.split(";") for riga in testo[:-2].split("\r\n")]

    with open(csv_path, "rb") as f:
        grezzo = f.read()
    if not grezzo.endswith(b"\r\n") or grezzo.replace(b"\r\n", b"").count(b"\n") != grezzo.count(b"\n") - grezzo.count(b"\r\n"):
        sys.exit("catasto.csv: lines must end with CR LF")
    with open(csv_path, encoding="cp1252", newline="") as f:
        lette = list(csv.reader(f, strict=True))

    errori = []
    if len(lette) != len(attese):
        errori.append(f"{len(lette)} rows read, {len(attese)} expected")
    for n, (letta, attesa) in enumerate(zip(lette, attese), 1):
        if letta != attesa:
            errori.append(f"row {n}: read {letta!r}, expected {attesa!r}")
    for riga in lette[1:]:
        if len(riga) > 14 and riga[14]:
            print(f"{riga[2]}: {numero_italiano(riga[14]):.2f}")
    if errori:
        sys.exit("\n".join(errori))


main()
