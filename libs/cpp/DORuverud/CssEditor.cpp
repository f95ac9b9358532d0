#include "CssEditor.h"

#include "App.h"
#include "CssDoc.h"

#include <QCloseEvent>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QStatusBar>
#include <QToolBar>

namespace DORuverud {

CssEditor::CssEditor(QWidget* parent)
    : QMainWindow(parent)
{
    QMenu* fileMenu = menuBar()->addMenu(tr("&File"));
    QMenu* helpMenu = menuBar()->addMenu(tr("&Help"));
    m_doc = new CssDoc(nullptr);

    QAction* open = fileMenu->addAction(tr("&Open..."), m_doc, &CssDoc::slotLoad,
        QKeySequence(QStringLiteral("CTRL+O"), QKeySequence::NativeText));
    QAction* save = fileMenu->addAction(tr("&Save"), m_doc, &CssDoc::slotSave,
        QKeySequence(QStringLiteral("CTRL+S"), QKeySequence::NativeText));
    QAction* info = fileMenu->addAction(tr("&SetInfo"), this, &CssEditor::slotApplyToolTipsInfo,
        QKeySequence(QStringLiteral("CTRL+I"), QKeySequence::NativeText));
    QAction* apply = fileMenu->addAction(tr("&Apply"), this, &CssEditor::slotApply,
        QKeySequence(QStringLiteral("CTRL+A"), QKeySequence::NativeText));
    fileMenu->addAction(tr("S&ave As..."), m_doc, &CssDoc::slotSaveAs);
    fileMenu->addSeparator();
    helpMenu->addAction(tr("&About"), this, &CssEditor::slotAbout, QKeySequence(Qt::Key_F1));
    QAction* reset
        = helpMenu->addAction(tr("&Reset"), this, &CssEditor::slotReset, QKeySequence(Qt::Key_R));

    QToolBar* toolBar = new QToolBar(tr("Operations"), this);
    toolBar->addActions({open, save, apply, reset, info});
    addToolBar(Qt::TopToolBarArea, toolBar);

    setCentralWidget(m_doc);
    connect(m_doc, &CssDoc::changeWindowTitle, this, &CssEditor::slotChangeWindowTitle);
    statusBar()->showMessage(tr("Ready"), 2000);
}

void CssEditor::closeEvent(QCloseEvent* event)
{
    if (m_doc->maybeSave())
        event->accept();
    else
        event->ignore();
}

void CssEditor::slotApply()
{
    qApp->setStyleSheet(m_doc->toPlainText());
    m_doc->applyOwnPalette();
}

void CssEditor::slotAbout()
{
    QMessageBox::about(this, tr("About"), tr("CSS Style Editor"));
}

void CssEditor::slotReset()
{
    qApp->setStyleSheet(QString());
}

void CssEditor::slotChangeWindowTitle(QString str)
{
    setWindowTitle(str);
}

// Puts class and object name in front of the tool tip of every named
// widget of the application, except the text area and its insides.
void CssEditor::slotApplyToolTipsInfo()
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (QWidget* window : windows) {
        if (!window)
            continue;
        if (!window->objectName().isEmpty())
            applyToolTipInfo(window);
        const QList<QWidget*> children = window->findChildren<QWidget*>();
        for (QWidget* child : children) {
            if (child == m_doc || App::theApp()->isChildOf(child, m_doc)
                || child->objectName().isEmpty())
                continue;
            applyToolTipInfo(child);
        }
    }
}

void CssEditor::applyToolTipInfo(QWidget* widget)
{
    widget->setToolTip(QLatin1String(widget->metaObject()->className()) + QLatin1Char('\n')
        + widget->objectName() + QLatin1Char('\n') + widget->toolTip());
}

} // namespace DORuverud
