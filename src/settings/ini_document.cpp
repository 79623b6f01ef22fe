#include "ini_document.h"

namespace velmora {

namespace {

const QByteArray Utf8ByteOrderMark("\xEF\xBB\xBF");

// The section name of a "[name]" line.
std::optional<QString> SectionName(const QByteArray& line) {
    const QByteArray trimmed = line.trimmed();
    if (trimmed.size() < 2 || !trimmed.startsWith('[') || !trimmed.endsWith(']'))
        return std::nullopt;
    return QString::fromUtf8(trimmed.mid(1, trimmed.size() - 2)).trimmed();
}

bool IsComment(const QByteArray& line) {
    const QByteArray trimmed = line.trimmed();
    return trimmed.startsWith(';') || trimmed.startsWith('#');
}

// The key of a "key=value" line.
std::optional<QString> KeyName(const QByteArray& line) {
    if (IsComment(line))
        return std::nullopt;
    const auto equals = line.indexOf('=');
    if (equals < 0)
        return std::nullopt;
    return QString::fromUtf8(line.left(equals)).trimmed();
}

bool SameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

IniDocument IniDocument::FromBytes(const QByteArray& bytes) {
    IniDocument document;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    bool endingChosen = false;
    while (start < size) {
        qsizetype end = start;
        while (end < size && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        Line line{bytes.mid(start, end - start), {}};
        if (end < size) {
            const bool crlf = bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n';
            line.ending = bytes.mid(end, crlf ? 2 : 1);
            if (!endingChosen) {
                document.newLine_ = line.ending;
                endingChosen = true;
            }
        }
        start = end + line.ending.size();
        document.lines_.push_back(std::move(line));
    }
    return document;
}

IniDocument::KeyPosition IniDocument::find(const QString& section, const QString& key) const {
    KeyPosition position{std::nullopt, lines_.size(), std::nullopt};
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        QByteArray text = lines_[i].text;
        if (i == 0 && text.startsWith(Utf8ByteOrderMark))
            text.remove(0, Utf8ByteOrderMark.size());
        if (const auto name = SectionName(text)) {
            if (position.sectionHeader) {
                position.sectionEnd = i;
                return position;
            }
            if (SameName(*name, section))
                position.sectionHeader = i;
            continue;
        }
        if (position.sectionHeader && !position.keyLine) {
            const auto name = KeyName(text);
            if (name && SameName(*name, key))
                position.keyLine = i;
        }
    }
    return position;
}

std::optional<QString> IniDocument::value(const QString& section, const QString& key) const {
    const KeyPosition position = find(section, key);
    if (!position.keyLine)
        return std::nullopt;
    const QByteArray& text = lines_[*position.keyLine].text;
    return QString::fromUtf8(text.mid(text.indexOf('=') + 1)).trimmed();
}

std::size_t IniDocument::lastContentLine(std::size_t sectionHeader, std::size_t sectionEnd) const {
    std::size_t last = sectionHeader;
    for (std::size_t i = sectionHeader + 1; i < sectionEnd; ++i)
        if (!lines_[i].text.trimmed().isEmpty())
            last = i;
    return last;
}

void IniDocument::insertLine(std::size_t index, const QByteArray& text) {
    // A line added after an unterminated last line needs that line ended first.
    if (index > 0 && lines_[index - 1].ending.isEmpty())
        lines_[index - 1].ending = newLine_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), Line{text, newLine_});
}

void IniDocument::setValue(const QString& section, const QString& key, const QString& value) {
    const KeyPosition position = find(section, key);
    if (position.keyLine) {
        // The key keeps its spelling and spacing; only the value changes.
        QByteArray& text = lines_[*position.keyLine].text;
        text = text.left(text.indexOf('=') + 1) + value.toUtf8();
        return;
    }
    const QByteArray line = key.toUtf8() + '=' + value.toUtf8();
    if (!position.sectionHeader) {
        insertLine(lines_.size(), '[' + section.toUtf8() + ']');
        insertLine(lines_.size(), line);
        return;
    }
    insertLine(lastContentLine(*position.sectionHeader, position.sectionEnd) + 1, line);
}

QByteArray IniDocument::toBytes() const {
    QByteArray bytes;
    for (const Line& line : lines_)
        bytes += line.text + line.ending;
    return bytes;
}

} // namespace velmora
