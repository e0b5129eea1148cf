// geometry/grid_cells_exports.cpp: the one grid routine other programs call, by address.
#include "common/fortran_abi.hpp"
#include "geometry/grid_cells.hpp"
#include "geometry/zervanix_geometry.h"

ZX_EXPORT void INTERPOLATE_TRIANGLE_NO_CHECKS(const float* xp, const float* yp, const float* xt, const float* yt,
                                              const float* zt, float* z) {
    *z = zx::INTERPOLATE_TRIANGLE_NO_CHECKS(*xp, *yp, xt, yt, zt);
}
