// convert/main_program.cpp: the converter's run from start to end: command line, projection
// file, .inp file, section scan and readers, the output stages in their fixed order, the closing
// notes. Every run ends in EXITS; only a run that reached "Finished." ends with success.
#include "convert/main_program.hpp"

#include <new>
#include <optional>
#include <string>
#include <string_view>

#if defined(__x86_64__)
#include <xmmintrin.h>
#endif

#include "build_info.hpp"
#include "common/exit.hpp"
#include "common/fortran_format.hpp"
#include "common/line_values.hpp"
#include "common/number_text.hpp"
#include "common/paths.hpp"
#include "common/strings.hpp"
#include "common/text_lines.hpp"
#include "common/units.hpp"
#include "convert/inp_readers.hpp"
#include "convert/inp_sections.hpp"
#include "convert/network.hpp"
#include "convert/output_stages.hpp"
#include "convert/run_support.hpp"
#include "gis/layer_table.hpp"
#include "platform/console.hpp"
#include "platform/filesystem.hpp"
#include "platform/process.hpp"

namespace zx::convert {
namespace {

constexpr std::size_t kTextLength = 1000;  // arguments, typed names and projection lines

// An unknown switch gets the message of a missing .prj file too.
constexpr std::string_view kNoPrjFile = "ERROR - A Header.prj or Projection.prj file does not exist in folder.";
constexpr std::string_view kNoMifFile = "ERROR - A Header.mif or Projection.mif file does not exist in folder.";

void flushDenormalsToZero() {
#if defined(__x86_64__)
    // MXCSR: bit 15 flushes denormal results to zero, bit 6 reads denormal operands as zero.
    _mm_setcsr(_mm_getcsr() | 0x8040U);
#endif
}

std::string cut(std::string_view text) { return std::string(significantPart(text.substr(0, kTextLength))); }

// The three characters after a switch mark ("-", "/", the en dash of the Windows code page or
// its UTF-8 form), or nullopt when the argument is not a switch. An argument that starts with
// "/" and holds a further "/" is an absolute path, not a switch.
std::optional<std::string_view> switchWord(std::string_view argument) {
    constexpr std::string_view kUtf8EnDash = "\xE2\x80\x93";
    const bool slashSwitch = argument.starts_with('/') && argument.find('/', 1) == std::string_view::npos;
    std::size_t mark = 0;
    if (argument.starts_with(kUtf8EnDash)) mark = kUtf8EnDash.size();
    else if (argument.starts_with('-') || argument.starts_with('\x96') || slashSwitch) mark = 1;
    if (mark == 0) return std::nullopt;
    return argument.substr(mark, 3);
}

void writeUsage() {
    auto& console = platform::console();
    writeAfterEmptyLine("This development utility converts an EPA swmm file to GIS files.");
    writeAfterEmptyLine("   Syntax is:");
    console.writeLine("      zervanix.exe -mif SWMM.inp");
    console.writeLine("      zervanix.exe -shp SWMM.inp");
    console.writeLine();
}

// The output form and the input name (the last argument that is not a switch) from the
// arguments after the program name.
RunSettings readCommandLine(int argc, char** argv) {
    RunSettings run;
    for (int i = 1; i < argc; ++i) {
        const std::string argument = cut(argv[i]);
        const auto word = switchWord(argument);
        if (!word) {
            run.inputName = argument;
        } else if (ASAME(*word, "shp")) {
            run.shpOutput = true;
        } else if (ASAME(*word, "mif")) {
            run.mifOutput = true;
        } else {
            stopWith({kNoPrjFile}, Spacing::EmptyLineBefore);
        }
    }
    if (run.mifOutput && run.shpOutput) {
        stopWith({"ERROR - Both mif and shp outputs specified, please use only one."}, Spacing::EmptyLineBefore);
    }
    return run;
}

// The first of the two projection files that exists in the input's folder.
std::optional<std::string> findProjectionFile(std::string_view inputName, std::string_view first,
                                              std::string_view second) {
    const std::string folder = FILEFOLDERPATH(inputName);
    for (std::string_view file : {first, second}) {
        std::string name = ADDFOLDER(folder, file);
        if (platform::pathExists(name)) return name;
    }
    return std::nullopt;
}

[[noreturn]] void stopOnProjectionLine(std::string_view line) {
    stopWith({"ERROR - Reading following line in file:", "", line, ""}, Spacing::EmptyLineBefore);
}

// The first line of the .mif file that holds "CoordSys": the CoordSys line of every .mif header.
void readMifProjection(const RunSettings& run) {
    const auto name = findProjectionFile(run.inputName, "Header.mif", "Projection.mif");
    if (!name) stopWith({kNoMifFile}, Spacing::EmptyLineBefore);
    int unit = 0;
    OPENFREEUNIT(unit, "I ", *name, 80);
    writeAfterEmptyLine("Using " + *name + " for setting projection.");
    rewindUnit(unit);
    std::string line;
    for (;;) {
        const RecordStatus status = readUnitRecord(unit, line);
        if (status == RecordStatus::EndOfFile) {
            stopWith({"ERROR - Unable to find CoordSys line in " + *name}, Spacing::EmptyLineBefore);
        }
        line = cut(line);
        if (status == RecordStatus::Error) stopOnProjectionLine(line);
        if (FLAGEXISTS(line, "CoordSys")) break;
    }
    layers().mifCoordSysLine = line;
    writeAfterEmptyLine("mif Projection: " + line);
    CLOSER(unit);
}

// The text of the .prj file, written whole into every .prj file: a coordinate system may be
// written over several lines and run to any length. Each line keeps its characters up to its
// last non-blank one; blank lines at the start and the end are left off (GDAL finds no coordinate
// system in a .prj that starts with an empty line). A file of blank lines is an empty projection,
// an empty file an error.
void readShpProjection(const RunSettings& run) {
    const auto name = findProjectionFile(run.inputName, "Header.prj", "Projection.prj");
    if (!name) stopWith({kNoPrjFile}, Spacing::EmptyLineBefore);
    platform::console().writeLine("GIS Projection being extracted from " + *name);
    int unit = 0;
    OPENFREEUNIT(unit, "I ", *name, 80);
    std::string text;
    std::string line;
    bool anyLine = false;
    for (;;) {
        const RecordStatus status = readUnitRecord(unit, line);
        if (status == RecordStatus::EndOfFile) break;
        line.resize(significantPart(line).size());
        if (status == RecordStatus::Error) stopOnProjectionLine(line);
        if (anyLine) text += '\n';
        text += line;
        anyLine = true;
    }
    if (!anyLine) {
        stopWith({"ERROR - Projection line could not be found in \"GIS Projection\" .prj file." + *name},
                 Spacing::EmptyLineBefore);
    }
    const std::size_t first = text.find_first_not_of('\n');
    text = first == std::string::npos ? std::string() : text.substr(first, text.find_last_not_of('\n') + 1 - first);
    layers().shpProjectionText = text;
    writeAfterEmptyLine("shp Projection: " + text);
    CLOSER(unit);
}

// The input name, asked for on the console until it names an existing file. A typed name gets
// ".inp" when it has another extension; a name from the command line is taken as it is.
std::string existingInputName(std::string name) {
    auto& console = platform::console();
    while (!platform::pathExists(name)) {
        console.write(" Please enter the .inp file -> ");
        const auto typed = console.readLine();
        if (!typed) {
            // Nobody is there to type a name (a batch run): asking again would never end.
            console.writeLine();
            stopWith({"ERROR - No .inp file name given: standard input has ended."}, Spacing::EmptyLineBefore);
        }
        name = cut(*typed);
        if (FILEEXT(name) != ".inp") name += ".inp";
        if (!platform::pathExists(name)) console.writeLine(" WARNING - Can''t find file " + name + ", try again");
    }
    return name;
}

// Links and cross-sections should pair up; a mismatch is worth the user's attention, not a stop.
void checkCounts(const Network& network) {
    writeAfterEmptyLine("Checking number of sections matches number of CONDUITS...");
    const std::size_t conduits = network.inpConduitTable.count();
    const std::size_t weirs = network.inpWeirTable.count();
    const std::size_t xsections = network.inpXsectionTable.count();
    if (conduits + weirs + network.inpOrificeTable.count() == xsections) {
        platform::console().writeLine("   Done.");
        return;
    }
    writeAfterEmptyLine("WARNING number of xsection and CONDUITS + ORIFICES + WEIRS do not match.");
    platform::console().writeLine("  Number of conduits: " + AINTEGER(static_cast<int>(conduits)));
    platform::console().writeLine("  Number of weir: " + AINTEGER(static_cast<int>(weirs)));
    platform::console().writeLine("  Number of xsections: " + AINTEGER(static_cast<int>(xsections)));
    pauseConsole();
}

void writeOutputs(Network& network, const RunSettings& run, CheckFlags& checks) {
    if (network.anyLinks) writeLinkLayer(network, run, checks);
    if (network.has(section::kJunctions)) writeJunctionLayer(network, run);
    // The link stage may have set the transect flag for tables made from special shapes.
    if (network.has(section::kTransects)) {
        checks.crossSections = true;
        writeTransectTables(network, run);
    }
    if (network.xsHasSpecialShapes()) {
        checks.crossSections = true;
        writeHeightWidthLayer(network, run);
    }
    if (network.has(section::kOrifices)) writeBottomOrificeMatrices(network);
}

struct ClosingNote {
    bool CheckFlags::*flag;
    std::string_view text;
};
constexpr ClosingNote kClosingNotes[] = {
    {&CheckFlags::crossSections,
     "CHECK - Please check if the 1d_xs, 1d_hw lines are crossing the correct 1d_nwk channels and only intersect a "
     "single channel."},
    {&CheckFlags::weirTypes,
     "CHECK - Please check for unsupported weir types in 1d_nwk denoted with [?] in the TYPE attribute"},
    {&CheckFlags::orifices,
     "CHECK - Please check unsupported ORIFICE types in 1d_nwk denoted with [?] in the TYPE attribute"},
};

void runConversion(int argc, char** argv) {
    flushDenormalsToZero();
    INITUNITS(1000);
    auto& console = platform::console();
    writeAfterEmptyLine("Build " + std::string(kBuildLabel));
    console.writeLine();
    writeAfterEmptyLine("Found" + fmt::integer(argc, 3) + " arguments");

    if (argc < 2) {
        writeUsage();
        EXITS();
    }
    RunSettings run = readCommandLine(argc, argv);
    if (run.mifOutput) readMifProjection(run);
    if (run.shpOutput) readShpProjection(run);
    run.inputName = existingInputName(run.inputName);
    run.inputFileName = FILENAMEEXT(run.inputName);
    int inputUnit = 0;
    OPENFREEUNIT(inputUnit, "I ", run.inputName, 80);

    Network network;
    readNetwork(network, inputUnit);
    CheckFlags checks;
    writeOutputs(network, run, checks);

    for (const ClosingNote& note : kClosingNotes) {
        if (!(checks.*note.flag)) continue;
        console.writeLine(note.text);
        pauseConsole();
    }
    writeAfterEmptyLine("Finished.");
    platform::markRunSuccessful();
}

}  // namespace

void readNetwork(Network& network, int unit) {
    inpResetSectionFlags(network.inpSectionFlags);
    const std::size_t headers = inpScanSections(unit, network.inpSectionFlags, network.anyLinks);
    // A file of no section at all is no model (an empty file, or some other text); one without
    // the network's sections (a hydrology model) converts to nothing, which the user should hear.
    if (headers == 0) {
        stopWith({"ERROR - The .inp file " + units().file(unit)->name() +
                  " is empty or holds no section header such as [CONDUITS]."},
                 Spacing::EmptyLineBefore);
    }
    if (!network.anyLinks && !network.has(section::kJunctions)) {
        writeAfterEmptyLine(
            "WARNING - No [JUNCTIONS], [CONDUITS], [WEIRS] or [ORIFICES] section in the .inp file: there is no "
            "network to convert.");
    }
    const auto read = [&](std::size_t flag, auto reader) {
        if (!network.has(flag)) return;
        rewindUnit(unit);
        reader();
    };
    read(section::kOptions, [&] { network.linkOffsets = inpReadLinkOffsets(unit); });
    read(section::kCoordinates, [&] { inpReadCoordinates(unit, network.inpCoordinates, kTableCapacity); });
    read(section::kJunctions, [&] { inpReadJunctions(unit, network.inpJunctionTable, kTableCapacity); });
    const LinkOffsets& offsets = network.linkOffsets;  // read first: the link readers take it
    read(section::kConduits, [&] { inpReadConduits(unit, network.inpConduitTable, kTableCapacity, offsets); });
    // The elevations of the nodes the junction layer does not hold serve the conduit inverts alone.
    if (network.has(section::kConduits)) {
        for (const std::size_t nodes : {section::kOutfalls, section::kDividers, section::kStorage}) {
            read(nodes, [&] { inpReadNodeElevations(unit, nodes, network.nodeElevations); });
        }
    }
    read(section::kWeirs, [&] { inpReadWeirs(unit, network.inpWeirTable, kTableCapacity, offsets); });
    read(section::kOrifices, [&] { inpReadOrifices(unit, network.inpOrificeTable, kTableCapacity, offsets); });
    read(section::kXsections, [&] { inpReadXsections(unit, network.inpXsectionTable, kTableCapacity); });
    read(section::kTransects, [&] { inpReadTransects(unit, network.xsTableSet, kTableCapacity); });
    read(section::kLosses, [&] { inpReadLosses(unit, network.inpLossTable, kTableCapacity); });
    if (network.has(section::kConduits)) checkCounts(network);
    read(section::kVertices,
         [&] { inpReadVertices(unit, network.inpVertexTable, kTableCapacity, kVerticesPerLink); });
}

void mainProgram(int argc, char** argv) {
    // The tables grow with the file: memory running out ends the run with its message.
    try {
        runConversion(argc, argv);
    } catch (const std::bad_alloc&) {
        CHECKALLOCATION(1);
    }
    EXITS();
}

}  // namespace zx::convert
