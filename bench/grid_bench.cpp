// bench/grid_bench.cpp: the two halves of bench/grid_bench.sh.
//   zx_grid_bench make FOLDER   writes the region (10,000 vertices: an outer ring and two holes)
//                               as region.txt for us and region.geojson for gdal_rasterize
//   zx_grid_bench mark FOLDER   reads region.txt, marks its points on a 2,000 x 2,000 grid and
//                               writes the marks (1 byte each) to marks.bin
// Both sides of the comparison read the region and write a raster of the same size, so the
// script can time them as whole commands.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/grid_cells.hpp"

namespace {

constexpr int kCells = 2000;
constexpr int kOuterVertices = 9000;
constexpr int kHoleVertices = 500;

struct Region { std::vector<float> x, y; std::vector<int> ends; };

// Star-shaped rings with a wobbling radius, so that rows cross many edges at varied columns.
Region makeRegion() {
    Region region;
    std::mt19937 rng(2000);
    std::uniform_real_distribution<float> wobble(0.9F, 1.0F);
    const auto ring = [&](float cx, float cy, float radius, int vertices) {
        for (int k = 0; k <= vertices; ++k) {
            const double angle = 2 * std::acos(-1.0) * (k % vertices) / vertices;
            const float r = radius * wobble(rng);
            region.x.push_back(cx + r * static_cast<float>(std::cos(angle)));
            region.y.push_back(cy + r * static_cast<float>(std::sin(angle)));
        }
        const std::size_t first = region.x.size() - static_cast<std::size_t>(vertices) - 1;
        region.x.back() = region.x[first];  // closed exactly
        region.y.back() = region.y[first];
        region.ends.push_back(static_cast<int>(region.x.size()));
        region.x.push_back(region.x.back());  // separator
        region.y.push_back(region.y.back());
    };
    ring(1000.3F, 1000.7F, 960, kOuterVertices);
    ring(700.1F, 900.2F, 200, kHoleVertices);
    ring(1300.4F, 1100.6F, 250, kHoleVertices);
    return region;
}

int make(const std::filesystem::path& folder) {
    const Region region = makeRegion();
    std::ofstream text(folder / "region.txt");
    text << region.ends.size();
    for (const int end : region.ends) text << ' ' << end;
    text << '\n' << region.x.size() << '\n';
    char line[64];
    for (std::size_t k = 0; k < region.x.size(); ++k) {
        std::snprintf(line, sizeof line, "%.9g %.9g\n", region.x[k], region.y[k]);
        text << line;
    }
    std::ofstream json(folder / "region.geojson");
    json << R"({"type":"FeatureCollection","features":[{"type":"Feature","properties":{},)"
         << R"("geometry":{"type":"Polygon","coordinates":[)";
    int first = 0;
    for (std::size_t r = 0; r < region.ends.size(); ++r) {
        json << (r > 0 ? "," : "") << '[';
        for (int k = first; k < region.ends[r]; ++k) {
            const auto v = static_cast<std::size_t>(k);
            std::snprintf(line, sizeof line, "%s[%.9g,%.9g]", k > first ? "," : "", region.x[v], region.y[v]);
            json << line;
        }
        json << ']';
        first = region.ends[r] + 1;
    }
    json << "]}}]}\n";
    return text && json ? 0 : 1;
}

int mark(const std::filesystem::path& folder) {
    std::ifstream text(folder / "region.txt");
    std::size_t rings = 0, vertices = 0;
    text >> rings;
    std::vector<int> ends(rings);
    for (int& end : ends) text >> end;
    text >> vertices;
    std::vector<float> x(vertices), y(vertices);
    for (std::size_t k = 0; k < vertices; ++k) text >> x[k] >> y[k];
    if (!text) return 1;
    std::vector<std::uint8_t> marks(static_cast<std::size_t>(kCells) * kCells);
    std::vector<std::int8_t> counters(marks.size());
    int firstRow, firstColumn, lastRow, lastColumn, count = 0;
    zx::GRID_INSIDE_POLYGON(marks.data(), counters.data(), nullptr, nullptr, kCells, kCells, 1.0F, 1.0F, 0, 0, true,
                            false, false, false, 0, false, firstRow, firstColumn, lastRow, lastColumn, count, x.data(),
                            y.data(), nullptr, static_cast<int>(vertices), ends.data(), static_cast<int>(rings));
    std::ofstream out(folder / "marks.bin", std::ios::binary);
    out.write(reinterpret_cast<const char*>(marks.data()), static_cast<std::streamsize>(marks.size()));
    std::printf("%d\n", count);
    return out ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string_view what = argc == 3 ? argv[1] : "";
    if (what == "make") return make(argv[2]);
    if (what == "mark") return mark(argv[2]);
    std::fprintf(stderr, "usage: zx_grid_bench make|mark FOLDER\n");
    return 2;
}
