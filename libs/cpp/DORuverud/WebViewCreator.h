#pragma once

class QWidget;

namespace DORuverud {

// Makes web views like a prototype, so that library code need not know
// their class. The prototype is not owned and must outlive its use.
class WebViewCreator
{
public:
    WebViewCreator() = delete;

    // Null clears the prototype.
    static void setWebView(QWidget* view);
    // A new parentless view like the prototype, or null when there is no
    // prototype or it is not a web view.
    static QWidget* createWebView();

private:
    static QWidget* sm_pWebView;
};

} // namespace DORuverud
