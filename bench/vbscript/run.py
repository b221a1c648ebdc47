#!/usr/bin/env python3
"""Times every benchmark script on our engine (build/vbsrun, or FLTAMP_VBSRUN), the same
algorithm on CPython and Lua 5.4, and, when Wine is installed, the script on Wine's cscript.

Each time is the median of BENCH_RUNS runs (default 5) less the interpreter's start-up (the
median of as many runs of an empty script); BENCH_CLOCK=cpu takes the run's user and
system time instead of the wall time. Every run's peak resident set is that process's own
(GNU time's %M, from wait4 on it; RUSAGE_CHILDREN's is a running maximum over all children
and would hide the smaller ones), and the median per script is reported. The outputs of
all engines must agree.

Prints the times with their ratios, the peak RSS with theirs, and, for each loop written
both at the top level (NAME_top) and in a procedure (NAME_proc), the one's time over the
other's. Scripts named on the command line run alone. Exits with 1 when a script failed
or two engines' outputs differ."""

import os
import resource
import shutil
import statistics
import subprocess
import sys
import tempfile
import time
from dataclasses import dataclass

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
VBSRUN = os.environ.get("FLTAMP_VBSRUN", os.path.join(ROOT, "build", "vbsrun"))
NAMES = ["int_loop_top", "int_loop_proc", "while_loop_top", "while_loop_proc",
         "array_sum_top", "array_sum_proc", "string_build_top", "string_build_proc",
         "recursion", "sort", "class_methods", "field_methods", "host_property",
         "text_file", "regexp"]
RUNS = int(os.environ.get("BENCH_RUNS", "5"))
CLOCK = os.environ.get("BENCH_CLOCK", "wall")
LUA = "lua5.4"
# GNU time reads each script's peak RSS with wait4 from a process of its own, about 1 MiB:
# a child forked from this script would start from this script's resident set, kept
# across exec as the child's peak.
TIME = "/usr/bin/time"


@dataclass
class Engine:
    name: str
    extension: str
    command: list
    env: dict = None


@dataclass
class Sample:
    seconds: float
    rss_kib: int
    output: str


@dataclass
class Result:
    """An engine's runs of one script: its samples, or why there are none."""
    samples: list
    missing: str = None

    def median_seconds(self):
        return statistics.median(s.seconds for s in self.samples) if self.samples else None

    def median_rss_mib(self):
        return statistics.median(s.rss_kib for s in self.samples) / 1024 if self.samples else None


def run_once(engine, script):
    """One run of the script, timed and measured on its own process; None when it failed."""
    with tempfile.NamedTemporaryFile(mode="r") as rss_file:
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        start = time.perf_counter()
        result = subprocess.run([TIME, "-f", "%M", "-o", rss_file.name] + engine.command
                                + [script + engine.extension], capture_output=True,
                                text=True, errors="replace", env=engine.env, cwd=HERE)
        wall = time.perf_counter() - start
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        rss_lines = rss_file.read().split()
    if result.returncode != 0:
        print(f"  {engine.name} {script}: exit {result.returncode}: "
              f"{result.stderr.strip()[:200]}", file=sys.stderr)
        return None
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    output = result.stdout.replace("\r\n", "\n").strip()
    return Sample(cpu if CLOCK == "cpu" else wall, int(rss_lines[-1]), output)


def run_scripts(engines, scripts, results):
    """Runs every script RUNS times on each engine, taking the engines in turn run by run,
    so a change in the machine's load falls on all of them alike."""
    for script in scripts:
        print(f"  {script}", file=sys.stderr)
        for engine in engines:
            if not os.path.exists(os.path.join(HERE, script + engine.extension)):
                results[engine.name, script] = Result([], "n/a")
            else:
                results[engine.name, script] = Result([])
        for _ in range(RUNS):
            for engine in engines:
                result = results[engine.name, script]
                if result.missing:
                    continue
                sample = run_once(engine, script)
                if sample is None:
                    result.samples, result.missing = [], "failed"
                else:
                    result.samples.append(sample)


def wine_engine():
    if not shutil.which("wine"):
        return None
    prefix = tempfile.mkdtemp(prefix="fltamp-wine-")
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all")
    subprocess.run(["wineboot", "-i"], capture_output=True, env=env)
    return Engine("cscript", ".vbs", ["wine", "cscript.exe", "//nologo"], env)


def times_without_start_up(engines, scripts, results):
    times = {}
    for engine in engines:
        start_up = results[engine.name, "empty"].median_seconds()
        for script in scripts:
            median = results[engine.name, script].median_seconds()
            times[engine.name, script] = (None if median is None or start_up is None
                                          else max(median - start_up, 1e-6))
    return times


def check_outputs(engines, scripts, results):
    """Every run of every engine must print what the first run of vbsrun printed."""
    agree = True
    for script in scripts:
        reference = results[engines[0].name, script].samples
        if not reference:
            agree = False
            continue
        expected = reference[0].output
        for engine in engines:
            if any(s.output != expected for s in results[engine.name, script].samples):
                print(f"  {script}: {engine.name} printed something else than "
                      f"{engines[0].name}", file=sys.stderr)
                agree = False
    return agree


def cell(value, width, decimals, missing="failed"):
    return f"{missing:>{width}}" if value is None else f"{value:>{width}.{decimals}f}"


def ratio(a, b):
    return a / b if a and b else None


def print_table(title, engines, scripts, value, missing, unit, decimals):
    """One row per script: each engine's figure, then each other engine's over vbsrun's."""
    ours, others = engines[0].name, [e.name for e in engines[1:]]
    print(title)
    print(f"{'script':<18}" + "".join(f"{e.name + unit:>14}" for e in engines)
          + "".join(f"{o + '/' + ours:>16}" for o in others))
    for script in scripts:
        row = f"{script:<18}" + "".join(
            cell(value(e.name, script), 14, decimals, missing(e.name, script)) for e in engines)
        row += "".join(cell(ratio(value(o, script), value(ours, script)), 16, 2,
                            missing(o, script)) for o in others)
        print(row)
    print()


def print_top_over_proc(engines, scripts, times):
    pairs = [s[:-len("_top")] for s in scripts
             if s.endswith("_top") and s[:-len("_top")] + "_proc" in scripts]
    if not pairs:
        return
    print("top level / procedure (time of NAME_top over NAME_proc)")
    print(f"{'loop':<18}" + "".join(f"{e.name:>14}" for e in engines))
    for pair in pairs:
        print(f"{pair:<18}" + "".join(
            cell(ratio(times[e.name, pair + "_top"], times[e.name, pair + "_proc"]), 14, 2)
            for e in engines))
    print()


def main():
    scripts = sys.argv[1:] or NAMES
    unknown = [s for s in scripts if s not in NAMES]
    if unknown:
        sys.exit(f"unknown scripts: {' '.join(unknown)} (known: {' '.join(NAMES)})")
    if CLOCK not in ("wall", "cpu"):
        sys.exit(f"BENCH_CLOCK={CLOCK}: wall or cpu")
    if not os.access(TIME, os.X_OK):
        sys.exit(f"{TIME} not found: run scripts/install-deps")
    engines = [Engine("vbsrun", ".vbs", [VBSRUN]), Engine("python3", ".py", [sys.executable])]
    if shutil.which(LUA):
        engines.append(Engine(LUA, ".lua", [LUA]))
    else:
        print(f"{LUA} not found (scripts/install-deps installs it): no Lua column",
              file=sys.stderr)
    without_start_up = [e.name for e in engines
                        if not os.path.exists(os.path.join(HERE, "empty" + e.extension))]
    if without_start_up:
        sys.exit(f"no empty script to time the start-up of {' '.join(without_start_up)}")
    load_before = os.getloadavg()
    results = {}
    run_scripts(engines, ["empty"] + scripts, results)
    # Wine last and on its own: its server lingers after each run and would slow whatever
    # ran next.
    wine = wine_engine()
    if wine:
        run_scripts([wine], ["empty"] + scripts, results)
        subprocess.run(["wineserver", "-k"], capture_output=True, env=wine.env)
        engines.append(wine)
    load_after = os.getloadavg()

    times = times_without_start_up(engines, scripts, results)

    def milliseconds(engine, script):
        return times[engine, script] and times[engine, script] * 1000

    def rss_mib(engine, script):
        return results[engine, script].median_rss_mib()

    def missing(engine, script):
        return results[engine, script].missing or "failed"

    print_table(f"{CLOCK} time, median of {RUNS} runs, start-up subtracted", engines,
                scripts, milliseconds, missing, " ms", 1)
    print_table(f"peak RSS, median of {RUNS} runs", engines, scripts, rss_mib, missing,
                " MiB", 1)
    print_top_over_proc(engines, scripts, times)
    print("start-up (empty script): " + ", ".join(
        f"{e.name} {results[e.name, 'empty'].median_seconds() * 1000:.1f} ms "
        f"{results[e.name, 'empty'].median_rss_mib():.1f} MiB"
        for e in engines if results[e.name, "empty"].samples))
    print("load average (1, 5, 15 min) before: " + " ".join(f"{x:.2f}" for x in load_before)
          + ", after: " + " ".join(f"{x:.2f}" for x in load_after))
    failed = any(r.missing == "failed" for r in results.values())
    if not check_outputs(engines, scripts, results) or failed:
        sys.exit(1)


if __name__ == "__main__":
    main()
