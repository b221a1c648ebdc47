#!/usr/bin/env python3
"""Times every benchmark script on our engine (build/vbsrun, or FLTAMP_VBSRUN) and the same algorithm on
CPython, and, when Wine is installed, on Wine's cscript. Each figure is the best of
several runs with the interpreter's start-up (an empty script) subtracted; the outputs
must agree. Prints one row per script with the times and the ratios."""

import os
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
VBSRUN = os.environ.get("FLTAMP_VBSRUN", os.path.join(ROOT, "build", "vbsrun"))
NAMES = ["int_loop", "string_build", "recursion", "array_sum", "sort", "class_methods",
         "host_property", "text_file", "regexp"]
RUNS = int(os.environ.get("BENCH_RUNS", "3"))


def best_time(command, env=None):
    """The best of RUNS wall times and the output; no time when the command failed."""
    best, output = None, None
    for _ in range(RUNS):
        start = time.perf_counter()
        result = subprocess.run(command, capture_output=True, text=True, env=env, cwd=HERE)
        elapsed = time.perf_counter() - start
        if result.returncode != 0:
            print(f"  {' '.join(command)} failed: {result.stderr.strip()[:200]}", file=sys.stderr)
            return None, None
        best = elapsed if best is None else min(best, elapsed)
        output = result.stdout.replace("\r\n", "\n").strip()
    return best, output


def ratio(a, b):
    return a / b if a and b else None


def cell(value, width, decimals):
    return f"{'failed':>{width}}" if value is None else f"{value:>{width}.{decimals}f}"


def wine_command():
    if not shutil.which("wine"):
        return None, None
    prefix = tempfile.mkdtemp(prefix="fltamp-wine-")
    env = dict(os.environ, WINEPREFIX=prefix, WINEDEBUG="-all")
    subprocess.run(["wineboot", "-i"], capture_output=True, env=env)
    return (lambda script: ["wine", "cscript.exe", "//nologo", script]), env


def main():
    engines = [("vbsrun", lambda s: [VBSRUN, s + ".vbs"], None),
               ("python3", lambda s: [sys.executable, s + ".py"], None)]
    wine, wine_env = wine_command()
    if wine:
        engines.append(("cscript", lambda s: wine(s + ".vbs"), wine_env))
    # One engine at a time, Wine last: Wine's server lingers after each run and would
    # slow whatever ran next.
    start_up, times, outputs = {}, {}, {}
    for name, make, env in engines:
        start_up[name] = best_time(make("empty"), env)[0]
        for script in NAMES:
            elapsed, outputs[name, script] = best_time(make(script), env)
            times[name, script] = (None if elapsed is None
                                   else max(elapsed - start_up[name], 1e-6))
    if wine:
        subprocess.run(["wineserver", "-k"], capture_output=True, env=wine_env)
    header = f"{'script':<15}" + "".join(f"{name + ' (ms)':>16}" for name, _, _ in engines)
    header += f"{'python/vbsrun':>15}" + (f"{'cscript/vbsrun':>16}" if wine else "")
    print(header)
    for script in NAMES:
        if outputs["vbsrun", script] != outputs["python3", script]:
            print(f"  {script}: outputs differ", file=sys.stderr)
        row = f"{script:<15}" + "".join(
            cell(times[name, script] and times[name, script] * 1000, 16, 1)
            for name, _, _ in engines)
        row += cell(ratio(times["python3", script], times["vbsrun", script]), 15, 2)
        if wine:
            row += cell(ratio(times["cscript", script], times["vbsrun", script]), 16, 1)
        print(row)
    print("start-up (ms): " + ", ".join(f"{n} {t * 1000:.1f}" for n, t in start_up.items()))


if __name__ == "__main__":
    main()
