#pragma once

#include "result.h"

#include <QString>

// The reason of a failure that is shown after the error mark; an unmarked
// failure's reason comes with a note, so one comparison checks both. Empty
// for a success.
template <typename T> QString ErrorReason(const velmora::Result<T>& result) {
    if (result.ok() || result.failure().withErrorMark)
        return result.message();
    return QStringLiteral("[without the error mark] ") + result.message();
}
