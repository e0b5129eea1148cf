// convert/orifice_matrices.hpp: the flow and area matrices of BOTTOM orifices, in the folder
// matrix_flow: for every pair of water levels on the orifice's two sides (rows upstream, columns
// downstream, in the units of the .inp file) the discharge, weir flow below the transition depth
// and orifice flow above it, and the flow area. The constants are those of feet and seconds.
#pragma once
#include <array>
#include <cstddef>
#include <span>

#include "convert/network.hpp"
#include "convert/stage_support.hpp"

namespace zx::convert {

// What the flow of one orifice depends on; all single precision.
struct OrificeHydraulics {
    float area;
    float perimeter;
    float weirCoefficient;  // 3.33 x perimeter
    float transitionDepth;  // where weir flow gives way to orifice flow
    float crestLevel;       // the orifice's invert above the downstream junction's
    float cd;
    bool gated;  // a gated orifice lets no flow back
};
OrificeHydraulics orificeHydraulics(const inpXsection& xsection, const inpOrifice& orifice, float invert,
                                    float downstreamElevation);

// The water levels of both matrices: 0, 0.1 .. 0.9, 1 .. 9 as single-precision sums, with the
// transition depth and the crest level inserted in order where they lie strictly between two of
// them (each value once).
class LevelGrid {
public:
    static constexpr std::size_t kMaxLevels = 21;
    std::span<const float> levels() const { return {levels_.data(), count_}; }

private:
    friend LevelGrid mtxLevelGrid(float transitionDepth, float crestLevel);
    std::array<float, kMaxLevels> levels_{};
    std::size_t count_ = 0;
};
LevelGrid mtxLevelGrid(float transitionDepth, float crestLevel);

// The flow from the row level to the column level: positive when the column level is higher.
float mtxFlow(const OrificeHydraulics& orifice, float rowLevel, float columnLevel);

// The header and rows of the flow matrix of the orifice; the grid they were written over. A node
// of the orifice that is no junction ends the run.
LevelGrid mtxOrificeFlowTable(const Network& network, const inpOrifice& orifice, const inpXsection& xsection,
                              TableFile& file);
// The header and rows of the area matrix over the same grid.
void mtxOrificeAreaTable(const inpXsection& xsection, const LevelGrid& grid, TableFile& file);

}  // namespace zx::convert
