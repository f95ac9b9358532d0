#pragma once

#include "TopWidget.h"

class QTextEdit;

namespace DORuverud {

// The license text with Agree (exec() returns 1) and Disagree (0).
class LicenseDialog : public TopWidget
{
    Q_OBJECT

public:
    explicit LicenseDialog(QWidget* parent = nullptr);
    ~LicenseDialog() override;

private:
    QTextEdit* m_textView;
};

} // namespace DORuverud
