"""Batch figures of the native build: the schedule of `trakvel lookup` against the
stand-in at 50 ms per request beside its ideal time and beside curl from a shell,
and the peak resident memory of a 10,000-number lookup beside a 10-number one.

Usage: python3 bench/batch_bench.py [BUILD_DIR]   (default out/linux)
"""
import os
import re
import resource
import subprocess
import sys
import tempfile
import time

BUILD = sys.argv[1] if len(sys.argv) > 1 else "out/linux"
BENCH = os.path.dirname(os.path.abspath(__file__))
TRAKVEL = os.path.join(BUILD, "cli", "trakvel")
STANDIN = os.path.join(BUILD, "standin", "trakvel-standin")
LATENCY_MS, JOBS = 50, 8


class Standin:
    def __init__(self, latency_ms):
        self.proc = subprocess.Popen([STANDIN, "--latency", str(latency_ms)],
                                     stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        self.host = re.search(r"127\.0\.0\.1:\d+", self.proc.stdout.readline()).group(0)

    def __enter__(self):
        return self

    def __exit__(self, *_):
        self.proc.terminate()
        self.proc.wait()


def run(command, stdin_path):
    """Wall seconds, CPU seconds (user + system) and peak RSS (KB) of one child."""
    start = time.monotonic()
    with open(stdin_path) as stdin:
        proc = subprocess.Popen(command, stdin=stdin, stdout=subprocess.DEVNULL)
        _, status, usage = os.wait4(proc.pid, 0)
    wall = time.monotonic() - start
    if status != 0:
        sys.exit(f"{command[0]} failed with status {status}")
    return wall, usage.ru_utime + usage.ru_stime, usage.ru_maxrss


def numbers_file(count, prefix):
    f = tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False)
    f.write("".join(f"{prefix}{i:010d}\n" for i in range(count)))
    f.close()
    return f.name


def lookup(host, pause, path):
    return run([TRAKVEL, "lookup", "--delay", str(pause), "--jobs", str(JOBS), "--timeout", "10000",
                "--main-host", host, "--mobile-host", host, path], path)


def schedule():
    n = 500
    path = numbers_file(n, "BB")
    one_lookup = 2 * LATENCY_MS / 1000
    with Standin(LATENCY_MS) as standin:
        for pause, target in ((20, 1.03), (0, 1.05)):
            wall, cpu, _ = lookup(standin.host, pause, path)
            ideal = max((n - 1) * pause / 1000, n * 2 * LATENCY_MS / 1000 / JOBS) + one_lookup
            print(f"batch schedule: {n} numbers, latency {LATENCY_MS} ms, pause {pause} ms, "
                  f"{JOBS} jobs: {wall:.2f} s, ideal {ideal:.2f} s, measured/ideal "
                  f"{wall / ideal:.3f} (target <= {target}); CPU {cpu:.2f} s")
            if pause == 0:
                trakvel_wall, trakvel_cpu = wall, cpu
        script = [os.path.join(BENCH, "curl_batch.sh"), standin.host]
        wall, cpu, _ = run(["bash"] + script, path)
        print(f"curl + xargs -P{JOBS}, same {2 * n} requests: {wall:.2f} s, CPU {cpu:.2f} s; "
              f"trakvel at pause 0: {trakvel_wall / wall:.2f}x its wall time (target <= 1.1), "
              f"{trakvel_cpu / cpu:.2f}x its CPU time (target < 1)")
    os.unlink(path)


def memory():
    small, large = numbers_file(10, "MB"), numbers_file(10000, "MB")
    with Standin(0) as standin:
        _, _, small_rss = lookup(standin.host, 0, small)
        wall, _, large_rss = lookup(standin.host, 0, large)
    print(f"peak RSS of trakvel lookup: 10,000 numbers at pause 0 {large_rss / 1024:.1f} MB "
          f"({wall:.1f} s; target <= 64 MB), 10 numbers {small_rss / 1024:.1f} MB")
    os.unlink(small)
    os.unlink(large)


if __name__ == "__main__":
    schedule()
    memory()
