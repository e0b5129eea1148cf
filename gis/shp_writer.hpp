// gis/shp_writer.hpp: the geometry side of a shapefile set: the 100-byte header of the .shp and
// .shx files, one shape record with its index entry per object, and the finishing of both files
// when the layer closes. Pure file writing over the set's own record: the layer table checks the
// object and reports failures.
#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <string>

#include "gis/file_layouts.hpp"
#include "gis/layer_records.hpp"
#include "gis/object_kind.hpp"
#include "platform/file.hpp"

namespace zx::shp {

// Written at open and rewritten at close from here, so the two never disagree on a field.
std::array<unsigned char, kHeaderBytes> header(const ShpFileSet& set, std::int32_t lengthWords);

// Starts a .shp or .shx file: file code, version and the header's length into the set, the
// header at the file's start.
void writeHeader(platform::File& file, ShpFileSet& set);

// One shape record in the .shp and its entry in the .shx; the set's counters and extent move on.
// A point (and a text object's anchor) is vertex 1; lines and regions have their parts start at
// the 1-based vertices of partStarts; None writes a null shape.
void writeRecord(platform::File& shp, platform::File& shx, ShpFileSet& set, ObjectKind kind,
                 std::span<const std::int32_t> partStarts, VertexView vertices);

// The length of the set's .shx file in 16-bit words.
std::int32_t indexLengthWords(const ShpFileSet& set);

// Finishes a file of the set: its header rewritten when the set received records, the file cut
// where the header says it ends, so that a longer file of an earlier run keeps no stale records.
// False with the operating system's reason when that fails.
bool finish(platform::File& file, const ShpFileSet& set, std::int32_t lengthWords, std::string& reason);

}  // namespace zx::shp
