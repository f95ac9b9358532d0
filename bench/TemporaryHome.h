#pragma once

#include <QTemporaryDir>

// Points HOME at a folder of its own while it lives, so that what a benchmark's
// application object keeps (settings, folders) stays out of the user's home folder.
class TemporaryHome
{
public:
    TemporaryHome()
    {
        qputenv("HOME", m_folder.path().toLocal8Bit());
    }

    QString filePath(const QString& name) const
    {
        return m_folder.filePath(name);
    }

private:
    QTemporaryDir m_folder;
};
