// tests/geometry/gdal_reference_test.cpp: grid marking and cell walks against GDAL's rasteriser.
// Marked grid points are the pixel centres GDAL burns when pixel centres sit on the grid points;
// every walked cell is one GDAL burns when it burns all cells a line touches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "geometry/grid_cells.hpp"
#include "geometry/random_regions.hpp"
#include "support/test_support.hpp"

namespace zx {
namespace {

std::string number(double v) {
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", v);
    return text;
}

// Burns the GeoJSON geometries onto a columns x rows raster whose lower left corner is
// (x0, y0) and whose pixels are dx by dy; pixel (row j, column i) counted from the bottom, 1-based.
class Burn {
public:
    Burn(const std::string& geometries, int columns, int rows, double x0, double y0, double dx, double dy,
         bool allTouched)
        : columns_(columns), rows_(rows) {
        test::TempDir dir;
        test::writeText(dir.file("in.geojson"),
                        R"({"type":"FeatureCollection","features":[)" + geometries + "]}");
        std::vector<std::string> argv{"gdal_rasterize", "-q", "-burn", "1", "-init", "0", "-ot", "Byte",
                                      "-of", "ENVI", "-te", number(x0), number(y0), number(x0 + columns * dx),
                                      number(y0 + rows * dy), "-ts", std::to_string(columns), std::to_string(rows)};
        if (allTouched) argv.push_back("-at");
        argv.push_back("in.geojson");
        argv.push_back("out.bin");
        const auto result = test::runFromPath(argv, dir.path());
        EXPECT_EQ(result.status, 0) << result.err;
        pixels_ = test::readBytes(dir.path() / "out.bin");
        EXPECT_EQ(pixels_.size(), static_cast<std::size_t>(columns * rows));
    }
    bool burnt(int j, int i) const {  // the raster's first line is its top
        if (j < 1 || j > rows_ || i < 1 || i > columns_) return false;
        return pixels_[static_cast<std::size_t>((rows_ - j) * columns_ + i - 1)] != 0;
    }

private:
    int columns_, rows_;
    std::vector<unsigned char> pixels_;
};

std::string feature(const std::string& type, const std::string& coordinates) {
    return R"({"type":"Feature","properties":{},"geometry":{"type":")" + type + R"(","coordinates":)" + coordinates +
           "}}";
}

class GdalReference : public ::testing::Test {
protected:
    void SetUp() override { ZX_REQUIRE_PROGRAM("gdal_rasterize"); }
};

TEST_F(GdalReference, MarkedGridPointsAreThePixelCentresBurntInsideTheRegion) {
    std::mt19937 rng(2);
    constexpr int kRows = 40, kColumns = 60;
    constexpr double kDx = 1.0, kDy = 0.75;
    for (int trial = 0; trial < 4; ++trial) {
        // Three outer rings with two holes each, the first and last reaching off the grid.
        auto region = test::randomRegion(rng, 3, 22, 1.3F);
        for (float& x : region.x) x -= 4;
        std::string polygons, rings;
        for (std::size_t r = 0; r < region.rings.size(); ++r) {
            std::string ring;
            for (const auto& [x, y] : region.rings[r]) {
                ring += (ring.empty() ? "[" : ",[") + number(x - 4) + "," + number(y) + "]";
            }
            rings += (r % 3 == 0 ? "[" : ",[") + ring + "]";
            if (r % 3 != 2) continue;  // an outer ring and its two holes make one polygon
            polygons += (polygons.empty() ? "" : ",") + feature("Polygon", "[" + rings + "]");
            rings.clear();
        }
        const Burn burn(polygons, kColumns, kRows, kDx / 2, kDy / 2, kDx, kDy, false);
        const std::vector<double> x8(region.x.begin(), region.x.end()), y8(region.y.begin(), region.y.end());
        for (const bool twin : {false, true}) {
            std::vector<std::uint8_t> marks(kRows * kColumns, 0);
            std::vector<std::int8_t> counters(marks.size());
            int firstRow, firstColumn, lastRow, lastColumn, count = 0;
            if (twin) {
                GRID_INSIDE_POLYGON_8(marks.data(), counters.data(), nullptr, nullptr, kRows, kColumns, kDx, kDy, 0, 0,
                                      true, false, false, false, 0, false, firstRow, firstColumn, lastRow, lastColumn,
                                      count, x8.data(), y8.data(), nullptr, region.n(), region.ends.data(),
                                      region.ringCount());
            } else {
                GRID_INSIDE_POLYGON(marks.data(), counters.data(), nullptr, nullptr, kRows, kColumns, kDx, kDy, 0, 0,
                                    true, false, false, false, 0, false, firstRow, firstColumn, lastRow, lastColumn,
                                    count, region.x.data(), region.y.data(), nullptr, region.n(), region.ends.data(),
                                    region.ringCount());
            }
            int burnt = 0;
            for (int i = 1; i <= kColumns; ++i) {
                for (int j = 1; j <= kRows; ++j) {
                    ASSERT_EQ(marks[static_cast<std::size_t>((i - 1) * kRows + j - 1)] == 1, burn.burnt(j, i))
                        << "trial " << trial << " point (" << j << ", " << i << ")";
                    burnt += burn.burnt(j, i) ? 1 : 0;
                }
            }
            EXPECT_EQ(count, burnt);
            EXPECT_GT(count, 400);
        }
    }
}

TEST_F(GdalReference, WalkedCellsAreTouchedOnePerCentreLineCrossed) {
    // One random segment per tile of a strip of tiles, all burnt in one run.
    constexpr int kTiles = 40, kTile = 12;
    constexpr float kDx = 0.8F, kDy = 1.3F;
    std::mt19937 rng(5);
    std::uniform_real_distribution<float> within(1.0F, kTile - 1.0F);
    struct Piece { float x1, y1, x2, y2; };
    std::vector<Piece> pieces;
    std::string lines;
    for (int t = 0; t < kTiles; ++t) {
        const float x0 = static_cast<float>(t * kTile) * kDx;
        const Piece p{x0 + within(rng) * kDx, within(rng) * kDy, x0 + within(rng) * kDx, within(rng) * kDy};
        pieces.push_back(p);
        lines += (t > 0 ? "," : "") + feature("LineString", "[[" + number(p.x1) + "," + number(p.y1) + "],[" +
                                                                number(p.x2) + "," + number(p.y2) + "]]");
    }
    const Burn touched(lines, kTiles * kTile, kTile, 0, 0, kDx, kDy, true);
    for (const auto& p : pieces) {
        // The centre lines crossed after the first point, up to and including the second, along
        // the axis that crosses more cells.
        const bool alongRows = std::fabs(p.y2 - p.y1) / kDy > std::fabs(p.x2 - p.x1) / kDx;
        const double from = alongRows ? p.y1 / kDy : p.x1 / kDx, to = alongRows ? p.y2 / kDy : p.x2 / kDx;
        std::vector<int> crossed;
        for (int line = 1; line <= kTiles * kTile; ++line) {
            const double centre = line - 0.5;
            if ((from < centre && centre <= to) || (to <= centre && centre < from)) crossed.push_back(line);
        }
        for (const auto routine : {GRIDLINE_2, GRIDLINE_5}) {
            int j[64], i[64], n, firstRow, lastRow, firstColumn, lastColumn;
            routine(p.x1, p.y1, p.x2, p.y2, false, kDx, kDy, firstRow, lastRow, firstColumn, lastColumn, n, j, i, 64, 0,
                    0);
            std::vector<int> along;
            for (int k = 0; k < n; ++k) {
                EXPECT_TRUE(touched.burnt(j[k], i[k])) << "cell (" << j[k] << ", " << i[k] << ")";
                if (k > 0) {
                    EXPECT_FALSE(j[k] == j[k - 1] && i[k] == i[k - 1]);
                }
                along.push_back(alongRows ? j[k] : i[k]);
            }
            for (const int line : crossed) {
                EXPECT_NE(std::find(along.begin(), along.end(), line), along.end()) << line;
            }
            EXPECT_LE(n, static_cast<int>(crossed.size()) + 2);
        }
        int j[64], i[64], n, firstRow, lastRow, firstColumn, lastColumn;
        GRIDLINE(p.x1, p.y1, p.x2, p.y2, kDx, kDy, firstRow, lastRow, firstColumn, lastColumn, n, j, i, 64);
        for (int k = 0; k < n; ++k) EXPECT_TRUE(touched.burnt(j[k], i[k])) << "(" << j[k] << ", " << i[k] << ")";
    }
}

}  // namespace
}  // namespace zx
