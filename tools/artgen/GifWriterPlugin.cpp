#define QT_STATICPLUGIN
#include "GifWriterPlugin.h"

#include "GifStripHandler.h"

#include <QtPlugin>

QImageIOPlugin::Capabilities GifWriterPlugin::capabilities(
    QIODevice*, const QByteArray& format) const
{
    return format == "gif" ? CanWrite : Capabilities();
}

QImageIOHandler* GifWriterPlugin::create(QIODevice* device, const QByteArray& format) const
{
    auto* handler = new GifStripHandler;
    handler->setDevice(device);
    handler->setFormat(format);
    return handler;
}

Q_IMPORT_PLUGIN(GifWriterPlugin)

#include "moc_GifWriterPlugin.cpp"
