// gis/dbf_writer.hpp: the dBASE III side of a shapefile set: the field descriptors taken from the
// attribute template, the header, one fixed-width record per attribute line, and the record count
// and end byte put in when the layer closes. Pure file writing over the set's own table record:
// the layer table reports what these routines find wrong.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "gis/layer_records.hpp"
#include "platform/file.hpp"

namespace zx::dbf {

// What keeps a template from becoming a header, in the order the header meets it.
enum class FieldFault {
    None,
    TooManyFields,  // more than 128 columns
    NoFields,
    UnknownType,     // a type text that names no dBASE type
    RecordTooLong,   // the record would not fit the header's 16-bit length
    FieldWidth,      // a field outside 1 to 255 characters; width holds it
};
struct FieldCheck {
    FieldFault fault = FieldFault::None;
    std::int32_t width = 0;
};

// The table's fields and record length from the template (names cleaned and cut to 10
// characters); the first fault found, when there is one.
FieldCheck defineFields(const GisAttributeTemplate& columns, DbfTable& table);

// The header of a table whose fields were defined without a fault: version, date of the run,
// record count, lengths, one descriptor per field and the header's end byte.
void writeHeader(platform::File& file, const DbfTable& table);

// The work texts of the record writer, kept by its caller so that records cost no allocation.
struct RecordBuffers {
    std::string record;
    std::string value;
};

// One record from a comma-separated attribute line read in free form, each value cut to its
// field; false when the line cannot be read (an open quote).
bool writeRecord(platform::File& file, const DbfTable& table, std::string_view line, RecordBuffers& buffers);

// The end byte after the last record, the record count into the header, the file cut behind the
// end byte; false with the operating system's reason when that fails.
bool finish(platform::File& file, const DbfTable& table, std::string& reason);

}  // namespace zx::dbf
