"""The stand-in's machine under Wine, for tests/run-scenarios.py and tools/demo.

WineMachine: one Xvfb (unless a usable display is given), one private prefix whose drive letters
have the types an installation file names, one wineserver for every run; everything it starts it
ends. InstallationCopy: an installation file and its folders copied for one run, patched, with the
filing application's definition file. The stand-in's launcher (hostsim/launcher) then plays the
accounting product and starts a linkage program on the copy's drives.
"""

import copy
import json
import os
import select
import shutil
import subprocess
import tempfile
import time
from pathlib import Path

# The letters the prefix maps, each with its type for the prefix's whole life: the type's name in the
# installation file, and in Wine's HKLM\Software\Wine\Drives.
DRIVES = {"l": ("fixed", "hd"), "m": ("fixed", "hd"), "n": ("fixed", "hd"), "f": ("removable", "floppy"),
          "q": ("cdrom", "cdrom"), "r": ("ramdisk", "ramdisk"), "s": ("remote", "network")}
# Debian's 64-bit Wine has no preloader to reserve the address ranges Windows code needs before
# the Linux libraries are mapped; with the layout randomised, a process now and then failed to start
# (status 1 at once, nothing printed). Every Wine process runs with one fixed layout instead.
FIXED_LAYOUT = ["setarch", "-R"]


class MachineError(Exception):
    """The installation asks for something this machine cannot be."""


def lines_of(text):
    text = text[:-1] if text.endswith("\n") else text
    return text.split("\n") if text else []


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
        stdout.seek(0), stderr.seek(0)
        output, errors = (stream.read().decode("utf-8", "replace") for stream in (stdout, stderr))
        return lines_of(output), status, problem + errors


def windows_path_of(path):
    """A path of this machine as Wine's Z: drive shows it."""
    return "Z:" + str(Path(path).resolve()).replace("/", "\\")


def display_usable(display):
    return subprocess.run(["xdpyinfo", "-display", display], stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL,
                          stderr=subprocess.DEVNULL, timeout=10, check=False).returncode == 0


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


def host_folder(root, parts):
    """The folder under `root` for the path parts, matching existing names without regard to case."""
    folder = Path(root)
    for part in parts:
        match = next((e for e in folder.iterdir() if e.name.lower() == part.lower()), None) if folder.is_dir() else None
        folder = match or folder / part
    return folder


class InstallationCopy:
    """`installation_file` and the folders beside it copied to `work`/installation, with the JSON merge
    `patches` applied and the stand-in's call log named `log`; the definition file FilvaneDef.ini
    missing, without the key, with it empty, or with the value (2 unless given)."""

    def __init__(self, installation_file, work, patches=(), definition=None, log=None):
        copied_folder = Path(work) / "installation"
        shutil.copytree(Path(installation_file).parent, copied_folder, symlinks=True)
        self.installation_file = copied_folder / Path(installation_file).name
        installation = json.loads(self.installation_file.read_text(encoding="utf-8"))
        for patch in patches:
            installation = merge_patch(installation, patch)
        if log:
            installation["log"] = log
        self.machine = installation.get("machine") or {}
        self.drives = {}  # letter -> (type, copied root)
        for letter, drive in (self.machine.get("drives") or {}).items():
            copied = copied_folder / drive.get("root", "")  # a folder of the installation's
            if not (len(letter) == 1 and letter.isalpha() and copied.is_dir()):
                raise MachineError(f"drive {letter}: no folder {copied}")
            drive["root"] = str(copied)
            self.drives[letter.lower()] = (drive.get("type", "fixed"), copied)
        self.installation = installation
        self.write_installation()
        if definition != "missing":
            value = {None: "2", "empty": ""}.get(definition, definition)
            key = b"" if definition == "nokey" else b"QF14_G=" + value.encode("cp932") + b"\r\n"
            (self.program_folder() / "FilvaneDef.ini").write_bytes(b"[ProgramLevel]\r\n" + key)

    def write_installation(self):
        self.installation_file.write_text(json.dumps(self.installation, ensure_ascii=False, indent=2) + "\n",
                                          encoding="utf-8")

    def host_path(self, windows_path):
        """'L:\\Ledgora\\Link\\' -> the folder of drive L: on this machine."""
        letter = windows_path[:1].lower()
        if windows_path[1:2] != ":" or letter not in self.drives:
            raise MachineError(f"{windows_path} is on no drive of the installation")
        return host_folder(self.drives[letter][1], [part for part in windows_path[2:].split("\\") if part])

    def program_folder(self):
        path = self.host_path(self.machine.get("programFolder", "(no machine.programFolder)"))
        path.mkdir(parents=True, exist_ok=True)
        return path


class WineMachine:
    """Use as a context: the prefix is made on entry and everything is ended on exit (the temporary
    folder is kept when `keep`)."""

    def __init__(self, build_dir, keep=False):
        self.launcher = Path(build_dir).resolve() / "host-launcher.exe"
        if not self.launcher.is_file():
            raise SystemExit(f"wine_machine: {self.launcher} is not built")
        self.keep = keep
        self.xvfb = self.temp = self.env = None

    def __enter__(self):
        locales = subprocess.run(["locale", "-a"], capture_output=True, check=False).stdout.lower().split()
        if not {b"ja_jp.utf8", b"ja_jp.utf-8"} & set(locales):
            raise SystemExit("wine_machine: the ja_JP.UTF-8 locale is not generated (tools/install-deps makes it)")
        try:
            self.temp = Path(tempfile.mkdtemp(prefix="link-wine-"))
            self.env = dict(os.environ, **{
                "WINEPREFIX": str(self.temp / "prefix"),
                "WINEARCH": "win64",
                # Quiet but for Wine's own errors, so that a run that ends before the programs
                # start (status 1 and nothing else) says why.
                "WINEDEBUG": "-all,err+all",
                # No Mono or Gecko installer dialogs while the prefix is made.
                "WINEDLLOVERRIDES": "mscoree,mshtml=",
                # Wine takes its code page from the locale: 932 is what the programs are built for.
                "LANG": "ja_JP.UTF-8", "LC_ALL": "ja_JP.UTF-8",
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
            self.xvfb.wait(timeout=10)
        if self.temp is not None and self.keep:
            print(f"  kept {self.temp}")
        elif self.temp is not None:
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
        with os.fdopen(read_end) as numbers:  # at its end when Xvfb has gone; 20 s for a hung one
            number = numbers.readline().strip() if select.select([numbers], [], [], 20)[0] else ""
        if not number:
            raise SystemExit("wine_machine: Xvfb did not start")
        return ":" + number

    def wine(self, *arguments, timeout=120, must_succeed=True):
        output, status, stderr = run_process(FIXED_LAYOUT + list(arguments), self.env, timeout)
        if status != 0 and must_succeed:
            raise SystemExit(f"wine_machine: {' '.join(arguments)} failed ({status}):\n{stderr}")
        return "".join(line + "\n" for line in output)

    def reg_add(self, key, name, data, *kind):
        # /reg:64: with wine32 installed a plain "wine reg" is the 32-bit one, which writes under
        # Wow6432Node where Wine does not read the drive types.
        self.wine("wine", "reg", "add", key, "/v", name, *kind, "/d", data, "/f", "/reg:64")

    def make_prefix(self):
        started = time.monotonic()
        self.wine("wineboot", "-i", timeout=300)
        # Without a window manager Wine waits 2 s whenever a top-level window is hidden.
        self.reg_add(r"HKCU\Software\Wine\X11 Driver", "Managed", "N")
        # A crashing program ends instead of waiting behind a crash dialog.
        self.reg_add(r"HKCU\Software\Wine\WineDbg", "ShowCrashDialog", "0", "/t", "REG_DWORD")
        # The dialogs' font is proportional on Windows; Wine would put the fixed-pitch IPA Gothic in
        # its place, which makes texts wider than the templates allow.
        for face in ("ＭＳ Ｐゴシック", "MS PGothic"):
            self.reg_add(r"HKCU\Software\Wine\Fonts\Replacements", face, "IPAPGothic")
        # Caption buttons are Marlett glyphs; Debian installs the font where this Wine does not look
        # for it, and the close button then shows the letter r.
        marlett = Path("/usr/share/wine/fonts/marlett.ttf")
        if marlett.is_file():
            shutil.copy(marlett, Path(self.env["WINEPREFIX"]) / "drive_c" / "windows" / "Fonts")
        self.empty_roots = self.temp / "empty-drives"
        for letter, (_, wine_type) in DRIVES.items():
            (self.empty_roots / letter).mkdir(parents=True)
            self.point_drive(letter, self.empty_roots / letter)
            self.reg_add(r"HKLM\Software\Wine\Drives", f"{letter}:", wine_type)
        # The drive types are read when the wineserver starts; one persistent server then serves all runs.
        self.wine("wineserver", "-k", must_succeed=False)  # fails when the server has already gone
        self.wine("wineserver", "-w", must_succeed=False)
        self.wine("wineserver", "-p")
        reported = self.wine("wine", str(self.launcher), "--drive-types", "".join(DRIVES).upper())
        expected = "".join(f"{letter.upper()}: {kind}\n" for letter, (kind, _) in DRIVES.items())
        if reported != expected:
            raise SystemExit(f"wine_machine: the prefix's drives are\n{reported}instead of\n{expected}")
        print(f"wine_machine: Wine prefix ready in {time.monotonic() - started:.1f} s (DISPLAY={self.env['DISPLAY']})")

    def point_drive(self, letter, root):
        # Replaced in one step: a letter that is missing even briefly loses its type.
        link = Path(self.env["WINEPREFIX"]) / "dosdevices" / f"{letter}:"
        temporary = link.with_name(f".{letter}.new")
        temporary.unlink(missing_ok=True)
        os.symlink(root, temporary)
        os.replace(temporary, link)

    def launcher_command(self, installation, program, command_line=None, keep_window=False):
        """Points the drives at the copy's folders, puts `program` (a file of this machine) in the
        installation's program folder and gives the launcher's command that starts it there as the
        installation's machine does."""
        for letter, (kind, _) in installation.drives.items():
            if DRIVES.get(letter, (None,))[0] != kind:
                raise MachineError(f"drive {letter.upper()}: {kind} is not a drive the Wine prefix maps ({DRIVES})")
        for letter in DRIVES:
            self.point_drive(letter, installation.drives.get(letter, (None, self.empty_roots / letter))[1])
        shutil.copy2(program, installation.program_folder() / Path(program).name)
        command = [windows_path_of(self.launcher)]
        for option, key in (("--current-folder", "currentFolder"), ("--temp-folder", "tempFolder")):
            if installation.machine.get(key):
                command += [option, installation.machine[key]]
        if command_line is not None:
            command += ["--command-line", command_line]
        if keep_window:
            command.append("--keep-window")
        return command + [installation.machine["programFolder"].rstrip("\\") + "\\" + Path(program).name]

    def environment(self, installation):
        """Wine's environment for a run on `installation`: the stand-in reads its file from there."""
        return dict(self.env, LEDGORA_INSTALLATION=windows_path_of(installation.installation_file))
