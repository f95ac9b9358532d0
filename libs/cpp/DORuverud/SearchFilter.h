#pragma once

#include <QLineEdit>

class QPushButton;

namespace DORuverud {

// A search line. Empty, it shows a magnifier at its right end and, without
// focus, the hint "Search:"; holding text, it shows a clear button. Escape
// clears it too.
class SearchFilter : public QLineEdit
{
    Q_OBJECT

public:
    explicit SearchFilter(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;

private slots:
    void slotTextChanged(QString text);
    void slotClearClicked();

private:
    QPushButton* m_pClearButton;
};

} // namespace DORuverud
