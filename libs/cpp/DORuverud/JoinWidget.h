#pragma once

#include <QFrame>

class QPushButton;

namespace DORuverud {

// The join buttons under a short promise; each opens the maker's join
// page naming the program and the network.
class JoinWidget : public QFrame
{
    Q_OBJECT

public:
    explicit JoinWidget(QWidget* parent = nullptr);

    void applyButtonProperties(QPushButton* button, const QString& objectName);

private slots:
    void slotFaceBookClicked();
    void slotTwitterClicked();
    void slotVKontakteClicked();
    void slotEmailClicked();

private:
    static QString promiseText();
    void openJoinPage(const QString& network);

    QString m_joinPageTemplate;
};

} // namespace DORuverud
