#pragma once

#include <QByteArray>
#include <QDataStream>

// The data of a message between the program and a helper: values in Qt's
// data stream, read back as from a stranger.
class HelperMessage
{
public:
    template <typename... Values> static QByteArray of(const Values&... values)
    {
        QByteArray data;
        QDataStream out(&data, QIODevice::WriteOnly);
        (out << ... << values);
        return data;
    }

    // False unless the data holds exactly such values. A value whose reading
    // allocates by a count it reads (a list, a vector) is read apart, its
    // count checked first (HelperMessage::count()).
    template <typename... Values> static bool read(const QByteArray& data, Values&... values)
    {
        QDataStream in(data);
        (in >> ... >> values);
        return in.status() == QDataStream::Ok && in.atEnd();
    }

    // The count that begins a list in the data, or -1 past most.
    static qint64 count(const QByteArray& data, qint64 most);
};
