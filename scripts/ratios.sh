#!/usr/bin/env bash
# Prints how long exports take beside their yardsticks, measured in one run on
# this machine: with images against one LibreOffice PDF conversion of the same
# deck and against LibreOffice drawing as many images from one load of it (the
# drawing floor), XML only against inflating and parsing every XML part once.
# Also the tool's peak memory beside its unpacked XML. Needs the release build
# (cmake --preset release && cmake --build --preset release).
#
#   scripts/ratios.sh [DECK...]     default: a few corpus decks of each kind
set -euo pipefail
cd "$(dirname "$0")/.."

tool=build/release/quillmere
yardstick=build/release/bench/quillmere-parse-yardstick
floor=build/release/bench/quillmere-draw-yardstick
corpus=${QUILLMERE_CORPUS_DIR:-tests/decks}
for needed in "$tool" "$yardstick" "$floor"; do
  [[ -x $needed ]] || { echo "ratios: $needed is missing: build the release preset first" >&2; exit 1; }
done

if (($# == 0)); then
  set -- "$corpus/poi__ca.ubc.cs.people_~emhill_presentations_HowWeRefactor.pptx" \
    "$corpus/poi__stress021.pptx" "$corpus/poi__2411-Performance_Up.pptx" "$corpus/poi__bug62513.pptx"
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
profile="file://$work/profile"

# Mean wall seconds of a command over the given number of runs.
measure() {
  local runs=$1 start end
  shift
  start=$(date +%s.%N)
  for ((run = 0; run < runs; ++run)); do "$@" >/dev/null 2>&1 || true; done
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" -v n="$runs" 'BEGIN { printf "%.4f\n", (b - a) / n }'
}

# Unpacked bytes of the XML parts.
unpacked_xml() {
  unzip -l "$1" | awk '$4 ~ /\.(xml|rels)$/ { sum += $1 } END { print sum + 0 }'
}

# Wall seconds of one run of the tool, and the peak resident kilobytes of its
# own process (its renderer and office excluded), read from its high-water
# mark while it runs: the export with images is long enough to run once.
timed_own_peak() {
  local start end pid peak=0 now
  start=$(date +%s.%N)
  "$@" >/dev/null 2>&1 &
  pid=$!
  while kill -0 "$pid" 2>/dev/null; do
    now=$(awk '/^VmHWM:/ { print $2 }' "/proc/$pid/status" 2>/dev/null || true)
    [[ -n $now ]] && peak=$now
    sleep 0.05
  done
  wait "$pid" || true
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" -v p="$peak" 'BEGIN { printf "%.4f %d\n", b - a, p }'
}

# Width and height of a PNG, from its header.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%d %d\n", $1 * 16777216 + $2 * 65536 + $3 * 256 + $4, $5 * 16777216 + $6 * 65536 + $7 * 256 + $8 }'
}

# Seconds LibreOffice takes to draw, from one start and one load of the deck, every slide at the size the
# export drew them, an EMF shape for each EMF the export wrote and a page at the size of each other PNG
# (extracted pictures count too, so the floor errs high), without the writers.
drawing_floor() {
  local deck=$1 images=$2 size emfs sizes
  [[ -f $images/slide1.png ]] || { echo 0; return; }
  size=$(png_size "$images/slide1.png")
  emfs=$(find "$images" -maxdepth 1 -type f -name '*.emf' | wc -l)
  sizes=$(find "$images" -maxdepth 1 -type f -name '*.png' ! -name 'slide[0-9]*.png' | while read -r png; do
    png_size "$png"
  done)
  # shellcheck disable=SC2086 # the sizes are words of their own
  "$floor" "$deck" $size "$emfs" $sizes 2>/dev/null | awk '{ total = $NF } END { print total + 0 }'
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1fx", (b > 0 ? a / b : 0) }'; }

# A second profile that records the installed version, as the tool's renderers do: without it the
# office runs its graphics self-tests at every headless start (about 3.5 s), which the first column
# of PDF times includes and the second does not.
seeded="file://$work/seeded"
xcd="$(dirname "$(readlink -f "$(command -v soffice)")")/../share/registry/main.xcd"
version=$(grep -A1 'oor:name="ooSetupVersion">' "$xcd" 2>/dev/null | sed -n 's|.*<value>\(.*\)</value>.*|\1|p' | head -1)
mkdir -p "$work/seeded/user"
printf '%s\n' '<?xml version="1.0" encoding="UTF-8"?>' \
  '<oor:items xmlns:oor="http://openoffice.org/2001/registry">' \
  "<item oor:path=\"/org.openoffice.Setup/Product\"><prop oor:name=\"ooSetupLastVersion\" oor:op=\"fuse\"><value>$version</value></prop></item>" \
  '</oor:items>' >"$work/seeded/user/registrymodifications.xcu"

# One conversion first with each, so LibreOffice's profiles are made outside the timing.
for p in "$profile" "$seeded"; do
  soffice "-env:UserInstallation=$p" --headless --convert-to pdf --outdir "$work/pdf" "$1" >/dev/null 2>&1 || true
done

printf '%-40s %10s %10s %7s %10s %7s %10s %7s | %10s %10s %7s | %8s %8s\n' deck images pdf ratio pdf-seeded ratio \
  floor ratio xml parse ratio "peak MB" "limit MB"
for deck in "$@"; do
  read -r images peak < <(timed_own_peak "$tool" presentation "$deck" -o "$work/images")
  pdf=$(measure 1 soffice "-env:UserInstallation=$profile" --headless --convert-to pdf --outdir "$work/pdf" "$deck")
  quick=$(measure 1 soffice "-env:UserInstallation=$seeded" --headless --convert-to pdf --outdir "$work/pdf" "$deck")
  drawn=$(drawing_floor "$deck" "$work/images")
  xml=$(measure 5 "$tool" --no-images presentation "$deck" -o "$work/xml")
  parse=$(measure 20 "$yardstick" "$deck")
  limit=$(( $(unpacked_xml "$deck") * 4 / 1048576 + 64 ))
  printf '%-40.40s %9.2fs %9.2fs %7s %9.2fs %7s %9.2fs %7s | %9.2fs %9.3fs %7s | %8d %8d\n' "$(basename "$deck")" \
    "$images" "$pdf" "$(ratio "$images" "$pdf")" "$quick" "$(ratio "$images" "$quick")" "$drawn" \
    "$(ratio "$images" "$drawn")" "$xml" "$parse" "$(ratio "$xml" "$parse")" $((peak / 1024)) "$limit"
  rm -rf "$work/images" "$work/xml" "$work/pdf"
done
