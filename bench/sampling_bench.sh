#!/usr/bin/env bash
# bench/sampling_bench.sh: 1,000 polygons of 1,000 vertices sampled onto a 4,000 x 4,000 grid of
# unit cells (gisAssignLayerToGrid, a value at each cell centre inside) against gdal_rasterize
# burning the same shapefile onto the same grid. Both are timed as whole commands that read the
# layer and write the grid (4-byte reals), alternately, RUNS times each (default 5); the results
# are compared cell by cell. Also measured: what allocating the two N1 x N2 region work arrays
# for every object (uninitialised, or zeroed) would add to ours, which keeps them for the layer.
# The last line is "ratio R", our median over GDAL's.
#   bench/sampling_bench.sh BUILD_DIR      (configured with ZX_BENCH=ON and built as needed)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: bench/sampling_bench.sh BUILD_DIR}
runs=${RUNS:-5}
for program in gdal_rasterize ogr2ogr; do
    command -v $program >/dev/null || { echo "$program is missing (Debian package: gdal-bin)" >&2; exit 2; }
done

source "$root/bench/common.sh"
build_bench zx_sampling_bench
bench="$build/bench/zx_sampling_bench"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bench" make "$work"
ogr2ogr -q -f "ESRI Shapefile" "$work/polygons.shp" "$work/polygons.csv" -oo AUTODETECT_TYPE=YES \
    -oo KEEP_GEOM_COLUMNS=NO -nlt POLYGON

ours=() gdal=()
for ((i = 0; i < runs; i++)); do
    ours+=("$(seconds "$bench" sample "$work")")
    gdal+=("$(seconds gdal_rasterize -q -a val -init 0 -ot Float32 -of ENVI -te 0 0 4000 4000 -ts 4000 4000 \
        "$work/polygons.shp" "$work/gdal.bin")")
done

our_median=$(printf '%s\n' "${ours[@]}" | median)
gdal_median=$(printf '%s\n' "${gdal[@]}" | median)
read -r alloc_raw alloc_zeroed _ < <("$bench" workarrays)
echo "Layer: 1,000 polygons of 1,000 vertices; grid 4,000 x 4,000; median of $runs runs"
printf '  gisAssignLayerToGrid  %8.4f s   %s\n' "$our_median" "$("$bench" compare "$work")"
printf '  gdal_rasterize        %8.4f s\n' "$gdal_median"
echo "  two N1 x N2 work arrays allocated per object instead of once per layer would add:"
printf '    as the allocator gives them  +%8.4f s\n    zeroed                       +%8.4f s\n' "$alloc_raw" "$alloc_zeroed"
echo "ratio $(awk -v a="$our_median" -v b="$gdal_median" 'BEGIN { printf "%.3f", a / b }')"
