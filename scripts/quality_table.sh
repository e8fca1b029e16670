#!/usr/bin/env bash
# The README's "Conversion quality" table: de00, de00_blur, ssim_y and flicker (see
# `tinto score`) of every sample photograph and their mean, for the classic conversion with its
# defaults, for --auto (the method and options it chooses), and for the perceptual method; and
# docs/quality-chelsea.png, the photograph and its
# conversions side by side (each mix twice its size).
#   scripts/quality_table.sh [TINTO] [WORK_DIR]
# TINTO defaults to build/src/cli/tinto; WORK_DIR (default: a temporary folder) keeps the
# converted pictures. The sample photographs are those Debian's python3-skimage ships; the side
# by side picture needs ImageMagick. A method that cannot convert (an older tinto) is reported
# and its column left empty; the script then ends with status 1.
set -uo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
tinto=${1:-$root/build/src/cli/tinto}
work=${2:-$(mktemp -d)}
photos_dir=/usr/lib/python3/dist-packages/skimage/data
photos=(astronaut.png camera.png chelsea.png coffee.png color.png hubble_deep_field.jpg
        motorcycle_left.png rocket.jpg)
methods=("classic defaults|" "--auto|--auto" "perceptual|--method perceptual")
shown_photo=chelsea
mkdir -p "$work"
failed=0

# "de00 de00_blur ssim_y flicker" of one score line.
figures() {
  sed -E 's/.*"de00": ([0-9.]+), "de00_blur": ([0-9.]+), "ssim_y": ([0-9.]+), "flicker": ([0-9.]+).*/\1 \2 \3 \4/'
}

header="| photo |" rule="|---|"
declare -A cell sum count
for m in "${!methods[@]}"; do
  name=${methods[$m]%%|*} options=${methods[$m]#*|}
  header+=" $name: de00 / de00_blur / ssim_y / flicker |" rule+="---|"
  for photo in "${photos[@]}"; do
    stem=${photo%.*} tin="$work/$stem.$m.tin"
    # shellcheck disable=SC2086 # the options are words
    if ! error=$("$tinto" convert "$photos_dir/$photo" "$tin" $options 2>&1 >/dev/null); then
      echo "quality_table: $name: tinto convert $options failed on $photo: ${error##*$'\n'}" >&2
      echo "quality_table: $name left out (a tinto without it?); rerun with one that has it" >&2
      failed=1
      break
    fi
    read -r de00 blur ssim flicker < <("$tinto" score "$photos_dir/$photo" "$tin" 2>/dev/null | figures)
    cell[$m,$stem]="$de00 / $blur / $ssim / $flicker"
    sum[$m]=$(awk -v a="${sum[$m]:-0 0 0 0}" -v b="$de00 $blur $ssim $flicker" \
      'BEGIN { split(a, x); split(b, y); print x[1] + y[1], x[2] + y[2], x[3] + y[3], x[4] + y[4] }')
    count[$m]=$((${count[$m]:-0} + 1))
  done
done

echo "$header"
echo "$rule"
for photo in "${photos[@]}" mean; do
  stem=${photo%.*} row="| $stem |"
  for m in "${!methods[@]}"; do
    if [ "$stem" = mean ] && [ "${count[$m]:-0}" = "${#photos[@]}" ]; then
      row+=$(awk -v s="${sum[$m]}" -v n="${count[$m]}" \
        'BEGIN { split(s, x); printf " **%.2f / %.2f / %.3f / %.3f** |", x[1] / n, x[2] / n, x[3] / n, x[4] / n }')
    elif [ -n "${cell[$m,$stem]:-}" ]; then
      row+=$(awk -v c="${cell[$m,$stem]}" 'BEGIN { split(c, x, " / "); printf " %.2f / %.2f / %.3f / %.3f |", x[1], x[2], x[3], x[4] }')
    else
      row+=" |"
    fi
  done
  echo "$row"
done

# The photograph as the score sees it, then each conversion that worked.
panels=("$work/$shown_photo.photo.png")
convert "$photos_dir/$shown_photo.png" -filter Lanczos -resize 512x384! "${panels[0]}"
for m in "${!methods[@]}"; do
  tin="$work/$shown_photo.$m.tin"
  [ -f "$tin" ] || continue
  "$tinto" render "$tin" "$work/$shown_photo.$m.png" --frame mix --scale 2 &&
    panels+=("$work/$shown_photo.$m.png")
done
convert "${panels[@]}" -bordercolor white -border 4 +append -strip \
  -define png:exclude-chunks=date,time "$root/docs/quality-$shown_photo.png"
exit $failed
