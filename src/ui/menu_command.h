#pragma once

#include <QAction>
#include <QMenu>

namespace velmora {

// A menu item named `name` (tests and the manual find items by name) that
// runs `handler` on `receiver` when chosen.
template <typename Receiver, typename Handler>
QAction* AddMenuCommand(QMenu* menu, const QString& name, const QString& caption,
                        const Receiver* receiver, Handler handler) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    QObject::connect(action, &QAction::triggered, receiver, handler);
    return action;
}

} // namespace velmora
