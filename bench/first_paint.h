#pragma once

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QObject>
#include <QTimer>

#include <cstdio>

// Ends the event loop once the first paint of the widget it watches is done
// (the whole window drawn, children too). The start-up probes run as whole
// processes; when VELMORA_PROBE_START_US holds the launcher's clock at the
// start (microseconds since the epoch), the time from there to the end of that
// paint is printed in milliseconds, leaving out the process's tear-down.
class FirstPaint final : public QObject {
public:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, qApp, [] {
                printSinceStart();
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static void printSinceStart() {
        bool given = false;
        const qint64 start = qEnvironmentVariable("VELMORA_PROBE_START_US").toLongLong(&given);
        if (given)
            std::printf("%lld\n",
                        static_cast<long long>(
                            (QDateTime::currentMSecsSinceEpoch() * 1000 - start) / 1000));
    }

    bool seen_ = false;
};
