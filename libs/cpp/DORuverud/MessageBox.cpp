#include "MessageBox.h"

#include "App.h"
#include "Common.h"

#include <QApplication>
#include <QBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QStyle>

namespace DORuverud {

namespace {

enum Button {
    Ok = 0x400,
    Cancel = 0x400000,
    No = 0x10000,
    Yes = 0x4000,
    Abort = 0x40000,
    Retry = 0x80000,
    Ignore = 0x100000,
    YesAll = 0x8000,
    NoAll = 0x20000
};

} // namespace

MessageBox::MessageBox(
    Icon icon, const QString& title, const QString& text, int buttons, QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("MessageBox"));
    setWindowTitle(title);

    m_textLabel = new QLabel;
    m_textLabel->setWordWrap(true);
    // The user may copy what a box says, such as an address.
    m_textLabel->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::LinksAccessibleByMouse);
    m_textLabel->setText(text);
    m_iconLabel = new QLabel;
    const QPixmap pixmap = MessageBox::icon(icon);
    m_iconLabel->setFixedSize(pixmap.size());
    m_iconLabel->setPixmap(pixmap);

    QLayout* buttonRow = createButtonRow(buttons);

    auto* topRow = new QHBoxLayout;
    topRow->setContentsMargins(1, 1, 1, 1);
    topRow->setSpacing(1);
    topRow->addWidget(m_iconLabel);
    topRow->addWidget(m_textLabel);

    auto* outer = new QVBoxLayout;
    outer->setContentsMargins(5, 5, 5, 5);
    outer->setSpacing(5);
    outer->addLayout(topRow);
    outer->addLayout(buttonRow);
    setLayout(outer);
}

MessageBox::~MessageBox() = default;

QLayout* MessageBox::createButtonRow(int buttons)
{
    QBoxLayout* row = App::theApp()->isPocketDevice() ? static_cast<QBoxLayout*>(new QVBoxLayout)
                                                      : new QHBoxLayout;
    row->setContentsMargins(1, 1, 1, 1);
    row->setSpacing(3);
    row->addStretch(1);

    struct Entry
    {
        int bit;
        const char* caption;
        void (MessageBox::*slot)();
    };
    static const Entry table[] = {
        {Ok, QT_TR_NOOP("Ok"), &MessageBox::slotOk},
        {Cancel, QT_TR_NOOP("Cancel"), &MessageBox::slotCancel},
        {No, QT_TR_NOOP("No"), &MessageBox::slotNo},
        {Yes, QT_TR_NOOP("Yes"), &MessageBox::slotYes},
        {Abort, QT_TR_NOOP("Abort"), &MessageBox::slotAbort},
        {Retry, QT_TR_NOOP("Retry"), &MessageBox::slotRetry},
        {Ignore, QT_TR_NOOP("Ignore"), &MessageBox::slotIgnore},
        {YesAll, QT_TR_NOOP("YesAll"), &MessageBox::slotYesAll},
        {NoAll, QT_TR_NOOP("NoAll"), &MessageBox::slotNoAll},
    };
    for (const Entry& entry : table) {
        if (!(buttons & entry.bit))
            continue;
        auto* button = new QPushButton(tr(entry.caption));
        row->addWidget(button);
        connect(button, &QPushButton::clicked, this, entry.slot);
        Common::applyPushButtonDetails(button);
    }
    row->addStretch(1);
    return row;
}

QPixmap MessageBox::icon(Icon icon)
{
    QStyle::StandardPixmap which;
    switch (icon) {
    case Information:
        which = QStyle::SP_MessageBoxInformation;
        break;
    case Warning:
        which = QStyle::SP_MessageBoxWarning;
        break;
    case Critical:
        which = QStyle::SP_MessageBoxCritical;
        break;
    case Question:
        which = QStyle::SP_MessageBoxQuestion;
        break;
    default:
        return QPixmap();
    }
    return QApplication::style()->standardPixmap(which);
}

int MessageBox::run(
    Icon icon, QWidget* parent, const QString& title, const QString& text, int buttons)
{
    // Guarded: the parent may take the box with it while exec() runs.
    QPointer<MessageBox> box = new MessageBox(icon, title, text, buttons, parent);
    const int result = box->exec();
    delete box;
    return result;
}

int MessageBox::critical(
    QWidget* parent, const QString& title, const QString& text, int buttons, int)
{
    return run(Critical, parent, title, text, buttons);
}

int MessageBox::information(
    QWidget* parent, const QString& title, const QString& text, int buttons, int)
{
    return run(Information, parent, title, text, buttons);
}

int MessageBox::question(
    QWidget* parent, const QString& title, const QString& text, int buttons, int)
{
    return run(Question, parent, title, text, buttons);
}

int MessageBox::warning(
    QWidget* parent, const QString& title, const QString& text, int buttons, int)
{
    return run(Warning, parent, title, text, buttons);
}

void MessageBox::slotOk()
{
    done(Ok);
}

void MessageBox::slotCancel()
{
    done(Cancel);
}

void MessageBox::slotYes()
{
    done(Yes);
}

void MessageBox::slotNo()
{
    done(No);
}

void MessageBox::slotAbort()
{
    done(Abort);
}

void MessageBox::slotRetry()
{
    done(Retry);
}

void MessageBox::slotIgnore()
{
    done(Ignore);
}

void MessageBox::slotYesAll()
{
    done(YesAll);
}

void MessageBox::slotNoAll()
{
    done(NoAll);
}

} // namespace DORuverud
