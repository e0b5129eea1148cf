// gis/grid_sampling.hpp: the objects of an input layer sampled onto the arrays of a regular,
// possibly rotated grid. Each object's value lands on the grid elements it covers: points on the
// cell that holds them, lines on the cells each segment passes, regions on the grid points inside
// them at cell centres, faces or corners. The two drivers read the layer object by object; the
// per-object rules below them work from an object record and its vertices alone.
//
// Grid arrays are N1 x N2 with the row index first, element (j, i) at (i - 1) N1 + j - 1, as the
// grid-cell routines lay them out. Local cell (j, i) of the sampled area is element
// (j + M1, i + M2); nothing is written outside the arrays or outside the sampled area.
#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "geometry/grid_cells.hpp"
#include "gis/layer_records.hpp"

namespace zx {

// The grid and the place of its sampled area in the caller's arrays.
struct SamplingGrid {
    std::int32_t rows = 0;          // cells along the grid's y axis
    std::int32_t columns = 0;       // cells along its x axis
    std::int32_t rowOffset = 0;     // M1
    std::int32_t columnOffset = 0;  // M2
    float dx = 1.0F;
    float dy = 1.0F;
    double x0 = 0.0;  // the grid's corner in layer coordinates
    double y0 = 0.0;
    float angle = 0.0F;  // radians, anticlockwise from the layer's x axis
    std::int32_t n1 = 0;  // array rows
    std::int32_t n2 = 0;  // array columns
};

struct SamplingSwitches {
    bool integerValues = false;  // the value's integer form into the integer arrays
    bool countOnly = false;      // regions: count centres, faces and corners, assign nothing
    bool faces = false;          // points and lines set the four faces of a cell; regions both face pairs
    bool allPairs = false;       // regions: centre pair and both face pairs
    bool halve = false;          // half the value is added to each face
    bool add = false;            // add the value to what the arrays hold
};

// The caller's arrays, each N1 x N2: values at cell centres, on the high-x face of each cell
// (between columns) and on its high-y face (between rows).
struct GridArrays {
    std::int32_t* centreInteger = nullptr;
    float* centreReal = nullptr;
    std::int32_t* columnFaceInteger = nullptr;
    float* columnFaceReal = nullptr;
    std::int32_t* rowFaceInteger = nullptr;
    float* rowFaceReal = nullptr;
};

// One driver's work storage and the rules that sample one part of an object. Work arrays are
// kept from object to object (and reallocated only when the array extents change), so sampling
// a layer allocates nothing per object.
class GridSampler {
public:
    static constexpr int kMaxCells = 10000;  // cells of one walked segment

    // Samples one part of the object (a polyline section, a point of a multipoint, or a whole
    // region) whose nv vertices are x, y; writes the log line; returns the assignment count. The
    // object's index box (or for lines the loop ranges of the walk) goes to box; for a region,
    // regionMarks (N1 x N2, when given) receives the marked grid points.
    int samplePart(const GisObject& object, const double* x, const double* y, int nv, float value,
                   const SamplingGrid& grid, const SamplingSwitches& switches, const GridArrays& arrays, IndexBox& box,
                   std::uint8_t* regionMarks);

private:
    enum class Pass { Centre, ColumnFace, RowFace, Corner };

    int samplePoints(const SamplingGrid& grid, const SamplingSwitches& switches, const GridArrays& arrays,
                     float value, const IndexBox& box);
    int sampleLine(int nv, const SamplingGrid& grid, const SamplingSwitches& switches, const GridArrays& arrays,
                   float value, IndexBox& box);
    int sampleRegion(const GisObject& object, int nv, const SamplingGrid& grid, const SamplingSwitches& switches,
                     const GridArrays& arrays, float value, std::uint8_t* regionMarks);
    int regionPass(Pass pass, const GisObject& object, int nv, const SamplingGrid& grid,
                   const SamplingSwitches& switches, const GridArrays& arrays, float value, bool assign);
    int assignCell(int row, int column, const SamplingGrid& grid, const SamplingSwitches& switches,
                   const GridArrays& arrays, float value);
    void prepareWorkArrays(const SamplingGrid& grid);

    std::vector<float> xl_ = std::vector<float>(kMaxVertices);  // grid-frame vertices
    std::vector<float> yl_ = std::vector<float>(kMaxVertices);
    std::vector<float> xs_ = std::vector<float>(kMaxVertices);  // the same, shifted for a region pass
    std::vector<float> ys_ = std::vector<float>(kMaxVertices);
    std::array<int, kMaxCells> cellRows_{};
    std::array<int, kMaxCells> cellColumns_{};
    // Region marks and crossing counters, N1 x N2; every mark is clear between objects.
    std::vector<std::uint8_t> marks_;
    std::vector<std::int8_t> counters_;
    std::int32_t workRows_ = 0;
    std::int32_t workColumns_ = 0;
    std::array<IndexBox, 4> markedBoxes_{};  // where the current region's passes left marks
    int markedBoxCount_ = 0;
};

// The vertices of the part the caller of gisAssignLayerToGrid2 read itself.
struct CallerPart {
    const double* x = nullptr;
    const double* y = nullptr;
    std::int32_t nv = 0;
};

// Samples the next object of the input layer gisID: reads it and its attribute record, takes the
// record's first value and puts it on the grid; count receives the elements it set, summed over
// the object's parts. Returns at once when the layer is at its end. Objects whose record is
// deleted are stepped over, as are objects of no sampled kind (with a warning).
void gisAssignLayerToGrid(int gisID, const SamplingGrid& grid, const SamplingSwitches& switches,
                          const GridArrays& arrays, std::int32_t& count);

// The same on the caller's object record. readFromLayer: the object is read from the layer as
// above, its value only when readValue is set; otherwise the caller's part is sampled once, as
// its object record describes it. Without a value read the last value read stands (0 at first).
// box receives the index box of the object (for a line the loop ranges of its walk); a region's
// marked grid points are copied into regionMarks (N1 x N2) when it is given.
void gisAssignLayerToGrid2(int gisID, GisObject& object, const SamplingGrid& grid, const SamplingSwitches& switches,
                           const GridArrays& arrays, bool readValue, bool readFromLayer, const CallerPart& part,
                           std::int32_t& count, IndexBox& box, std::uint8_t* regionMarks);

}  // namespace zx
