// gis/dbf_writer.cpp: the dBASE III side of a shapefile set: the header with its field
// descriptors from the attribute template, one fixed-width record per attribute line, and the
// record count and end byte put in when the layer closes. Reached only through the layer table.
#include <algorithm>
#include <array>
#include <ctime>

#include "build_info.hpp"
#include "common/exit.hpp"
#include "common/list_input.hpp"
#include "common/number_text.hpp"
#include "common/strings.hpp"
#include "common/text_lines.hpp"
#include "common/units.hpp"
#include "gis/byte_order.hpp"
#include "gis/layer_table.hpp"

namespace zx {
namespace {

using bytes::putLE16;
using bytes::putLE32;

constexpr unsigned char kVersion = 3;  // dBASE III without memo
constexpr unsigned char kHeaderEnd = 0x0D;
constexpr unsigned char kFileEnd = 0x1A;
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

unsigned char byteField(std::int64_t value) {
    if (value < 0 || value > 255) internalStop("Should not be here [i1u: i4 outside range]");
    return static_cast<unsigned char>(value);
}

std::uint16_t wordField(std::int64_t value) {
    if (value < 0 || value > 65535) internalStop("Should not be here [i2u: i4 outside range]");
    return static_cast<std::uint16_t>(value);
}

std::uint64_t headerLength(std::size_t fieldCount) { return 32 * fieldCount + 33; }

}  // namespace

void LayerTable::writeDbfHeader(const GisAttributeTemplate& columns, DbfTable& table) {
    if (table.unit < 1) return;
    platform::File* file = units().file(table.unit);
    if (file == nullptr) stopWithMessage("ERROR 0413 - Writing .dbf file header.");
    file->rewind();
    table.headerRecordCount = columns.recordCount;
    if (columns.columns.size() > kMaxDbfFields) {
        stopWithMessage("ERROR 0411 - Exceeded maximum number of dbf Fields trying to write dbf file.");
    }
    if (columns.columns.empty()) stopWithMessage("ERROR 0319 - No attributes specified when writing .dbf file.");

    table.fields.clear();
    std::int64_t recordLength = 0;
    for (const auto& column : columns.columns) {
        const std::string type = UPPERCASE(TRIMF(column.type));
        const auto* kind = std::find_if(kDbfTypes.begin(), kDbfTypes.end(),
                                        [&](const DbfType& t) { return type.starts_with(t.prefix); });
        if (kind == kDbfTypes.end()) internalStop("Should not be here [Unrecognised DBF field]");
        DbfField field;
        field.name = CLEANATTRIBUTENAME(TRIMF(column.name)).substr(0, kFieldNameLength);
        field.type = kind->letter;
        field.width = kind->width == 0 ? column.width : kind->width;
        field.decimals = kind->decimals;
        recordLength += field.width;
        table.fields.push_back(std::move(field));
    }
    if (recordLength > kMaxRecordLength) internalStop("Should not be here [dbfTotLen>32767]");
    table.recordLength = static_cast<std::int32_t>(recordLength);

    const std::time_t now = std::time(nullptr);
    const std::tm date = *std::localtime(&now);
    std::array<unsigned char, 32> header{};
    header[0] = kVersion;
    header[1] = byteField(date.tm_year);  // years since 1900
    header[2] = byteField(date.tm_mon + 1);
    header[3] = byteField(date.tm_mday);
    putLE32(&header[4], static_cast<std::uint32_t>(table.headerRecordCount));
    putLE16(&header[8], wordField(static_cast<std::int64_t>(headerLength(table.fields.size()))));
    putLE16(&header[10], wordField(recordLength + 1));
    file->writeBytes(header.data(), header.size());

    for (const DbfField& field : table.fields) {
        // Names are padded with zero bytes to 11; readers stop at the first zero.
        std::array<unsigned char, 32> descriptor{};
        std::copy(field.name.begin(), field.name.end(), descriptor.begin());
        descriptor[11] = static_cast<unsigned char>(field.type);
        if (field.width < 1 || field.width > 255) {
            stopWithMessage("ERROR 0412 - dbf field length of " + AINTEGER(field.width) +
                            " is outside allowable range of 1 to 255 when writing dbf file.");
        }
        descriptor[16] = byteField(field.width);
        descriptor[17] = byteField(field.decimals);
        file->writeBytes(descriptor.data(), descriptor.size());
    }
    file->writeBytes(&kHeaderEnd, 1);
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

// Every record starts blank, so a field the line leaves out (an empty value, a value after a
// slash, values beyond the line's end) is written blank, never with an earlier record's value.
void LayerTable::writeDbfValues(DbfTable& table, std::string_view line, std::string_view routine,
                                std::string_view failure) {
    platform::File* file = table.unit > 0 ? units().file(table.unit) : nullptr;
    if (file == nullptr) stopWithMessage(failure);
    dbfRecord_.assign(static_cast<std::size_t>(table.recordLength) + 1, ' ');  // deletion byte: not deleted
    listin::ListReader reader(line);
    std::size_t offset = 1;
    bool valuesLeft = true;
    for (const DbfField& field : table.fields) {
        const auto width = static_cast<std::size_t>(field.width);
        if (valuesLeft) {
            switch (reader.next(dbfValue_)) {
                case listin::ListReader::Item::Value: {
                    // Cut to the field (a number loses its last digits); character fields stand
                    // on the left, all others on the right.
                    const std::string_view value = significantPart(std::string_view(dbfValue_).substr(0, width));
                    const std::size_t at = field.type == 'C' ? offset : offset + width - value.size();
                    dbfRecord_.replace(at, value.size(), value);
                    break;
                }
                case listin::ListReader::Item::Empty: break;
                case listin::ListReader::Item::Slash:
                case listin::ListReader::Item::EndOfRecord: valuesLeft = false; break;
                case listin::ListReader::Item::Malformed:
                    gisMessageLines[0] =
                        std::string(routine) + " - please contact " + std::string(kContactAddress) + ".";
                    gisMessageLines[1] = line.substr(0, 1000);
                    writeMessage(1);
                    EXITS();
            }
        }
        offset += width;
    }
    file->writeBytes(dbfRecord_.data(), dbfRecord_.size());
}

// The end byte after the last record, the number of records at offset 4, and the file cut just
// behind the end byte.
void LayerTable::finishDbf(DbfTable& table) {
    if (table.unit < 1) return;
    platform::File* file = units().file(table.unit);
    if (file == nullptr) stopWithMessage(kFinishFailure);
    const std::uint64_t end =
        headerLength(table.fields.size()) +
        static_cast<std::uint64_t>(table.recordsDone) * (static_cast<std::uint64_t>(table.recordLength) + 1);
    file->seek(end);
    file->writeBytes(&kFileEnd, 1);
    std::array<unsigned char, 4> count;
    putLE32(count.data(), static_cast<std::uint32_t>(table.recordsDone));
    file->seek(4);
    file->writeBytes(count.data(), count.size());
    std::string reason;
    if (!file->truncate(end + 1, reason)) stopWithMessage(kFinishFailure);
    CLOSER(table.unit);
}

}  // namespace zx
