#pragma once

#include <QCoreApplication>
#include <QFile>
#include <QImageReader>
#include <QMap>
#include <QProcess>
#include <QTemporaryFile>

#include <cstdio>

// Qt's own image reader in this process, beside which the benchmarks put
// PictureReader, and the files it cannot read there.
namespace QtSvgReader {

// What a drawing is fitted into.
const QSize bound(256, 256);
// The longest Qt's reader may take over one file where it is tried apart.
constexpr int mostMs = 30000;
// Set in the environment of the program started to try Qt's reader apart.
constexpr char tryVariable[] = "BENCH_TRY_QT_READER";

// The drawing as QImageReader reads it, at its own size or at the largest
// that fits into the bound, as PictureReader draws it.
inline QImage read(const QString& path, bool fit)
{
    QImageReader reader(path);
    const QSize size = reader.size();
    if (fit && size.isValid())
        reader.setScaledSize(size.scaled(bound, Qt::KeepAspectRatio).expandedTo(QSize(1, 1)));
    return reader.read().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

// Follows a program trying the files until it is done (an empty text), or
// stops at the one it tried last, and why.
inline QString followed(QProcess& trying, int& last)
{
    for (;;) {
        const bool answered = trying.waitForReadyRead(mostMs);
        while (trying.canReadLine()) {
            const QByteArray line = trying.readLine().trimmed();
            if (line == "done") {
                trying.waitForFinished();
                return QString();
            }
            last = line.toInt();
        }
        if (trying.state() == QProcess::NotRunning)
            return trying.exitStatus() == QProcess::CrashExit ? "Qt's reader crashed on it"
                                                              : "Qt's reader ended the program";
        if (!answered) {
            trying.kill();
            trying.waitForFinished();
            return QString("Qt's reader took more than %1 s").arg(mostMs / 1000);
        }
    }
}

// The files Qt's reader crashes on or does not finish, and why, found by
// reading each in a program started for it and started again after one.
inline QMap<QString, QString> unreadable(const QStringList& paths)
{
    QTemporaryFile list;
    list.open();
    for (const QString& path : paths)
        list.write(QFile::encodeName(path) + '\0');
    list.flush();
    QMap<QString, QString> found;
    for (int from = 0; from < paths.size();) {
        QProcess trying;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(tryVariable, list.fileName());
        trying.setProcessEnvironment(environment);
        trying.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        trying.start(QCoreApplication::applicationFilePath(), {QString::number(from)});
        int last = from;
        const QString why = followed(trying, last);
        if (why.isEmpty())
            break;
        found[paths.at(last)] = why;
        from = last + 1;
    }
    return found;
}

// In the program started to try them: reads the listed files from the one
// the argument gives on, telling each before it reads it.
inline int tryEach()
{
    QFile list(qEnvironmentVariable(tryVariable));
    if (!list.open(QIODevice::ReadOnly))
        return 1;
    QList<QByteArray> paths = list.readAll().split('\0');
    paths.removeLast();
    for (int i = QCoreApplication::arguments().value(1).toInt(); i < paths.size(); ++i) {
        std::printf("%d\n", i);
        std::fflush(stdout);
        read(QFile::decodeName(paths.at(i)), false);
        read(QFile::decodeName(paths.at(i)), true);
    }
    std::printf("done\n");
    return 0;
}

} // namespace QtSvgReader
