// gis/layer_open.cpp: how a layer comes into being: the first free layer id, the format from the
// file extension, the MapInfo pair or the shapefile sets opened through the unit table, and the
// projection and save-date checks of layers opened for reading.
#include <algorithm>
#include <array>
#include <cctype>

#include "common/exit.hpp"
#include "common/line_values.hpp"
#include "common/list_input.hpp"
#include "common/messages.hpp"
#include "common/number_text.hpp"
#include "common/paths.hpp"
#include "common/strings.hpp"
#include "common/text_lines.hpp"
#include "common/units.hpp"
#include "gis/layer_table.hpp"
#include "platform/filesystem.hpp"

namespace zx {
namespace {

// GDAL ends .mif and .mid lines at CR, LF and CR LF alike; a later lone CR read as part of a line
// would hide the keyword behind it or run two records together.
void endLinesAtEveryCr(int unit) {
    if (platform::File* file = units().file(unit)) file->endLinesAtEveryCr();
}

enum class Direction { Input, Output, Other };
Direction directionOf(std::string_view mode) {
    const std::string_view m = significantPart(mode);
    if (m == "I") return Direction::Input;
    if (m == "O") return Direction::Output;
    return Direction::Other;
}

}  // namespace

LayerFormat LayerTable::fileType(std::string_view extension, bool allowAttributeOnly) {
    const std::string_view ext = significantPart(extension);
    if (ext == ".mif" || ext == ".mid" || ext.empty()) return LayerFormat::Mif;
    if (ext == ".shp") return LayerFormat::Shapefile;
    if (allowAttributeOnly && ext == ".dbf") return LayerFormat::Shapefile;
    if (allowAttributeOnly && ext == ".csv") return LayerFormat::Csv;
    stopWithMessage("ERROR 0252 - " + std::string(ext) + " is not a supported GIS file format.");
}

int LayerTable::openLayer(std::string_view name, std::string_view geometry, std::string_view mode, bool attributeOnly) {
    const std::string layerName(significantPart(name));
    reportLine("Opening GIS Layer: " + layerName);
    int gisID = 1;
    while (gisID <= gisMaxLayers && slot(gisID).open) ++gisID;
    if (gisID > gisMaxLayers) {
        stopWithMessage("ERROR 0251 - Cannot have more than " + AINTEGER(gisMaxLayers) + " GIS layers open at once.");
    }
    reportLine("GIS Layer assigned ID of " + AINTEGER(gisID));
    initialiseLayer(gisID);
    LayerSlot& layer = slot(gisID);

    const LayerFormat format = fileType(FILEEXT(layerName), attributeOnly);
    layer.format = format;
    const Direction direction = directionOf(mode);
    switch (direction) {
        case Direction::Input:
            layer.output = false;
            trackInputLayer(gisID, layerName);
            break;
        case Direction::Output: layer.output = true; break;
        case Direction::Other: stopLine(" Should not be here [OpenGIS]");
    }

    switch (format) {
        case LayerFormat::Csv:
            layer.mif.mifUnit = 0;
            OPENFREEUNIT(layer.mif.midUnit, mode, name, kMapInfoPrompt);
            layer.format = LayerFormat::Mif;
            break;
        case LayerFormat::Mif: openMifFile(name, layer.mif.mifUnit, layer.mif.midUnit, mode, attributeOnly); break;
        case LayerFormat::Shapefile:
            if (direction == Direction::Input) {
                if (!openShpFile(name, geometry, layer.dbf[0], layer.shp[0], mode, attributeOnly)) {
                    layer.format = LayerFormat::None;
                    return 0;
                }
                break;
            }
            for (const char letter : significantPart(geometry)) {
                const auto upper = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
                // The set's files end in "_" and its letter.
                const auto kind = std::find_if(kShpSetKinds.begin(), kShpSetKinds.end(),
                                               [&](const ShpSetKind& k) { return k.letter == upper; });
                if (kind == kShpSetKinds.end()) stopLine("Should not be here [OpenshpFileType]");
                const auto k = static_cast<std::size_t>(kind - kShpSetKinds.begin());
                // A letter named twice opens its set once: a second open would lose the first's units.
                if (layer.shp[k].shpUnit > 0) continue;
                layer.shp[k].fileShapeType = kind->shapeType;
                openShpFile(name, std::string_view(&letter, 1), layer.dbf[k], layer.shp[k], mode, attributeOnly);
            }
            break;
        case LayerFormat::None: stopLine(" Should not be here [gisOpenLayer]");
    }
    layer.open = true;
    layer.fileName = layerName;
    return gisID;
}

void LayerTable::openMifFile(std::string_view name, int& mifUnit, int& midUnit, std::string_view mode,
                             bool attributeOnly) {
    const bool input = directionOf(mode) == Direction::Input;
    mifUnit = 0;
    midUnit = 0;
    for (;;) {
        std::string fileName = TRIMF(name);
        bool midMark = false;
        if (attributeOnly) {
            midMark = FILEEXT(fileName) == ".mid";
        } else {
            const std::string extension = FILEEXT(fileName);
            if (extension == ".mif" || extension == ".mid") fileName = FILENAMEPATH(fileName);
            OPENFREEUNIT(mifUnit, mode, fileName + ".mif", kMapInfoPrompt);
            if (input) endLinesAtEveryCr(mifUnit);
            if (input && !significantPart(settings.mifExpectedCoordSys).empty()) checkMifCoordSys(mifUnit);
            fileName += ".mid";
            midMark = true;
        }
        OPENFREEUNIT(midUnit, mode, fileName, kMapInfoPrompt);
        if (input) endLinesAtEveryCr(midUnit);
        if (!input || !settings.gisSaveDateCheck || !midMark) return;
        const std::string table = FILENAMEPATH(fileName) + std::string(significantPart(settings.gisTableExtension));
        if (CHECKMISAVEDATE(fileName, table, mifUnit, midUnit, settings.gisSaveDateIsError, gisLogUnit)) return;
    }
}

void LayerTable::checkMifCoordSys(int mifUnit) {
    std::string line;
    RecordStatus status = RecordStatus::Ok;
    do {
        status = readUnitRecord(mifUnit, line);
    } while (status == RecordStatus::Ok && !FLAGEXISTS(line, "CoordSys"));
    if (status != RecordStatus::Ok) {
        gisMessageLines[0] = "WARNING 0306 - Problems finding CoordSys line in .mif file.";
        writeMessage(1);
        line.clear();  // nothing found: compared as a blank line, which reports the mismatch
    }
    const std::string normalised = TRIMF(REMOVEQUOTES(REMOVETABS(REMOVESPACES(UPPERCASE(line)))));
    rewindUnit(mifUnit);
    if (normalised == significantPart(settings.mifExpectedCoordSys)) return;
    if (!settings.gisProjectionCheckIsError) {
        issueMessage(0,
                     "WARNING 0305 - Projection of .mif file is different to that specified by the MI Projection "
                     "== command.");
        return;
    }
    issueMessage(1,
                 "ERROR 0305 - Projection of .mif file is different to that specified by the MI Projection == "
                 "command.",
                 "Use \"MI Projection Check == WARNING\" to change message to a WARNING.");
    EXITS();
}

bool LayerTable::openShpFile(std::string_view name, std::string_view letters, DbfTable& table, ShpFileSet& set,
                             std::string_view mode, bool attributeOnly) {
    set.shpUnit = set.shpUnitBigEndian = set.shxUnit = set.shxUnitBigEndian = 0;
    table.unit = 0;
    const std::string suffix(significantPart(letters.substr(0, 8)));
    const Direction direction = directionOf(mode);
    if (direction == Direction::Other) stopLine("Should not be here [OpenshpFile]");
    const bool input = direction == Direction::Input;

    const std::string_view expected = attributeOnly ? ".dbf" : ".shp";
    if (FILEEXT(name) != expected) stopWithMessage("ERROR 0426 - " + std::string(expected) + " file not specified.");
    std::string setName(significantPart(name));
    if (!attributeOnly) {
        if (input) {
            if (!suffix.empty()) setName = FILENAMEPATH(name) + "_" + suffix + ".shp";
            if (!platform::pathExists(setName)) return false;
        } else {
            if (suffix.empty()) stopLine("Should not be here [OpenshpFileO]");
            setName = FILENAMEPATH(name) + "_" + suffix + ".shp";
        }
        const std::string prjName = FILENAMEPATH(setName) + ".prj";
        if (input && !significantPart(settings.shpExpectedProjection).empty() && platform::pathExists(prjName)) {
            checkShpProjection(set, prjName);
        }
        if (input) {
            OPENFREEUNIT(set.shpUnit, "BI", setName, kShapefilePrompt);
            OPENFREEUNIT(set.shpUnitBigEndian, "BE", setName, kShapefilePrompt);
        } else {
            // The keeping modes: both units of a file share it. A longer file left by an earlier
            // run is cut to its new length when the layer is closed.
            const std::string indexName = FILENAMEPATH(setName) + ".shx";
            OPENFREEUNIT(set.shpUnit, "SB", setName, kShapefilePrompt);
            OPENFREEUNIT(set.shpUnitBigEndian, "SE", setName, kShapefilePrompt);
            OPENFREEUNIT(set.shxUnit, "SB", indexName, kShapefilePrompt);
            OPENFREEUNIT(set.shxUnitBigEndian, "SE", indexName, kShapefilePrompt);
            OPENFREEUNIT(set.prjUnit, "O ", prjName, kShapefilePrompt);
        }
    }
    const std::string tableName = attributeOnly ? setName : FILENAMEPATH(setName) + ".dbf";
    OPENFREEUNIT(table.unit, input ? "BI" : "BO", tableName, kShapefilePrompt);
    return true;
}

void LayerTable::checkShpProjection(ShpFileSet& set, const std::string& prjName) {
    OPENFREEUNIT(set.prjUnit, "I ", prjName, kShapefilePrompt);
    std::string line;
    if (readUnitRecord(set.prjUnit, line) != RecordStatus::Ok) {
        stopWithMessage("ERROR 0420 - Could not read projection line in .prj file.");
    }
    CLOSER(set.prjUnit);
    if (TRIMF(projectionName(line)) == significantPart(settings.shpExpectedProjection)) return;
    if (settings.gisProjectionCheckIsError) {
        gisMessageLines[0] =
            "ERROR 0305 - Projection of .shp file is different to that specified by the SHP Projection == command.";
        gisMessageLines[1] = "Use \"GIS Projection Check == WARNING\" to change message to a WARNING.";
        writeMessage(1);
        EXITS();
    }
    gisMessageLines[0] =
        "WARNING 0305 - Projection of .shp file is different to that specified by the SHP Projection == command.";
    writeMessage(0);
}

std::string LayerTable::projectionName(std::string& text) {
    text = UPPERCASE(text);
    const std::string_view marker = "PROJCS[";
    const auto at = text.find(marker);
    if (at == std::string::npos) {
        gisMessageLines[0] =
            "WARNING 0420 - Could not find PROJCS definition.  Projection of .shp file might not be cartesian.";
        writeMessage(0);
        return {};
    }
    listin::ListReader reader(std::string_view(text).substr(at + marker.size()));
    std::string projection;
    if (reader.next(projection) != listin::ListReader::Item::Value) return {};
    return std::string(significantPart(projection));
}

}  // namespace zx
