#pragma once

#include <QString>

class QWidget;

namespace DORuverud {

// What a web view offers, whatever engine shows the pages.
class WebViewInterface
{
public:
    virtual ~WebViewInterface();

    // Shows the page at url; loading goes on in the background.
    virtual void load(const QString& url) = 0;
    // Shows the page at url translated from one language into another.
    virtual void loadTranslated(const QString& url, const QString& from, const QString& to) = 0;
    // A new web view of the same class, without a parent.
    virtual QWidget* cloneObj() = 0;

    // The translation service's address for url; the values are percent-encoded.
    static QString translationLink(const QString& url, const QString& from, const QString& to);
};

} // namespace DORuverud
