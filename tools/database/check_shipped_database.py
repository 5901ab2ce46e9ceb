#!/usr/bin/python3
"""Checks the built component property database against the CSV tables.

Reads the file with Python's own sqlite3 module (not the program's reader):
every CSV row must be in its table with the same cells (numbers equal as
doubles, empty cells null), every row must carry a registration date, and the
row counts must agree. Then prints the values the shipped-database test asserts.

Usage: check_shipped_database.py <Vadezid$.mdb> <data folder>
"""
import csv
import os
import sqlite3
import sys

TABLES = ["CriticalConstant", "AntoineConstant", "HeatCapacity", "EnthalpyCoefficent",
          "LiquidDensity", "Rk_Parameter", "Wilson Parameter", "NRTL Parameter",
          "Kij Parameter"]
TEXT = {"Formula", "Name", "Name-1", "Memo", "No", "Formula1", "Name1", "Formula2", "Name2"}


def same(stored, text, column):
    if text == "":
        return stored is None
    if column in TEXT:
        return stored == text
    return stored is not None and float(stored) == float(text)


def check_table(con, folder, table):
    with open(os.path.join(folder, table + ".csv"), newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f))
    header, body = rows[0], rows[1:]
    cols = ", ".join(f"[{h}]" for h in header)
    stored = con.execute(f"SELECT {cols}, [Date_Create] FROM [{table}] ORDER BY rowid").fetchall()
    assert len(stored) == len(body), (table, len(stored), len(body))
    for n, (row, db_row) in enumerate(zip(body, stored), start=2):
        for column, text, value in zip(header, row, db_row):
            assert same(value, text, column), (table, n, column, text, value)
        assert db_row[-1] is not None, (table, n, "no date")
    print(f"{table}: {len(body)} rows agree")


def main():
    path, folder = sys.argv[1], sys.argv[2]
    con = sqlite3.connect(f"file:{path}?mode=ro", uri=True)
    for table in TABLES:
        check_table(con, folder, table)
    show = [
        ("CriticalConstant", "Methanol", "[Formula], [MW], [Tc], [Pc], [OMG], [Date_Create]"),
        ("AntoineConstant", "Water", "[Index], [An], [Bn], [Cn], [TL], [TU]"),
        ("EnthalpyCoefficent", "Water", "[AHV]"),
    ]
    for table, name, cols in show:
        for r in con.execute(f"SELECT {cols} FROM [{table}] WHERE [Name] = ?", (name,)):
            print(table, name, r)
    for r in con.execute("SELECT [Name1], [Name2], [Lambda12], [Lambda21] FROM [Wilson Parameter]"
                         " WHERE [Name1] = 'Methanol' AND [Name2] = 'Water'"):
        print("Wilson", r)
    print("all checks passed")


if __name__ == "__main__":
    main()
