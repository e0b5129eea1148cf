// bench/gis_writer_bench.cpp: how long the shapefile writers take for a network-sized layer,
// against GDAL's ogr2ogr writing the same features from a CSV file with WKT geometry.
//
// 10,000 polylines of 5 vertices, each with the 21 attributes of the network layers. The writers
// are timed from the open to the close of the layer; ogr2ogr as the whole command. Best of a few
// runs each.
#include <algorithm>
#include <array>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "common/fortran_format.hpp"
#include "common/units.hpp"
#include "gis/layer_table.hpp"
#include "platform/console.hpp"
#include "platform/file.hpp"

namespace {

using namespace zx;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr int kFeatures = 10000;
constexpr int kVertices = 5;
constexpr int kRuns = 5;

// The network layers' columns, and the type each takes in ogr2ogr's column-type file.
struct Column {
    std::string_view name;
    std::string_view type;
    int width;
    std::string_view csvType;
};
constexpr std::array<Column, 21> kColumns{{
    {"ID", "Char", 12, "String(12)"},           {"Type", "Char", 4, "String(4)"},
    {"Ignore", "Char", 1, "String(1)"},         {"UCS", "Char", 1, "String(1)"},
    {"Len_or_ANA", "Float", 0, "Real(16.5)"},   {"n_or_n_F", "Float", 0, "Real(16.5)"},
    {"US_Invert", "Float", 0, "Real(16.5)"},    {"DS_Invert", "Float", 0, "Real(16.5)"},
    {"Form_Loss", "Float", 0, "Real(16.5)"},    {"pBlockage", "Float", 0, "Real(16.5)"},
    {"Inlet_Type", "Char", 50, "String(50)"},   {"Conn_1D_2D", "Char", 4, "String(4)"},
    {"Conn_No", "Integer", 0, "Integer(8)"},    {"Width_or_Dia", "Float", 0, "Real(16.5)"},
    {"Height_or_WF", "Float", 0, "Real(16.5)"}, {"Number_of", "Integer", 0, "Integer(8)"},
    {"Height_Cont", "Float", 0, "Real(16.5)"},  {"Width_Cont", "Float", 0, "Real(16.5)"},
    {"Entry_Loss", "Float", 0, "Real(16.5)"},   {"Exit_Loss", "Float", 0, "Real(16.5)"},
    {"Comment", "Char", 100, "String(100)"},
}};

// The attribute line of conduit i, as the network layer writes it.
std::string attributeLine(int i) {
    std::string line = "\"C" + std::to_string(i) + "\",\"C\",\"\",\"\",";
    for (double v : {12.5 + i, 0.013, 10.0 - i * 0.001, 9.5, 0.5, 0.0}) line += fmt::fixed(v, 10, 3) + ",";
    line += "\"\",\"\"," + fmt::integer(0, 8) + "," + fmt::fixed(0.3, 10, 3) + "," + fmt::fixed(0.0, 10, 3) + ",";
    line += fmt::integer(1, 8);
    for (int k = 0; k < 4; ++k) line += "," + fmt::fixed(0.0, 10, 3);
    return line + ",conduit";
}

double vertexX(int i, int j) { return 300000.0 + i * 10.0 + j; }
double vertexY(int i, int j) { return 6000000.0 + i * 5.0 + j * 2.0; }

double secondsSince(Clock::time_point start) { return std::chrono::duration<double>(Clock::now() - start).count(); }

double writeWithTheWriters(const fs::path& folder, const std::vector<std::string>& lines) {
    LayerTable& table = layers();
    table.gisAttributeTemplate.columns.clear();
    for (const auto& c : kColumns) {
        table.gisAttributeTemplate.columns.push_back({std::string(c.name), std::string(c.type), c.width});
    }
    const auto start = Clock::now();
    int id = gisOpenLayer((folder / "writers.shp").string(), "L", "O ", false);
    gisWriteHeader(id);
    GisObject object;
    gisInitialiseObject(object);
    object.pline = true;
    GisObjectVertices& v = table.gisObjectVertices;
    for (int i = 0; i < kFeatures; ++i) {
        v.setCount(kVertices);
        for (int j = 0; j < kVertices; ++j) {
            v.x[static_cast<std::size_t>(j)] = vertexX(i, j);
            v.y[static_cast<std::size_t>(j)] = vertexY(i, j);
        }
        table.gisAttributeLine = lines[static_cast<std::size_t>(i)];
        gisWriteObject(id, object);
        gisWriteRecord(id, object);
    }
    gisCloseLayer(id);
    return secondsSince(start);
}

// The same features as a CSV file with a WKT column, and the column types beside it.
bool writeCsv(const fs::path& folder, const std::vector<std::string>& lines) {
    std::string reason;
    const auto csv = platform::File::open((folder / "features.csv").string(), platform::OpenIntent::Replace, reason);
    const auto types = platform::File::open((folder / "features.csvt").string(), platform::OpenIntent::Replace, reason);
    if (!csv || !types) return false;
    std::string header = "WKT";
    std::string typeLine = "WKT";
    for (const auto& c : kColumns) {
        header += "," + std::string(c.name);
        typeLine += "," + std::string(c.csvType);
    }
    csv->writeRecord(header);
    types->writeRecord(typeLine);
    for (int i = 0; i < kFeatures; ++i) {
        std::string record = "\"LINESTRING (";
        for (int j = 0; j < kVertices; ++j) {
            if (j > 0) record += ",";
            record += fmt::fixedDigits(vertexX(i, j), 6) + " " + fmt::fixedDigits(vertexY(i, j), 6);
        }
        csv->writeRecord(record + ")\"," + lines[static_cast<std::size_t>(i)]);
    }
    return csv->close(reason) && types->close(reason);
}

double writeWithOgr2ogr(const fs::path& folder) {
    const std::string command = "ogr2ogr -f \"ESRI Shapefile\" -overwrite -nlt LINESTRING \"" +
                                (folder / "ogr2ogr.shp").string() + "\" \"" + (folder / "features.csv").string() +
                                "\" -oo GEOM_POSSIBLE_NAMES=WKT -oo KEEP_GEOM_COLUMNS=NO 2>/dev/null";
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) return -1;
    return secondsSince(start);
}

}  // namespace

int main() {
    auto& console = platform::console();
    std::string pattern = (fs::temp_directory_path() / "zx-bench-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) return 1;
    const fs::path folder = pattern;

    std::vector<std::string> lines;
    for (int i = 0; i < kFeatures; ++i) lines.push_back(attributeLine(i));
    if (!writeCsv(folder, lines)) return 1;

    INITUNITS(1000);
    std::FILE* quiet = std::fopen("/dev/null", "w");
    std::FILE* out = console.output();
    double writers = 1e9;
    double gdal = 1e9;
    for (int run = 0; run < kRuns; ++run) {
        console.redirect(quiet, stdin);  // the opener's transcript is not what is measured
        writers = std::min(writers, writeWithTheWriters(folder, lines));
        console.redirect(out, stdin);
        const double seconds = writeWithOgr2ogr(folder);
        if (seconds < 0) {
            console.writeLine("ogr2ogr failed (is gdal-bin installed?)");
            return 1;
        }
        gdal = std::min(gdal, seconds);
    }
    std::fclose(quiet);
    fs::remove_all(folder);

    console.writeLine(std::to_string(kFeatures) + " polylines of " + std::to_string(kVertices) + " vertices, " +
                      std::to_string(kColumns.size()) + " attributes, best of " + std::to_string(kRuns) + " runs:");
    console.writeLine("  shapefile writers: " + fmt::fixed(writers * 1000, 9, 1) + " ms");
    console.writeLine("  ogr2ogr from CSV:  " + fmt::fixed(gdal * 1000, 9, 1) + " ms");
    console.writeLine("  ratio ogr2ogr / writers: " + fmt::fixed(gdal / writers, 7, 1));
    return 0;
}
