#include "swmm_model.h"

#include "atomic_file.h"

#include <QFileInfo>

namespace velmora {

namespace {

Failure ModelFailure(const QString& path, const Failure& failure) {
    return {QStringLiteral("无法把雨型写入模型“%1”：%2").arg(path, failure.message), failure.kind};
}

// What the file at `path` is, checked before it is read: a read-only model
// would be read, edited and then not written; a huge one not read at all.
Status CheckModelFile(const QString& path) {
    const QFileInfo file(path); // follows links
    if (!file.isFile())
        return {};
    if (file.size() > MaxSwmmModelBytes)
        return Failure{
            QStringLiteral("模型文件“%1”超过了200 MB，不是可以写入雨型的SWMM输入文件").arg(path)};
    // A file without write permission for anyone is marked read-only: left
    // alone also by a program that could write it anyway (an administrator's).
    const auto writeBits = QFile::WriteOwner | QFile::WriteGroup | QFile::WriteOther;
    if (!file.isWritable() || !(file.permissions() & writeBits))
        return Failure{
            QStringLiteral("模型文件“%1”是只读文件，没有写入：请先取消它的只读属性").arg(path)};
    return {};
}

} // namespace

Result<TSwmmModelReport> WriteStormsIntoSwmmModel(const QString& path,
                                                  const std::vector<TSwmmStorm>& storms,
                                                  const TSwmmModelChoices& choices) {
    if (const Status checked = CheckModelFile(path); !checked)
        return checked.failure();
    const Result<QByteArray> model = ReadRegularFile(path, MaxSwmmModelBytes);
    if (!model)
        return model.failure();
    Result<TSwmmModelEdit> edited = EditSwmmModel(*model, storms, choices);
    if (!edited)
        return ModelFailure(path, edited.failure());
    const Status written = WriteFileAtomically(path, edited->bytes, ExistingFile::Replace);
    if (!written && written.failure().kind == FailureKind::TargetInUse)
        return Failure{QStringLiteral("无法替换模型文件，可能是它正被SWMM或其他程序使用\r\n") +
                           written.message(),
                       FailureKind::TargetInUse};
    if (!written)
        return written.failure();
    return std::move(edited->report);
}

} // namespace velmora
