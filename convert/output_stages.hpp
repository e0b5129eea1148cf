// convert/output_stages.hpp: the output stages of a conversion, in the order the main program
// runs them, and the run state they share with it. Each stage opens its layer or files, writes
// them whole and closes them before it returns; a fatal condition ends the run inside it.
#pragma once
#include "convert/network.hpp"
#include "convert/run_settings.hpp"

namespace zx::convert {

// The closing CHECK notes that apply; a flag only goes from false to true.
struct CheckFlags {
    bool crossSections = false;  // the transect or the height-width stage ran
    bool weirTypes = false;      // a ROADWAY or SIDEFLOW weir was written
    bool orifices = false;       // the orifice loop started an orifice
};

// The link layer "1d_nwk_" + file name: conduits (after the special-shape conversion and, with
// [LOSSES], inpApplyLosses), weirs and orifices. Fills the cross-section index lists. Runs when
// the network has links.
void writeLinkLayer(Network& network, const RunSettings& run, CheckFlags& checks);

// The junction layer "1d_nwk_" + file name + "_junctions". Runs when [JUNCTIONS] is present.
void writeJunctionLayer(const Network& network, const RunSettings& run);

// The transect tables in the folder xs and the cross-section layer "xs\1d_xs_" + file name +
// "_transects". Runs when the transect flag is set (by [TRANSECTS] or by the special shapes).
void writeTransectTables(Network& network, const RunSettings& run);

// The ARCH and RECT_TRIANGULAR tables and the height-width layer "xs\1d_hw_" + file name. Runs
// when the network has such cross-sections.
void writeHeightWidthLayer(Network& network, const RunSettings& run);

// The flow and area matrices of the BOTTOM orifices in the folder matrix_flow. Runs when
// [ORIFICES] is present.
void writeBottomOrificeMatrices(const Network& network);

}  // namespace zx::convert
