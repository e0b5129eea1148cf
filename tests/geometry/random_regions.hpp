// tests/geometry/random_regions.hpp: random regions for the reference tests: star-shaped outer
// rings side by side, each with two star-shaped holes, laid out as the routines take them.
#pragma once
#include <cmath>
#include <random>
#include <utility>
#include <vector>

namespace zx::test {

struct Region {
    std::vector<float> x, y;  // rings one after another, each closed and followed by a separator
    std::vector<int> ends;    // 1-based index of each ring's closing vertex
    std::vector<std::vector<std::pair<float, float>>> rings;  // closed; an outer ring, then its holes
    int n() const { return static_cast<int>(x.size()); }
    int ringCount() const { return static_cast<int>(ends.size()); }
};

inline Region randomRegion(std::mt19937& rng, int outerRings, float size, float squash = 1.0F) {
    Region region;
    const auto ring = [&](float cx, float cy, float rmin, float rmax, int vertices) {
        std::uniform_real_distribution<float> radius(rmin, rmax);
        auto& points = region.rings.emplace_back();
        for (int k = 0; k < vertices; ++k) {
            const double angle = 2 * std::acos(-1.0) * k / vertices;
            const float r = radius(rng);
            points.emplace_back(cx + r * static_cast<float>(std::cos(angle)),
                                cy + squash * r * static_cast<float>(std::sin(angle)));
        }
        points.push_back(points.front());
    };
    for (int k = 0; k < outerRings; ++k) {
        const float cx = size * (static_cast<float>(k) + 0.5F), cy = size * 0.5F + static_cast<float>(k);
        const float r = size * 0.45F;
        ring(cx, cy, r * 0.8F, r, 23 + 11 * k);
        for (const float side : {-1.0F, 1.0F}) ring(cx + side * 0.38F * r, cy, 0.1F * r, 0.3F * r, 11);
    }
    for (const auto& points : region.rings) {
        for (const auto& [px, py] : points) region.x.push_back(px), region.y.push_back(py);
        region.ends.push_back(region.n());
        region.x.push_back(points.front().first), region.y.push_back(points.front().second);
    }
    return region;
}

}  // namespace zx::test
