// geometry/region_rings.hpp: how the routines of this folder walk a region and map coordinates to
// grid indexes. Internal to geometry/; the region layout is the one every caller fills: the rings
// follow one another in one vertex list, ring r ends at IEND(r) (1-based) and the next starts two
// entries later, past one separator entry that belongs to no edge.
#pragma once
#include <cmath>

namespace zx::geometry {

// The largest index magnitude gridIndex gives: far outside any grid, yet the sum or difference of
// two such indexes still fits an int.
inline constexpr int kIndexLimit = 1 << 29;

// The 1-based grid index of a coordinate already divided by its cell size: floor + 1, so that a
// coordinate left of or below the grid gets an index below 1. NaN and quotients beyond the limit
// saturate, so no conversion of a float to an int can go out of range.
inline int gridIndex(double quotient) {
    if (!(quotient > -kIndexLimit)) return -kIndexLimit;  // NaN lands here too
    if (quotient >= kIndexLimit) return kIndexLimit;
    return static_cast<int>(std::floor(quotient)) + 1;
}

// Calls ring(first, last) with the 0-based first and last vertex of each ring of the region, in
// order. A ring end that is missing or out of order ends the ring at the region's last vertex.
// Returns false when vertices remain after the last declared ring: the caller's fatal stop.
// A region of fewer than 3 entries or without rings has no edges and calls nothing.
template <class RingFn>
bool forEachRing(const int* iend, int vertexCount, int ringCount, RingFn&& ring) {
    if (vertexCount < 3 || ringCount < 1) return true;
    const int lastVertex = vertexCount - 2;  // IEND(NRING); the entry after it is the last separator
    int first = 0;
    for (int r = 0;; ++r) {
        if (r >= ringCount) return false;
        const int end = iend[r];  // 1-based
        const int last = end > first + 1 && end <= lastVertex + 1 ? end - 1 : lastVertex;
        ring(first, last);
        if (last >= lastVertex) return true;
        first = last + 2;
    }
}

// Calls edge(a, b) for every edge of the ring from vertex first to vertex last; a ring that does
// not repeat its first vertex at its end is closed by an implicit last edge, so that every ring
// bounds an area whatever the caller's habit.
template <class Real, class EdgeFn>
void forEachEdge(const Real* x, const Real* y, int first, int last, EdgeFn&& edge) {
    for (int v = first; v < last; ++v) edge(v, v + 1);
    if (last > first && (x[last] != x[first] || y[last] != y[first])) edge(last, first);
}

}  // namespace zx::geometry
