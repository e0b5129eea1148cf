// tests/probe/grid_mode.cpp: the grid mode of zx_layer_probe: samples every object of a layer onto
// one grid with gisAssignLayerToGrid and writes the six arrays and the count of each call as JSON,
// each array row by row (arr[j - 1][i - 1] is element (j, i)).
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "common/units.hpp"
#include "gis/grid_sampling.hpp"
#include "gis/layer_table.hpp"
#include "probe/probe.hpp"

namespace zx::probe {
namespace {

struct GridOptions {
    std::string layer;
    std::string outName;
    SamplingGrid grid;
    SamplingSwitches switches;
    bool hasExtent = false;
};

bool parseNumber(const char* text, double& value) {
    char* end = nullptr;
    value = std::strtod(text, &end);
    return end != text && *end == '\0';
}

bool parseInteger(const char* text, std::int32_t& value) {
    double number = 0.0;
    if (!parseNumber(text, number) || number != static_cast<double>(static_cast<std::int32_t>(number))) return false;
    value = static_cast<std::int32_t>(number);
    return true;
}

// argv: zx_layer_probe grid LAYER OUT.json options...; false on anything it cannot read.
bool parseOptions(int argc, char** argv, GridOptions& o) {
    if (argc < 4) return false;
    o.layer = argv[2];
    o.outName = argv[3];
    bool origin = false, angle = false, cell = false, size = false;
    for (int k = 4; k < argc; ++k) {
        const std::string_view flag = argv[k];
        const int left = argc - k - 1;
        double a = 0.0, b = 0.0;
        if (flag == "--origin" && left >= 2 && parseNumber(argv[k + 1], o.grid.x0) &&
            parseNumber(argv[k + 2], o.grid.y0)) {
            origin = true;
            k += 2;
        } else if (flag == "--angle" && left >= 1 && parseNumber(argv[k + 1], a)) {
            o.grid.angle = static_cast<float>(a);
            angle = true;
            k += 1;
        } else if (flag == "--cell" && left >= 2 && parseNumber(argv[k + 1], a) && parseNumber(argv[k + 2], b)) {
            o.grid.dx = static_cast<float>(a);
            o.grid.dy = static_cast<float>(b);
            cell = true;
            k += 2;
        } else if (flag == "--size" && left >= 2 && parseInteger(argv[k + 1], o.grid.rows) &&
                   parseInteger(argv[k + 2], o.grid.columns)) {
            size = true;
            k += 2;
        } else if (flag == "--offset" && left >= 2 && parseInteger(argv[k + 1], o.grid.rowOffset) &&
                   parseInteger(argv[k + 2], o.grid.columnOffset)) {
            k += 2;
        } else if (flag == "--extent" && left >= 2 && parseInteger(argv[k + 1], o.grid.n1) &&
                   parseInteger(argv[k + 2], o.grid.n2)) {
            o.hasExtent = true;
            k += 2;
        } else if (flag == "--integer") {
            o.switches.integerValues = true;
        } else if (flag == "--count-only") {
            o.switches.countOnly = true;
        } else if (flag == "--faces") {
            o.switches.faces = true;
        } else if (flag == "--all-pairs") {
            o.switches.allPairs = true;
        } else if (flag == "--halve") {
            o.switches.halve = true;
        } else if (flag == "--add") {
            o.switches.add = true;
        } else {
            return false;
        }
    }
    if (!o.hasExtent) {
        o.grid.n1 = o.grid.rows;
        o.grid.n2 = o.grid.columns;
    }
    return origin && angle && cell && size && o.grid.n1 >= 0 && o.grid.n2 >= 0;
}

template <class T>
void writeArray(std::FILE* out, std::string_view name, const std::vector<T>& values, const SamplingGrid& grid) {
    std::fprintf(out, "\"%.*s\": [", static_cast<int>(name.size()), name.data());
    for (int j = 1; j <= grid.n1; ++j) {
        std::fputs(j > 1 ? ", [" : "[", out);
        for (int i = 1; i <= grid.n2; ++i) {
            const T v = values[static_cast<std::size_t>(i - 1) * static_cast<std::size_t>(grid.n1) +
                               static_cast<std::size_t>(j - 1)];
            if (i > 1) std::fputs(", ", out);
            if constexpr (std::is_same_v<T, float>) {
                std::fputs(jsonReal(v).c_str(), out);
            } else {
                std::fprintf(out, "%d", static_cast<int>(v));
            }
        }
        std::fputs("]", out);
    }
    std::fputs("]", out);
}

}  // namespace

int sampleLayer(const std::string& layer, const SamplingGrid& grid, const SamplingSwitches& switches, std::FILE* out,
                ReadEnd* end) {
    const auto size = static_cast<std::size_t>(grid.n1) * static_cast<std::size_t>(grid.n2);
    std::vector<std::int32_t> centreInteger(size), columnFaceInteger(size), rowFaceInteger(size);
    std::vector<float> centreReal(size), columnFaceReal(size), rowFaceReal(size);
    const GridArrays arrays{centreInteger.data(), centreReal.data(), columnFaceInteger.data(),
                            columnFaceReal.data(),  rowFaceInteger.data(), rowFaceReal.data()};

    INITUNITS(1000);
    int gisID = gisOpenLayer(layer, "", "I ", false);
    if (gisID == 0) {
        std::printf("No layer %s\n", layer.c_str());
        return 1;
    }
    gisReadHeader(gisID);
    std::vector<std::int32_t> counts;
    while (!layers().slot(gisID).endOfFile) {
        std::int32_t count = 0;
        gisAssignLayerToGrid(gisID, grid, switches, arrays, count);
        counts.push_back(count);
    }
    // The drivers read the objects themselves: the layer's own count of them.
    if (end != nullptr) {
        const LayerSlot& slot = layers().slot(gisID);
        *end = endOf(gisID, slot.format == LayerFormat::Mif ? slot.mif.objectsDone : slot.shp[0].recordCount);
    }
    gisCloseLayer(gisID);

    std::fputs("{", out);
    writeArray(out, "centre_int", centreInteger, grid);
    std::fputs(", ", out);
    writeArray(out, "centre_real", centreReal, grid);
    std::fputs(", ", out);
    writeArray(out, "colface_int", columnFaceInteger, grid);
    std::fputs(", ", out);
    writeArray(out, "colface_real", columnFaceReal, grid);
    std::fputs(", ", out);
    writeArray(out, "rowface_int", rowFaceInteger, grid);
    std::fputs(", ", out);
    writeArray(out, "rowface_real", rowFaceReal, grid);
    std::fputs(", \"counts\": [", out);
    for (std::size_t k = 0; k < counts.size(); ++k) std::fprintf(out, k > 0 ? ", %d" : "%d", counts[k]);
    std::fputs("]}\n", out);
    return 0;
}

int runGridMode(int argc, char** argv) {
    GridOptions o;
    if (!parseOptions(argc, argv, o)) {
        std::fputs("usage: zx_layer_probe grid LAYER OUT.json --origin X0 Y0 --angle A --cell DX DY --size ROWS COLS\n"
                   "              [--offset M1 M2] [--extent N1 N2] [--integer] [--count-only] [--faces] [--all-pairs]\n"
                   "              [--halve] [--add]\n",
                   stderr);
        return 2;
    }
    std::FILE* out = std::fopen(o.outName.c_str(), "w");
    if (out == nullptr) {
        std::printf("Cannot write %s\n", o.outName.c_str());
        return 2;
    }
    const int status = sampleLayer(o.layer, o.grid, o.switches, out);
    return std::fclose(out) == 0 ? status : 2;
}

}  // namespace zx::probe
