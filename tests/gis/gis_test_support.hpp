// tests/gis/gis_test_support.hpp: what the layer tests share: a fresh layer table in a fresh
// folder, objects written in one call, file bytes decoded, and the GDAL and shapelib readers run
// on the layers written.
#pragma once
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "common/units.hpp"
#include "gis/layer_table.hpp"
#include "support/test_support.hpp"

namespace zx::test {

using Bytes = std::vector<unsigned char>;

// Unsigned integers of n bytes and 8-byte reals at a file offset, in either byte order.
inline std::uint32_t le(const Bytes& b, std::size_t at, int n = 4) {
    std::uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<std::size_t>(i));
    return v;
}
inline std::uint32_t be32(const Bytes& b, std::size_t at) {
    std::uint32_t v = 0;
    for (std::size_t i = 0; i < 4; ++i) v = (v << 8) | b.at(at + i);
    return v;
}
inline double le64(const Bytes& b, std::size_t at) {
    return std::bit_cast<double>(std::uint64_t{le(b, at + 4)} << 32 | le(b, at));
}
inline std::vector<double> box(const Bytes& b, std::size_t at) {
    return {le64(b, at), le64(b, at + 8), le64(b, at + 16), le64(b, at + 24)};
}

// Runs a reader found on PATH on files of the current folder. Readers exit non-zero on files they
// cannot open, and env exits with 127 when the reader is not installed: either fails the test.
inline RunResult runReader(std::vector<std::string> argv) {
    RunResult r = runFromPath(argv, std::filesystem::current_path());
    EXPECT_EQ(r.status, 0) << argv[0] << " (packages gdal-bin and shapelib): " << r.err;
    return r;
}

// ogrinfo's full report of a layer; any line with ERROR on its standard error fails the test,
// since ogrinfo's exit status is 0 for many broken files.
inline std::string ogrinfo(const std::string& file) {
    const RunResult r = runReader({"ogrinfo", "-ro", "-al", file});
    std::istringstream err(r.err);
    for (std::string line; std::getline(err, line);) {
        EXPECT_EQ(line.find("ERROR"), std::string::npos) << file << ": " << line;
    }
    return r.out;
}

// One object as the readers returned it: its record after the last part, each part's vertices,
// the label of the last part, and its attribute line.
struct ReadObject {
    GisObject object;
    std::vector<std::vector<std::pair<double, double>>> parts;
    ObjectReadout readout;
    std::string record;
};

// A fresh unit table and layer table in a fresh working folder, the console captured.
class LayerTest : public ::testing::Test {
protected:
    void SetUp() override { INITUNITS(1000); }
    void TearDown() override { units().closeEverythingOnExit(); }

    // Opens an output layer and writes its header.
    int openOutput(std::string_view name, std::string_view geometry) {
        const int id = table->openLayer(name, geometry, "O ", false);
        table->writeHeader(id);
        return id;
    }

    // One object of the given kind alone, and its attribute record: the vertices x and y taking
    // turns, and the first vertex of each part.
    void put(int id, bool GisObject::*kind, const std::vector<double>& xy, std::string_view line,
             std::vector<std::int32_t> partStarts = {1}) {
        gisInitialiseObject(object);
        object.*kind = true;
        object.nr = static_cast<std::int32_t>(partStarts.size());
        object.ir = std::move(partStarts);
        auto& v = table->gisObjectVertices;
        v.setCount(static_cast<std::int32_t>(xy.size() / 2));
        for (std::size_t j = 0; j < xy.size() / 2; ++j) {
            v.x[j] = xy[2 * j];
            v.y[j] = xy[2 * j + 1];
        }
        table->gisAttributeLine = line;
        table->writeObject(id, object);
        table->writeRecord(id, object);
    }

    // Closes a layer written through the table, finishing its files.
    void closeOutput(int id) { table->closeLayer(id); }

    // A closed point layer with an integer ID column, the IDs counting from firstId.
    void writePointLayer(std::string_view name, const std::vector<std::pair<double, double>>& points, int firstId = 1) {
        table->gisAttributeTemplate.columns = {{"ID", "Integer", 0}};
        const int id = openOutput(name, "P");
        for (std::size_t k = 0; k < points.size(); ++k) {
            put(id, &GisObject::point, {points[k].first, points[k].second},
                std::to_string(firstId + static_cast<int>(k)));
        }
        closeOutput(id);
    }

    // Opens an input layer, reads its header and every object to the layer's end, as a caller of
    // the library does; nodeLimit is the capacity the caller declares for its vertex arrays.
    std::vector<ReadObject> readLayer(std::string_view name, std::int32_t nodeLimit = kMaxVertices) {
        const int id = table->openLayer(name, "", "I ", false);
        EXPECT_GT(id, 0) << name;
        table->readHeader(id);
        std::vector<ReadObject> objects;
        std::vector<double> x(static_cast<std::size_t>(kMaxVertices));
        std::vector<double> y(static_cast<std::size_t>(kMaxVertices));
        GisObject o;
        while (!table->slot(id).endOfFile && table->objectType(id, o)) {
            ReadObject read;
            read.readout = ObjectReadout{x, y, nodeLimit};
            for (std::int32_t part = 0; part < o.count; ++part) {
                table->readObject(id, o, read.readout, true);
                auto& vertices = read.parts.emplace_back();
                for (std::int32_t j = 0; j < read.readout.nv; ++j) {
                    vertices.emplace_back(x[static_cast<std::size_t>(j)], y[static_cast<std::size_t>(j)]);
                }
            }
            table->readRecord(id, o, read.record);
            read.object = o;
            read.readout.x = {};
            read.readout.y = {};
            objects.push_back(std::move(read));
        }
        int closing = id;
        table->closeLayer(closing);
        return objects;
    }

    TempDir dir{true};
    ConsoleCapture console;
    std::unique_ptr<LayerTable> table = std::make_unique<LayerTable>();
    GisObject object;
};

// Fatal calls, each with the console text it must end with.
using Stops = std::vector<std::pair<std::function<void()>, std::string>>;

// The log line of a point or line part; its kind name and value keep their fields' widths.
inline std::string partLog(std::string kind, const char* vertices, std::string value, const char* assigned) {
    kind.resize(24, ' ');
    value.resize(32, ' ');
    return "...GIS " + kind + " (" + vertices + " vertices) assigned a value of " + value + " to" + assigned + "\n";
}

}  // namespace zx::test
