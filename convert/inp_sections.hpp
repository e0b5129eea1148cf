// convert/inp_sections.hpp: the SWMM .inp file as the converter reads it: its lines, words and
// values, the scan for the sections it holds, and the walk through the data lines of one section.
//
// Lines are read as SWMM reads them: at most 1000 characters; TAB and CR are blanks; ";" outside
// double quotes starts a comment; a line left blank is skipped; a UTF-8 byte-order mark before the
// first line is no part of it. A section header is a line with "[" in column 1, and a section runs
// to the next such line or to the end of the file. The words of a data line are separated by blanks
// alone (InpWords), and a value is one whole word; numbers are finite ("nan" and "inf" are not
// numbers of a network).
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "convert/network.hpp"

namespace zx::convert {

inline constexpr std::size_t kInpLineLength = 1000;

// The line as its values are read, in place: cut at 1000 characters, TABs and CRs made blanks,
// the comment removed, trailing blanks dropped.
void inpCleanLine(std::string& line);

// The words of a data line, in order, as SWMM splits them: blanks (and TABs) separate words and
// every other character belongs to one, so ",", "*", "'" and "/" are characters of names and
// numbers alike ("J,3" and "'J2" are names; "2*100" and "200,," are no numbers). A word that begins
// with a double quote runs to the closing quote, so that a name may hold blanks; a doubled quote
// inside stands for one, and the closing quote must end the word.
class InpWords {
public:
    enum class Item { Word, EndOfLine, Malformed };

    explicit InpWords(std::string_view line) : line_(line) {}

    // The next word into `word`, without its quotes. Malformed (an unclosed quote, or a closing
    // quote followed by more of the word) ends the line.
    Item next(std::string& word);
    // Whether the last word was written in quotes.
    bool quoted() const { return quoted_; }

private:
    std::string_view line_;
    std::size_t position_ = 0;
    bool quoted_ = false;
};

// The number of words of the line (a malformed rest counts as one).
int inpCountWords(std::string_view line);

void inpResetSectionFlags(SectionFlags& flags);

// Reads the file from its start to its end and sets the flag of every section header found
// (by the first keyword of the scan's table that the header holds, case ignored); anyLinks tells
// whether a [CONDUITS], [WEIRS] or [ORIFICES] header was among them. A header of no known
// section is reported and otherwise ignored. Gives the number of header lines, known or not.
std::size_t inpScanSections(int unit, SectionFlags& flags, bool& anyLinks);

// A number of the model's text: the free-form syntax, finite values only.
std::optional<float> inpReal4(std::string_view text);
std::optional<double> inpReal8(std::string_view text);

// The values of one data line, one word each, read in order. The first value that is missing or
// does not read whole as its target's type fails the line; reads after a failure change nothing.
class InpLineValues {
public:
    enum class Status { Ok, EndOfLine, BadValue };

    explicit InpLineValues(std::string_view line) : words_(line) {}

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
    // True when a value was read into value_; false when the line has failed.
    bool nextValue();
    template <typename Number, typename Parse>
    InpLineValues& number(Number& target, Parse parse);

    InpWords words_;
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
