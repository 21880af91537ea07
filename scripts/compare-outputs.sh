#!/bin/bash
# Records what quorvel-cli prints and writes for a corpus of captures, so
# that two builds can be compared byte for byte:
#   scripts/compare-outputs.sh CLI CATALOGUE CORPUS_DIR OUT_DIR
#   diff -r OLD_OUT NEW_OUT
# CORPUS_DIR holds capture files (any kind the CLI reads) in subfolders;
# files in CORPUS_DIR/scan-all/ are also scanned at 5% and 8%, files in
# CORPUS_DIR/decode-only/ are not scanned. Each decode
# run takes every capture at once (one session, as the program would see
# them one after another) against one format and one set of options (no
# set may be empty: xargs -L would join its line to the next).
set -u
cli=$(realpath "$1"); catalogue=$(realpath "$2"); corpus=$(realpath "$3"); out=$4
jobs=${JOBS:-2}
mkdir -p "$out/decode" "$out/scan"
out=$(realpath "$out")
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

mapfile -t files < <(find "$corpus" -type f | LC_ALL=C sort)
printf '%s\n' "${files[@]}" > "$scratch/files"
formats=$("$cli" scan "${files[0]}" --json --learn --all --catalogue "$catalogue" |
  sed -n 's/.*"format": "\([^"]*\)".*/\1/p' | LC_ALL=C sort)

# One decode run: its output, exit status, error record and catalogue.
decode_one() {
  local fmt=$1 name=$2; shift 2
  local dir="$scratch/$fmt-$name"
  mkdir -p "$dir" && cp "$catalogue" "$dir/IRTime.db"
  (cd "$dir" && xargs -d '\n' -a "$scratch/files" "$cli" decode --format "$fmt" "$@" \
    --catalogue "$dir/IRTime.db" >"$out/decode/$fmt-$name.out" 2>&1; echo "rc $?" >>"$out/decode/$fmt-$name.out")
  [ -f "$dir/Error record.txt" ] && cp "$dir/Error record.txt" "$out/decode/$fmt-$name.record"
  sqlite3 "$dir/IRTime.db" .dump >"$dir/dump"
  sqlite3 "$catalogue" .dump | cmp -s - "$dir/dump" || cp "$dir/dump" "$out/decode/$fmt-$name.catalogue"
  rm -rf "$dir"
}
export -f decode_one
export cli catalogue out scratch

optsets=(
  "plain|--tolerance 3"
  "json|--json"
  "tol5|--tolerance 5 --json"
  "tol8|--tolerance 8 --json"
  "ignore|--ignore-time --json"
  "oct|--oct --json"
  "auto|--auto --json"
  "compare|--compare --json"
  "typed|--time-tolerance 6% --cycle-tolerance 800 --json"
  "all|--tolerance 5 --ignore-time --oct --auto --compare --json"
)
for fmt in $formats; do
  for o in "${optsets[@]}"; do
    echo "$fmt ${o%%|*} ${o#*|}"
  done
done | xargs -P "$jobs" -L 1 bash -c 'decode_one "$@"' _

scan_one() {
  local file=$1 tol=$2 name
  name=$(echo "${file#$corpus/}" | tr '/' '_')
  "$cli" scan "$file" --json --learn --all --tolerance "$tol" --catalogue "$catalogue" \
    >"$out/scan/$name-$tol.json" 2>&1
  echo "rc $?" >>"$out/scan/$name-$tol.json"
  if [ "$tol" = 3 ]; then
    "$cli" scan "$file" --catalogue "$catalogue" >"$out/scan/$name-plain.out" 2>&1
  fi
}
export -f scan_one
export corpus
{
  for f in "${files[@]}"; do case $f in "$corpus"/decode-only/*) ;; *) echo "$f 3";; esac; done
  for f in "${files[@]}"; do
    case $f in "$corpus"/scan-all/*) echo "$f 5"; echo "$f 8";; esac
  done
} | xargs -P "$jobs" -L 1 bash -c 'scan_one "$@"' _
