#pragma once

#include <QObject>

namespace DORuverud {

// Centres every widget it is installed on, in its parent (or on the
// desktop for a window), each time the widget is shown.
class CenterFilter : public QObject
{
    Q_OBJECT

public:
    explicit CenterFilter(QObject* parent = nullptr);

    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace DORuverud
