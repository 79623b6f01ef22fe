#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace velmora {

// A small INI text file held as its lines, so that changing one key rewrites
// only that key's line: every other section, key, comment and line ending
// stays byte for byte. Section and key names match without regard to letter
// case; blanks around keys and values are ignored. The text is UTF-8.
class IniDocument {
public:
    static IniDocument FromBytes(const QByteArray& bytes);

    std::optional<QString> value(const QString& section, const QString& key) const;
    // Replaces the key's line, or adds the key at the end of its section (the
    // section at the end of the file when there is none).
    void setValue(const QString& section, const QString& key, const QString& value);

    QByteArray toBytes() const;

private:
    struct Line {
        QByteArray text;   // without its line end
        QByteArray ending; // "\r\n", "\n", "\r" or empty for an unterminated last line
    };
    struct KeyPosition {
        std::optional<std::size_t> sectionHeader; // the section's "[name]" line
        std::size_t sectionEnd;                   // one past the section's last line
        std::optional<std::size_t> keyLine;       // the key's line, when present
    };

    KeyPosition find(const QString& section, const QString& key) const;
    std::size_t lastContentLine(std::size_t sectionHeader, std::size_t sectionEnd) const;
    void insertLine(std::size_t index, const QByteArray& text);

    std::vector<Line> lines_;
    QByteArray newLine_ = "\r\n";
};

} // namespace velmora
