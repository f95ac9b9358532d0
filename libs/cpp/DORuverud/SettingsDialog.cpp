#include "SettingsDialog.h"

#include "App.h"
#include "Common.h"
#include "FileDialog.h"
#include "SettingsDialogReader.h"
#include "SettingsDialogWriter.h"
#include "SettingsWidget.h"
#include "WholeFile.h"

#include <QBoxLayout>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>
#include <QTabWidget>

namespace DORuverud {

namespace {

const QString fileExtension = QStringLiteral(".tqsettings");

} // namespace

QMap<QString, QWidget*> SettingsDialog::m_mapWidgets;
QVector<QString> SettingsDialog::m_vecTabOrder;

SettingsDialog::SettingsDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(QCoreApplication::applicationName() + tr(" Settings"));
}

SettingsDialog::~SettingsDialog()
{
    if (!m_tabWidget)
        return;
    while (m_tabWidget->count()) {
        QWidget* page = m_tabWidget->widget(0);
        m_tabWidget->removeTab(0);
        page->setParent(nullptr);
    }
}

void SettingsDialog::addWidget(const QString& title, QWidget* page)
{
    m_mapWidgets.insert(title, page);
    if (!m_vecTabOrder.contains(title))
        m_vecTabOrder.append(title);
}

void SettingsDialog::showEvent(QShowEvent* event)
{
    if (!m_guiBuilt) {
        createGui();
        m_guiBuilt = true;
    }
    QDialog::showEvent(event);
}

void SettingsDialog::createGui()
{
    m_tabWidget = new QTabWidget;
    for (const QString& title : qAsConst(m_vecTabOrder))
        m_tabWidget->addTab(m_mapWidgets.value(title), title);

    auto* layout = new QVBoxLayout;
    layout->setContentsMargins(7, 7, 7, 7);
    layout->setSpacing(4);
    layout->addLayout(createTopRow());
    layout->addWidget(m_tabWidget);
    layout->addLayout(createBottomRow());
    setLayout(layout);
}

QLayout* SettingsDialog::createTopRow()
{
    auto* save = new QPushButton;
    auto* load = new QPushButton;
    Common::extend(save, QStringLiteral("StorageBrowserSS"), tr("Save the Settings"));
    Common::extend(load, QStringLiteral("StorageBrowserLS"), tr("Load the Settings"));
    Common::applyToolButtonDetails(save);
    Common::applyToolButtonDetails(load);
    connect(save, &QPushButton::clicked, this, &SettingsDialog::slotSaveSettings);
    connect(load, &QPushButton::clicked, this, &SettingsDialog::slotLoadSettings);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addWidget(save);
    row->addWidget(load);
    row->addStretch(1);
    return row;
}

QLayout* SettingsDialog::createBottomRow()
{
    auto* ok = new QPushButton(tr("&Ok"));
    auto* apply = new QPushButton(tr("&Apply"));
    auto* cancel = new QPushButton(tr("&Cancel"));
    for (QPushButton* button : {ok, apply, cancel})
        Common::applyPushButtonDetails(button);
    connect(apply, &QPushButton::clicked, this, &SettingsDialog::slotApply);
    connect(ok, &QPushButton::clicked, this, &SettingsDialog::slotOk);
    connect(cancel, &QPushButton::clicked, this, &SettingsDialog::reject);

    auto* row = new QHBoxLayout;
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    row->addStretch(1);
    row->addWidget(ok);
    row->addWidget(apply);
    row->addWidget(cancel);
    return row;
}

QList<SettingsWidget*> SettingsDialog::settingsPages()
{
    QList<SettingsWidget*> pages;
    for (QWidget* page : qAsConst(m_mapWidgets)) {
        if (auto* settingsPage = qobject_cast<SettingsWidget*>(page))
            pages << settingsPage;
    }
    return pages;
}

void SettingsDialog::slotApply()
{
    for (SettingsWidget* page : settingsPages())
        page->slotApply();
}

void SettingsDialog::slotOk()
{
    slotApply();
    accept();
}

void SettingsDialog::slotSaveSettings()
{
    App* app = App::theApp();
    const QString chosen = FileDialog::getSaveFileName(this, tr("Save Settings"),
        app->saveDirPath() + QStringLiteral("/Settings") + fileExtension,
        QStringLiteral("*") + fileExtension);
    if (chosen.isEmpty())
        return;
    QDomDocument document(QString {});
    QDomElement root = document.createElement(QStringLiteral("Settings"));
    document.appendChild(root);
    // The tab of each page, for a message about its settings.
    QStringList titles;
    for (SettingsWidget* page : settingsPages()) {
        root.appendChild(page->writeDom(document));
        titles << m_mapWidgets.key(page);
    }

    const QString path = chosen.endsWith(fileExtension) ? chosen : chosen + fileExtension;
    if (path != chosen && !FileDialog::mayReplace(this, path))
        return;
    // The old file stays whole until the new one is complete, and is kept when
    // the new one would not read back.
    QString error;
    const QByteArray bytes = SettingsDialogWriter::write(document, titles, &error);
    if (error.isEmpty())
        error = ZAruri::WholeFile::write(path, bytes);
    if (!error.isEmpty())
        QMessageBox::warning(this, tr("Save Settings"),
            tr("%1 was not saved.").arg(QFileInfo(path).fileName()) + '\n' + error);
    app->setSaveDirPath(chosen);
}

void SettingsDialog::slotLoadSettings()
{
    App* app = App::theApp();
    const QString chosen = FileDialog::getOpenFileName(this, tr("Load Settings"),
        app->openDirPath() + QStringLiteral("/ "), QStringLiteral("*") + fileExtension);
    if (chosen.isEmpty())
        return;
    app->setOpenDirPath(chosen);
    QFile file(chosen);
    // A pipe or a device would keep the dialog waiting for its end.
    QString error = !QFileInfo(chosen).isFile() ? tr("It is not a regular file.")
        : !file.open(QIODevice::ReadOnly)       ? file.errorString()
                                                : QString();
    QDomDocument document;
    if (error.isEmpty())
        document
            = SettingsDialogReader::read(file.read(SettingsDialogReader::maxFileSize + 1), &error);
    if (error.isEmpty())
        processDomRoot(document.documentElement());
    else
        QMessageBox::warning(this, tr("Load Settings"),
            tr("%1 was not loaded.").arg(QFileInfo(chosen).fileName()) + '\n' + error);
}

void SettingsDialog::processDomRoot(const QDomNode& root)
{
    const QList<SettingsWidget*> pages = settingsPages();
    for (QDomNode node = root.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (!node.isElement())
            continue;
        const QString tag = node.toElement().tagName();
        for (SettingsWidget* page : pages) {
            if (page->domTagName() == tag)
                page->readDom(node);
        }
    }
}

} // namespace DORuverud
