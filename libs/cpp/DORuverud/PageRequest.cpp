#include "PageRequest.h"

#include <QDataStream>

// The layout takes ":/path" for one of the program's own resources.
QUrl PageRequest::pictureUrl(const QString& name)
{
    return QUrl(name.startsWith(QLatin1String(":/")) ? QLatin1String("qrc") + name : name);
}

QByteArray PageRequest::toMessage() const
{
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << qint8(source) << fileName << font << qint32(tables);
    return message;
}

bool PageRequest::fromMessage(const QByteArray& message)
{
    QDataStream in(message);
    qint8 kind = 0;
    qint32 around = 0;
    in >> kind >> fileName >> font >> around;
    source = Source(kind);
    tables = around;
    return in.status() == QDataStream::Ok && in.atEnd() && kind >= qint8(Source::File)
        && kind <= qint8(Source::QtRichText) && around >= 0;
}
