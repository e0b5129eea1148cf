// geometry/primitives.cpp: the plane geometry of primitives.hpp. The single routines and their _8
// twins share one template each where the twin differs only in where the rounding to single
// happens: a template forms its differences in the coordinates' own type and then converts, so
// the single routine (where the conversion does nothing) and the twin both follow their rule.
#include "geometry/primitives.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <string_view>

#include "build_info.hpp"
#include "common/exit.hpp"
#include "geometry/region_rings.hpp"
#include "platform/console.hpp"

namespace zx {
namespace {

constexpr float kZeroLength = 1e-6F;

template <class Real>
float distance(Real x1, Real y1, Real x2, Real y2) {
    const float dx = std::fabs(static_cast<float>(x2 - x1));
    const float dy = std::fabs(static_cast<float>(y2 - y1));
    if (dx < kZeroLength && dy < kZeroLength) return 0.0F;
    return std::sqrt(dx * dx + dy * dy);
}

template <class Real>
float sameSide(Real x1, Real y1, Real x2, Real y2, Real xa, Real ya, Real xb, Real yb) {
    const float dx = static_cast<float>(x2 - x1);
    const float dy = static_cast<float>(y2 - y1);
    const float sideA = static_cast<float>(ya - y1) * dx - static_cast<float>(xa - x1) * dy;
    const float sideB = dx * static_cast<float>(yb - y2) - dy * static_cast<float>(xb - x2);
    return sideA * sideB;
}

template <class Real>
bool intersectLine(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4) {
    const auto f = [](Real v) { return static_cast<float>(v); };
    const float ends34 = (f(y3 - y1) * f(x2 - x1) - f(x3 - x1) * f(y2 - y1)) *
                         (f(x2 - x1) * f(y4 - y2) - f(y2 - y1) * f(x4 - x2));
    const float ends12 = (f(y1 - y3) * f(x4 - x3) - f(x1 - x3) * f(y4 - y3)) *
                         (f(x4 - x3) * f(y2 - y4) - f(y4 - y3) * f(x2 - x4));
    return ends34 <= 0.0F && ends12 <= 0.0F;
}

template <class Real>
int intersectLineV2(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4) {
    const Real d = (y4 - y3) * (x2 - x1) - (x4 - x3) * (y2 - y1);
    const Real na = (x4 - x3) * (y1 - y3) - (y4 - y3) * (x1 - x3);
    const Real nb = (x2 - x1) * (y1 - y3) - (x1 - x3) * (y2 - y1);
    if (d == 0) return na == 0 && nb == 0 ? -1 : 0;
    const auto within = [](Real u) { return u > 0 && u <= 1; };
    const bool alongFirst = within(na / d);
    const bool alongSecond = within(nb / d);
    if (alongFirst && alongSecond) return 3;
    if (alongFirst) return 1;
    if (alongSecond) return 2;
    return 4;
}

template <class Real>
bool intersectionPoint(Real x1, Real y1, Real x2, Real y2, Real x3, Real y3, Real x4, Real y4, Real& xi,
                       Real& yi) {
    if (x1 == x2) {
        if (x3 == x4) return false;
        xi = x1;
        yi = y3 + (y4 - y3) / (x4 - x3) * (x1 - x3);
        return true;
    }
    if (x3 == x4) {
        xi = x3;
        yi = y1 + (y2 - y1) / (x2 - x1) * (x3 - x1);
        return true;
    }
    const Real m1 = (y2 - y1) / (x2 - x1);
    const Real m2 = (y4 - y3) / (x4 - x3);
    if (m1 == m2) return false;
    xi = (y1 - y3 - x1 * m1 + m2 * x3) / (m2 - m1);
    yi = y3 + m2 * (xi - x3);
    return true;
}

// Even-odd count of the crossings of the ray from (xref - 10, yp) to p. A vertex exactly on the
// ray's level counts once, and only when the region passes through the level there: the edge
// leaving it is compared with the last vertex of the same ring that lay off the level (looked up
// cyclically for the ring's first vertices), so a ring that merely touches the level adds nothing.
template <class Real>
bool insidePolygon(Real xp, Real yp, const Real* x, const Real* y, int n, Real xref, const int* iend, int npoly,
                   int routineNumber) {
    if (n - 1 < 2) return false;
    const Real rayStart = xref - 10;
    unsigned crossings = 0;
    const bool ringsFit = geometry::forEachRing(iend, n, npoly, [&](int first, int last) {
        Real offLevel = 0;
        for (int v = last; v >= first; --v) {
            if (y[v] != yp) {
                offLevel = y[v];
                break;
            }
        }
        geometry::forEachEdge(x, y, first, last, [&](int a, int b) {
            const Real y1 = y[a];
            const Real y2 = y[b];
            if (y1 == y2) return;
            if (y2 == yp) {
                offLevel = y1;
            } else if (y1 == yp && xp >= x[a]) {
                // Opposite sides of the level: the sign of (offLevel - yp)(y2 - yp), read without
                // forming a product that could underflow to 0.
                if ((offLevel < yp) != (y2 < yp)) ++crossings;
            } else if (intersectLine<Real>(x[a], y1, x[b], y2, rayStart, yp, xp, yp)) {
                ++crossings;
            }
        });
    });
    if (!ringsFit) {
        platform::console().writeLine(" Invalid number of polygons in region sent to inside_polygon routine [" +
                                      std::to_string(routineNumber) + "] - contact " +
                                      std::string(kContactAddress));
        EXITS();
    }
    return (crossings & 1U) != 0;
}

// The signed length ratio |AB| / |AC| of B on the line through A and C: negative when B lies on
// the far side of A from C, so that values extrapolate along the line instead of mirroring.
template <class Real>
float signedRatio(Real ax, Real ay, Real bx, Real by, Real cx, Real cy) {
    const float ratio = distance<Real>(ax, ay, bx, by) / distance<Real>(ax, ay, cx, cy);
    return (bx - ax) * (cx - ax) + (by - ay) * (cy - ay) < 0 ? -ratio : ratio;
}

template <class Real>
bool interpolateTriangle(Real xp, Real yp, const Real* x, const Real* y, const float* z, float& zp) {
    // At the third corner the answer needs no intersection, which would not exist when the
    // corner's line to p degenerates and the opposite side is vertical.
    if (distance<Real>(x[2], y[2], xp, yp) == 0.0F) {
        zp = z[2];
        return true;
    }
    Real qx = 0;
    Real qy = 0;
    if (!intersectionPoint<Real>(x[0], y[0], x[1], y[1], x[2], y[2], xp, yp, qx, qy)) {
        zp = kNoValue;
        return false;
    }
    const float t = distance<Real>(x[0], y[0], x[1], y[1]) < kZeroLength
                        ? 0.5F
                        : signedRatio<Real>(x[0], y[0], qx, qy, x[1], y[1]);
    const float zq = z[0] + (z[1] - z[0]) * t;
    const float u = distance<Real>(x[2], y[2], qx, qy) < kZeroLength
                        ? 0.5F
                        : signedRatio<Real>(x[2], y[2], xp, yp, qx, qy);
    zp = z[2] + (zq - z[2]) * u;
    return true;
}

}  // namespace

float DISTANCE(float x1, float y1, float x2, float y2) { return distance<float>(x1, y1, x2, y2); }
float DISTANCE_8(double x1, double y1, double x2, double y2) { return distance<double>(x1, y1, x2, y2); }

float VECTOR_MAGNITUDE(float vx, float vy) {
    if (!(std::fabs(vx) > kZeroLength) && !(std::fabs(vy) > kZeroLength)) return 0.0F;
    return std::sqrt(vx * vx + vy * vy);
}

bool SAME_POINT(float x1, float y1, float x2, float y2, float tol) {
    return std::fabs(x1 - x2) < tol && std::fabs(y1 - y2) < tol;
}
bool SAME_POINT_8(double x1, double y1, double x2, double y2, double tol) {
    return std::fabs(x1 - x2) < tol && std::fabs(y1 - y2) < tol;
}

float SAME_SIDE(float x1, float y1, float x2, float y2, float xa, float ya, float xb, float yb) {
    return sameSide<float>(x1, y1, x2, y2, xa, ya, xb, yb);
}
float SAME_SIDE_8(double x1, double y1, double x2, double y2, double xa, double ya, double xb, double yb) {
    return sameSide<double>(x1, y1, x2, y2, xa, ya, xb, yb);
}

bool INTERSECT_POINT(float x1, float y1, float x2, float y2, float xp, float yp) {
    return sameSide<float>(x1, y1, x2, y2, xp, yp, xp, yp) == 0.0F;
}

bool INTERSECT_LINE(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
    return intersectLine<float>(x1, y1, x2, y2, x3, y3, x4, y4);
}
bool INTERSECT_LINE_8(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4) {
    return intersectLine<double>(x1, y1, x2, y2, x3, y3, x4, y4);
}

int INTERSECT_LINE_V2(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4) {
    return intersectLineV2<float>(x1, y1, x2, y2, x3, y3, x4, y4);
}
int INTERSECT_LINE_V2_8(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4) {
    return intersectLineV2<double>(x1, y1, x2, y2, x3, y3, x4, y4);
}

bool INTERSECTION_POINT(float x1, float y1, float x2, float y2, float x3, float y3, float x4, float y4,
                        float& xi, float& yi) {
    return intersectionPoint<float>(x1, y1, x2, y2, x3, y3, x4, y4, xi, yi);
}
bool INTERSECTION_POINT_8(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
                          double y4, double& xi, double& yi) {
    return intersectionPoint<double>(x1, y1, x2, y2, x3, y3, x4, y4, xi, yi);
}

bool INSIDE_POLYGON(float xp, float yp, const float* x, const float* y, int n, float xref, const int* iend,
                    int npoly) {
    return insidePolygon<float>(xp, yp, x, y, n, xref, iend, npoly, 1);
}
bool INSIDE_POLYGON_8(double xp, double yp, const double* x, const double* y, int n, double xref,
                      const int* iend, int npoly) {
    return insidePolygon<double>(xp, yp, x, y, n, xref, iend, npoly, 2);
}

bool INTERPOLATE_TRIANGLE(float xp, float yp, const float* x, const float* y, const float* z, float& zp) {
    return interpolateTriangle<float>(xp, yp, x, y, z, zp);
}
bool INTERPOLATE_TRIANGLE_8(double xp, double yp, const double* x, const double* y, const float* z, float& zp) {
    return interpolateTriangle<double>(xp, yp, x, y, z, zp);
}

bool INTERPOLATE_ELEMENT_8(double xp, double yp, const double* x, const double* y, const float* z, int nv,
                           double xref, float& zp) {
    // Each triangle is tested as a closed ring of one region: corners 1, 2, 3, 1 and a separator.
    const auto insideTriangle = [&](const double* tx, const double* ty) {
        const double ringX[5] = {tx[0], tx[1], tx[2], tx[0], tx[1]};
        const double ringY[5] = {ty[0], ty[1], ty[2], ty[0], ty[1]};
        const int ringEnd[1] = {4};
        return INSIDE_POLYGON_8(xp, yp, ringX, ringY, 5, xref, ringEnd, 1);
    };
    if (nv == 3) {
        if (!insideTriangle(x, y)) return false;
        return INTERPOLATE_TRIANGLE_8(xp, yp, x, y, z, zp);
    }
    if (nv != 4) return false;
    float sum = 0.0F;
    int values = 0;
    for (int left = 0; left < 4; ++left) {  // the triangle without corner `left`
        double tx[3];
        double ty[3];
        float tz[3];
        for (int corner = 0, k = 0; corner < 4; ++corner) {
            if (corner == left) continue;
            tx[k] = x[corner];
            ty[k] = y[corner];
            tz[k] = z[corner];
            ++k;
        }
        float value = 0.0F;
        if (insideTriangle(tx, ty) && INTERPOLATE_TRIANGLE_8(xp, yp, tx, ty, tz, value)) {
            sum += value;
            ++values;
        }
    }
    if (values == 0) {
        zp = kNoValue;
        return false;
    }
    zp = sum / static_cast<float>(values);
    return true;
}

float ANGLE2D(double x1, double y1, double x2, double y2, double x3, double y3, double x4, double y4) {
    if (std::fabs(x2 - x1) < 1e-6 || std::fabs(x4 - x3) < 1e-6) return 0.0F;
    constexpr double kDegreesPerRadian = 180.0 / std::numbers::pi;
    const float a1 = static_cast<float>(std::atan2(y2 - y1, x2 - x1) * kDegreesPerRadian);
    const float a2 = static_cast<float>(std::atan2(y4 - y3, x4 - x3) * kDegreesPerRadian);
    const float d = std::fabs(a2 - a1);
    return d <= 180.0F ? d : 360.0F - d;
}

void HYD_PARAM(float xa, float za, float xb, float zb, float h, float s, float& area, float& width,
               float& perimeter) {
    area = 0.0F;
    width = 0.0F;
    perimeter = 0.0F;
    if (!(s > 0.0F)) return;
    // The wet part of a partly wet piece is a right triangle of depth `depth` and width `wet`.
    const auto wetTriangle = [&](float wet, float depth) {
        width = wet;
        if (std::fabs(wet) < kZeroLength && std::fabs(depth) < kZeroLength) return;
        perimeter = std::sqrt(wet * wet + depth * depth);
    };
    if (h >= za && h >= zb) {
        area = (h - (za + zb) / 2.0F) * (xb - xa);
        width = xb - xa;
        perimeter = DISTANCE(xa, za, xb, zb);
    } else if (za > h && zb > h) {
        return;
    } else if (h >= za) {
        const float wet = (xb - xa) * (h - za) / (zb - za);
        area = (h - za) * wet / 2.0F;
        wetTriangle(wet, h - za);
    } else {
        const float wet = (xb - xa) * (zb - h) / (zb - za);
        area = -(zb - h) * wet / 2.0F;
        wetTriangle(wet, zb - h);
    }
}

void HYD_PARAM2(float x1, float z1, float s1, float x2, float z2, float s2, float h, float& area1, float& area2,
                float& width1, float& width2, float& perimeter1, float& perimeter2) {
    const float xm = (x1 + x2) / 2.0F;
    const float zm = (z1 + z2) / 2.0F;
    HYD_PARAM(x1, z1, xm, zm, h, s1, area1, width1, perimeter1);
    HYD_PARAM(xm, zm, x2, z2, h, s2, area2, width2, perimeter2);
}

void GEO_SHIFT(const double* x, const double* y, int n, double x0, double y0, float angle, float* xl, float* yl) {
    const double c = std::cos(static_cast<double>(angle));
    const double s = std::sin(static_cast<double>(angle));
    for (int i = 0; i < n; ++i) {
        const double dx = x[i] - x0;
        const double dy = y[i] - y0;
        xl[i] = static_cast<float>(c * dx + s * dy);
        yl[i] = static_cast<float>(c * dy - s * dx);
    }
}

void SET_SUB_GRID_AREA(const float* x, const float* y, int n, float cellSize, int cellsAlongY, int cellsAlongX,
                       int& jmin, int& imin, int& jmax, int& imax, float& xmin, float& ymin, float& xmax,
                       float& ymax) {
    if (n < 1) return;
    xmin = xmax = x[0];
    ymin = ymax = y[0];
    for (int k = 1; k < n; ++k) {
        xmin = std::fmin(xmin, x[k]);
        xmax = std::fmax(xmax, x[k]);
        ymin = std::fmin(ymin, y[k]);
        ymax = std::fmax(ymax, y[k]);
    }
    // The lower bounds stop at 0, not 1: callers read 0 as "the area starts before the grid".
    imin = std::max(geometry::gridIndex(xmin / cellSize), 0);
    jmin = std::max(geometry::gridIndex(ymin / cellSize), 0);
    imax = std::min(geometry::gridIndex(xmax / cellSize), cellsAlongX);
    jmax = std::min(geometry::gridIndex(ymax / cellSize), cellsAlongY);
}

float CIRCLE_WIDTH(float r, float d) {
    constexpr float kRim = 1e-5F;
    if (d > 2.0F * r - kRim || d < kRim) return 0.0F;
    return 2.0F * std::sqrt(r * r - (d - r) * (d - r));
}

float POLYGON_AREA_8(const double* x, const double* y, int n) {
    if (n < 1) return 0.0F;
    double sum = (x[n - 1] + x[0]) * (y[n - 1] - y[0]);
    for (int i = 0; i + 1 < n; ++i) sum += (x[i] + x[i + 1]) * (y[i] - y[i + 1]);
    return static_cast<float>(std::fabs(sum) / 2.0);
}

}  // namespace zx
