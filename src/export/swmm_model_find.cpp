#include "swmm_model_find.h"

namespace velmora::swmm {

namespace {

std::string_view View(QByteArrayView bytes) {
    return {bytes.data(), static_cast<std::size_t>(bytes.size())};
}

class Scanner {
public:
    Scanner(QByteArrayView file, const std::vector<StormNames>& names, bool wantSubcatchments)
        : file_(file), names_(names), wantSubcatchments_(wantSubcatchments) {
        for (std::size_t i = 0; i < names.size(); ++i) {
            series_.add(names[i].series, i);
            gages_.add(names[i].gage, i);
        }
        found_.storms.resize(names.size());
    }

    ModelScan scan() {
        LineScanner lines(file_);
        Line line;
        while (lines.next(line)) {
            found_.endsBlank = line.blank;
            if (line.blank)
                continue;
            noteSectionEnd(line);
            if (!line.header && isRead(line.section))
                read(line, Tokenize(file_, line));
        }
        found_.knownSection = lines.sawKnownSection();
        return std::move(found_);
    }

private:
    // The sections whose lines are read: the others are only passed over.
    bool isRead(Section section) const {
        return section == Section::Options || section == Section::TimeSeries ||
               section == Section::RainGages || section == Section::Curves ||
               section == Section::Patterns ||
               (wantSubcatchments_ && section == Section::Subcatchments);
    }

    void noteSectionEnd(const Line& line) {
        if (line.section == Section::TimeSeries)
            found_.endOfSeries = line;
        else if (line.section == Section::RainGages)
            found_.endOfGages = line;
    }

    void read(const Line& line, const LineTokens& tokens) {
        if (tokens.count == 0)
            return; // a comment
        switch (line.section) {
        case Section::Options:
            found_.options.read(tokens, line.number);
            break;
        case Section::TimeSeries:
            readSeries(line, tokens);
            break;
        case Section::RainGages:
            readGage(line, tokens);
            break;
        case Section::Curves:
        case Section::Patterns:
            if (const auto storm = series_.find(tokens[0].text))
                keepFirst(found_.storms[*storm].otherUse, line);
            break;
        case Section::Subcatchments:
            if (tokens.count >= 2)
                found_.subcatchmentGages.push_back(tokens[1]);
            break;
        default:
            break;
        }
    }

    void readSeries(const Line& line, const LineTokens& tokens) {
        const auto storm = series_.find(tokens[0].text);
        if (!storm)
            return;
        FoundNames& found = found_.storms[*storm];
        found.series.push_back(line);
        if (!IsOurSeriesLine(tokens))
            keepFirst(found.foreignSeries, line);
    }

    void readGage(const Line& line, const LineTokens& tokens) {
        if (!IsReadableGageLine(tokens)) {
            keepFirst(found_.unreadableGage, line);
            return;
        }
        const auto storm = gages_.find(tokens[0].text);
        if (!storm)
            return;
        FoundNames& found = found_.storms[*storm];
        found.gages.push_back(line);
        if (!IsOurGageLine(tokens, names_[*storm].series))
            keepFirst(found.foreignGage, line);
    }

    static void keepFirst(std::optional<Line>& kept, const Line& line) {
        if (!kept)
            kept = line;
    }

    QByteArrayView file_;
    const std::vector<StormNames>& names_;
    bool wantSubcatchments_;
    NameIndex series_;
    NameIndex gages_;
    ModelScan found_;
};

} // namespace

std::size_t NameIndex::FoldedHash::operator()(std::string_view name) const {
    std::size_t hash = 14695981039346656037ull; // FNV-1a of the capitals
    for (const char c : name)
        hash = (hash ^ static_cast<unsigned char>(c >= 'a' && c <= 'z' ? c - 32 : c)) *
               1099511628211ull;
    return hash;
}

bool NameIndex::FoldedEqual::operator()(std::string_view a, std::string_view b) const {
    return SameWord(QByteArrayView(a.data(), static_cast<qsizetype>(a.size())),
                    QByteArrayView(b.data(), static_cast<qsizetype>(b.size())));
}

bool NameIndex::add(QByteArrayView name, std::size_t storm) {
    return storms_.emplace(View(name), storm).second;
}

std::optional<std::size_t> NameIndex::find(QByteArrayView name) const {
    const auto found = storms_.find(View(name));
    if (found == storms_.end())
        return std::nullopt;
    return found->second;
}

ModelScan ScanModel(QByteArrayView file, const std::vector<StormNames>& names,
                    bool wantSubcatchments) {
    return Scanner(file, names, wantSubcatchments).scan();
}

} // namespace velmora::swmm
