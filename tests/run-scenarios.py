#!/usr/bin/env python3
"""Runs the scenarios of tests/scenarios through link-headless or, under Wine, through the real
programs, and compares what they print and write with their golden files. tests/scenarios/README.md
describes a scenario and the options."""

import argparse
import copy
import difflib
import json
import os
import select
import shutil
import socket
import subprocess
import sys
import tempfile
import time
from pathlib import Path

sys.path.insert(0, str(Path(__file__).resolve().parent))
import report_schema  # noqa: E402

EDITIONS = {"alpha": "Alpha", "beta": "Beta", "gamma": "Gamma"}
# The application type each program announces to the host.
APPLICATION_TYPES = {"alpha": 3, "beta": 0, "gamma": 5}
DEFINITION_FILE = "FilvaneDef.ini"
DIALOG_KEYS = {"category", "output", "key", "browse", "layout", "screenshot"}
FILE_KEYS = {"folder", "file", "full", "held", "held-readable", "expected-file", "absent"}
KNOWN_KEYS = {"edition", "installation", "command-line", "answer", "cancel", "patch", "definition",
              "front-ends"} | DIALOG_KEYS | FILE_KEYS
REPEATABLE_KEYS = {"answer", "patch", "category", "key", "browse", "screenshot"} | FILE_KEYS
# Keys link-headless has no counterpart for; "category" may be given more than once only here.
# (A screenshot prints nothing: link-headless runs such scenarios and ignores it.)
WINE_ONLY_KEYS = {"key", "browse", "layout", "held-readable"}
FRONT_ENDS = ("headless", "wine")
SCREENSHOT_WINDOWS = ("dialog", "progress")
REPOSITORY = Path(__file__).resolve().parent.parent

# The letters a Wine prefix maps, each with its type for the prefix's whole life: the type's name
# in the installation file, and in Wine's HKLM\Software\Wine\Drives.
WINE_DRIVES = {
    "l": ("fixed", "hd"), "m": ("fixed", "hd"), "n": ("fixed", "hd"),
    "f": ("removable", "floppy"),
    "q": ("cdrom", "cdrom"),
    "r": ("ramdisk", "ramdisk"),
    "s": ("remote", "network"),
}
RUN_TIMEOUT_SECONDS = 60
CALL_LOG = "host-calls.log"  # beside the copied installation file
# Debian's 64-bit Wine has no preloader to reserve the address ranges Windows code needs before
# the Linux libraries are mapped; with the layout randomised, a process now and then failed to start
# (status 1 at once, nothing printed). Every Wine process runs with one fixed layout instead.
FIXED_LAYOUT = ["setarch", "-R"]
# The keys that hold a file open.
HOLD_KEYS = ("held", "held-readable")

keep_temp = False
update_goldens = False
artifacts_folder = REPOSITORY / "build" / "artifacts"
refresh_docs = False


class ScenarioError(Exception):
    """The scenario itself is wrong (not the program under test)."""


# --------------------------------------------------------------------------- scenarios

class Scenario:
    def __init__(self, folder):
        self.folder = folder
        self.name = folder.name
        self.values = {}
        self.ordered = []  # (key, value) in file order
        text = (folder / "scenario.conf").read_text(encoding="utf-8")
        for number, line in enumerate(text.split("\n"), 1):
            line = line.rstrip("\r")
            if not line.strip() or line.lstrip().startswith("#"):
                continue
            if "=" not in line:
                raise ScenarioError(f"scenario.conf line {number}: no '=' in {line!r}")
            key, value = line.split("=", 1)
            key = key.strip()
            if key not in KNOWN_KEYS:
                raise ScenarioError(f"scenario.conf line {number}: unknown key {key!r}")
            if key in self.values and key not in REPEATABLE_KEYS:
                raise ScenarioError(f"scenario.conf line {number}: {key} given twice")
            self.values.setdefault(key, []).append(value)
            self.ordered.append((key, value))

        self.edition = self.single("edition")
        if self.edition not in EDITIONS:
            raise ScenarioError(f"edition must be one of {', '.join(EDITIONS)}, not {self.edition!r}")
        installation = self.single("installation")
        if installation is None:
            raise ScenarioError("installation is required")
        self.installation = (folder / installation).resolve()
        if not self.installation.is_file():
            raise ScenarioError(f"no installation file {self.installation}")
        self.command_line = self.single("command-line")
        self.answers = self.values.get("answer", [])
        for answer in self.answers:
            if answer not in ("yes", "no"):
                raise ScenarioError(f"answer must be yes or no, not {answer!r}")
        self.cancel = self.single("cancel") not in (None, "", "0")
        for category in self.values.get("category", []):
            if not category.isdigit():
                raise ScenarioError(f"category takes a number, not {category!r}")
        self.screenshots = []  # (window, picture name)
        for shot in self.values.get("screenshot", []):
            window, _, name = shot.partition(":")
            if window not in SCREENSHOT_WINDOWS or not name.endswith(".png") or "/" in name or name.startswith("."):
                raise ScenarioError(f"screenshot takes dialog:NAME.png or progress:NAME.png, not {shot!r}")
            self.screenshots.append((window, name))
        if sum(1 for window, _ in self.screenshots if window == "progress") > 1:
            raise ScenarioError("one progress screenshot per run")
        self.files = []  # (key, WINPATH, LOCALFILE or None) in file order
        for key, value in self.ordered:
            if key == "file":
                target, arrow, local = value.rpartition("<-")
                if not arrow or not target or not (folder / local).is_file():
                    raise ScenarioError(f"file takes WINPATH<-LOCALFILE with an existing file, not {value!r}")
                self.files.append((key, target, folder / local))
            elif key == "expected-file":
                target, equals, local = value.rpartition("=")
                if not equals or not target or not ((folder / local).is_file() or update_goldens):
                    raise ScenarioError(f"expected-file takes WINPATH=LOCALFILE with an existing file, not {value!r}")
                self.files.append((key, target, folder / local))
            elif key in FILE_KEYS:
                self.files.append((key, value, None))
        self.patches = []
        for patch in self.values.get("patch", []):
            try:
                self.patches.append(json.loads(patch))
            except json.JSONDecodeError as error:
                raise ScenarioError(f"patch is not JSON: {error}") from None
        self.definition = self.single("definition")
        front_ends = self.single("front-ends")
        self.front_ends = FRONT_ENDS if front_ends is None else tuple(f.strip() for f in front_ends.split(","))
        for front_end in self.front_ends:
            if front_end not in FRONT_ENDS:
                raise ScenarioError(f"unknown front end {front_end!r}")
        if "headless" in self.front_ends:
            wine_only = sorted(WINE_ONLY_KEYS & set(self.values))
            if len(self.values.get("category", [])) > 1:
                wine_only.append("category given twice")
            if wine_only:
                raise ScenarioError(f"{', '.join(wine_only)}: Wine only, say front-ends=wine")
        expected = folder / "expected.txt"
        if not expected.is_file() and not update_goldens:
            raise ScenarioError("no expected.txt")
        self.expected = lines_of(expected.read_text(encoding="utf-8")) if expected.is_file() else []

    def single(self, key):
        values = self.values.get(key)
        return values[0] if values else None

    def user_arguments(self):
        """The scripted user's actions as link-headless's options; the conditions dialog's keep the
        order of the file."""
        arguments = []
        for answer in self.answers:
            arguments += ["--answer", answer]
        for key, value in self.ordered:
            if key in ("category", "output", "key", "browse"):
                arguments += [f"--{key}", value]
            elif key == "layout" and value not in ("", "0"):
                arguments += ["--layout"]
        if self.cancel:
            arguments += ["--cancel"]
        return arguments

    def user_lines(self, screenshot_paths):
        """The Wine user's script: the lines of the file it acts on, in order, each picture's name
        replaced by the Windows path (from `screenshot_paths`) its bitmap is written to."""
        lines = []
        for key, value in self.ordered:
            if key == "screenshot":
                window, _, name = value.partition(":")
                value = f"{window}:{screenshot_paths[name]}"
            elif key in ("layout", "cancel") and value in ("", "0"):
                continue
            elif key not in ("answer", "category", "output", "key", "browse", "layout", "cancel") + HOLD_KEYS:
                continue
            lines.append(f"{key}={value}\n")
        return "".join(lines)


def lines_of(text):
    if text.endswith("\n"):
        text = text[:-1]
    return text.split("\n") if text else []


def merge_patch(target, patch):
    """RFC 7386 JSON merge patch."""
    if not isinstance(patch, dict):
        return copy.deepcopy(patch)
    result = dict(target) if isinstance(target, dict) else {}
    for key, value in patch.items():
        if value is None:
            result.pop(key, None)
        else:
            result[key] = merge_patch(result.get(key), value)
    return result


def split_windows_path(path):
    """'L:\\Ledgora\\Link\\' -> ('l', ['Ledgora', 'Link'])."""
    if not isinstance(path, str) or len(path) < 2 or path[1] != ":" or not path[0].isalpha():
        raise ScenarioError(f"not a Windows path with a drive letter: {path!r}")
    return path[0].lower(), [part for part in path[2:].split("\\") if part]


def host_folder(root, parts):
    """The folder under `root` for the path parts, matching existing names without regard to case."""
    folder = Path(root)
    for part in parts:
        match = None
        if folder.is_dir():
            match = next((entry for entry in folder.iterdir() if entry.name.lower() == part.lower()), None)
        folder = match if match is not None else folder / part
    return folder


class PreparedRun:
    """A scenario's installation copied to a fresh folder, patched, with its definition file."""

    def __init__(self, scenario, work):
        source_folder = scenario.installation.parent
        copied_folder = work / "installation"
        shutil.copytree(source_folder, copied_folder, symlinks=True)
        self.installation_file = copied_folder / scenario.installation.name
        try:
            installation = json.loads(scenario.installation.read_text(encoding="utf-8"))
        except (json.JSONDecodeError, UnicodeDecodeError) as error:
            raise ScenarioError(f"installation file is not JSON: {error}") from None
        for patch in scenario.patches:
            installation = merge_patch(installation, patch)
        installation["log"] = CALL_LOG

        self.machine = installation.get("machine") or {}
        self.drives = {}  # letter -> (type, copied root)
        for letter, drive in (self.machine.get("drives") or {}).items():
            if len(letter) != 1 or not letter.isalpha():
                raise ScenarioError(f"drive letter {letter!r}")
            original = Path(drive.get("root", ""))
            if not original.is_absolute():
                original = (source_folder / original).resolve()
            if not original.is_dir():
                raise ScenarioError(f"drive {letter}: root {original} is not a folder")
            try:
                copied = copied_folder / original.relative_to(source_folder)
            except ValueError:
                copied = work / f"drive-{letter.lower()}"
                shutil.copytree(original, copied, symlinks=True)
            drive["root"] = str(copied)
            self.drives[letter.lower()] = (drive.get("type", "fixed"), copied)
        self.installation = installation
        self.write_installation()
        self.write_definition(scenario.definition)
        self.place_files(scenario)
        self.shots = work / "shots"
        self.shots.mkdir()

    def write_installation(self):
        self.installation_file.write_text(json.dumps(self.installation, ensure_ascii=False, indent=2) + "\n",
                                          encoding="utf-8")

    def lock_files(self, windows_paths):
        """The stand-in's way of another program holding the files open with no sharing."""
        if windows_paths:
            machine = self.installation.setdefault("machine", {})
            machine["lockedFiles"] = list(machine.get("lockedFiles") or []) + list(windows_paths)
            self.write_installation()

    def host_path(self, windows_path):
        letter, parts = split_windows_path(windows_path)
        if letter not in self.drives:
            raise ScenarioError(f"{windows_path} is on no drive of the installation")
        return host_folder(self.drives[letter][1], parts)

    def place_files(self, scenario):
        for key, windows_path, local in scenario.files:
            if key not in ("folder", "file", "full") and key not in HOLD_KEYS:
                continue
            target = self.host_path(windows_path)
            if key in HOLD_KEYS:
                if not target.is_file():
                    raise ScenarioError(f"{key}={windows_path}: no such file to hold open (place it with file= first)")
                continue
            if key == "folder":
                target.mkdir(parents=True, exist_ok=True)
                continue
            target.parent.mkdir(parents=True, exist_ok=True)
            if key == "file":
                shutil.copyfile(local, target)
            else:
                os.symlink("/dev/full", target)

    def check_files(self, scenario):
        """Problems with the files the run left, as report lines."""
        problems = []
        for key, windows_path, local in scenario.files:
            if key == "absent":
                target = self.host_path(windows_path)
                if target.exists() or target.is_symlink():
                    problems.append(f"  {windows_path} exists")
            elif key == "expected-file":
                problems += compare_file(windows_path, self.host_path(windows_path), local)
        return problems

    def program_folder(self):
        folder = self.machine.get("programFolder")
        if not folder:
            raise ScenarioError("the installation has no machine.programFolder")
        path = self.host_path(folder)
        path.mkdir(parents=True, exist_ok=True)
        return path

    def write_definition(self, definition):
        if definition == "missing":
            return
        if definition is None:
            content = b"[ProgramLevel]\r\nQF14_G=2\r\n"
        elif definition == "nokey":
            content = b"[ProgramLevel]\r\n"
        elif definition == "empty":
            content = b"[ProgramLevel]\r\nQF14_G=\r\n"
        else:
            content = b"[ProgramLevel]\r\nQF14_G=" + definition.encode("cp932") + b"\r\n"
        (self.program_folder() / DEFINITION_FILE).write_bytes(content)


# --------------------------------------------------------------------------- comparison

def write_goldens(scenario, prepared, actual):
    """Makes what the run printed and wrote the scenario's expected transcript and files."""
    lines = list(actual)
    if lines and lines[-1] == "RESULT unposted" and scenario.expected:
        lines[-1] = scenario.expected[-1]  # the driver cannot know; keep what a person wrote
    (scenario.folder / "expected.txt").write_text("".join(line + "\n" for line in lines), encoding="utf-8")
    scenario.expected = lines
    for key, windows_path, local in scenario.files:
        written = prepared.host_path(windows_path) if key == "expected-file" else None
        if written is not None and written.is_file():
            shutil.copyfile(written, local)


def call_log_problems(log_path, transcript, edition):
    """What every run owes the host, read from the stand-in's call log: its edition's application
    type, no asset record read twice (in a run that succeeded, every one of them once, in order),
    and every rule object, era cursor and period object it was given handed back."""
    if not log_path.is_file():
        return [f"the stand-in wrote no call log ({log_path.name})"]
    lines = log_path.read_text(encoding="utf-8", errors="replace").split("\n")
    problems = []
    announced = [line for line in lines if line.startswith("ClAccConnect::SetAppType ")]
    if announced and announced != [f"ClAccConnect::SetAppType {APPLICATION_TYPES[edition]}"]:
        problems.append(f"the application type told to the host: {announced}")
    moves = [line.split()[1] for line in lines if line.startswith("ClRuleGenkashokyaku::Move index=")]
    if len(moves) != len(set(moves)):
        problems.append("an asset record was read more than once")
    counts = [line for line in lines if line.startswith("ClRuleGenkashokyaku::GetCount -> 0 count=")]
    if transcript and transcript[-1] == "RESULT 0" and counts:
        count = int(counts[-1].rsplit("=", 1)[1])
        if moves != [f"index={i}" for i in range(count)]:
            problems.append(f"the asset records were not read once each in order ({len(moves)} of {count} reads)")
    made = lines.count("ClRuleGenkashokyaku::ClRuleGenkashokyaku")
    gone = lines.count("ClRuleGenkashokyaku::~ClRuleGenkashokyaku")
    if made != gone:
        problems.append(f"asset rule objects: {made} made, {gone} destroyed")
    opened = sum(1 for line in lines if line.startswith("ClSetGengo::GetCursor -> 0 "))
    released = sum(1 for line in lines if line.startswith("ClSetGengo::ReleaseCursor") and "(not open)" not in line)
    if opened != released:
        problems.append(f"era cursors: {opened} opened, {released} released")
    periods = lines.count("ClSetData::GetAccPeriod -> object")
    destroyed = lines.count("ClAccPeriod::~ClAccPeriod")
    if periods != destroyed:
        problems.append(f"period objects: {periods} delivered, {destroyed} destroyed")
    return problems


def compare(expected, actual, name):
    """Differences as unified diff lines; empty when the transcripts agree.

    Under Wine the launcher cannot know the result of a run that posted nothing and ends the
    transcript with "RESULT unposted"; then everything but the last line is compared."""
    if actual and actual[-1] == "RESULT unposted":
        if not expected or not expected[-1].startswith("RESULT "):
            return [f"expected.txt of {name} does not end with a RESULT line"]
        expected, actual = expected[:-1], actual[:-1]
    if expected == actual:
        return []
    return list(difflib.unified_diff(expected, actual, "expected.txt", "actual", lineterm=""))


def compare_file(windows_path, actual_path, expected_path):
    if not actual_path.is_file():
        return [f"  {windows_path} was not written"]
    actual = actual_path.read_bytes()
    expected = expected_path.read_bytes()
    problems = []
    if actual != expected:
        problems.append(f"  {windows_path} differs from {expected_path.name} "
                        f"({len(actual)} bytes, expected {len(expected)}):")
        as_text = [lines_of(data.decode("cp932", "backslashreplace")) for data in (expected, actual)]
        problems += ["  " + line for line in difflib.unified_diff(
            as_text[0], as_text[1], expected_path.name, windows_path, lineterm="")][:40]
    if expected_path.suffix.lower() == ".xml":
        # An independent parser and the published schema, for the written report and its golden.
        for label, data in ((windows_path, actual), (expected_path.name, expected)):
            refusals = report_schema.problems(data)
            if refusals:
                problems.append(f"  {label} does not validate against docs/report.xsd:")
                problems += ["  | " + line for line in refusals[:20]]
    return problems


def run_process(command, env, timeout):
    """(output lines, exit status or None when killed, standard error text).

    Output goes to files, not pipes: Wine's background processes inherit the descriptors and would
    hold a pipe open long after the command has ended."""
    with tempfile.TemporaryFile() as stdout, tempfile.TemporaryFile() as stderr:
        try:
            status = subprocess.run(command, env=env, stdin=subprocess.DEVNULL, stdout=stdout, stderr=stderr,
                                    timeout=timeout, check=False).returncode
            problem = ""
        except subprocess.TimeoutExpired:
            status, problem = None, f"killed after {timeout} s\n"
        stdout.seek(0)
        stderr.seek(0)
        return (lines_of(stdout.read().decode("utf-8", "replace")), status,
                problem + stderr.read().decode("utf-8", "replace"))


# --------------------------------------------------------------------------- front ends

class HeadlessFrontEnd:
    name = "headless"

    def __init__(self, binary):
        self.binary = str(Path(binary).resolve())
        if not os.access(self.binary, os.X_OK):
            raise SystemExit(f"run-scenarios: {self.binary} is not an executable")

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        return False

    def run(self, scenario, prepared):
        prepared.lock_files([path for key, path, _ in scenario.files if key == "held"])
        command = [self.binary, "--edition", scenario.edition, "--installation", str(prepared.installation_file)]
        if scenario.command_line is not None:
            command += ["--command-line", scenario.command_line]
        command += scenario.user_arguments()
        return run_process(command, os.environ.copy(), RUN_TIMEOUT_SECONDS)


class WineFrontEnd:
    """One Xvfb (unless a usable display is given), one private prefix and one wineserver for all
    scenarios; everything started here is ended here. In each run the stand-in's launcher plays the
    accounting product and the scripted user (which starts the launcher) works the program's windows."""
    name = "wine"

    def __init__(self, build_dir):
        self.build_dir = Path(build_dir).resolve()
        self.user = self.build_dir / "link-e2e-user.exe"
        self.launcher = self.build_dir / "host-launcher.exe"
        for required in [self.user, self.launcher] + [self.build_dir / f"Link{e}.exe" for e in EDITIONS.values()]:
            if not required.is_file():
                raise SystemExit(f"run-scenarios: {required} is not built")
        self.xvfb = None
        self.temp = None
        self.env = None
        self.empty_roots = None

    def __enter__(self):
        locales = subprocess.run(["locale", "-a"], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                 check=False).stdout.decode("utf-8", "replace").lower().split()
        if not {"ja_jp.utf8", "ja_jp.utf-8"} & set(locales):
            raise SystemExit("run-scenarios: the ja_JP.UTF-8 locale is not generated (tools/install-deps makes it)")
        try:
            self.temp = Path(tempfile.mkdtemp(prefix="link-e2e-wine-"))
            self.env = os.environ.copy()
            self.env.update({
                "WINEPREFIX": str(self.temp / "prefix"),
                "WINEARCH": "win64",
                # Quiet but for Wine's own errors, so that a run that ends before the programs
                # start (status 1 and nothing else) says why.
                "WINEDEBUG": "-all,err+all",
                # No Mono or Gecko installer dialogs while the prefix is made.
                "WINEDLLOVERRIDES": "mscoree,mshtml=",
                # Wine takes its code page from the locale: 932 is what the programs are built for.
                "LANG": "ja_JP.UTF-8",
                "LC_ALL": "ja_JP.UTF-8",
            })
            self.env["DISPLAY"] = self.display()
            self.make_prefix()
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        if self.env is not None and (self.temp / "prefix").exists():
            run_process(["wineserver", "-k"], self.env, 30)
        if self.xvfb is not None:
            self.xvfb.terminate()
            try:
                self.xvfb.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.xvfb.kill()
                self.xvfb.wait()
        if self.temp is not None:
            if keep_temp:
                print(f"run-scenarios: kept {self.temp}")
            else:
                shutil.rmtree(self.temp, ignore_errors=True)
        return False

    def display(self):
        current = os.environ.get("DISPLAY", "")
        if current and display_usable(current):
            return current
        read_end, write_end = os.pipe()
        # -displayfd: Xvfb picks a free display and writes its number once it accepts clients.
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24", "-nolisten", "tcp"],
            pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
            stderr=subprocess.DEVNULL, start_new_session=True)
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 20
        while not number.endswith(b"\n"):
            ready, _, _ = select.select([read_end], [], [], max(0.0, deadline - time.monotonic()))
            chunk = os.read(read_end, 16) if ready else b""
            if not chunk:
                os.close(read_end)
                raise SystemExit("run-scenarios: Xvfb did not start")
            number += chunk
        os.close(read_end)
        return ":" + number.decode().strip()

    def wine(self, *arguments, timeout=120, must_succeed=True):
        output, status, stderr = run_process(FIXED_LAYOUT + list(arguments), self.env, timeout)
        if status != 0 and must_succeed:
            raise SystemExit(f"run-scenarios: {' '.join(arguments)} failed ({status}):\n{stderr}")
        return "".join(line + "\n" for line in output)

    def make_prefix(self):
        started = time.monotonic()
        self.wine("wineboot", "-i", timeout=300)
        # Without a window manager Wine waits 2 s whenever a top-level window is hidden.
        self.wine("wine", "reg", "add", r"HKCU\Software\Wine\X11 Driver", "/v", "Managed", "/d", "N", "/f")
        # A crashing program ends instead of waiting behind a crash dialog.
        self.wine("wine", "reg", "add", r"HKCU\Software\Wine\WineDbg", "/v", "ShowCrashDialog", "/t", "REG_DWORD",
                  "/d", "0", "/f")
        # The dialogs' font is proportional on Windows; Wine would put the fixed-pitch IPA Gothic in
        # its place, which makes texts wider than the templates allow.
        for face in ("ＭＳ Ｐゴシック", "MS PGothic"):
            self.wine("wine", "reg", "add", r"HKCU\Software\Wine\Fonts\Replacements", "/v", face, "/d", "IPAPGothic",
                      "/f")
        # Caption buttons are Marlett glyphs; Debian installs the font where this Wine does not look
        # for it, and the close button then shows the letter r.
        marlett = Path("/usr/share/wine/fonts/marlett.ttf")
        if marlett.is_file():
            shutil.copy(marlett, Path(self.env["WINEPREFIX"]) / "drive_c" / "windows" / "Fonts")
        self.empty_roots = self.temp / "empty-drives"
        for letter, (_, wine_type) in WINE_DRIVES.items():
            (self.empty_roots / letter).mkdir(parents=True)
            self.point_drive(letter, self.empty_roots / letter)
            self.wine("wine", "reg", "add", r"HKLM\Software\Wine\Drives", "/v", f"{letter}:", "/d", wine_type, "/f")
        # The drive types are read when the wineserver starts; one persistent server then serves all runs.
        self.wine("wineserver", "-k", must_succeed=False)  # fails when the server has already gone
        self.wine("wineserver", "-w", must_succeed=False)
        self.wine("wineserver", "-p")
        reported = self.wine("wine", str(self.user), "--drive-types", "".join(WINE_DRIVES).upper())
        expected = "".join(f"{letter.upper()}: {kind}\n" for letter, (kind, _) in WINE_DRIVES.items())
        if reported != expected:
            raise SystemExit(f"run-scenarios: the prefix's drives are\n{reported}instead of\n{expected}")
        print(f"run-scenarios: Wine prefix ready in {time.monotonic() - started:.1f} s "
              f"(DISPLAY={self.env['DISPLAY']})")

    def point_drive(self, letter, root):
        # Replaced in one step: a letter that is missing even briefly loses its type.
        link = Path(self.env["WINEPREFIX"]) / "dosdevices" / f"{letter}:"
        temporary = link.with_name(f".{letter}.new")
        if temporary.is_symlink():
            temporary.unlink()
        os.symlink(root, temporary)
        os.replace(temporary, link)

    def launcher_arguments(self, scenario, prepared):
        """Points the drives at the run's folders, copies the program into place and gives the
        launcher's arguments that start it as the installation's machine does."""
        for letter, (kind, _) in prepared.drives.items():
            if letter not in WINE_DRIVES:
                raise ScenarioError(f"drive {letter.upper()}: is not one the Wine prefix maps "
                                    f"({', '.join(known.upper() for known in WINE_DRIVES)})")
            if WINE_DRIVES[letter][0] != kind:
                raise ScenarioError(f"drive {letter.upper()}: is {WINE_DRIVES[letter][0]} under Wine, not {kind}")
        for letter in WINE_DRIVES:
            self.point_drive(letter, prepared.drives[letter][1] if letter in prepared.drives
                             else self.empty_roots / letter)

        program_name = f"Link{EDITIONS[scenario.edition]}.exe"
        shutil.copy2(self.build_dir / program_name, prepared.program_folder() / program_name)
        arguments = []
        for option, key in (("--current-folder", "currentFolder"), ("--temp-folder", "tempFolder")):
            if prepared.machine.get(key):
                arguments += [option, prepared.machine[key]]
        if scenario.command_line is not None:
            arguments += ["--command-line", scenario.command_line]
        return arguments + [prepared.machine["programFolder"].rstrip("\\") + "\\" + program_name]

    def run_environment(self, prepared):
        env = dict(self.env)
        env["LEDGORA_INSTALLATION"] = windows_path_of(prepared.installation_file)
        return env

    def run(self, scenario, prepared):
        launcher = [windows_path_of(self.launcher)] + self.launcher_arguments(scenario, prepared)
        screenshot_paths = {name: windows_path_of(prepared.shots / (Path(name).stem + ".bmp"))
                            for _, name in scenario.screenshots}
        script = prepared.shots.parent / "user-script.txt"
        script.write_text(scenario.user_lines(screenshot_paths), encoding="utf-8")
        command = FIXED_LAYOUT + ["wine", str(self.user), windows_path_of(script)] + launcher
        return run_process(command, self.run_environment(prepared), RUN_TIMEOUT_SECONDS + 30)


def windows_path_of(path):
    """A path of this machine as Wine's Z: drive shows it."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


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


def display_usable(display):
    if shutil.which("xdpyinfo"):
        return subprocess.run(["xdpyinfo", "-display", display], stdin=subprocess.DEVNULL,
                              stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=10,
                              check=False).returncode == 0
    if display.startswith(":"):
        number = display[1:].split(".")[0]
        with socket.socket(socket.AF_UNIX) as probe:
            try:
                probe.connect(f"/tmp/.X11-unix/X{number}")
                return True
            except OSError:
                return False
    return True


# --------------------------------------------------------------------------- main

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
                                                                   scenario.edition)]
        if front_end.name == "wine":
            problems += collect_screenshots(scenario, prepared)
    except ScenarioError as error:
        print(f"FAIL {scenario.name}\n  scenario error: {error}")
        return False
    finally:
        if keep_temp:
            print(f"  kept {work}")
        else:
            shutil.rmtree(work, ignore_errors=True)
    took = f"({time.monotonic() - started:.1f} s)"
    if problems:
        print(f"FAIL {scenario.name} {took}")
        for line in problems:
            print(line)
        return False
    print(f"PASS {scenario.name} {took}")
    return True


def main():
    global keep_temp, artifacts_folder, refresh_docs, update_goldens
    parser = argparse.ArgumentParser(description="Runs whole-run scenarios and compares their transcripts.")
    mode = parser.add_mutually_exclusive_group(required=True)
    mode.add_argument("--headless", metavar="BIN", help="the link-headless program")
    mode.add_argument("--wine", metavar="BUILD_WIN_DIR",
                      help="the folder with Link*.exe, host-launcher.exe and link-e2e-user.exe")
    parser.add_argument("scenarios", metavar="SCENARIOS_DIR")
    parser.add_argument("--only", nargs="+", metavar="NAME", help="run only these scenarios")
    parser.add_argument("--keep-temp", action="store_true", help="keep the temporary folders (and say where)")
    parser.add_argument("--artifacts", metavar="DIR", help="where screenshots go (default build/artifacts)")
    parser.add_argument("--update-goldens", action="store_true",
                        help="rewrite expected.txt and the expected files from this run (on purpose only)")
    parser.add_argument("--refresh-docs", action="store_true",
                        help="replace the pictures in docs/ by the screenshots of the same name")
    options = parser.parse_args()
    keep_temp = options.keep_temp
    update_goldens = options.update_goldens
    refresh_docs = options.refresh_docs
    if options.artifacts:
        artifacts_folder = Path(options.artifacts).resolve()
    sys.stdout.reconfigure(encoding="utf-8", line_buffering=True)

    folders = sorted(f for f in Path(options.scenarios).iterdir() if (f / "scenario.conf").is_file())
    if options.only:
        unknown = set(options.only) - {f.name for f in folders}
        if unknown:
            raise SystemExit(f"run-scenarios: no scenario named {', '.join(sorted(unknown))}")
        folders = [f for f in folders if f.name in options.only]
    if not folders:
        raise SystemExit(f"run-scenarios: no scenarios in {options.scenarios}")

    front_end = HeadlessFrontEnd(options.headless) if options.headless else WineFrontEnd(options.wine)
    passed = failed = ran = 0
    with front_end:
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
                continue
            ran += 1
            if run_scenario(front_end, scenario):
                passed += 1
            else:
                failed += 1
        if ran:
            elapsed = time.monotonic() - started
            print(f"run-scenarios: {ran} {front_end.name} runs in {elapsed:.1f} s ({elapsed / ran:.2f} s each)")
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
