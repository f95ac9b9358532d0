#pragma once

#include <QFileDialog>

namespace DORuverud {

// Blocking helpers that ask for files. With a parent they show Qt's own
// dialog window-modally on it; without one they show the desktop's dialog
// application-modally. The selected filter is neither read nor written.
class FileDialog : public QFileDialog
{
    Q_OBJECT

public:
    FileDialog() = delete;

    // The chosen existing file, or empty on cancel.
    static QString getOpenFileName(QWidget* parent = nullptr, const QString& caption = QString(),
        const QString& dir = QString(), const QString& filter = QString(),
        QString* selectedFilter = nullptr, Options options = Options());
    // The chosen name to save under, or empty on cancel.
    static QString getSaveFileName(QWidget* parent = nullptr, const QString& caption = QString(),
        const QString& dir = QString(), const QString& filter = QString(),
        QString* selectedFilter = nullptr, Options options = Options());
    // Whether the file may be written under path when the dialog did not offer
    // that name (a suffix was added to the chosen one): asks before an
    // existing file is replaced.
    static bool mayReplace(QWidget* parent, const QString& path);
    // The chosen existing files in the dialog's order, or empty on cancel.
    static QStringList getOpenFileNames(QWidget* parent = nullptr,
        const QString& caption = QString(), const QString& dir = QString(),
        const QString& filter = QString(), QString* selectedFilter = nullptr,
        Options options = Options());

private:
    // Runs a window-modal dialog on parent; the chosen files, or none.
    static QStringList runSheet(QWidget* parent, const QString& caption, const QString& dir,
        const QString& filter, FileMode mode, AcceptMode acceptMode, Options options);
};

} // namespace DORuverud
