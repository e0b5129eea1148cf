// tests/probe/probe.hpp: what the modes of zx_layer_probe share: JSON text for reals and strings,
// and the modes themselves.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz/output_checks.hpp"
#include "gis/grid_sampling.hpp"

namespace zx::probe {

// A real with 17 significant digits (null when it is not finite), as JSON.
std::string jsonReal(double value);
// A string in double quotes with JSON escapes.
std::string jsonString(std::string_view text);

// How a read came to the layer's end: the objects delivered (each one listed by the read mode),
// the attribute records read for them, and whether the geometry file or the attribute file still
// held anything.
struct ReadEnd {
    bool reached = false;
    int objects = 0;
    int records = 0;
    bool geometryLeft = false;
    bool recordsLeft = false;
    std::vector<fuzz::DeliveredObject> delivered;
};

// zx_layer_probe read LAYER OUT.jsonl: the layer read to its end, the JSON lines written to out
// as they are read; the exit status. A fatal stop ends the run on its way; otherwise end, when
// given, tells how the read ended.
int readLayer(const std::string& layer, std::FILE* out, ReadEnd* end = nullptr);

// How the read of the open layer ended, read before the layer is closed; objects as the caller
// counted them.
ReadEnd endOf(int gisID, int objects);

// zx_layer_probe grid LAYER OUT.json ...: argv as main received it; the exit status.
int runGridMode(int argc, char** argv);

// The grid mode's sampling: every object of the layer onto the grid, one gisAssignLayerToGrid
// call at a time, the arrays and counts written to out as JSON; the exit status. As readLayer,
// end (when given) tells how the read ended.
int sampleLayer(const std::string& layer, const SamplingGrid& grid, const SamplingSwitches& switches, std::FILE* out,
                ReadEnd* end = nullptr);

}  // namespace zx::probe
