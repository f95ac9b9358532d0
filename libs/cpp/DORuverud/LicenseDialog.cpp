#include "LicenseDialog.h"

#include "Common.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QPushButton>
#include <QTextEdit>

namespace DORuverud {

LicenseDialog::LicenseDialog(QWidget* parent)
    : TopWidget(true, parent)
{
    hideMaximize();
    hideMinimize();
    hideClose();
    setTitleLabel(QCoreApplication::applicationName() + QLatin1Char(' ') + tr("License Agreement"));

    auto* agree = new QPushButton(tr("&Agree"));
    auto* disagree = new QPushButton(tr("&Disagree"));
    Common::applyPushButtonDetails(agree);
    Common::applyPushButtonDetails(disagree);
    m_textView = new QTextEdit;
    m_textView->setReadOnly(true);
    m_textView->setStyleSheet(QStringLiteral("background:white; color:black"));

    connect(agree, &QPushButton::clicked, this, &LicenseDialog::accept);
    connect(disagree, &QPushButton::clicked, this, &LicenseDialog::reject);

    auto* buttonRow = new QHBoxLayout;
    buttonRow->setContentsMargins(2, 2, 2, 2);
    buttonRow->setSpacing(2);
    buttonRow->addStretch(1);
    buttonRow->addWidget(agree);
    buttonRow->addWidget(disagree);

    auto* body = new QVBoxLayout;
    body->setContentsMargins(6, 6, 6, 6);
    body->setSpacing(6);
    body->addWidget(m_textView);
    body->addLayout(buttonRow);
    topLayout()->addLayout(body);
}

LicenseDialog::~LicenseDialog() = default;

} // namespace DORuverud
