#pragma once

#include "Transposer.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>

// The Transposer's Favorites menu as a user drives it.
namespace FavoritesMenu {

using VADirur::Transposer;

inline QMenu* favoritesMenu(const Transposer& t)
{
    return t.findChild<QMenu*>("FavoritesMenu");
}

inline QAction* entry(const Transposer& t, const QString& text)
{
    for (QAction* a : favoritesMenu(t)->actions()) {
        if (a->text() == text)
            return a;
    }
    return nullptr;
}

// The favourite names of the menu, in menu order.
inline QStringList names(const Transposer& t)
{
    QStringList result;
    bool afterSeparator = false;
    for (const QAction* a : favoritesMenu(t)->actions()) {
        if (afterSeparator)
            result << a->text();
        afterSeparator = afterSeparator || a->isSeparator();
    }
    return result;
}

// Acts on the next modal dialog with that object name once it is shown;
// the watch ends with its owner.
inline void whenShown(QObject* owner, const QString& objectName, std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer(owner);
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, objectName, act] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal->objectName() != objectName || !modal->isVisible())
            return;
        timer->stop();
        timer->deleteLater();
        act(modal);
    });
    timer->start();
}

// The user chooses an entry of the Favorites menu.
inline void choose(Transposer& t, const QString& text)
{
    QAction* action = entry(t, text);
    QVERIFY2(action, qPrintable(text));
    action->trigger();
}

inline void click(QWidget* dialog, const QString& caption)
{
    for (QPushButton* b : dialog->findChildren<QPushButton*>()) {
        if (b->text() == caption) {
            QTest::mouseClick(b, Qt::LeftButton);
            return;
        }
    }
    QFAIL(qPrintable("no button " + caption));
}

// The user saves under a name; a warning, if one comes, is read and closed.
inline QString saveAs(Transposer& t, const QString& name, const QString& button = "Ok")
{
    QObject watches;
    QString warning;
    whenShown(&watches, "InputDialog", [&](QWidget* dialog) {
        dialog->findChild<QLineEdit*>()->setText(name);
        whenShown(&watches, "MessageBox", [&](QWidget* box) {
            for (const QLabel* label : box->findChildren<QLabel*>())
                warning += label->text();
            click(box, "Ok");
        });
        click(dialog, button);
    });
    choose(t, "&Save...");
    return warning;
}

// The user deletes a name, answering the question with "Yes" or "No".
// Returns the names the dialog listed, top first, and the selected one.
inline QStringList deleteNamed(Transposer& t, const QString& name, const QString& answer)
{
    QObject watches;
    QStringList listed;
    whenShown(&watches, "Dialog", [&](QWidget* dialog) {
        auto* list = dialog->findChild<QListWidget*>();
        for (int i = 0; i < list->count(); ++i)
            listed << list->item(i)->text();
        listed << "selected: " + (list->currentItem() ? list->currentItem()->text() : "");
        list->setCurrentItem(list->findItems(name, Qt::MatchExactly).value(0));
        whenShown(&watches, "MessageBox", [&](QWidget* box) { click(box, answer); });
        QTest::mouseClick(dialog->findChild<QPushButton*>("DeleteButton"), Qt::LeftButton);
    });
    choose(t, "&Delete...");
    return listed;
}

} // namespace FavoritesMenu
