// common/paths_exports.cpp: the path routines as exported by name.
#include "common/fortran_abi.hpp"
#include "common/paths.hpp"

namespace {
using zx::abi::fill;
using zx::abi::text;
}  // namespace

#define ZX_PATH_RESULT(NAME)                                                                \
    ZX_EXPORT void NAME(char* result, std::size_t resultLength, const char* path, std::size_t pathLength) { \
        fill(result, resultLength, zx::NAME(text(path, pathLength)));                       \
    }

ZX_PATH_RESULT(FILEEXT)
ZX_PATH_RESULT(FILEEXTKC)
ZX_PATH_RESULT(FILE___EXT)
ZX_PATH_RESULT(FILENAME)
ZX_PATH_RESULT(FILENAMEEXT)
ZX_PATH_RESULT(FILENAMENO_)
ZX_PATH_RESULT(FILENAMEPATH)
ZX_PATH_RESULT(FILENAMEPATHNO_)
ZX_PATH_RESULT(FILEFOLDERPATH)
ZX_PATH_RESULT(REMOVEDOTDOT)

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
