#!/usr/bin/env python3
"""Whole runs of link-headless over tests/wholerun/installation.json, report checked byte for byte.

    run.py LINK_HEADLESS [--only NAME...] [--keep-temp]

Each case selects one data file (user.dataNo), one OutputCategory, an edition and a command line,
runs the program in a fresh copy of the installation and compares the written report with the bytes
that oracle.py derives from the product's rules alone. It also has libxml2 (xmllint) parse the report,
checks the element structure, the transcript's result, and in the host call log that every asset
index was requested exactly once and every cursor and period object was released.
The last line is "wholerun: N passed, M failed"; the exit status is 1 when anything failed.
"""

import argparse
import difflib
import json
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
from pathlib import Path

HERE = Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))
import oracle  # noqa: E402

HAND_OVER = "1234,32768,5,"
WITH_SUPPORT = "C:\\Ledgora\\"
WITHOUT_SUPPORT = "C:\\Ledgora\\Work\\"
TIMEOUT_SECONDS = 120


class Case:
    def __init__(self, name, data_no, category, edition, command_line=HAND_OVER, support=False, faults=None):
        self.name = name
        self.data_no = data_no
        self.category = category
        self.edition = edition
        self.command_line = command_line
        self.support = support
        self.faults = faults or {}


CASES = [
    Case("k1-general-beta", 1, 1, "beta"),
    Case("k1-general-alpha-no-handover", 1, 1, "alpha", command_line=None),
    Case("k2-real-estate-gamma-function-65535", 2, 2, "gamma", command_line="99,100,65535,"),
    Case("k3-general", 3, 1, "beta"),
    Case("k3-real-estate", 3, 2, "beta"),
    Case("k3-general-and-real-estate", 3, 3, "beta"),
    Case("k4-general", 4, 1, "alpha"),
    Case("k4-agriculture", 4, 4, "alpha"),
    Case("k4-general-and-agriculture", 4, 5, "alpha"),
    Case("k5-real-estate", 5, 2, "gamma"),
    Case("k5-agriculture", 5, 4, "gamma"),
    Case("k5-real-estate-and-agriculture", 5, 6, "gamma"),
] + [Case(f"k6-category-{c}", 6, c, "beta") for c in range(1, 8)] + [
    Case("k6-all-with-support-info", 6, 7, "gamma", command_line=None, support=True),
    Case("guarantee-ratio-tables", 7, 7, "gamma", command_line=None),
    Case("era-change-in-period", 8, 7, "beta"),
    Case("nothing-kept", 8, 6, "beta"),
    Case("host-period-as-data", 9, 1, "beta"),
    Case("host-period-starts-later", 9, 1, "beta",
         faults={"GetPeriod": {"status": 0, "from": 20250101, "to": 20251231}}),
    Case("host-period-missing", 9, 1, "beta", faults={"GetAccPeriod": "none"}),
    Case("period-before-first-era", 10, 1, "alpha"),
]


# --------------------------------------------------------------------------- report lines

LINE = re.compile(rb"^(\t*)<(/?)([A-Z_]+)( Count=\"(\d+)\")?>(?:(.*)</([A-Z_]+)>)?$")


def fields_of(document):
    """{(block, record number or 0, element): text} of a report, or None when a line is unexpected."""
    fields = {}
    block, record = None, 0
    lines = document.split(b"\r\n")
    if lines[-1] != b"":
        return None
    for line in lines[1:-1]:
        m = LINE.match(line)
        if not m:
            return None
        closing, name, count, text, close_name = m.group(2), m.group(3), m.group(5), m.group(6), m.group(7)
        if text is not None:
            if close_name != name:
                return None
            fields[(block, record, name.decode())] = text
        elif closing:
            if name == b"SISAN":
                record = 0
        elif name in (b"SYSTEM", b"BASIC", b"DATA"):
            block = name.decode()
        elif name == b"SISAN":
            record = int(count)
    return fields


def shown(text):
    return repr(text.decode("cp932", "backslashreplace"))


def field_diff(expected, actual, notes):
    """Readable differences, one per field, or a line diff when a document does not parse."""
    exp, act = fields_of(expected), fields_of(actual)
    if exp is None or act is None:
        e = expected.decode("cp932", "backslashreplace").split("\r\n")
        a = actual.decode("cp932", "backslashreplace").split("\r\n")
        return list(difflib.unified_diff(e, a, "expected", "actual", lineterm="", n=2))[:80]
    out = []
    for key in list(exp) + [k for k in act if k not in exp]:
        if exp.get(key) == act.get(key):
            continue
        block, record, element = key
        where = f"{block} {element}" if not record else (
            f"SISAN {record} ({shown(exp.get((block, record, 'SISANMEI'), b''))}"
            f"{': ' + notes[record] if record in notes else ''}) {element}")
        e = shown(exp[key]) if key in exp else "(no such element)"
        a = shown(act[key]) if key in act else "(no such element)"
        out.append(f"{where}: expected {e}, actual {a}")
    if not out:
        out.append("the documents differ outside the element texts (indentation, order or line ends)")
    return out


# --------------------------------------------------------------------------- independent checks

SYSTEM_ELEMENTS = ["GYOUMUPREFIX", "VERSION", "FUNCTIONID", "CONNECTEDPROGRAMVER", "PROGRAMNAME", "PROGRAMVER"]
BASIC_ELEMENTS = ["KOMONSAKINAME", "JIGYOUNENDOFROM", "JIGYOUNENDOTO", "HASUU_SYOUKYAKU", "HASUU_ZANZON"]


def xmllint(path):
    result = subprocess.run(["xmllint", "--noout", str(path)], stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                            check=False)
    if result.returncode != 0 or result.stderr:
        return [f"xmllint rejects {path.name}: " + result.stderr.decode("utf-8", "replace").strip()]
    return []


def structure(document, expected_records):
    problems = []
    declaration = b'<?xml version="1.0" encoding="Shift_JIS"?>\r\n'
    if not document.startswith(declaration):
        return ["the document does not start with the Shift_JIS declaration"]
    text = document[len(declaration):].decode("cp932")
    try:
        root = ElementTree.fromstring(text)
    except ElementTree.ParseError as error:
        return [f"not well-formed: {error}"]

    def leaves(parent, names, where):
        if [c.tag for c in parent] != names:
            problems.append(f"{where} holds {[c.tag for c in parent]}")
        for child in parent:
            if len(child) or child.attrib:
                problems.append(f"{where}/{child.tag} has children or attributes")

    if root.tag != "REPORT" or root.attrib or [c.tag for c in root] != ["SYSTEM", "BASIC", "DATA"]:
        return [f"REPORT holds {[c.tag for c in root]}"]
    system, basic, data = root
    leaves(system, SYSTEM_ELEMENTS, "SYSTEM")
    leaves(basic, BASIC_ELEMENTS, "BASIC")
    if data.attrib or any(c.tag != "SISAN" for c in data):
        problems.append("DATA holds something other than SISAN")
    for number, sisan in enumerate(data, 1):
        if sisan.attrib != {"Count": str(number)}:
            problems.append(f"SISAN {number} has the attributes {sisan.attrib}")
        leaves(sisan, oracle.FIELD_NAMES, f"SISAN {number}")
    if len(data) != expected_records:
        problems.append(f"DATA holds {len(data)} SISAN, the rules give {expected_records}")
    return problems


def transcript(lines, case):
    problems = []
    if not lines or lines[-1] != "RESULT 0":
        problems.append(f"the run ended with {lines[-1] if lines else 'no output'!r}, not RESULT 0")
    if "MESSAGE information 所得税(減価償却): 減価償却の集計結果を正常に出力しました。" not in lines:
        problems.append("no completion message")
    unexpected = [line for line in lines if line.startswith(("QUESTION", "MESSAGE warning", "MESSAGE error"))]
    problems += [f"unexpected: {line}" for line in unexpected]
    posted = [line for line in lines if line.startswith("POSTED")]
    function_id = oracle.function_identifier(case.command_line)
    if case.command_line:
        window, message = case.command_line.split(",")[:2]
        want = f"POSTED window={window} message={message} wparam={function_id} lparam=0"
        if posted != [want]:
            problems.append(f"posted {posted}, expected [{want!r}]")
    elif posted:
        problems.append(f"posted {posted} without a hand-over")
    return problems


def call_log(log_text, asset_count):
    problems = []
    lines = log_text.split("\n")
    counts = [line for line in lines if line.startswith("ClRuleGenkashokyaku::GetCount")]
    if counts != [f"ClRuleGenkashokyaku::GetCount -> 0 count={asset_count}"]:
        problems.append(f"GetCount calls {counts}, expected one giving {asset_count}")
    moves = [line for line in lines if line.startswith("ClRuleGenkashokyaku::Move index=")]
    want = [f"ClRuleGenkashokyaku::Move index={i} -> 0" for i in range(asset_count)]
    if moves != want:
        problems.append(f"Move requested {len(moves)} times, not indexes 0 to {asset_count - 1} once each in order")
    made = lines.count("ClRuleGenkashokyaku::ClRuleGenkashokyaku")
    gone = lines.count("ClRuleGenkashokyaku::~ClRuleGenkashokyaku")
    if made != 1 or gone != 1:
        problems.append(f"rule object made {made} times, destroyed {gone} times")
    else:
        tail = lines[lines.index("ClRuleGenkashokyaku::~ClRuleGenkashokyaku") - 1]
        if not tail.startswith("ClRuleGenkashokyaku::MoveFinish"):
            problems.append(f"the rule object was destroyed after {tail!r}, not after MoveFinish")
    opened = len([line for line in lines if re.match(r"ClSetGengo::GetCursor -> 0 ", line)])
    released = len([line for line in lines if line.startswith("ClSetGengo::ReleaseCursor")])
    if opened != released:
        problems.append(f"era cursors: {opened} opened, {released} released")
    periods = len([line for line in lines if line == "ClSetData::GetAccPeriod -> object"])
    destroyed = lines.count("ClAccPeriod::~ClAccPeriod")
    if periods != destroyed:
        problems.append(f"period objects: {periods} delivered, {destroyed} destroyed")
    return problems


# --------------------------------------------------------------------------- one case

def prepare(case, work):
    """A fresh copy of the installation for the case; returns the patched installation file."""
    folder = work / "installation"
    shutil.copytree(HERE / "c-drive", folder / "c-drive")
    installation = json.loads((HERE / "installation.json").read_text(encoding="utf-8"))
    installation["user"]["dataNo"] = case.data_no
    installation["machine"]["currentFolder"] = WITH_SUPPORT if case.support else WITHOUT_SUPPORT
    installation["faults"] = case.faults
    path = folder / "installation.json"
    path.write_text(json.dumps(installation, ensure_ascii=False, indent=1) + "\n", encoding="utf-8")
    return path


def run_case(binary, case, keep):
    work = Path(tempfile.mkdtemp(prefix=f"wholerun-{case.name}-"))
    problems = []
    try:
        installation_file = prepare(case, work)
        installation = oracle.Installation(installation_file)
        data = installation.data_file(case.data_no)
        try:
            expected = oracle.report(installation, data, case.category, case.edition, case.command_line)
            records = oracle.build_records(installation, data, case.category)
        except (oracle.Unsupported, oracle.Overflow) as error:
            return [f"oracle: {error}"]
        notes = {n: asset.note for n, (asset, _) in enumerate(records, 1) if asset is not None}
        notes.update({n: "collective small-amount record" for n, (asset, _) in enumerate(records, 1) if asset is None})

        output = f"C:\\Reports\\{case.name}.xml"
        command = [binary, "--edition", case.edition, "--installation", str(installation_file),
                   "--category", str(case.category), "--output", output]
        if case.command_line is not None:
            command += ["--command-line", case.command_line]
        try:
            result = subprocess.run(command, stdout=subprocess.PIPE, stderr=subprocess.PIPE, timeout=TIMEOUT_SECONDS,
                                    check=False)
        except subprocess.TimeoutExpired:
            return [f"killed after {TIMEOUT_SECONDS} s"]
        if result.returncode != 0:
            problems.append(f"link-headless exited with {result.returncode}")
        if result.stderr:
            problems += ["stderr: " + line for line in result.stderr.decode("utf-8", "replace").splitlines()[:20]]
        problems += transcript(result.stdout.decode("utf-8", "replace").splitlines(), case)

        log = installation_file.parent / "host-calls.log"
        problems += call_log(log.read_text(encoding="utf-8", errors="replace") if log.is_file() else "",
                             len(data.assets))

        report_file = installation_file.parent / "c-drive" / "Reports" / f"{case.name}.xml"
        expected_file = work / "expected.xml"
        expected_file.write_bytes(expected)
        problems += ["oracle document: " + p for p in xmllint(expected_file)]
        if not report_file.is_file():
            return problems + [f"no report written at {output}"]
        actual = report_file.read_bytes()
        if actual != expected:
            problems += field_diff(expected, actual, notes)
        problems += xmllint(report_file)
        problems += structure(actual, len(records))
        return problems
    finally:
        if keep:
            print(f"  kept {work}")
        else:
            shutil.rmtree(work, ignore_errors=True)


def main():
    parser = argparse.ArgumentParser(description="Whole runs of link-headless checked against the oracle.")
    parser.add_argument("binary", help="the link-headless program")
    parser.add_argument("--only", nargs="+", metavar="NAME")
    parser.add_argument("--keep-temp", action="store_true")
    options = parser.parse_args()
    sys.stdout.reconfigure(encoding="utf-8", line_buffering=True)

    passed = failed = 0
    self_test = oracle.self_test()
    if self_test:
        print("FAIL oracle self-test")
        for line in self_test:
            print(f"  {line}")
        failed += 1
    else:
        print("PASS oracle self-test")
        passed += 1
    if shutil.which("xmllint") is None:
        print("FAIL xmllint is not installed (Debian package libxml2-utils)")
        failed += 1

    cases = CASES
    if options.only:
        cases = [c for c in CASES if c.name in options.only]
        unknown = set(options.only) - {c.name for c in cases}
        if unknown:
            print(f"FAIL no case named {', '.join(sorted(unknown))}")
            failed += 1
    for case in cases:
        problems = run_case(str(Path(options.binary).resolve()), case, options.keep_temp)
        if problems:
            failed += 1
            print(f"FAIL {case.name}")
            for line in problems:
                print(f"  {line}")
        else:
            passed += 1
            print(f"PASS {case.name}")
    print(f"wholerun: {passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
