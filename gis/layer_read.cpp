// gis/layer_read.cpp: reading an input layer: its headers and attribute definitions, then per
// object its kind, its coordinates (with a label point, angle and length) and its attribute
// record. Each entry point looks the layer's format up and hands the work to the MapInfo,
// shapefile or dBASE reader (gis/mif_reader, gis/shp_reader, gis/dbf_reader); their faults are
// worded and reported here, and end the run.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

#include "common/exit.hpp"
#include "common/fortran_format.hpp"
#include "common/line_values.hpp"
#include "common/number_text.hpp"
#include "common/strings.hpp"
#include "common/text_lines.hpp"
#include "common/units.hpp"
#include "geometry/primitives.hpp"
#include "gis/file_layouts.hpp"
#include "gis/layer_table.hpp"
#include "platform/console.hpp"
#include "platform/filesystem.hpp"

namespace zx {
namespace {

constexpr std::string_view kDefaultCoordSys =
    "CoordSys NonEarth Units \"m\" Bounds(-9999999, -9999999) (9999999, 9999999)";

struct ShapeTypeName {
    std::int32_t type;
    std::string_view name;
};
// The names of the shape types in messages; any other type is "Unknown".
constexpr std::array<ShapeTypeName, 14> kShapeTypeNames{{
    {shp::kNullShape, "Null Shape"},
    {shp::kPointShape, "Point"},
    {shp::kPolyLineShape, "Polyline"},
    {shp::kPolygonShape, "Polygon"},
    {shp::kMultiPointShape, "MultiPoint"},
    {shp::kPointZShape, "PointZ"},
    {shp::kPolyLineZShape, "PolyLineZ"},
    {shp::kPolygonZShape, "PolygonZ"},
    {shp::kMultiPointZShape, "MultiPointZ"},
    {shp::kPointMShape, "PointM"},
    {shp::kPolyLineMShape, "PolyLineM"},
    {shp::kPolygonMShape, "PolygonM"},
    {shp::kMultiPointMShape, "MultiPointM"},
    {shp::kMultiPatchShape, "MultiPatch"},
}};

std::string_view shapeTypeName(std::int32_t type) {
    for (const ShapeTypeName& entry : kShapeTypeNames) {
        if (entry.type == type) return entry.name;
    }
    return "Unknown";
}

platform::File& fileOf(int unit) {
    platform::File* file = units().file(unit);
    if (file == nullptr) internalStop("Should not be here [file unit " + AINTEGER(unit) + " not open]");
    return *file;
}

std::string requestedLine(std::int32_t requested, std::int32_t limit) {
    return "             Requested" + fmt::integer(requested, 8) + "        Limit" + fmt::integer(limit, 8);
}

float degrees(double dy, double dx) { return static_cast<float>(std::atan2(dy, dx) * 180.0 / std::numbers::pi); }

// A polyline part's length, and its label and angle halfway along it.
void placeOnPolyline(ObjectReadout& out, std::size_t nv) {
    if (nv == 0) return;
    const auto& x = out.x;
    const auto& y = out.y;
    float total = 0.0f;
    for (std::size_t k = 1; k < nv; ++k) total += DISTANCE_8(x[k - 1], y[k - 1], x[k], y[k]);
    out.length = total;
    // A part of no length (or of one vertex) is labelled at its first vertex.
    out.labelX = x[0];
    out.labelY = y[0];
    const float half = total / 2.0f;
    float walked = 0.0f;
    for (std::size_t k = 1; k < nv && total > 0.0f; ++k) {
        const float segment = DISTANCE_8(x[k - 1], y[k - 1], x[k], y[k]);
        if (segment > 0.0f && walked + segment >= half) {
            const double t = static_cast<double>(half - walked) / static_cast<double>(segment);
            out.labelX = x[k - 1] + t * (x[k] - x[k - 1]);
            out.labelY = y[k - 1] + t * (y[k] - y[k - 1]);
            out.angle = degrees(y[k] - y[k - 1], x[k] - x[k - 1]);
            return;
        }
        walked += segment;
    }
}

// The mean of the vertices without the last ring's closing point and separator: for one closed
// ring, the mean of its corners. Fewer vertices: the first.
void placeInRegion(ObjectReadout& out, std::size_t nv) {
    if (nv < 3) {
        if (nv >= 1) {
            out.labelX = out.x[0];
            out.labelY = out.y[0];
        }
        return;
    }
    double sx = 0.0;
    double sy = 0.0;
    for (std::size_t k = 0; k + 2 < nv; ++k) {
        sx += out.x[k];
        sy += out.y[k];
    }
    out.labelX = sx / static_cast<double>(nv - 2);
    out.labelY = sy / static_cast<double>(nv - 2);
}

// Label point, angle and length of the object or part just read, by its kind.
void placeLabel(const GisObject& object, ObjectReadout& out) {
    const auto nv = static_cast<std::size_t>(std::max(out.nv, 0));
    const auto& x = out.x;
    const auto& y = out.y;
    switch (objectKind(object, KindOrder::Read)) {
        case ObjectKind::Point:
        case ObjectKind::Multipoint:
            out.labelX = x[0];
            out.labelY = y[0];
            if (out.capacity() >= 2) {
                x[1] = x[0];
                y[1] = y[0];
            }
            return;
        case ObjectKind::Line:
        case ObjectKind::Rect:
        case ObjectKind::RoundRect:
            out.labelX = (x[0] + x[1]) / 2.0;
            out.labelY = (y[0] + y[1]) / 2.0;
            out.angle = degrees(y[1] - y[0], x[1] - x[0]);
            out.length = DISTANCE_8(x[0], y[0], x[1], y[1]);
            return;
        case ObjectKind::Arc:
        case ObjectKind::Ellipse: out.nv = 0; return;
        case ObjectKind::Pline:
        case ObjectKind::PlineMultiple: placeOnPolyline(out, nv); return;
        case ObjectKind::Region:
            if (out.noCentre) placeInRegion(out, nv);
            return;
        case ObjectKind::Text:
        case ObjectKind::None:
        case ObjectKind::Unsupported: return;
    }
}

}  // namespace

void LayerTable::requireId(int gisID, std::string_view routine) const {
    if (gisID < 1 || gisID > gisMaxLayers) {
        stopLine("Should not be here " + std::string(routine) + "[gisID=0]");
    }
}

void LayerTable::stopOnMif(const mif::Outcome& outcome, std::string_view line, std::int32_t limit) {
    using enum mif::Fault;
    switch (outcome.fault) {
        case NoColumnsLine: stopWithMessage("ERROR 0315 - Could not find start of attribute definitions in .mif file");
        case ColumnCount: stopWithMessage("ERROR 0314 - Could not read number of attributes in .mif file");
        case NoColumns: stopWithMessage("ERROR 0319 - No attributes specified in .mif file.");
        case ColumnLine: stopWithMessages("ERROR 0316 - Could not read attribute definitions in .mif file", line);
        case NoDataLine: stopWithMessage("ERROR 0313 - Could not find start of \"Data\" block in .mif file.");
        case TypeEnd: stopWithMessage("ERROR 0322 - End of .mif file encountered whilst reading object type.");
        case TypeRead: stopWithMessage("ERROR 0321 - Reading .mif file object type.");
        case Collection:
            stopWithMessage("ERROR 0303 - MIF \"Collection\" objects not supported.  Delete or disaggregate object.");
        case TooManyPolygons:
            stopWithMessages("ERROR 0304 - Exceeded maximum number of polygons in region below of " + AINTEGER(kMaxParts),
                             line);
        case KeywordLine:
        case CoordinatesRead:
            stopWithMessages("ERROR 0308 - Reading .mif file.  Check file format is not corrupted.", line);
        case CoordinatesEnd: stopWithMessage("ERROR 0309 - Unexpected end of .mif file encountered.");
        case TooManyNodes:
            stopWithMessages("ERROR 0310 - Exceeded number of allowable nodes in a single polyline or region.",
                             requestedLine(outcome.requested, limit));
        case RegionTooSmall: stopWithMessage("ERROR 0318 - Less than 5 points for Region object in mif file.");
        case None: break;
    }
    internalStop("Should not be here [mif reader]");
}

void LayerTable::stopOnShp(const shp::Outcome& outcome, const ShpFileSet& set, bool coordinates, std::int32_t limit) {
    const std::string record = "Record " + AINTEGER(set.recordCount) + ": " + outcome.reason + ".";
    using enum shp::Fault;
    switch (outcome.fault) {
        case EndOfFile:
            stopWithMessage(coordinates ? "ERROR 0430 - End of .shp file encountered whilst reading object coordinates."
                                        : "ERROR 0425 - End of .shp file encountered whilst reading object type.");
        case Malformed:
            stopWithMessages(coordinates ? "ERROR 0429 - Reading .shp file object coordinates."
                                         : "ERROR 0424 - Reading .shp file object type.",
                             record);
        case TooManyParts:
            stopWithMessage("ERROR 0421 - Exceeded maximum number of parts in a .shp polyline.  Limit is " +
                            AINTEGER(kMaxParts));
        case TooManyRings:
            stopWithMessage("ERROR 0422 - Exceeded maximum number of regions within a .shp region.  Limit is " +
                            AINTEGER(kMaxParts));
        case Unsupported:
            if (coordinates) stopWithMessage(pleaseContact("Should not be here [shpReadObject]."));
            stopWithMessage("ERROR 0423 - Unsupported .shp object type " + std::string(shapeTypeName(outcome.detail)) +
                            " [" + AINTEGER(outcome.detail) + "]");
        case TooManyNodes:
            stopWithMessages("ERROR 0310 - Exceeded number of allowable nodes in a single .shp polyline or region.",
                             requestedLine(outcome.detail, limit));
        case None: break;
    }
    internalStop("Should not be here [shp reader]");
}

void LayerTable::readShpFileHeader(int unit, std::int32_t& fileCode, std::int32_t& fileLengthWords,
                                   std::int32_t& version, std::int32_t& shapeType, double& xmin, double& ymin,
                                   double& xmax, double& ymax) {
    if (unit < 1) return;
    shp::FileHeader header;
    switch (shp::readFileHeader(fileOf(unit), header)) {
        case shp::HeaderFault::None: break;
        case shp::HeaderFault::EndOfFile:
            stopWithMessage("ERROR 0428 - End of .shp file encountered whilst reading header.");
        case shp::HeaderFault::Unreadable: stopWithMessage("ERROR 0427 - Reading .shp file header.");
    }
    fileCode = header.fileCode;
    fileLengthWords = header.fileLengthWords;
    version = header.version;
    shapeType = header.shapeType;
    xmin = header.xmin;
    ymin = header.ymin;
    xmax = header.xmax;
    ymax = header.ymax;
}

void LayerTable::readDbfHeader(DbfTable& table) {
    if (table.unit < 1) return;
    const dbf::HeaderOutcome outcome = dbf::readHeader(fileOf(table.unit), table);
    using enum dbf::HeaderFault;
    if (outcome.fault != EndOfFile && outcome.fault != Unreadable) {
        platform::console().writeLine("DBF file contains " + AINTEGER(table.headerRecordCount) + " records.");
    }
    switch (outcome.fault) {
        case None: break;
        case EndOfFile: stopWithMessage("ERROR 0404 - End of .dbf file encountered whilst reading header.");
        case Unreadable: stopWithMessage("ERROR 0403 - Reading .dbf file header.");
        case TooManyFields: stopWithMessage("ERROR 0401 - Exceeded maximum number of dbf Fields.");
        case FieldWidth:
            stopWithMessage("ERROR 0402 - dbf field length of " + AINTEGER(outcome.width) +
                            " is outside allowable range of 1 to 255.");
        case NoFields: stopWithMessage("ERROR 0319 - No attributes specified in .dbf file.");
        case Lengths:
            stopWithMessages("ERROR 0403 - Reading .dbf file header.",
                             "Header length " + AINTEGER(table.headerBytes) + " or record length " +
                                 AINTEGER(table.recordBytes) + " too short for its " +
                                 AINTEGER(static_cast<std::int32_t>(table.fields.size())) + " fields.");
    }
    std::string line = AINTEGER(static_cast<std::int32_t>(table.fields.size())) + " DBF Fields (Name [#/Type/Length]): ";
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        const DbfField& field = table.fields[i];
        line += field.name + " [" + AINTEGER(static_cast<std::int32_t>(i + 1)) + "/" + std::string(1, field.type) + "/" +
                AINTEGER(field.width) + "]  ";
    }
    reportLine(line);
}

void LayerTable::readMifHeader(MifLayerRecord& mif) {
    if (mif.mifUnit < 1) return;
    mif::HeaderLines header;
    const mif::Fault fault = mif::readColumns(fileOf(mif.mifUnit), mif.columns, header, mifLineIn_);
    mif.delimiter = header.delimiter;
    if (fault != mif::Fault::None && fault != mif::Fault::NoDataLine) stopOnMif({fault, 0}, mifLineIn_, 0);
    std::string line = AINTEGER(static_cast<std::int32_t>(mif.columns.size())) + " MIF Fields: Name [#/Type]: ";
    for (std::size_t i = 0; i < mif.columns.size(); ++i) {
        line += TRIMF(mif.columns[i].name) + " [" + AINTEGER(static_cast<std::int32_t>(i + 1)) + "/" +
                TRIMF(mif.columns[i].type) + "]  ";
    }
    reportLine(line);
    if (fault == mif::Fault::NoDataLine) stopOnMif({fault, 0}, mifLineIn_, 0);
    if (!header.transform.empty() && !mif::transformChangesNothing(header.transform)) {
        gisMessageLines = {"WARNING 0325 - Transform in .mif file header not applied: coordinates are read as written.",
                           header.transform, "", ""};
        writeMessage(0);
    }
}

void LayerTable::startShpReading(ShpFileSet& set) {
    std::int32_t ignoredCode = 0;
    std::int32_t ignoredLength = 0;
    readShpFileHeader(set.shpUnit, ignoredCode, ignoredLength, set.version, set.fileShapeType, set.xmin, set.ymin,
                      set.xmax, set.ymax);
    set.nextRecordWords = kShpHeaderWords;
    set.recordCount = 0;
}

void LayerTable::readHeader(int gisID) {
    requireId(gisID, "gisReadHeader");
    LayerSlot& layer = slot(gisID);
    switch (layer.format) {
        case LayerFormat::Mif:
            readMifHeader(layer.mif);
            restartMifReading(layer.mif);
            layer.endOfFile = layer.mif.mifUnit > 0 && fileOf(layer.mif.mifUnit).atEnd();
            tellWhatWasLeft(layer);
            return;
        case LayerFormat::Shapefile: break;
        case LayerFormat::None:
        case LayerFormat::Csv: stopLine(" Should not be here [gisReadHeader]");
    }
    ShpFileSet& set = layer.shp[0];
    double ignored = 0.0;
    std::int32_t ignoredInteger = 0;
    readShpFileHeader(set.shpUnitBigEndian, set.fileCode, set.fileLengthWords, ignoredInteger, ignoredInteger, ignored,
                      ignored, ignored, ignored);
    if (set.shpUnitBigEndian > 0) {
        platform::console().writeLine("Shapefile Code: " + AINTEGER(set.fileCode) +
                                      "  Length: " + AINTEGER(set.fileLengthWords));
        // Records are read up to the header's length; any other size means records lost or cut.
        const std::uint64_t bytes = fileOf(set.shpUnitBigEndian).size();
        const std::uint64_t headerBytes = 2 * static_cast<std::uint64_t>(set.fileLengthWords);
        if (bytes != headerBytes) {
            warnOfCounts("WARNING 0431 - File length in .shp file header differs from the file's size.",
                         std::to_string(bytes) + " bytes", std::to_string(headerBytes) + " bytes");
        }
    }
    startShpReading(set);
    if (set.shpUnit > 0) {
        platform::console().writeLine("Shapefile Version: " + AINTEGER(set.version) +
                                      "  Type: " + AINTEGER(set.fileShapeType));
    }
    CLOSER(set.shpUnitBigEndian);
    readDbfHeader(layer.dbf[0]);
    layer.dbf[0].recordsDone = 0;
    // An empty layer (a header alone, as GDAL writes it) is at its end at once.
    layer.endOfFile = set.shpUnit > 0 && shp::atEnd(set);
    tellWhatWasLeft(layer);
}

int LayerTable::numberAttributes(int gisID) {
    requireId(gisID, "gisNumberAttributes");
    const LayerSlot& layer = slot(gisID);
    if (layer.format == LayerFormat::Mif) return static_cast<int>(layer.mif.columns.size());
    if (layer.format == LayerFormat::Shapefile) return static_cast<int>(layer.dbf[0].fields.size());
    return 0;
}

int LayerTable::numberRecords(int gisID) {
    requireId(gisID, "gisNumberRecords");
    const LayerSlot& layer = slot(gisID);
    if (layer.format == LayerFormat::Shapefile) return layer.dbf[0].headerRecordCount;
    if (layer.format != LayerFormat::Mif) return 0;
    // Every record counts, blank lines included, and a value left open at the end.
    return linesFrom(fileOf(layer.mif.midUnit), 0, layer.mif.delimiter);
}

std::int32_t LayerTable::linesFrom(platform::File& file, std::uint64_t offset, std::optional<char> midDelimiter) {
    // The reader goes on from the line it had reached.
    const std::uint64_t reached = file.position();
    file.seek(offset);
    std::int32_t count = 0;
    const auto next = [&] {
        if (midDelimiter) {
            return mif::readMidRecord(file, mifLineIn_, midLineIn_, *midDelimiter) != mif::MidRecord::None;
        }
        return file.readRecord(mifLineIn_) == platform::File::ReadStatus::Ok;
    };
    while (next()) ++count;
    file.seek(reached);
    return count;
}

void LayerTable::warnOfCounts(std::string_view line1, std::string_view found, std::string_view expected) {
    std::string line2 = "               Found ";
    line2.append(found).append(", expecting ").append(expected).append(".");
    gisMessageLines = {std::string(line1), std::move(line2), "", ""};
    writeMessage(0);
}

void LayerTable::tellWhatWasLeft(LayerSlot& layer) {
    if (!layer.endOfFile) return;
    if (layer.format == LayerFormat::Mif) warnOfSkippedLines(layer);
    warnOfRecordsLeft(layer);
}

void LayerTable::warnOfSkippedLines(LayerSlot& layer) {
    const MifSkippedLines& skipped = layer.mif.skipped;
    if (layer.skippedLinesTold || skipped.count == 0) return;
    layer.skippedLinesTold = true;
    platform::File& file = fileOf(layer.mif.mifUnit);
    const std::int32_t lineNumber = linesFrom(file, 0) - linesFrom(file, skipped.firstAt) + 1;
    gisMessageLines = {"WARNING 0324 - Lines of .mif file that belong to no object were skipped.",
                       "               Skipped " + AINTEGER(skipped.count) + ", the first at line " +
                           AINTEGER(lineNumber) + ": " + skipped.first,
                       "", ""};
    writeMessage(0);
}

void LayerTable::restartMifReading(MifLayerRecord& mif) {
    mif.recordsDone = 0;
    mif.objectsDone = 0;
    mif.skipped = {};
}

void LayerTable::warnOfRecordsLeft(LayerSlot& layer) {
    // Once for the layer: a caller that reads it again, or rewinds it after its header, is not
    // told again. Until the last object's record is read (a caller may read it after the
    // object's coordinates, or before them), the reading of that record tells.
    if (layer.recordsLeftTold) return;
    if (layer.format == LayerFormat::Mif) {
        if (layer.mif.mifUnit < 1 || layer.mif.recordsDone < layer.mif.objectsDone) return;
        platform::File& mid = fileOf(layer.mif.midUnit);
        const std::int32_t left = linesFrom(mid, mid.position(), layer.mif.delimiter);
        if (left == 0) return;
        layer.recordsLeftTold = true;
        warnOfCounts("WARNING 0323 - More records found in .mid file than objects in .mif file.",
                     AINTEGER(layer.mif.recordsDone + left), AINTEGER(layer.mif.objectsDone));
        return;
    }
    const ShpFileSet& set = layer.shp[0];
    const DbfTable& table = layer.dbf[0];
    if (set.shpUnit < 1 || table.unit < 1 || table.recordsDone < set.recordCount) return;
    const std::int32_t left = dbf::recordsLeft(fileOf(table.unit), table);
    if (left == 0) return;
    layer.recordsLeftTold = true;
    warnOfCounts("WARNING 0409 - More records found in .dbf file than shapes in .shp file.",
                 AINTEGER(table.recordsDone + left), AINTEGER(set.recordCount));
}

void LayerTable::gotoBeginningOfData(int gisID) {
    requireId(gisID, "gisGotoBeginningOfData");
    LayerSlot& layer = slot(gisID);
    platform::console().writeLine(" Rewinding GIS Layer " + AINTEGER(gisID) + "...");
    layer.endOfFile = false;
    switch (layer.format) {
        case LayerFormat::Mif:
            if (layer.mif.mifUnit > 0) mifGotoData(layer.mif.mifUnit);
            rewindUnit(layer.mif.midUnit);
            restartMifReading(layer.mif);
            return;
        case LayerFormat::Shapefile:
            startShpReading(layer.shp[0]);
            readDbfHeader(layer.dbf[0]);
            layer.dbf[0].recordsDone = 0;
            // An empty layer stays at its end, or the next object read runs past its header.
            layer.endOfFile = layer.shp[0].shpUnit > 0 && shp::atEnd(layer.shp[0]);
            tellWhatWasLeft(layer);
            return;
        case LayerFormat::None:
        case LayerFormat::Csv: stopLine(" Should not be here [gisGotoBeginningOfData]");
    }
}

bool LayerTable::gotoBeginningOfAttributes(int gisID, int& count) {
    requireId(gisID, "gisGotoBeginningOfAttributes");
    if (slot(gisID).format != LayerFormat::Mif) stopLine(" Should not be here [gisGotoBeginningOfAttributes]");
    return mifGotoBeginningOfAttributes(slot(gisID).mif.mifUnit, count);
}

bool LayerTable::mifGotoBeginningOfAttributes(int unit, int& count) {
    std::int32_t found = 0;
    switch (mif::findColumns(fileOf(unit), found, mifLineIn_)) {
        case mif::Fault::None: count = found; return true;
        case mif::Fault::ColumnCount:
            gisMessageLines[0] = "WARNING 0314 - Problems reading number of attributes in .mif file";
            break;
        default: gisMessageLines[0] = "WARNING 0315 - Problems finding start of attribute definitions in .mif file";
    }
    writeMessage(1);
    PAUSEMSG();
    return false;
}

void LayerTable::mifGotoData(int unit) {
    if (unit < 1) return;
    if (mif::gotoData(fileOf(unit), mifLineIn_) != mif::Fault::None) stopOnMif({mif::Fault::NoDataLine, 0}, {}, 0);
}

void LayerTable::readAttributeDefinition(int gisID) {
    requireId(gisID, "gisReadAttributeDefinition");
    if (slot(gisID).format != LayerFormat::Mif) stopLine(" Should not be here [gisReadAttributeDefinition]");
    mifReadAttributeDefinition(slot(gisID).mif.mifUnit);
}

void LayerTable::mifReadAttributeDefinition(int unit) {
    std::optional<MifColumn> column;
    if (fileOf(unit).readRecord(mifLineIn_) == platform::File::ReadStatus::Ok) {
        column = mif::splitColumn(mifLineIn_, mif::kDefinitionNameLength);
    }
    if (!column) stopOnMif({mif::Fault::ColumnLine, 0}, mifLineIn_, 0);
    mifAttributeDefinition.name = std::move(column->name);
    mifAttributeDefinition.type = std::move(column->type);
}

std::string LayerTable::mifFindCoordSysLine(int unit) {
    if (auto line = mif::findCoordSys(fileOf(unit), mifLineIn_)) return *line;
    gisMessageLines[0] = "WARNING 0306 - Problems finding CoordSys line in .mif file.";
    writeMessage(1);
    return {};
}

std::string LayerTable::mifReadCoordSysLine(std::string_view fileName) {
    const std::string name = TRIMF(fileName);
    if (!platform::pathExists(name)) {
        gisMessageLines[0] = "WARNING 0307 - No MapInfo Projection or mif header file " + name + " found.";
        gisMessageLines[1] = "               Non-Earth Coordinates will be used.  [mifReadCoordSysLine]";
        writeMessage(1);
        PAUSEMSG();
        return std::string(kDefaultCoordSys);
    }
    int unit = 0;
    OPENFREEUNIT(unit, "I ", name, kMapInfoPrompt);
    platform::File& file = fileOf(unit);
    std::string result(kDefaultCoordSys);
    while (!file.atEnd()) {
        if (file.readRecord(mifLineIn_) != platform::File::ReadStatus::Ok) {
            gisMessageLines[0] = "WARNING 0312 - Problems finding CoordSys line in .mif file";
            writeMessage(1);
            PAUSEMSG();
            break;
        }
        if (FLAGEXISTS(mifLineIn_, "CoordSys")) {
            result = significantPart(mifLineIn_);
            break;
        }
    }
    CLOSER(unit);
    return result;
}

void LayerTable::mifCopyHeader(int source, int target) {
    platform::console().writeLine("Copying header info from file unit " + AINTEGER(source).substr(0, 8) + " to " +
                                  AINTEGER(target).substr(0, 8) + "...");
    platform::File& file = fileOf(source);
    file.rewind();
    while (!file.atEnd()) {
        switch (file.readRecord(mifLineIn_)) {
            case platform::File::ReadStatus::Ok: break;
            case platform::File::ReadStatus::EndOfFile:
                stopWithMessage("ERROR 0302 - End of File encountered (mifCopyHeader)");
            case platform::File::ReadStatus::Error: stopWithMessage("ERROR 0301 - Reading data (mifCopyHeader)");
        }
        if (mif::startsWithWord(mifLineIn_, "Columns")) return;
        writeUnitRecord(target, significantPart(mifLineIn_));
    }
}

bool LayerTable::mifObjectType(int unit, std::string& keywordLine, std::string& rest, GisObject& object) {
    MifSkippedLines unattached;  // a unit without its layer: nothing to tell its lines skipped to
    return mifObjectTypeOf(unit, keywordLine, rest, object, unattached);
}

bool LayerTable::mifObjectTypeOf(int unit, std::string& keywordLine, std::string& rest, GisObject& object,
                                 MifSkippedLines& skipped) {
    mif::Outcome outcome;
    const bool found = mif::objectType(fileOf(unit), keywordLine, rest, object, outcome, skipped);
    if (outcome.fault != mif::Fault::None) stopOnMif(outcome, keywordLine, 0);
    return found;
}

bool LayerTable::shpReadObjectType(ShpFileSet& set, GisObject& object) {
    const shp::Outcome outcome = shp::readObjectType(fileOf(set.shpUnit), set, object);
    if (outcome.fault != shp::Fault::None) stopOnShp(outcome, set, false, 0);
    object.kindName = shapeTypeName(set.recordShapeType);
    return true;
}

bool LayerTable::objectType(int gisID, GisObject& object) {
    requireId(gisID, "gisObjectType");
    gisInitialiseObject(object);
    LayerSlot& layer = slot(gisID);
    switch (layer.format) {
        case LayerFormat::Mif: {
            MifLayerRecord& mif = layer.mif;
            const bool found = mifObjectTypeOf(mif.mifUnit, mif.keywordLine, mif.restOfLine, object, mif.skipped);
            if (found) ++mif.objectsDone;
            // The .mif decides where the layer ends.
            layer.endOfFile = fileOf(mif.mifUnit).atEnd();
            tellWhatWasLeft(layer);
            return found;
        }
        case LayerFormat::Shapefile:
            shpReadObjectType(layer.shp[0], object);
            layer.endOfFile = shp::atEnd(layer.shp[0]);
            tellWhatWasLeft(layer);
            return true;
        case LayerFormat::None:
        case LayerFormat::Csv: internalStop("Should not be here [gisObjectType]");
    }
    return false;
}

bool LayerTable::mifReadCoordinates(int unit, std::string& rest, GisObject& object, ObjectReadout& out,
                                    bool storeCoordinates) {
    MifSkippedLines unattached;
    return mifReadCoordinatesOf(unit, rest, object, out, storeCoordinates, unattached);
}

bool LayerTable::mifReadCoordinatesOf(int unit, std::string& rest, GisObject& object, ObjectReadout& out,
                                      bool storeCoordinates, MifSkippedLines& skipped) {
    const mif::Outcome outcome =
        mif::readCoordinates(fileOf(unit), rest, object, out, storeCoordinates, mifLineIn_, skipped);
    if (outcome.fault != mif::Fault::None) stopOnMif(outcome, mifLineIn_, out.limit);
    return true;
}

bool LayerTable::shpReadObject(ShpFileSet& set, GisObject& object, ObjectReadout& out, bool storeCoordinates) {
    const shp::Outcome outcome = shp::readObject(fileOf(set.shpUnit), set, object, out, storeCoordinates);
    if (outcome.fault != shp::Fault::None) stopOnShp(outcome, set, true, out.limit);
    return true;
}

void LayerTable::readObject(int gisID, GisObject& object, ObjectReadout& out, bool storeCoordinates) {
    requireId(gisID, "gisReadObject");
    out.angle = 0.0f;
    out.length = 0.0f;
    out.noCentre = true;
    LayerSlot& layer = slot(gisID);
    switch (layer.format) {
        case LayerFormat::Mif:
            mifReadCoordinatesOf(layer.mif.mifUnit, layer.mif.restOfLine, object, out, storeCoordinates,
                                 layer.mif.skipped);
            layer.endOfFile = fileOf(layer.mif.mifUnit).atEnd();
            break;
        case LayerFormat::Shapefile:
            shpReadObject(layer.shp[0], object, out, storeCoordinates);
            layer.endOfFile = shp::atEnd(layer.shp[0]);
            break;
        case LayerFormat::None:
        case LayerFormat::Csv: internalStop("Should not be here [gisReadObject]");
    }
    if (storeCoordinates) placeLabel(object, out);
    tellWhatWasLeft(layer);
}

dbf::RecordStatus LayerTable::nextDbfRecord(DbfTable& table, std::string& line, bool& deleted) {
    char flag = ' ';
    const dbf::RecordStatus status = dbf::readRecord(fileOf(table.unit), table, line, flag, dbfReadBuffers_);
    deleted = status == dbf::RecordStatus::Deleted;
    switch (status) {
        case dbf::RecordStatus::Live:
        case dbf::RecordStatus::Deleted:
        case dbf::RecordStatus::EndOfData: return status;
        case dbf::RecordStatus::EndOfFile:
            stopWithMessage("ERROR 0408 - End of .dbf file encountered whilst reading record.");
        case dbf::RecordStatus::ReadError: stopWithMessage("ERROR 0407 - Reading .dbf record.");
        case dbf::RecordStatus::Unrecognised:
            stopWithMessages("ERROR 0406 - Unrecognised record identifier found in .dbf file.",
                             "Character = " + std::string(1, flag) + " [" +
                                 AINTEGER(static_cast<unsigned char>(flag)) + "]",
                             "Data line thus far =");
    }
    return status;
}

void LayerTable::warnOfShortTable(const DbfTable& table, std::int32_t expected) {
    if (table.recordsDone == expected) return;
    warnOfCounts("WARNING 0405 - Insufficient number of records found in .dbf file.", AINTEGER(table.recordsDone),
                 AINTEGER(expected));
}

void LayerTable::dbfReadRecord(DbfTable& table, bool& endOfData, std::string& line, bool& deleted) {
    if (nextDbfRecord(table, line, deleted) != dbf::RecordStatus::EndOfData) return;
    warnOfShortTable(table, table.headerRecordCount);
    endOfData = true;
}

void LayerTable::readRecord(int gisID, GisObject& object, std::string& line) {
    requireId(gisID, "gisReadRecord");
    line.clear();
    LayerSlot& layer = slot(gisID);
    switch (layer.format) {
        case LayerFormat::Mif: {
            platform::File& mid = fileOf(layer.mif.midUnit);
            const char delimiter = layer.mif.delimiter;
            if (mid.atEnd() || mif::readMidRecord(mid, line, midLineIn_, delimiter) != mif::MidRecord::Whole) {
                stopWithMessage("ERROR 0254 - Failed to read object attribute data record for a " +
                                std::string(significantPart(object.kindName)) + " object in GIS layer.");
            }
            ++layer.mif.recordsDone;
            // The .mif decides where a layer ends; an attribute-only layer ends with its records.
            if (layer.mif.mifUnit < 1) layer.endOfFile = mid.atEnd();
            tellWhatWasLeft(layer);
            return;
        }
        case LayerFormat::Shapefile: {
            // One record per object, deleted ones included: shapes and records pair by number.
            DbfTable& table = layer.dbf[0];
            if (nextDbfRecord(table, line, object.deleted) != dbf::RecordStatus::EndOfData) {
                tellWhatWasLeft(layer);
                return;
            }
            // Short of the shapes the .shp holds, or else of its own header's count; the end of
            // the data ends the layer.
            ShpFileSet& set = layer.shp[0];
            const std::int32_t shapes =
                set.shpUnit > 0 ? set.recordCount + shp::recordsLeft(fileOf(set.shpUnit), set) : 0;
            warnOfShortTable(table, table.recordsDone < shapes ? shapes : table.headerRecordCount);
            layer.endOfFile = true;
            return;
        }
        case LayerFormat::None:
        case LayerFormat::Csv: internalStop("Should not be here [gisReadRecord]");
    }
}

std::string gisStandardiseName(std::string_view text) {
    return TRIMF(REMOVEQUOTES(REMOVETABS(REMOVESPACES(UPPERCASE(text)))));
}

void gisReadHeader(int gisID) { layers().readHeader(gisID); }
void mifReadHeader(MifLayerRecord& mif) { layers().readMifHeader(mif); }
void dbfReadHeader(DbfTable& table) { layers().readDbfHeader(table); }
void shpReadFileHeader(int unit, std::int32_t& fileCode, std::int32_t& fileLengthWords, std::int32_t& version,
                       std::int32_t& shapeType, double& xmin, double& ymin, double& xmax, double& ymax) {
    layers().readShpFileHeader(unit, fileCode, fileLengthWords, version, shapeType, xmin, ymin, xmax, ymax);
}
int gisNumberAttributes(int gisID) { return layers().numberAttributes(gisID); }
int gisNumberRecords(int gisID) { return layers().numberRecords(gisID); }
void gisGotoBeginningOfData(int gisID) { layers().gotoBeginningOfData(gisID); }
bool gisGotoBeginningOfAttributes(int gisID, int& count) { return layers().gotoBeginningOfAttributes(gisID, count); }
bool mifGotoBeginningOfAttributes(int unit, int& count) { return layers().mifGotoBeginningOfAttributes(unit, count); }
void mifGotoData(int unit) { layers().mifGotoData(unit); }
void gisReadAttributeDefinition(int gisID) { layers().readAttributeDefinition(gisID); }
void mifReadAttributeDefinition(int unit) { layers().mifReadAttributeDefinition(unit); }
std::string mifFindCoordSysLine(int unit) { return layers().mifFindCoordSysLine(unit); }
std::string mifReadCoordSysLine(std::string_view fileName) { return layers().mifReadCoordSysLine(fileName); }
void mifCopyHeader(int source, int target) { layers().mifCopyHeader(source, target); }
bool gisObjectType(int gisID, GisObject& object) { return layers().objectType(gisID, object); }
bool mifObjectType(int unit, std::string& keywordLine, std::string& rest, GisObject& object) {
    return layers().mifObjectType(unit, keywordLine, rest, object);
}
bool shpReadObjectType(ShpFileSet& set, GisObject& object) { return layers().shpReadObjectType(set, object); }
void gisReadObject(int gisID, GisObject& object, ObjectReadout& out, bool storeCoordinates) {
    layers().readObject(gisID, object, out, storeCoordinates);
}
bool mifReadCoordinates(int unit, std::string& rest, GisObject& object, ObjectReadout& out, bool storeCoordinates) {
    return layers().mifReadCoordinates(unit, rest, object, out, storeCoordinates);
}
bool shpReadObject(ShpFileSet& set, GisObject& object, ObjectReadout& out, bool storeCoordinates) {
    return layers().shpReadObject(set, object, out, storeCoordinates);
}
void gisReadRecord(int gisID, GisObject& object, std::string& line) { layers().readRecord(gisID, object, line); }
void dbfReadRecord(DbfTable& table, bool& endOfData, std::string& line, bool& deleted) {
    layers().dbfReadRecord(table, endOfData, line, deleted);
}

}  // namespace zx
