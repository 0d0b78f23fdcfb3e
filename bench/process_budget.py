#!/usr/bin/env python3
"""What a user feels of a desktop program, measured from outside its process, as one table
against the project's budgets: launch to the window's first picture, resident memory, CPU and
wake-ups shown and hidden, during a session's fade and dimming and its last minute, and one
volume write.

Build with -DVELORINTH_BENCHMARKS=ON (after tools/install-deps.sh bench), then run it on the
test services (private display with a compositor and a tray, sound server,
buses, temporary HOME); every run of the app gets its own HOME and a stub `systemctl` first
on PATH, so nothing can suspend this machine:
    bash tools/with-test-services.sh python3 bench/process_budget.py [--seconds 30]
Pointed at another desktop program, it gives that program's launch, memory and idle figures:
    bash tools/with-test-services.sh python3 bench/process_budget.py -- <program> [args…]
Given another build of Velorinth (an older commit's), it measures the session's last minute of
both, taking turns so that both meet the same load on the machine:
    bash tools/with-test-services.sh python3 bench/process_budget.py --against <build dir>

CPU is the run time of all the process's threads (/proc/<pid>/task/*/schedstat); wake-ups are
their voluntary and involuntary context switches. Threads that end while measured take their
counts with them; the table says how many did. In the last minute each thread is shown apart:
Qt's pooled threads ("Thread (pooled)") sleep unless something hands them work.
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile
import time
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
BUILD = Path(os.environ.get("BUILD_DIR", ROOT / "build"))
PROBE = BUILD / "bench" / "window_probe"
APP = BUILD / "src" / "app" / "velorinth"
LAUNCH_STEPS = 5.0  # the window's launch animation, during which its keys do nothing
SETTLE_HIDDEN = 35.0  # past the launch steps and Qt's idle pool threads
SETTLE_SESSION = 3.0
LAST_MINUTE = 59  # a session this long shows its seconds in the tray from the start
POOLED = "Thread (pooled)"


def tasks(pid):
    """Name, run time in ms and context switches of each live thread."""
    found = {}
    for task in Path(f"/proc/{pid}/task").glob("*"):
        try:
            name = (task / "comm").read_text().strip()
            run_ns = int((task / "schedstat").read_text().split()[0])
            status = (task / "status").read_text()
        except OSError:
            continue
        switches = sum(int(n) for n in re.findall(r"ctxt_switches:\s+(\d+)", status))
        found[task.name] = (name, run_ns / 1e6, switches)
    return found


class Figures:
    """What the threads did over the measured seconds."""

    def __init__(self, before, after):
        self.threads = {}  # tid: (name, ms, switches), threads started meanwhile included
        for tid, (name, run, switches) in after.items():
            _, run0, switches0 = before.get(tid, (name, 0.0, 0))
            self.threads[tid] = (name, run - run0, switches - switches0)
        self.ended = len(set(before) - set(after))
        self.cpu = sum(run for _, run, _ in self.threads.values())
        self.wakeups = sum(switches for _, _, switches in self.threads.values())

    def per_name(self):
        """Name: (threads, threads that ran, ms, switches), busiest first."""
        named = {}
        for name, run, switches in self.threads.values():
            count, woke, cpu, total = named.get(name, (0, 0, 0.0, 0))
            named[name] = (count + 1, woke + (switches > 0), cpu + run, total + switches)
        return sorted(named.items(), key=lambda item: -item[1][3])

    def pooled_woken(self):
        return sum(1 for name, _, switches in self.threads.values()
                   if name == POOLED and switches > 0)


def measure(pid, seconds):
    before = tasks(pid)
    time.sleep(seconds)
    return Figures(before, tasks(pid))


def resident_mib(pid):
    """The process and its children together, as a helper daemon would count."""
    family, total = {pid}, 0
    for stat in sorted(Path("/proc").glob("[0-9]*/stat"), key=lambda p: int(p.parent.name)):
        try:
            fields = stat.read_text().rsplit(")", 1)[1].split()
            if int(fields[1]) in family:
                family.add(int(stat.parent.name))
        except (OSError, IndexError, ValueError):
            continue
    for member in family:
        try:
            status = Path(f"/proc/{member}/status").read_text()
            total += int(re.search(r"VmRSS:\s+(\d+)", status).group(1))
        except (OSError, AttributeError):
            continue
    return total / 1024


def area(window):
    shell = subprocess.run(["xdotool", "getwindowgeometry", "--shell", window],
                           capture_output=True, text=True, check=False).stdout
    size = dict(line.split("=", 1) for line in shell.split())
    return int(size.get("WIDTH", 0)) * int(size.get("HEIGHT", 0))


class Run:
    """One start of a program, in a home of its own, ended when the block ends."""

    def __init__(self, command, settings="", scale=1):
        self.command, self.settings, self.scale = command, settings, scale

    def __enter__(self):
        self.home = tempfile.TemporaryDirectory(dir=os.environ.get("HOME"))
        home = Path(self.home.name)
        (home / ".config/Velorinth").mkdir(parents=True)
        (home / ".config/Velorinth/Velorinth.conf").write_text("[General]\n" + self.settings)
        (home / "bin").mkdir()
        systemctl = home / "bin/systemctl"
        systemctl.write_text(f"#!/bin/sh\necho \"$@\" >> {home}/suspends\n")
        systemctl.chmod(0o755)
        runtime = home / "runtime"
        runtime.mkdir(mode=0o700)
        env = dict(os.environ, HOME=str(home), XDG_CONFIG_HOME=str(home / ".config"),
                   XDG_RUNTIME_DIR=str(runtime), PATH=f"{home}/bin:{os.environ['PATH']}",
                   QT_SCALE_FACTOR=str(self.scale))
        out = subprocess.run([str(PROBE), "launch", *self.command], env=env,
                             capture_output=True, text=True, check=False).stdout.split()
        self.pid, self.launch_ms = int(out[0]), float(out[1])
        return self

    def __exit__(self, *_):
        subprocess.run(["kill", str(self.pid)], check=False)
        for _ in range(50):
            if not Path(f"/proc/{self.pid}").exists():
                break
            time.sleep(0.1)
        self.home.cleanup()

    def window(self):
        """The program's largest visible window: its tray icon is one of its windows too."""
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.pid)],
                               capture_output=True, text=True, check=False).stdout.split()
        return max(found, key=area, default=None)

    def press_space(self):
        # No window manager here: the keyboard follows the pointer.
        subprocess.run(["xdotool", "mousemove", "--window", self.window(), "160", "40"],
                       check=False)
        subprocess.run(["xdotool", "key", "space"], check=False)

    def close_window(self):
        for _ in range(20):
            if self.window() is None:
                return True
            subprocess.run([str(PROBE), "close", str(self.pid)], capture_output=True, check=False)
            time.sleep(0.5)
        return False


class Table:
    def __init__(self):
        print(f"{'':46} {'measured':>22}  {'budget':>18}")

    def row(self, what, measured, budget="", met=None):
        verdict = "" if met is None else ("met" if met else "MISSED")
        print(f"{what:46} {measured:>22}  {budget:>18}  {verdict}", flush=True)

    def cpu(self, what, figures, seconds, budget_ms=None, budget_wakeups=None, percent=None):
        cpu, wakeups, ended = figures.cpu, figures.wakeups, figures.ended
        note = f" ({ended} thr. ended)" if ended else ""
        if percent is not None:
            share = 100 * cpu / (seconds * 1000)
            self.row(what, f"{share:.2f} % of a core{note}", f"<= {percent} %", share <= percent)
            return
        # The budgets are per 30 s.
        per30 = cpu * 30 / seconds
        measured = f"{per30:.1f} ms/30 s, {wakeups / seconds:.1f}/s{note}"
        if budget_ms is None:
            self.row(what, measured)
            return
        met = per30 <= budget_ms and wakeups / seconds <= budget_wakeups
        self.row(what, measured, f"<= {budget_ms} ms, {budget_wakeups}/s", met)

    def threads(self, what, figures, seconds, budget_ms, budget_switches):
        """Per 30 s: all threads against the budget, then each kind of thread."""
        per30 = 30 / seconds
        cpu, switches = figures.cpu * per30, figures.wakeups * per30
        woken = figures.pooled_woken()
        met = cpu <= budget_ms and switches <= budget_switches and woken == 0
        note = f" ({figures.ended} thr. ended)" if figures.ended else ""
        self.row(what, f"{cpu:.1f} ms, {switches:.0f} sw/30 s{note}",
                 f"<= {budget_ms} ms, {budget_switches} sw", met)
        for name, (count, woke, run, total) in figures.per_name():
            threads = f" x{count}, {woke} woke" if count > 1 else ""
            self.row(f"  {name}{threads}", f"{run * per30:.1f} ms, {total * per30:.0f} sw",
                     "sleeps" if name == POOLED else "", woke == 0 if name == POOLED else None)


def first_picture_and_memory(table, run):
    shown = run.launch_ms >= 0
    table.row("launch to first picture", f"{run.launch_ms:.0f} ms" if shown else "no window",
              "<= 150 ms", shown and run.launch_ms <= 150)
    time.sleep(LAUNCH_STEPS)
    mib = resident_mib(run.pid)
    table.row("resident memory after start", f"{mib:.1f} MiB", "<= 50 MiB", mib <= 50)


def hidden_session(table, what, settings, seconds):
    with Run([str(APP)], settings) as run:
        time.sleep(LAUNCH_STEPS)
        run.press_space()
        run.close_window()
        time.sleep(SETTLE_SESSION)
        table.cpu(what, measure(run.pid, seconds), seconds, 30, 1.5)


def last_minute(table, what, settings, seconds, app=APP):
    seconds = min(seconds, LAST_MINUTE - 15)  # measured before the session ends
    with Run([str(app)], f"sessionDuration={LAST_MINUTE}\n{settings}") as run:
        time.sleep(LAUNCH_STEPS)
        run.press_space()
        run.close_window()
        time.sleep(SETTLE_SESSION)
        table.threads(what, measure(run.pid, seconds), seconds, 30, 160)


LAST_MINUTE_ROWS = (("fade", "isFadeOutEnabled=true\n"),
                    ("dimming", "isScreenDimmingEnabled=true\n"))


def velorinth(seconds):
    table = Table()
    with Run([str(APP)]) as run:
        first_picture_and_memory(table, run)
        table.cpu(f"window shown, animating, 1x, {seconds:.0f} s", measure(run.pid, seconds),
                  seconds, percent=2)
        run.close_window()
        time.sleep(SETTLE_HIDDEN)
        table.cpu(f"window hidden, idle, {seconds:.0f} s", measure(run.pid, seconds), seconds, 0, 0)
    with Run([str(APP)], scale=2) as run:
        time.sleep(LAUNCH_STEPS)
        table.cpu(f"window shown, animating, 2x, {seconds:.0f} s", measure(run.pid, seconds),
                  seconds, percent=3)
    with Run([str(APP)], "isScheduleEnabled=true\n") as run:
        time.sleep(LAUNCH_STEPS)
        run.close_window()
        time.sleep(SETTLE_HIDDEN)
        table.cpu(f"hidden, daily schedule on, {seconds:.0f} s", measure(run.pid, seconds),
                  seconds, 30, 1.5)
    hidden_session(table, f"hidden, session in its fade, {seconds:.0f} s",
                   "sessionDuration=600\nisFadeOutEnabled=true\n", seconds)
    hidden_session(table, f"hidden, session in its dimming, {seconds:.0f} s",
                   "sessionDuration=280\nisScreenDimmingEnabled=true\n", seconds)
    for name, settings in LAST_MINUTE_ROWS:
        last_minute(table, f"hidden, last minute, {name}, {seconds:.0f} s", settings, seconds)
    volume = subprocess.run([str(BUILD / "bench" / "bench_volume")], capture_output=True,
                            text=True, check=False).stdout
    write = re.search(r"^write\s+([\d.]+) ms", volume, re.MULTILINE)
    if write:
        table.row("one volume write (libpulse, median)", f"{float(write.group(1)):.3f} ms",
                  "<= 2 ms", float(write.group(1)) <= 2)


def against(build, seconds):
    build = Path(build).resolve()
    other = build / "src" / "app" / "velorinth"
    if not other.exists():
        sys.exit(f"no app at {other}")
    table = Table()
    for name, settings in LAST_MINUTE_ROWS:
        for label, app in (("this build", APP), (f"{build.parent.name}/{build.name}", other)):
            last_minute(table, f"last minute, {name}, {label}", settings, seconds, app)


def peer(command, seconds):
    table = Table()
    with Run(command) as run:
        first_picture_and_memory(table, run)
        table.cpu(f"window shown, idle, {seconds:.0f} s", measure(run.pid, seconds), seconds)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--seconds", type=float, default=30.0)
    parser.add_argument("--against", metavar="BUILD_DIR",
                        help="another build of Velorinth: its last minute beside this one's")
    parser.add_argument("peer", nargs="*", help="another program to measure instead")
    options = parser.parse_args()
    if not os.environ.get("DISPLAY") or not os.environ.get("PULSE_SERVER"):
        sys.exit("run through tools/with-test-services.sh: it gives the private servers")
    if options.peer:
        peer(options.peer, options.seconds)
    elif options.against:
        against(options.against, options.seconds)
    else:
        velorinth(options.seconds)


if __name__ == "__main__":
    main()
