// gis/shp_reader.hpp: the geometry side of a shapefile set read back: the 100-byte main header and
// one shape record at a time, each record found by the content length of the one before and read
// only up to its own end. Pure file reading over the set's own record: the layer table reports
// what these routines find wrong.
#pragma once
#include <cstdint>
#include <string>

#include "gis/layer_records.hpp"
#include "platform/file.hpp"

namespace zx::shp {

enum class Fault {
    None,
    EndOfFile,    // the file ends before what its header or record says it holds
    TooManyParts, // a polyline of more parts than the part table holds
    TooManyRings, // a polygon of more rings than the part table holds
    Unsupported,  // a shape type the readers do not take; detail holds it
    Malformed,    // counts or part starts the record cannot hold; reason says which
    TooManyNodes, // more vertices than the caller's arrays hold; detail holds the count
};
struct Outcome {
    Fault fault = Fault::None;
    std::int32_t detail = 0;
    std::string reason;
};

struct FileHeader {
    std::int32_t fileCode = 0;
    std::int32_t fileLengthWords = 0;
    std::int32_t version = 0;
    std::int32_t shapeType = 0;
    double xmin = 0.0;
    double ymin = 0.0;
    double xmax = 0.0;
    double ymax = 0.0;
};

enum class HeaderFault {
    None,
    EndOfFile,   // the file is shorter than the header
    Unreadable,  // a read failure, or a file length shorter than the header itself
};

// The main header of a .shp or .shx file from its start, each field in its own byte order; the
// file is left at its first record.
HeaderFault readFileHeader(platform::File& file, FileHeader& header);

// Whether the set's file holds no further record: its header's file length decides, so bytes
// behind that length are not taken for records.
bool atEnd(const ShpFileSet& set);

// The records behind the current one, found by their content lengths up to the header's file
// length; the file is left anywhere.
std::int32_t recordsLeft(platform::File& file, const ShpFileSet& set);

// The header of the next record (the set's record count names it in messages): the record shape
// type into the set, kind flags and counts into
// the object (polyline part starts into ir), the file left at the record's first coordinate.
Outcome readObjectType(platform::File& file, ShpFileSet& set, GisObject& object);

// The coordinates of the current record into out: a point, one point of a multipoint, one part
// of a polyline (counted in nr) or a whole polygon with its ring layout; read over when
// storeCoordinates is false.
Outcome readObject(platform::File& file, ShpFileSet& set, GisObject& object, ObjectReadout& out,
                   bool storeCoordinates);

}  // namespace zx::shp
