#!/usr/bin/env python3
"""Start-up and memory of pagerbench.exe against the one-label yardstick
window, both under Wine in the same prefix (bench/windows/run.sh sets it up).

  measure.py --program PAGERBENCH.EXE --minimal MINIMAL.EXE [--starts 20] [--settle 3]

Start-up: from just before `wine` is started until the program's line
"shown <ns>" (PAGERBENCH_BENCH_EXIT_AFTER_SHOW=1) reaches us; the clock is
ours, since a Windows program's clock under Wine is another one. Median of
the starts, the programs taking turns after one warm-up start each.
Memory: VmHWM of the process (the one `wine` becomes) after --settle
seconds, Wine's own libraries included for both. Prints one table with
the ratios against the targets (1.5 and 1.15)."""
import argparse
import os
import platform
import statistics
import subprocess
import sys
import time

TARGETS = {"start-up": 1.5, "VmHWM": 1.15}


def start(exe, exit_after_show):
    env = dict(os.environ, PAGERBENCH_BENCH_MINIMAL_TEXT="1")
    if exit_after_show:
        env["PAGERBENCH_BENCH_EXIT_AFTER_SHOW"] = "1"
    return subprocess.Popen(["wine", exe], cwd=os.path.dirname(exe), env=env, stdout=subprocess.PIPE,
                            stderr=subprocess.DEVNULL, text=True)


def startup_ms(exe):
    began = time.monotonic()
    process = start(exe, True)
    took = None
    for line in process.stdout:
        if line.startswith("shown "):
            took = (time.monotonic() - began) * 1000
            break
    process.wait(timeout=60)
    if took is None:
        sys.exit("%s ended without showing its window" % exe)
    return took


def peak_mib(exe, settle):
    process = start(exe, False)
    time.sleep(settle)
    try:
        with open("/proc/%d/status" % process.pid) as status:
            fields = dict(line.split(":", 1) for line in status)
        with open("/proc/%d/cmdline" % process.pid) as cmdline:
            if os.path.basename(exe) not in cmdline.read():
                sys.exit("process %d is not %s" % (process.pid, exe))
        return int(fields["VmHWM"].split()[0]) / 1024
    finally:
        process.kill()
        process.wait()


def spread(values):
    return "%.1f (%.1f-%.1f)" % (statistics.median(values), min(values), max(values))


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--program", required=True)
    parser.add_argument("--minimal", required=True)
    parser.add_argument("--starts", type=int, default=20)
    parser.add_argument("--settle", type=float, default=3)
    args = parser.parse_args()
    exes = {"pagerbench": args.program, "yardstick": args.minimal}

    times = {name: [] for name in exes}
    for name, exe in exes.items():
        startup_ms(exe)  # warm-up: files into the page cache
    for _ in range(args.starts):
        for name, exe in exes.items():
            times[name].append(startup_ms(exe))
    memory = {name: peak_mib(exe, args.settle) for name, exe in exes.items()}

    wine = subprocess.run(["wine", "--version"], capture_output=True, text=True).stdout.strip()
    print("machine: %s, %d cores, %s, %s" % (platform.processor() or platform.machine(), os.cpu_count(),
                                             platform.platform(), wine))
    rows = [("start-up, ms", times, statistics.median, TARGETS["start-up"]),
            ("VmHWM, MiB", {k: [v] for k, v in memory.items()}, lambda v: v[0], TARGETS["VmHWM"])]
    print("| figure | pagerbench | one-label window | ratio | target |")
    print("|---|---|---|---|---|")
    for figure, values, pick, target in rows:
        ratio = pick(values["pagerbench"]) / pick(values["yardstick"])
        shown = spread if len(values["pagerbench"]) > 1 else (lambda v: "%.1f" % v[0])
        print("| %s | %s | %s | %.2f | <= %.2f: %s |" % (figure, shown(values["pagerbench"]),
                                                       shown(values["yardstick"]), ratio, target,
                                                       "PASS" if ratio <= target else "MISS"))


if __name__ == "__main__":
    main()
