// gis/dbf_reader.hpp: the dBASE side of a shapefile set read back: the header and field
// descriptors, then one record at a time turned into a comma-separated attribute line. Records
// are found where the header says they start and as far apart as its record length says, so
// tables with longer headers or records than the fields need read alike. Pure file reading over
// the set's own table record: the layer table reports what these routines find wrong.
#pragma once
#include <cstdint>
#include <string>

#include "gis/layer_records.hpp"
#include "platform/file.hpp"

namespace zx::dbf {

enum class HeaderFault {
    None,
    EndOfFile,      // the file ends inside its header
    Unreadable,     // a read of the header failed
    TooManyFields,  // more than 128 descriptors
    FieldWidth,     // a field of width 0
    NoFields,
    Lengths,        // header or record length too short for the descriptors and fields
};
struct HeaderOutcome {
    HeaderFault fault = HeaderFault::None;
    std::int32_t width = 0;  // FieldWidth: the width found
};

// The header from the start of the file: record count, lengths and the field list (names cut at
// their first NUL and cleaned to letters, digits and "_").
HeaderOutcome readHeader(platform::File& file, DbfTable& table);

enum class RecordStatus {
    Live,
    Deleted,       // a record marked deleted: its values are in the line all the same
    EndOfData,     // the end byte, or the file's end where a record would start
    EndOfFile,     // the file ends inside a record
    ReadError,     // a read failed, other than at the file's end
    Unrecognised,  // a flag byte that is neither blank, NUL, "*" nor the end byte; flag holds it
};

// The work bytes of the record reader, kept by its caller so that records cost no allocation.
struct ReadBuffers {
    std::string record;
};

// The next record (the table's records-done count says which) as an attribute line: character
// fields in double quotes with their quotes doubled, other fields as written, and a numeric field
// of asterisks as 0.
RecordStatus readRecord(platform::File& file, DbfTable& table, std::string& line, char& flag, ReadBuffers& buffers);

// The live records behind those read so far, up to the end byte or the file's end: deleted ones
// behind the last shape hold nothing that was lost. The file is left anywhere.
std::int32_t recordsLeft(platform::File& file, const DbfTable& table);

}  // namespace zx::dbf
