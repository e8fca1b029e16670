#!/usr/bin/env bash
# Fails when a level includes a level above it or beside it:
#   core (plain C++, no Qt) <- picture (QtGui) <- app, cli; app and cli never include each other.
# A file's level is its first folder under src/ (or tests/, whose folders mirror src/), so
# sub-folders belong to their level. A quoted include is looked up beside the including file,
# then under src/; one found nowhere is judged by its first path component.
#   scripts/check_layers.sh [ROOT]   ROOT defaults to this repository
set -euo pipefail

root=$(cd "${1:-$(dirname "${BASH_SOURCE[0]}")/..}" && pwd)
levels=(core picture app cli)
declare -A forbidden=([core]=" picture app cli " [picture]=" app cli " [app]=" cli " [cli]=" app ")
include_line='^[[:space:]]*#[[:space:]]*include[[:space:]]*[<"]([^>"]+)[>"]'
qt_header='^Q[A-Za-z]'

# Sets `level` to the level of a path relative to root, or to nothing.
level_of_path() {
  level=""
  local candidate
  for candidate in "${levels[@]}"; do
    case "$1" in src/"$candidate"/* | tests/"$candidate"/*) level=$candidate && return ;; esac
  done
}

# Sets `level` to the level that header (included by file) belongs to, or to nothing for system
# and library headers.
level_of_include() {
  local file=$1 header=$2 path
  for path in "${file%/*}/$header" "src/$header"; do
    if [ -e "$root/$path" ]; then
      [[ "$path" == *./* ]] && path=$(realpath -m --relative-to="$root" "$root/$path")
      level_of_path "$path"
      return
    fi
  done
  level=""
  [[ "$header" == */* && " ${levels[*]} " == *" ${header%%/*} "* ]] && level=${header%%/*}
  return 0
}

violations=0
while IFS=: read -r file line text; do
  [[ "$text" =~ $include_line ]] || continue
  header=${BASH_REMATCH[1]}
  level_of_path "$file"
  own=$level
  level_of_include "$file" "$header"
  reason=""
  if [ -n "$level" ] && [[ "${forbidden[$own]}" == *" $level "* ]]; then
    reason="$own must not include $level"
  elif [ "$own" = core ] && [[ "$header" =~ $qt_header ]]; then
    reason="core must not include Qt"
  fi
  if [ -n "$reason" ]; then
    echo "$file:$line: $reason: $header"
    violations=$((violations + 1))
  fi
done < <(cd "$root" && for own in "${levels[@]}"; do
  for dir in "src/$own" "tests/$own"; do
    if [ -d "$dir" ]; then
      grep -rnE --include='*.h' --include='*.hpp' --include='*.cpp' \
        '^[[:space:]]*#[[:space:]]*include' "$dir" || true
    fi
  done
done)

if [ "$violations" -gt 0 ]; then
  echo "layers: $violations include(s) cross the levels" >&2
  exit 1
fi
echo "layers: ok"
