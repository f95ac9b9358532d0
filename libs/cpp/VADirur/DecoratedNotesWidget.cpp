#include "DecoratedNotesWidget.h"

#include "NotesWidget.h"

#include <QVBoxLayout>

namespace VADirur {

DecoratedNotesWidget::DecoratedNotesWidget(QWidget* parent)
    : QFrame(parent)
{
    setMinimumSize(400, 300);
    setObjectName(QStringLiteral("DecoratedNotesWidget"));
    m_pNotesWidget = new NotesWidget(nullptr);
    connect(m_pNotesWidget, &NotesWidget::noteChanged, this, &DecoratedNotesWidget::noteChanged);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(15, 15, 15, 15);
    layout->setSpacing(15);
    layout->addWidget(m_pNotesWidget);
}

NotesWidget* DecoratedNotesWidget::notesWidget() const
{
    return m_pNotesWidget;
}

void DecoratedNotesWidget::slotShowNote(const QString& name, int accidental)
{
    m_pNotesWidget->slotShowNote(name, accidental);
}

} // namespace VADirur
