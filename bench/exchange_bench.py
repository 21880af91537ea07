#!/usr/bin/env python3
"""One quorvel-cli call decoding, and one identifying, a folder of 1,000
Flipper files (about 20,000 signals, raw and parsed, taken in turn from the
public remotes of the tests, each copy made a little different so that no
two signals are the same): wall time, CPU time and peak memory of each
process, as /usr/bin/time -v reports them (the best of three runs).
   bench/exchange_bench.py QUORVEL_CLI CATALOGUE REMOTES_DIR"""
import glob, os, re, subprocess, sys, tempfile

cli, catalogue, remotes = sys.argv[1:4]
signals = []
for path in sorted(glob.glob(os.path.join(remotes, "*.ir"))):
    text = open(path, encoding="utf-8").read()
    for block in re.split(r"\n#[^\n]*\n", text):
        if "name:" in block and "type:" in block:
            signals.append(block.strip() + "\n")


def distinct(signal, copy):
    """The copy-th copy of a signal: its bursts longer by `copy` us, or its
    command's low byte moved on by `copy` (within every protocol's range)."""
    def longer(m):
        times = m.group(1).split()
        return "data: " + " ".join(str(int(t) + copy) if i % 2 == 0 else t
                                   for i, t in enumerate(times))
    def moved(m):
        return "command: %02X" % ((int(m.group(1), 16) + copy) % 64)
    signal = re.sub(r"data: ([0-9 ]+)", longer, signal)
    return re.sub(r"command: ([0-9A-F]{2})", moved, signal)


def timed(cmd, env):
    """Wall seconds, CPU seconds, peak MB, the error output and the exit status of one run."""
    run = subprocess.run(["/usr/bin/time", "-v"] + cmd, env=env, stdout=subprocess.DEVNULL,
                         stderr=subprocess.PIPE, check=False)
    err = run.stderr.decode()
    def field(name):
        return re.search(re.escape(name) + r": *([^\n]+)", err).group(1)
    h, m, s = (["0", "0"] + field("Elapsed (wall clock) time (h:mm:ss or m:ss)").split(":"))[-3:]
    wall = int(h) * 3600 + int(m) * 60 + float(s)
    cpu = float(field("User time (seconds)")) + float(field("System time (seconds)"))
    return wall, cpu, int(field("Maximum resident set size (kbytes)")) / 1024, err, run.returncode


with tempfile.TemporaryDirectory() as work:
    folder = os.path.join(work, "remotes")
    os.mkdir(folder)
    k = 0
    for f in range(1000):
        with open(os.path.join(folder, "r%04d.ir" % f), "w", encoding="utf-8") as out:
            out.write("Filetype: IR signals file\nVersion: 1\n")
            for _ in range(20):
                out.write("# \n" + distinct(signals[k % len(signals)], k // len(signals)))
                k += 1
    files = sorted(glob.glob(os.path.join(folder, "*.ir")))
    env = dict(os.environ, XDG_DATA_HOME=os.path.join(work, "data"))
    commands = {
        "decode": [cli, "decode", "--format", "Form016", "--catalogue", catalogue,
                   "--demodulated"] + files,
        "identify": [cli, "identify"] + files,
    }
    for name, cmd in commands.items():
        best = min((timed(cmd, env) for _ in range(3)), key=lambda r: r[0])
        wall, cpu, peak, err, status = best
        left = err.count("left out")
        # A timing means little without how the run ended.
        print("exchange: 1000 Flipper files, %d signals (%d left out), one quorvel-cli %s: "
              "%.2f s wall, %.2f s CPU, max RSS %.0f MB (targets: <= 10 s, < 200 MB), exit %d"
              % (k, left, name, wall, cpu, peak, status))
