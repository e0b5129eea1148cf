// gis/layer_to_grid.cpp: the two drivers that sample an input layer onto a grid, one object per
// call: they read the object and its attribute record through the layer readers, take the value
// and hand each part to the driver's own GridSampler. Each driver keeps its own work storage.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "common/exit.hpp"
#include "common/list_input.hpp"
#include "gis/grid_sampling.hpp"
#include "gis/layer_table.hpp"

namespace zx {
namespace {

struct LayerGridDriver {
    GridSampler sampler;
    GisObject object;  // gisAssignLayerToGrid's own; the other driver works on its caller's
    std::vector<double> x = std::vector<double>(kMaxVertices);
    std::vector<double> y = std::vector<double>(kMaxVertices);
    std::string attributeLine;
    float value = 0.0F;  // the last value read
};

LayerGridDriver& firstDriver() {
    static LayerGridDriver driver;
    return driver;
}

LayerGridDriver& secondDriver() {
    static LayerGridDriver driver;
    return driver;
}

bool isSampled(const GisObject& object) {
    return object.point || object.multipoint || object.line || object.pline || object.plineMultiple ||
           object.region;
}

// Reads past the coordinates of every part of the object without keeping them.
void stepOver(int gisID, GisObject& object, LayerGridDriver& driver) {
    ObjectReadout readout{driver.x, driver.y, kMaxVertices};
    for (int k = 0; k < object.count; ++k) gisReadObject(gisID, object, readout, false);
}

void warnNotSampled(const GisObject& object) {
    LayerTable& table = layers();
    table.gisMessageLines = {"WARNING 2073 - Object ignored.  Only Points, Lines, Polylines & Regions used.",
                             "GIS Object = " + object.kindName, "", ""};
    table.writeMessage(0);
}

// The first value of the attribute line, read free-form as a real.
float firstValue(const std::string& line) {
    float value = 0.0F;
    const auto outcome = listin::readList(line, {&value});
    if (outcome.status != listin::ReadOutcome::Status::Ok || outcome.assigned != 1) {
        LayerTable& table = layers();
        table.gisMessageLines = {"ERROR 2148 - Reading attribute data from data line below.",
                                 "Data Line = " + line, "", ""};
        table.writeMessage(1);
        EXITS();
    }
    return value;
}

// Finds the next object and reads its attribute record; false at the layer's end.
bool nextObject(int gisID, GisObject& object, LayerGridDriver& driver) {
    do {
        if (layers().slot(gisID).endOfFile) return false;
        gisInitialiseObject(object);
    } while (!gisObjectType(gisID, object));
    gisReadRecord(gisID, object, driver.attributeLine);
    return true;
}

// Reads and samples every part of the object; the count is summed over the parts.
std::int32_t sampleFromLayer(int gisID, GisObject& object, LayerGridDriver& driver, const SamplingGrid& grid,
                             const SamplingSwitches& switches, const GridArrays& arrays, IndexBox& box,
                             std::uint8_t* regionMarks) {
    std::int32_t count = 0;
    ObjectReadout readout{driver.x, driver.y, kMaxVertices};
    for (int k = 0; k < object.count; ++k) {
        gisReadObject(gisID, object, readout, true);
        count += driver.sampler.samplePart(object, driver.x.data(), driver.y.data(), readout.nv, driver.value, grid,
                                           switches, arrays, box, regionMarks);
    }
    return count;
}

// Deleted records are skipped, as GDAL skips them; other kinds are warned about and skipped.
bool skipsObject(int gisID, GisObject& object, LayerGridDriver& driver) {
    if (object.deleted) {
        stepOver(gisID, object, driver);
        return true;
    }
    if (isSampled(object)) return false;
    stepOver(gisID, object, driver);
    warnNotSampled(object);
    return true;
}

}  // namespace

void gisAssignLayerToGrid(int gisID, const SamplingGrid& grid, const SamplingSwitches& switches,
                          const GridArrays& arrays, std::int32_t& count) {
    LayerGridDriver& driver = firstDriver();
    count = 0;
    if (!nextObject(gisID, driver.object, driver)) return;
    if (!driver.object.deleted) driver.value = firstValue(driver.attributeLine);
    if (skipsObject(gisID, driver.object, driver)) return;
    IndexBox box;
    count = sampleFromLayer(gisID, driver.object, driver, grid, switches, arrays, box, nullptr);
}

void gisAssignLayerToGrid2(int gisID, GisObject& object, const SamplingGrid& grid, const SamplingSwitches& switches,
                           const GridArrays& arrays, bool readValue, bool readFromLayer, const CallerPart& part,
                           std::int32_t& count, IndexBox& box, std::uint8_t* regionMarks) {
    LayerGridDriver& driver = secondDriver();
    count = 0;
    if (readFromLayer) {
        if (!nextObject(gisID, object, driver)) return;
        if (readValue && !object.deleted) driver.value = firstValue(driver.attributeLine);
        if (skipsObject(gisID, object, driver)) return;
        count = sampleFromLayer(gisID, object, driver, grid, switches, arrays, box, regionMarks);
        return;
    }
    if (object.deleted) return;
    if (!isSampled(object)) {
        stepOver(gisID, object, driver);
        warnNotSampled(object);
        return;
    }
    // The caller's vertices are one part, whatever count its object record holds.
    count = driver.sampler.samplePart(object, part.x, part.y, std::clamp(part.nv, 0, kMaxVertices), driver.value,
                                      grid, switches, arrays, box, regionMarks);
}

}  // namespace zx
