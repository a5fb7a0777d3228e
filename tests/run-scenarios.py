#!/usr/bin/env python3
"""Runs the scenarios of tests/scenarios through link-headless or, under Wine, through the real
programs, and compares what they print and write with their golden files. tests/scenarios/README.md
describes a scenario and the options."""

import argparse
import contextlib
import difflib
import json
import os
import re
import shutil
import sys
import tempfile
import time
from pathlib import Path

REPOSITORY = Path(__file__).resolve().parent.parent
sys.path[:0] = [str(REPOSITORY / "tests"), str(REPOSITORY / "hostsim")]
import report_schema  # noqa: E402
from wine_machine import FIXED_LAYOUT, InstallationCopy, MachineError, WineMachine, lines_of, run_process  # noqa: E402
from wine_machine import windows_path_of  # noqa: E402

# The editions, each with the application type its program (LinkAlpha.exe ...) announces to the host.
EDITIONS = {"alpha": 3, "beta": 0, "gamma": 5}
FILE_KEYS = {"folder", "file", "full", "held", "held-readable", "expected-file", "absent"}
REPEATABLE_KEYS = {"answer", "patch", "category", "key", "browse", "screenshot", "host-error"} | FILE_KEYS
KNOWN_KEYS = {"edition", "installation", "command-line", "cancel", "definition", "front-ends", "output", "layout",
              "foreign-window"}
# Keys link-headless has no counterpart for (it ignores screenshots); a second "category" is Wine only too.
WINE_ONLY_KEYS = {"key", "browse", "layout", "held-readable", "foreign-window"}
# What the Wine user takes from scenario.conf (tests/wine/user/Run_win.h).
USER_KEYS = {"answer", "category", "output", "key", "browse", "layout", "cancel", "held", "held-readable", "screenshot"}
FRONT_ENDS = ("headless", "wine")
RUN_TIMEOUT_SECONDS = 60
CALL_LOG = "host-calls.log"  # beside the copied installation file
FULLWIDTH_DIFFERENCES = REPOSITORY / "tests" / "wine" / "tools" / "fullwidth-compare" / "expected-differences.txt"

artifacts_folder = REPOSITORY / "build" / "artifacts"  # the screenshots
keep_temp = update_goldens = refresh_docs = False


class ScenarioError(Exception):
    """The scenario itself is wrong (not the program under test)."""


def need(condition, message):
    if not condition:
        raise ScenarioError(message)


class Scenario:
    def __init__(self, folder):
        self.folder, self.name = folder, folder.name
        self.values, self.ordered = {}, []  # key -> values; (key, value) in file order
        for number, line in enumerate((folder / "scenario.conf").read_text(encoding="utf-8").split("\n"), 1):
            line = line.rstrip("\r")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            key, equals, value = line.partition("=")
            key = key.strip()
            need(equals and key in KNOWN_KEYS | REPEATABLE_KEYS, f"scenario.conf line {number}: unknown key {line!r}")
            need(key not in self.values or key in REPEATABLE_KEYS, f"scenario.conf line {number}: {key} given twice")
            self.values.setdefault(key, []).append(value)
            self.ordered.append((key, value))

        self.edition = self.single("edition")
        need(self.edition in EDITIONS, f"edition must be one of {', '.join(EDITIONS)}, not {self.edition!r}")
        self.installation = (folder / (self.single("installation") or "")).resolve()
        need(self.installation.is_file(), f"no installation file {self.installation}")
        self.command_line, self.definition = self.single("command-line"), self.single("definition")
        self.answers = self.values.get("answer", [])
        self.cancel = self.single("cancel") not in (None, "", "0")
        need(set(self.answers) <= {"yes", "no"} and all(c.isdigit() for c in self.values.get("category", [])),
             "answer takes yes or no, category a number")
        self.screenshots = []  # (window, picture name)
        for shot in self.values.get("screenshot", []):
            window, _, name = shot.partition(":")
            need(window in ("dialog", "progress") and name.endswith(".png") and "/" not in name
                 and not name.startswith("."), f"screenshot takes dialog:NAME.png or progress:NAME.png, not {shot!r}")
            self.screenshots.append((window, name))
        self.files = []  # (key, WINPATH, LOCALFILE or None) in file order
        for key, value in self.ordered:
            if key in ("file", "expected-file"):
                target, separator, local = value.rpartition("<-" if key == "file" else "=")
                need(separator and target and ((folder / local).is_file() or (key != "file" and update_goldens)),
                     f"{key} takes WINPATH{'<-' if key == 'file' else '='}LOCALFILE with an existing file, "
                     f"not {value!r}")
                self.files.append((key, target, folder / local))
            elif key in FILE_KEYS:
                self.files.append((key, value, None))
        try:
            self.patches = [json.loads(patch) for patch in self.values.get("patch", [])]
        except json.JSONDecodeError as error:
            raise ScenarioError(f"patch is not JSON: {error}") from None
        front_ends = self.single("front-ends")
        self.front_ends = FRONT_ENDS if front_ends is None else tuple(f.strip() for f in front_ends.split(","))
        need(set(self.front_ends) <= set(FRONT_ENDS), f"unknown front end in {front_ends!r}")
        if "headless" in self.front_ends:
            wine_only = sorted(WINE_ONLY_KEYS & set(self.values))
            if len(self.values.get("category", [])) > 1:
                wine_only.append("category given twice")
            need(not wine_only, f"{', '.join(wine_only)}: Wine only, say front-ends=wine")
        expected = folder / "expected.txt"
        need(expected.is_file() or update_goldens, "no expected.txt")
        self.expected = lines_of(expected.read_text(encoding="utf-8")) if expected.is_file() else []

    def single(self, key):
        return self.values.get(key, [None])[0]

    def user_arguments(self):
        """The scripted user's actions as link-headless's options, the dialog's in the file's order."""
        arguments = [option for answer in self.answers for option in ("--answer", answer)]
        arguments += [option for key, value in self.ordered if key in ("category", "output")
                      for option in (f"--{key}", value)]
        return arguments + (["--cancel"] if self.cancel else [])

    def user_lines(self, screenshot_paths):
        """The Wine user's script (Run_win.h): the lines of the file it acts on, in order, each picture's
        name replaced by the Windows path (from `screenshot_paths`) its bitmap is written to."""
        lines = []
        for key, value in self.ordered:
            if key not in USER_KEYS or (key in ("layout", "cancel") and value in ("", "0")):
                continue
            if key == "screenshot":
                window, _, name = value.partition(":")
                key, value = ("screenshot" if window == "dialog" else "progress-screenshot"), screenshot_paths[name]
            lines.append(f"{key}={value}")
        return lines


class PreparedRun(InstallationCopy):
    """A scenario's installation copied to a fresh folder, patched, with its definition file and the
    files the scenario places."""

    def __init__(self, scenario, work):
        super().__init__(scenario.installation, work, scenario.patches, scenario.definition, CALL_LOG)
        self.place_files(scenario)
        self.shots = work / "shots"
        self.shots.mkdir()

    def place_files(self, scenario):
        for key, windows_path, local in scenario.files:
            target = self.host_path(windows_path)
            if key in ("held", "held-readable"):
                need(target.is_file(), f"{key}={windows_path}: no such file to hold open (place it with file= first)")
            elif key == "folder":
                target.mkdir(parents=True, exist_ok=True)
            elif key in ("file", "full"):
                target.parent.mkdir(parents=True, exist_ok=True)
                shutil.copyfile(local, target) if key == "file" else os.symlink("/dev/full", target)

    def check_files(self, scenario):
        """Problems with the files the run left, as report lines."""
        problems = []
        for key, windows_path, local in scenario.files:
            target = self.host_path(windows_path)
            if key == "absent" and (target.exists() or target.is_symlink()):
                problems.append(f"  {windows_path} exists")
            elif key == "folder" and not target.is_dir():
                problems.append(f"  {windows_path} is gone")
            elif key == "expected-file":
                problems += compare_file(windows_path, target, local)
        return problems


def write_goldens(scenario, prepared, actual):
    """Makes what the run printed and wrote the scenario's expected transcript and files."""
    lines = list(actual)
    if lines and lines[-1] == "RESULT unposted" and scenario.expected:
        lines[-1] = scenario.expected[-1]  # the driver cannot know; keep what a person wrote
    (scenario.folder / "expected.txt").write_text("".join(line + "\n" for line in lines), encoding="utf-8")
    scenario.expected = lines
    for key, windows_path, local in scenario.files:
        written = prepared.host_path(windows_path)
        if key == "expected-file" and written.is_file():
            shutil.copyfile(written, local)


def call_log_problems(log_path, transcript, scenario):
    """What every run owes the host, read from the stand-in's call log: its edition's application
    type, no asset record read twice (in a run that succeeded, every one of them once, in order),
    every rule object, cursor and period object it was given handed back, and the errors the
    scenario says the run records with the host."""
    if not log_path.is_file():
        return [f"the stand-in wrote no call log ({log_path.name})"]
    lines = log_path.read_text(encoding="utf-8", errors="replace").split("\n")
    problems = [f"the host has no error record {error}" for error in scenario.values.get("host-error", [])
                if f"ClMsgMgr::SetLastError {error}" not in lines]
    edition = scenario.edition
    announced = [line for line in lines if line.startswith("ClAccConnect::SetAppType ")]
    if announced and announced != [f"ClAccConnect::SetAppType {EDITIONS[edition]}"]:
        problems.append(f"the application type told to the host: {announced}")
    moves = [line.split()[1] for line in lines if line.startswith("ClRuleGenkashokyaku::Move index=")]
    if len(moves) != len(set(moves)):
        problems.append("an asset record was read more than once")
    counts = [line for line in lines if line.startswith("ClRuleGenkashokyaku::GetCount -> 0 count=")]
    if transcript and transcript[-1] == "RESULT 0" and counts:
        count = int(counts[-1].rsplit("=", 1)[1])
        if moves != [f"index={i}" for i in range(count)]:
            problems.append(f"the asset records were not read once each in order ({len(moves)} of {count} reads)")
    pairs = (  # what the host hands out and the line that hands one back, each matching a whole line
        ("asset rule objects", "ClRuleGenkashokyaku::ClRuleGenkashokyaku", "ClRuleGenkashokyaku::~ClRuleGenkashokyaku"),
        ("era cursors", r"ClSetGengo::GetCursor -> 0 .*", r"ClSetGengo::ReleaseCursor(?!.*\(not open\)).*"),
        ("data-file cursors", r"ClSetData::GetDatCursor -> .*", r"ClSetData::ReleaseDatCursor(?!.*\(not open\)).*"),
        ("period objects", r"ClSetData::GetAccPeriod -> object", r"ClAccPeriod::~ClAccPeriod"))
    for what, given, returned in pairs:
        made, gone = (sum(1 for line in lines if re.fullmatch(pattern, line)) for pattern in (given, returned))
        if made != gone:
            problems.append(f"{what}: {made} handed out, {gone} handed back")
    return problems


def compare(expected, actual, name):
    """Differences as unified diff lines. Under Wine the launcher cannot know the result of a run that
    posted nothing and ends the transcript with "RESULT unposted": then all but the last line count."""
    if actual and actual[-1] == "RESULT unposted":
        if not expected or not expected[-1].startswith("RESULT "):
            return [f"expected.txt of {name} does not end with a RESULT line"]
        expected, actual = expected[:-1], actual[:-1]
    return list(difflib.unified_diff(expected, actual, "expected.txt", "actual", lineterm=""))


def compare_file(windows_path, actual_path, expected_path):
    if not actual_path.is_file():
        return [f"  {windows_path} was not written"]
    actual, expected = actual_path.read_bytes(), expected_path.read_bytes()
    as_text = [lines_of(data.decode("cp932", "backslashreplace")) for data in (expected, actual)]
    problems = ["  " + line for line in difflib.unified_diff(*as_text, expected_path.name, windows_path, lineterm="")]
    if actual != expected:  # differences that text lines do not show, too
        problems = [f"  {windows_path} differs from {expected_path.name} ({len(actual)} bytes, expected "
                    f"{len(expected)}):"] + problems[:40]
    if expected_path.suffix.lower() == ".xml":
        # An independent parser and the published schema, for the written report and its golden.
        for label, data in ((windows_path, actual), (expected_path.name, expected)):
            refusals = report_schema.problems(data)
            if refusals:
                problems += [f"  {label} does not validate against docs/report.xsd:"]
                problems += ["  | " + line for line in refusals[:20]]
    return problems


class HeadlessFrontEnd:
    name = "headless"

    def __init__(self, binary):
        self.binary = str(Path(binary).resolve())
        if not os.access(self.binary, os.X_OK):
            raise SystemExit(f"run-scenarios: {self.binary} is not an executable")

    def run(self, scenario, prepared):
        # The stand-in's way of another program holding the files open with no sharing.
        held = [path for key, path, _ in scenario.files if key == "held"]
        if held:
            machine = prepared.installation.setdefault("machine", {})
            machine["lockedFiles"] = list(machine.get("lockedFiles") or []) + held
            prepared.write_installation()
        command = [self.binary, "--edition", scenario.edition, "--installation", str(prepared.installation_file)]
        if scenario.command_line is not None:
            command += ["--command-line", scenario.command_line]
        return run_process(command + scenario.user_arguments(), os.environ.copy(), RUN_TIMEOUT_SECONDS)


class WineFrontEnd(WineMachine):
    """The stand-in's machine under Wine (hostsim/wine_machine.py); in each run the stand-in's launcher
    plays the accounting product and the scripted user (which starts the launcher) works the
    program's windows."""
    name = "wine"

    def __init__(self, build_dir):
        super().__init__(build_dir, keep_temp)
        self.build_dir = Path(build_dir).resolve()
        self.user = self.build_dir / "link-e2e-user.exe"
        for required in [self.user] + [self.build_dir / f"Link{e.capitalize()}.exe" for e in EDITIONS]:
            if not required.is_file():
                raise SystemExit(f"run-scenarios: {required} is not built")

    def run(self, scenario, prepared):
        program = self.build_dir / f"Link{scenario.edition.capitalize()}.exe"
        launcher = self.launcher_command(prepared, program, scenario.command_line,
                                         scenario.single("foreign-window") not in (None, "", "0"))
        screenshot_paths = {name: windows_path_of(prepared.shots / (Path(name).stem + ".bmp"))
                            for _, name in scenario.screenshots}
        command = FIXED_LAYOUT + ["wine", str(self.user)] + scenario.user_lines(screenshot_paths) + ["--"] + launcher
        return run_process(command, self.environment(prepared), RUN_TIMEOUT_SECONDS + 30)


def collect_screenshots(scenario, prepared):
    """Converts the run's bitmaps into the artifacts folder; problems as report lines."""
    problems = []
    for window, name in scenario.screenshots:
        bitmap = prepared.shots / (Path(name).stem + ".bmp")
        if not bitmap.is_file():
            problems.append(f"  no {window} screenshot was saved for {name}")
            continue
        artifacts_folder.mkdir(parents=True, exist_ok=True)
        picture = artifacts_folder / name
        _, status, stderr = run_process(["convert", str(bitmap), str(picture)], os.environ.copy(), 60)
        if status != 0:
            problems.append(f"  cannot convert {bitmap.name} to {picture}: {stderr.strip()}")
            continue
        print(f"  picture {picture}")
        documented = REPOSITORY / "docs" / name
        if refresh_docs and documented.is_file():
            shutil.copyfile(picture, documented)
            print(f"  refreshed {documented}")
    return problems


def fullwidth_problems(front_end):
    """Windows' full-width mapping (LCMapStringA, code page 932) next to ours over every input
    fullwidth-compare.exe tries: they differ exactly where listed, and a listed difference is a '?'
    (byte 3F) of Windows' that ours does not have."""
    listed = [line for line in lines_of(FULLWIDTH_DIFFERENCES.read_text(encoding="utf-8")) if line[:1] != "#"]
    problems = [f"  listed, but not a '?' of Windows': {line}" for line in listed if len(line.split()) != 4
                or "3F" not in hex_bytes(line.split()[2]) or "3F" in hex_bytes(line.split()[3])]
    found, status, stderr = run_process(FIXED_LAYOUT + ["wine", str(front_end.build_dir / "fullwidth-compare.exe")],
                                        front_end.env, 600)
    if status != 0:
        problems.append(f"  fullwidth-compare.exe exited with status {status}: {stderr.strip()}")
    return problems + ["  " + line for line in difflib.unified_diff(listed, found, "listed", "found", lineterm="")][:50]


def hex_bytes(text):
    return {text[i:i + 2] for i in range(0, len(text), 2)}


def keep_or_remove(folder):
    if keep_temp:
        print(f"  kept {folder}")
    else:
        shutil.rmtree(folder, ignore_errors=True)


def run_scenario(front_end, scenario):
    """True when the scenario passed; prints its outcome."""
    work = Path(tempfile.mkdtemp(prefix=f"scenario-{scenario.name}-"))
    problems = []
    started = time.monotonic()
    try:
        prepared = PreparedRun(scenario, work)
        actual, status, stderr = front_end.run(scenario, prepared)
        if status != 0:
            problems.append(f"  {front_end.name} exited with status {status}")
            problems += ["  | " + line for line in stderr.rstrip("\n").split("\n") if line]
        if update_goldens:
            write_goldens(scenario, prepared, actual)
        problems += ["  " + line for line in compare(scenario.expected, actual, scenario.name)]
        problems += prepared.check_files(scenario)
        problems += ["  " + line for line in call_log_problems(prepared.installation_file.parent / CALL_LOG, actual,
                                                                   scenario)]
        if front_end.name == "wine":
            problems += collect_screenshots(scenario, prepared)
    except (ScenarioError, MachineError) as error:
        problems = [f"  scenario error: {error}"]
    finally:
        keep_or_remove(work)
    print(f"{'FAIL' if problems else 'PASS'} {scenario.name} ({time.monotonic() - started:.1f} s)")
    for line in problems:
        print(line)
    return not problems


def main():
    global keep_temp, artifacts_folder, refresh_docs, update_goldens
    parser = argparse.ArgumentParser(description=__doc__)
    mode = parser.add_mutually_exclusive_group(required=True)
    mode.add_argument("--headless", metavar="BIN", help="the link-headless program")
    mode.add_argument("--wine", metavar="BUILD_WIN_DIR", help="the folder with Link*.exe and the test tools")
    parser.add_argument("scenarios", metavar="SCENARIOS_DIR")
    parser.add_argument("--only", nargs="+", metavar="NAME", help="run only these scenarios")
    parser.add_argument("--keep-temp", action="store_true", help="keep the temporary folders (and say where)")
    parser.add_argument("--artifacts", metavar="DIR", help="where screenshots go (default build/artifacts)")
    parser.add_argument("--update-goldens", action="store_true", help="rewrite the golden files from this run")
    parser.add_argument("--refresh-docs", action="store_true", help="replace docs/ pictures by the screenshots")
    options = parser.parse_args()
    keep_temp, update_goldens, refresh_docs = options.keep_temp, options.update_goldens, options.refresh_docs
    artifacts_folder = Path(options.artifacts or artifacts_folder).resolve()
    sys.stdout.reconfigure(encoding="utf-8", line_buffering=True)

    folders = sorted(f for f in Path(options.scenarios).iterdir() if (f / "scenario.conf").is_file())
    unknown = set(options.only or []) - {f.name for f in folders}
    if unknown:
        raise SystemExit(f"run-scenarios: no scenario named {', '.join(sorted(unknown))}")
    folders = [f for f in folders if not options.only or f.name in options.only]
    if not folders:
        raise SystemExit(f"run-scenarios: no scenarios in {options.scenarios}")

    front_end = HeadlessFrontEnd(options.headless) if options.headless else WineFrontEnd(options.wine)
    passed = failed = 0
    with front_end if options.wine else contextlib.nullcontext():
        started = time.monotonic()
        for folder in folders:
            try:
                scenario = Scenario(folder)
            except ScenarioError as error:
                print(f"FAIL {folder.name}\n  scenario error: {error}")
                failed += 1
                continue
            if front_end.name not in scenario.front_ends:
                print(f"SKIP {scenario.name} (not for {front_end.name})")
            elif run_scenario(front_end, scenario):
                passed += 1
            else:
                failed += 1
        elapsed = time.monotonic() - started
        print(f"run-scenarios: {passed + failed} {front_end.name} runs in {elapsed:.1f} s")
        if options.wine and not options.only:
            problems = fullwidth_problems(front_end)
            print("\n".join([f"{'FAIL' if problems else 'PASS'} fullwidth-compare"] + problems))
            passed, failed = (passed, failed + 1) if problems else (passed + 1, failed)
    print(f"scenarios: {passed} passed, {failed} failed")
    return 1 if failed else 0


if __name__ == "__main__":
    try:
        sys.exit(main())
    except SystemExit as stop:
        if isinstance(stop.code, str):  # a setup problem, not a failed scenario
            print(stop.code, file=sys.stderr)
            sys.exit(2)
        raise
