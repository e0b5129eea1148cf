// gis/layer_table.cpp: the one layer table of the process, the GIS message lines, the resets of
// the object record and of a layer slot, and the library's routine names as forwarders.
#include "gis/layer_table.hpp"

#include <algorithm>

#include "common/exit.hpp"
#include "common/text_lines.hpp"
#include "common/units.hpp"
#include "platform/console.hpp"

namespace zx {

LayerTable& layers() {
    static LayerTable table;
    return table;
}

void LayerTable::writeMessage(int blankLines) {
    auto writeTo = [&](auto&& writeLine) {
        for (int i = 0; i < blankLines; ++i) writeLine(std::string_view{});
        writeLine(significantPart(gisMessageLines[0]));
        for (std::size_t i = 1; i < gisMessageLines.size(); ++i) {
            const std::string_view line = significantPart(gisMessageLines[i]);
            if (!line.empty()) writeLine(line);
        }
    };
    writeTo([](std::string_view line) { platform::console().writeLine(line); });
    if (gisLogUnit > 0) writeTo([&](std::string_view line) { writeUnitRecord(gisLogUnit, line); });
}

void LayerTable::reportLine(std::string_view text) {
    platform::console().writeLine(text);
    if (gisLogUnit > 0) writeUnitRecord(gisLogUnit, text);
}

void LayerTable::stopWithMessage(std::string_view line1) {
    gisMessageLines[0] = line1;
    writeMessage(1);
    EXITS();
}

void LayerTable::stopWithMessages(std::string_view line1, std::string_view line2, std::string_view line3) {
    gisMessageLines[1] = line2;
    gisMessageLines[2] = line3;
    gisMessageLines[3].clear();
    stopWithMessage(line1);
}

void LayerTable::stopLine(std::string_view what) { internalStop(what, {}, false); }

std::string LayerTable::pleaseContact(std::string_view what) { return withContactRequest(what, "  Please contact "); }

LayerFormat LayerTable::formatOf(int gisID) const {
    return gisID >= 1 && gisID <= gisMaxLayers ? slots_[static_cast<std::size_t>(gisID)].format : LayerFormat::None;
}

void LayerTable::initialiseLayer(int gisID) {
    if (gisID < 1 || gisID > gisMaxLayers) stopLine("Should not be here gisInitialiseLayer[gisID=0]");
    LayerSlot& layer = slot(gisID);
    layer.format = LayerFormat::None;
    layer.fileName.clear();
    layer.endOfFile = false;
    layer.recordsLeftTold = false;
    layer.skippedLinesTold = false;
    layer.output = false;
    layer.mif = MifLayerRecord{};
    layer.shp = {};
    layer.dbf = {};
}

void LayerTable::requireVertices(std::int32_t count) const {
    const auto held = static_cast<std::int64_t>(std::min(gisObjectVertices.x.size(), gisObjectVertices.y.size()));
    if (count < 0 || count > kMaxVertices || count > held) internalStop("Should not be here [gisObjectVertices%nv]");
}

std::int32_t LayerTable::partCount(const GisObject& object) const {
    const std::int32_t parts = std::max(object.nr, 1);
    if (parts > kMaxParts || static_cast<std::size_t>(parts) > object.ir.size()) {
        internalStop("Should not be here [gisO_%nr]");
    }
    // Every part starts at a vertex the object has; an object without vertices has its one part
    // start at 1.
    const std::int32_t last = std::max(gisObjectVertices.nv, 1);
    for (std::int32_t i = 0; i < parts; ++i) {
        const std::int32_t start = object.ir[static_cast<std::size_t>(i)];
        if (start < 1 || start > last) internalStop("Should not be here [gisO_%ir]");
    }
    requireVertices(gisObjectVertices.nv);
    return parts;
}

void gisInitialiseObject(GisObject& object) {
    object.none = object.point = object.line = object.pline = object.plineMultiple = object.region = false;
    object.ellipse = object.rect = object.roundRect = object.arc = object.center = object.text = false;
    object.multipoint = false;
    object.count = 1;
    object.nr = 1;
    object.ir[0] = 1;
    object.kindName.clear();
    object.deleted = false;
}

void gisWriteMessage(int blankLines) { layers().writeMessage(blankLines); }
void gisInitialiseLayer(int gisID) { layers().initialiseLayer(gisID); }
void gisInitialise(int logUnit, std::string_view simulationName, std::string_view workspaceName,
                   std::string_view listName) {
    layers().initialise(logUnit, simulationName, workspaceName, listName);
}
void gisCloseTracking() { layers().closeTracking(); }
int gisOpenLayer(std::string_view name, std::string_view geometry, std::string_view mode, bool attributeOnly) {
    return layers().openLayer(name, geometry, mode, attributeOnly);
}
bool OpenshpFile(std::string_view name, std::string_view letters, DbfTable& table, ShpFileSet& set,
                 std::string_view mode, bool attributeOnly) {
    return layers().openShpFile(name, letters, table, set, mode, attributeOnly);
}
void OpenmifFile(std::string_view name, int& mifUnit, int& midUnit, std::string_view mode, bool attributeOnly) {
    layers().openMifFile(name, mifUnit, midUnit, mode, attributeOnly);
}
LayerFormat gisFileType(std::string_view extension, bool allowAttributeOnly) {
    return layers().fileType(extension, allowAttributeOnly);
}
std::string shpProjectionName(std::string& text) { return layers().projectionName(text); }
void gisWriteHeader(int gisID) { layers().writeHeader(gisID); }
void mifWriteHeader(const GisAttributeTemplate& columns, int unit) { layers().writeMifHeader(columns, unit); }
void gisWriteObject(int gisID, GisObject& object) { layers().writeObject(gisID, object); }
void mifWriteObject(const GisObject& object, int unit, std::string_view styleLine1, std::string_view styleLine2) {
    layers().writeMifObject(object, unit, styleLine1, styleLine2);
}
void gisWriteRecord(int gisID, const GisObject& object) { layers().writeRecord(gisID, object); }
void gisWriteRecordLarge(int gisID, const GisObject& object) { layers().writeRecordLarge(gisID, object); }
void shpWriteFileHeader(ShpFileSet& set, int littleEndianUnit, int bigEndianUnit) {
    layers().writeShpFileHeader(set, littleEndianUnit, bigEndianUnit);
}
void shpWriteObject(GisObject& object, ShpFileSet& set) { layers().writeShpObject(object, set); }
void dbfWriteHeader(const GisAttributeTemplate& columns, DbfTable& table) { layers().writeDbfHeader(columns, table); }
void dbfdataline(DbfTable& table) { layers().writeDbfLine(table); }
void dbfdatalinelarge(DbfTable& table) { layers().writeDbfLineLarge(table); }
void gisCloseLayer(int& gisID) { layers().closeLayer(gisID); }
void gisWriteEoF(int gisID) { layers().writeEoF(gisID); }
bool gisCloseAllLayers() { return layers().closeAllLayers(); }

}  // namespace zx
