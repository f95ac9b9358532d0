#pragma once

#include <QDialog>

class QLabel;
class QMovie;
class QTimer;

namespace DORuverud {

// A translucent busy popup with an animation and a text. It closes itself
// ten seconds after it was last shown.
class UpdateIndicationDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UpdateIndicationDialog(QWidget* parent = nullptr);
    ~UpdateIndicationDialog() override;

    void setText(const QString& text);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

protected slots:
    void slotTimeOut();

private:
    QLabel* m_animationLabel;
    QLabel* m_textLabel;
    QMovie* m_movie;
    QTimer* m_timer;
};

} // namespace DORuverud
