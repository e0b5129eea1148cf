// gis/dbf_writer.cpp: dBASE III bytes of a shapefile set's attribute table.
#include "gis/dbf_writer.hpp"

#include <algorithm>
#include <array>
#include <ctime>

#include "common/list_input.hpp"
#include "common/strings.hpp"
#include "common/text_lines.hpp"
#include "gis/byte_order.hpp"
#include "gis/file_layouts.hpp"

namespace zx::dbf {
namespace {

using bytes::putLE16;
using bytes::putLE32;

constexpr unsigned char kVersion = 3;  // dBASE III without memo
constexpr std::size_t kFieldNameLength = 10;
// The record length with its deletion byte must fit the header's 16-bit field.
constexpr std::int64_t kMaxRecordLength = 65534;

// Field types from the template's type text; the first whose text begins the type wins.
struct DbfType {
    std::string_view prefix;
    char letter;
    std::int32_t width;  // 0: the template's width
    std::int32_t decimals;
};
constexpr std::array kDbfTypes{
    DbfType{"CHAR", 'C', 0, 0},    DbfType{"LOGICAL", 'C', 1, 0}, DbfType{"FLOAT", 'N', 16, 5},
    DbfType{"INTEGER", 'N', 8, 0}, DbfType{"DECIMAL", 'N', 0, 0},
};

}  // namespace

FieldCheck defineFields(const GisAttributeTemplate& columns, DbfTable& table) {
    table.headerRecordCount = columns.recordCount;
    if (columns.columns.size() > kMaxDbfFields) return {FieldFault::TooManyFields};
    if (columns.columns.empty()) return {FieldFault::NoFields};
    table.fields.clear();
    std::int64_t recordLength = 0;
    for (const auto& column : columns.columns) {
        const std::string type = UPPERCASE(TRIMF(column.type));
        const auto* kind = std::find_if(kDbfTypes.begin(), kDbfTypes.end(),
                                        [&](const DbfType& t) { return type.starts_with(t.prefix); });
        if (kind == kDbfTypes.end()) return {FieldFault::UnknownType};
        DbfField field;
        field.name = CLEANATTRIBUTENAME(TRIMF(column.name)).substr(0, kFieldNameLength);
        field.type = kind->letter;
        field.width = kind->width == 0 ? column.width : kind->width;
        field.decimals = kind->decimals;
        recordLength += field.width;
        table.fields.push_back(std::move(field));
    }
    if (recordLength > kMaxRecordLength) return {FieldFault::RecordTooLong};
    table.recordLength = static_cast<std::int32_t>(recordLength);
    for (const DbfField& field : table.fields) {
        if (field.width < 1 || field.width > 255) return {FieldFault::FieldWidth, field.width};
    }
    return {};
}

void writeHeader(platform::File& file, const DbfTable& table) {
    const std::time_t now = std::time(nullptr);
    const std::tm date = *std::localtime(&now);
    std::array<unsigned char, 32> header{};
    header[0] = kVersion;
    header[1] = static_cast<unsigned char>(date.tm_year);  // years since 1900
    header[2] = static_cast<unsigned char>(date.tm_mon + 1);
    header[3] = static_cast<unsigned char>(date.tm_mday);
    putLE32(&header[4], static_cast<std::uint32_t>(table.headerRecordCount));
    putLE16(&header[8], static_cast<std::uint16_t>(headerLength(table.fields.size())));
    putLE16(&header[10], static_cast<std::uint16_t>(table.recordLength + 1));
    file.rewind();
    file.writeBytes(header.data(), header.size());
    for (const DbfField& field : table.fields) {
        // Names are padded with zero bytes to 11; readers stop at the first zero.
        std::array<unsigned char, 32> descriptor{};
        std::copy(field.name.begin(), field.name.end(), descriptor.begin());
        descriptor[11] = static_cast<unsigned char>(field.type);
        descriptor[16] = static_cast<unsigned char>(field.width);
        descriptor[17] = static_cast<unsigned char>(field.decimals);
        file.writeBytes(descriptor.data(), descriptor.size());
    }
    file.writeBytes(&kHeaderEnd, 1);
}

// Every record starts blank, so a field the line leaves out (an empty value, a value after a
// slash, values beyond the line's end) is written blank, never with an earlier record's value.
bool writeRecord(platform::File& file, const DbfTable& table, std::string_view line, RecordBuffers& buffers) {
    std::string& record = buffers.record;
    std::string& value = buffers.value;
    record.assign(static_cast<std::size_t>(table.recordLength) + 1, ' ');  // deletion byte: not deleted
    listin::ListReader reader(line);
    std::size_t offset = 1;
    bool valuesLeft = true;
    for (const DbfField& field : table.fields) {
        const auto width = static_cast<std::size_t>(field.width);
        if (valuesLeft) {
            switch (reader.next(value)) {
                case listin::ListReader::Item::Value: {
                    // Cut to the field (a number loses its last digits); character fields stand
                    // on the left, all others on the right.
                    const std::string_view cut = significantPart(std::string_view(value).substr(0, width));
                    const std::size_t at = field.type == 'C' ? offset : offset + width - cut.size();
                    record.replace(at, cut.size(), cut);
                    break;
                }
                case listin::ListReader::Item::Empty: break;
                case listin::ListReader::Item::Slash:
                case listin::ListReader::Item::EndOfRecord: valuesLeft = false; break;
                case listin::ListReader::Item::Malformed: return false;
            }
        }
        offset += width;
    }
    file.writeBytes(record.data(), record.size());
    return true;
}

bool finish(platform::File& file, const DbfTable& table, std::string& reason) {
    const std::uint64_t end =
        headerLength(table.fields.size()) +
        static_cast<std::uint64_t>(table.recordsDone) * (static_cast<std::uint64_t>(table.recordLength) + 1);
    file.seek(end);
    file.writeBytes(&kFileEnd, 1);
    std::array<unsigned char, 4> count;
    putLE32(count.data(), static_cast<std::uint32_t>(table.recordsDone));
    file.seek(4);
    file.writeBytes(count.data(), count.size());
    return file.truncate(end + 1, reason);
}

}  // namespace zx::dbf
