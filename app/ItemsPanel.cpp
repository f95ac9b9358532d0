#include "ItemsPanel.h"

#include <QButtonGroup>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

ItemsPanel::ItemsPanel(QWidget* parent)
    : QFrame(parent)
{
    setObjectName(QStringLiteral("ItemsPanel"));
    QPushButton* piano = new QPushButton;
    QPushButton* bass = new QPushButton;
    QPushButton* balalaika = new QPushButton;
    QPushButton* banjo = new QPushButton;
    QPushButton* guitar = new QPushButton;
    QPushButton* mandolin = new QPushButton;
    QPushButton* ukulele = new QPushButton;
    applyItemButtonProperties(piano, QStringLiteral("PianoItem"));
    applyItemButtonProperties(bass, QStringLiteral("BassItem"));
    applyItemButtonProperties(balalaika, QStringLiteral("BalalaikaItem"));
    applyItemButtonProperties(banjo, QStringLiteral("BanjoItem"));
    applyItemButtonProperties(guitar, QStringLiteral("GuitarItem"));
    applyItemButtonProperties(mandolin, QStringLiteral("MandolinItem"));
    applyItemButtonProperties(ukulele, QStringLiteral("UkuleleItem"));

    m_buttonGroup = new QButtonGroup(this);
    m_buttonGroup->setExclusive(true);
    for (QPushButton* button : {piano, bass, balalaika, banjo, guitar, mandolin, ukulele})
        m_buttonGroup->addButton(button);
    piano->setChecked(true);
    connect(m_buttonGroup, qOverload<QAbstractButton*>(&QButtonGroup::buttonClicked), this,
        &ItemsPanel::slotItemClicked);

    QVBoxLayout* layout = new QVBoxLayout;
    layout->setContentsMargins(10, 10, 10, 10);
    layout->setSpacing(3);
    const QList<QPair<QPushButton*, QString>> column = {{piano, tr("Piano")},
        {guitar, tr("Guitar")}, {bass, tr("Bass Guitar")}, {ukulele, tr("Ukulele")},
        {banjo, tr("Banjo")}, {mandolin, tr("Mandolin")}, {balalaika, tr("Balalaika")}};
    for (const auto& item : column) {
        layout->addWidget(item.first);
        layout->addWidget(applyItemLabelProperties(new QLabel(item.second)));
        layout->addStretch(1);
    }
    setLayout(layout);
}

void ItemsPanel::applyItemButtonProperties(QPushButton* button, const QString& name)
{
    button->setFlat(true);
    button->setFixedSize(64, 64);
    button->setObjectName(name);
    button->setCheckable(true);
}

QLabel* ItemsPanel::applyItemLabelProperties(QLabel* label)
{
    label->setObjectName(QStringLiteral("SimpleText"));
    label->setAlignment(Qt::AlignCenter);
    return label;
}

void ItemsPanel::slotItemClicked()
{
    if (QAbstractButton* button = m_buttonGroup->checkedButton())
        emit itemChanged(button->objectName());
}
