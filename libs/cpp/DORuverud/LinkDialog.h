#pragma once

#include <QDialog>

class QCheckBox;

namespace DORuverud {

// Offers the video introduction on the maker's web site and remembers a
// wish not to be asked again.
class LinkDialog : public QDialog
{
    Q_OBJECT

public:
    explicit LinkDialog(QWidget* parent = nullptr);
    ~LinkDialog() override;

public slots:
    void slotGoToLink();
    void slotReject();
    // Stored at once, also when the dialog is then rejected.
    void slotRememberToggled(bool checked);

private:
    QCheckBox* m_rememberCheckBox;
};

} // namespace DORuverud
