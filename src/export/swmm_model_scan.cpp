#include "swmm_model_scan.h"

#include "text_encoding.h"

#include <QStringDecoder>

#include <cstring>
#include <utility>

namespace velmora::swmm {

namespace {

char Capital(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

bool IsSeparator(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

// The section headers SWMM 5.2 knows, in the order it tries them: it takes
// the first whose text begins the header, so "[INLET_USAGE]" must be tried
// before "[INLET".
const std::pair<const char*, Section> KnownSections[] = {
    {"[TITLE", Section::Other},
    {"[OPTION", Section::Options},
    {"[FILE", Section::Other},
    {"[RAINGAGE", Section::RainGages},
    {"[TEMPERATURE", Section::Other},
    {"[EVAP", Section::Other},
    {"[SUBCATCHMENT", Section::Subcatchments},
    {"[SUBAREA", Section::Other},
    {"[INFIL", Section::Other},
    {"[AQUIFER", Section::Other},
    {"[GROUNDWATER", Section::Other},
    {"[SNOWPACK", Section::Other},
    {"[JUNC", Section::Other},
    {"[OUTFALL", Section::Other},
    {"[STORAGE", Section::Other},
    {"[DIVIDER", Section::Other},
    {"[CONDUIT", Section::Other},
    {"[PUMP", Section::Other},
    {"[ORIFICE", Section::Other},
    {"[WEIR", Section::Other},
    {"[OUTLET", Section::Other},
    {"[XSECT", Section::Other},
    {"[TRANSECT", Section::Other},
    {"[LOSS", Section::Other},
    {"[CONTROL", Section::Other},
    {"[POLLUT", Section::Other},
    {"[LANDUSE", Section::Other},
    {"[BUILDUP", Section::Other},
    {"[WASHOFF", Section::Other},
    {"[COVERAGE", Section::Other},
    {"[INFLOW", Section::Other},
    {"[DWF", Section::Other},
    {"[PATTERN", Section::Patterns},
    {"[RDII", Section::Other},
    {"[HYDROGRAPH", Section::Other},
    {"[LOADING", Section::Other},
    {"[TREATMENT", Section::Other},
    {"[CURVE", Section::Curves},
    {"[TIMESERIES", Section::TimeSeries},
    {"[REPORT", Section::Other},
    {"[COORDINATE", Section::Other},
    {"[VERTICES", Section::Other},
    {"[POLYGON", Section::Other},
    {"[LABEL", Section::Other},
    {"[SYMBOL", Section::Other},
    {"[BACKDROP", Section::Other},
    {"[TAG", Section::Other},
    {"[PROFILE", Section::Other},
    {"[MAP", Section::Other},
    {"[LID_CONTROL", Section::Other},
    {"[LID_USAGE", Section::Other},
    {"[GWF", Section::Other},
    {"[ADJUSTMENT", Section::Other},
    {"[EVENT", Section::Other},
    {"[STREET", Section::Other},
    {"[INLET_USAGE", Section::Other},
    {"[INLET", Section::Other},
};

Section SectionOfHeader(QByteArrayView header) {
    for (const auto& [keyword, section] : KnownSections)
        if (StartsWithWord(header, QByteArrayView(keyword)))
            return section;
    return Section::Unknown;
}

// The first character of a line that is not a blank: a header's '[', a
// comment's ';', or the start of its first token. The first line may begin
// with a UTF-8 byte-order mark, which is no part of its text.
qsizetype FirstCharacter(QByteArrayView file, qsizetype begin, qsizetype end) {
    if (begin == 0 && file.startsWith("\xEF\xBB\xBF"))
        begin = std::min<qsizetype>(3, end);
    while (begin < end && IsSeparator(file[begin]))
        ++begin;
    return begin;
}

} // namespace

bool LineScanner::next(Line& line) {
    if (position_ >= file_.size())
        return false;
    const char* data = file_.data();
    const auto* found = static_cast<const char*>(
        std::memchr(data + position_, '\n', static_cast<std::size_t>(file_.size() - position_)));
    line.begin = position_;
    line.next = found ? found - data + 1 : file_.size();
    line.end = found ? found - data : file_.size();
    if (found && line.end > line.begin && data[line.end - 1] == '\r')
        --line.end; // a CR without LF is no line end
    line.number = ++number_;
    position_ = line.next;

    const qsizetype first = FirstCharacter(file_, line.begin, line.end);
    line.blank = first == line.end;
    line.header = !line.blank && data[first] == '[';
    if (line.header) {
        qsizetype headerEnd = first;
        while (headerEnd < line.end && !IsSeparator(data[headerEnd]) && data[headerEnd] != ';')
            ++headerEnd;
        section_ = SectionOfHeader(file_.sliced(first, headerEnd - first));
        sawKnownSection_ = sawKnownSection_ || section_ != Section::Unknown;
    }
    line.section = section_;
    return true;
}

LineTokens Tokenize(QByteArrayView file, const Line& line) {
    LineTokens result;
    const char* data = file.data();
    qsizetype end = line.end;
    if (const void* comment =
            std::memchr(data + line.begin, ';', static_cast<std::size_t>(line.end - line.begin)))
        end = static_cast<const char*>(comment) - data;
    qsizetype at = FirstCharacter(file, line.begin, end);
    while (at < end) {
        const qsizetype begin = at;
        qsizetype textBegin = at;
        if (data[at] == '"') {
            textBegin = ++at;
            while (at < end && data[at] != '"')
                ++at;
        } else {
            while (at < end && !IsSeparator(data[at]))
                ++at;
        }
        const qsizetype textEnd = at;
        if (at < end && data[at] == '"')
            ++at; // the closing quote belongs to the token
        if (result.count == LineTokens::Capacity) {
            result.more = true;
            break;
        }
        result.tokens[static_cast<std::size_t>(result.count++)] = {
            file.sliced(textBegin, textEnd - textBegin), begin, at};
        while (at < end && IsSeparator(data[at]))
            ++at;
    }
    return result;
}

bool SameWord(QByteArrayView a, QByteArrayView b) {
    return a.size() == b.size() && StartsWithWord(a, b);
}

bool StartsWithWord(QByteArrayView word, QByteArrayView keyword) {
    if (word.size() < keyword.size())
        return false;
    for (qsizetype i = 0; i < keyword.size(); ++i)
        if (Capital(word[i]) != Capital(keyword[i]))
            return false;
    return true;
}

QString FileText(QByteArrayView bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8.decode(bytes);
    if (!utf8.hasError())
        return text;
    return DecodeTextFile(bytes.toByteArray());
}

} // namespace velmora::swmm
