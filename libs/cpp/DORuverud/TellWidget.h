#pragma once

#include <QFrame>

class QPushButton;

namespace DORuverud {

// The share buttons: one per configured network, and e-mail.
class TellWidget : public QFrame
{
    Q_OBJECT

public:
    explicit TellWidget(QWidget* parent = nullptr);

    void applyButtonProperties(QPushButton* button, const QString& objectName);

private slots:
    void slotFaceBookClicked();
    void slotTwitterClicked();
    void slotVKontakteClicked();
    void slotEmailClicked();
};

} // namespace DORuverud
