#pragma once

#include <QDialog>

class QCheckBox;
class QLabel;

namespace DORuverud {

// Tells the outcome of an update check, offers the updates page and holds
// the "check for updates on start" switch, stored as soon as it changes.
class UpdaterDialog : public QDialog
{
    Q_OBJECT

public:
    explicit UpdaterDialog(QWidget* parent = nullptr);
    ~UpdaterDialog() override;

    void setMessage(const QString& message);
    void setPic(const QPixmap& picture);

    // Resource names (after ":/") of the two pictures the dialog is given.
    static QString updateAvailablePicture();
    static QString updateNotAvailablePicture();

private slots:
    // Opens the updates page in the browser and closes.
    void slotUpdate();
    void slotCancel();
    void slotSetChecked(bool on);

private:
    QLayout* buttonRow();
    QLayout* checkRow();

    QCheckBox* m_checkBox;
    QLabel* m_messageLabel;
    QLabel* m_pictureLabel;
};

} // namespace DORuverud
