// geometry/primitives_exports.cpp: the geometry primitives as other programs call them: every
// argument by address, logical results as 4-byte integers with true = -1. The area of a ring
// stays inside the library.
#include "common/fortran_abi.hpp"
#include "geometry/primitives.hpp"
#include "geometry/zervanix_geometry.h"

using zx::abi::Logical;
using zx::abi::logical;
using I4 = std::int32_t;

ZX_EXPORT float DISTANCE(const float* x1, const float* y1, const float* x2, const float* y2) {
    return zx::DISTANCE(*x1, *y1, *x2, *y2);
}
ZX_EXPORT float DISTANCE_8(const double* x1, const double* y1, const double* x2, const double* y2) {
    return zx::DISTANCE_8(*x1, *y1, *x2, *y2);
}
ZX_EXPORT float VECTOR_MAGNITUDE(const float* vx, const float* vy) { return zx::VECTOR_MAGNITUDE(*vx, *vy); }

ZX_EXPORT Logical SAME_POINT(const float* x1, const float* y1, const float* x2, const float* y2, const float* tol) {
    return logical(zx::SAME_POINT(*x1, *y1, *x2, *y2, *tol));
}
ZX_EXPORT Logical SAME_POINT_8(const double* x1, const double* y1, const double* x2, const double* y2,
                               const double* tol) {
    return logical(zx::SAME_POINT_8(*x1, *y1, *x2, *y2, *tol));
}

ZX_EXPORT float SAME_SIDE(const float* x1, const float* y1, const float* x2, const float* y2, const float* xa,
                          const float* ya, const float* xb, const float* yb) {
    return zx::SAME_SIDE(*x1, *y1, *x2, *y2, *xa, *ya, *xb, *yb);
}
ZX_EXPORT float SAME_SIDE_8(const double* x1, const double* y1, const double* x2, const double* y2, const double* xa,
                            const double* ya, const double* xb, const double* yb) {
    return zx::SAME_SIDE_8(*x1, *y1, *x2, *y2, *xa, *ya, *xb, *yb);
}
ZX_EXPORT Logical INTERSECT_POINT(const float* x1, const float* y1, const float* x2, const float* y2,
                                  const float* xp, const float* yp) {
    return logical(zx::INTERSECT_POINT(*x1, *y1, *x2, *y2, *xp, *yp));
}

ZX_EXPORT Logical INTERSECT_LINE(const float* x1, const float* y1, const float* x2, const float* y2,
                                 const float* x3, const float* y3, const float* x4, const float* y4) {
    return logical(zx::INTERSECT_LINE(*x1, *y1, *x2, *y2, *x3, *y3, *x4, *y4));
}
ZX_EXPORT Logical INTERSECT_LINE_8(const double* x1, const double* y1, const double* x2, const double* y2,
                                   const double* x3, const double* y3, const double* x4, const double* y4) {
    return logical(zx::INTERSECT_LINE_8(*x1, *y1, *x2, *y2, *x3, *y3, *x4, *y4));
}
ZX_EXPORT I4 INTERSECT_LINE_V2(const float* x1, const float* y1, const float* x2, const float* y2, const float* x3,
                               const float* y3, const float* x4, const float* y4) {
    return zx::INTERSECT_LINE_V2(*x1, *y1, *x2, *y2, *x3, *y3, *x4, *y4);
}
ZX_EXPORT I4 INTERSECT_LINE_V2_8(const double* x1, const double* y1, const double* x2, const double* y2,
                                 const double* x3, const double* y3, const double* x4, const double* y4) {
    return zx::INTERSECT_LINE_V2_8(*x1, *y1, *x2, *y2, *x3, *y3, *x4, *y4);
}
ZX_EXPORT Logical INTERSECTION_POINT(const float* x1, const float* y1, const float* x2, const float* y2,
                                     const float* x3, const float* y3, const float* x4, const float* y4, float* xi,
                                     float* yi) {
    return logical(zx::INTERSECTION_POINT(*x1, *y1, *x2, *y2, *x3, *y3, *x4, *y4, *xi, *yi));
}
ZX_EXPORT Logical INTERSECTION_POINT_8(const double* x1, const double* y1, const double* x2, const double* y2,
                                       const double* x3, const double* y3, const double* x4, const double* y4,
                                       double* xi, double* yi) {
    return logical(zx::INTERSECTION_POINT_8(*x1, *y1, *x2, *y2, *x3, *y3, *x4, *y4, *xi, *yi));
}

ZX_EXPORT Logical INSIDE_POLYGON(const float* xp, const float* yp, const float* x, const float* y, const I4* n,
                                 const float* xref, const I4* iend, const I4* npoly) {
    return logical(zx::INSIDE_POLYGON(*xp, *yp, x, y, *n, *xref, iend, *npoly));
}
ZX_EXPORT Logical INSIDE_POLYGON_8(const double* xp, const double* yp, const double* x, const double* y,
                                   const I4* n, const double* xref, const I4* iend, const I4* npoly) {
    return logical(zx::INSIDE_POLYGON_8(*xp, *yp, x, y, *n, *xref, iend, *npoly));
}

ZX_EXPORT Logical INTERPOLATE_TRIANGLE(const float* xp, const float* yp, const float* x, const float* y,
                                       const float* z, float* zp) {
    return logical(zx::INTERPOLATE_TRIANGLE(*xp, *yp, x, y, z, *zp));
}
ZX_EXPORT Logical INTERPOLATE_TRIANGLE_8(const double* xp, const double* yp, const double* x, const double* y,
                                         const float* z, float* zp) {
    return logical(zx::INTERPOLATE_TRIANGLE_8(*xp, *yp, x, y, z, *zp));
}
ZX_EXPORT Logical INTERPOLATE_ELEMENT_8(const double* xp, const double* yp, const double* x, const double* y,
                                        const float* z, const I4* nv, const double* xref, float* zp) {
    return logical(zx::INTERPOLATE_ELEMENT_8(*xp, *yp, x, y, z, *nv, *xref, *zp));
}

ZX_EXPORT float ANGLE2D(const double* x1, const double* y1, const double* x2, const double* y2, const double* x3,
                        const double* y3, const double* x4, const double* y4) {
    return zx::ANGLE2D(*x1, *y1, *x2, *y2, *x3, *y3, *x4, *y4);
}

ZX_EXPORT void HYD_PARAM(const float* xa, const float* za, const float* xb, const float* zb, const float* h,
                         const float* s, float* area, float* width, float* perimeter) {
    zx::HYD_PARAM(*xa, *za, *xb, *zb, *h, *s, *area, *width, *perimeter);
}
ZX_EXPORT void HYD_PARAM2(const float* x1, const float* z1, const float* s1, const float* x2, const float* z2,
                          const float* s2, const float* h, float* area1, float* area2, float* width1, float* width2,
                          float* perimeter1, float* perimeter2) {
    zx::HYD_PARAM2(*x1, *z1, *s1, *x2, *z2, *s2, *h, *area1, *area2, *width1, *width2, *perimeter1, *perimeter2);
}

ZX_EXPORT void GEO_SHIFT(const double* x, const double* y, const I4* n, const double* x0, const double* y0,
                         const float* angle, float* xl, float* yl) {
    zx::GEO_SHIFT(x, y, *n, *x0, *y0, *angle, xl, yl);
}
ZX_EXPORT void SET_SUB_GRID_AREA(const float* x, const float* y, const I4* n, const float* cellSize,
                                 const I4* cellsAlongY, const I4* cellsAlongX, I4* jmin, I4* imin, I4* jmax, I4* imax,
                                 float* xmin, float* ymin, float* xmax, float* ymax) {
    zx::SET_SUB_GRID_AREA(x, y, *n, *cellSize, *cellsAlongY, *cellsAlongX, *jmin, *imin, *jmax, *imax, *xmin, *ymin,
                          *xmax, *ymax);
}

ZX_EXPORT float CIRCLE_WIDTH(const float* r, const float* d) { return zx::CIRCLE_WIDTH(*r, *d); }
