// convert/inp_sections.hpp: the SWMM .inp file as the converter reads it: its lines, words and
// values, the scan for the sections it holds, and the walk through the data lines of one section.
//
// Lines are read as SWMM reads them: whole, whatever their length; TAB and CR are blanks; ";"
// outside double quotes starts a comment; a line left blank is skipped; a UTF-8 byte-order mark
// before the first line is no part of it. A section header is a line whose first word starts with
// "[" (blanks and TABs before it aside); it names the section of the first keyword of the scan's
// table that it holds. A section may be written in several blocks: each header switches to its
// section, and the data lines of every block of a section belong to it, in file order. The words
// of a data line are separated by blanks alone (InpWords), and a value is one whole word; a number
// is a decimal number as SWMM reads one (sign, digits, one decimal point, an exponent with E or
// e) and finite.
#pragma once
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "convert/network.hpp"

namespace zx::convert {

// The line as its values are read, in place: TABs and CRs made blanks, the comment removed,
// trailing blanks dropped.
void inpCleanLine(std::string& line);

// Whether the cleaned line is a section header, and the flag index of the section it names (the
// first keyword of the scan's table that it holds, case ignored): nullopt for a header of no known
// section. Both the scan and the readers ask here, so that they take the same lines for a header.
bool inpIsHeader(std::string_view line);
std::optional<std::size_t> inpHeaderSection(std::string_view line);

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

// A number of the model's text: a whole word in decimal notation, finite values only.
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
    // A link's offset: a real, or under ELEVATION a word starting with "*" (kAtNodeInvert), as
    // SWMM reads it.
    InpLineValues& offset(float& target, LinkOffsets offsets);
    // A decimal number as for reals; the value is truncated (a count written 1.0 or 0.0).
    InpLineValues& integer(std::int32_t& target);
    // A value that is read but not kept.
    InpLineValues& skip();

    Status status() const { return status_; }

private:
    // True when a value was read into value_; false when the line has failed.
    bool nextValue();
    template <typename Number, typename Parse>
    InpLineValues& number(Number& target, Parse parse);
    template <typename Number>
    InpLineValues& store(Number& target, std::optional<Number> value);

    InpWords words_;
    std::string value_;
    Status status_ = Status::Ok;
};

// The data lines of one section (by its flag index), cleaned, from every block of the section
// between the unit's current position and the end of the file.
class SectionLines {
public:
    SectionLines(int unit, std::size_t section) : unit_(unit), section_(section) {}

    // The next data line; false at the end of the file.
    bool next();
    const std::string& line() const { return line_; }

private:
    int unit_;
    std::size_t section_;
    bool inSection_ = false;
    std::string line_;
};

}  // namespace zx::convert
