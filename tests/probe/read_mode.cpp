// tests/probe/read_mode.cpp: the read mode of zx_layer_probe, also the path the reader fuzz target
// drives: a layer opened for input, its header, then every object with its parts and record, as
// one JSON line each.
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "common/units.hpp"
#include "gis/layer_table.hpp"
#include "probe/probe.hpp"

namespace zx::probe {
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

}  // namespace

ReadEnd endOf(int gisID, int objects) {
    const LayerSlot& layer = layers().slot(gisID);
    ReadEnd end;
    end.reached = true;
    end.objects = objects;
    if (layer.format == LayerFormat::Mif) {
        end.records = layer.mif.recordsDone;
        end.geometryLeft = !units().file(layer.mif.mifUnit)->atEnd();
        end.recordsLeft = !units().file(layer.mif.midUnit)->atEnd();
        return end;
    }
    const DbfTable& table = layer.dbf[0];
    end.records = table.recordsDone;
    end.geometryLeft = !shp::atEnd(layer.shp[0]);
    end.recordsLeft = dbf::recordsLeft(*units().file(table.unit), table) > 0;
    return end;
}

int readLayer(const std::string& layer, std::FILE* out, ReadEnd* end) {
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
    std::vector<fuzz::DeliveredObject> delivered;
    while (!table.slot(gisID).endOfFile && gisObjectType(gisID, object)) {
        fuzz::DeliveredObject& d = delivered.emplace_back(fuzz::DeliveredObject{kindOf(object), {}});
        ObjectReadout readout{x, y, kNodeLimit};
        std::string parts = "[";
        for (std::int32_t part = 0; part < object.count; ++part) {
            gisReadObject(gisID, object, readout, true);
            d.partVertices.push_back(readout.nv);
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
    if (end != nullptr) {
        *end = endOf(gisID, static_cast<int>(delivered.size()));
        end->delivered = std::move(delivered);
    }
    gisCloseLayer(gisID);
    return 0;
}

}  // namespace zx::probe
