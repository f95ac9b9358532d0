#include "TrialWait.h"

#include <QProgressDialog>
#include <QShortcut>
#include <QWidget>

TrialWait::TrialWait(QWidget* editor, QWidget* viewport)
    : QObject(editor)
    , m_editor(editor)
    , m_viewport(viewport)
    , m_escape(new QShortcut(QKeySequence(Qt::Key_Escape), editor))
{
    m_escape->setContext(Qt::WidgetWithChildrenShortcut);
    m_escape->setAutoRepeat(false);
    m_escape->setEnabled(false);
    connect(m_escape, &QShortcut::activated, this, &TrialWait::cancelled);
    m_delay.setSingleShot(true);
    connect(&m_delay, &QTimer::timeout, this, &TrialWait::showDialog);
    m_lingering.setSingleShot(true);
    // Shown the least time it promises, not a coarse timer's early moment.
    m_lingering.setTimerType(Qt::PreciseTimer);
    connect(&m_lingering, &QTimer::timeout, this, [this] { delete m_dialog; });
}

TrialWait::~TrialWait()
{
    delete m_dialog;
}

void TrialWait::begin(const QString& label)
{
    m_label = label;
    m_waiting = true;
    m_escape->setEnabled(true);
    m_editor->setCursor(Qt::BusyCursor);
    m_viewport->setCursor(Qt::BusyCursor);
    // One closed while it lingered shows again only for a wait that lasts.
    if (m_dialog && !m_dialog->isVisible())
        delete m_dialog;
    if (!m_dialog) {
        m_delay.start(dialogDelayMs);
        return;
    }
    m_lingering.stop();
    m_dialog->setLabelText(label);
    offerCancel(true);
}

// A dialog shown less than its least time stays for the rest of it.
void TrialWait::end(bool cancelled)
{
    m_waiting = false;
    m_escape->setEnabled(false);
    m_delay.stop();
    m_editor->unsetCursor();
    m_viewport->setCursor(Qt::IBeamCursor);
    if (!m_dialog)
        return;
    const qint64 left = dialogLeastShownMs - m_shown.elapsed();
    if (cancelled || left <= 0) {
        delete m_dialog;
        return;
    }
    offerCancel(false);
    m_lingering.start(int(left));
}

QProgressDialog* TrialWait::dialog() const
{
    return m_dialog;
}

void TrialWait::showDialog()
{
    m_dialog = new QProgressDialog(m_label, QString(), 0, 0, m_editor->window());
    m_dialog->setWindowTitle(tr("Rich Text"));
    m_dialog->setWindowModality(Qt::NonModal);
    m_dialog->setAttribute(Qt::WA_ShowWithoutActivating);
    m_dialog->setWindowFlag(Qt::WindowDoesNotAcceptFocus);
    m_dialog->setAutoReset(false);
    m_dialog->setAutoClose(false);
    offerCancel(true);
    // Escape in the dialog rejects it, which cancels too.
    connect(m_dialog, &QProgressDialog::canceled, this, [this] {
        if (m_waiting)
            emit cancelled();
    });
    m_dialog->setMinimumDuration(0);
    m_dialog->show();
    m_shown.start();
}

void TrialWait::offerCancel(bool offered)
{
    m_dialog->setCancelButtonText(offered ? tr("Cancel") : QString());
}
