#include "command_guard.h"

#include "desktop.h"

#include <new>

namespace velmora {

namespace {
const QString ErrorTitle = QStringLiteral("错误");
}

void RunCommand(Desktop& desktop, const std::function<void()>& command) {
    try {
        command();
    } catch (const CommandFailure& failure) {
        desktop.showError(ErrorTitle, failure.message());
    } catch (const std::bad_alloc&) {
        desktop.showError(ErrorTitle, QStringLiteral("内存不足，操作没有完成"));
    } catch (const std::exception& failure) {
        desktop.showError(ErrorTitle, QString::fromLocal8Bit(failure.what()));
    } catch (...) {
        desktop.showError(ErrorTitle, QStringLiteral("出错：未知的错误，操作没有完成"));
    }
}

} // namespace velmora
