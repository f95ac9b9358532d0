#pragma once

#include "HelperChannel.h"
#include "HelperMessage.h"

#include <QString>

// What the probe helper tries to reach, outside its sandbox: the test's
// process and a word of its memory, a folder of its files, its listeners,
// its System V segment and the terminal it controls.
struct ProbeTargets
{
    // Program to helper: the targets; helper to program: what came of each try.
    static constexpr char Ask = HelperChannel::firstJobKind;
    static constexpr char Answer = Ask + 1;

    qint64 pid = 0;
    quint64 canary = 0;
    QString folder;
    int port = 0;
    QString socket;
    int segment = 0;
    QString terminal;

    QByteArray toMessage() const
    {
        return HelperMessage::of(
            pid, canary, folder, qint32(port), socket, qint32(segment), terminal);
    }

    bool fromMessage(const QByteArray& message)
    {
        qint32 readPort = 0;
        qint32 readSegment = 0;
        const bool read = HelperMessage::read(
            message, pid, canary, folder, readPort, socket, readSegment, terminal);
        port = readPort;
        segment = readSegment;
        return read;
    }
};
