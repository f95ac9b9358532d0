#include "NativeWebViewInternal.h"

namespace DORuverud {

NativeWebViewInternal::NativeWebViewInternal(QWidget* parent)
    : QWebEngineView(parent)
{
    resize(parent->size());
}

void NativeWebViewInternal::load(const QString& url)
{
    QWebEngineView::load(QUrl(url));
}

} // namespace DORuverud
