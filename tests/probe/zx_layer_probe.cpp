// tests/probe/zx_layer_probe.cpp: drives the layer readers as a library caller would and writes
// what they return as JSON lines, so that tests and fuzzers compare it with other readers.
//   zx_layer_probe read LAYER OUT.jsonl
//   zx_layer_probe grid LAYER OUT.json ...   (probe/grid_mode.cpp)
// The console transcript goes to standard output; the exit status is 0 when the layer was read
// to its end, non-zero after a fatal stop.
#include <cstdio>
#include <string_view>

#include "probe/probe.hpp"

namespace zx::probe {

namespace {

int usage() {
    std::fputs("usage: zx_layer_probe read LAYER OUT.jsonl\n"
               "       zx_layer_probe grid LAYER OUT.json --origin X0 Y0 --angle A --cell DX DY --size ROWS COLS\n"
               "              [--offset M1 M2] [--extent N1 N2] [--integer] [--count-only] [--faces] [--all-pairs]\n"
               "              [--halve] [--add]\n",
               stderr);
    return 2;
}

}  // namespace
}  // namespace zx::probe

int main(int argc, char** argv) {
    if (argc < 2) return zx::probe::usage();
    const std::string_view mode = argv[1];
    if (mode == "read" && argc == 4) {
        std::FILE* out = std::fopen(argv[3], "w");
        if (out == nullptr) {
            std::printf("Cannot write %s\n", argv[3]);
            return 2;
        }
        const int status = zx::probe::readLayer(argv[2], out);
        std::fclose(out);
        return status;
    }
    if (mode == "grid") return zx::probe::runGridMode(argc, argv);
    return zx::probe::usage();
}
