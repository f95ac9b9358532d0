#pragma once

#include <QDialog>

class QPushButton;

namespace DORuverud {

class HelpViewArea;

// The introduction: a slide show with a button to never show it at start.
class HelpDialog : public QDialog
{
    Q_OBJECT

public:
    explicit HelpDialog(QWidget* parent = nullptr);

    void addSlide(const QString& path);
    // False once the user asked never to see it at start again.
    static bool isShowOnStartAvailable();

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private slots:
    void slotReject();
    void slotNeverShowItAgain();

private:
    QPushButton* m_neverShowButton;
    HelpViewArea* m_viewArea;
};

} // namespace DORuverud
