// bench/sampling_bench.cpp: the halves of bench/sampling_bench.sh.
//   zx_sampling_bench make FOLDER        writes 1,000 star-shaped polygons of 1,000 vertices each,
//                                        with their value, as polygons.csv (WKT) for ogr2ogr
//   zx_sampling_bench sample FOLDER      samples polygons.shp onto a 4,000 x 4,000 grid of unit cells
//                                        (gisAssignLayerToGrid, centre values) and writes the grid,
//                                        4-byte reals, to ours.bin
//   zx_sampling_bench compare FOLDER     counts the cells where ours.bin and GDAL's gdal.bin differ
//   zx_sampling_bench workarrays         times what allocating the two 4,000 x 4,000 work arrays
//                                        for each of 1,000 objects would cost: left as the
//                                        allocator gives them, and zeroed
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "common/units.hpp"
#include "gis/grid_sampling.hpp"
#include "gis/layer_table.hpp"

namespace {

namespace fs = std::filesystem;

constexpr int kCells = 4000;
constexpr int kPolygons = 1000;
constexpr int kVertices = 1000;
constexpr auto kGridSize = static_cast<std::size_t>(kCells) * kCells;

int make(const fs::path& folder) {
    std::mt19937 rng(4000);
    std::uniform_real_distribution<double> centre(150.0, kCells - 150.0), radius(30.0, 140.0), wobble(0.8, 1.0);
    std::ofstream csv(folder / "polygons.csv");
    csv << "WKT,val\n";
    char number[64];
    for (int p = 0; p < kPolygons; ++p) {
        const double cx = centre(rng), cy = centre(rng), r = radius(rng);
        csv << "\"POLYGON((";
        std::string first;
        for (int k = 0; k < kVertices; ++k) {
            const double angle = 2 * std::acos(-1.0) * k / kVertices;
            const double rk = r * wobble(rng);
            std::snprintf(number, sizeof number, "%.6f %.6f", cx + rk * std::cos(angle), cy + rk * std::sin(angle));
            if (k == 0) first = number;
            csv << number << ',';
        }
        csv << first << "))\"," << (p % 250) + 1 << '\n';
    }
    return csv ? 0 : 1;
}

int sample(const fs::path& folder) {
    zx::INITUNITS(1000);
    int gisID = zx::gisOpenLayer((folder / "polygons.shp").string(), "", "I ", false);
    if (gisID == 0) return 1;
    zx::gisReadHeader(gisID);
    std::vector<float> centres(kGridSize);
    zx::SamplingGrid grid;
    grid.rows = grid.columns = grid.n1 = grid.n2 = kCells;
    zx::GridArrays arrays;
    arrays.centreReal = centres.data();
    while (!zx::layers().slot(gisID).endOfFile) {
        std::int32_t count = 0;
        zx::gisAssignLayerToGrid(gisID, grid, {}, arrays, count);
    }
    zx::gisCloseLayer(gisID);
    std::ofstream out(folder / "ours.bin", std::ios::binary);
    out.write(reinterpret_cast<const char*>(centres.data()), static_cast<std::streamsize>(kGridSize * sizeof(float)));
    return out ? 0 : 1;
}

std::vector<float> readGrid(const fs::path& path) {
    std::vector<float> values(kGridSize);
    std::ifstream in(path, std::ios::binary);
    in.read(reinterpret_cast<char*>(values.data()), static_cast<std::streamsize>(kGridSize * sizeof(float)));
    if (!in) values.clear();
    return values;
}

// Ours holds element (j, i) at (i - 1) N1 + j - 1; GDAL's raster starts with its top line.
int compare(const fs::path& folder) {
    const auto ours = readGrid(folder / "ours.bin"), gdal = readGrid(folder / "gdal.bin");
    if (ours.empty() || gdal.empty()) return 1;
    long differ = 0, set = 0;
    for (std::size_t i = 0; i < kCells; ++i) {
        for (std::size_t j = 0; j < kCells; ++j) {
            const float a = ours[i * kCells + j], b = gdal[(kCells - 1 - j) * kCells + i];
            differ += a != b;
            set += a != 0;
        }
    }
    std::printf("%ld cells set, %ld differ from GDAL's\n", set, differ);
    return 0;
}

// One page of each array is touched, as a small region's box would be.
template <bool zeroed>
double allocatePerObject(long& sum) {
    const auto start = std::chrono::steady_clock::now();
    for (int p = 0; p < kPolygons; ++p) {
        auto marks = zeroed ? std::make_unique<std::uint8_t[]>(kGridSize)
                            : std::make_unique_for_overwrite<std::uint8_t[]>(kGridSize);
        auto counters = zeroed ? std::make_unique<std::int8_t[]>(kGridSize)
                               : std::make_unique_for_overwrite<std::int8_t[]>(kGridSize);
        marks[static_cast<std::size_t>(p) * 4096] = 1;
        counters[static_cast<std::size_t>(p) * 4096] = 1;
        sum += marks[static_cast<std::size_t>(p) * 4096] + counters[static_cast<std::size_t>(p) * 4096];
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int workArrays() {
    long sum = 0;
    const double uninitialised = allocatePerObject<false>(sum);
    const double zeroed = allocatePerObject<true>(sum);
    std::printf("%.4f %.4f %ld\n", uninitialised, zeroed, sum);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view what = argc >= 2 ? argv[1] : "";
    if (what == "make" && argc == 3) return make(argv[2]);
    if (what == "sample" && argc == 3) return sample(argv[2]);
    if (what == "compare" && argc == 3) return compare(argv[2]);
    if (what == "workarrays") return workArrays();
    std::fprintf(stderr, "usage: zx_sampling_bench make|sample|compare FOLDER | workarrays\n");
    return 2;
}
