#pragma once

#include <QLabel>

namespace DORuverud {

// A translucent please-wait window: the text with a running animation over it.
class WaitLabel : public QLabel
{
    Q_OBJECT

public:
    explicit WaitLabel(const QString& text, QWidget* parent = nullptr);
};

} // namespace DORuverud
