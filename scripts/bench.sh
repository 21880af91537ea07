#!/usr/bin/env bash
# Builds the program (optimised, as scripts/run.sh does) and prints the
# benchmark figures: loading, decodes, the scan, automatic selection, the
# waveform's line list, the main window's capture tick, the serial road,
# the LIRC read loop (idle CPU, a press every 50 ms),
# then quorvel-cli as whole processes beside two decoders people use today
# (LIRC's irsimreceive, sigrok's ir_nec) on the same NEC key presses.
#   scripts/bench.sh [google-benchmark options, e.g. --benchmark_repetitions=5]
# The machine may be shared: figures are the best of several runs.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target decode_bench irp_bench analysis_bench window_tick_bench \
  capture_road_bench live_read_bench quorvel-cli quorvel-gen-nec catalogue irp_table
export QT_QPA_PLATFORM=${QT_QPA_PLATFORM:-offscreen}
for b in decode_bench irp_bench analysis_bench window_tick_bench capture_road_bench live_read_bench; do
  "$build/bin/$b" "$@"
done

# The peers are for this comparison only: the build and the tests never
# need them.
if ! command -v irsimreceive >/dev/null || ! command -v sigrok-cli >/dev/null; then
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq || true
  $SUDO apt-get install -y -qq --no-install-recommends lirc sigrok-cli ||
    echo "bench.sh: lirc or sigrok-cli cannot be installed here; their columns stay empty" >&2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cli=$(realpath "$build/bin/quorvel-cli")
catalogue=$(realpath "$build/bin/IRTime.db")
mkdir -p "$work/press"
# One remote (address 0x00), every command in turn, so that one LIRC
# configuration knows every press.
for i in $(seq 0 999); do
  "$build/bin/quorvel-gen-nec" 0 $((i % 256)) 2 >"$work/press/p$(printf %04d "$i").txt"
done

python3 - "$cli" "$catalogue" "$work" <<'PY'
import glob, os, resource, shutil, subprocess, sys, time
cli, catalogue, work = sys.argv[1:4]
presses = sorted(glob.glob(os.path.join(work, "press", "*.txt")))
runs = 7
# quorvel-cli keeps its error record in the user's data folder: here, the
# scratch folder.
env = dict(os.environ, XDG_DATA_HOME=os.path.join(work, "data"))

def best(cmd, cwd=work):
    """Least wall time and least CPU time (user + system) of several runs: a
    shared machine only adds time, and CPU time is what it adds least to."""
    walls, cpus, out = [], [], b""
    for _ in range(runs):
        before = resource.getrusage(resource.RUSAGE_CHILDREN)
        t = time.perf_counter()
        out = subprocess.run(cmd, cwd=cwd, env=env, stdout=subprocess.PIPE,
                             stderr=subprocess.STDOUT, check=False).stdout
        walls.append(time.perf_counter() - t)
        after = resource.getrusage(resource.RUSAGE_CHILDREN)
        cpus.append(after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime)
    return (min(walls), min(cpus)), out

def per_press(one, many, n):
    """Microseconds a press (wall, CPU), the process start (a one-press run) taken away."""
    return tuple((m - o) / (n - 1) * 1e6 for o, m in zip(one, many))

def quorvel(files):
    # The figures are the receiver-unit road's, as they were measured before
    # text files were read demodulated by default.
    return [cli, "decode", "--format", "Form016", "--receiver-unit", "--catalogue", catalogue] + files

t1, _ = best(quorvel(presses[:1]))
t1000, out = best(quorvel(presses))
clean = out.decode().count("errors: (none)")
t200, _ = best(quorvel(presses[:200]))
q200 = per_press(t1, t200, 200)
q1000 = per_press(t1, t1000, 1000)
print(f"quorvel-cli decode: {len(presses)} files, {clean} decoded cleanly")
print(f"  one process, 1000 per-press files: {q1000[0]:8.1f} us wall, {q1000[1]:8.1f} us CPU a press (target <= 10)")
print(f"  one process, 200 per-press files:  {q200[0]:8.1f} us wall, {q200[1]:8.1f} us CPU a press")
tident, out = best([cli, "identify", "--json"] + presses)
named = out.decode().count('"protocol":"NEC1"')
print(f"quorvel-cli identify, 1000 per-press files, whole process: {tident[0]:6.3f} s wall,"
      f" {tident[1]:6.3f} s CPU (target <= 2); {named} named NEC1")
tscan, out = best([cli, "scan", presses[0], "--receiver-unit", "--catalogue", catalogue])
print(f"quorvel-cli scan FILE, whole process: {tscan[0] * 1e3:8.2f} ms wall, {tscan[1] * 1e3:8.2f} ms CPU"
      " (target <= 30); " + out.decode().splitlines()[0])

# The same presses for the peers: a mode2 list for LIRC, line samples for sigrok.
def times_of(path):
    return [int(w) for line in open(path) if not line.startswith("#") for w in line.split()]

def lirc_file(name, files):
    path = os.path.join(work, name)
    with open(path, "w") as f:
        for p in files:
            f.write("space 100000\n")
            for i, t in enumerate(times_of(p)):
                f.write(("pulse" if i % 2 == 0 else "space") + f" {t}\n")
        f.write("space 120000\n")
    return path

rate = 50000  # samples a second: 20 us, finer than any NEC time needs
def sigrok_file(name, files):
    path = os.path.join(work, name)
    with open(path, "wb") as f:
        for p in files:
            f.write(b"\x01" * (rate // 50))  # 20 ms idle; the line is active low
            for i, t in enumerate(times_of(p)):
                f.write((b"\x00" if i % 2 == 0 else b"\x01") * round(t * rate / 1e6))
        f.write(b"\x01" * (rate // 8))
    return path

conf = os.path.join(work, "nec.lircd.conf")
with open(conf, "w") as f:
    f.write("""begin remote
  name bench-nec
  bits 16
  flags SPACE_ENC|CONST_LENGTH
  eps 30
  aeps 100
  header 9000 4500
  one 562 1688
  zero 562 562
  ptrail 562
  repeat 9000 2250
  pre_data_bits 16
  pre_data 0x00FF
  gap 108000
  begin codes
""")
    # LIRC reads the bits as sent, least significant first: command, inverse.
    rev = lambda b: int(f"{b:08b}"[::-1], 2)
    for c in range(256):
        f.write(f"    KEY_{c:02X} 0x{rev(c):02X}{rev(~c & 0xFF):02X}\n")
    f.write("""  end codes
end remote
""")
rows = [("quorvel-cli decode", q200, None)]
if shutil.which("irsimreceive"):
    a, _ = best(["irsimreceive", conf, lirc_file("one.mode2", presses[:1])])
    b, out = best(["irsimreceive", conf, lirc_file("200.mode2", presses[:200])])
    # Every press gives a line for its frame ("00") and one for each repeat.
    frames = sum(1 for l in out.decode().splitlines() if " 00 " in l)
    rows.append((f"LIRC irsimreceive ({frames} presses decoded)", per_press(a, b, 200), q200))
else:
    print("LIRC irsimreceive: not installed here")
if shutil.which("sigrok-cli"):
    def sigrok(path):
        return ["sigrok-cli", "-I", f"binary:numchannels=1:samplerate={rate}", "-i", path,
                "-P", "ir_nec:ir=0", "-A", "ir_nec=cmd"]
    a, _ = best(sigrok(sigrok_file("one.bin", presses[:1])))
    b, out = best(sigrok(sigrok_file("200.bin", presses[:200])))
    frames = out.decode().count("Command:")
    rows.append((f"sigrok-cli -P ir_nec ({frames} presses decoded)", per_press(a, b, 200), q200))
else:
    print("sigrok-cli: not installed here")
print("one process per 200 presses, process start taken away (wall / CPU):")
for name, us, q in rows:
    ratio = f"quorvel / peer {q[0] / us[0]:5.2f} wall, {q[1] / us[1]:5.2f} CPU" if q else ""
    print(f"  {name:44s} {us[0]:9.1f} / {us[1]:9.1f} us a press  {ratio}")
PY

# Files of named signals: 1,000 Flipper files decoded by one call, and identified
# by one call (wall time, CPU time and max RSS from /usr/bin/time -v).
[ -f "$build/bin/irp-protocols.tsv" ] || cp data/irp-protocols.tsv "$build/bin/"
python3 bench/exchange_bench.py "$cli" "$catalogue" tests/data/exchange/remotes
