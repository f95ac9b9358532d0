#pragma once

#include <QPushButton>
#include <QString>

namespace DORuverud {

// A button whose menu shares the application and opens the pages the
// application set for five social networks. An address never set opens
// nothing.
class CommunityButton : public QPushButton
{
    Q_OBJECT

public:
    explicit CommunityButton(QWidget* parent = nullptr);

    void setFaceBook(const QString& address);
    void setYouTube(const QString& address);
    void setTwitter(const QString& address);
    void setXing(const QString& address);
    void setMoiMir(const QString& address);

private slots:
    void slotFaceBook();
    void slotYouTube();
    void slotTwitter();
    void slotXing();
    void slotMoiMir();

private:
    QString m_strFaceBook;
    QString m_strYouTube;
    QString m_strTwitter;
    QString m_strMoiMir;
    QString m_strXing;
};

} // namespace DORuverud
