#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

namespace ZAruri {

// A file written in one piece: what stands under the name stays whole until
// every byte of the new content has reached the file system. Written either
// at once (write()) or in parts (open(), append(), commit()); destroyed
// uncommitted, it leaves the old file as it was.
class WholeFile
{
public:
    explicit WholeFile(const QString& path);

    // Each returns false on failure, with the reason in errorString().
    bool open();
    bool append(const QByteArray& part);
    // Syncs the new content and puts it in place of the old file.
    bool commit();

    QString errorString() const;

    // Writes the content under path; why it failed, or an empty text.
    static QString write(const QString& path, const QByteArray& content);

private:
    bool fail(const QString& error);

    QSaveFile m_file;
    QString m_error;
};

} // namespace ZAruri
