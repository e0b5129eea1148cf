#!/usr/bin/env bash
# bench/grid_bench.sh: marking the grid points inside a region of 10,000 vertices with two holes
# on a 2,000 x 2,000 grid (GRID_INSIDE_POLYGON) against gdal_rasterize burning the same polygon
# onto the same grid. Both are timed as whole commands that read the region and write the raster
# (1 byte per point), alternately, RUNS times each (default 5); the last line is
# "ratio R", our median over GDAL's (target below 1).
#   bench/grid_bench.sh BUILD_DIR      (configured with ZX_BENCH=ON and built as needed)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: bench/grid_bench.sh BUILD_DIR}
runs=${RUNS:-5}
command -v gdal_rasterize >/dev/null || { echo "gdal_rasterize is missing (Debian package: gdal-bin)" >&2; exit 2; }

source "$root/bench/common.sh"
build_bench zx_grid_bench
bench="$build/bench/zx_grid_bench"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$bench" make "$work"

ours=() gdal=()
for ((i = 0; i < runs; i++)); do
    ours+=("$(seconds "$bench" mark "$work")")
    gdal+=("$(seconds gdal_rasterize -q -burn 1 -init 0 -ot Byte -of ENVI -te 0.5 0.5 2000.5 2000.5 -ts 2000 2000 \
        "$work/region.geojson" "$work/gdal.bin")")
done

marked=$("$bench" mark "$work")
burnt=$(tr -d '\000' <"$work/gdal.bin" | wc -c)
our_median=$(printf '%s\n' "${ours[@]}" | median)
gdal_median=$(printf '%s\n' "${gdal[@]}" | median)
echo "Region: 10,000 vertices (outer ring and two holes); grid 2,000 x 2,000; median of $runs runs"
printf '  GRID_INSIDE_POLYGON   %8.4f s   %d points marked\n' "$our_median" "$marked"
printf '  gdal_rasterize        %8.4f s   %d pixels burnt\n' "$gdal_median" "$burnt"
echo "ratio $(awk -v a="$our_median" -v b="$gdal_median" 'BEGIN { printf "%.3f", a / b }')"
