#include "NativeWebView.h"

#include "NativeWebViewInternal.h"

#include <QVBoxLayout>

namespace DORuverud {

NativeWebView::NativeWebView(QWidget* parent)
    : QWidget(parent)
    , m_internalView(new NativeWebViewInternal(this))
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_internalView);
}

void NativeWebView::load(const QString& url)
{
    m_internalView->load(url);
}

void NativeWebView::loadTranslated(const QString& url, const QString& from, const QString& to)
{
    load(translationLink(url, from, to));
}

QWidget* NativeWebView::cloneObj()
{
    return new NativeWebView();
}

} // namespace DORuverud
