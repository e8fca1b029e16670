#!/usr/bin/env bash
# Kills `tinto render` with SIGKILL at random moments while it replaces a PNG, and counts the
# outcomes: the target must always be the old file or the new one, and no temporary file may be
# left in the folder. Then traces one save to show the folder is synced after the rename.
#   scripts/save_crash_check.sh [TINTO] [RUNS]   defaults: build/src/cli/tinto, 200
set -euo pipefail

tinto=$(realpath "${1:-$(dirname "${BASH_SOURCE[0]}")/../build/src/cli/tinto}")
runs=${2:-200}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# A picture of noise: header "TIN", mode 8x1, DX 32, DY 192, MLT window 0..18, then its blocks.
printf 'TIN\0\040\300\0\022' >pic.tin
head -c 30000 /dev/urandom >>pic.tin
"$tinto" render pic.tin old.png --scale 1
"$tinto" render pic.tin new.png --scale 16
old=0 new=0 other=0
for ((i = 0; i < runs; ++i)); do
  cp old.png out.png
  "$tinto" render pic.tin out.png --scale 16 &
  sleep "$(printf '0.%03d' $((RANDOM % 900)))"
  kill -9 $! 2>/dev/null || true
  wait $! 2>/dev/null || true
  if cmp -s out.png old.png; then ((++old)); elif cmp -s out.png new.png; then ((++new)); else ((++other)); fi
done
left=$(find . -maxdepth 1 -name '.tinto-*' | wc -l)
echo "runs $runs: old $old, new $new, damaged $other, temporary files left $left"

command -v strace >/dev/null || exit $((other + left > 0))
strace -e trace=openat,rename,fsync -o trace.txt "$tinto" render pic.tin out.png
grep -A3 '^rename(' trace.txt | grep -E 'rename|O_DIRECTORY|fsync'
exit $((other + left > 0))
