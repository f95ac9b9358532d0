#include "MobileSimulator.h"

#include <QHBoxLayout>

namespace DORuverud {

MobileSimulator::MobileSimulator(QWidget* parent)
    : QFrame(parent)
    , m_pLayout(new QHBoxLayout(this))
{
    setObjectName(QStringLiteral("MobileSimulator"));
    m_pLayout->setContentsMargins(5, 5, 5, 5);
    m_pLayout->setSpacing(3);
}

void MobileSimulator::setMainWidget(QWidget* widget)
{
    m_pMainWidget = widget;
    m_pLayout->addWidget(widget);
}

} // namespace DORuverud
