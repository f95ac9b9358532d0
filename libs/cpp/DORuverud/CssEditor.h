#pragma once

#include <QMainWindow>

namespace DORuverud {

class CssDoc;

// A window to type a style sheet, apply it to the running application,
// take it off, load and save it, and to show every named widget's class
// and object name as its tool tip.
class CssEditor : public QMainWindow
{
    Q_OBJECT

public:
    explicit CssEditor(QWidget* parent);

public slots:
    void slotApply();
    void slotAbout();
    void slotReset();
    void slotChangeWindowTitle(QString str);
    void slotApplyToolTipsInfo();

protected:
    // A changed text is asked for before the window closes.
    void closeEvent(QCloseEvent* event) override;

private:
    void applyToolTipInfo(QWidget* widget);

    CssDoc* m_doc;
};

} // namespace DORuverud
