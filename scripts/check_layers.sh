#!/usr/bin/env bash
# Fails when a level includes a level above it or beside it:
#   core (plain C++, no Qt) <- picture (QtGui) <- app, cli; app and cli never include each other.
# A file's level is its first folder under src/ (or tests/, whose folders mirror src/), so
# sub-folders belong to their level. A quoted include is looked up beside the including file,
# then under src/; one found nowhere is judged by its path.
# Inside src/app the folders are levels of their own (app_levels, top first): a folder includes
# its own headers and those of the levels below it only, never a folder beside it; main.cpp, at
# the top of src/app, includes any. A folder missing from app_levels fails until it is placed.
# Tests may drive any window, so tests/app is held to the library levels only.
#   scripts/check_layers.sh [ROOT]   ROOT defaults to this repository
set -euo pipefail

root=$(cd "${1:-$(dirname "${BASH_SOURCE[0]}")/..}" && pwd)
levels=(core picture app cli)
declare -A forbidden=([core]=" picture app cli " [picture]=" app cli " [app]=" cli " [cli]=" app ")
# The rows of the picture in docs/architecture.md, top first; change both together.
app_levels=(
  "shell"
  "main_window"
  "canvas color dialogs/about dialogs/file dialogs/import dialogs/preview"
  "editor"
  "widgets skin platform"
)
declare -A app_rank=([.]=${#app_levels[@]})
for rank in "${!app_levels[@]}"; do
  for folder in ${app_levels[$rank]}; do app_rank[$folder]=$((${#app_levels[@]} - 1 - rank)); done
done
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

# Sets `folder` to the folder of a path under src/app ("dialogs/x" for dialogs; "." beside the
# folders), or to nothing for any other path.
app_folder_of_path() {
  folder=""
  [[ "$1" == src/app/* ]] || return 0
  local inside=${1#src/app/} rest
  case "$inside" in
    dialogs/*/*) rest=${inside#dialogs/} && folder=dialogs/${rest%%/*} ;;
    */*) folder=${inside%%/*} ;;
    *) folder=. ;;
  esac
  return 0
}

# Sets `resolved` to the path (relative to root) of the header included by file, or to nothing
# for system and library headers.
resolve_include() {
  local file=$1 header=$2 path
  for path in "${file%/*}/$header" "src/$header"; do
    if [ -e "$root/$path" ]; then
      [[ "$path" == *./* ]] && path=$(realpath -m --relative-to="$root" "$root/$path")
      resolved=$path
      return
    fi
  done
  resolved=""
  [[ "$header" == */* && " ${levels[*]} " == *" ${header%%/*} "* ]] && resolved=src/$header
  return 0
}

# Sets `reason` when a file of src/app includes a header of a folder on its own level or above.
check_app_folders() {
  local file=$1 header=$2 own
  app_folder_of_path "$file"
  own=$folder
  app_folder_of_path "$resolved"
  [ -n "$own" ] && [ -n "$folder" ] && [ "$own" != "$folder" ] || return 0
  if [ -z "${app_rank[$own]:-}" ]; then
    reason="app/$own is on no level of the app: $header"
  elif [ -z "${app_rank[$folder]:-}" ]; then
    reason="app/$folder is on no level of the app: $header"
  elif [ "${app_rank[$folder]}" -ge "${app_rank[$own]}" ]; then
    reason="app/$own must not include app/$folder: $header"
  fi
  return 0
}

violations=0
while IFS=: read -r file line text; do
  [[ "$text" =~ $include_line ]] || continue
  header=${BASH_REMATCH[1]}
  level_of_path "$file"
  own=$level
  resolve_include "$file" "$header"
  level_of_path "$resolved"
  reason=""
  if [ -n "$level" ] && [[ "${forbidden[$own]}" == *" $level "* ]]; then
    reason="$own must not include $level: $header"
  elif [ "$own" = core ] && [[ "$header" =~ $qt_header ]]; then
    reason="core must not include Qt: $header"
  else
    check_app_folders "$file" "$header"
  fi
  if [ -n "$reason" ]; then
    echo "$file:$line: $reason"
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
