#pragma once

#include "../common/TestFolder.h"
#include "PageTrial.h"
#include "TrialQueue.h"
#include "TrialWait.h"

#include <QFile>
#include <QProgressDialog>
#include <QWidget>
#include <QtTest>

// Helpers for the rich-text editor's tests, whose Open and rich pastes are
// trials that end after the call that began them.
namespace EditorTestTools {

// The trials of the editor in the widget.
inline TrialQueue* trialsOf(QWidget* editor)
{
    return editor->findChild<TrialQueue*>();
}

// Lets the window go on until the editor's trial, and what it held, ended:
// a trial keeps within its helper's limits, which a busy machine stretches
// to minutes at worst.
inline void settled(QWidget* editor)
{
    TrialQueue* trials = trialsOf(editor);
    QVERIFY(trials);
    QTRY_VERIFY_WITH_TIMEOUT(!trials->isTrying(), 300000);
}

// The editor's progress dialog, while it shows.
inline QProgressDialog* progressOf(QWidget* editor)
{
    QProgressDialog* dialog = trialsOf(editor)->wait()->dialog();
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

// The page helper is the fake one of that kind (fake-page-helper) while
// this lives, then the one beside the program.
class HelperInPlace
{
public:
    HelperInPlace(const TestFolder& folder, const QString& how)
    {
        const QString link = folder.path(how);
        QFile::link(QCoreApplication::applicationDirPath() + "/fake-page-helper", link);
        PageTrial::setHelper(link);
    }

    ~HelperInPlace()
    {
        PageTrial::setHelper(QCoreApplication::applicationDirPath() + '/' + PageTrial::helperName);
    }
};

} // namespace EditorTestTools
