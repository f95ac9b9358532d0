#include "FavoritesDeleteDlg.h"

#include "App.h"

#include <QBoxLayout>
#include <QListWidget>
#include <QPushButton>

namespace VADirur {

namespace {

QPushButton* createButton(const QString& text, const QString& objectName)
{
    auto* button = new QPushButton(text);
    button->setFlat(true);
    button->setObjectName(objectName);
    button->setFixedHeight(32);
    return button;
}

} // namespace

FavoritesDeleteDlg::FavoritesDeleteDlg(QWidget* parent)
    : QDialog(parent)
    , m_listWidget(new QListWidget)
    , m_cancelButton(createButton(tr("&Cancel"), QStringLiteral("PushButton")))
{
    setWindowTitle(tr("Delete the chords"));
    setObjectName(QStringLiteral("Dialog"));
    setMinimumSize(400, 300);

    m_listWidget->setAttribute(Qt::WA_MacShowFocusRect, false);
    m_listWidget->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(m_cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    QPushButton* deleteButton = createButton(tr("&Delete"), QStringLiteral("DeleteButton"));
    connect(deleteButton, &QPushButton::clicked, this, &QDialog::accept);

    const DORuverud::App* app = DORuverud::App::theApp();
    QBoxLayout* buttons = app && app->isPocketDevice() ? static_cast<QBoxLayout*>(new QVBoxLayout)
                                                       : new QHBoxLayout;
    buttons->addWidget(deleteButton);
    buttons->addWidget(m_cancelButton);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_listWidget);
    layout->addLayout(buttons);
}

QString FavoritesDeleteDlg::item() const
{
    const QListWidgetItem* current = m_listWidget->currentItem();
    return current ? current->text() : QString();
}

void FavoritesDeleteDlg::addItem(const QString& text)
{
    m_listWidget->insertItem(0, text);
}

// Every item goes, whatever its text (a "*" wildcard search would miss
// names with a "/").
void FavoritesDeleteDlg::clearItems()
{
    m_listWidget->clear();
}

void FavoritesDeleteDlg::showEvent(QShowEvent* event)
{
    if (m_listWidget->count() > 0)
        m_listWidget->setCurrentRow(0);
    m_cancelButton->setFocus(Qt::OtherFocusReason);
    QDialog::showEvent(event);
}

} // namespace VADirur
