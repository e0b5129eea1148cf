// tests/probe/probe.hpp: what the modes of zx_layer_probe share: JSON text for reals and strings,
// and the modes themselves.
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

namespace zx::probe {

// A real with 17 significant digits (null when it is not finite), as JSON.
std::string jsonReal(double value);
// A string in double quotes with JSON escapes.
std::string jsonString(std::string_view text);

// How a read came to the layer's end: the objects delivered, the attribute records read for them,
// and whether the geometry file or the attribute file still held anything.
struct ReadEnd {
    bool reached = false;
    int objects = 0;
    int records = 0;
    bool geometryLeft = false;
    bool recordsLeft = false;
};

// zx_layer_probe read LAYER OUT.jsonl: the layer read to its end, the JSON lines written to out
// as they are read; the exit status. A fatal stop ends the run on its way; otherwise end, when
// given, tells how the read ended.
int readLayer(const std::string& layer, std::FILE* out, ReadEnd* end = nullptr);

// zx_layer_probe grid LAYER OUT.json ...: argv as main received it; the exit status.
int runGridMode(int argc, char** argv);

}  // namespace zx::probe
