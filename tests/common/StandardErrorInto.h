#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <unistd.h>

// This program's standard error goes into a file while it lives.
class StandardErrorInto
{
public:
    explicit StandardErrorInto(const QString& path)
        : m_file(path)
    {
        m_file.open(QIODevice::WriteOnly);
        ::dup2(m_file.handle(), STDERR_FILENO);
    }

    ~StandardErrorInto()
    {
        ::dup2(m_saved, STDERR_FILENO);
        ::close(m_saved);
    }

    StandardErrorInto(const StandardErrorInto&) = delete;
    StandardErrorInto& operator=(const StandardErrorInto&) = delete;

    QByteArray written() const
    {
        QFile file(m_file.fileName());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    const int m_saved = ::dup(STDERR_FILENO);
    QFile m_file;
};
