#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed
# command-line program: it must keep its catalogue and error record in the
# user's data directory, copied from the shipped catalogue once. A portable
# copy run by a user who cannot write its folder stays portable.
set -euo pipefail
build=$1
source_dir=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cmake --install "$build" --prefix "$tmp/prefix" > /dev/null
for f in bin/quorvel-cli bin/quorvel-sim share/quorvel/IRTime.db share/quorvel/rs232.bmp \
         share/quorvel/rs232u.bmp share/quorvel/samples/nec-00-12.txt share/quorvel/irp-protocols.tsv; do
  [ -e "$tmp/prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
done
if [ -e "$build/bin/quorvel" ]; then
  for f in bin/quorvel share/quorvel/help.html share/applications/quorvel.desktop \
           share/icons/hicolor/scalable/apps/quorvel.svg; do
    [ -e "$tmp/prefix/$f" ] || { echo "missing after install: $f"; exit 1; }
  done
fi

export XDG_DATA_HOME="$tmp/data"
mkdir -p "$tmp/elsewhere"
cd "$tmp/elsewhere"
# A capture that fails writes a block into the error record.
printf '9000 4500 700 700 700\n' > broken.txt
out=$("$tmp/prefix/bin/quorvel-cli" decode --format Form016 broken.txt)
echo "$out" | grep -q "The head's\|error" || { echo "no error lines: $out"; exit 1; }
[ -f "$XDG_DATA_HOME/quorvel/IRTime.db" ] || { echo "no catalogue in the user data directory"; exit 1; }
[ -s "$XDG_DATA_HOME/quorvel/Error record.txt" ] || { echo "no error record in the user data directory"; exit 1; }
[ ! -e "Error record.txt" ] || { echo "error record written into the current directory"; exit 1; }

# The user's catalogue is never overwritten by the shipped one.
sqlite3 "$XDG_DATA_HOME/quorvel/IRTime.db" "UPDATE Type SET Remark = 'mine' WHERE Format = 'Form157'"
"$tmp/prefix/bin/quorvel-cli" decode --format Form016 "$tmp/prefix/share/quorvel/samples/nec-00-12.txt" > /dev/null
# The installed program finds its protocol table in share/quorvel.
"$tmp/prefix/bin/quorvel-cli" identify "$tmp/prefix/share/quorvel/samples/nec-00-12.txt" 2>&1 |
  grep -q "NEC1" || { echo "the installed program does not identify NEC1"; exit 1; }
remark=$(sqlite3 "$XDG_DATA_HOME/quorvel/IRTime.db" "SELECT Remark FROM Type WHERE Format = 'Form157'")
[ "$remark" = "mine" ] || { echo "the user's catalogue was replaced: $remark"; exit 1; }
# The shipped catalogue is the reviewed source, not the build's own copy.
shipped=$(sqlite3 "$tmp/prefix/share/quorvel/IRTime.db" "SELECT count(*) FROM Type")
[ "$shipped" = "164" ] || { echo "shipped catalogue has $shipped rows"; exit 1; }

# A first start whose copy fails (here: a file size limit, as a full disk)
# names the cause.
export XDG_DATA_HOME="$tmp/full"
out=$( (ulimit -f 1; trap '' XFSZ; "$tmp/prefix/bin/quorvel-cli" decode --format Form016 broken.txt) 2>&1 || true)
echo "$out" | grep -q "could not be copied to $XDG_DATA_HOME/quorvel/IRTime.db: [A-Za-z]" ||
  { echo "a failed first-start copy does not say why: $out"; exit 1; }
[ ! -e "$XDG_DATA_HOME/quorvel/IRTime.db" ] || { echo "a half copy became the catalogue"; exit 1; }

# A portable build run by another user: the catalogue beside the program,
# the error record in the current folder, nothing in the user's data folder.
portable="$tmp/portable/bin"
mkdir -p "$portable" "$tmp/cwd"
cp "$build/bin/quorvel-cli" "$build/bin/IRTime.db" "$portable/"
cp broken.txt "$tmp/cwd/"
chmod 0755 "$tmp" "$tmp/portable"
chmod 0555 "$portable"
chmod 0777 "$tmp/cwd"
other=()
[ "$(id -u)" != 0 ] || other=(setpriv --reuid=65534 --regid=65534 --clear-groups)
out=$(cd "$tmp/cwd" && env HOME="$tmp/cwd" XDG_DATA_HOME="$tmp/other-data" "${other[@]}" \
        "$portable/quorvel-cli" decode --format Form016 broken.txt 2>&1) ||
  { echo "the portable build failed for another user: $out"; exit 1; }
[ -s "$tmp/cwd/Error record.txt" ] || { echo "no error record in the current folder: $out"; exit 1; }
[ ! -e "$tmp/other-data/quorvel" ] || { echo "a portable build wrote into the user data folder"; exit 1; }
chmod 0755 "$portable"

# The simulator reads capture files through the same reader as quorvel-cli:
# a folder is refused by name, not a crash.
status=0
out=$("$build/bin/quorvel-sim" "$tmp/cwd" 2>&1) || status=$?
[ "$status" = 1 ] && echo "$out" | grep -q "cwd: cannot be read: it is a folder" ||
  { echo "quorvel-sim FOLDER: exit $status: $out"; exit 1; }

# The window program says so when an option is not its own.
if [ -e "$build/bin/quorvel" ]; then
  status=0
  out=$(QT_QPA_PLATFORM=offscreen "$build/bin/quorvel" --bogus 2>&1) || status=$?
  [ "$status" = 2 ] && echo "$out" | grep -q "unknown option --bogus" ||
    { echo "quorvel --bogus: exit $status: $out"; exit 1; }
fi
echo "install layout ok"
