#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <array>

// Reading a SWMM 5 input file the way the engine reads it, line by line and
// token by token, on the file's bytes: every separator SWMM knows is ASCII
// below 0x40, which no byte of a multi-byte character in UTF-8 or code page
// 936 can be, so the file never needs decoding to be read or edited.
namespace velmora::swmm {

// The sections the model editor reads or writes, and the rest.
enum class Section {
    None,    // before the first header
    Unknown, // a header SWMM does not know
    Other,   // a section SWMM knows that the editor leaves alone
    Options,
    RainGages,
    Subcatchments,
    TimeSeries,
    Curves,
    Patterns,
};

// One line of the file: offsets into it.
struct Line {
    qsizetype begin = 0;
    qsizetype end = 0;  // before the line end ("\n" or "\r\n")
    qsizetype next = 0; // after the line end; `end` for a last line without one
    qsizetype number = 0;
    Section section = Section::None; // for a header, the section it opens
    bool header = false;
    bool blank = false; // nothing but blanks, tabs and CR
};

// The lines of a file in order.
class LineScanner {
public:
    explicit LineScanner(QByteArrayView file) : file_(file) {}
    // The next line; false after the last.
    bool next(Line& line);
    // Whether a header of a section SWMM knows was seen so far.
    bool sawKnownSection() const { return sawKnownSection_; }

private:
    QByteArrayView file_;
    qsizetype position_ = 0;
    qsizetype number_ = 0;
    Section section_ = Section::None;
    bool sawKnownSection_ = false;
};

// A token as SWMM splits a line: blanks, tabs and CR separate tokens, a ';'
// ends the data of the line (also inside quotes, as SWMM cuts there first),
// and a token that begins with '"' runs to the next '"'.
struct Token {
    QByteArrayView text; // without the quotes
    qsizetype begin = 0; // the token as written, quotes included: offsets into the file
    qsizetype end = 0;
};

// The first tokens of a line: no entry the editor reads has more than eight.
struct LineTokens {
    static constexpr int Capacity = 8;
    std::array<Token, Capacity> tokens;
    int count = 0;     // the tokens kept, at most Capacity
    bool more = false; // the line has tokens beyond them

    const Token& operator[](int i) const { return tokens[static_cast<std::size_t>(i)]; }
};

LineTokens Tokenize(QByteArrayView file, const Line& line);

// Whether two names or keywords are the same for SWMM, which compares bytes
// with the ASCII letters folded to capitals.
bool SameWord(QByteArrayView a, QByteArrayView b);
// Whether `word` begins with `keyword` that way: SWMM takes "INTENS" for no
// keyword, but "INTENSITY2" for INTENSITY.
bool StartsWithWord(QByteArrayView word, QByteArrayView keyword);

// Text of the file for a message: as UTF-8 where it reads as UTF-8, else as
// code page 936, in which SWMM writes on a Chinese Windows. A line of Chinese
// in code page 936 is almost never also valid UTF-8.
QString FileText(QByteArrayView bytes);

} // namespace velmora::swmm
