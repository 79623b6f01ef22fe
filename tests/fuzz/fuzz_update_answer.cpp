// The update check's answer comes from a server over plain http: anyone on
// the way can write it.

#include "foreign_text.h"
#include "fuzz_check.h"
#include "number_text.h"
#include "update_answer.h"

#include <QUrl>

using namespace velmora;

namespace {

const QString EndMarker = QStringLiteral("@@@@@@");

bool HasLineBreak(const QString& text) {
    return text.contains(QLatin1Char('\r')) || text.contains(QLatin1Char('\n'));
}

bool SameAnswer(const UpdateAnswer& a, const UpdateAnswer& b) {
    return a.version == b.version && a.link == b.link && a.notes == b.notes;
}

void CheckOffer(const UpdateAnswer& answer, const UpdateOffer& offer, QChar separator) {
    // Only a newer version is offered...
    const auto offered = ParseDecimalNumber(offer.version, separator);
    FUZZ_CHECK(offered.has_value());
    FUZZ_CHECK(*offered > *ParseDecimalNumber(ProgramVersion, QLatin1Char('.')));
    FUZZ_CHECK(offer.version == answer.version && offer.notes == answer.notes);
    // ...and only a web page goes to the desktop.
    FUZZ_CHECK(offer.page.isValid());
    FUZZ_CHECK(offer.page.scheme() == QLatin1String("http") ||
               offer.page.scheme() == QLatin1String("https"));
    FUZZ_CHECK(!offer.page.host().isEmpty());
    // The desktop gets the page encoded, as velmora-cli prints it: that text
    // is a web page on the same host, and encoding it again changes nothing.
    // (It need not be equal to the page as a QUrl: a '#' inside the fragment
    // is kept as it came and only encoded in the text.)
    const QString printed = offer.page.toString(QUrl::FullyEncoded);
    FUZZ_CHECK(!HasLineBreak(printed));
    const QUrl opened(printed, QUrl::StrictMode);
    FUZZ_CHECK(opened.isValid());
    FUZZ_CHECK(opened.scheme() == offer.page.scheme() && opened.host() == offer.page.host() &&
               opened.port() == offer.page.port());
    FUZZ_CHECK(opened.toString(QUrl::FullyEncoded) == printed);

    // The notes are shown as received, whatever they hold; the version is
    // quoted as every foreign text is, at most 200 characters long.
    const QString news = UpdateNewsText(offer);
    const QString head = QStringLiteral("新版本：Ver") + QuotedForeignText(offer.version) +
                         QStringLiteral(" 已经发布~\r\n更新内容:\r\n");
    FUZZ_CHECK(news == head + offer.notes + QStringLiteral("\r\n"));
    FUZZ_CHECK(UpdateQuestionText(offer) == news + QStringLiteral("是否立即查看？"));
}

void Check(const QString& body) {
    const Result<UpdateAnswer> parsed = ParseUpdateAnswer(body);
    const qsizetype end = body.indexOf(EndMarker);
    if (!parsed) {
        FUZZ_CHECK(parsed.failure().withErrorMark && !parsed.message().isEmpty());
        return;
    }
    FUZZ_CHECK(end >= 0);
    const UpdateAnswer& answer = *parsed;
    FUZZ_CHECK(answer.version == answer.version.trimmed() && !HasLineBreak(answer.version));
    FUZZ_CHECK(answer.link == answer.link.trimmed() && !HasLineBreak(answer.link));
    // Each note line ends in CR LF and holds no other line break.
    FUZZ_CHECK(answer.notes.isEmpty() || answer.notes.endsWith(QStringLiteral("\r\n")));
    QString notesWithoutBreaks = answer.notes;
    notesWithoutBreaks.remove(QStringLiteral("\r\n"));
    FUZZ_CHECK(!HasLineBreak(notesWithoutBreaks));
    FUZZ_CHECK(!answer.version.contains(EndMarker) && !answer.link.contains(EndMarker) &&
               !answer.notes.contains(EndMarker));

    // Nothing after the first marker counts.
    const Result<UpdateAnswer> cut = ParseUpdateAnswer(body.left(end + EndMarker.size()));
    FUZZ_CHECK(cut && SameAnswer(*cut, answer));
    // The answer written again in CR LF lines reads back the same.
    const QString rewritten = answer.version + QStringLiteral("\r\n") + answer.link +
                              QStringLiteral("\r\n") + answer.notes + EndMarker;
    const Result<UpdateAnswer> reread = ParseUpdateAnswer(rewritten);
    FUZZ_CHECK(reread && SameAnswer(*reread, answer));

    const QChar separators[] = {QLatin1Char('.'), QLatin1Char(',')};
    bool offered[2] = {};
    bool failed[2] = {};
    for (int i = 0; i < 2; ++i) {
        const auto outcome = EvaluateUpdateAnswer(answer, separators[i]);
        failed[i] = !outcome;
        if (!outcome) {
            FUZZ_CHECK(outcome.failure().withErrorMark && !outcome.message().isEmpty());
            continue;
        }
        // Up to date means a number no greater than ours.
        const auto version = ParseDecimalNumber(answer.version, separators[i]);
        FUZZ_CHECK(version.has_value());
        offered[i] = outcome->has_value();
        if (*outcome)
            CheckOffer(answer, **outcome, separators[i]);
        else
            FUZZ_CHECK(!(*version > *ParseDecimalNumber(ProgramVersion, QLatin1Char('.'))));
    }
    // A version without a separator means the same in either number format.
    if (!answer.version.contains(QLatin1Char('.')) && !answer.version.contains(QLatin1Char(',')))
        FUZZ_CHECK(offered[0] == offered[1] && failed[0] == failed[1]);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Check(QString::fromUtf8(fuzz::Bytes(data, size)));
    Check(fuzz::Utf16(data, size));
    return 0;
}
