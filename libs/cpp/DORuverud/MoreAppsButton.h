#pragma once

#include <QPushButton>

class QMenu;
class QSignalMapper;

namespace DORuverud {

// A button whose menu holds links that open in the browser.
class MoreAppsButton : public QPushButton
{
    Q_OBJECT

public:
    explicit MoreAppsButton(QWidget* parent);

    void addMenuAppLink(
        const QPixmap& icon, const QString& title, const QString& appName, const QString& appId);
    void addMenuLink(const QPixmap& icon, const QString& text, const QString& url);
    void addMenuAction(QAction* action);
    void addMenuSeparator();

private slots:
    void slotCallUrl(const QString& strUrl);

private:
    QMenu* m_pMenu;
    QSignalMapper* m_pMapper;
};

} // namespace DORuverud
