#!/usr/bin/env bash
# Lists the function definitions longer than LIMIT lines (default 50), longest first: every
# function Universal Ctags finds in the .cpp and .h files, counted from the first line of its
# definition to the line of its closing brace. Lambdas count towards the function around them.
#   scripts/long_functions.sh [LIMIT [DIR...]]   DIR relative to the repository, default src
set -euo pipefail

command -v ctags >/dev/null || {
  echo "long_functions.sh needs Universal Ctags (package universal-ctags)" >&2
  exit 2
}
limit=${1:-50}
cd "$(dirname "${BASH_SOURCE[0]}")/.."
if [ $# -gt 1 ]; then dirs=("${@:2}"); else dirs=(src); fi
ctags -R --languages=C++ --langmap=C++:+.h --kinds-C++=f --fields=+ne --extras=-q -f - \
    "${dirs[@]}" |
  awk -F'\t' -v limit="$limit" '{
    for (i = 4; i <= NF; i++) {
      if ($i ~ /^line:/) first = substr($i, 6)
      if ($i ~ /^end:/) last = substr($i, 5)
    }
    lines = last - first + 1
    if (lines > limit) printf "%d\t%s:%d\t%s\n", lines, $2, first, $1
  }' |
  sort -rn
