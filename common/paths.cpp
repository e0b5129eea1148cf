// common/paths.cpp: file-name and path routines.
#include "common/paths.hpp"

#include "common/strings.hpp"
#include "common/text_lines.hpp"

namespace zx {
namespace {

constexpr auto npos = std::string_view::npos;

// 0-based index of the last "\" or "/", npos when there is none.
std::size_t lastSeparator(std::string_view path) { return path.find_last_of("\\/"); }

// 0-based index of the extension's ".", npos when the path has no extension.
std::size_t extensionDot(std::string_view path) {
    const auto dot = path.rfind('.');
    if (dot == npos) return npos;
    const auto separator = lastSeparator(path);
    if (separator != npos && dot < separator) return npos;
    return dot;
}

// The normalising steps shared by REMOVEDOTDOT and ADDFOLDER, on "\" separators.
std::string normalise(std::string text) {
    // Doubled backslashes collapse, except a leading pair (a network path) and all after it.
    for (auto at = text.find("\\\\"); at != std::string::npos && at >= 2; at = text.find("\\\\")) {
        text.erase(at + 1, 1);
    }
    // "\.\" steps go first, so that "a\b\.\..\c" resolves its parent step against b.
    for (auto at = text.find("\\.\\"); at != std::string::npos; at = text.find("\\.\\")) {
        text.erase(at + 1, 2);
    }
    // Parent steps: "folder\..\" disappears; leading runs of ".." stay.
    for (auto at = text.find("\\..\\"); at != std::string::npos && at >= 1; at = text.find("\\..\\")) {
        std::size_t step = at;
        bool stop = false;
        while (step >= 2 && text.compare(step - 2, 2, "..") == 0) {
            const auto next = text.find("\\..\\", step + 4);
            if (next == std::string::npos || next == step + 4) {
                stop = true;
                break;
            }
            step = next;
        }
        if (stop) break;
        const auto folderStart = step == 0 ? npos : text.rfind('\\', step - 1);
        const std::size_t keep = folderStart == npos ? 0 : folderStart + 1;
        text = text.substr(0, keep) + text.substr(step + 4);
    }
    return text;
}

}  // namespace

std::string FILEEXTKC(std::string_view path) {
    const auto text = significantPart(path);
    const auto dot = extensionDot(text);
    return dot == npos ? std::string{} : std::string(text.substr(dot));
}

std::string FILEEXT(std::string_view path) { return LOWERCASE(FILEEXTKC(path)); }

std::string FILENAME(std::string_view path) {
    const auto text = significantPart(path);
    const auto dot = text.rfind('.');
    const auto separator = lastSeparator(text);
    if (separator == npos) {
        if (dot == npos) return std::string(text);
        return std::string(text.substr(0, dot));  // a name that starts with its only "." gives blank
    }
    // No "." after the separator, or a name that begins with ".": the whole name.
    const std::size_t end = (dot == npos || dot <= separator + 1) ? text.size() : dot;
    return std::string(text.substr(separator + 1, end - separator - 1));
}

std::string FILENAMEEXT(std::string_view path) {
    const auto text = significantPart(path);
    const auto separator = lastSeparator(text);
    return std::string(separator == npos ? text : text.substr(separator + 1));
}

std::string FILENAMENO_(std::string_view path) {
    const std::string base = FILENAME(path);
    const auto underscore = base.rfind('_');
    if (underscore == std::string::npos) return base;
    return base.substr(0, underscore);
}

std::string FILE___EXT(std::string_view path) {
    const std::string base = FILENAME(path);
    const auto underscore = base.rfind('_');
    if (underscore == std::string::npos) return {};
    return LOWERCASE(base.substr(underscore));
}

std::string FILENAMEPATH(std::string_view path) {
    const auto text = significantPart(path);
    const auto dot = extensionDot(text);
    if (dot == npos || dot == 0) return std::string(text);
    return std::string(text.substr(0, dot));
}

std::string FILENAMEPATHNO_(std::string_view path) {
    const std::string withoutExtension = FILENAMEPATH(path);
    const auto underscore = withoutExtension.rfind('_');
    const auto separator = lastSeparator(withoutExtension);
    if (underscore == std::string::npos || underscore == 0) return withoutExtension;
    if (separator != npos && underscore < separator) return withoutExtension;
    return withoutExtension.substr(0, underscore);
}

std::string FILEFOLDERPATH(std::string_view path) {
    const auto text = significantPart(path);
    const auto separator = lastSeparator(text);
    return separator == npos ? std::string{} : std::string(text.substr(0, separator + 1));
}

std::string REMOVEDOTDOT(std::string_view path) { return normalise(TRIMF(path)); }

std::string ADDFOLDER(std::string_view folder, std::string_view name) {
    const std::string file = TRIMF(name);
    const auto folderText = significantPart(folder);
    std::string joined;
    if (file.empty()) {
        joined = TRIMF(folder);
        if (joined.empty()) joined = ".";
    } else if (folderText.find_first_not_of(' ') == npos) {
        joined = file;
    } else if (file.find(':') != std::string::npos || file.find("\\\\") != std::string::npos) {
        joined = file;
    } else {
        joined = std::string(folderText);
        if (joined.back() != '/' && joined.back() != '\\') joined += '\\';
        joined += file;
    }
    return normalise(joined);
}

std::string CLEANPATH(std::string& path) {
    std::string text = TRIMF(path);
    auto doubledAt = [&text] {
        const auto backslashes = text.find("\\\\");
        const auto slashes = text.find("//");
        const std::size_t a = backslashes == std::string::npos ? 0 : backslashes + 1;
        const std::size_t b = slashes == std::string::npos ? 0 : slashes + 1;
        return std::max(a, b);  // 1-based position of the later first occurrence; 0 for none
    };
    for (std::size_t at = doubledAt(); at >= 2; at = doubledAt()) text.erase(at, 1);
    path = text;
    return text;
}

int DRIVEFOLDER(std::string& path) {
    std::string text = TRIMF(path);
    bool changed = false;
    const auto colon = text.find(':');
    if (colon != std::string::npos) {
        text = UPPERCASE(text.substr(0, colon)) + " Drive" + std::string(significantPart(text.substr(colon + 1)));
        changed = true;
    }
    if (text.rfind("\\\\", 0) == 0 || text.rfind("//", 0) == 0) {
        path = "URL\\" + text.substr(2);
        return 0;
    }
    path = text;
    return changed ? 0 : -1;
}

}  // namespace zx
