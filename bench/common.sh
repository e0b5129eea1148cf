# bench/common.sh: what the benchmark scripts share, sourced after they set root and build.
#   build_bench TARGET   configures BUILD_DIR with ZX_BENCH=ON (Release) and builds the program
#   median               the median of the numbers on standard input
#   seconds CMD...       the wall time of one run of the command, its output discarded

build_bench() {
    cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZX_BENCH=ON >/dev/null
    ninja -C "$build" "$1" >/dev/null
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

seconds() {
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null </dev/null
    end=$(date +%s%N)
    awk -v ns=$((end - start)) 'BEGIN { printf "%.4f\n", ns / 1e9 }'
}
