#pragma once

#include "HelperChannel.h"
#include "HelperMessage.h"

#include <QFile>
#include <QString>

// What the probe helper tries to reach, outside its sandbox: the test's
// process and a word of its memory, a folder of its files, its listeners,
// its datagram socket, its System V segment, the terminal it controls, a
// file of its home folder and one of another folder; the file the host
// copies into the probe's stage for the task (toStage, as staged there);
// and what the probe does that outlasts its answer: "memory" it holds,
// or a thread that "spin"s. The test hands them to the host in a file.
struct ProbeTargets
{
    // Program to helper: the targets; helper to program: what came of each try.
    static constexpr char Ask = HelperChannel::firstJobKind;
    static constexpr char Answer = Ask + 1;

    qint64 pid = 0;
    quint64 canary = 0;
    QString folder;
    qint32 port = 0;
    QString socket;
    QString datagram;
    qint32 segment = 0;
    QString terminal;
    QString home;
    QString elsewhere;
    QString toStage;
    QString staged;
    QString after;

    QByteArray toMessage() const
    {
        return HelperMessage::of(pid, canary, folder, port, socket, datagram, segment, terminal,
            home, elsewhere, toStage, staged, after);
    }

    bool fromMessage(const QByteArray& message)
    {
        return HelperMessage::read(message, pid, canary, folder, port, socket, datagram, segment,
            terminal, home, elsewhere, toStage, staged, after);
    }

    bool write(const QString& path) const
    {
        QFile file(path);
        return file.open(QIODevice::WriteOnly) && file.write(toMessage()) > 0;
    }

    bool read(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) && fromMessage(file.readAll());
    }
};
