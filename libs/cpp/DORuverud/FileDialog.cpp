#include "FileDialog.h"

#include <QEventLoop>

namespace DORuverud {

QString FileDialog::getOpenFileName(QWidget* parent, const QString& caption, const QString& dir,
    const QString& filter, QString* selectedFilter, Options options)
{
    Q_UNUSED(selectedFilter)
    if (!parent)
        return QFileDialog::getOpenFileName(nullptr, caption, dir, filter, nullptr, options);
    return runSheet(parent, caption, dir, filter, ExistingFile, AcceptOpen, options).value(0);
}

QString FileDialog::getSaveFileName(QWidget* parent, const QString& caption, const QString& dir,
    const QString& filter, QString* selectedFilter, Options options)
{
    Q_UNUSED(selectedFilter)
    if (!parent)
        return QFileDialog::getSaveFileName(nullptr, caption, dir, filter, nullptr, options);
    return runSheet(parent, caption, dir, filter, AnyFile, AcceptSave, options).value(0);
}

QStringList FileDialog::getOpenFileNames(QWidget* parent, const QString& caption,
    const QString& dir, const QString& filter, QString* selectedFilter, Options options)
{
    Q_UNUSED(selectedFilter)
    if (!parent)
        return QFileDialog::getOpenFileNames(nullptr, caption, dir, filter, nullptr, options);
    return runSheet(parent, caption, dir, filter, ExistingFiles, AcceptOpen, options);
}

QStringList FileDialog::runSheet(QWidget* parent, const QString& caption, const QString& dir,
    const QString& filter, FileMode mode, AcceptMode acceptMode, Options options)
{
    QFileDialog dialog(parent, caption, dir, filter);
    dialog.setFileMode(mode);
    dialog.setAcceptMode(acceptMode);
    dialog.setOptions(options);
    QEventLoop loop;
    connect(&dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    dialog.open();
    loop.exec();
    return dialog.result() == QDialog::Accepted ? dialog.selectedFiles() : QStringList();
}

} // namespace DORuverud
