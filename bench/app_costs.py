#!/usr/bin/env python3
"""What the running monitor costs when it starts and when it waits:

    app_costs.py startup RUNS PROGRAM ARGS...
        starts the program RUNS times, each until its window has first been painted, and prints
        "startup_ms MEDIAN MIN MAX": from the moment before the start to that first paint.
    app_costs.py idle SECONDS PROGRAM ARGS...
        starts the program, lets it settle, then watches it for SECONDS and prints
        "idle rss_kib RSS cpu_ms CPU cpu_percent PERCENT wakeups_per_s WAKEUPS threads N":
        resident memory after the start, CPU time of all its threads over the period, that as a
        share of one core, and how often its threads were switched in (voluntarily or not) per
        second.

The display is the caller's: QT_QPA_PLATFORM=offscreen, or a DISPLAY such as xvfb-run's."""
import os
import signal
import statistics
import subprocess
import sys
import time

SETTLE_SECONDS = 5


def startup(runs, command):
    env = dict(os.environ, PLUVETTA_HOOK_QUIT_AT_FIRST_PAINT="1")
    times = []
    for _ in range(runs):
        start = time.monotonic_ns()
        done = subprocess.run(command, env=env, capture_output=True, text=True, timeout=60)
        painted = [line for line in done.stdout.splitlines() if line.startswith("first_paint_ns=")]
        if not painted:
            sys.exit(f"no first paint reported: {done.stdout}{done.stderr}")
        times.append((int(painted[0].split("=")[1]) - start) / 1e6)
    print(f"startup_ms {statistics.median(times):.1f} {min(times):.1f} {max(times):.1f}")


def thread_totals(pid):
    """CPU nanoseconds and context switches of all threads of the process, and their count."""
    cpu_ns = switches = threads = 0
    for task in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{task}/schedstat") as f:
                cpu_ns += int(f.read().split()[0])
            with open(f"/proc/{pid}/task/{task}/status") as f:
                for line in f:
                    if "ctxt_switches:" in line:
                        switches += int(line.split()[1])
            threads += 1
        except FileNotFoundError:  # a thread that ended while we looked
            pass
    return cpu_ns, switches, threads


def resident_kib(pid):
    with open(f"/proc/{pid}/status") as f:
        for line in f:
            if line.startswith("VmRSS:"):
                return int(line.split()[1])
    return 0


def idle(seconds, command):
    app = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        time.sleep(SETTLE_SECONDS)
        if app.poll() is not None:
            sys.exit(f"the program ended during start-up ({app.returncode})")
        rss = resident_kib(app.pid)
        cpu0, switches0, _ = thread_totals(app.pid)
        start = time.monotonic()
        time.sleep(seconds)
        cpu1, switches1, threads = thread_totals(app.pid)
        elapsed = time.monotonic() - start
        if app.poll() is not None:
            sys.exit(f"the program ended while idle ({app.returncode})")
    finally:
        if app.poll() is None:
            app.send_signal(signal.SIGTERM)
            app.wait(timeout=10)
    cpu_s = (cpu1 - cpu0) / 1e9
    print(f"idle rss_kib {rss} cpu_ms {cpu_s * 1e3:.2f} cpu_percent {cpu_s / elapsed * 100:.5f} "
          f"wakeups_per_s {(switches1 - switches0) / elapsed:.3f} threads {threads}")


def main():
    mode, amount, command = sys.argv[1], sys.argv[2], sys.argv[3:]
    if mode == "startup":
        startup(int(amount), command)
    elif mode == "idle":
        idle(float(amount), command)
    else:
        sys.exit(__doc__)


main()
