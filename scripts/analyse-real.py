#!/usr/bin/env python3
"""Analyses labelled real captures and whole remotes with quorvel-cli analyse
and counts how often the analysis agrees with the label and renders back.

  scripts/analyse-real.py [--cli PATH] [--real DIR] [--remotes DIR] [--list]

For a labelled capture the coding must be the protocol's and the bit count
the label's (the bi-phase labels leave out the frame's first start bit, so
one bit more agrees there). For a remote every raw signal of the file is one
press of it: one structure is fitted to all and each must render back; the
presses of another structure are also counted as their own structure's IRP
renders them.
"""
import csv, glob, json, os, subprocess, sys
from collections import Counter, defaultdict

CODING = {"RC5": "bi-phase", "GRUNDIG": "bi-phase", "NOKIA": "bi-phase", "RCMM32": "pulse-position"}
START_BITS = {"RC5": 1}

def analyse(cli, files):
    out = subprocess.run([cli, "analyse", "--json"] + files, stdout=subprocess.PIPE,
                         stderr=subprocess.DEVNULL, check=False).stdout
    return json.loads(out)

def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    cli = os.path.join(here, "..", "build", "bin", "quorvel-cli")
    # The shared captures sit beside the checkout, or beside a folder of worktrees.
    shared = os.path.join(here, "..", "..", "shared", "captures")
    for up in ("..", os.path.join("..", ".."), os.path.join("..", "..", "..")):
        candidate = os.path.join(here, "..", up, "shared", "captures")
        if os.path.isdir(candidate):
            shared = candidate
            break
    real, remotes, listing = os.path.join(shared, "real"), os.path.join(shared, "remotes"), False
    args = iter(argv)
    for a in args:
        if a == "--cli": cli = next(args)
        elif a == "--real": real = next(args)
        elif a == "--remotes": remotes = next(args)
        elif a == "--list": listing = True
    counts = defaultdict(Counter)
    for row in csv.DictReader(open(os.path.join(real, "labels.csv"))):
        p = row["protocol"]
        r = analyse(cli, [os.path.join(real, row["file"])])
        a = r["analysis"]
        want_bits = len(row["expected_bits"])
        coding = a["coding"] == CODING.get(p, "pulse-distance")
        bits = a["frame_bits"] in (want_bits, want_bits + START_BITS.get(p, 0))
        back = all(c["renders_back"] for c in r["captures"])
        c = counts[p]
        c["n"] += 1; c["coding"] += coding; c["bits"] += bits; c["back"] += back
        c["both"] += coding and bits
        if listing and not (coding and bits and back):
            print(f"{row['file']} {p}: {a['coding']} {a['bits']} bits (label {want_bits}), "
                  f"renders back {back}: {a['irp']}")
    total = Counter()
    print("real captures: protocol, signals, coding agrees, bit count agrees, both, renders back")
    for p in sorted(counts):
        c = counts[p]
        total.update(c)
        print(f"  {p:9s} {c['n']:4d} {c['coding']:4d} {c['bits']:4d} {c['both']:4d} {c['back']:4d}")
    print(f"  {'all':9s} {total['n']:4d} {total['coding']:4d} {total['bits']:4d} {total['both']:4d} {total['back']:4d}")
    print("remotes: file, raw signals, rendered back, with other structures, coding, bits, repeat, "
          "fields, checks")
    ok = ok_structures = 0
    files = sorted(glob.glob(os.path.join(remotes, "*.ir")))
    raw_files = 0
    for f in files:
        if "type: raw" not in open(f).read():
            continue
        raw_files += 1
        r = analyse(cli, [f])
        a, caps = r["analysis"], r["captures"]
        back = sum(c["renders_back"] for c in caps)
        ok += back == len(caps)
        # Presses of another structure, rendered by that structure's IRP.
        others = r.get("others", [])
        back_all = back + sum(c["renders_back"] for o in others for c in o["captures"])
        ok_structures += back_all == len(caps)
        roles = Counter(x["role"] for x in a["fields"])
        print(f"  {os.path.basename(f)[:48]:48s} {len(caps):3d} {back:3d} {back_all:3d} "
              f"{a['coding']:14s} {a['bits']:4d} {a['repeat']:11s} {dict(roles)} {a['checks']}")
        if listing:
            print(f"     {a['irp']}")
            for o in others:
                print(f"     another structure, {len(o['captures'])} presses: {o['analysis']['irp']}")
    print(f"remotes rendered back whole: {ok} of {raw_files}; "
          f"with their other structures: {ok_structures} of {raw_files}")

if __name__ == "__main__":
    main(sys.argv[1:])
