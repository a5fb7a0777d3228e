#!/usr/bin/env python3
"""Times the Windows program under Wine, in the Wine prefix of the scenario runner.

    wine-timing.py BUILD_WIN_DIR [--runs N]

1. Start to dialog: the scenario startup-success runs through the runner's Wine front end (the
   stand-in's launcher plays the host: it shows its own window, then starts LinkBeta.exe with that
   window in the command line). xwininfo polls the X server every few milliseconds; the time is from
   the launcher's host window being viewable (the program is started right after it) to the viewable
   window with the conditions dialog's caption. The first run warms the prefix and is not counted.
   Also printed: from the runner's call to the dialog (scripted user's and launcher's start included).
2. Progress display: dialog-preview.exe runs the progress window's 1000 units (AdvanceBand 0 to 1000)
   and prints the time it measured around them.

Prints one line per measurement: "<name> <median> <all runs>" for start-to-dialog-s,
runner-start-to-dialog-s and progress-1000-units-s.
"""

import argparse
import importlib.util
import os
import re
import shutil
import statistics
import subprocess
import sys
import tempfile
import threading
import time
from pathlib import Path

REPOSITORY = Path(__file__).resolve().parent.parent
CONDITIONS_CAPTION = "集計条件"
HOST_WINDOW_NAME = "Ledgora (stand-in)"


def load_runner():
    runner_spec = importlib.util.spec_from_file_location("run_scenarios", REPOSITORY / "tests" / "run-scenarios.py")
    module = importlib.util.module_from_spec(runner_spec)
    runner_spec.loader.exec_module(module)
    return module


def top_level_windows(env):
    """(window id, line) of the root window's children as xwininfo lists them."""
    listing = subprocess.run(["xwininfo", "-root", "-children"], env=env, stdout=subprocess.PIPE,
                             stderr=subprocess.DEVNULL, check=False).stdout.decode("utf-8", "replace")
    return [(line.split()[0], line) for line in listing.splitlines() if line.strip().startswith("0x")]


def viewable(env, window):
    state = subprocess.run(["xwininfo", "-id", window], env=env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                           check=False).stdout.decode("utf-8", "replace")
    return "IsViewable" in state


def time_start_to_dialog(runner, front_end, scenario, runs):
    """Per run: (launcher's host window to dialog, runner start to dialog), in seconds."""
    times = []
    for _ in range(runs):
        work = Path(tempfile.mkdtemp(prefix="wine-timing-"))
        prepared = runner.PreparedRun(scenario, work)
        outcome = {}
        run = threading.Thread(target=lambda: outcome.update(result=front_end.run(scenario, prepared)))
        started = time.monotonic()
        run.start()
        host_seen = dialog_seen = None
        while run.is_alive() and dialog_seen is None:
            now = time.monotonic() - started
            for window, line in top_level_windows(front_end.env):
                if host_seen is None and HOST_WINDOW_NAME in line and viewable(front_end.env, window):
                    host_seen = now
                if host_seen is not None and CONDITIONS_CAPTION in line and viewable(front_end.env, window):
                    dialog_seen = now
            time.sleep(0.003)
        run.join()
        shutil.rmtree(work, ignore_errors=True)
        if host_seen is None or dialog_seen is None:
            raise SystemExit(f"wine-timing: the dialog was not seen; the run printed {outcome.get('result')}")
        times.append((dialog_seen - host_seen, dialog_seen))
    return times


def time_progress(front_end, build_dir, runs):
    times = []
    for _ in range(runs):
        output = front_end.wine("wine", str(build_dir / "dialog-preview.exe"), str(build_dir / "LinkBeta.exe"),
                                "progress", "1000", "hold=0", timeout=300)
        found = re.search(r"elapsed-ms=(\d+)", output)
        if not found:
            raise SystemExit(f"wine-timing: dialog-preview printed no time:\n{output}")
        times.append(int(found.group(1)) / 1000.0)
    return times


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("build_win")
    parser.add_argument("--runs", type=int, default=5)
    args = parser.parse_args()
    build_dir = Path(args.build_win).resolve()
    runner = load_runner()
    scenario = runner.Scenario(REPOSITORY / "tests" / "scenarios" / "startup-success")
    with runner.WineFrontEnd(build_dir) as front_end:
        time_start_to_dialog(runner, front_end, scenario, 1)   # warms the prefix
        dialog = time_start_to_dialog(runner, front_end, scenario, args.runs)
        progress = time_progress(front_end, build_dir, args.runs)
    for name, values in (("start-to-dialog-s", [d[0] for d in dialog]),
                         ("runner-start-to-dialog-s", [d[1] for d in dialog]),
                         ("progress-1000-units-s", progress)):
        print(name, f"{statistics.median(values):.3f}", " ".join(f"{v:.3f}" for v in values))
    sys.stdout.flush()


if __name__ == "__main__":
    main()
