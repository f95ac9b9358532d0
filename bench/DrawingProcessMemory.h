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

    // The processes this program started, and theirs in turn, that run the
    // helper: in its sandbox, a helper is a grandchild of the program.
    static QList<QByteArray> drawingProcesses()
    {
        QList<QByteArray> parents;
        for (const QString& task : QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs))
            parents << "self/task/" + task.toLatin1();
        QList<QByteArray> pids;
        for (int generation = 0; generation < 3 && !parents.isEmpty(); ++generation) {
            QList<QByteArray> children;
            for (const QByteArray& parent : qAsConst(parents))
                children << childrenOf(parent);
            for (const QByteArray& pid : qAsConst(children)) {
                QFile name("/proc/" + pid + "/comm");
                if (name.open(QIODevice::ReadOnly)
                    && name.readAll().trimmed() == DAvuroD::SvgClientPool::helperName)
                    pids << pid;
            }
            parents.clear();
            for (const QByteArray& pid : qAsConst(children))
                parents << pid + "/task/" + pid;
        }
        return pids;
    }

    // The children of a thread, named by its folder under /proc.
    static QList<QByteArray> childrenOf(const QByteArray& thread)
    {
        QFile children("/proc/" + thread + "/children");
        if (!children.open(QIODevice::ReadOnly))
            return {};
        QList<QByteArray> pids = children.readAll().simplified().split(' ');
        pids.removeAll(QByteArray());
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
