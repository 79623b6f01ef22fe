#pragma once

#include <QByteArray>
#include <QString>

namespace velmora {

// Code page 936 (GBK), the encoding of the text files the program writes and
// of most Chinese files and spreadsheets it reads. Linux converts through
// Qt's ICU converter, Windows through its own tables (Qt there has no ICU), so
// the bytes are the same on both.
QByteArray EncodeCodePage936(const QString& text);
QString DecodeCodePage936(const QByteArray& bytes);

} // namespace velmora
