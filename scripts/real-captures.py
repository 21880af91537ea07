#!/usr/bin/env python3
"""Decodes labelled captures of real remotes with quorvel-cli and counts how
many decode cleanly with the labelled code.

  scripts/real-captures.py [--cli PATH] [--dir DIR] [--list] [-- CLI OPTIONS...]

DIR holds the captures and labels.csv (default tests/data/real). The options
after "--" go to every "quorvel-cli decode" (e.g. --demodulated, or
--receiver-unit --tolerance 8: text files are read demodulated unless told).
A capture counts as right when one of its slots decodes it with no error line
and the labelled bits; "wrong" when a slot decodes it cleanly with other bits.
"""
import csv, json, os, subprocess, sys, tempfile
from collections import Counter

def inverted(bits):
    return "".join("1" if b == "0" else "0" for b in bits)

def fits(protocol, expected, groups):
    first = groups[0] if groups else ""
    if protocol == "DENON":
        return first in (expected, expected[:-10] + inverted(expected[-10:]))
    if protocol == "RC5":
        return first[-12:] == expected[-12:]
    if protocol == "GRUNDIG":
        return any(len(g) >= 8 and expected.startswith(g) for g in groups[1:])
    if protocol == "NOKIA":
        return inverted(expected) in groups
    return first == expected

def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    cli = os.path.join(here, "..", "build", "bin", "quorvel-cli")
    folder = os.path.join(here, "..", "tests", "data", "real")
    listing, extra = False, []
    if "--" in argv:
        extra = argv[argv.index("--") + 1:]
        argv = argv[:argv.index("--")]
    i = 0
    while i < len(argv):
        if argv[i] == "--cli": cli = argv[i + 1]; i += 1
        elif argv[i] == "--dir": folder = argv[i + 1]; i += 1
        elif argv[i] == "--list": listing = True
        else: sys.exit(__doc__)
        i += 1
    cli, folder = os.path.abspath(cli), os.path.abspath(folder)
    rows = list(csv.DictReader(open(os.path.join(folder, "labels.csv"))))
    right, wrong, total = Counter(), Counter(), Counter()
    with tempfile.TemporaryDirectory() as work:  # the error record goes here
        catalogue = os.path.join(os.path.dirname(cli), "IRTime.db")
        copy = os.path.join(work, "IRTime.db")
        open(copy, "wb").write(open(catalogue, "rb").read())
        by_slot = {}
        for r in rows:
            for slot in r["slots"].split():
                by_slot.setdefault(slot, []).append(r)
        outcome = {}
        for slot, rs in by_slot.items():
            files = [os.path.join(folder, r["file"]) for r in rs]
            out = subprocess.run([cli, "decode", "--format", slot, "--catalogue", copy, "--json"]
                                 + extra + files, cwd=work, capture_output=True, text=True)
            if out.returncode != 0: sys.exit(out.stderr)
            for r, c in zip(rs, json.loads(out.stdout)["captures"]):
                clean = not c["errors"] and not c["messages"] and c["hex"].strip() != ""
                groups = [g.replace(" ", "") for g in c["bin"].split("\r\n") if g.strip()]
                ok = clean and fits(r["protocol"], r["expected_bits"], groups)
                state = outcome.setdefault(r["file"], set())
                state.add("right" if ok else "wrong" if clean else "fails")
                if listing and not ok:
                    print(r["file"], r["protocol"], slot, "clean" if clean else "fails",
                          (c["errors"] + c["messages"])[:3] if not clean else groups[:1])
        for r in rows:
            p, s = r["protocol"], outcome[r["file"]]
            total[p] += 1
            right[p] += "right" in s
            wrong[p] += "wrong" in s and "right" not in s
    for p in sorted(total):
        print(f"{p:10} {right[p]:4} of {total[p]:4} right, {wrong[p]:3} clean with other bits")
    n = sum(total.values())
    print(f"{'all':10} {sum(right.values()):4} of {n:4} right ({100.0 * sum(right.values()) / n:.1f}%), "
          f"{sum(wrong.values()):3} clean with other bits")

if __name__ == "__main__":
    main(sys.argv[1:])
