#!/usr/bin/env python3
"""Expected depreciation report of one whole run, computed from the product's rules alone, never from the program.

    oracle.py INSTALLATION --edition alpha|beta|gamma --category N [--data-no N]
              [--command-line TEXT] [--output FILE]
    oracle.py --self-test

Reads the installation file (the same one link-headless is given) and writes the bytes the report
file must hold for the selected data file (user.dataNo unless --data-no) and OutputCategory N.
Everything is integer arithmetic on ten-thousandths; doubles appear only where the rules convert
one (a parsed quantity, rate x 0.001, the constant 0.05), exactly as the rules do it.

Cases the rules leave to the implementer (business names over 30 bytes, remarks whose lower
line would exceed 20 bytes, overflowing totals, ...) are refused with an error instead of guessed.
"""

import argparse
import json
import sys
import unicodedata
from pathlib import Path


class Unsupported(Exception):
    """The installation asks for a result the rules leave open; the oracle will not guess it."""


class Overflow(Exception):
    pass


# --------------------------------------------------------------------------- fixed-point decimal

UNIT = 10000
HALF_UP, ROUND_UP, ROUND_DOWN = 0, 1, 2


class Fx:
    """sign x magnitude, the magnitude in ten-thousandths; a zero may carry sign -1."""

    __slots__ = ("sign", "mag")

    def __init__(self, sign, mag):
        assert sign in (1, -1) and mag >= 0
        self.sign = sign
        self.mag = mag

    @property
    def scaled(self):
        return self.sign * self.mag

    @property
    def integer(self):
        return self.mag // UNIT

    @property
    def fraction(self):
        return self.mag % UNIT

    def __repr__(self):
        return f"Fx({'-' if self.sign < 0 else ''}{self.integer}.{self.fraction:04d})"


def from_scaled(value):
    return Fx(-1 if value < 0 else 1, abs(value))


def from_currency(value):
    return from_scaled(value)


def from_integer(n):
    return from_scaled(n * UNIT)


def from_double(x):
    x = float(x)
    sign = -1 if x < 0 else 1
    ax = abs(x)
    if ax >= 1e14:
        raise Overflow("FromDouble")
    whole = int(ax)
    fraction = (int((ax - whole) * 100000.0) + 5) // 10
    if fraction >= UNIT:
        whole += 1
        fraction -= UNIT
    return Fx(sign, whole * UNIT + fraction)


def from_text(text):
    """text: bytes."""
    i = 0
    n = len(text)
    while i < n and text[i] == 0x20:
        i += 1
    negative = False
    if i < n and text[i] == ord("-"):
        i += 1
        negative = i < n and 0x30 <= text[i] <= 0x39
    whole = 0
    fraction = 0
    while i < n:
        c = text[i]
        if 0x30 <= c <= 0x39:
            whole = whole * 10 + (c - 0x30)
        elif c == ord(","):
            pass
        elif c == ord("."):
            digits = 0
            for k in range(5):
                j = i + 1 + k
                d = text[j] - 0x30 if j < n and 0x30 <= text[j] <= 0x39 else None
                if d is None:
                    # missing digits count as 0, and reading stops at the first non-digit
                    digits = digits * 10 ** (5 - k)
                    break
                digits = digits * 10 + d
            fraction = (digits + 5) // 10
            if fraction >= UNIT:
                whole += 1
                fraction -= UNIT
            break
        else:
            break
        i += 1
    return Fx(-1 if negative else 1, whole * UNIT + fraction)


def _result(sign, mag):
    return Fx(1 if mag == 0 else sign, mag)


def add(a, b):
    s = a.scaled + b.scaled
    if abs(s) >= 10 ** 18:
        raise Overflow("Add")
    return from_scaled(s)


def subtract(a, b):
    return from_scaled(a.scaled - b.scaled)


def multiply(a, b):
    ii = a.integer * b.integer
    if ii >= 2 ** 63:
        raise Overflow("Multiply")
    mag = ii * UNIT + a.integer * b.fraction + a.fraction * b.integer + (a.fraction * b.fraction + 5000) // UNIT
    return _result(a.sign * b.sign, mag)


def multiply_by_integer(a, n):
    if a.integer * abs(n) >= 2 ** 63:
        raise Overflow("MultiplyByInteger")
    return _result(a.sign * (-1 if n < 0 else 1), a.mag * abs(n))


def divide(a, b):
    if b.mag == 0:
        raise Overflow("Divide by zero")
    quotient, remainder = divmod(a.mag, b.mag)
    digits = 0
    for _ in range(5):
        remainder *= 10
        digits = digits * 10 + remainder // b.mag
        remainder %= b.mag
    fraction = (digits + 5) // 10
    if fraction >= UNIT:
        quotient += 1
        fraction -= UNIT
    return _result(a.sign * b.sign, quotient * UNIT + fraction)


def divide_by_double(a, x):
    return divide(a, from_double(x))


def round_fx(v, mode, position):
    """Returns the rounded value, or None when the mode or position is refused."""
    if mode not in (HALF_UP, ROUND_UP, ROUND_DOWN) or not -12 <= position <= 4:
        return None
    whole, fraction = v.integer, v.fraction
    if position >= 0:
        p = {0: 10000, 1: 10000, 2: 1000, 3: 100, 4: 10}[position]
        if mode == HALF_UP:
            fraction = ((fraction + p // 2) // p) * p
        elif mode == ROUND_UP:
            fraction = -(-fraction // p) * p
        else:
            fraction = (fraction // p) * p
        if fraction == UNIT:
            fraction = 0
            whole += 1
    else:
        p = 10 ** (-position)
        if mode == HALF_UP:
            whole = ((whole + p // 2) // p) * p
        elif mode == ROUND_UP:
            if whole % p or fraction:
                whole = (whole // p + 1) * p
        else:
            whole = (whole // p) * p
        fraction = 0
    if whole >= 10 ** 18:
        raise Overflow("Round")
    return Fx(v.sign, whole * UNIT + fraction)


def must_round(v, mode, position):
    r = round_fx(v, mode, position)
    if r is None:
        raise Unsupported(f"rounding mode {mode} at position {position} is refused")
    return r


def is_less(a, b):
    return a.scaled < b.scaled


def is_greater(a, b):
    return a.scaled > b.scaled


def format_whole(v, width):
    """Yen text: half away from zero to whole units; empty when it does not fit width - 1 bytes."""
    try:
        r = must_round(v, HALF_UP, 1)
    except Overflow:
        return b""
    sign = 1 if r.mag == 0 else r.sign
    text = ("-" if sign < 0 else "") + str(r.integer)
    return b"" if len(text) >= width else text.encode("ascii")


def format_currency_whole(value, width):
    return format_whole(from_currency(value), width)


def print_fixed(v, decimals):
    """printf("%.Nf") of a value that already has at most N decimals."""
    step = UNIT // 10 ** decimals
    if v.fraction % step:
        raise Unsupported(f"{v!r} printed with {decimals} decimals would need rounding")
    if v.sign < 0 and v.mag == 0:
        raise Unsupported("a negative zero printed with %f")
    text = str(v.integer) + "." + str(v.fraction // step).rjust(decimals, "0")
    return ("-" if v.sign < 0 else "") + text


def print_one_decimal_of_double(v):
    """"%.1f" of the value as a double: C's printf rounds the exact binary value, as Python's % does."""
    scaled = v.mag if v.sign > 0 else -v.mag
    return "%.1f" % (scaled / 10000.0)


# --------------------------------------------------------------------------- guarantee ratios (x 10000)

TABLE_250 = [
    None, "0.0", "0.0", "278.9", "527.4", "624.9", "577.6", "549.6", "511.1", "473.1",
    "444.8", "412.3", "387.0", "363.3", "338.9", "321.7", "306.3", "290.5", "275.7", "261.6",
    "251.7", "240.8", "229.6", "222.6", "215.7", "205.8", "198.9", "190.2", "186.6", "180.3",
    "176.6", "168.8", "165.5", "158.5", "153.2", "153.2", "149.4", "142.5", "139.3", "137.0",
    "131.7", "130.6", "126.1", "124.8", "121.0", "117.5", "117.5", "115.3", "112.6", "110.2",
    "107.2", "105.3", "103.6", "102.8", "101.5", "100.7", "96.1", "95.2", "94.5", "93.4",
    "89.5", "89.2", "88.2", "84.7", "84.7", "84.7", "82.8", "82.8", "81.0", "80.0",
    "77.1", "77.1", "75.1", "75.1", "73.8", "73.8", "72.6", "72.6", "71.6", "69.3",
    "69.3", "68.3", "68.3", "67.3", "65.3", "65.3", "64.5", "62.7", "62.7", "62.0",
    "60.3", "64.9", "63.2", "61.5", "59.8", "59.4", "57.8", "56.3", "54.9", "54.9",
    "54.6", "54.6",
]
TABLE_200 = [
    None, "0.0", "0.0", "1108.9", "1249.9", "1080.0", "991.1", "868.0", "790.9", "712.6",
    "655.2", "599.2", "556.6", "518.0", "485.4", "456.5", "429.4", "403.8", "388.4", "369.3",
    "348.6", "333.5", "318.2", "305.2", "296.9", "284.1", "271.6", "262.4", "256.8", "246.3",
    "236.6", "228.6", "221.6", "216.1", "209.7", "205.1", "197.4", "195.0", "188.2", "186.0",
    "179.1", "174.1", "169.4", "166.4", "166.4", "163.4", "160.1", "153.2", "149.9", "147.5",
    "144.0", "142.2", "142.2", "137.0", "137.0", "133.7", "128.8", "128.1", "128.1", "124.0",
    "124.0", "120.1", "120.1", "116.5", "116.5", "113.0", "113.0", "109.7", "109.7", "106.5",
    "103.4", "103.4", "100.6", "106.3", "103.5", "100.7", "98.0", "95.4", "92.9", "92.9",
    "90.7", "88.4", "92.9", "90.7", "88.5", "86.4", "88.5", "86.4", "84.4", "86.3",
    "84.4", "82.5", "80.7", "79.0", "80.7", "79.0", "77.3", "75.7", "77.3", "75.7",
    "74.2", "74.2",
]
assert len(TABLE_250) == 102 and len(TABLE_200) == 102


def ratio_entry(method, life):
    """The table entry, or None for a life without one (which gives a guarantee amount of 0)."""
    if not 1 <= life <= 101:
        return None
    table = TABLE_200 if method == 8 else TABLE_250
    return from_text(table[life].encode("ascii"))


# --------------------------------------------------------------------------- Shift_JIS texts

def is_lead(b):
    return 0x81 <= b <= 0x9F or 0xE0 <= b <= 0xFC


def is_trail(b):
    return 0x40 <= b <= 0x7E or 0x80 <= b <= 0xFC


def char_starts(text):
    """Start offsets of the characters of text, walking from its first byte."""
    starts = []
    i = 0
    while i < len(text):
        starts.append(i)
        i += 2 if is_lead(text[i]) and i + 1 < len(text) and is_trail(text[i + 1]) else 1
    return starts


def double_byte_starts_at(text, index):
    """True when a two-byte character starts at byte index (walking from the first byte)."""
    starts = char_starts(text)
    return index in starts and is_lead(text[index]) and index + 1 < len(text) and is_trail(text[index + 1])


def inside_double_byte(text, index):
    """True when byte index is the second byte of a two-byte character."""
    for s in char_starts(text):
        if s == index - 1 and is_lead(text[s]) and index < len(text) and is_trail(text[index]):
            return True
    return False


def cp932(text):
    return text.encode("cp932")


# --------------------------------------------------------------------------- installation

def text_value(value, where):
    if value is None:
        return b""
    if isinstance(value, str):
        return cp932(value)
    if isinstance(value, dict) and set(value) == {"cp932hex"}:
        return bytes.fromhex(value["cp932hex"])
    raise Unsupported(f"{where}: not a text")


def money_value(value, where):
    """Signed count of ten-thousandths of a yen."""
    if value is None:
        return 0
    if isinstance(value, bool):
        raise Unsupported(f"{where}: not money")
    if isinstance(value, int):
        return value * UNIT
    if not isinstance(value, str):
        raise Unsupported(f"{where}: not money")
    text = value
    negative = text.startswith("-")
    if negative:
        text = text[1:]
    whole, dot, fraction = text.partition(".")
    if not whole.isdigit() or (dot and (not fraction.isdigit() or len(fraction) > 4)):
        raise Unsupported(f"{where}: not money: {value!r}")
    scaled = int(whole) * UNIT + int(fraction.ljust(4, "0") if dot else "0")
    return -scaled if negative else scaled


def int_value(value, where):
    if value is None:
        return 0
    if not isinstance(value, int) or isinstance(value, bool):
        raise Unsupported(f"{where}: not an integer")
    return value


class Asset:
    def __init__(self, json_asset, where):
        j = json_asset
        self.note = j.get("_note", "")
        self.kind = int_value(j.get("kind"), where)
        self.name = text_value(j.get("name"), where)
        self.quantity = text_value(j.get("quantity"), where)
        self.remarks = text_value(j.get("remarks"), where)
        self.disposal_status = int_value(j.get("disposalStatus"), where)
        self.disposal_date = int_value(j.get("disposalDate"), where)
        self.acquisition_date = int_value(j.get("acquisitionDate"), where)
        self.acquisition_cost = money_value(j.get("acquisitionCost"), where)
        self.cost_reduction = money_value(j.get("costReduction"), where)
        self.opening_book_value = money_value(j.get("openingBookValue"), where)
        self.method = int_value(j.get("method"), where)
        self.useful_life = int_value(j.get("usefulLife"), where)
        self.rate = int_value(j.get("rate"), where)
        self.residual_is_amount = int_value(j.get("residualIsAmount"), where)
        self.residual_value = money_value(j.get("residualValue"), where)
        self.business_use_ratio = int_value(j.get("businessUseRatio"), where)
        self.months = int_value(j.get("monthsDepreciated"), where)
        self.depreciation_base = money_value(j.get("depreciationBase"), where)
        self.year_end_balance = money_value(j.get("yearEndBalance"), where)
        self.category = int_value(j.get("category"), where)
        self.equal_depreciation = int_value(j.get("equalDepreciation"), where)
        self.revised_acquisition_cost = money_value(j.get("revisedAcquisitionCost"), where)
        year = j.get("year") or {}
        self.ordinary = money_value(year.get("ordinaryDepreciation"), where)
        self.additional1 = money_value(year.get("additionalDepreciation1"), where)
        self.additional2 = money_value(year.get("additionalDepreciation2"), where)
        self.included_in_expenses = money_value(year.get("includedInExpenses"), where)


class DataFile:
    def __init__(self, j, where):
        self.data_no = int_value(j.get("dataNo"), where)
        self.business_name = text_value(j.get("businessName"), where)
        self.period_from = int_value(j.get("periodFrom"), where)
        self.period_to = int_value(j.get("periodTo"), where)
        self.business_kind = int_value(j.get("businessKind"), where)
        self.rounding_mode = int_value(j.get("roundingMode"), where)
        self.assets = [Asset(a, f"{where}.assets[{i}]") for i, a in enumerate(j.get("assets") or [])]


class Installation:
    def __init__(self, path):
        self.path = Path(path)
        j = json.loads(self.path.read_text(encoding="utf-8"))
        self.json = j
        self.user_data_no = int_value((j.get("user") or {}).get("dataNo"), "user.dataNo")
        self.eras = [(int_value(e.get("start"), "eras"), text_value(e.get("name"), "eras")) for e in j.get("eras") or []]
        self.data_files = [DataFile(d, f"dataFiles[{i}]") for i, d in enumerate(j.get("dataFiles") or [])]
        self.faults = j.get("faults") or {}
        self.machine = j.get("machine") or {}

    def data_file(self, data_no):
        for d in self.data_files:
            if d.data_no == data_no:
                return d
        raise Unsupported(f"no data file numbered {data_no}")

    def accounting_period(self, data):
        """Start and end as the host's period object gives them to the record builder."""
        known = {"GetPeriod", "GetAccPeriod"}
        if set(self.faults) - known:
            raise Unsupported(f"faults {sorted(set(self.faults) - known)} are not modelled")
        if self.faults.get("GetAccPeriod") == "none":
            return 0, 0
        period = self.faults.get("GetPeriod")
        if period is None:
            return data.period_from, data.period_to
        if not isinstance(period, dict) or period.get("status", 0) != 0 or set(period) - {"status", "from", "to"}:
            raise Unsupported("only a GetPeriod fault with status 0 and both dates is modelled")
        return int_value(period.get("from"), "GetPeriod.from"), int_value(period.get("to"), "GetPeriod.to")

    def host_file(self, windows_folder, name):
        """The native path of a file in a folder of the simulated machine, or None."""
        if not windows_folder or len(windows_folder) < 2 or windows_folder[1] != ":":
            return None
        drives = {k.upper(): v for k, v in (self.machine.get("drives") or {}).items()}
        drive = drives.get(windows_folder[0].upper())
        if drive is None:
            return None
        root = Path(drive.get("root", ""))
        if not root.is_absolute():
            root = self.path.parent / root
        folder = root
        for part in [p for p in windows_folder[2:].split("\\") if p] + [name]:
            match = None
            if folder.is_dir():
                match = next((e for e in folder.iterdir() if e.name.lower() == part.lower()), None)
            folder = match if match is not None else folder / part
        return folder


# --------------------------------------------------------------------------- era dates

def era_of_date(eras, date):
    """(name, year within the era) or None."""
    previous = None
    count = 0
    for start, name in eras:
        if count == 0 and date < start:
            return None
        if count > 0 and previous[0] <= date <= start - 1:
            break
        previous = (start, name)
        count += 1
    if count == 0 or date > 99991231:
        return None
    if date < 0 or previous[0] < 0:
        raise Unsupported("negative dates")
    return previous[1], date // 10000 - previous[0] // 10000 + 1


# --------------------------------------------------------------------------- extraction

CATEGORY_KEEP = {
    1: lambda c: c == 1,
    2: lambda c: c == 2,
    3: lambda c: c != 3,
    4: lambda c: c == 3,
    5: lambda c: c != 2,
    6: lambda c: c != 1,
}


def extract(data, category):
    kept = []
    for asset in data.assets:
        amount = asset.included_in_expenses
        if amount < 0 or amount > 99999999999 * UNIT:
            continue
        if data.business_kind not in (1, 2):
            if not CATEGORY_KEEP.get(category, lambda c: True)(asset.category):
                continue
        if asset.kind == 11:
            continue
        if asset.disposal_status in (4, 5) and asset.disposal_date < data.period_from:
            continue
        if asset.method == 7 and asset.acquisition_date < data.period_from:
            continue
        kept.append(asset)
    return kept


# --------------------------------------------------------------------------- output records

FIELDS = [
    ("SISANMEI", 33), ("SUURYO", 12), ("SUURYOTANI", 5), ("SYUTOKUNENGETU_GENGO", 7),
    ("SYUTOKUNENGETU_NEN", 3), ("SYUTOKUNENGETU_TUKI", 3), ("SYUTOKUKINGAKU", 13),
    ("SYOUKYAKUHOSYOUGAKU", 13), ("KISYUTYOUBOKAKAKU", 13), ("SYOUKYAKUKISOKINGAKU", 13),
    ("SYOUKYAKUHOUHOU", 2), ("SYOUKYAKUMEI", 7), ("KEIKASOTI", 2), ("TAIYOUNENSU", 4),
    ("SYOUKYAKURITU", 6), ("KAITEISYOUKYAKURITU", 6), ("KAITEISYUTOKUKAGAKU", 13),
    ("SYOUKYAKUKIKAN", 3), ("CHOUSEIMAESYOUKYAKUGAKU", 13), ("FUTUUSYOUKYAKUHI", 13),
    ("WARIMASISYOUKYAKUHI", 13), ("JIGYOUSENYUWARIAI", 6), ("HITUYOUKEIHISANNYUUGAKU", 13),
    ("MISYOUKYAKUZANDAKA", 13), ("TEKIYOU_JYOUDAN", 21), ("TEKIYOU_GEDAN", 21),
]
FIELD_NAMES = [name for name, _ in FIELDS]
WIDTH = dict(FIELDS)

SMALL_NAME = cp932("少額減価償却資産")
SMALL_METHOD_NAME = cp932("少額")
SMALL_REMARK_UPPER = cp932("措法28の2")
SMALL_REMARK_LOWER = cp932("(明細は別途保管)")
REMARK_EQUAL = cp932("均等償却")
REMARK_REVISED = cp932("改定償却")
METHOD_CODE = {1: b"1", 5: b"1", 8: b"1", 2: b"2", 6: b"2", 3: b"4", 4: b"3"}


def yen(value):
    return format_currency_whole(value, 13)


def c_atof_prefix(text):
    """The value atof gives for the leading part of text (digits, one point, an optional sign)."""
    i = 0
    n = len(text)
    while i < n and text[i] in b" \t\n\v\f\r":
        i += 1
    start = i
    if i < n and text[i] in b"+-":
        i += 1
    digits = 0
    while i < n and 0x30 <= text[i] <= 0x39:
        i += 1
        digits += 1
    if i < n and text[i] == ord("."):
        i += 1
        while i < n and 0x30 <= text[i] <= 0x39:
            i += 1
            digits += 1
    if digits == 0:
        return 0.0
    if i < n and text[i] in b"eEdDxX":
        raise Unsupported(f"quantity {text!r}: an exponent or hex form is read differently by C libraries")
    return float(text[start:i].decode("ascii"))


def split_quantity(quantity):
    """(number text for SUURYO, unit text for SUURYOTANI)."""
    unit_start = len(quantity)
    while unit_start > 0 and len(quantity) - unit_start < 4 and not (0x30 <= quantity[unit_start - 1] <= 0x39):
        unit_start -= 1
    if unit_start < len(quantity) and inside_double_byte(quantity, unit_start):
        unit_start += 1
    unit = quantity[unit_start:]
    number = quantity[:unit_start]
    if not number:
        return b"0.00", unit
    cleaned = bytes(b for b in number if b not in b", ")
    value = must_round(from_double(c_atof_prefix(cleaned)), HALF_UP, 3)
    return print_fixed(value, 2).encode("ascii"), unit


def asset_name(name):
    if len(name) < 32:
        return name
    return name[:31] if double_byte_starts_at(name, 31) else name[:32]


def remark_lines(remarks):
    if len(remarks) < 20:
        upper, lower = remarks, b""
    elif double_byte_starts_at(remarks, 19):
        upper, lower = remarks[:19], remarks[19:]
    else:
        upper, lower = remarks[:20], remarks[20:]
    if len(lower) > 20:
        raise Unsupported(f"remark {remarks!r}: the lower line would need a cut the rules leave open")
    return upper, lower


class Derivation:
    """The figures of one asset that several fields share."""

    def __init__(self, asset, rounding_mode, period_start):
        self.asset = asset
        self.cost_basis = subtract(from_currency(asset.acquisition_cost), from_currency(asset.cost_reduction))
        self.equal_phase = asset.equal_depreciation != 0 and asset.opening_book_value > 1 * UNIT
        self.g = self.p = None
        if asset.method in (5, 8):
            if asset.useful_life == 0:
                self.g = from_integer(0)
            else:
                entry = ratio_entry(asset.method, asset.useful_life)
                if entry is None:
                    self.g = from_integer(0)
                else:
                    product = multiply(self.cost_basis, entry)
                    self.g = must_round(divide(product, from_integer(10000)), rounding_mode, 0)
            if asset.opening_book_value != 0:
                base = from_currency(asset.opening_book_value)
            elif asset.disposal_status in (4, 5) and asset.disposal_date < period_start:
                base = from_integer(0)
            else:
                base = self.cost_basis
            if asset.rate == 0:
                self.p = from_integer(0)
            else:
                self.p = must_round(divide_by_double(multiply_by_integer(base, asset.rate), 1000.0), rounding_mode, 0)

    @property
    def revised(self):
        return self.g is not None and is_less(self.p, self.g)

    def depreciation_base(self):
        a = self.asset
        if self.equal_phase:
            if a.method in (2, 6) and a.kind == 10:
                if a.residual_is_amount:
                    amount = from_currency(a.residual_value)
                else:
                    ratio = must_round(divide_by_double(from_currency(a.residual_value), 100.0), ROUND_DOWN, 3)
                    amount = must_round(multiply(self.cost_basis, ratio), ROUND_DOWN, 1)
                if is_greater(amount, from_integer(100000)):
                    amount = from_integer(100000)
            else:
                amount = must_round(multiply(self.cost_basis, from_double(0.05)), ROUND_DOWN, 1)
            return format_whole(amount, 13)
        if a.method in (5, 8) and self.revised and a.opening_book_value > 1 * UNIT:
            return yen(a.revised_acquisition_cost)
        return yen(a.depreciation_base)

    def remarks(self):
        a = self.asset
        if a.remarks:
            return remark_lines(a.remarks)
        upper = b""
        if self.equal_phase:
            upper = REMARK_EQUAL
        if a.method in (5, 8) and a.opening_book_value > 1 * UNIT and self.revised and a.ordinary > 0:
            upper = REMARK_REVISED
        return upper, b""


def small_share(asset):
    product = multiply(from_currency(asset.acquisition_cost), from_integer(asset.business_use_ratio))
    return must_round(divide(product, from_integer(10000)), ROUND_UP, 1)


def add_to_total(record, field, share):
    try:
        total = add(from_text(record[field]), share)
    except Overflow:
        return
    text = format_whole(total, WIDTH[field])
    if not text:
        raise Unsupported("a collective total that outgrows its field")
    record[field] = text


def fill_record(record, asset, data, eras, period_start):
    small = asset.method == 7
    d = Derivation(asset, data.rounding_mode, period_start)

    record["SISANMEI"] = SMALL_NAME if small else asset_name(asset.name)
    if not small:
        record["SUURYO"], unit = split_quantity(asset.quantity)
        if unit:
            record["SUURYOTANI"] = unit

    era = era_of_date(eras, asset.acquisition_date)
    if era is not None:
        if len(era[0]) > 6 or not 0 <= era[1] <= 99:
            raise Unsupported(f"era {era!r} does not fit its fields")
        record["SYUTOKUNENGETU_GENGO"] = era[0]
        record["SYUTOKUNENGETU_NEN"] = b"%02d" % era[1]
    else:
        record["SYUTOKUNENGETU_NEN"] = b"00"
    if small:
        record["SYUTOKUNENGETU_TUKI"] = b""
    else:
        month = asset.acquisition_date % 10000 // 100
        record["SYUTOKUNENGETU_TUKI"] = b"%02d" % month

    if small:
        add_to_total(record, "SYUTOKUKINGAKU", small_share(asset))
    else:
        record["SYUTOKUKINGAKU"] = yen(asset.acquisition_cost)

    if asset.method in (5, 8):
        record["SYOUKYAKUHOSYOUGAKU"] = format_whole(d.g, 13)
    if not small:
        record["KISYUTYOUBOKAKAKU"] = yen(asset.opening_book_value)
        record["SYOUKYAKUKISOKINGAKU"] = d.depreciation_base()

    record["SYOUKYAKUHOUHOU"] = METHOD_CODE.get(asset.method, b"6")
    if small:
        record["SYOUKYAKUMEI"] = SMALL_METHOD_NAME
    if asset.method == 5 and 20120401 <= asset.acquisition_date <= 20121231:
        record["KEIKASOTI"] = b"1"
    else:
        record["KEIKASOTI"] = b""

    if small or d.equal_phase:
        record["TAIYOUNENSU"] = b""
    else:
        record["TAIYOUNENSU"] = b"%d" % asset.useful_life
    if small:
        record["SYOUKYAKURITU"] = b""
    elif asset.method == 4:
        record["SYOUKYAKURITU"] = b"1/3"
    elif d.equal_phase:
        record["SYOUKYAKURITU"] = b""
    else:
        rate = print_fixed(from_double(asset.rate * 0.001), 3)
        if len(rate) > 5:
            raise Unsupported(f"rate {asset.rate} does not fit its field")
        record["SYOUKYAKURITU"] = rate.encode("ascii")

    if asset.method in (5, 8):
        record["KAITEISYUTOKUKAGAKU"] = yen(asset.revised_acquisition_cost) if d.revised else b""
    if not small:
        record["SYOUKYAKUKIKAN"] = b"%d" % asset.months
    if asset.method in (5, 8):
        record["CHOUSEIMAESYOUKYAKUGAKU"] = format_whole(d.p, 13)
    if not small:
        record["FUTUUSYOUKYAKUHI"] = yen(asset.ordinary)
        try:
            record["WARIMASISYOUKYAKUHI"] = format_whole(
                add(from_currency(asset.additional1), from_currency(asset.additional2)), 13)
        except Overflow:
            record["WARIMASISYOUKYAKUHI"] = b""
        ratio = divide(from_integer(asset.business_use_ratio), from_integer(100))
        record["JIGYOUSENYUWARIAI"] = print_one_decimal_of_double(ratio).encode("ascii")
        record["HITUYOUKEIHISANNYUUGAKU"] = yen(asset.included_in_expenses)
        record["MISYOUKYAKUZANDAKA"] = yen(asset.year_end_balance)
    else:
        add_to_total(record, "HITUYOUKEIHISANNYUUGAKU", small_share(asset))

    if small:
        record["TEKIYOU_JYOUDAN"], record["TEKIYOU_GEDAN"] = SMALL_REMARK_UPPER, SMALL_REMARK_LOWER
    else:
        record["TEKIYOU_JYOUDAN"], record["TEKIYOU_GEDAN"] = d.remarks()

    for name, width in FIELDS:
        if len(record[name]) >= width:
            raise Unsupported(f"field {name} would hold {record[name]!r}, more than {width - 1} bytes")


def new_record():
    return {name: b"" for name in FIELD_NAMES}


def build_records(installation, data, category):
    period_start, _ = installation.accounting_period(data)
    records = []
    collective = None
    for asset in extract(data, category):
        if asset.method == 7:
            if collective is None:
                collective = new_record()
            fill_record(collective, asset, data, installation.eras, period_start)
        else:
            record = new_record()
            fill_record(record, asset, data, installation.eras, period_start)
            records.append((asset, record))
    if collective is not None:
        records.append((None, collective))
    return records


# --------------------------------------------------------------------------- full-width business name

QUOTE_FULL = {0x22: b"\xfa\x57", 0x27: b"\xfa\x56"}


def _half_kana_char(b):
    return bytes([b]).decode("cp932")


def _full_kana(ch):
    if ch == "\uff9e":
        return "\u309b"
    if ch == "\uff9f":
        return "\u309c"
    return unicodedata.normalize("NFKC", ch)


def to_full_width(name):
    out = bytearray()
    i = 0
    while i < len(name):
        b = name[i]
        if b == 0x20:
            out += b"\x81\x40"
            i += 1
        elif 0x21 <= b <= 0x7E:
            if b == 0x5C:
                out.append(b)
            elif b in QUOTE_FULL:
                out += QUOTE_FULL[b]
            else:
                out += cp932(chr(0xFF01 + b - 0x21))
            i += 1
        elif 0xA1 <= b <= 0xDF:
            kana = _full_kana(_half_kana_char(b))
            i += 1
            if i < len(name) and name[i] in (0xDE, 0xDF) and b not in (0xDE, 0xDF):
                mark = "\u3099" if name[i] == 0xDE else "\u309a"
                composed = unicodedata.normalize("NFC", kana + mark)
                try:
                    if len(composed) == 1:
                        out += cp932(composed)
                        i += 1
                        continue
                except UnicodeEncodeError:
                    pass
            out += cp932(kana)
        elif is_lead(b) and i + 1 < len(name) and is_trail(name[i + 1]):
            out += name[i:i + 2]
            i += 2
        else:
            raise Unsupported(f"business name byte {b:#04x} has no stated full-width form")
    return bytes(out)


def komonsaki_name(business_name):
    if 2 * (len(business_name) + 1) >= 64:
        raise Unsupported("business names over 30 bytes are cut where the implementer chose")
    return to_full_width(business_name)


# --------------------------------------------------------------------------- support information

LABEL_NAME = cp932("[=製品名=]")
LABEL_VERSION = cp932("[=製品ﾊﾞｰｼﾞｮﾝ=]")


def support_values(installation):
    """(product name, product version) from SUPPORT.INF of the current folder; empty when absent."""
    path = installation.host_file(installation.machine.get("currentFolder", ""), "SUPPORT.INF")
    if path is None or not path.is_file():
        return b"", b""
    content = path.read_bytes()[:30000]
    buffer = bytearray(b"\xff" * 30000)
    buffer[:len(content)] = content
    i = 0
    while i < len(buffer):
        if buffer[i] == 0x0D and i + 1 < len(buffer) and buffer[i + 1] == 0x0A:
            buffer[i] = buffer[i + 1] = 0
            i += 2
            continue
        if buffer[i] == 0x1A:
            buffer[i] = 0
        i += 1

    def lookup(label):
        at = bytes(buffer).find(label)
        if at < 0:
            return b""
        start = at + len(label)
        end = start
        while end < len(content) and buffer[end] != 0:
            end += 1
        return bytes(buffer[start:end])

    return lookup(LABEL_NAME), lookup(LABEL_VERSION)


# --------------------------------------------------------------------------- document

EDITION_DEFAULT_NAME = {"alpha": cp932("Ledgora２２ Alpha"), "beta": cp932("Ledgora２２"), "gamma": cp932("Kestrel")}
HASUU = {0: b"3", 1: b"2", 2: b"1"}


def escape(text):
    out = bytearray()
    for b in text:
        out += {0x26: b"&amp;", 0x3E: b"&gt;", 0x3C: b"&lt;", 0x22: b"&quot;", 0x27: b"&apos;"}.get(b, bytes([b]))
    if len(out) > 255:
        raise Unsupported("an escaped value over 255 bytes")
    return bytes(out)


def start_tag(name, depth, attribute=None):
    attr = b"" if attribute is None else b" %s=\"%s\"" % (attribute[0], escape(attribute[1]))
    return b"\t" * depth + b"<" + name + attr + b">\r\n"


def end_tag(name, depth):
    return b"\t" * depth + b"</" + name + b">\r\n"


def element(name, text, depth):
    line = b"\t" * depth + b"<" + name + b">" + escape(text) + b"</" + name + b">\r\n"
    if len(line) > 255:
        raise Unsupported(f"line {line!r} over 255 bytes")
    return line


def function_identifier(command_line):
    """The function identifier a command line hands over (2 without a complete hand-over)."""
    if command_line is None or command_line == "":
        return 2
    parts = command_line.split(",", 3)
    if len(parts) < 4:
        return 2

    def number(field):
        i = 0
        while i < len(field) and field[i] == " ":
            i += 1
        sign = 1
        if i < len(field) and field[i] in "+-":
            sign = -1 if field[i] == "-" else 1
            i += 1
        value = 0
        while i < len(field) and field[i].isdigit():
            value = value * 10 + int(field[i])
            i += 1
        return sign * value

    value = number(parts[2]) & 0xFFFF
    return value - 0x10000 if value >= 0x8000 else value


def report(installation, data, category, edition, command_line):
    name, version = support_values(installation)
    doc = bytearray()
    doc += b'<?xml version="1.0" encoding="Shift_JIS"?>\r\n'
    doc += start_tag(b"REPORT", 0)
    doc += start_tag(b"SYSTEM", 1)
    doc += element(b"GYOUMUPREFIX", b"QF14", 2)
    doc += element(b"VERSION", b"1", 2)
    doc += element(b"FUNCTIONID", b"%d" % function_identifier(command_line), 2)
    doc += element(b"CONNECTEDPROGRAMVER", b"22.02.00", 2)
    doc += element(b"PROGRAMNAME", name or EDITION_DEFAULT_NAME[edition], 2)
    doc += element(b"PROGRAMVER", version or b"22.02.0X", 2)
    doc += end_tag(b"SYSTEM", 1)
    doc += start_tag(b"BASIC", 1)
    doc += element(b"KOMONSAKINAME", komonsaki_name(data.business_name), 2)
    doc += element(b"JIGYOUNENDOFROM", b"%d" % data.period_from, 2)
    doc += element(b"JIGYOUNENDOTO", b"%d" % data.period_to, 2)
    if data.rounding_mode not in HASUU:
        raise Unsupported("a rounding byte outside 0 to 2 fails the run")
    doc += element(b"HASUU_SYOUKYAKU", HASUU[data.rounding_mode], 2)
    doc += element(b"HASUU_ZANZON", b"1", 2)
    doc += end_tag(b"BASIC", 1)
    doc += start_tag(b"DATA", 1)
    for count, (_, record) in enumerate(build_records(installation, data, category), 1):
        doc += start_tag(b"SISAN", 2, (b"Count", b"%d" % count))
        for field in FIELD_NAMES:
            doc += element(field.encode("ascii"), record[field], 3)
        doc += end_tag(b"SISAN", 2)
    doc += end_tag(b"DATA", 1)
    doc += end_tag(b"REPORT", 0)
    return bytes(doc)


# --------------------------------------------------------------------------- self-test

def self_test():
    """Worked examples the rules state; the oracle must agree with every one."""
    failures = []

    def check(what, actual, expected):
        if actual != expected:
            failures.append(f"{what}: {actual!r} != {expected!r}")

    def fx(text):
        return from_text(text.encode("ascii"))

    v = from_currency(-12345)
    check("FromCurrency(-12345)", (v.sign, v.integer, v.fraction), (-1, 1, 2345))
    check("FromCurrency(0) sign", from_currency(0).sign, 1)
    check("HalfUp 2.5", round_fx(fx("2.5"), HALF_UP, 1).scaled, 30000)
    check("HalfUp -2.5", round_fx(fx("-2.5"), HALF_UP, 1).scaled, -30000)
    check("RoundUp 2.0001", round_fx(fx("2.0001"), ROUND_UP, 1).scaled, 30000)
    check("RoundDown -2.9999", round_fx(fx("-2.9999"), ROUND_DOWN, 1).scaled, -20000)
    check("HalfUp,3 1.2350", round_fx(fx("1.235"), HALF_UP, 3).scaled, 12400)
    check("RoundDown,3 0.6789", round_fx(fx("0.6789"), ROUND_DOWN, 3).scaled, 6700)
    check("HalfUp,-2 149.9999", round_fx(fx("149.9999"), HALF_UP, -2).scaled, 1000000)
    check("RoundUp,-1 10.0001", round_fx(fx("10.0001"), ROUND_UP, -1).scaled, 200000)
    check("Round(3,0) refused", round_fx(fx("1"), 3, 0), None)
    check("Round(0,5) refused", round_fx(fx("1"), 0, 5), None)
    check("1/3", divide(from_integer(1), from_integer(3)).scaled, 3333)
    check("2/3", divide(from_integer(2), from_integer(3)).scaled, 6667)
    check("FormatWhole 0.5", format_whole(fx("0.5"), 13), b"1")
    check("FormatWhole -0.5", format_whole(fx("-0.5"), 13), b"-1")
    check("FormatWhole -0.4999", format_whole(fx("-0.4999"), 13), b"0")
    check("FormatWhole 999999999999.4999", format_whole(fx("999999999999.4999"), 13), b"999999999999")
    check("FormatWhole 10^12", format_whole(fx("1000000000000"), 13), b"")
    check("FromText -1,234.56789", fx("-1,234.56789").scaled, -12345679)
    check("FromText 12a3", fx("12a3").scaled, 120000)
    check("FromDouble 0.05", from_double(0.05).scaled, 500)
    check("rate 167", print_fixed(from_double(167 * 0.001), 3), "0.167")
    check("table 250 life 10", ratio_entry(5, 10).scaled, 4448000)
    check("table 200 life 10", ratio_entry(8, 10).scaled, 6552000)
    check("table 250 life 3", ratio_entry(5, 3).scaled, 2789000)
    check("table 200 life 3", ratio_entry(8, 3).scaled, 11089000)
    check("table life 101 = 100", (ratio_entry(5, 101).scaled, ratio_entry(8, 101).scaled), (546000, 742000))
    check("ratio 10000", print_one_decimal_of_double(divide(from_integer(10000), from_integer(100))), "100.0")
    check("ratio 5000", print_one_decimal_of_double(divide(from_integer(5000), from_integer(100))), "50.0")

    def asset(**fields):
        return Asset(fields, "self-test")

    class Data:
        rounding_mode = ROUND_DOWN

    base = dict(method=8, usefulLife=10, acquisitionCost=1000000, rate=200)
    d = Derivation(asset(openingBookValue=300000, **base), ROUND_DOWN, 20240101)
    check("G of the worked example", format_whole(d.g, 13), b"65520")
    check("P of the worked example", format_whole(d.p, 13), b"60000")
    check("P < G", d.revised, True)
    d = Derivation(asset(openingBookValue=400000, **base), ROUND_DOWN, 20240101)
    check("P of 400,000", (format_whole(d.p, 13), d.revised), (b"80000", False))
    d = Derivation(asset(method=5, usefulLife=0, acquisitionCost=1000000, rate=200), ROUND_DOWN, 20240101)
    check("life 0 gives G 0", format_whole(d.g, 13), b"0")
    d = Derivation(asset(method=1, acquisitionCost=1000001, openingBookValue=10, equalDepreciation=1), HALF_UP, 0)
    check("5 % of 1,000,001", d.depreciation_base(), b"50000")
    check("equal-depreciation remark", d.remarks(), (REMARK_EQUAL, b""))
    d = Derivation(asset(method=2, kind=10, acquisitionCost=600000, residualValue=20, openingBookValue=10,
                         equalDepreciation=1), HALF_UP, 0)
    check("kind 10 cap", d.depreciation_base(), b"100000")
    d = Derivation(asset(method=1, openingBookValue=1, equalDepreciation=1), HALF_UP, 0)
    check("1 yen is not the equal-depreciation phase", d.equal_phase, False)
    d = Derivation(asset(method=1, openingBookValue="1.0001", equalDepreciation=1), HALF_UP, 0)
    check("1.0001 yen is the equal-depreciation phase", d.equal_phase, True)

    check("share of 100,001 at 50 %", small_share(asset(acquisitionCost=100001, businessUseRatio=5000)).scaled,
          50001 * UNIT)
    collective = new_record()
    fill_record(collective, asset(method=7, acquisitionCost=100001, businessUseRatio=5000), Data, [], 0)
    fill_record(collective, asset(method=7, acquisitionCost=3, businessUseRatio=10000), Data, [], 0)
    check("collective total", (collective["SYUTOKUKINGAKU"], collective["HITUYOUKEIHISANNYUUGAKU"]),
          (b"50004", b"50004"))

    check("1,000個", split_quantity(cp932("1,000個")), (b"1000.00", cp932("個")))
    check("2.345", split_quantity(b"2.345"), (b"2.35", b""))
    check("台", split_quantity(cp932("台")), (b"0.00", cp932("台")))
    check("empty quantity", split_quantity(b""), (b"0.00", b""))

    check("40-byte name", len(asset_name(cp932("資" * 20))), 32)
    check("31 + double-byte name", asset_name(b"a" * 31 + cp932("資")), b"a" * 31)
    check("20-byte remark", remark_lines(b"r" * 20), (b"r" * 20, b""))
    check("19 + double-byte remark", remark_lines(b"r" * 19 + cp932("備")), (b"r" * 19, cp932("備")))

    check("ABC full width", to_full_width(b"ABC"), cp932("ＡＢＣ"))
    check("& full width", to_full_width(b"&"), cp932("＆"))
    check("ｶﾞ", to_full_width(cp932("ｶﾞ")), cp932("ガ"))
    check("ｳﾞ", to_full_width(cp932("ｳﾞ")), cp932("ヴ"))
    check("ﾊﾟ", to_full_width(cp932("ﾊﾟ")), cp932("パ"))
    check("ｱﾞ", to_full_width(cp932("ｱﾞ")), cp932("ア") + b"\x81\x4a")
    check("lone ﾟ", to_full_width(cp932("ﾟ")), b"\x81\x4b")
    check("quote", to_full_width(b"\"'"), b"\xfa\x57\xfa\x56")
    check("backslash and blank", to_full_width(b"\\ "), b"\x5c\x81\x40")

    eras = [(19890108, cp932("平成")), (20190501, cp932("令和"))]
    check("30 April", era_of_date(eras, 20190430), (cp932("平成"), 31))
    check("1 May", era_of_date(eras, 20190501), (cp932("令和"), 1))
    check("31 December", era_of_date(eras, 20191231), (cp932("令和"), 1))
    check("1 January", era_of_date(eras, 20200101), (cp932("令和"), 2))
    check("before the first era", era_of_date(eras, 19890107), None)

    check("function id", (function_identifier("1234,32768,5,"), function_identifier(None),
                          function_identifier("1234,32768,5")), (5, 2, 2))
    return failures


# --------------------------------------------------------------------------- main

def main(argv=None):
    parser = argparse.ArgumentParser(description="Expected report of a whole run, from the product's rules.")
    parser.add_argument("installation", nargs="?")
    parser.add_argument("--edition", choices=sorted(EDITION_DEFAULT_NAME))
    parser.add_argument("--category", type=int)
    parser.add_argument("--data-no", type=int)
    parser.add_argument("--command-line")
    parser.add_argument("--output")
    parser.add_argument("--self-test", action="store_true")
    options = parser.parse_args(argv)
    if options.self_test:
        failures = self_test()
        for failure in failures:
            print(f"oracle self-test: {failure}", file=sys.stderr)
        print(f"oracle self-test: {'failed' if failures else 'passed'}")
        return 1 if failures else 0
    if not options.installation or not options.edition or options.category is None:
        parser.error("INSTALLATION, --edition and --category are required")
    installation = Installation(options.installation)
    data_no = options.data_no if options.data_no is not None else installation.user_data_no
    try:
        document = report(installation, installation.data_file(data_no), options.category, options.edition,
                          options.command_line)
    except (Unsupported, Overflow) as error:
        print(f"oracle: {error}", file=sys.stderr)
        return 2
    if options.output:
        Path(options.output).write_bytes(document)
    else:
        sys.stdout.buffer.write(document)
    return 0


if __name__ == "__main__":
    sys.exit(main())
