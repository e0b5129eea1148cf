// gis/dbf_reader.cpp: reading dBASE tables as shapefile writers leave them: dBASE III from GDAL,
// shapelib and this library, Visual FoxPro and padding writers with longer headers, and writers
// that end the file without the end byte.
#include "gis/dbf_reader.hpp"

#include <algorithm>
#include <array>
#include <cstring>

#include "common/strings.hpp"
#include "common/text_lines.hpp"
#include "gis/byte_order.hpp"
#include "gis/file_layouts.hpp"

namespace zx::dbf {
namespace {

// A read that came short: the file's end, or a failure of the read itself.
HeaderOutcome shortHeader(platform::File& file) {
    return {file.atEnd() ? HeaderFault::EndOfFile : HeaderFault::Unreadable};
}
RecordStatus shortRecord(platform::File& file, RecordStatus atEnd) {
    return file.atEnd() ? atEnd : RecordStatus::ReadError;
}

// Where the record of the given number (0-based) starts.
std::uint64_t recordStart(const DbfTable& table, std::int64_t record) {
    return static_cast<std::uint64_t>(table.headerBytes) +
           static_cast<std::uint64_t>(record) * static_cast<std::uint64_t>(table.recordBytes);
}

}  // namespace

HeaderOutcome readHeader(platform::File& file, DbfTable& table) {
    file.rewind();
    std::array<unsigned char, kDescriptorBytes> prefix{};
    if (file.readBytes(prefix.data(), prefix.size()) != prefix.size()) return shortHeader(file);
    table.headerRecordCount = static_cast<std::int32_t>(bytes::getLE32(&prefix[4]));
    table.headerBytes = bytes::getLE16(&prefix[8]);
    table.recordBytes = bytes::getLE16(&prefix[10]);
    table.fields.clear();
    table.recordLength = 0;
    for (;;) {
        std::array<unsigned char, kDescriptorBytes> d{};
        if (file.readBytes(d.data(), 1) != 1) return shortHeader(file);
        if (d[0] == kHeaderEnd) break;
        if (file.readBytes(d.data() + 1, d.size() - 1) != d.size() - 1) return shortHeader(file);
        if (table.fields.size() == kMaxDbfFields) return {HeaderFault::TooManyFields};
        // Writers leave whatever was in memory behind the name's NUL; it is not part of the name.
        const auto* name = reinterpret_cast<const char*>(d.data());
        const std::string_view raw(name, strnlen(name, 11));
        DbfField field;
        field.name = CLEANATTRIBUTENAME(raw);
        field.type = static_cast<char>(d[11]);
        field.width = d[16];
        field.decimals = d[17];
        if (field.width == 0) return {HeaderFault::FieldWidth, 0};
        table.recordLength += field.width;
        table.fields.push_back(std::move(field));
    }
    if (table.fields.empty()) return {HeaderFault::NoFields};
    const auto descriptorsEnd = static_cast<std::int32_t>(file.position());
    if (table.headerBytes < descriptorsEnd || table.recordBytes < table.recordLength + 1) return {HeaderFault::Lengths};
    return {};
}

RecordStatus readRecord(platform::File& file, DbfTable& table, std::string& line, char& flag, ReadBuffers& buffers) {
    line.clear();
    file.seek(recordStart(table, table.recordsDone));
    std::string& record = buffers.record;
    record.resize(static_cast<std::size_t>(table.recordBytes));
    const std::size_t got = file.readBytes(record.data(), record.size());
    // No byte where a record would start: the end of the data, as pyshp leaves it (no end byte).
    if (got == 0) return shortRecord(file, RecordStatus::EndOfData);
    flag = record[0];
    if (static_cast<unsigned char>(flag) == kFileEnd) return RecordStatus::EndOfData;
    if (flag != ' ' && flag != '\0' && flag != '*') return RecordStatus::Unrecognised;
    if (got < record.size()) return shortRecord(file, RecordStatus::EndOfFile);
    ++table.recordsDone;
    std::size_t at = 1;
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        const DbfField& field = table.fields[i];
        const std::string_view text = significantPart(std::string_view(record).substr(at, static_cast<std::size_t>(field.width)));
        at += static_cast<std::size_t>(field.width);
        // Other fields go in bare, unless they hold the delimiter or a quote (a decimal comma):
        // callers take values by position, so a record line holds one value per field.
        const bool isCharacter = field.type == 'C' || field.type == 'c';
        if (!isCharacter && !text.empty() && text.front() == '*') {
            line.push_back('0');  // a number too wide for its field
        } else if (isCharacter || text.find_first_of(",\"") != std::string_view::npos) {
            appendQuoted(line, text);
        } else {
            line.append(text);
        }
        if (i + 1 < table.fields.size()) line.push_back(',');
    }
    return flag == '*' ? RecordStatus::Deleted : RecordStatus::Live;
}

std::int32_t recordsLeft(platform::File& file, const DbfTable& table) {
    std::int32_t live = 0;
    unsigned char flag = 0;
    for (std::int64_t index = table.recordsDone;; ++index) {
        file.seek(recordStart(table, index));
        if (file.readBytes(&flag, 1) != 1 || flag == kFileEnd) return live;
        if (flag != '*') ++live;
    }
}

}  // namespace zx::dbf
