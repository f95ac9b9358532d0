#pragma once

#include <QEventLoop>
#include <QFrame>

class QAction;
class QMovie;
class QPushButton;
class QVBoxLayout;

namespace DORuverud {

class IconLabel;
class TitleLabel;

// A frameless top-level window with a title bar of its own and a modal
// exec() loop. Subclasses put their content into topLayout().
class TopWidget : public QFrame
{
    Q_OBJECT

public:
    // With the container option the content sits in a "TopOverWidget".
    explicit TopWidget(bool container = false, QWidget* parent = nullptr);
    ~TopWidget() override;

    QVBoxLayout* topLayout() const;
    void setTitleLabel(const QString& title);
    void setTitleHeight(int height);
    // Shown squeezed to 24 x 24.
    void setIcon(const QPixmap& icon);

    void hideClose();
    void hideMaximize();
    void hideMinimize();
    void showClose();
    void showMaximize();
    void showMinimize();

    // A shaped window that follows the title bar; offset in title-bar
    // coordinates. The widget form takes ownership; a movie stays the caller's.
    void setDecoration(QWidget* decoration, const QPoint& offset);
    void setDecoration(QMovie* movie, const QPoint& offset);
    void setDecoration(const QPixmap& pixmap, const QPoint& offset);

    // Runs application-modal until accept() (1) or reject() (0).
    int exec();

public slots:
    void accept();
    // Ends exec() with 0, or only hides a window shown without exec().
    void reject();

private:
    void createButtons();
    void createTitleBar();
    void createContent(bool container);

    QVBoxLayout* m_topLayout = nullptr;
    QPushButton* m_closeButton = nullptr;
    QPushButton* m_maximizeButton = nullptr;
    QPushButton* m_minimizeButton = nullptr;
    TitleLabel* m_titleLabel = nullptr;
    IconLabel* m_iconLabel = nullptr;
    QEventLoop m_eventLoop;
    QAction* m_escapeAction = nullptr;
};

} // namespace DORuverud
