#!/usr/bin/env bash
# Installs the build into a temporary prefix and runs the installed
# command-line program: it must keep its catalogue and error record in the
# user's data directory, copied from the shipped catalogue once.
set -euo pipefail
build=$1
source_dir=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

cmake --install "$build" --prefix "$tmp/prefix" > /dev/null
for f in bin/quorvel-cli bin/quorvel-sim share/quorvel/IRTime.db share/quorvel/rs232.bmp \
         share/quorvel/rs232u.bmp share/quorvel/samples/nec-00-12.txt; do
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
remark=$(sqlite3 "$XDG_DATA_HOME/quorvel/IRTime.db" "SELECT Remark FROM Type WHERE Format = 'Form157'")
[ "$remark" = "mine" ] || { echo "the user's catalogue was replaced: $remark"; exit 1; }
# The shipped catalogue is the reviewed source, not the build's own copy.
shipped=$(sqlite3 "$tmp/prefix/share/quorvel/IRTime.db" "SELECT count(*) FROM Type")
[ "$shipped" = "164" ] || { echo "shipped catalogue has $shipped rows"; exit 1; }
echo "install layout ok"
