// fuzz/output_checks.hpp: what the converter fuzz target asks of a run beyond the sanitizers. No
// run may end in an internal stop; a run that ended with status 0 has written every file it
// announced, each shapefile set complete and well formed, each .mid line with one value per
// column, no coordinate of a .mif or .shp and no number of a .csv table holds asterisks, NaN or
// Infinity, no table file was written twice and every table reference of a layer names a file
// written. Each check answers with what is wrong, or with an empty text.
//
// Texts of the console are matched through hashes, never compared byte by byte with a constant:
// libFuzzer learns the operands of every comparison in the target and would copy the constant
// into models, whose lines the console echoes, and then find what it copied.
#pragma once
#include <cstddef>
#include <set>
#include <string>
#include <string_view>
#include <vector>

namespace zx::fuzz {

// Whether the text holds the pattern.
bool holdsPattern(std::string_view text, std::string_view pattern);

// The names of the files the run opened for writing: the opener's console lines
// " Trying to open file <name>...OK.  File Unit:<4-digit unit>".
std::set<std::string> announcedFiles(std::string_view console);

// "Should not be here" or a request to "please contact" the maker anywhere in the console.
std::string internalStopProblem(std::string_view console);

// The object lines of a .mif file (after "Data"); columns receives the count its header declares.
std::string mifProblem(std::string_view text, std::size_t& columns);
// The attribute lines of a .mid file, each with as many values as the .mif declares columns.
std::string midProblem(std::string_view text, std::size_t columns);
// The lines of a .csv table but its "!" comment lines.
std::string csvProblem(std::string_view text);
// A .shp file: its length field, its records one after the other to its end, its doubles.
std::string shpProblem(std::string_view bytes);

// Every file the console announces, read from the working folder: "<file>: <problem>".
std::string outputProblem(std::string_view console);

// One object a layer read delivered: its kind as the layer probe names it ("POINT", "PLINE
// MULTIPLE", ...) and each part's vertex count.
struct DeliveredObject {
    std::string_view kind;
    std::vector<int> partVertices;
};
// Every line of a .mif after its "Data" line accounted for by the objects read from it, in order:
// each object's keyword line, its count and vertex lines, the lines a text, arc, ellipse or rounded
// rectangle carries, and style lines; blank lines aside. Lines end at CR, LF or CR LF.
std::string mifLinesProblem(std::string_view mif, const std::vector<DeliveredObject>& objects);

// The values of a layer's column, from its .mif's column list and its .mid lines, or from its
// .dbf (trailing blanks removed); none when the layer has no such column.
std::vector<std::string> midColumn(std::string_view mif, std::string_view mid, std::string_view column);
std::vector<std::string> dbfColumn(std::string_view dbf, std::string_view column);

// The table files of the run: none opened twice (names compared without case), and every Source
// and Inlet_Type of an announced layer names table files on disk, seen from the layer's folder.
std::string tableProblem(std::string_view console);

}  // namespace zx::fuzz
