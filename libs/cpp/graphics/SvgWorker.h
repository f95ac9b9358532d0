#pragma once

#include "SvgChannel.h"

#include <QElapsedTimer>
#include <QImage>
#include <QString>

#include <atomic>
#include <ctime>
#include <memory>
#include <sys/types.h>

namespace DAvuroD {

struct SvgRequest;

// A drawing process of the program, running the helper that draws SVGs
// (SvgDrawer), and the limits it draws within, watched from here: its CPU
// time, the time it takes, and its resident memory. Past a limit, or when
// it ends unasked, Qt's own crashes included, the process is killed and the
// drawing is refused with the reason; the next drawing starts a new one, as
// it does when the process ended while idle or grew by more than its margin.
// The process inherits only its channel and ends with the program. One
// thread at a time may draw with it.
class SvgWorker
{
public:
    static constexpr qint64 cpuLimitMs = 2000;
    // For reads that block, which take no CPU time.
    static constexpr qint64 wallLimitMs = 5000;
    // Besides its canvas, over what the process held before the drawing.
    static constexpr qint64 memoryMargin = qint64(256) << 20;

    struct Result
    {
        // Null when refused.
        QImage image;
        // Why it is refused; empty where the drawing has no size.
        QString refusal;
        // Whether it is refused for its canvas's pixels.
        bool beyondPixels = false;
        // Whether it is refused for the time allowed, which msLeft cut short.
        bool outOfTime = false;
    };

    explicit SvgWorker(const QString& helper);
    // Kills the process.
    ~SvgWorker();
    SvgWorker(const SvgWorker&) = delete;
    SvgWorker& operator=(const SvgWorker&) = delete;

    QString helper() const;
    // Draws the request within the limits, cut to msLeft of time; starts
    // the process first where it is not running.
    Result draw(const SvgRequest& request, qint64 msLeft);
    // Stops the drawing under way, and those after, from another thread.
    void abandon();

private:
    enum class Outcome { Message, Ended, Cpu, Wall, Memory, Abandoned };

    struct Limits
    {
        qint64 cpuNs;
        qint64 wallMs;
        qint64 residentBytes;
    };

    bool isReady(qint64 resident) const;
    bool isEnding() const;
    void start();
    Outcome next(SvgChannel::Message& message, const Limits& limits);
    Result answer(Limits limits, qint64 residentBefore, bool shortened);
    Result stopped(Outcome outcome, const Limits& limits, qint64 residentBefore, bool shortened);
    QString endedWhy();
    void kill();
    void startClocks();
    qint64 cpuNs() const;
    qint64 residentBytes() const;

    const QString m_helper;
    pid_t m_pid = -1;
    std::unique_ptr<SvgChannel> m_channel;
    clockid_t m_cpuClock {};
    int m_statm = -1;
    int m_stat = -1;
    qint64 m_cpuAtStart = 0;
    QElapsedTimer m_clock;
    qint64 m_residentAtStart = 0;
    QString m_startRefusal;
    std::atomic<bool> m_abandoned {false};
};

} // namespace DAvuroD
