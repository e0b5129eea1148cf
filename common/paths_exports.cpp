// common/paths_exports.cpp: the path routines as exported by name.
#include "common/fortran_abi.hpp"
#include "common/paths.hpp"
#include "common/zervanix_text.h"

namespace {
using zx::abi::fill;
using zx::abi::text;
}  // namespace


ZX_TEXT_TO_TEXT_EXPORT(FILEEXT)
ZX_TEXT_TO_TEXT_EXPORT(FILEEXTKC)
ZX_TEXT_TO_TEXT_EXPORT(FILE___EXT)
ZX_TEXT_TO_TEXT_EXPORT(FILENAME)
ZX_TEXT_TO_TEXT_EXPORT(FILENAMEEXT)
ZX_TEXT_TO_TEXT_EXPORT(FILENAMENO_)
ZX_TEXT_TO_TEXT_EXPORT(FILENAMEPATH)
ZX_TEXT_TO_TEXT_EXPORT(FILENAMEPATHNO_)
ZX_TEXT_TO_TEXT_EXPORT(FILEFOLDERPATH)
ZX_TEXT_TO_TEXT_EXPORT(REMOVEDOTDOT)

ZX_EXPORT void ADDFOLDER(char* result, std::size_t resultLength, const char* folder, const char* name,
                         std::size_t folderLength, std::size_t nameLength) {
    fill(result, resultLength, zx::ADDFOLDER(text(folder, folderLength), text(name, nameLength)));
}

ZX_EXPORT void CLEANPATH(char* result, std::size_t resultLength, char* path, std::size_t pathLength) {
    std::string cleaned(text(path, pathLength));
    const std::string value = zx::CLEANPATH(cleaned);
    fill(path, pathLength, cleaned);
    fill(result, resultLength, value);
}

ZX_EXPORT std::int32_t DRIVEFOLDER(char* path, std::size_t pathLength) {
    std::string changed(text(path, pathLength));
    const int result = zx::DRIVEFOLDER(changed);
    fill(path, pathLength, changed);
    return result;
}
