#pragma once

#include <QFrame>

class QHBoxLayout;

namespace DORuverud {

// A frame, "MobileSimulator" to the style sheet, that hosts a main widget.
class MobileSimulator : public QFrame
{
    Q_OBJECT

public:
    explicit MobileSimulator(QWidget* parent = nullptr);

    // Adds the widget to the right of those set before; the last one is the main widget.
    void setMainWidget(QWidget* widget);

private:
    QHBoxLayout* m_pLayout;
    QWidget* m_pMainWidget = nullptr;
};

} // namespace DORuverud
