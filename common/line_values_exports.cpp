// common/line_values_exports.cpp: the line reader, keyword tests and value readers as exported by
// name.
#include "common/fortran_abi.hpp"
#include "common/line_values.hpp"
#include "common/zervanix_text.h"

namespace {
using zx::abi::fill;
using zx::abi::logical;
using zx::abi::text;
}  // namespace

ZX_EXPORT std::int32_t READLINE(const std::int32_t* unit, char* line, std::size_t lineLength) {
    std::string read;
    const bool content = zx::READLINE(*unit, read, lineLength);
    fill(line, lineLength, read);
    return logical(content);
}

ZX_EXPORT std::int32_t FLAGEXISTS(const char* line, const char* flag, std::size_t lineLength, std::size_t flagLength) {
    return logical(zx::FLAGEXISTS(text(line, lineLength), text(flag, flagLength)));
}

ZX_EXPORT std::int32_t FLAGEXISTSRET(const char* line, const char* flag, char* rest, std::size_t lineLength,
                                     std::size_t flagLength, std::size_t restLength) {
    std::string found;
    const bool result = zx::FLAGEXISTSRET(text(line, lineLength), text(flag, flagLength), found);
    fill(rest, restLength, found);
    return logical(result);
}

#define ZX_NAMED_FLAG(NAME)                                                                                           \
    ZX_EXPORT std::int32_t NAME(const char* line, const char* name, std::size_t lineLength, std::size_t nameLength) { \
        return logical(zx::NAME(text(line, lineLength), text(name, nameLength)));                                     \
    }

ZX_NAMED_FLAG(READGIS)
ZX_NAMED_FLAG(WRITEGIS)
ZX_NAMED_FLAG(READROWCOL)

ZX_EXPORT std::int32_t CHECKLINE(const char* line, const char* keyword, const char* separator,
                                 const std::int32_t* column, char* value, char* command, std::size_t lineLength,
                                 std::size_t keywordLength, std::size_t separatorLength, std::size_t valueLength,
                                 std::size_t commandLength) {
    std::string valueText;
    std::string commandText;
    const bool result = zx::CHECKLINE(text(line, lineLength), text(keyword, keywordLength),
                                      text(separator, separatorLength), *column, valueText, commandText);
    fill(value, valueLength, valueText);
    fill(command, commandLength, commandText);
    return logical(result);
}

ZX_EXPORT std::int32_t CSVVALUE(const char* line, const std::int32_t* field, float* value, std::size_t lineLength) {
    return logical(zx::CSVVALUE(text(line, lineLength), *field, *value));
}

ZX_EXPORT std::int32_t EXTRACTINTEGER(const char* line, const char* lowerLine, const char* keyword,
                                      const std::int32_t* field, const std::int32_t* defaultValue,
                                      std::size_t lineLength, std::size_t lowerLength, std::size_t keywordLength) {
    return zx::EXTRACTINTEGER(text(line, lineLength), text(lowerLine, lowerLength), text(keyword, keywordLength),
                              *field, *defaultValue);
}

ZX_EXPORT float EXTRACTREAL(const char* line, const char* lowerLine, const char* keyword, const std::int32_t* field,
                            const float* defaultValue, std::size_t lineLength, std::size_t lowerLength,
                            std::size_t keywordLength) {
    return zx::EXTRACTREAL(text(line, lineLength), text(lowerLine, lowerLength), text(keyword, keywordLength), *field,
                           *defaultValue);
}

ZX_EXPORT void EXTRACTSTRING(char* result, std::size_t resultLength, const char* line, const char* lowerLine,
                             const char* keyword, const std::int32_t* field, std::size_t lineLength,
                             std::size_t lowerLength, std::size_t keywordLength) {
    fill(result, resultLength,
         zx::EXTRACTSTRING(text(line, lineLength), text(lowerLine, lowerLength), text(keyword, keywordLength), *field));
}

ZX_EXPORT void EXTRACTSTRINGREM(char* result, std::size_t resultLength, const char* line, const char* lowerLine,
                                const char* keyword, const std::int32_t* field, std::size_t lineLength,
                                std::size_t lowerLength, std::size_t keywordLength) {
    fill(result, resultLength,
         zx::EXTRACTSTRINGREM(text(line, lineLength), text(lowerLine, lowerLength), text(keyword, keywordLength),
                              *field));
}

ZX_EXPORT std::int32_t NUMBEROFSUBSTRINGS(char* chars, const char* delimiter, std::size_t length,
                                          std::size_t delimiterLength) {
    std::string changed(text(chars, length));
    const int count = zx::NUMBEROFSUBSTRINGS(changed, text(delimiter, delimiterLength));
    fill(chars, length, changed);
    return count;
}

ZX_EXPORT void SUBSTRING(char* result, std::size_t resultLength, const char* chars, const char* delimiter,
                         const std::int32_t* field, std::size_t length, std::size_t delimiterLength) {
    fill(result, resultLength, zx::SUBSTRING(text(chars, length), text(delimiter, delimiterLength), *field));
}

ZX_EXPORT std::int32_t NUMBEROFNUMBERS(const char* line, std::size_t lineLength) {
    return zx::NUMBEROFNUMBERS(text(line, lineLength));
}

ZX_EXPORT std::int32_t NUMBEROFDAYS(const char* date, std::size_t dateLength) {
    return zx::NUMBEROFDAYS(text(date, dateLength));
}

ZX_EXPORT std::int32_t CHECKINT(const char* chars, std::int32_t* value, std::size_t length) {
    return logical(zx::CHECKINT(text(chars, length), *value));
}
ZX_EXPORT std::int32_t CHECKINT4(const char* chars, std::int32_t* value, std::size_t length) {
    return logical(zx::CHECKINT4(text(chars, length), *value));
}
ZX_EXPORT std::int32_t CHECKINT8(const char* chars, std::int64_t* value, std::size_t length) {
    return logical(zx::CHECKINT8(text(chars, length), *value));
}
