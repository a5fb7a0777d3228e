#!/usr/bin/env python3
"""Writes a stand-in host installation with N fixed assets for the benchmarks and the memory runs.

    make-installation.py N FOLDER

FOLDER/installation.json describes user U01 on data file 3 (business kind 6, all three categories,
period 2024) with N assets that cycle through every depreciation method, double-byte names and
units, remarks, the equal-depreciation phase, disposed and small-amount assets; FOLDER/l-drive is
drive L: with the program folder (FilvaneDef.ini at level 2), the settings folder and TEMP.
The assets are a pure function of their index, so two runs give the same bytes.
"""

import json
import sys
from pathlib import Path

NAMES = ["営業用車両", "店舗内装工事", "レジスター", "事務所用パソコン", "冷蔵ショーケース",
         "倉庫 (鉄骨造)", "トラクター", "ﾌｫｰｸﾘﾌﾄ", "<看板> & 照明", "応接セット"]
UNITS = ["台", "式", "個", "", "坪"]
QUANTITIES = ["1,000個", "2.345", "台", ""]
REMARKS = ["", "", "", "", "R6 中古取得 耐用年数見積法による", "", "按分 50%", ""]
# (method, useful life, rate in thousandths): 1 straight, 2 old straight, 3 ..., 5/8 declining with guarantee
METHODS = [(1, 6, 167), (2, 10, 100), (3, 8, 250), (4, 3, 0), (5, 10, 250), (6, 15, 66), (7, 0, 0),
           (8, 6, 333)]


def money(yen):
    return str(yen)


def asset(index):
    method, life, rate = METHODS[index % len(METHODS)]
    cost = 100000 + (index * 7919) % 9000000
    opening = cost * (index % 5 + 1) // 6 if index % 9 else 0
    ordinary = opening * rate // 1000 if opening else cost * rate // 1000
    small = method == 7
    year = 1960 + index % 65
    acquisition = 20240301 if small else year * 10000 + (index % 12 + 1) * 100 + index % 28 + 1
    return {
        "kind": 10 if index % 13 == 0 else 1,
        "name": f"{NAMES[index % len(NAMES)]} No.{index}",
        "quantity": (QUANTITIES[index % len(QUANTITIES)] if index % 7 == 0 else
                     f"{index % 50 + 1}{UNITS[index % len(UNITS)]}" if index % 3 else UNITS[index % len(UNITS)]),
        "remarks": REMARKS[index % len(REMARKS)],
        "disposalStatus": 4 if index % 97 == 0 else 0,
        "disposalDate": 20240630 if index % 97 == 0 else 0,
        "acquisitionDate": acquisition,
        "acquisitionCost": money(cost if not small else 100000 + index % 99999),
        "costReduction": money(0 if index % 11 else 10000),
        "openingBookValue": money(0 if small else opening),
        "method": method,
        "usefulLife": life,
        "rate": rate,
        "residualIsAmount": index % 2,
        "residualValue": money(0 if index % 2 else 10),
        "businessUseRatio": 10000 if index % 4 else 5000,
        "monthsDepreciated": 12 if index % 6 else index % 12 + 1,
        "depreciationBase": money(opening or cost),
        "yearEndBalance": money(max(opening - ordinary, 0)),
        "category": index % 3 + 1,
        "equalDepreciation": 1 if index % 17 == 0 else 0,
        "revisedAcquisitionCost": money(opening // 2 if method in (5, 8) else 0),
        "year": {
            "ordinaryDepreciation": money(ordinary),
            "additionalDepreciation1": money(0 if index % 23 else 1000),
            "additionalDepreciation2": "0",
            "includedInExpenses": money(ordinary * (10000 if index % 4 else 5000) // 10000),
        },
    }


def installation(count):
    return {
        "packageName": "Ledgora２２",
        "user": {"id": "U01", "setNo": 1, "dataNo": 3},
        "appFolders": {"0": "L:\\Ledgora\\Data\\", "1": "L:\\Ledgora\\Env\\"},
        "eras": [{"start": 18680125, "name": "明治"}, {"start": 19120730, "name": "大正"},
                 {"start": 19261225, "name": "昭和"}, {"start": 19890108, "name": "平成"},
                 {"start": 20190501, "name": "令和"}],
        "dataFiles": [{
            "dataId": "D-0003", "dataNo": 3, "businessName": "山田商店 ﾔﾏﾀﾞ&Co.", "periodFrom": 20240101,
            "periodTo": 20241231, "hasManufacturingCost": 0, "dataKind": 0, "businessKind": 6,
            "roundingMode": 0, "assets": [asset(i) for i in range(count)],
        }],
        "faults": {},
        "machine": {
            "drives": {"L": {"type": "fixed", "root": "l-drive"}},
            "programFolder": "L:\\Ledgora\\Link\\",
            "currentFolder": "L:\\Ledgora\\",
            "tempFolder": "L:\\Temp\\",
        },
    }


def main():
    if len(sys.argv) != 3:
        raise SystemExit(__doc__)
    count, folder = int(sys.argv[1]), Path(sys.argv[2])
    for sub in ("Ledgora/Link", "Ledgora/Env", "Ledgora/Data", "Temp"):
        (folder / "l-drive" / sub).mkdir(parents=True, exist_ok=True)
    (folder / "l-drive/Ledgora/Link/FilvaneDef.ini").write_bytes(b"[ProgramLevel]\r\nQF14_G=2\r\n")
    with open(folder / "installation.json", "w", encoding="utf-8") as out:
        json.dump(installation(count), out, ensure_ascii=False, indent=0)


if __name__ == "__main__":
    main()
