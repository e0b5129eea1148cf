// tests/probe/grid_mode.cpp: the grid mode of zx_layer_probe.
#include <cstdio>

#include "probe/probe.hpp"

namespace zx::probe {

int runGridMode(int, char**) {
    std::puts("grid mode not built");
    return 2;
}

}  // namespace zx::probe
