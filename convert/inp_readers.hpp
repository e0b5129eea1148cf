// convert/inp_readers.hpp: the section readers that fill the network tables from the .inp file,
// and the step that copies the flap gates of [LOSSES] onto the conduits.
//
// Each reader reads the blocks of its section from the unit's current position (the caller
// rewinds the file first) to the end of the file, writes "Reading [...] data..." before and the count it found after, and
// ends the run with its ERROR lines at the first line it cannot read or the first record beyond
// its capacity. A file without the section's header gives an empty table. [COORDINATES],
// [XSECTIONS] and [LOSSES] keep the last line given for an object, as SWMM does, and warn once
// naming the objects given more than once.
#pragma once
#include "convert/network.hpp"

namespace zx::convert {

void inpReadCoordinates(int unit, CoordinateTable& table, int capacity);
void inpReadJunctions(int unit, JunctionTable& table, int capacity);
// The links' offsets are read as LINK_OFFSETS has them (InpLineValues::offset).
void inpReadConduits(int unit, ConduitTable& table, int capacity, LinkOffsets offsets = LinkOffsets::Depth);
void inpReadWeirs(int unit, WeirTable& table, int capacity, LinkOffsets offsets = LinkOffsets::Depth);
void inpReadOrifices(int unit, OrificeTable& table, int capacity, LinkOffsets offsets = LinkOffsets::Depth);
// Also counts the ARCH and RECT_TRIANGULAR cross-sections.
void inpReadXsections(int unit, XsectionTable& table, int capacity);
// Transects of at most kPointsPerTransect points each.
void inpReadTransects(int unit, XsTableSet& tables, int capacity);
// All lines of one link make one entry; capacity counts entries.
void inpReadVertices(int unit, VertexTable& table, int capacity, int verticesPerLink);
void inpReadLosses(int unit, LossTable& table, int capacity);

// LINK_OFFSETS of [OPTIONS] as SWMM reads it (an option word and a value that start with
// LINK_OFFSETS and ELEVATION, case ignored; the last line with a value holds; DEPTH unless it says
// ELEVATION), read without a word on the console.
LinkOffsets inpReadLinkOffsets(int unit);
// The elevations of the nodes of [OUTFALLS], [DIVIDERS] or [STORAGE] (by the section's flag), read
// without a word on the console: the conduit inverts are all they serve.
void inpReadNodeElevations(int unit, std::size_t nodeSection, NodeElevationTable& table);

// Every conduit's FlapGate becomes that of the [LOSSES] record of its name (under ASAME), or "NA"
// when it has none.
void inpApplyLosses(ConduitTable& conduits, const LossTable& losses);

}  // namespace zx::convert
