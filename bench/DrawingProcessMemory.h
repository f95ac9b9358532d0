#pragma once

#include "SvgClientPool.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

// The peak memory of this program's drawing processes while it lives,
// sampled every millisecond from another thread: a process killed at a
// limit takes its own peak with it.
class DrawingProcessMemory
{
public:
    DrawingProcessMemory()
        : m_sampler([this] { sample(); })
    {
    }

    ~DrawingProcessMemory()
    {
        m_done = true;
        m_sampler.join();
    }

    DrawingProcessMemory(const DrawingProcessMemory&) = delete;
    DrawingProcessMemory& operator=(const DrawingProcessMemory&) = delete;

    // The largest peak resident memory of one of them, in KiB: those
    // running now tell theirs, however short their drawing was.
    qint64 peakKiB() const
    {
        return std::max<qint64>(m_peakKiB, largestPeakKiB());
    }

    // The resident memory of each drawing process now, in KiB, added up.
    static qint64 residentKiB()
    {
        qint64 all = 0;
        for (const QByteArray& pid : drawingProcesses())
            all += statusKiB(pid, "VmRSS:");
        return all;
    }

private:
    void sample()
    {
        while (!m_done) {
            m_peakKiB = std::max<qint64>(m_peakKiB, largestPeakKiB());
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    static qint64 largestPeakKiB()
    {
        qint64 largest = 0;
        for (const QByteArray& pid : drawingProcesses())
            largest = std::max(largest, statusKiB(pid, "VmHWM:"));
        return largest;
    }

    // The children of every thread of this program that run the helper.
    static QList<QByteArray> drawingProcesses()
    {
        QList<QByteArray> pids;
        for (const QString& task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs)) {
            QFile children(QStringLiteral("/proc/self/task/%1/children").arg(task));
            if (!children.open(QIODevice::ReadOnly))
                continue;
            for (const QByteArray& pid : children.readAll().split(' ')) {
                QFile name("/proc/" + pid + "/comm");
                if (!pid.isEmpty() && name.open(QIODevice::ReadOnly)
                    && name.readAll().trimmed() == DAvuroD::SvgClientPool::helperName)
                    pids << pid;
            }
        }
        return pids;
    }

    static qint64 statusKiB(const QByteArray& pid, const char* field)
    {
        QFile status("/proc/" + pid + "/status");
        if (!status.open(QIODevice::ReadOnly))
            return 0;
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
            if (line.startsWith(field))
                return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
        }
        return 0;
    }

    std::atomic<bool> m_done {false};
    std::atomic<qint64> m_peakKiB {0};
    std::thread m_sampler;
};
