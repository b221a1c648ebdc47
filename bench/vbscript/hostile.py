#!/usr/bin/env python3
"""Times and weighs our engine (build/vbsrun, or the one FLTAMP_VBSRUN names) on inputs
that once took quadratic time or far too much memory: removing 40 000 keys from a
Dictionary, growing an array one element at a time with ReDim Preserve 40 000 times,
compiling a class of 40 000 members, making empty Dictionaries, and compiling and
running a 50 MB script. Each script is generated into a temporary folder. Prints one row
per input: the best wall time of BENCH_RUNS runs and the peak resident memory of the
process where it stands above the measuring's own (for the Dictionaries, the bytes each
one adds)."""

import os
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
VBSRUN = os.environ.get("FLTAMP_VBSRUN", os.path.join(ROOT, "build", "vbsrun"))
RUNS = int(os.environ.get("BENCH_RUNS", "3"))
COUNT = 40000
# Many, so that what they take stands well above what the measuring takes: a child of
# this Python starts with Python's own resident memory (some 20 MiB) as its peak.
DICTIONARIES = 1000000


def dictionary_remove():
    return ('Set d = CreateObject("Scripting.Dictionary")\n'
            f"For i = 1 To {COUNT} : d.Add i, i : Next\n"
            f"For i = 1 To {COUNT} : d.Remove i : Next\n"
            "WScript.Echo d.Count\n")


def redim_append():
    return ("ReDim a(-1)\n"
            f"For i = 0 To {COUNT - 1} : ReDim Preserve a(i) : a(i) = i : Next\n"
            "WScript.Echo UBound(a)\n")


def class_members():
    half = COUNT // 2
    lines = ["Class Big"]
    lines += [f"Public f{i}" for i in range(half)]
    lines += [f"Public Function m{i}(x) : m{i} = x + f{i} : End Function" for i in range(half)]
    lines += ["End Class", "Set b = New Big", f"WScript.Echo b.m{half - 1}(1)"]
    return "\n".join(lines) + "\n"


def many(what):
    return (f"Dim keep({DICTIONARIES - 1})\n"
            f"For i = 0 To {DICTIONARIES - 1} : Set keep(i) = {what} : Next\n"
            "WScript.Echo UBound(keep)\n")


def write_script_50mb(path):
    """A script of about 50 MB: a block of ordinary statements, repeated. Written as it is
    made, so that this process stays small (see DICTIONARIES)."""
    with open(path, "w") as f:
        f.write("Dim values(9), total, count, label\n")
        step = 0
        while f.tell() < 50 * 1000 * 1000:
            f.write(f"' Sweep step {step}: set the cutoff, read it back and log the result.\n"
                    f"total = total + {step} * 2 - 1\n"
                    f'label = "step " & {step} & " of the sweep"\n'
                    f"If {step} Mod 7 = 3 Then count = count + 1 Else count = count - 1\n"
                    f"values({step} Mod 10) = total / 3\n")
            step += 1
        f.write("WScript.Echo count\n")


def measure(path):
    """Best wall time (s) and the largest peak resident memory (KiB) of RUNS runs."""
    best, peak = None, 0
    for _ in range(RUNS):
        start = time.perf_counter()
        child = subprocess.Popen([VBSRUN, path], stdout=subprocess.DEVNULL)
        _, status, usage = os.wait4(child.pid, 0)
        elapsed = time.perf_counter() - start
        if os.waitstatus_to_exitcode(status) != 0:
            sys.exit(f"{VBSRUN} {path} failed")
        best = elapsed if best is None else min(best, elapsed)
        peak = max(peak, usage.ru_maxrss)
    return best, peak


def main():
    print(f"engine: {VBSRUN}")
    with tempfile.TemporaryDirectory(prefix="fltamp-hostile-") as folder:
        def script(name, text):
            path = os.path.join(folder, name + ".vbs")
            with open(path, "w") as f:
                f.write(text)
            return path

        _, without = measure(script("nothing", many("Nothing")))
        _, holding = measure(script("dictionaries", many('CreateObject("Scripting.Dictionary")')))
        print(f"bytes per empty Dictionary: {(holding - without) * 1024 / DICTIONARIES:.0f}")
        print(f"{'input':<40} {'time (s)':>9} {'peak (MiB)':>11}")
        for name, text in [("Dictionary: 40 000 Add, 40 000 Remove", dictionary_remove()),
                           ("ReDim Preserve: 40 000 appends", redim_append())]:
            seconds, _ = measure(script(name.split(":")[0].replace(" ", "_"), text))
            print(f"{name:<40} {seconds:>9.3f} {'-':>11}")
        path = script("class_members", class_members())
        seconds, peak = measure(path)
        print(f"{'a class of 40 000 members':<40} {seconds:>9.3f} {peak / 1024:>11.1f}")
        path = os.path.join(folder, "script_50mb.vbs")
        write_script_50mb(path)
        seconds, peak = measure(path)
        label = f"a {os.path.getsize(path) / 1e6:.0f} MB script"
        print(f"{label:<40} {seconds:>9.3f} {peak / 1024:>11.1f}")


if __name__ == "__main__":
    main()
