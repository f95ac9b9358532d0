#pragma once

#include <QByteArray>
#include <QEventLoop>
#include <QObject>

class QBuffer;
class QFile;
class QIODevice;

namespace QMRequest {

// An FTP client interface whose transfers have no effect in this program:
// every call returns at once.
class FtpClient : public QObject
{
    Q_OBJECT

public:
    explicit FtpClient(QObject* parent = nullptr);

    int connectToHost(const QString& host);
    int login(const QString& user, const QString& password);
    int cd(const QString& dir);
    int get(const QString& file, QIODevice* device);
    int put(QIODevice* device, const QString& file);
    int put(const QByteArray& data, const QString& file);
    int close();

public slots:
    virtual bool fetchData(const QString& file, QBuffer& buffer);
    virtual bool fetchData(const QString& file, QFile* target);

signals:
    void done(bool ok);
    void progress(int done);
    void progressPercent(int percent);

protected slots:
    void slotReadProgress(qlonglong nDone, qlonglong nTotal);
    void slotDone(bool ok);

private:
    QEventLoop m_eventLoop;
};

} // namespace QMRequest
