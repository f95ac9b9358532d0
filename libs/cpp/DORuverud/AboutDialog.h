#pragma once

#include <QDialog>

class QLabel;

namespace DORuverud {

// The About box: logo, name, build date, notice of rights and web link.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    explicit AboutDialog(QWidget* parent = nullptr);

private:
    static QString aboutText();

    QLabel* m_logoLabel;
};

} // namespace DORuverud
