#!/usr/bin/env bash
# bench/reader_bench.sh: reading every object and attribute record of a layer of 100,000
# polylines (5 vertices, 10 attributes) through the library's readers against ogr2ogr converting
# the same layer to CSV, to a shapefile and to MIF. The layer is made once by ogr2ogr, as a
# shapefile and as MIF/MID; each side is timed as a whole command, alternately, RUNS times
# (default 5). The last line is "ratio R": our median reading the shapefile over the median of
# GDAL's fastest conversion of it (target below 1).
#   bench/reader_bench.sh BUILD_DIR      (configured with ZX_BENCH=ON and built as needed)
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=${1:?usage: bench/reader_bench.sh BUILD_DIR}
runs=${RUNS:-5}
command -v ogr2ogr >/dev/null || { echo "ogr2ogr is missing (Debian package: gdal-bin)" >&2; exit 2; }

source "$root/bench/common.sh"
build_bench zx_reader_bench
bench="$build/bench/zx_reader_bench"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk 'BEGIN {
    srand(100000)
    print "WKT,name,kind,material,us_node,ds_node,length,diameter,slope,invert,rough"
    for (i = 1; i <= 100000; i++) {
        x = (i % 400) * 25.0; y = int(i / 400) * 25.0
        wkt = sprintf("\"LINESTRING (%.3f %.3f,%.3f %.3f,%.3f %.3f,%.3f %.3f,%.3f %.3f)\"",
                      x, y, x + 5 + rand(), y + rand(), x + 10, y + 2 * rand(), x + 15 + rand(), y + 1, x + 20, y)
        printf "%s,pipe_%d,%s,%s,N%d,N%d,%.3f,%.3f,%.5f,%.3f,%.4f\n", wkt, i, (i % 3 ? "C" : "R"),
               (i % 2 ? "concrete" : "PVC"), i, i + 1, 20 + rand(), 0.3 + rand(), rand() / 100, 10 * rand(), 0.013
    }
}' >"$work/pipes.csv"
ogr2ogr -q -f "ESRI Shapefile" "$work/pipes.shp" "$work/pipes.csv" -oo GEOM_POSSIBLE_NAMES=WKT \
    -oo KEEP_GEOM_COLUMNS=NO -oo AUTODETECT_TYPE=YES -nlt LineString
ogr2ogr -q -f "MapInfo File" "$work/pipes.mif" "$work/pipes.shp"

convert() {  # convert FORMAT EXTENSION: ogr2ogr from the shapefile, its earlier output removed
    rm -rf "$work/out.$2"*
    ogr2ogr -q -f "$1" "$work/out.$2" "$work/pipes.shp"
}

ours_shp=() ours_mif=() csv=() shp=() mif=()
for ((i = 0; i < runs; i++)); do
    ours_shp+=("$(seconds "$bench" "$work/pipes.shp")")
    csv+=("$(seconds convert CSV csv)")
    ours_mif+=("$(seconds "$bench" "$work/pipes.mif")")
    shp+=("$(seconds convert "ESRI Shapefile" shp)")
    mif+=("$(seconds convert "MapInfo File" mif)")
done

m() { printf '%s\n' "$@" | median; }
read_shp=$(m "${ours_shp[@]}") read_mif=$(m "${ours_mif[@]}")
to_csv=$(m "${csv[@]}") to_shp=$(m "${shp[@]}") to_mif=$(m "${mif[@]}")
fastest=$(printf '%s\n' "$to_csv" "$to_shp" "$to_mif" | sort -g | head -1)
echo "Layer: 100,000 polylines of 5 vertices, 10 attributes; median of $runs runs"
echo "  ours, reading the shapefile     $read_shp s   ($("$bench" "$work/pipes.shp" | tail -1))"
echo "  ours, reading the MIF/MID       $read_mif s   ($("$bench" "$work/pipes.mif" | tail -1))"
echo "  ogr2ogr shapefile -> CSV        $to_csv s"
echo "  ogr2ogr shapefile -> shapefile  $to_shp s"
echo "  ogr2ogr shapefile -> MIF        $to_mif s"
echo "  ratio MIF read / fastest GDAL   $(awk -v a="$read_mif" -v b="$fastest" 'BEGIN { printf "%.3f", a / b }')"
echo "ratio $(awk -v a="$read_shp" -v b="$fastest" 'BEGIN { printf "%.3f", a / b }')"
