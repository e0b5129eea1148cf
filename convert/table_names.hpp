// convert/table_names.hpp: the names of a run's table files in the folders xs and matrix_flow.
// Every table writer names its files here, so that no file is written twice in a run: the layers
// point at each table by its file name, and a second table of that name would replace the first
// under both references. Names are compared without case: the folders are opened on Windows too.
#pragma once
#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace zx::convert {

// The folders of the table files.
enum class OutputFolder { Xs, MatrixFlow };

// The file as the layers and the opener name it: the folder, a backslash and the file name.
std::string tablePath(OutputFolder folder, std::string_view fileName);
// The files with their folder, separated by " | ", as a BOTTOM orifice's Inlet_Type names its
// matrices.
std::string tableReference(OutputFolder folder, std::span<const std::string> fileNames);

class TableFileNames {
public:
    // The file names (without the folder) of the tables of an object of the kind ("transect",
    // "link", "orifice"): its name followed by each ending of the folder (".csv" in xs, "_Q.csv"
    // and "_A.csv" in matrix_flow). A name in xs fits the 50 characters of a layer's Source field:
    // the object's name is cut, never the ending. When one of the files has been named before, the
    // object's name gets "~2", "~3", ... until all of its files are new, and a warning names both
    // objects and their files.
    std::vector<std::string> claim(OutputFolder folder, std::string_view kind, std::string_view name);

private:
    struct Owner {
        std::string object;      // kind and name
        std::string references;  // its files, as tableReference gives them
    };
    std::vector<Owner> owners_;
    std::unordered_map<std::string, std::size_t> ownerByFile_;  // lower-case path, index in owners_
};

}  // namespace zx::convert
