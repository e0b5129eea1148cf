// geometry/primitives.hpp: plane geometry in single precision and its _8 twins, which take double
// coordinates but run some steps in single precision: each twin says which, and the results agree
// bit for bit with that mix. Arrays are the caller's, indexed from 0 here (vertex 1 is x[0]);
// ring ends in IEND count vertices from 1, as the region's callers fill them.
#pragma once

namespace zx {

// The result of an interpolation that has no value.
inline constexpr float kNoValue = -99999.0F;

// 0 when both |x2 - x1| and |y2 - y1| are below 1e-6, else the length.
float DISTANCE(float x1, float y1, float x2, float y2);
// The differences in double; their magnitudes, the 1e-6 test and the root in single.
float DISTANCE_8(double x1, double y1, double x2, double y2);
// 0 unless |vx| or |vy| is above 1e-6.
float VECTOR_MAGNITUDE(float vx, float vy);
// |x1 - x2| < tol and |y1 - y2| < tol.
bool SAME_POINT(float x1, float y1, float x2, float y2, float tol);
bool SAME_POINT_8(double x1, double y1, double x2, double y2, double tol);

// Positive when a and b lie strictly on the same side of the line 1-2, negative on opposite
// sides, 0 when either lies on it. The twin forms the differences in double, the products in single.
float SAME_SIDE(float x1, float y1, float x2, float y2, float xa, float ya, float xb, float yb);
float SAME_SIDE_8(double x1, double y1, double x2, double y2, double xa, double ya, double xb, double yb);
// p lies exactly on the line 1-2.
bool INTERSECT_POINT(float x1, float y1, float x2, float y2, float xp, float yp);

// The closed segments 1-2 and 3-4 touch or cross. Collinear segments always answer true, whether
// they overlap or not: outside callers rely on it.
bool INTERSECT_LINE(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
bool INTERSECT_LINE_8(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4);

// How segment 1-2 meets segment 3-4, a parameter counting as within its segment when 0 < u <= 1
// (start excluded, end included): 3 both within, 1 only along 1-2, 2 only along 3-4, 4 neither,
// 0 parallel, -1 on one line.
int INTERSECT_LINE_V2(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4);
int INTERSECT_LINE_V2_8(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4);

// Where the infinite lines 1-2 and 3-4 meet; false (xi, yi untouched) when they are parallel.
bool INTERSECTION_POINT(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                        float& xi, float& yi);
bool INTERSECTION_POINT_8(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                          double y4, double& xi, double& yi);

// Even-odd test of p against a region of npoly rings laid out as described in region_rings.hpp;
// xref is at most the region's smallest x. More rings in the list than npoly ends the run.
bool INSIDE_POLYGON(float xp, float yp, const float* x, const float* y, int n, float xref, const int* iend,
                    int npoly);
bool INSIDE_POLYGON_8(double xp, double yp, const double* x, const double* y, int n, double xref,
                      const int* iend, int npoly);

// The value at p of the plane through the triangle's corner values (x, y, z hold 3 corners);
// extrapolates linearly outside the triangle. False with zp = kNoValue when no value exists.
bool INTERPOLATE_TRIANGLE(float xp, float yp, const float* x, const float* y, const float* z, float& zp);
bool INTERPOLATE_TRIANGLE_8(double xp, double yp, const double* x, const double* y, const float* z, float& zp);
// The value at p inside an element of nv = 3 or 4 corners: the triangle's value, or the mean over
// the corner triangles of a 4-corner element that hold p. False when p lies in none (zp is then
// kNoValue for 4 corners and untouched for 3) and for any other nv (zp untouched).
bool INTERPOLATE_ELEMENT_8(double xp, double yp, const double* x, const double* y, const float* z, int nv,
                           double xref, float& zp);

// The angle between the directions of two segments, 0 to 180 degrees; 0 when either segment is
// (nearly) vertical, as outside callers expect.
float ANGLE2D(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4);

// Wetted area, surface width and wetted perimeter of the cross-section piece from station xa at
// level za to xb at zb under water level h; all 0 unless s > 0. Widths and areas keep the sign of
// xb - xa.
void HYD_PARAM(float xa, float za, float xb, float zb, float h, float s, float& area, float& width,
               float& perimeter);
// The piece split at its midpoint, each half with its own switch.
void HYD_PARAM2(float x1, float z1, float s1, float x2, float z2, float s2, float h, float& area1, float& area2,
                float& width1, float& width2, float& perimeter1, float& perimeter2);

// The n points moved to the origin (x0, y0) and rotated by angle (radians) into a grid's frame.
void GEO_SHIFT(const double* x, const double* y, int n, double x0, double y0, float angle, float* xl, float* yl);
// The extent of n points and the cells it covers on a grid of square cells of the given size,
// lower indexes not below 0 and upper ones not above the grid's cell counts. n below 1 writes
// nothing.
void SET_SUB_GRID_AREA(const float* x, const float* y, int n, float cellSize, int cellsAlongY, int cellsAlongX,
                       int& jmin, int& imin, int& jmax, int& imax, float& xmin, float& ymin, float& xmax,
                       float& ymax);

// The surface width at depth d in a circular section of radius r; 0 in the top and bottom 1e-5.
float CIRCLE_WIDTH(float r, float d);
// The area of the ring of n vertices, closed from its last vertex back to its first; summed in
// double, given in single.
float POLYGON_AREA_8(const double* x, const double* y, int n);

}  // namespace zx
