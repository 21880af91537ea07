#!/usr/bin/env python3
"""One quorvel-cli call decoding a folder of 1,000 Flipper files (about
20,000 signals, raw and parsed, taken in turn from the public remotes of the
tests): wall time, CPU time and peak memory of the process.
   bench/exchange_bench.py QUORVEL_CLI CATALOGUE REMOTES_DIR"""
import glob, os, re, resource, subprocess, sys, tempfile, time

cli, catalogue, remotes = sys.argv[1:4]
signals = []
for path in sorted(glob.glob(os.path.join(remotes, "*.ir"))):
    text = open(path, encoding="utf-8").read()
    for block in re.split(r"\n#[^\n]*\n", text):
        if "name:" in block and "type:" in block:
            signals.append(block.strip() + "\n")
with tempfile.TemporaryDirectory() as work:
    folder = os.path.join(work, "remotes")
    os.mkdir(folder)
    k = 0
    for f in range(1000):
        with open(os.path.join(folder, "r%04d.ir" % f), "w", encoding="utf-8") as out:
            out.write("Filetype: IR signals file\nVersion: 1\n")
            for _ in range(20):
                out.write("# \n" + signals[k % len(signals)])
                k += 1
    files = sorted(glob.glob(os.path.join(folder, "*.ir")))
    env = dict(os.environ, XDG_DATA_HOME=os.path.join(work, "data"))
    best = None
    for _ in range(3):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        t = time.perf_counter()
        run = subprocess.run([cli, "decode", "--format", "Form016", "--catalogue", catalogue,
                              "--demodulated"] + files, env=env, stdout=subprocess.DEVNULL,
                             stderr=subprocess.PIPE, check=False)
        wall = time.perf_counter() - t
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpu = (after.ru_utime - before.ru_utime) + (after.ru_stime - before.ru_stime)
        if best is None or wall < best[0]:
            best = (wall, cpu)
    left = run.stderr.decode().count("left out")
    peak = resource.getrusage(resource.RUSAGE_CHILDREN).ru_maxrss / 1024
    print("exchange: 1000 Flipper files, %d signals (%d left out), one quorvel-cli decode: "
          "%.2f s wall, %.2f s CPU, peak %.0f MB (exit %d)"
          % (k, left, best[0], best[1], peak, run.returncode))
