#include "SettingsDialogReader.h"

#include <QXmlStreamReader>

QDomDocument SettingsDialogReader::read(const QByteArray& data, QString* error)
{
    *error = refusal(data);
    QDomDocument document;
    if (!error->isEmpty())
        return document;
    QXmlStreamReader reader(data);
    if (!document.setContent(&reader, false, error))
        return QDomDocument();
    return document;
}

QString SettingsDialogReader::refusal(const QByteArray& data)
{
    if (data.size() > maxFileSize)
        return tr("It is larger than %1 MiB.").arg(maxFileSize >> 20);
    QXmlStreamReader reader(data);
    int depth = 0;
    int elements = 0;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
            return tr("It declares a document type, which settings files never do.");
        case QXmlStreamReader::StartElement:
            if (++depth > maxDepth)
                return tr("Its elements nest more than %1 deep.").arg(maxDepth);
            if (++elements > maxElements)
                return tr("It holds more than %1 elements.").arg(maxElements);
            break;
        case QXmlStreamReader::EndElement:
            --depth;
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        return tr("It is not well-formed XML: %1 (line %2, column %3).")
            .arg(reader.errorString())
            .arg(reader.lineNumber())
            .arg(reader.columnNumber());
    return QString();
}
