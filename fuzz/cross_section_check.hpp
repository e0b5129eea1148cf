// fuzz/cross_section_check.hpp: the converter fuzz target's check of the cross-section and
// height-width layers against the model, read here on its own as SWMM reads it: every block of a
// section, the last line given for a node's coordinates or a link's cross-section, names (transect
// IDs among them) compared without case. Every IRREGULAR conduit or weir whose transect exists and
// whose two nodes have distinct coordinates has one line per transect of that ID (one, in a model
// SWMM accepts) across the middle of its chord, and no other link has a line of a transect; every
// [CONDUITS] line of an ARCH or RECT_TRIANGULAR conduit has one height-width line across the chord
// of the conduit of its name, and there are no others.
#pragma once
#include <string>
#include <string_view>

namespace zx::fuzz {

// What is wrong with the transect lines of the run's cross-section layer or the lines of its
// height-width layer, or an empty text. The
// model is the .inp file of the run, the console its transcript (which names the layer); both
// are read from the working folder.
std::string crossSectionProblem(std::string_view modelFile, std::string_view console);

}  // namespace zx::fuzz
