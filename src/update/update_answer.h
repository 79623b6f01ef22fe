#pragma once

#include "result.h"

#include <QChar>
#include <QString>
#include <QUrl>

#include <optional>

namespace velmora {

// The version of this program (the project's version), as the caption, the
// About window and the update check show it.
extern const QString ProgramVersion;

// What the update script says: the lines before its end marker "@@@@@@".
struct UpdateAnswer {
    QString version; // line 1, blanks around it removed, as received
    QString link;    // line 2, blanks around it removed
    QString notes;   // lines 3 onward, each followed by "\r\n"
};

// Reads the body of the update script's answer. Only the text before the
// first "@@@@@@" counts (none without the marker); its lines may end in
// CR LF, LF or CR. Fails, with the message to show, when line 1 or line 2 is
// missing.
Result<UpdateAnswer> ParseUpdateAnswer(const QString& body);

// A newer version than this one, and the web page that tells about it.
struct UpdateOffer {
    QString version;
    QString notes;
    QUrl page;
};

// Compares the answer's version, a decimal number written with
// `decimalSeparator`, with this program's version: the offer when it is
// greater, nothing when this program is up to date. Fails when the version is
// not a number, or when a newer version names a page that is not an http or
// https address (nothing else is handed to the desktop).
Result<std::optional<UpdateOffer>> EvaluateUpdateAnswer(const UpdateAnswer& answer,
                                                        QChar decimalSeparator);

inline const QString UpdateTitle = QStringLiteral("更新");
inline const QString UpToDateText = QStringLiteral("已经是最新版本了");

// "新版本：Ver2.2 已经发布~\r\n更新内容:\r\n" and the notes, then an empty line.
QString UpdateNewsText(const UpdateOffer& offer);
// The news and "是否立即查看？": the question before the page is opened.
QString UpdateQuestionText(const UpdateOffer& offer);

} // namespace velmora
