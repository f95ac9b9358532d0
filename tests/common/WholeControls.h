#pragma once

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QStringList>
#include <QStyle>
#include <QTabBar>
#include <QWidget>

// What keeps the controls of a shown widget tree from showing whole, one
// line each: a control with less room than its caption needs, a widget
// reaching outside its parent, and sibling widgets that overlap. An empty
// list means every control shows whole.
class WholeControls
{
public:
    static QStringList faults(const QWidget* top)
    {
        QStringList found;
        check(top, &found);
        return found;
    }

    // Shows the window at its minimum size grown by extra, once the layouts
    // have settled (a page may build its content when first shown), and
    // lists its faults. With TESSIVAR_SCREENSHOTS set, the window is saved
    // there as name.png.
    static QStringList faultsAtMinimumSize(QWidget* window, QSize extra, const QString& name)
    {
        window->show();
        for (int pass = 0; pass < 3; ++pass) {
            QCoreApplication::processEvents();
            window->resize(window->minimumSize() + extra);
        }
        QCoreApplication::processEvents();
        const QString folder = qEnvironmentVariable("TESSIVAR_SCREENSHOTS");
        if (!folder.isEmpty() && QDir().mkpath(folder))
            window->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
        QStringList found;
        if (window->size() != window->minimumSize() + extra)
            found << QStringLiteral("the window is %1 × %2, not its minimum and %3 × %4")
                         .arg(window->width())
                         .arg(window->height())
                         .arg(extra.width())
                         .arg(extra.height());
        return found + faults(window);
    }

private:
    static QList<const QWidget*> shownChildren(const QWidget* parent)
    {
        QList<const QWidget*> shown;
        for (const QObject* child : parent->children()) {
            const auto* widget = qobject_cast<const QWidget*>(child);
            if (widget && !widget->isWindow() && widget->isVisible())
                shown << widget;
        }
        return shown;
    }

    static void check(const QWidget* parent, QStringList* found)
    {
        const QList<const QWidget*> children = shownChildren(parent);
        for (int i = 0; i < children.size(); ++i) {
            const QWidget* child = children.at(i);
            if (!scrolls(parent) && !parent->rect().contains(child->geometry()))
                *found << nameOf(child) + QStringLiteral(" reaches outside ") + nameOf(parent);
            if (const QString room = roomFault(child); !room.isEmpty())
                *found << nameOf(child) + room;
            for (int j = i + 1; j < children.size(); ++j) {
                const QRect shared = child->geometry() & children.at(j)->geometry();
                if (!shared.isEmpty() && !sharesBorder(parent, shared))
                    *found << nameOf(child) + QStringLiteral(" overlaps ") + nameOf(children.at(j))
                            + QStringLiteral(" by %1 × %2")
                                  .arg(shared.width())
                                  .arg(shared.height());
            }
            check(child, found);
        }
    }

    // A tab bar lays its scroll buttons over each other by the style's overlap.
    static bool sharesBorder(const QWidget* parent, const QRect& shared)
    {
        if (!qobject_cast<const QTabBar*>(parent))
            return false;
        const int overlap
            = parent->style()->pixelMetric(QStyle::PM_TabBar_ScrollButtonOverlap, nullptr, parent);
        return qMin(shared.width(), shared.height()) <= overlap;
    }

    // The content a scroll area's viewport holds may reach beyond it.
    static bool scrolls(const QWidget* widget)
    {
        const auto* area = qobject_cast<const QAbstractScrollArea*>(widget->parentWidget());
        return area && area->viewport() == widget;
    }

    static bool hasCaption(const QWidget* widget)
    {
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            return !button->text().isEmpty();
        if (const auto* label = qobject_cast<const QLabel*>(widget))
            return !label->text().isEmpty();
        return qobject_cast<const QComboBox*>(widget)
            || qobject_cast<const QAbstractSpinBox*>(widget);
    }

    // A wrapped label needs its height at its width; every other caption its
    // minimum size hint.
    static QString roomFault(const QWidget* widget)
    {
        if (!hasCaption(widget))
            return QString();
        QSize needed = widget->minimumSizeHint();
        if (widget->hasHeightForWidth())
            needed.setHeight(widget->heightForWidth(widget->width()));
        if (widget->width() >= needed.width() && widget->height() >= needed.height())
            return QString();
        return QStringLiteral(" has %1 × %2 for a caption that needs %3 × %4")
            .arg(widget->width())
            .arg(widget->height())
            .arg(needed.width())
            .arg(needed.height());
    }

    static QString nameOf(const QWidget* widget)
    {
        QString name = QString::fromLatin1(widget->metaObject()->className());
        if (!widget->objectName().isEmpty())
            name += QLatin1Char('#') + widget->objectName();
        if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
            name += QStringLiteral(" \"%1\"").arg(button->text());
        else if (const auto* label = qobject_cast<const QLabel*>(widget))
            name += QStringLiteral(" \"%1\"").arg(label->text().left(30));
        return name;
    }
};
