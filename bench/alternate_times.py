#!/usr/bin/env python3
"""Times shell commands taking turns, so that both meet the same load on the machine, and prints
for each the median wall time and the median CPU time (user + system) of its runs, in seconds:
    alternate_times.py RUNS COMMAND...
One line per command: "wall CPU"."""
import os
import statistics
import subprocess
import sys
import time


def run_once(command):
    start = time.perf_counter()
    child = subprocess.Popen(command, shell=True)
    # The usage wait4 returns covers the shell and the programs it waited for, to the microsecond.
    _, status, usage = os.wait4(child.pid, 0)
    wall = time.perf_counter() - start
    child.returncode = os.waitstatus_to_exitcode(status)
    if child.returncode != 0:
        sys.exit(f"failed ({child.returncode}): {command}")
    return wall, usage.ru_utime + usage.ru_stime


def main():
    runs = int(sys.argv[1])
    commands = sys.argv[2:]
    for command in commands:  # one warm-up each: files in the page cache, programs loaded
        run_once(command)
    walls = [[] for _ in commands]
    cpus = [[] for _ in commands]
    for _ in range(runs):
        for i, command in enumerate(commands):
            wall, cpu = run_once(command)
            walls[i].append(wall)
            cpus[i].append(cpu)
    for i in range(len(commands)):
        print(f"{statistics.median(walls[i]):.4f} {statistics.median(cpus[i]):.4f}")


main()
