#pragma once
// What the benchmark programs read off the machine: clocks, the resident
// memory, and the moment a window's first frame has been painted.

#include <QObject>

#include <cstdint>
#include <functional>

class QWidget;

namespace bench {

// CLOCK_MONOTONIC, the same clock in every process of the machine.
std::int64_t monotonicNanos();
// CPU time of this process, user and system.
std::int64_t cpuNanos();
// VmRSS of this process.
long residentKiB();

// Calls painted() once, right after the first frame of the window that
// isTarget() accepts has been painted.
class FirstPaint : public QObject {
public:
    FirstPaint(std::function<bool(QWidget*)> isTarget, std::function<void()> painted);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<bool(QWidget*)> isTarget_;
    std::function<void()> painted_;
    bool seen_ = false;
};

// The line a start-up program prints for the driver: the clock at the first
// frame and the resident memory then.
void printStartUp();

}  // namespace bench
