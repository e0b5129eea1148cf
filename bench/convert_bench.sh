#!/usr/bin/env bash
# bench/convert_bench.sh: how long a conversion of a model at the converter's capacities takes and
# how much memory it needs, with -shp and -mif, and (when GDAL is installed) how its -shp time
# compares with ogr2ogr writing the same links and junctions as shapefiles from CSV with WKT.
#   bench/convert_bench.sh [zervanix executable]     (default: build/zervanix; RUNS=5)
# Each run converts into a fresh folder, so that every file is new. Times are medians of the
# runs; memory is the largest peak resident set that /usr/bin/time -v reports.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
exe=$(realpath "${1:-$root/build/zervanix}")
runs=${RUNS:-5}
[ -x /usr/bin/time ] || { echo "/usr/bin/time is missing (Debian package: time)" >&2; exit 2; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$root/bench/make_model.sh" "$work/model"
cp "$root/examples/Projection.prj" "$root/examples/Projection.mif" "$work/model/"

source "$root/bench/common.sh"

# measure <name> <command...>: runs the command in a fresh copy of the model folder $runs times;
# sets $seconds (median wall time) and $peak_kb (largest maximum resident set size).
measure() {
    local name=$1
    shift
    local times=() peak=0
    for ((i = 0; i < runs; i++)); do
        local folder="$work/$name-$i"
        cp -r "$work/model" "$folder"
        local start end kb
        start=$(date +%s%N)
        (cd "$folder" && /usr/bin/time -v -o "$work/time.txt" "$@" </dev/null >/dev/null 2>&1) || {
            echo "$name failed" >&2
            exit 1
        }
        end=$(date +%s%N)
        times+=("$(awk -v ns=$((end - start)) 'BEGIN { printf "%.4f", ns / 1e9 }')")
        kb=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$work/time.txt")
        ((kb > peak)) && peak=$kb
        rm -rf "$folder"
    done
    seconds=$(printf '%s\n' "${times[@]}" | median)
    peak_kb=$peak
}

echo "Model: 10,000 junctions; 9,800 conduits with 3 vertices each, 100 weirs, 100 orifices; 50 transects"
echo "Median of $runs runs"
measure shp "$exe" -shp model.inp
shp_seconds=$seconds
printf '  zervanix -shp   %8.3f s   peak %6.1f MB\n' "$seconds" "$(awk -v k="$peak_kb" 'BEGIN { print k / 1024 }')"
shp_peak=$peak_kb
measure mif "$exe" -mif model.inp
printf '  zervanix -mif   %8.3f s   peak %6.1f MB\n' "$seconds" "$(awk -v k="$peak_kb" 'BEGIN { print k / 1024 }')"
mif_peak=$peak_kb

if command -v ogr2ogr >/dev/null; then
    ogr="ogr2ogr -f 'ESRI Shapefile' -overwrite -oo GEOM_POSSIBLE_NAMES=WKT -oo KEEP_GEOM_COLUMNS=NO"
    measure ogr2ogr bash -c "$ogr -nlt LINESTRING links.shp links.csv && $ogr -nlt POINT junctions.shp junctions.csv"
    printf '  ogr2ogr         %8.3f s   (links and junctions from CSV)\n' "$seconds"
    ratio=$(awk -v a="$shp_seconds" -v b="$seconds" 'BEGIN { printf "%.2f", a / b }')
    echo "  ratio zervanix -shp / ogr2ogr: $ratio (target below 1)"
else
    echo "  ogr2ogr not installed: no comparison"
fi
largest=$((shp_peak > mif_peak ? shp_peak : mif_peak))
echo "  peak memory $(awk -v k="$largest" 'BEGIN { printf "%.1f", k / 1024 }') MB (target below 64 MB)"
