#pragma once

#include <QWidget>

class QPushButton;
class QTextEdit;

namespace DORuverud {

// The text box of the annotation text tool: a text field over a row of
// Accept, Cancel, Increase and Decrease buttons. GUI thread only.
class NoteEditWidget : public QWidget
{
    Q_OBJECT

public:
    explicit NoteEditWidget(QWidget* parent);

    QTextEdit* textEdit() const;
    qreal fontPointSize() const;
    // The widget with its text field and the Accept and Cancel buttons.
    void hideAll();
    // As hideAll(), then the text field takes the focus.
    void showAll();

signals:
    void okClicked();
    void cancelClicked();

private slots:
    void slotIncrease();
    void slotDecrease();

private:
    QPushButton* createButton(const QString& objectName, const QString& toolTip);
    // Gives the whole text the current size plus step, never less than one point.
    void resizeText(qreal step);

    QTextEdit* m_textEdit;
    QPushButton* m_acceptButton;
    QPushButton* m_cancelButton;
};

} // namespace DORuverud
