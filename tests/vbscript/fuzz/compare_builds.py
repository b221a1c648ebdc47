#!/usr/bin/env python3
"""Runs every script test and every fuzz corpus input through two vbsrun binaries and
reports each file whose stdout, stderr or exit status differs: a change to how the engine
runs code must not change what any script does.

usage: compare_builds.py OLD_VBSRUN NEW_VBSRUN [--timeout SECONDS]
Each file runs in a fresh empty folder (scripts may make files); the exit status is 0
when every file behaves the same under both, else 1.
"""
import argparse
import pathlib
import subprocess
import sys
import tempfile

HERE = pathlib.Path(__file__).resolve().parent
ROOT = HERE.parent  # tests/vbscript


def inputs():
    # The script tests and the script fuzzers' inputs (fuzz/regressions/{parse,run}).
    return sorted(ROOT.rglob("*.vbs"))


def run(binary, script, timeout):
    with tempfile.TemporaryDirectory() as folder:
        try:
            done = subprocess.run([binary, str(script)], cwd=folder, capture_output=True,
                                  timeout=timeout)
            return done.returncode, done.stdout, done.stderr.replace(str(script).encode(), b"FILE")
        except subprocess.TimeoutExpired:
            return "timeout", b"", b""


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("old")
    parser.add_argument("new")
    parser.add_argument("--timeout", type=float, default=30)
    args = parser.parse_args()
    args.old, args.new = (str(pathlib.Path(b).resolve()) for b in (args.old, args.new))
    files = inputs()
    differing = []
    for script in files:
        if run(args.old, script, args.timeout) != run(args.new, script, args.timeout):
            differing.append(script)
            print("differs:", script.relative_to(ROOT), flush=True)
    print(f"{len(files)} files compared, {len(differing)} differ")
    return 1 if differing else 0


if __name__ == "__main__":
    sys.exit(main())
