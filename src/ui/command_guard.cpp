#include "command_guard.h"

#include "desktop.h"

#include <new>

namespace velmora {

void RunCommand(Desktop& desktop, const std::function<Status()>& command) {
    try {
        if (const Status done = command(); !done)
            desktop.showError(ErrorTitle, FailureText(done.failure()));
    } catch (const std::bad_alloc&) {
        desktop.showError(ErrorTitle, QStringLiteral("内存不足，操作没有完成"));
    } catch (const std::exception& failure) {
        desktop.showError(ErrorTitle, QString::fromLocal8Bit(failure.what()));
    } catch (...) {
        desktop.showError(ErrorTitle,
                          FailureText(Failure::Error(QStringLiteral("未知的错误，操作没有完成"))));
    }
}

} // namespace velmora
