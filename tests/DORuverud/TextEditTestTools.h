#pragma once

#include "TextEdit.h"

#include <QAction>
#include <QProcess>
#include <QTextEdit>
#include <QtTest>

// Helpers for driving the rich-text editor from a test.
namespace TextEditTestTools {

// The window's action of that menu text, or null.
inline QAction* action(QWidget* window, const QString& text)
{
    for (QAction* action : window->findChildren<QAction*>()) {
        if (action->text() == text)
            return action;
    }
    return nullptr;
}

inline QTextEdit* textArea(QWidget* window)
{
    return window->findChild<QTextEdit*>();
}

// What the program prints, or "<failed>".
inline QString output(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return QStringLiteral("<failed>");
    return QString::fromUtf8(process.readAllStandardOutput());
}

// The non-empty lines of text of a PDF file.
inline QStringList pdfLines(const QString& path)
{
    return output("pdftotext", {path, "-"})
        .remove(QLatin1Char('\f'))
        .split('\n', Qt::SkipEmptyParts);
}

} // namespace TextEditTestTools
