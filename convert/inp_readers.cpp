// convert/inp_readers.cpp: one reader per .inp section, all on one scheme: find the header, take
// a record per data line (stopping beyond the capacity), read its values in order (stopping at a
// value that does not read or a line that ends too soon), report the count.
#include "convert/inp_readers.hpp"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <vector>

#include "common/number_text.hpp"
#include "common/strings.hpp"
#include "convert/cross_section_shapes.hpp"
#include "convert/inp_sections.hpp"
#include "convert/run_support.hpp"
#include "platform/console.hpp"

namespace zx::convert {
namespace {

// What one reader reads and writes: its section's header and flag, the over-capacity line
// (followed by the capacity), the two read-error lines (followed by the data line) and the words
// after the count at the end.
struct ReaderTexts {
    std::string_view header;
    std::size_t section;
    std::string_view overCapacity;
    std::string_view readError;
    std::string_view unexpectedEnd;
    std::string_view closing;
};

constexpr ReaderTexts kCoordinateTexts{
    "[COORDINATES]", section::kCoordinates, "ERROR - Number of Coords Exceeds Maximum: ",
    "ERROR - Reading Coordinates line.  Erroneous line is:",
    "ERROR - Unexpected End of Coordinates line.  Erroneous line is:", " coordinate points."};
constexpr ReaderTexts kJunctionTexts{
    "[JUNCTIONS]", section::kJunctions, "ERROR - Number of Junctions Exceeds Maximum: ",
    "ERROR - Reading [junction] block line.  Erroneous line is:",
    "ERROR - Unexpected end of [junction] block line.  Erroneous line is:", " junctions."};
constexpr ReaderTexts kConduitTexts{
    "[CONDUITS]", section::kConduits, "ERROR - Number of Conduits Exceeds Maximum: ",
    "ERROR - Reading [conduits] block line.  Erroneous line is:",
    "ERROR - Unexpected end of [conduits] block line.  Erroneous line is:", " conduits."};
constexpr ReaderTexts kWeirTexts{
    "[WEIRS]", section::kWeirs, "ERROR - Number of Weirs Exceeds Maximum: ",
    "ERROR - Reading [WEIRS] block line.  Erroneous line is:",
    "ERROR - Unexpected end of [WEIRS] block line.  Erroneous line is:", " weirs."};
constexpr ReaderTexts kOrificeTexts{
    "[ORIFICES]", section::kOrifices, "ERROR - Number of Orifices Exceeds Maximum: ",
    "ERROR - Reading [ORIFICES] block line.  Erroneous line is:",
    "ERROR - Unexpected end of [ORIFICES] block line.  Erroneous line is:", " orifices."};
constexpr ReaderTexts kXsectionTexts{
    "[XSECTIONS]", section::kXsections, "ERROR - Number of Xsections Exceeds Maximum: ",
    "ERROR - Reading [xsections] block line.  Erroneous line is:",
    "ERROR - Unexpected end of [xsections] block line.  Erroneous line is:", " xsections."};
constexpr ReaderTexts kTransectTexts{
    "[TRANSECTS]", section::kTransects, "ERROR - Number of Transects Exceeds Maximum: ",
    "ERROR - Reading [TRANSECTS] block line.  Erroneous line is:",
    "ERROR - Unexpected end of [TRANSECTS] block line.  Erroneous line is:", " TRANSECTS."};
constexpr ReaderTexts kVertexTexts{
    "[VERTICES]", section::kVertices, "ERROR - Number of Links Exceeds Maximum: ",
    "ERROR - Reading [VERTICES] block line.  Erroneous line is:",
    "ERROR - Unexpected end of [VERTICES] block line.  Erroneous line is:", ""};
constexpr ReaderTexts kLossTexts{
    "[LOSSES]", section::kLosses, "ERROR - Number of Losses Exceeds Maximum: ",
    "ERROR - Reading [LOSSES] block line.  Erroneous line is:",
    "ERROR - Unexpected end of [LOSSES] block line.  Erroneous line is:", " LOSSES."};

constexpr ReaderTexts kOutfallTexts{
    "[OUTFALLS]", section::kOutfalls, "", "ERROR - Reading [OUTFALLS] block line.  Erroneous line is:",
    "ERROR - Unexpected end of [OUTFALLS] block line.  Erroneous line is:", ""};
constexpr ReaderTexts kDividerTexts{
    "[DIVIDERS]", section::kDividers, "", "ERROR - Reading [DIVIDERS] block line.  Erroneous line is:",
    "ERROR - Unexpected end of [DIVIDERS] block line.  Erroneous line is:", ""};
constexpr ReaderTexts kStorageTexts{
    "[STORAGE]", section::kStorage, "", "ERROR - Reading [STORAGE] block line.  Erroneous line is:",
    "ERROR - Unexpected end of [STORAGE] block line.  Erroneous line is:", ""};

// Whether a reader writes its progress lines: the sections read for one value alone are read
// without a word.
enum class Progress { Shown, Hidden };

// One reader's pass through its section, with its messages.
class SectionReading {
public:
    SectionReading(int unit, const ReaderTexts& texts, Progress progress = Progress::Shown)
        : texts_(texts), lines_(unit, texts.section) {
        if (progress == Progress::Shown) writeAfterEmptyLine("Reading " + std::string(texts.header) + " data...");
    }

    // The next data line. A NUL byte in it (a binary file, or a text saved badly) is a read error:
    // a name holding one would be cut short in one layer and unreadable in the other.
    bool next() {
        if (!lines_.next()) return false;
        if (line().find('\0') != std::string::npos) stop(texts_.readError);
        return true;
    }
    const std::string& line() const { return lines_.line(); }

    // The record after the `used` ones must fit in the capacity.
    void takeSlot(std::size_t used, int capacity) const {
        if (used >= static_cast<std::size_t>(capacity)) {
            stopWith({std::string(texts_.overCapacity) + AINTEGER(capacity)}, Spacing::EmptyLineBefore);
        }
    }

    void check(const InpLineValues& values) const {
        switch (values.status()) {
            case InpLineValues::Status::Ok: return;
            case InpLineValues::Status::EndOfLine: stop(texts_.unexpectedEnd);
            case InpLineValues::Status::BadValue: stop(texts_.readError);
        }
    }

    // The message, then the data line.
    [[noreturn]] void stop(std::string_view message) const { stopWith({message, line()}); }

    // The count, and the objects given more than once (see appendLastOfEach) when there are any.
    void finish(std::size_t count, std::string_view repeated = {}) const {
        finishWith("Found " + AINTEGER(static_cast<int>(count)) + std::string(texts_.closing));
        if (repeated.empty()) return;
        writeAfterEmptyLine("WARNING - " + std::string(texts_.header) + " holds more than one line for " +
                            std::string(repeated) + ": the last line of each holds.");
    }

    static void finishWith(std::string_view found) {
        platform::console().writeLine("   Finished.");
        platform::console().writeLine(found);
    }

private:
    const ReaderTexts& texts_;
    SectionLines lines_;
};

// SWMM keeps the last line given for an object: of the records of one name (compared under ASAME,
// as the look-ups compare names) only the last is appended, where it stands in the section. Gives
// the names given more than once, separated by ", ".
template <typename Table, typename Record>
std::string appendLastOfEach(Table& table, std::vector<Record> records, std::string Record::*name) {
    std::unordered_map<std::string, std::pair<std::size_t, int>> lastAndCount;
    for (std::size_t i = 0; i < records.size(); ++i) {
        auto& [last, lines] = lastAndCount[asameKey(records[i].*name)];
        last = i;
        ++lines;
    }
    std::string repeated;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto [last, lines] = lastAndCount.at(asameKey(records[i].*name));
        if (last != i) continue;
        if (lines > 1) repeated += (repeated.empty() ? "" : ", ") + records[i].*name;
        table.append(std::move(records[i]));
    }
    return repeated;
}

std::string firstWord(std::string_view line) {
    std::string word;
    InpWords(line).next(word);
    return word;
}

}  // namespace

void inpReadCoordinates(int unit, CoordinateTable& table, int capacity) {
    SectionReading section(unit, kCoordinateTexts);
    std::vector<inpCoordinate> records;
    while (section.next()) {
        section.takeSlot(records.size(), capacity);
        inpCoordinate& record = records.emplace_back();
        section.check(InpLineValues(section.line()).text(record.Node).real8(record.X).real8(record.Y));
    }
    const std::string repeated = appendLastOfEach(table, std::move(records), &inpCoordinate::Node);
    section.finish(table.count(), repeated);
}

void inpReadJunctions(int unit, JunctionTable& table, int capacity) {
    SectionReading section(unit, kJunctionTexts);
    while (section.next()) {
        section.takeSlot(table.count(), capacity);
        inpJunction record;
        section.check(InpLineValues(section.line())
                          .text(record.Name)
                          .real4(record.Elevation)
                          .real4(record.MaxDepth)
                          .real4(record.InitDepth)
                          .real4(record.SurDepth)
                          .real4(record.Aponded));
        table.append(std::move(record));
    }
    section.finish(table.count());
}

void inpReadConduits(int unit, ConduitTable& table, int capacity, LinkOffsets offsets) {
    SectionReading section(unit, kConduitTexts);
    while (section.next()) {
        section.takeSlot(table.count(), capacity);
        inpConduit record;
        section.check(InpLineValues(section.line())
                          .text(record.Name)
                          .text(record.FromNode)
                          .text(record.ToNode)
                          .real4(record.Length)
                          .real4(record.Roughness)
                          .offset(record.InOffset, offsets)
                          .offset(record.OutOffset, offsets)
                          .real4(record.InitFlow)
                          .real4(record.MaxFlow));
        table.append(std::move(record));
    }
    section.finish(table.count());
}

void inpReadWeirs(int unit, WeirTable& table, int capacity, LinkOffsets offsets) {
    SectionReading section(unit, kWeirTexts);
    while (section.next()) {
        section.takeSlot(table.count(), capacity);
        const int words = inpCountWords(section.line());
        if (words != 6 && words != 9 && words != 10 && words != 12) {
            stopWith({"ERROR - Reading [WEIRS] block line.  input data is not complete", section.line(),
                      "accepted formats are:", "Name Node1 Node2 Type CrestHt Cd",
                      "Name Node1 Node2 Type CrestHt Cd Gated EC Cd2",
                      "Name Node1 Node2 Type CrestHt Cd Gated EC Cd2 Sur",
                      "Name Node1 Node2 Type CrestHt Cd Gated EC Cd2 Sur Width Surface"});
        }
        inpWeir record;
        InpLineValues values(section.line());
        values.text(record.Name)
            .text(record.Node1)
            .text(record.Node2)
            .text(record.Type)
            .offset(record.CrestHt, offsets)
            .real4(record.Cd);
        if (words >= 9) values.text(record.Gated, kFlagLength).integer(record.EC).real4(record.Cd2);
        if (words >= 10) values.text(record.Sur, kFlagLength);
        if (words == 12) values.real4(record.Width).text(record.Surface);
        section.check(values);
        table.append(std::move(record));
    }
    section.finish(table.count());
}

void inpReadOrifices(int unit, OrificeTable& table, int capacity, LinkOffsets offsets) {
    SectionReading section(unit, kOrificeTexts);
    while (section.next()) {
        section.takeSlot(table.count(), capacity);
        inpOrifice record;
        section.check(InpLineValues(section.line())
                          .text(record.Name)
                          .text(record.Node1)
                          .text(record.Node2)
                          .text(record.Type)
                          .offset(record.Offset, offsets)
                          .real4(record.Cd)
                          .text(record.Gated, kFlagLength)
                          .real4(record.CloseTime));
        table.append(std::move(record));
    }
    section.finish(table.count());
}

void inpReadXsections(int unit, XsectionTable& table, int capacity) {
    SectionReading section(unit, kXsectionTexts);
    std::vector<inpXsection> records;
    while (section.next()) {
        section.takeSlot(records.size(), capacity);
        const int words = inpCountWords(section.line());
        inpXsection record;
        // Geom2 to Geom4 as written; what they hold is known once the shape is.
        std::array<std::string, 3> geometry;
        std::string* const fields[] = {&record.Link, &record.Shape, &record.Geom1,
                                       &geometry[0], &geometry[1], &geometry[2]};
        // A line of fewer than six words fills the fields it has (a STREET line names its street
        // in Geom1); Barrels is 1 unless a seventh word gives it.
        InpLineValues values(section.line());
        for (int i = 0; i < std::min(words, 6); ++i) values.text(*fields[i]);
        if (words >= 7) values.integer(record.Barrels);
        section.check(values);

        // For a shape the network layer converts, a geometry field that is not a number is a read
        // error; any other shape may name a curve or a street there.
        const CrossSectionShape* shape = findCrossSectionShape(record.Shape);
        const bool converted = shape != nullptr;
        float* const numbers[] = {&record.Geom2, &record.Geom3, &record.Geom4};
        for (std::size_t i = 0; i < geometry.size(); ++i) {
            if (geometry[i].empty()) continue;
            if (const auto value = inpReal4(geometry[i])) {
                *numbers[i] = *value;
            } else if (converted) {
                section.stop(kXsectionTexts.readError);
            }
        }
        if (words == 6) {
            platform::console().writeLine("WARRNING - Reading [xsections] block line.  Barrels is not defined. Use 1:");
            platform::console().writeLine(section.line());
        }
        records.push_back(std::move(record));
    }
    const std::string repeated = appendLastOfEach(table, std::move(records), &inpXsection::Link);
    section.finish(table.count(), repeated);
}

void inpReadTransects(int unit, XsTableSet& tables, int capacity) {
    SectionReading section(unit, kTransectTexts);
    // The Manning values of the last NC line: left bank, right bank, channel.
    float nLeft = -1.0F;
    float nRight = -1.0F;
    float nChannel = -1.0F;
    while (section.next()) {
        const std::string& line = section.line();
        const std::string keyword = firstWord(line);
        if (ASAME(keyword, "NC")) {
            section.check(InpLineValues(line).skip().real4(nLeft).real4(nRight).real4(nChannel));
        } else if (ASAME(keyword, "X1")) {
            section.takeSlot(tables.size(), capacity);
            xsTable table;
            section.check(InpLineValues(line)
                              .skip()
                              .text(table.ID, kTableIdLength)
                              .integer(table.Nsta)
                              .real4(table.Xleft)
                              .real4(table.Xright)
                              .skip()
                              .skip()
                              .real4(table.Lfactor)
                              .real4(table.Wfactor)
                              .real4(table.Eoffset));
            table.Type = "XZ";
            table.Nleft = nLeft;
            table.Nright = nRight;
            table.Nchannel = nChannel;
            tables.push_back(std::move(table));
        } else if (ASAME(keyword, "GR")) {
            const int words = inpCountWords(line);
            if (words < 3 || words > 11 || words % 2 == 0) {
                stopWith({"ERROR - Reading [TRANSECTS] block line.  Elev/Station data incomplete. line is:", line});
            }
            // Points before the first X1 line belong to no transect: the section is malformed.
            if (tables.empty()) section.stop(kTransectTexts.readError);
            xsTable& table = tables.back();
            const std::size_t pairs = static_cast<std::size_t>(words - 1) / 2;
            if (table.NPoints() + pairs > static_cast<std::size_t>(kPointsPerTransect)) {
                stopWith({"ERROR - Number of XZ of a TRANSECTS exceeds maximum: " + AINTEGER(kPointsPerTransect)},
                         Spacing::EmptyLineBefore);
            }
            std::array<float, 10> elevationStation{};
            InpLineValues values(line);
            values.skip();
            for (std::size_t i = 0; i < 2 * pairs; ++i) values.real4(elevationStation[i]);
            section.check(values);
            for (std::size_t j = 0; j < pairs; ++j) {
                table.ZorW.push_back(elevationStation[2 * j]);
                table.XorH.push_back(elevationStation[2 * j + 1]);
            }
        }
    }
    section.finish(tables.size());
}

void inpReadVertices(int unit, VertexTable& table, int capacity, int verticesPerLink) {
    SectionReading section(unit, kVertexTexts);
    int total = 0;
    while (section.next()) {
        std::string link;
        double x = 0;
        double y = 0;
        section.check(InpLineValues(section.line()).text(link).real8(x).real8(y));
        // Every line of a link is one of its vertices, in file order, wherever it stands.
        auto position = table.find(link);
        if (!position) {
            section.takeSlot(table.count(), capacity);
            position = table.count();
            table.append(inpVertexList{std::move(link), {}, {}});
        }
        inpVertexList& entry = table[*position];
        if (entry.NVert() >= static_cast<std::size_t>(verticesPerLink)) {
            stopWith({"ERROR - Number of Vertices on a link exceeds maximum: " + AINTEGER(verticesPerLink)},
                     Spacing::EmptyLineBefore);
        }
        entry.X.push_back(x);
        entry.Y.push_back(y);
        ++total;
    }
    SectionReading::finishWith("Found " + AINTEGER(static_cast<int>(table.count())) + " links with a total of " +
                               AINTEGER(total) + " additional vertices.");
}

void inpReadLosses(int unit, LossTable& table, int capacity) {
    SectionReading section(unit, kLossTexts);
    std::vector<inpLoss> records;
    while (section.next()) {
        section.takeSlot(records.size(), capacity);
        const int words = inpCountWords(section.line());
        if (words < 4 || words > 6) {
            stopWith({"ERROR - Reading [LOSSES] block line. Data incomplete. line is:", section.line()});
        }
        inpLoss record;
        InpLineValues values(section.line());
        values.text(record.Link).real4(record.Kentry).real4(record.Kexit).real4(record.Kavg);
        if (words >= 5) values.text(record.FlapGate, kFlagLength);
        if (words == 6) values.real4(record.Seepage);
        section.check(values);
        records.push_back(std::move(record));
    }
    const std::string repeated = appendLastOfEach(table, std::move(records), &inpLoss::Link);
    section.finish(table.count(), repeated);
}

LinkOffsets inpReadLinkOffsets(int unit) {
    SectionLines lines(unit, section::kOptions);
    LinkOffsets offsets = LinkOffsets::Depth;
    std::string option;
    std::string value;
    // SWMM takes a word for a keyword when it starts with it, leading blanks and case ignored:
    // LINK_OFFSETS ELEVATIONS is ELEVATION. It passes over an option line without a value and
    // rejects values other than DEPTH and ELEVATION, which are read as DEPTH here.
    const auto startsWith = [](std::string_view word, std::string_view keyword) {
        word.remove_prefix(std::min(word.find_first_not_of(' '), word.size()));
        return word.size() >= keyword.size() && UPPERCASE(word.substr(0, keyword.size())) == keyword;
    };
    while (lines.next()) {
        InpWords words(lines.line());
        if (words.next(option) != InpWords::Item::Word || !startsWith(option, "LINK_OFFSETS")) continue;
        if (words.next(value) == InpWords::Item::EndOfLine) continue;
        offsets = startsWith(value, "ELEVATION") ? LinkOffsets::Elevation : LinkOffsets::Depth;
    }
    return offsets;
}

void inpReadNodeElevations(int unit, std::size_t nodeSection, NodeElevationTable& table) {
    const ReaderTexts& texts = nodeSection == section::kOutfalls   ? kOutfallTexts
                               : nodeSection == section::kDividers ? kDividerTexts
                                                                   : kStorageTexts;
    SectionReading section(unit, texts, Progress::Hidden);
    while (section.next()) {
        inpNodeElevation record;
        section.check(InpLineValues(section.line()).text(record.Name).real4(record.Elevation));
        table.append(std::move(record));
    }
}

void inpApplyLosses(ConduitTable& conduits, const LossTable& losses) {
    writeAfterEmptyLine("Processing information from [LOSSES] block");
    for (std::size_t i = 0; i < conduits.count(); ++i) {
        const auto loss = losses.find(conduits[i].Name);
        conduits[i].FlapGate = loss ? losses[*loss].FlapGate : "NA";
    }
}

}  // namespace zx::convert
