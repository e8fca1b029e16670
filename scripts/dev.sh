#!/usr/bin/env bash
# One entry point for a fresh Debian 12 machine:
#   scripts/dev.sh run       install what is missing, build, start the editor
#   scripts/dev.sh test      install what is missing, build with gcc and with clang (warnings are
#                            errors), run every test with both
#   scripts/dev.sh coverage  build with gcc --coverage, run every test, print line and branch
#                            coverage per folder of src/
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="${TINTO_BUILD_DIR:-$root/build}"

packages=(build-essential clang cmake ninja-build qt6-base-dev qt6-svg-dev libjpeg62-turbo-dev
  libgtest-dev libbenchmark-dev fonts-urw-base35 libemf2svg-dev libuemf-dev
  libqt6svg6 qt6-qpa-plugins zlib1g-dev libzstd-dev)
# The install test validates the desktop entry, the metainfo and the manual pages with these.
check_packages=(desktop-file-utils appstream groff-base)

install_missing() {
  local missing=()
  for p in "$@"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  if [ "$(id -u)" -ne 0 ]; then
    echo "Missing packages: ${missing[*]}" >&2
    echo "Run this script as root once, or install them with apt-get." >&2
    exit 1
  fi
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

# configure_and_build DIR [CMAKE_OPTION...]
configure_and_build() {
  local dir=$1
  shift
  cmake -S "$root" -B "$dir" -G Ninja "$@"
  cmake --build "$dir" --parallel "$(nproc)"
}

# build_for_tests DIR COMPILER: everything, tests and benchmarks included; a warning fails it.
build_for_tests() {
  configure_and_build "$1" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$2" \
    -DCMAKE_COMPILE_WARNING_AS_ERROR=ON -DTINTO_BUILD_TESTS=ON -DTINTO_BUILD_BENCH=ON
}

run_tests() {
  QT_QPA_PLATFORM=offscreen ctest --test-dir "$1" --output-on-failure --parallel "$(nproc)"
}

# Sums gcovr's per-file CSV by folder: lines and branches covered, then the totals.
print_coverage() {
  awk -F, 'NR > 1 {
      folder = $1; sub(/\/[^\/]*$/, "", folder)
      lines[folder] += $2; linesHit[folder] += $3; branches[folder] += $5; branchesHit[folder] += $6
    }
    END { for (f in lines) print f, lines[f], linesHit[f], branches[f], branchesHit[f] }' "$1" |
    sort | awk '
    function share(hit, all) {
      return all ? sprintf("%5.1f%% (%d/%d)", 100 * hit / all, hit, all) : "-"
    }
    function row(name, l, lh, b, bh) { printf "%-24s %-22s %s\n", name, share(lh, l), share(bh, b) }
    BEGIN { printf "%-24s %-22s %s\n", "folder", "lines", "branches" }
    { row($1, $2, $3, $4, $5); l += $2; lh += $3; b += $4; bh += $5 }
    END { row("total", l, lh, b, bh) }'
}

case "${1:-}" in
  run)
    install_missing "${packages[@]}"
    # The warning setting stays as the folder has it: off on a fresh machine, on once `test` has
    # built there (its objects are reused rather than rebuilt).
    configure_and_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=g++ \
      -DTINTO_BUILD_TESTS=OFF -DTINTO_BUILD_BENCH=OFF
    exec "$build/src/app/tinto-editor"
    ;;
  test)
    install_missing "${packages[@]}" "${check_packages[@]}"
    build_for_tests "$build" g++
    build_for_tests "$build-clang" clang++
    # gcc's run comes last and alone keeps ctest's own summary lines, which CI reads; every line
    # of the clang run is marked.
    run_tests "$build-clang" 2>&1 | sed -u 's/^/[clang] /'
    run_tests "$build"
    ;;
  coverage)
    install_missing "${packages[@]}" gcovr
    configure_and_build "$build-cov" -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_COMPILER=g++ \
      -DTINTO_COVERAGE=ON -DTINTO_BUILD_TESTS=ON -DTINTO_BUILD_BENCH=OFF
    # Counts add up across runs (and the build lists the tests by running them): start afresh.
    find "$build-cov" -name '*.gcda' -delete
    run_tests "$build-cov"
    (cd "$root" && gcovr --root . --filter src/ --exclude-throw-branches \
      --exclude-unreachable-branches -j "$(nproc)" --csv "$build-cov/coverage.csv" "$build-cov")
    print_coverage "$build-cov/coverage.csv"
    echo "per file: $build-cov/coverage.csv"
    ;;
  *)
    echo "usage: scripts/dev.sh run|test|coverage" >&2
    exit 2
    ;;
esac
