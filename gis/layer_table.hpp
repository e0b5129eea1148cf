// gis/layer_table.hpp: the GIS layer table: one slot per layer id (gis/layer_records.hpp), the
// records the caller fills before writing, the projection texts, the GIS message lines and the
// settings. The table dispatches by format to the format writers, checks what they will read and
// reports their failures; the library's routine names below are thin forwarders to the one table
// of the process. Where each group lives:
//   gis/layer_table.cpp     the table, messages, resets, checks and the forwarders
//   gis/layer_open.cpp      opening layers by extension, projection and save-date checks
//   gis/layer_write.cpp     headers, objects and records, dispatched by format
//   gis/layer_close.cpp     finishing and closing layers
//   gis/layer_tracking.cpp  module start-up, workspace and input-layer tracking
//   gis/layer_read.cpp      reading input layers: headers, attribute definitions, objects with
//                           their label points, and attribute records, dispatched by format
//   gis/mif_writer, gis/shp_writer, gis/dbf_writer   the bytes of each format, written
//   gis/mif_reader, gis/shp_reader, gis/dbf_reader   the bytes of each format, read back
#pragma once
#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "gis/dbf_reader.hpp"
#include "gis/dbf_writer.hpp"
#include "gis/layer_records.hpp"
#include "gis/mif_reader.hpp"
#include "gis/shp_reader.hpp"
#include "gis/object_kind.hpp"

namespace zx {

// One column definition as the attribute-definition readers give it.
struct MifAttributeDefinition {
    std::string name;  // at most 256 characters
    std::string type;  // at most 24 characters
};

class LayerTable {
public:
    // Records the caller fills before writing, and the texts the writers put into every layer.
    GisObjectVertices gisObjectVertices;
    GisAttributeTemplate gisAttributeTemplate;
    std::string gisAttributeLine;
    std::string gisAttributeLineLarge;
    std::string mifCoordSysLine;
    std::string shpProjectionText;
    std::array<std::string, 4> gisMessageLines;
    int gisLogUnit = 0;
    GisSettings settings;
    InputLayerTracking gisInputLayerTracking;

    LayerSlot& slot(int gisID) { return slots_.at(static_cast<std::size_t>(gisID)); }

    // Messages and resets.
    void writeMessage(int blankLines);
    void initialiseLayer(int gisID);

    // Start-up and tracking.
    void initialise(int logUnit, std::string_view simulationName, std::string_view workspaceName,
                    std::string_view listName);
    void closeTracking();

    // Opening.
    int openLayer(std::string_view name, std::string_view geometry, std::string_view mode, bool attributeOnly);
    bool openShpFile(std::string_view name, std::string_view letters, DbfTable& table, ShpFileSet& set,
                     std::string_view mode, bool attributeOnly);
    void openMifFile(std::string_view name, int& mifUnit, int& midUnit, std::string_view mode, bool attributeOnly);
    LayerFormat fileType(std::string_view extension, bool allowAttributeOnly);
    std::string projectionName(std::string& text);

    // Writing.
    void writeHeader(int gisID);
    void writeObject(int gisID, GisObject& object);
    void writeRecord(int gisID, const GisObject& object);
    void writeRecordLarge(int gisID, const GisObject& object);
    void writeMifHeader(const GisAttributeTemplate& columns, int unit);
    void writeMifObject(const GisObject& object, int unit, std::string_view styleLine1, std::string_view styleLine2);
    void writeShpFileHeader(ShpFileSet& set, int littleEndianUnit, int bigEndianUnit);
    void writeShpObject(GisObject& object, ShpFileSet& set);
    void writeDbfHeader(const GisAttributeTemplate& columns, DbfTable& table);
    void writeDbfLine(DbfTable& table);
    void writeDbfLineLarge(DbfTable& table);

    // Reading.
    MifAttributeDefinition mifAttributeDefinition;
    void readHeader(int gisID);
    void readMifHeader(MifLayerRecord& mif);
    void readDbfHeader(DbfTable& table);
    void readShpFileHeader(int unit, std::int32_t& fileCode, std::int32_t& fileLengthWords, std::int32_t& version,
                           std::int32_t& shapeType, double& xmin, double& ymin, double& xmax, double& ymax);
    int numberAttributes(int gisID);
    int numberRecords(int gisID);
    void gotoBeginningOfData(int gisID);
    bool gotoBeginningOfAttributes(int gisID, int& count);
    bool mifGotoBeginningOfAttributes(int unit, int& count);
    void mifGotoData(int unit);
    void readAttributeDefinition(int gisID);
    void mifReadAttributeDefinition(int unit);
    std::string mifFindCoordSysLine(int unit);
    std::string mifReadCoordSysLine(std::string_view fileName);
    void mifCopyHeader(int source, int target);
    bool objectType(int gisID, GisObject& object);
    bool mifObjectType(int unit, std::string& keywordLine, std::string& rest, GisObject& object);
    bool shpReadObjectType(ShpFileSet& set, GisObject& object);
    void readObject(int gisID, GisObject& object, ObjectReadout& out, bool storeCoordinates);
    bool mifReadCoordinates(int unit, std::string& rest, GisObject& object, ObjectReadout& out,
                            bool storeCoordinates);
    bool shpReadObject(ShpFileSet& set, GisObject& object, ObjectReadout& out, bool storeCoordinates);
    void readRecord(int gisID, GisObject& object, std::string& line);
    void dbfReadRecord(DbfTable& table, bool& endOfData, std::string& line, bool& deleted);

    // Closing.
    void closeLayer(int& gisID);
    void writeEoF(int gisID);
    bool closeAllLayers();

private:
    // Prompt codes of the opener: they make no difference to the open, but are the library's.
    static constexpr int kMapInfoPrompt = 80;
    static constexpr int kShapefilePrompt = 1;
    // Every failure found while finishing a shapefile layer's files.
    static constexpr std::string_view kFinishFailure =
        "ERROR 0413 - Rewriting .dbf file header with final information.";

    // A line to the console and to the GIS log.
    void reportLine(std::string_view text);
    // Line 1 of the message lines printed after one empty line, then the end of the run.
    [[noreturn]] void stopWithMessage(std::string_view line1);
    // The same with lines 2 and 3 (the others blank).
    [[noreturn]] void stopWithMessages(std::string_view line1, std::string_view line2,
                                       std::string_view line3 = {});
    // An internal stop written as one console line: what, then the request to contact the maker.
    [[noreturn]] static void stopLine(std::string_view what);
    // What, then two blanks and the request to contact the maker, as one message line.
    static std::string pleaseContact(std::string_view what);
    // The format of a layer id; None for an id outside the table.
    LayerFormat formatOf(int gisID) const;

    void trackInputLayer(int gisID, std::string_view name);
    void checkMifCoordSys(int mifUnit);
    void checkShpProjection(ShpFileSet& set, const std::string& prjName);
    void validateParts(int gisID, GisObject& object);
    void requireFiniteVertices(int gisID);
    // The vertices an object reads must lie in the arrays and within their capacity.
    void requireVertices(std::int32_t count) const;
    // The first count vertices, checked as above.
    VertexView vertexView(std::int32_t count) const;
    // The number of parts a line or region object is written with, every part start checked.
    std::int32_t partCount(const GisObject& object) const;
    // The object's part starts, checked as above.
    std::span<const std::int32_t> partStarts(const GisObject& object) const;
    void writeShpRecord(GisObject& object, ObjectKind kind, ShpFileSet& set);
    void writeRecordOf(int gisID, const GisObject& object, bool large);
    void writeDbfValues(DbfTable& table, std::string_view line, std::string_view routine, std::string_view failure);
    void finishMif(const MifLayerRecord& mif);
    void finishDbf(DbfTable& table);
    void finishShpSet(ShpFileSet& set);
    // Reading.
    [[noreturn]] void stopOnMif(const mif::Outcome& outcome, std::string_view line, std::int32_t limit);
    [[noreturn]] void stopOnShp(const shp::Outcome& outcome, const ShpFileSet& set, bool coordinates,
                                std::int32_t limit);
    void requireId(int gisID, std::string_view routine) const;
    void startShpReading(ShpFileSet& set);
    // The lines of a file from the offset to its end, or, given the delimiter of a .mid file, its
    // records (mif::readMidRecord, a value left open at the end counted too), the file left where
    // it stood.
    std::int32_t linesFrom(platform::File& file, std::uint64_t offset, std::optional<char> midDelimiter = std::nullopt);
    // A WARNING whose second line gives the count found and the count expected.
    void warnOfCounts(std::string_view line1, std::string_view found, std::string_view expected);
    // Once the geometry file is read to its end, on every path that reads a layer: what was
    // skipped in it and what its attribute file holds beyond its objects.
    void tellWhatWasLeft(LayerSlot& layer);
    // Records the attribute file still holds belong to no object, and are often the only trace of
    // objects lost from the geometry file. One WARNING for the layer.
    void warnOfRecordsLeft(LayerSlot& layer);
    // The .mif lines read over between objects that belong to none. One WARNING for the layer.
    void warnOfSkippedLines(LayerSlot& layer);
    // The counts of a MIF layer read from its first object again.
    static void restartMifReading(MifLayerRecord& mif);
    // The routines of the same names on the layer's own count of lines skipped.
    bool mifObjectTypeOf(int unit, std::string& keywordLine, std::string& rest, GisObject& object,
                         MifSkippedLines& skipped);
    bool mifReadCoordinatesOf(int unit, std::string& rest, GisObject& object, ObjectReadout& out,
                              bool storeCoordinates, MifSkippedLines& skipped);
    // The next record of the table; its faults end the run, the end of its data is returned.
    dbf::RecordStatus nextDbfRecord(DbfTable& table, std::string& line, bool& deleted);
    // WARNING 0405 when the records read differ from those expected.
    void warnOfShortTable(const DbfTable& table, std::int32_t expected);
    std::string mifLineIn_;            // the .mif line being read, reused for every line
    std::string midLineIn_;            // a further line of a .mid record, reused for every line
    dbf::ReadBuffers dbfReadBuffers_;  // one .dbf record, reused for every record

    std::array<LayerSlot, gisMaxLayers + 1> slots_{};  // index 0 unused: ids count from 1
    std::string mifLine_;                              // one .mif line, reused for every line
    dbf::RecordBuffers dbfBuffers_;                    // one .dbf record, reused for every record
};

// The one table of the process.
LayerTable& layers();

// The library's routines by their own names.
void gisWriteMessage(int blankLines);
void gisInitialiseObject(GisObject& object);
void gisInitialiseLayer(int gisID);
void gisInitialise(int logUnit, std::string_view simulationName, std::string_view workspaceName,
                   std::string_view listName);
void gisCloseTracking();
int gisOpenLayer(std::string_view name, std::string_view geometry, std::string_view mode, bool attributeOnly);
bool OpenshpFile(std::string_view name, std::string_view letters, DbfTable& table, ShpFileSet& set,
                 std::string_view mode, bool attributeOnly);
void OpenmifFile(std::string_view name, int& mifUnit, int& midUnit, std::string_view mode, bool attributeOnly);
LayerFormat gisFileType(std::string_view extension, bool allowAttributeOnly);
std::string shpProjectionName(std::string& text);
void gisWriteHeader(int gisID);
void mifWriteHeader(const GisAttributeTemplate& columns, int unit);
void gisWriteObject(int gisID, GisObject& object);
void mifWriteObject(const GisObject& object, int unit, std::string_view styleLine1, std::string_view styleLine2);
void gisWriteRecord(int gisID, const GisObject& object);
void gisWriteRecordLarge(int gisID, const GisObject& object);
void shpWriteFileHeader(ShpFileSet& set, int littleEndianUnit, int bigEndianUnit);
void shpWriteObject(GisObject& object, ShpFileSet& set);
void dbfWriteHeader(const GisAttributeTemplate& columns, DbfTable& table);
void dbfdataline(DbfTable& table);
void dbfdatalinelarge(DbfTable& table);
void gisReadHeader(int gisID);
void mifReadHeader(MifLayerRecord& mif);
void dbfReadHeader(DbfTable& table);
void shpReadFileHeader(int unit, std::int32_t& fileCode, std::int32_t& fileLengthWords, std::int32_t& version,
                       std::int32_t& shapeType, double& xmin, double& ymin, double& xmax, double& ymax);
int gisNumberAttributes(int gisID);
int gisNumberRecords(int gisID);
void gisGotoBeginningOfData(int gisID);
bool gisGotoBeginningOfAttributes(int gisID, int& count);
bool mifGotoBeginningOfAttributes(int unit, int& count);
void mifGotoData(int unit);
void gisReadAttributeDefinition(int gisID);
void mifReadAttributeDefinition(int unit);
std::string gisStandardiseName(std::string_view text);
std::string mifFindCoordSysLine(int unit);
std::string mifReadCoordSysLine(std::string_view fileName);
void mifCopyHeader(int source, int target);
bool gisObjectType(int gisID, GisObject& object);
bool mifObjectType(int unit, std::string& keywordLine, std::string& rest, GisObject& object);
bool shpReadObjectType(ShpFileSet& set, GisObject& object);
void gisReadObject(int gisID, GisObject& object, ObjectReadout& out, bool storeCoordinates);
bool mifReadCoordinates(int unit, std::string& rest, GisObject& object, ObjectReadout& out, bool storeCoordinates);
bool shpReadObject(ShpFileSet& set, GisObject& object, ObjectReadout& out, bool storeCoordinates);
void gisReadRecord(int gisID, GisObject& object, std::string& line);
void dbfReadRecord(DbfTable& table, bool& endOfData, std::string& line, bool& deleted);
void gisCloseLayer(int& gisID);
void gisWriteEoF(int gisID);
bool gisCloseAllLayers();

}  // namespace zx
