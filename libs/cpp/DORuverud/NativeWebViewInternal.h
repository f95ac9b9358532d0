#pragma once

#include <QWebEngineView>

namespace DORuverud {

// The browser view behind NativeWebView. It starts with its parent's size,
// so the parent must not be null.
class NativeWebViewInternal : public QWebEngineView
{
public:
    explicit NativeWebViewInternal(QWidget* parent);

    // Starts loading url; no result or error is reported.
    void load(const QString& url);
};

} // namespace DORuverud
