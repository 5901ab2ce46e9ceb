#!/usr/bin/python3
"""Copies the curated seed tables into data/ as the program ships them.

Two changes, both recorded in data/README.md:
  * the names "N-butane" and "1-propanol" become "n-Butane" and "1-Propanol",
    the names the program's own example cases use (the pair lookups compare
    names with their letter case);
  * Rk_Parameter has no Memo column in the database, so that column is dropped.

Usage: copy_seed_data.py <seed folder> <data folder>
"""
import csv
import os
import sys

RENAME = {"N-butane": "n-Butane", "1-propanol": "1-Propanol"}
NAME_COLUMNS = {"Name", "Name1", "Name2"}
TABLES = ["CriticalConstant", "AntoineConstant", "HeatCapacity", "EnthalpyCoefficent",
          "LiquidDensity", "Rk_Parameter", "Wilson Parameter", "NRTL Parameter",
          "Kij Parameter"]
DROP = {"Rk_Parameter": {"Memo"}}


def copy_table(src, dst, table):
    with open(os.path.join(src, table + ".csv"), newline="", encoding="utf-8") as f:
        rows = list(csv.reader(f))
    header, body = rows[0], rows[1:]
    keep = [i for i, h in enumerate(header) if h not in DROP.get(table, set())]
    renamed = 0
    out = [[header[i] for i in keep]]
    for row in body:
        new = []
        for i in keep:
            value = row[i]
            if header[i] in NAME_COLUMNS and value in RENAME:
                value = RENAME[value]
                renamed += 1
            new.append(value)
        out.append(new)
    with open(os.path.join(dst, table + ".csv"), "w", newline="", encoding="utf-8") as f:
        csv.writer(f, lineterminator="\n").writerows(out)
    print(f"{table}: {len(body)} rows, {renamed} names renamed")


def main():
    src, dst = sys.argv[1], sys.argv[2]
    for table in TABLES:
        copy_table(src, dst, table)


if __name__ == "__main__":
    main()
