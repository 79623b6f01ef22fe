#pragma once

#include "foreign_text.h"
#include "result.h"

#include <QByteArray>
#include <QString>

namespace velmora::cli {

// One storm's failure among several: the storm (as its summary line or
// legend names it), then the reason on the same line, after the error mark.
Failure StormFailure(const QString& storm, const Failure& failure);

// Where velmora-cli's text goes, as it is made: results (the table, a
// batch's summary lines, the update check's answer) to standard output,
// failures to standard error, both in UTF-8. What a server or a file sent
// reaches the terminal without its control characters.
class CliOutput {
public:
    virtual ~CliOutput() = default;

    void print(const QString& text) { writeResult(WithoutControlCharacters(text).toUtf8()); }
    void printFailure(const QString& text) {
        writeFailure(WithoutControlCharacters(text).toUtf8());
    }
    // The failure's text on a line of its own.
    void printFailure(const Failure& failure) {
        printFailure(FailureText(failure) + QLatin1Char('\n'));
    }
    // A failure of the program itself rather than of a storm: after
    // "velmora-cli: ", with `after` on the next lines (the usage).
    void printProgramFailure(const Failure& failure, const QString& after = QString()) {
        printFailure(QStringLiteral("velmora-cli: ") + FailureText(failure) + QLatin1Char('\n') +
                     (after.isEmpty() ? QString() : after + QLatin1Char('\n')));
    }

protected:
    virtual void writeResult(const QByteArray& utf8) = 0;
    virtual void writeFailure(const QByteArray& utf8) = 0;
};

// Keeps what is printed, for a caller that wants the text.
class CollectedOutput final : public CliOutput {
public:
    QByteArray out;
    QByteArray err;

protected:
    void writeResult(const QByteArray& utf8) override { out += utf8; }
    void writeFailure(const QByteArray& utf8) override { err += utf8; }
};

} // namespace velmora::cli
