"""Timing for side_by_side.sh (run with /usr/bin/python3).

  side_by_side.py WORK CONVERTER FLOOR PAL

Generates the sets into WORK, then runs quorvantile-convert, the I/O floor and Pillow's quantize
alternately, five runs each, every run into a new folder, and prints the medians of wall and CPU
time (user + system of the child) and the ratios; then the time of one 64 x 64 file per process.
"""
import os
import resource
import statistics
import subprocess
import sys
import time

HERE = os.path.dirname(os.path.abspath(__file__))
PICTURES = os.path.join(HERE, "bench_pictures.py")
RUNS = 5


def timed(command):
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    subprocess.run(command, check=True, stdout=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
    return wall, cpu, after.ru_minflt - before.ru_minflt


def main():
    work, converter, floor, jasc = sys.argv[1:5]
    settings = os.path.join(work, "empty.ini")
    open(settings, "w").close()  # first-start settings
    print("%d cores, load average %s at the start." % (os.cpu_count(), " ".join(open("/proc/loadavg").read().split()[:3])))
    print("Medians of %d runs, alternating; wall time, CPU time (user + system) in brackets.\n" % RUNS)
    print("| set | quorvantile-convert | floor | Pillow quantize | ours / floor: wall | ours / Pillow: wall (CPU) |")
    print("|---|---|---|---|---|---|")
    for name, size, count in (("sprites", 64, 1000), ("noise", 512, 200)):
        inputs = os.path.join(work, name)
        os.mkdir(inputs)
        subprocess.run([sys.executable, PICTURES, name, inputs, str(count)], check=True)
        files = [os.path.join(inputs, f) for f in sorted(os.listdir(inputs))]
        tools = {
            "ours": lambda out: [converter, "--settings", settings, "--palette", "WOLF3D", "--size", str(size),
                                 "--scale", "none", "--match", "pixel", "--quiet", "--output", out, inputs],
            "floor": lambda out: [floor, str(size * size), out] + files,
            "pillow": lambda out: [sys.executable, PICTURES, "pillow", inputs, out, jasc],
        }
        times = {tool: [] for tool in tools}
        for run in range(RUNS):
            for tool, command in tools.items():
                out = os.path.join(work, "%s-%s-%d" % (name, tool, run))
                os.mkdir(out)
                os.sync()
                times[tool].append(timed(command(out)))
        med = {tool: (statistics.median(t[0] for t in ts), statistics.median(t[1] for t in ts))
               for tool, ts in times.items()}
        print("| %d × %d² | %.3f s (%.3f s) | %.3f s (%.3f s) | %.3f s (%.3f s) | %.2f× | %.2f× (%.2f×) |" % (
            count, size, *med["ours"], *med["floor"], *med["pillow"], med["ours"][0] / med["floor"][0],
            med["ours"][0] / med["pillow"][0], med["ours"][1] / med["pillow"][1]))
    # One small file per process, as build scripts call a converter.
    sprite = os.path.join(work, "sprites", "sprite0000.bmp")
    single = {"ours": [], "floor": []}
    for run in range(50):
        out = os.path.join(work, "single-%d" % run)
        os.mkdir(out)
        single["ours"].append(timed([converter, "--settings", settings, "--palette", "WOLF3D", "--size", "64",
                                     "--scale", "none", "--match", "pixel", "--quiet", "--output", out, sprite]))
        single["floor"].append(timed([floor, "4096", out, sprite]))
    ours = [statistics.median(t[i] for t in single["ours"]) for i in range(3)]
    base = [statistics.median(t[i] for t in single["floor"]) for i in range(3)]
    print("| one 64 × 64 file per process (median of 50) | %.1f ms (%.1f ms, %d page faults) | %.1f ms (%.1f ms, %d page faults) | – | %.2f× | – |" % (
        1000 * ours[0], 1000 * ours[1], ours[2], 1000 * base[0], 1000 * base[1], base[2], ours[0] / base[0]))
    print("\nLoad average %s at the end." % " ".join(open("/proc/loadavg").read().split()[:3]))


if __name__ == "__main__":
    main()
