#pragma once

#include <QString>

#include <cassert>
#include <optional>
#include <utility>

namespace velmora {

// What kind of failure it was, where a caller words its message by it.
enum class FailureKind {
    General,
    // A finished file could not take the place of the one there: on some
    // systems a file open in another program cannot be replaced.
    TargetInUse,
    // A file that was to be kept already had the name (ExistingFile::Keep).
    NameTaken,
    // A file that is not what it was read as (a storm file without its marker).
    WrongFormat,
    // A file of the right kind holding a value that does not convert.
    BadValue,
};

// Why an operation did not do its work, in the user's language. The reason
// never carries the error mark "出错：": a failure that is shown after it says
// so, and each front (the window's command guard, velmora-cli's printer) puts
// the mark before it in one place.
struct Failure {
    QString message;
    FailureKind kind = FailureKind::General;
    bool withErrorMark = false;

    // A failure shown after the error mark.
    static Failure Error(QString reason, FailureKind kind = FailureKind::General) {
        return Failure{std::move(reason), kind, true};
    }
    // This failure, of its kind, shown after the error mark.
    Failure asError() const { return Error(message, kind); }
};

// The failure as a front shows it: the error mark "出错：" where the failure
// carries it, then the reason.
inline QString FailureText(const Failure& failure) {
    return failure.withErrorMark ? QStringLiteral("出错：") + failure.message : failure.message;
}

// The value an operation produced, or the failure that stopped it. Every
// layer below the window reports failures this way; the fronts show them.
template <typename T> class Result {
public:
    Result(T value) : value_(std::move(value)) {}
    Result(Failure failure) : failure_(std::move(failure)) {}

    bool ok() const { return value_.has_value(); }
    explicit operator bool() const { return ok(); }

    const T& value() const& {
        assert(ok());
        return *value_;
    }
    T& value() & {
        assert(ok());
        return *value_;
    }
    T&& value() && {
        assert(ok());
        return std::move(*value_);
    }
    const T& operator*() const& { return value(); }
    T& operator*() & { return value(); }
    const T* operator->() const { return &value(); }
    T* operator->() { return &value(); }
    // The value, or `fallback` after a failure.
    T value_or(T fallback) const& { return ok() ? *value_ : std::move(fallback); }

    // Empty when the operation succeeded.
    const QString& message() const { return failure_.message; }
    const Failure& failure() const { return failure_; }

private:
    std::optional<T> value_;
    Failure failure_;
};

// An operation that gives nothing but success or its failure.
template <> class Result<void> {
public:
    Result() = default;
    Result(Failure failure) : failed_(true), failure_(std::move(failure)) {}

    bool ok() const { return !failed_; }
    explicit operator bool() const { return ok(); }
    const QString& message() const { return failure_.message; }
    const Failure& failure() const { return failure_; }

private:
    bool failed_ = false;
    Failure failure_;
};

using Status = Result<void>;

} // namespace velmora
