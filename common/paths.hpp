// common/paths.hpp: taking file names apart and putting them together. "\" and "/" both end a
// folder where a name is split; the normalising steps resolve "\.\" and "\..\" steps. Results
// come back without trailing blanks.
#pragma once
#include <string>
#include <string_view>

namespace zx {

std::string FILEEXT(std::string_view path);
std::string FILEEXTKC(std::string_view path);
std::string FILE___EXT(std::string_view path);
std::string FILENAME(std::string_view path);
std::string FILENAMEEXT(std::string_view path);
std::string FILENAMENO_(std::string_view path);
std::string FILENAMEPATH(std::string_view path);
std::string FILENAMEPATHNO_(std::string_view path);
std::string FILEFOLDERPATH(std::string_view path);
std::string REMOVEDOTDOT(std::string_view path);
std::string ADDFOLDER(std::string_view folder, std::string_view name);
// Cleans the path in place and returns the cleaned text.
std::string CLEANPATH(std::string& path);
// Turns the root of a path into a folder name in place: 0 when the root changed, -1 otherwise.
int DRIVEFOLDER(std::string& path);

}  // namespace zx
