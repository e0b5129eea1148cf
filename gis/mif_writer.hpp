// gis/mif_writer.hpp: MapInfo interchange text: the .mif header with its column list, and one
// object in MIF syntax followed by the layer's style lines. Pure file writing: the layer table
// checks the object before it comes here.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "gis/layer_records.hpp"
#include "gis/object_kind.hpp"
#include "platform/file.hpp"

namespace zx::mif {

void writeHeader(platform::File& file, const GisAttributeTemplate& columns, std::string_view coordSysLine);

// One object of the kind (not Unsupported). Lines and regions are written in sections that start
// at the 1-based vertices of partStarts; a text object's text line is the quoted text and its box
// the vertices 2 and 3. The style lines follow, the blank ones left out. `line` is the caller's
// work text.
void writeObject(platform::File& file, ObjectKind kind, std::span<const std::int32_t> partStarts, VertexView vertices,
                 std::string_view textLine, std::string_view styleLine1, std::string_view styleLine2,
                 std::string& line);

}  // namespace zx::mif
