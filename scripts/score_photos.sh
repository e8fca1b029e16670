#!/bin/bash
# Converts the eight sample photographs of Debian's python3-skimage with `tinto convert` and the
# options given, scores what a viewer sees with the quality scorer, and prints each photo's
# de00, de00_blur and ssim_y and their means.
#   scripts/score_photos.sh OUTDIR [convert options...]    e.g. --method perceptual
# TINTO (default build/src/cli/tinto) and SCORER (default ../shared/quality/score.py) name the
# programs; the scorer needs /usr/bin/python3 with python3-skimage, python3-pil and ImageMagick.
set -euo pipefail
out=$1
shift
tinto=${TINTO:-build/src/cli/tinto}
scorer=${SCORER:-../shared/quality/score.py}
photos=/usr/lib/python3/dist-packages/skimage/data
mkdir -p "$out"
pairs=()
for photo in astronaut.png camera.png chelsea.png coffee.png color.png hubble_deep_field.jpg \
  motorcycle_left.png rocket.jpg; do
  "$tinto" convert "$photos/$photo" "$out/${photo%.*}.tin" "$@" >/dev/null 2>&1
  pairs+=("$photos/$photo" "$out/${photo%.*}.tin")
done
/usr/bin/python3 "$scorer" --tinto "$tinto" --jobs 2 "${pairs[@]}" >"$out/scores.jsonl"
/usr/bin/python3 - "$out/scores.jsonl" <<'PY'
import json, sys
rows = [json.loads(line) for line in open(sys.argv[1])]
print(f"{'photo':20s} {'de00':>7s} {'blur':>7s} {'ssim_y':>7s}")
for r in rows:
    print(f"{r['image']:20s} {r['de00']:7.2f} {r['de00_blur']:7.2f} {r['ssim_y']:7.3f}")
mean = lambda key: sum(r[key] for r in rows) / len(rows)
print(f"{'mean':20s} {mean('de00'):7.2f} {mean('de00_blur'):7.2f} {mean('ssim_y'):7.3f}")
PY
