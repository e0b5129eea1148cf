/* zervanix_geometry.h: the geometry routines that libzervanix.so exports, for C callers.
 *
 * Conventions of every routine here:
 * - Every argument is passed by address, scalars included; nothing is passed by value.
 * - float is a 4-byte IEEE single, double an 8-byte IEEE double, int32_t a 4-byte integer.
 * - A logical result is an int32_t: true is -1 (all bits set), false is 0.
 * - Arrays are the caller's; their first element is vertex 1. Ring ends (iend) count from 1.
 * - "No value" is -99999.0f, written where an interpolation cannot give one.
 * - Lengths and coordinates are in the caller's unit; angles as stated per routine.
 * - A routine ending in _8 takes doubles but runs the steps its line names in single precision.
 * - No routine changes the caller's floating-point environment.
 *
 * Regions (INSIDE_POLYGON, INSIDE_POLYGON_8): the rings follow one another in one vertex list;
 * ring k ends at vertex iend[k-1] (its closing vertex, normally equal to its first), one
 * separator vertex follows, and ring k+1 starts after it; n = iend[npoly-1] + 1. A ring that
 * does not repeat its first vertex is closed implicitly. When the vertex list holds more rings
 * than npoly, the routine prints " Invalid number of polygons in region sent to inside_polygon
 * routine [1]" ([2] for the _8), ends the whole process and does not return.
 */
#ifndef ZERVANIX_GEOMETRY_H
#define ZERVANIX_GEOMETRY_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Distance between two points; 0 when both coordinate differences are below 1e-6. */
float DISTANCE(const float *x1, const float *y1, const float *x2, const float *y2);
/* The same for double points: differences in double, the rest (and the 1e-6 test) in single. */
float DISTANCE_8(const double *x1, const double *y1, const double *x2, const double *y2);
/* Length of the vector (vx, vy); 0 unless a component exceeds 1e-6 in magnitude. */
float VECTOR_MAGNITUDE(const float *vx, const float *vy);
/* True (-1) when |x1 - x2| < tol and |y1 - y2| < tol. */
int32_t SAME_POINT(const float *x1, const float *y1, const float *x2, const float *y2, const float *tol);
/* The same in double. */
int32_t SAME_POINT_8(const double *x1, const double *y1, const double *x2, const double *y2, const double *tol);
/* > 0 when a and b lie strictly on the same side of the line 1-2, < 0 on opposite sides, 0 on it. */
float SAME_SIDE(const float *x1, const float *y1, const float *x2, const float *y2, const float *xa,
                const float *ya, const float *xb, const float *yb);
/* The same for doubles: differences in double, products in single; result single. */
float SAME_SIDE_8(const double *x1, const double *y1, const double *x2, const double *y2, const double *xa,
                  const double *ya, const double *xb, const double *yb);
/* True (-1) when p lies exactly on the infinite line 1-2 (no tolerance). */
int32_t INTERSECT_POINT(const float *x1, const float *y1, const float *x2, const float *y2, const float *xp,
                        const float *yp);
/* True (-1) when the closed segments 1-2 and 3-4 touch or cross. Kept on purpose: collinear
 * segments always answer true, also when they do not overlap. */
int32_t INTERSECT_LINE(const float *x1, const float *y1, const float *x2, const float *y2, const float *x3,
                       const float *y3, const float *x4, const float *y4);
/* The same for doubles: differences in double, products and signs in single. */
int32_t INTERSECT_LINE_8(const double *x1, const double *y1, const double *x2, const double *y2,
                         const double *x3, const double *y3, const double *x4, const double *y4);
/* Code of how segment 1-2 meets segment 3-4 (within a segment: 0 < u <= 1, its start excluded):
 * 3 within both, 1 within 1-2 only, 2 within 3-4 only, 4 neither, 0 parallel, -1 on one line. */
int32_t INTERSECT_LINE_V2(const float *x1, const float *y1, const float *x2, const float *y2, const float *x3,
                          const float *y3, const float *x4, const float *y4);
/* The same wholly in double. */
int32_t INTERSECT_LINE_V2_8(const double *x1, const double *y1, const double *x2, const double *y2,
                            const double *x3, const double *y3, const double *x4, const double *y4);
/* True (-1) with (xi, yi) where the infinite lines 1-2 and 3-4 meet; false (0), xi and yi
 * untouched, when they are parallel. */
int32_t INTERSECTION_POINT(const float *x1, const float *y1, const float *x2, const float *y2, const float *x3,
                           const float *y3, const float *x4, const float *y4, float *xi, float *yi);
/* The same wholly in double. */
int32_t INTERSECTION_POINT_8(const double *x1, const double *y1, const double *x2, const double *y2,
                             const double *x3, const double *y3, const double *x4, const double *y4, double *xi,
                             double *yi);
/* True (-1) when p lies inside the region (even-odd over its rings, see above); xref must not
 * exceed the region's smallest x; n below 3 gives false. Fatal when rings exceed npoly. */
int32_t INSIDE_POLYGON(const float *xp, const float *yp, const float *x, const float *y, const int32_t *n,
                       const float *xref, const int32_t *iend, const int32_t *npoly);
/* The same for doubles: levels compared in double, edge crossings tested in single from double
 * differences. Fatal message names routine [2]. */
int32_t INSIDE_POLYGON_8(const double *xp, const double *yp, const double *x, const double *y, const int32_t *n,
                         const double *xref, const int32_t *iend, const int32_t *npoly);
/* Value at p of the plane through the 3 corner values z; extrapolates linearly outside the
 * triangle; at corner 3 it is z[2]. True (-1), or false (0) with *zp = -99999.0f when no value
 * exists (the line from corner 3 through p parallel to side 1-2). */
int32_t INTERPOLATE_TRIANGLE(const float *xp, const float *yp, const float *x, const float *y, const float *z,
                             float *zp);
/* The same for double corners: the intersection in double, lengths, ratios and values in single. */
int32_t INTERPOLATE_TRIANGLE_8(const double *xp, const double *yp, const double *x, const double *y,
                               const float *z, float *zp);
/* Value at p inside an element of *nv = 3 or 4 corners (the triangle's value, or the mean over
 * the corner triangles of a quadrilateral that contain p); xref as for INSIDE_POLYGON_8.
 * False (0) when p lies in none: *zp = -99999.0f for 4 corners, untouched for 3 and for any
 * other *nv. */
int32_t INTERPOLATE_ELEMENT_8(const double *xp, const double *yp, const double *x, const double *y,
                              const float *z, const int32_t *nv, const double *xref, float *zp);
/* Angle between the directions of segments 1-2 and 3-4, in degrees, 0 to 180. Kept on purpose:
 * 0 when either segment is (nearly) vertical, |dx| below 1e-6, whatever the other one. */
float ANGLE2D(const double *x1, const double *y1, const double *x2, const double *y2, const double *x3,
              const double *y3, const double *x4, const double *y4);
/* Wetted area, surface width and wetted perimeter of the cross-section piece from station xa,
 * level za to station xb, level zb under water level h (levels and stations in one length
 * unit; area in its square); all 0 unless *s > 0; width and area keep the sign of xb - xa. */
void HYD_PARAM(const float *xa, const float *za, const float *xb, const float *zb, const float *h,
               const float *s, float *area, float *width, float *perimeter);
/* HYD_PARAM on the two halves of the piece 1-2, split at its midpoint, switches s1 and s2. */
void HYD_PARAM2(const float *x1, const float *z1, const float *s1, const float *x2, const float *z2,
                const float *s2, const float *h, float *area1, float *area2, float *width1, float *width2,
                float *perimeter1, float *perimeter2);
/* The n points moved to origin (x0, y0) and rotated by *angle (radians) into xl, yl (single). */
void GEO_SHIFT(const double *x, const double *y, const int32_t *n, const double *x0, const double *y0,
               const float *angle, float *xl, float *yl);
/* Extent of the n points and the 1-based cells it covers on a grid of square cells of size
 * *cellSize (column = floor(x / size) + 1); lower indexes not below 0, upper ones not above the
 * cell counts along y and x. *n below 1 writes nothing. */
void SET_SUB_GRID_AREA(const float *x, const float *y, const int32_t *n, const float *cellSize,
                       const int32_t *cellsAlongY, const int32_t *cellsAlongX, int32_t *jmin, int32_t *imin,
                       int32_t *jmax, int32_t *imax, float *xmin, float *ymin, float *xmax, float *ymax);
/* Surface width at depth *d in a circular section of radius *r; 0 within 1e-5 of top or bottom. */
float CIRCLE_WIDTH(const float *r, const float *d);
/* Value at p of the plane through the corner values zt of the triangle xt, yt, into *z; no test
 * that p lies inside or that the lines meet (a value outside is not meaningful). */
void INTERPOLATE_TRIANGLE_NO_CHECKS(const float *xp, const float *yp, const float *xt, const float *yt,
                                    const float *zt, float *z);

#ifdef __cplusplus
}
#endif

#endif
