#pragma once

#include <QString>

#include <functional>
#include <stdexcept>

namespace velmora {

class Desktop;

// A failure that ends a command; its message is shown as it stands.
class CommandFailure : public std::runtime_error {
public:
    explicit CommandFailure(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

// Runs one command of the window. A failure the command does not handle ends
// it and is shown in an error box with the failure's own text; the program
// goes on. No exception crosses into the event loop.
void RunCommand(Desktop& desktop, const std::function<void()>& command);

} // namespace velmora
