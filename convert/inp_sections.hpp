// convert/inp_sections.hpp: the SWMM .inp file as the converter reads it: its lines, words and
// values, the scan for the sections it holds, and the walk through the data lines of one section.
//
// Lines are read as SWMM reads them: at most 1000 characters; TAB and CR are blanks; ";" outside
// double quotes starts a comment; a line left blank is skipped. A section header is a line with
// "[" in column 1, and a section runs to the next such line or to the end of the file. Values are
// read in free form (common/list_input.hpp): separated by blanks or a comma, texts possibly
// quoted, values beyond those wanted ignored; a slash is a character of a word, as SWMM has it
// ("C1/2" is a name), and numbers are finite ("nan" and "inf" are not numbers of a network).
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "common/list_input.hpp"
#include "convert/network.hpp"

namespace zx::convert {

inline constexpr std::size_t kInpLineLength = 1000;

// The line as its values are read, in place: cut at 1000 characters, TABs and CRs made blanks,
// the comment removed, trailing blanks dropped.
void inpCleanLine(std::string& line);

// The number of runs of non-blank characters.
int inpCountWords(std::string_view line);

void inpResetSectionFlags(SectionFlags& flags);

// Reads the file from its start to its end and sets the flag of every section header found
// (by the first keyword of the scan's table that the header holds, case ignored); anyLinks tells
// whether a [CONDUITS], [WEIRS] or [ORIFICES] header was among them. A header of no known
// section is reported and otherwise ignored.
void inpScanSections(int unit, SectionFlags& flags, bool& anyLinks);

// A number of the model's text: the free-form syntax, finite values only.
std::optional<float> inpReal4(std::string_view text);
std::optional<double> inpReal8(std::string_view text);

// The values of one data line, read in order. An empty value leaves its target as it was. The
// first value that is missing or does not convert to its target's type fails the line; reads
// after a failure change nothing.
class InpLineValues {
public:
    enum class Status { Ok, EndOfLine, BadValue };

    explicit InpLineValues(std::string_view line) : reader_(line, listin::ListReader::Slash::IsCharacter) {}

    // A text, cut at the given length.
    InpLineValues& text(std::string& target, std::size_t length = kNameLength);
    InpLineValues& real4(float& target);
    InpLineValues& real8(double& target);
    // Any integer or real notation; the value is truncated (a count written 1.0 or 0.0).
    InpLineValues& integer(std::int32_t& target);
    // A value that is read but not kept.
    InpLineValues& skip();

    Status status() const { return status_; }

private:
    // True when a value was read into value_; false when the target stays as it is.
    bool nextValue();
    template <typename Number, typename Parse>
    InpLineValues& number(Number& target, Parse parse);

    listin::ListReader reader_;
    std::string value_;
    Status status_ = Status::Ok;
};

// The data lines of one section, read from the unit's current position: first the lines up to
// the section's header (the line whose first `columns` columns equal the bracketed word under
// ASAME; columns beyond the word must be blank), then its data lines, cleaned.
class SectionLines {
public:
    SectionLines(int unit, std::string_view header, std::size_t columns)
        : unit_(unit), header_(header), columns_(columns) {}

    // The next data line; false at the end of the section, and at once when the file has no
    // such header.
    bool next();
    const std::string& line() const { return line_; }

private:
    bool findHeader();

    int unit_;
    std::string_view header_;
    std::size_t columns_;
    bool inSection_ = false;
    bool ended_ = false;
    std::string line_;
};

}  // namespace zx::convert
