#include "WebViewInterface.h"

#include "AppConfig.h"

#include <QUrl>

namespace DORuverud {

WebViewInterface::~WebViewInterface() = default;

QString WebViewInterface::translationLink(
    const QString& url, const QString& from, const QString& to)
{
    const auto encoded
        = [](const QString& value) { return QString::fromLatin1(QUrl::toPercentEncoding(value)); };
    return QStringLiteral("http://") + AppConfig::translationHost()
        + QStringLiteral("/translate?hl=") + encoded(to) + QStringLiteral("&u=") + encoded(url)
        + QStringLiteral("&sl=") + encoded(from) + QStringLiteral("&tl=") + encoded(to);
}

} // namespace DORuverud
