// tests/probe/zx_layer_probe.cpp: drives the layer readers as a library caller would and writes
// what they return as JSON lines, so that tests and fuzzers compare it with other readers.
//   zx_layer_probe read LAYER OUT.jsonl
//   zx_layer_probe grid LAYER OUT.json ...   (probe/grid_mode.cpp)
// The console transcript goes to standard output; the exit status is 0 when the layer was read
// to its end, non-zero after a fatal stop.
#include <cmath>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "common/units.hpp"
#include "gis/layer_table.hpp"
#include "probe/probe.hpp"

namespace zx::probe {

std::string jsonReal(double value) {
    if (!std::isfinite(value)) return "null";
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.17g", value);
    return buffer;
}

std::string jsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (byte < 0x20 || byte >= 0x7f) {
            // Bytes of the layer's own code page pass as their code points, so any byte reads.
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", byte);
            out += escape;
        } else {
            out += c;
        }
    }
    return out + "\"";
}

namespace {

constexpr std::int32_t kNodeLimit = 100000;

// The name of the first kind flag set, in the order the probe's callers know them.
std::string_view kindOf(const GisObject& o) {
    const std::pair<bool, std::string_view> kinds[] = {
        {o.point, "POINT"},        {o.line, "LINE"},     {o.pline, "PLINE"}, {o.plineMultiple, "PLINE MULTIPLE"},
        {o.region, "REGION"},      {o.multipoint, "MULTIPOINT"}, {o.none, "NONE"}, {o.text, "TEXT"},
        {o.arc, "ARC"},            {o.ellipse, "ELLIPSE"},       {o.rect, "RECT"}, {o.roundRect, "ROUNDRECT"},
    };
    for (const auto& [set, name] : kinds) {
        if (set) return name;
    }
    return "NONE";
}

void writeLine(std::FILE* out, const std::string& line) {
    std::fputs(line.c_str(), out);
    std::fputc('\n', out);
    // Each line reaches the file at once: a fatal stop later leaves every object read before it.
    std::fflush(out);
}

std::string fieldsLine(int gisID, int records) {
    LayerTable& table = layers();
    std::string line = "{\"fields\": [";
    auto add = [&](std::string_view name, std::string_view type) {
        if (line.back() != '[') line += ", ";
        line += "[" + jsonString(name) + ", " + jsonString(type) + "]";
    };
    if (table.slot(gisID).format == LayerFormat::Mif) {
        int count = 0;
        if (gisGotoBeginningOfAttributes(gisID, count)) {
            for (int i = 0; i < count; ++i) {
                gisReadAttributeDefinition(gisID);
                add(table.mifAttributeDefinition.name, table.mifAttributeDefinition.type);
            }
        }
        gisGotoBeginningOfData(gisID);
    } else {
        for (const DbfField& field : table.slot(gisID).dbf[0].fields) {
            add(field.name, std::string(1, field.type) + "(" + std::to_string(field.width) + ")");
        }
    }
    return line + "], \"records\": " + std::to_string(records) + "}";
}

int runReadMode(const std::string& layer, const std::string& outName) {
    std::FILE* out = std::fopen(outName.c_str(), "w");
    if (out == nullptr) {
        std::printf("Cannot write %s\n", outName.c_str());
        return 2;
    }
    INITUNITS(1000);
    int gisID = gisOpenLayer(layer, "", "I ", false);
    if (gisID == 0) {
        std::printf("No layer %s\n", layer.c_str());
        return 1;
    }
    gisReadHeader(gisID);
    const int records = gisNumberRecords(gisID);
    writeLine(out, fieldsLine(gisID, records));

    std::vector<double> x(kNodeLimit);
    std::vector<double> y(kNodeLimit);
    GisObject object;
    std::string record;
    LayerTable& table = layers();
    while (!table.slot(gisID).endOfFile && gisObjectType(gisID, object)) {
        ObjectReadout readout{x, y, kNodeLimit};
        std::string parts = "[";
        for (std::int32_t part = 0; part < object.count; ++part) {
            gisReadObject(gisID, object, readout, true);
            if (part > 0) parts += ", ";
            parts += "[";
            for (std::int32_t j = 0; j < readout.nv; ++j) {
                if (j > 0) parts += ", ";
                const auto k = static_cast<std::size_t>(j);
                parts += "[" + jsonReal(x[k]) + ", " + jsonReal(y[k]) + "]";
            }
            parts += "]";
        }
        parts += "]";
        gisReadRecord(gisID, object, record);
        std::string ir = "[";
        for (std::int32_t i = 0; i < object.nr; ++i) {
            if (i > 0) ir += ", ";
            ir += std::to_string(object.ir[static_cast<std::size_t>(i)]);
        }
        ir += "]";
        writeLine(out, "{\"kind\": " + jsonString(kindOf(object)) + ", \"count\": " + std::to_string(object.count) +
                           ", \"nr\": " + std::to_string(object.nr) + ", \"parts\": " + parts + ", \"ir\": " + ir +
                           ", \"label\": [" + jsonReal(readout.labelX) + ", " + jsonReal(readout.labelY) +
                           "], \"angle\": " + jsonReal(readout.angle) + ", \"length\": " + jsonReal(readout.length) +
                           ", \"record\": " + jsonString(record) +
                           ", \"deleted\": " + (object.deleted ? "true" : "false") + "}");
    }
    std::fclose(out);
    gisCloseLayer(gisID);
    return 0;
}

int usage() {
    std::fputs("usage: zx_layer_probe read LAYER OUT.jsonl\n"
               "       zx_layer_probe grid LAYER OUT.json --origin X0 Y0 --angle A --cell DX DY --size ROWS COLS\n"
               "              [--offset M1 M2] [--extent N1 N2] [--integer] [--count-only] [--faces] [--all-pairs]\n"
               "              [--halve] [--add]\n",
               stderr);
    return 2;
}

}  // namespace
}  // namespace zx::probe

int main(int argc, char** argv) {
    if (argc < 2) return zx::probe::usage();
    const std::string_view mode = argv[1];
    if (mode == "read" && argc == 4) return zx::probe::runReadMode(argv[2], argv[3]);
    if (mode == "grid") return zx::probe::runGridMode(argc, argv);
    return zx::probe::usage();
}
