// gis/layer_write.cpp: the three entry points through which a caller writes an output layer:
// the header once, then per object its geometry and its attribute record. Each looks the layer's
// format up, checks what the format writer will read, and hands the work to the MapInfo,
// shapefile or dBASE writer (gis/mif_writer, gis/shp_writer, gis/dbf_writer); their failures are
// reported here.
#include <algorithm>
#include <cmath>

#include "common/exit.hpp"
#include "common/fortran_format.hpp"
#include "common/number_text.hpp"
#include "common/text_lines.hpp"
#include "common/units.hpp"
#include "gis/dbf_writer.hpp"
#include "gis/layer_table.hpp"
#include "gis/mif_writer.hpp"
#include "gis/object_kind.hpp"
#include "gis/shp_writer.hpp"
#include "platform/console.hpp"

namespace zx {
namespace {

// The running extent a set starts its records with: any vertex narrows it.
constexpr double kFarExtent = static_cast<double>(9e29f);

bool isLineKind(const GisObject& object) { return object.line || object.pline || object.plineMultiple; }

// The one part of a region of a single ring.
constexpr std::int32_t kFirstVertex[] = {1};

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
        internalStop("Should not be here [gisO_%ir(i) <= gisO_%ir(i-1)]",
                     {"GIS Layer   =" + fmt::integer(gisID, 5), "i           =" + fmt::integer(i, 5),
                      "gisO_%ir(i) =" + fmt::integer(start, 5), "gisO_%nr    =" + fmt::integer(object.nr, 5)});
    }
}

// NaN and infinities are no coordinates: GIS readers reject such an object or the whole layer's
// extent, so the run stops instead of writing it.
void LayerTable::requireFiniteVertices(int gisID) {
    const GisObjectVertices& v = gisObjectVertices;
    const std::size_t count = std::min(static_cast<std::size_t>(std::max(v.nv, 0)), v.x.size());
    for (std::size_t j = 0; j < count; ++j) {
        if (std::isfinite(v.x[j]) && std::isfinite(v.y[j])) continue;
        stopWithMessages(formatOf(gisID) == LayerFormat::Mif ? "ERROR 0439 - Writing .mif file object coordinates."
                                                             : "ERROR 0439 - Writing .shp file object coordinates.",
                         "Vertex " + AINTEGER(static_cast<std::int32_t>(j + 1)) + " is not a finite number in layer " +
                             slot(gisID).fileName);
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
    const ObjectKind kind = objectKind(object, KindOrder::ShpSet);
    if (kind == ObjectKind::None) {
        for (std::size_t k = 0; k < kShpSets; ++k) {
            if (layer.dbf[k].unit > 0) writeShpRecord(object, kind, layer.shp[k]);
        }
        return;
    }
    const auto set = shpSetOf(kind);
    if (!set) stopWithMessage(pleaseContact("Should not be here [gisWriteObject-shp]."));
    // A shapefile has no text objects: the text's anchor goes to the point set as a point.
    writeShpRecord(object, kind, layer.shp[*set]);
}

VertexView LayerTable::vertexView(std::int32_t count) const {
    requireVertices(count);
    const auto n = static_cast<std::size_t>(count);
    return {std::span(gisObjectVertices.x).first(n), std::span(gisObjectVertices.y).first(n)};
}

std::span<const std::int32_t> LayerTable::partStarts(const GisObject& object) const {
    return std::span(object.ir).first(static_cast<std::size_t>(partCount(object)));
}

void LayerTable::writeMifHeader(const GisAttributeTemplate& columns, int unit) {
    platform::File* file = units().file(unit);
    if (file == nullptr) return;
    mif::writeHeader(*file, columns, mifCoordSysLine);
}

void LayerTable::writeMifObject(const GisObject& object, int unit, std::string_view styleLine1,
                                std::string_view styleLine2) {
    platform::File* file = units().file(unit);
    if (file == nullptr) stopWithMessage("ERROR 0439 - Writing .mif file object coordinates.");
    const ObjectKind kind = objectKind(object, KindOrder::Mif);
    const std::int32_t nv = gisObjectVertices.nv;
    // What each kind reads of the object; lines and regions without vertices read nothing.
    VertexView vertices;
    std::span<const std::int32_t> parts;
    switch (kind) {
        case ObjectKind::Point: vertices = vertexView(1); break;
        case ObjectKind::Line: vertices = vertexView(2); break;
        case ObjectKind::Text: vertices = vertexView(3); break;
        case ObjectKind::Multipoint: vertices = vertexView(nv); break;
        case ObjectKind::Pline:
            if (nv > 0) vertices = vertexView(nv);
            break;
        case ObjectKind::PlineMultiple:
        case ObjectKind::Region:
            if (nv == 0) break;
            parts = kind == ObjectKind::Region && object.nr < 2 ? std::span(kFirstVertex) : partStarts(object);
            vertices = vertexView(nv);
            break;
        case ObjectKind::None: break;
        case ObjectKind::Rect:
        case ObjectKind::RoundRect:
        case ObjectKind::Arc:
        case ObjectKind::Ellipse:
        case ObjectKind::Unsupported:
            stopWithMessage(pleaseContact("ERROR 0350 - Trying to write a MIF object that is not yet supported."));
    }
    mif::writeObject(*file, kind, parts, vertices, gisAttributeLine, styleLine1, styleLine2, mifLine_);
}

void LayerTable::writeShpFileHeader(ShpFileSet& set, int littleEndianUnit, int bigEndianUnit) {
    if (littleEndianUnit < 1 || bigEndianUnit < 1) internalStop("Should not be here [shpnotopen]");
    platform::File* file = units().file(littleEndianUnit);
    if (file == nullptr) stopWithMessage("ERROR 0437 - Writing .shp file header.");
    shp::writeHeader(*file, set);
    std::string reason;
    if (!file->flush(reason)) stopWithMessage("ERROR 0437 - Writing .shp file header.");
}

void LayerTable::writeShpObject(GisObject& object, ShpFileSet& set) {
    writeShpRecord(object, objectKind(object, KindOrder::ShapeRecord), set);
}

void LayerTable::writeShpRecord(GisObject& object, ObjectKind kind, ShpFileSet& set) {
    object.done = false;
    VertexView vertices;
    std::span<const std::int32_t> parts;
    switch (kind) {
        case ObjectKind::Point:
        case ObjectKind::Text: vertices = vertexView(1); break;
        case ObjectKind::Multipoint: vertices = vertexView(gisObjectVertices.nv); break;
        case ObjectKind::Line:
        case ObjectKind::Pline:
        case ObjectKind::PlineMultiple:
        case ObjectKind::Region:
            parts = partStarts(object);
            vertices = vertexView(gisObjectVertices.nv);
            break;
        case ObjectKind::None: break;
        case ObjectKind::Rect:
        case ObjectKind::RoundRect:
        case ObjectKind::Arc:
        case ObjectKind::Ellipse:
        case ObjectKind::Unsupported:
            stopWithMessage(pleaseContact("ERROR 0350 - Trying to write a SHP object that is not yet supported."));
    }
    platform::File* shpFile = units().file(set.shpUnit);
    platform::File* shxFile = units().file(set.shxUnitBigEndian);
    if (shpFile == nullptr || shxFile == nullptr) stopWithMessage("ERROR 0439 - Writing .shp file object coordinates.");
    shp::writeRecord(*shpFile, *shxFile, set, kind, parts, vertices);
    object.done = true;
}

void LayerTable::writeDbfHeader(const GisAttributeTemplate& columns, DbfTable& table) {
    if (table.unit < 1) return;
    platform::File* file = units().file(table.unit);
    if (file == nullptr) stopWithMessage("ERROR 0413 - Writing .dbf file header.");
    const dbf::FieldCheck check = dbf::defineFields(columns, table);
    switch (check.fault) {
        case dbf::FieldFault::None: break;
        case dbf::FieldFault::TooManyFields:
            stopWithMessage("ERROR 0411 - Exceeded maximum number of dbf Fields trying to write dbf file.");
        case dbf::FieldFault::NoFields: stopWithMessage("ERROR 0319 - No attributes specified when writing .dbf file.");
        case dbf::FieldFault::UnknownType: internalStop("Should not be here [Unrecognised DBF field]");
        case dbf::FieldFault::RecordTooLong: internalStop("Should not be here [dbfTotLen>32767]");
        case dbf::FieldFault::FieldWidth:
            stopWithMessage("ERROR 0412 - dbf field length of " + AINTEGER(check.width) +
                            " is outside allowable range of 1 to 255 when writing dbf file.");
    }
    dbf::writeHeader(*file, table);
    std::string reason;
    if (!file->flush(reason)) stopWithMessage("ERROR 0413 - Writing .dbf file header.");
}

void LayerTable::writeDbfLine(DbfTable& table) {
    writeDbfValues(table, gisAttributeLine, "Should not be here [dbfdataline]", "ERROR 0417 - Writing .dbf record.");
}

void LayerTable::writeDbfLineLarge(DbfTable& table) {
    writeDbfValues(table, gisAttributeLineLarge, "Should not be here [dbfdatalinelarge]",
                   "ERROR 0417 - Writing large .dbf record.");
}

void LayerTable::writeDbfValues(DbfTable& table, std::string_view line, std::string_view routine,
                                std::string_view failure) {
    platform::File* file = table.unit > 0 ? units().file(table.unit) : nullptr;
    if (file == nullptr) stopWithMessage(failure);
    if (dbf::writeRecord(*file, table, line, dbfBuffers_)) return;
    stopWithMessages(withContactRequest(routine), line.substr(0, 1000));
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
    const ObjectKind kind = objectKind(object, KindOrder::ShpSet);
    if (kind == ObjectKind::None) {
        for (auto& table : layer.dbf) {
            if (table.unit > 0) writeInto(table);
        }
        return;
    }
    const auto set = shpSetOf(kind);
    if (!set) stopWithMessage(pleaseContact(routine.dbfStop));
    writeInto(layer.dbf[*set]);
}

}  // namespace zx
