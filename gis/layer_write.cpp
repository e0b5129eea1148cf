// gis/layer_write.cpp: the three entry points through which a caller writes an output layer:
// the header once, then per object its geometry and its attribute record. Each looks the layer's
// format up and hands the work to the MapInfo, shapefile or dBASE writer.
#include <algorithm>
#include <cmath>

#include "build_info.hpp"
#include "common/exit.hpp"
#include "common/fortran_format.hpp"
#include "common/number_text.hpp"
#include "common/text_lines.hpp"
#include "common/units.hpp"
#include "gis/layer_table.hpp"
#include "platform/console.hpp"

namespace zx {
namespace {

// The running extent a set starts its records with: any vertex narrows it.
constexpr double kFarExtent = static_cast<double>(9e29f);

enum ShpSetIndex { kPoints = 0, kLines = 1, kRegions = 2 };

bool isLineKind(const GisObject& object) { return object.line || object.pline || object.plineMultiple; }

// The texts of the record writers, which differ only in the routine they name.
struct RecordRoutine {
    std::string_view idStop;
    std::string_view midFailure;
    std::string_view dbfStop;
    std::string_view formatStop;
};
constexpr RecordRoutine kRecord{"Should not be here gisWriteRecord[gisID=0]",
                                "ERROR 0254 - Failed to write attribute data record for a ",
                                "Should not be here [gisWriteRecord-dbf].", "Should not be here [gisWriteRecord]"};
constexpr RecordRoutine kRecordLarge{"Should not be here gisWriteRecordLarge[gisID=0]",
                                     "ERROR 0254 - Failed to write large attribute data record for a ",
                                     "Should not be here [gisWriteRecordLarge-dbf].",
                                     "Should not be here [gisWriteRecordLarge]"};

}  // namespace

void LayerTable::writeHeader(int gisID) {
    if (gisID < 1) stopLine("Should not be here gisWriteHeader[gisID=0]");
    switch (formatOf(gisID)) {
        case LayerFormat::Mif: writeMifHeader(gisAttributeTemplate, slot(gisID).mif.mifUnit); return;
        case LayerFormat::Shapefile: break;
        case LayerFormat::None:
        case LayerFormat::Csv: internalStop("Should not be here [gisWriteHeader]");
    }
    LayerSlot& layer = slot(gisID);
    for (std::size_t k = 0; k < kShpSets; ++k) {
        ShpFileSet& set = layer.shp[k];
        if (set.shpUnit > 0) {
            if (set.prjUnit > 0) {
                writeUnitRecord(set.prjUnit, significantPart(shpProjectionText));
                CLOSER(set.prjUnit);
            }
            writeShpFileHeader(set, set.shpUnit, set.shpUnitBigEndian);
            writeShpFileHeader(set, set.shxUnit, set.shxUnitBigEndian);
            // From here on the index is written through its big-endian unit alone.
            CLOSER(set.shxUnit);
            set.xmin = set.ymin = kFarExtent;
            set.xmax = set.ymax = -kFarExtent;
            set.nextRecordWords = kShpHeaderWords;
        }
        // An attribute-only layer has a table without geometry files; it needs its header all the
        // same, or no reader takes its records.
        writeDbfHeader(gisAttributeTemplate, layer.dbf[k]);
        layer.dbf[k].recordsDone = 0;
    }
}

void LayerTable::validateParts(int gisID, GisObject& object) {
    if (!isLineKind(object) && !object.region) return;
    if (object.nr < 1) object.nr = 1;
    if (object.ir[0] < 1) object.ir[0] = 1;
    if (static_cast<std::size_t>(object.nr) > object.ir.size()) internalStop("Should not be here [gisO_%nr]");
    for (std::int32_t i = 2; i <= object.nr; ++i) {
        const std::int32_t start = object.ir[static_cast<std::size_t>(i - 1)];
        const std::int32_t previous = object.ir[static_cast<std::size_t>(i - 2)];
        if (start > previous) continue;
        auto& console = platform::console();
        console.writeLine();
        console.writeLine("Should not be here [gisO_%ir(i) <= gisO_%ir(i-1)] - please contact " +
                          std::string(kContactAddress) + ".");
        console.writeLine("GIS Layer   =" + fmt::integer(gisID, 5));
        console.writeLine("i           =" + fmt::integer(i, 5));
        console.writeLine("gisO_%ir(i) =" + fmt::integer(start, 5));
        console.writeLine("gisO_%nr    =" + fmt::integer(object.nr, 5));
        EXITS();
    }
}

// NaN and infinities are no coordinates: GIS readers reject such an object or the whole layer's
// extent, so the run stops instead of writing it.
void LayerTable::requireFiniteVertices(int gisID) {
    const GisObjectVertices& v = gisObjectVertices;
    const std::size_t count = std::min(static_cast<std::size_t>(std::max(v.nv, 0)), v.x.size());
    for (std::size_t j = 0; j < count; ++j) {
        if (std::isfinite(v.x[j]) && std::isfinite(v.y[j])) continue;
        gisMessageLines[1] = "Vertex " + AINTEGER(static_cast<std::int32_t>(j + 1)) +
                             " is not a finite number in layer " + slot(gisID).fileName;
        gisMessageLines[2].clear();
        gisMessageLines[3].clear();
        stopWithMessage(formatOf(gisID) == LayerFormat::Mif ? "ERROR 0439 - Writing .mif file object coordinates."
                                                            : "ERROR 0439 - Writing .shp file object coordinates.");
    }
}

void LayerTable::writeObject(int gisID, GisObject& object) {
    if (gisID < 1) stopLine("Should not be here gisWriteObject[gisID=0]");
    validateParts(gisID, object);
    requireFiniteVertices(gisID);
    switch (formatOf(gisID)) {
        case LayerFormat::Mif: {
            const MifLayerRecord& mif = slot(gisID).mif;
            writeMifObject(object, mif.mifUnit, mif.styleLine1, mif.styleLine2);
            return;
        }
        case LayerFormat::Shapefile: break;
        case LayerFormat::None:
        case LayerFormat::Csv: internalStop("Should not be here [gisWriteObject]");
    }
    LayerSlot& layer = slot(gisID);
    if (object.point) {
        writeShpObject(object, layer.shp[kPoints]);
    } else if (isLineKind(object)) {
        writeShpObject(object, layer.shp[kLines]);
    } else if (object.region) {
        writeShpObject(object, layer.shp[kRegions]);
    } else if (object.text) {
        // A shapefile has no text objects: the text's anchor goes to the point set as a point.
        object.text = false;
        object.point = true;
        writeShpObject(object, layer.shp[kPoints]);
    } else if (object.multipoint) {
        writeShpObject(object, layer.shp[kPoints]);
    } else if (object.none) {
        for (std::size_t k = 0; k < kShpSets; ++k) {
            if (layer.dbf[k].unit > 0) writeShpObject(object, layer.shp[k]);
        }
    } else {
        stopWithMessage(pleaseContact("Should not be here [gisWriteObject-shp]."));
    }
}

void LayerTable::writeRecord(int gisID, const GisObject& object) { writeRecordOf(gisID, object, false); }

void LayerTable::writeRecordLarge(int gisID, const GisObject& object) { writeRecordOf(gisID, object, true); }

void LayerTable::writeRecordOf(int gisID, const GisObject& object, bool large) {
    const RecordRoutine& routine = large ? kRecordLarge : kRecord;
    const std::string& line = large ? gisAttributeLineLarge : gisAttributeLine;
    if (gisID < 1) stopLine(routine.idStop);
    switch (formatOf(gisID)) {
        case LayerFormat::Mif: {
            platform::File* mid = units().file(slot(gisID).mif.midUnit);
            if (mid == nullptr) {
                stopWithMessage(std::string(routine.midFailure) + std::string(significantPart(object.kindName)) +
                                " object in GIS layer.");
            }
            mid->writeRecord(significantPart(line));
            return;
        }
        case LayerFormat::Shapefile: break;
        case LayerFormat::None:
        case LayerFormat::Csv: internalStop(routine.formatStop);
    }
    LayerSlot& layer = slot(gisID);
    auto writeInto = [&](DbfTable& table) {
        ++table.recordsDone;
        if (large) {
            writeDbfLineLarge(table);
        } else {
            writeDbfLine(table);
        }
    };
    if (object.point) {
        writeInto(layer.dbf[kPoints]);
    } else if (isLineKind(object)) {
        writeInto(layer.dbf[kLines]);
    } else if (object.region) {
        writeInto(layer.dbf[kRegions]);
    } else if (object.text || object.multipoint) {
        writeInto(layer.dbf[kPoints]);
    } else if (object.none) {
        for (auto& table : layer.dbf) {
            if (table.unit > 0) writeInto(table);
        }
    } else {
        stopWithMessage(pleaseContact(routine.dbfStop));
    }
}

}  // namespace zx
