#include "FileDialog.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QMessageBox>
#include <QPointer>

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

bool FileDialog::mayReplace(QWidget* parent, const QString& path)
{
    if (!QFileInfo::exists(path))
        return true;
    return QMessageBox::question(parent, tr("Replace File"),
               tr("%1 already exists.\nDo you want to replace it?").arg(QFileInfo(path).fileName()),
               QMessageBox::Yes | QMessageBox::No, QMessageBox::No)
        == QMessageBox::Yes;
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
    // Guarded: the parent may take the dialog with it while it is open.
    QPointer<QFileDialog> dialog = new QFileDialog(parent, caption, dir, filter);
    dialog->setFileMode(mode);
    dialog->setAcceptMode(acceptMode);
    dialog->setOptions(options);
    QEventLoop loop;
    connect(dialog, &QDialog::finished, &loop, &QEventLoop::quit);
    connect(dialog, &QObject::destroyed, &loop, &QEventLoop::quit);
    dialog->open();
    loop.exec();
    if (!dialog)
        return QStringList();
    const QStringList files
        = dialog->result() == QDialog::Accepted ? dialog->selectedFiles() : QStringList();
    delete dialog;
    return files;
}

} // namespace DORuverud
