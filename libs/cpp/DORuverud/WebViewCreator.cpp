#include "WebViewCreator.h"

#include "WebViewInterface.h"

#include <QWidget>

namespace DORuverud {

QWidget* WebViewCreator::sm_pWebView = nullptr;

void WebViewCreator::setWebView(QWidget* view)
{
    sm_pWebView = view;
}

QWidget* WebViewCreator::createWebView()
{
    auto* prototype = dynamic_cast<WebViewInterface*>(sm_pWebView);
    return prototype ? prototype->cloneObj() : nullptr;
}

} // namespace DORuverud
