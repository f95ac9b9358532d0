#include "FtpClient.h"

#include "Downloader.h"
#include "Trace.h"

#include <QDebug>

namespace QMRequest {

FtpClient::FtpClient(QObject* parent)
    : QObject(parent)
{
}

int FtpClient::connectToHost(const QString& host)
{
    Q_UNUSED(host)
    return 0;
}

int FtpClient::login(const QString& user, const QString& password)
{
    Q_UNUSED(user)
    Q_UNUSED(password)
    return 0;
}

int FtpClient::cd(const QString& dir)
{
    Q_UNUSED(dir)
    return 0;
}

int FtpClient::get(const QString& file, QIODevice* device)
{
    Q_UNUSED(file)
    Q_UNUSED(device)
    return 0;
}

int FtpClient::put(QIODevice* device, const QString& file)
{
    Q_UNUSED(device)
    Q_UNUSED(file)
    return 0;
}

int FtpClient::put(const QByteArray& data, const QString& file)
{
    Q_UNUSED(data)
    Q_UNUSED(file)
    return 0;
}

int FtpClient::close()
{
    return 0;
}

bool FtpClient::fetchData(const QString& file, QBuffer& buffer)
{
    Q_UNUSED(file)
    Q_UNUSED(buffer)
    return true;
}

bool FtpClient::fetchData(const QString& file, QFile* target)
{
    Q_UNUSED(file)
    Q_UNUSED(target)
    return true;
}

void FtpClient::slotReadProgress(qlonglong nDone, qlonglong nTotal)
{
    const int percent = Downloader::percentOf(nDone, nTotal);
    emit progress(int(nDone));
    emit progressPercent(percent);
    qCDebug(ZAruri::lcTrace) << "ProgressDone=" << nDone << "; ProgressTotal=" << nTotal << "; " << percent << "%";
}

void FtpClient::slotDone(bool ok)
{
    if (m_eventLoop.isRunning())
        m_eventLoop.exit(0);
    emit done(ok);
}

} // namespace QMRequest
