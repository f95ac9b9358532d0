#pragma once

#include "WebViewInterface.h"

#include <QWidget>

namespace DORuverud {

class NativeWebViewInternal;

// A widget that shows a web page and fills itself with it.
class NativeWebView : public QWidget, public WebViewInterface
{
public:
    explicit NativeWebView(QWidget* parent = nullptr);

    void load(const QString& url) override;
    void loadTranslated(const QString& url, const QString& from, const QString& to) override;
    QWidget* cloneObj() override;

private:
    NativeWebViewInternal* m_internalView;
};

} // namespace DORuverud
