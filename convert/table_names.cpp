// convert/table_names.cpp: the folders' naming rules and the names given out in a run.
#include "convert/table_names.hpp"

#include <algorithm>
#include <cctype>
#include <optional>

#include "convert/network.hpp"
#include "convert/run_support.hpp"

namespace zx::convert {
namespace {

constexpr std::string_view kXsEndings[] = {".csv"};
constexpr std::string_view kMatrixEndings[] = {"_Q.csv", "_A.csv"};

struct FolderLayout {
    std::string_view path;
    std::span<const std::string_view> endings;  // one file per ending
    std::size_t longestName;                    // of a file without its folder; 0: any length
};

FolderLayout layoutOf(OutputFolder folder) {
    // A cross-section table's file name is its layer line's Source; the matrices are named in
    // Inlet_Type, which grows with them.
    if (folder == OutputFolder::Xs) return {"xs", kXsEndings, kTableIdLength};
    return {"matrix_flow", kMatrixEndings, 0};
}

std::string lowerCasePath(OutputFolder folder, std::string_view fileName) {
    std::string path = tablePath(folder, fileName);
    for (char& c : path) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return path;
}

}  // namespace

std::string tablePath(OutputFolder folder, std::string_view fileName) {
    std::string path(layoutOf(folder).path);
    path += '\\';
    path += fileName;
    return path;
}

std::string tableReference(OutputFolder folder, std::span<const std::string> fileNames) {
    std::string text;
    for (const std::string& name : fileNames) {
        if (!text.empty()) text += " | ";
        text += tablePath(folder, name);
    }
    return text;
}

std::vector<std::string> TableFileNames::claim(OutputFolder folder, std::string_view kind, std::string_view name) {
    const FolderLayout layout = layoutOf(folder);
    std::size_t longestEnding = 0;
    for (const std::string_view ending : layout.endings) longestEnding = std::max(longestEnding, ending.size());
    std::vector<std::string> names;
    std::optional<std::size_t> earlier;  // the owner of the first file taken under the object's own name
    for (int copy = 1;; ++copy) {
        const std::string mark = copy == 1 ? std::string() : "~" + std::to_string(copy);
        std::string stem(name);
        if (layout.longestName > 0) {
            stem.resize(std::min(stem.size(), layout.longestName - longestEnding - mark.size()));
        }
        stem += mark;
        names.clear();
        bool taken = false;
        for (const std::string_view ending : layout.endings) {
            names.push_back(stem + std::string(ending));
            const auto owner = ownerByFile_.find(lowerCasePath(folder, names.back()));
            if (owner == ownerByFile_.end()) continue;
            taken = true;
            if (!earlier) earlier = owner->second;
        }
        if (!taken) break;
    }
    owners_.push_back({std::string(kind) + " " + std::string(name), tableReference(folder, names)});
    for (const std::string& file : names) ownerByFile_.emplace(lowerCasePath(folder, file), owners_.size() - 1);
    if (earlier) {
        const Owner& first = owners_[*earlier];
        const Owner& second = owners_.back();
        writeAfterEmptyLine("WARNING - Two tables would be written to one file: " + first.object + " keeps " +
                            first.references + ", " + second.object + " gets " + second.references);
    }
    return names;
}

}  // namespace zx::convert
