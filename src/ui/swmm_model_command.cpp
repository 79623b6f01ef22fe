#include "swmm_model_command.h"

#include "command_guard.h"
#include "desktop.h"
#include "number_text.h"
#include "storm_session.h"
#include "swmm_model.h"
#include "swmm_model_dialog.h"
#include "swmm_model_entries.h"
#include "window_memory_keeper.h"

#include <QDir>
#include <QWidget>

namespace velmora {

namespace {

const QString ModelKind = QStringLiteral("SwmmModel");
const QString Title = QStringLiteral("写入SWMM模型");
const std::vector<FileType> ModelTypes = {
    {QStringLiteral("SWMM模型文件(*.inp)"), QStringLiteral("*.inp")},
    {QStringLiteral("所有文件(*.*)"), QStringLiteral("*.*")}};

// "P=2年 T=120分 r=0.4：时间序列P2_T120_r0.4，雨量计RG_P2_T120_r0.4"; only the
// storm when its names break SWMM's rules (writing then says why).
QString StormLine(const TSwmmStorm& storm, const QString& legend) {
    const Result<swmm::StormNames> names = swmm::NamesOf(storm);
    if (!names)
        return legend;
    return QStringLiteral("%1：时间序列%2，雨量计%3")
        .arg(legend, QString::fromLatin1(names->series), QString::fromLatin1(names->gage));
}

QString GageOf(const TSwmmStorm& storm) {
    const Result<swmm::StormNames> names = swmm::NamesOf(storm);
    return names ? QString::fromLatin1(names->gage) : QString();
}

// "模型中已有同名的时间序列…（本程序以前写入的）。 是否替换？": the refusal
// without its opening words, which say that nothing was written.
QString ReplaceQuestion(const QString& path, QString refusal) {
    const QString opening = QStringLiteral("无法把雨型写入模型“%1”：").arg(path);
    if (refusal.startsWith(opening))
        refusal = refusal.mid(opening.size()) + QStringLiteral("（本程序以前写入的）。");
    return refusal + QStringLiteral("\r\n是否替换？");
}

} // namespace

SwmmModelCommand::SwmmModelCommand(StormSession& session, Desktop& desktop,
                                   WindowMemoryKeeper& memory, QWidget* window)
    : QObject(window), session_(&session), desktop_(desktop), memory_(memory), window_(window) {}

void SwmmModelCommand::Menu_WriteIntoSwmmModelClick() {
    if (session_)
        RunCommand(desktop_, [this] { return writeIntoModel(); });
}

SwmmModelCommand::Storms SwmmModelCommand::stormsToWrite() {
    const QChar separator = UserDecimalSeparator();
    const std::vector<TComparedStorm>& compared = session_->comparison();
    Storms current{{SwmmStormOf(session_->storm(), session_->table(), session_->options())},
                   {ComparedStormLegend(session_->storm(), separator)}};
    // Only the current storm compared: nothing to choose.
    if (compared.empty() || (compared.size() == 1 && session_->currentStormCompared()))
        return current;
    Storms all{{}, ComparedStormLegends(compared, separator)};
    QString question = QStringLiteral("对比中有%1个雨型：%2。\r\n"
                                      "选择“是”把这%1个雨型都写入模型，选择“否”只写入当前雨型。")
                           .arg(compared.size())
                           .arg(all.legends.join(QStringLiteral("、")));
    if (!session_->currentStormCompared())
        question += QStringLiteral("\r\n当前雨型不在对比中，选择“是”时不写入它。");
    if (!desktop_.askYesNo(PromptTitle, question))
        return current;
    for (const TComparedStorm& storm : compared)
        all.storms.push_back(SwmmStormOf(storm));
    return all;
}

Status SwmmModelCommand::writeIntoModel() {
    if (session_->table().empty()) {
        desktop_.showInformation(PromptTitle, NoDataMessage);
        return {};
    }
    const auto chosen = desktop_.askOpenFile(
        {Title, QString(), ModelTypes, 0, false, memory_.dialogFolder(ModelKind)});
    if (!chosen || chosen->path.isEmpty())
        return {};
    const QString path = chosen->path;
    memory_.rememberFolder(ModelKind, path);

    const Storms toWrite = stormsToWrite();
    const std::vector<TSwmmStorm>& storms = toWrite.storms;
    QStringList lines;
    for (std::size_t i = 0; i < storms.size(); ++i)
        lines << StormLine(storms[i], toWrite.legends[static_cast<qsizetype>(i)]);
    SwmmModelDialog dialog(path, lines, storms.size() == 1 ? GageOf(storms.front()) : QString(),
                           window_);
    if (desktop_.runModal(dialog) != QDialog::Accepted)
        return {};

    TSwmmModelChoices choices{.replace = false, .assignGage = dialog.assignGage()};
    Result<TSwmmModelReport> written = WriteStormsIntoSwmmModel(path, storms, choices);
    if (!written && written.failure().kind == FailureKind::NameTaken) {
        if (!desktop_.askYesNo(PromptTitle, ReplaceQuestion(path, written.message())))
            return {};
        choices.replace = true;
        written = WriteStormsIntoSwmmModel(path, storms, choices);
    }
    if (!written)
        return written.failure();
    desktop_.showCopyableText(
        Title, QStringLiteral("已写入模型“%1”：\r\n").arg(QDir::toNativeSeparators(path)) +
                   SwmmModelReportLines(*written).join(QStringLiteral("\r\n")));
    return {};
}

} // namespace velmora
