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

    TempDir dir{true};
    ConsoleCapture console;
    std::unique_ptr<LayerTable> table = std::make_unique<LayerTable>();
    GisObject object;
};

// Fatal calls, each with the console text it must end with.
using Stops = std::vector<std::pair<std::function<void()>, std::string>>;

}  // namespace zx::test
