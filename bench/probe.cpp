#include "probe.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <cstdio>
#include <ctime>

namespace bench {

namespace {

std::int64_t nanos(clockid_t clock)
{
    timespec t{};
    clock_gettime(clock, &t);
    return std::int64_t{t.tv_sec} * 1'000'000'000 + t.tv_nsec;
}

}  // namespace

std::int64_t monotonicNanos() { return nanos(CLOCK_MONOTONIC); }
std::int64_t cpuNanos() { return nanos(CLOCK_PROCESS_CPUTIME_ID); }

long residentKiB()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    return -1;
}

FirstPaint::FirstPaint(std::function<bool(QWidget*)> isTarget, std::function<void()> painted)
    : isTarget_(std::move(isTarget)), painted_(std::move(painted))
{
    qApp->installEventFilter(this);
}

bool FirstPaint::eventFilter(QObject* watched, QEvent* event)
{
    if (!seen_ && event->type() == QEvent::Paint && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        if (isTarget_(widget->window())) {
            seen_ = true;
            // The rest of the frame is painted and flushed before the timer
            // runs.
            QTimer::singleShot(0, qApp, painted_);
        }
    }
    return false;
}

void printStartUp()
{
    const std::int64_t at = monotonicNanos();
    std::printf("painted_ns=%lld rss_kib=%ld\n", static_cast<long long>(at), residentKiB());
    std::fflush(stdout);
}

}  // namespace bench
