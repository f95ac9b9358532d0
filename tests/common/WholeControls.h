#pragma once

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QPropertyAnimation>
#include <QPushButton>
#include <QSet>
#include <QStringList>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QWidget>

#include <algorithm>

// What keeps the controls of a shown widget tree from showing whole, one
// line each: a control with less room than its caption needs, a widget
// reaching outside its parent, and sibling widgets that overlap. An empty
// list means every control shows whole. A part that an animation moves (a
// switch's handle) slides over the other parts of its track by design, and
// they may tuck their ends under it: it must stay inside the track, but the
// track's parts are not measured against each other.
class WholeControls
{
public:
    static QStringList faults(const QWidget* top)
    {
        QStringList found;
        check(top, movingParts(top), &found);
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

    static QSet<const QWidget*> movingParts(const QWidget* top)
    {
        QSet<const QWidget*> found;
        for (const QPropertyAnimation* animation : top->findChildren<QPropertyAnimation*>()) {
            const auto* part = qobject_cast<const QWidget*>(animation->targetObject());
            const QByteArray property = animation->propertyName();
            if (part && (property == "pos" || property == "geometry"))
                found << part;
        }
        return found;
    }

    static void check(const QWidget* parent, const QSet<const QWidget*>& moving, QStringList* found)
    {
        const QList<const QWidget*> children = shownChildren(parent);
        const bool track = std::any_of(children.begin(), children.end(),
            [&moving](const QWidget* child) { return moving.contains(child); });
        for (int i = 0; i < children.size(); ++i) {
            const QWidget* child = children.at(i);
            const bool tucks = track && !moving.contains(child);
            if (!tucks && !scrolls(parent) && !parent->rect().contains(child->geometry()))
                *found << nameOf(child) + QStringLiteral(" reaches outside ") + nameOf(parent);
            if (const QString room = roomFault(child); !room.isEmpty())
                *found << nameOf(child) + room;
            for (int j = i + 1; j < children.size() && !track; ++j) {
                const QRect shared = child->geometry() & children.at(j)->geometry();
                if (!shared.isEmpty() && !sharesBorder(parent, shared))
                    *found << nameOf(child) + QStringLiteral(" overlaps ") + nameOf(children.at(j))
                            + QStringLiteral(" by %1 × %2")
                                  .arg(shared.width())
                                  .arg(shared.height());
            }
            check(child, moving, found);
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

    // A wrapped label needs its height at its width, a push button room for
    // its label inside its frame, every other caption its minimum size hint.
    static QString roomFault(const QWidget* widget)
    {
        if (!hasCaption(widget))
            return QString();
        QSize needed = widget->minimumSizeHint();
        if (const auto* button = qobject_cast<const QPushButton*>(widget))
            needed = pushButtonNeeds(button);
        else if (widget->hasHeightForWidth())
            needed.setHeight(widget->heightForWidth(widget->width()));
        if (widget->width() >= needed.width() && widget->height() >= needed.height())
            return QString();
        return QStringLiteral(" has %1 × %2 for a caption that needs %3 × %4")
            .arg(widget->width())
            .arg(widget->height())
            .arg(needed.width())
            .arg(needed.height());
    }

    // The button's size grown by what its label (icon, text and menu arrow,
    // as the button lays them out) lacks inside the style's contents
    // rectangle. Its size hint asks for more: a margin around the label, and
    // in some styles a least width for any button with text.
    static QSize pushButtonNeeds(const QPushButton* button)
    {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = button->text();
        option.icon = button->icon();
        option.iconSize = button->iconSize();
        if (button->isFlat())
            option.features |= QStyleOptionButton::Flat;
        if (button->menu())
            option.features |= QStyleOptionButton::HasMenu;
        if (button->autoDefault())
            option.features |= QStyleOptionButton::AutoDefaultButton;
        if (button->isDefault())
            option.features |= QStyleOptionButton::DefaultButton;
        const QStyle* style = button->style();
        QSize label = option.fontMetrics.size(Qt::TextShowMnemonic, option.text);
        if (!option.icon.isNull()) {
            // The button puts 4 pixels between icon and text.
            label.rwidth() += option.iconSize.width() + 4;
            label.setHeight(qMax(label.height(), option.iconSize.height()));
        }
        if (button->menu())
            label.rwidth() += style->pixelMetric(QStyle::PM_MenuButtonIndicator, &option, button);
        const QSize room
            = style->subElementRect(QStyle::SE_PushButtonContents, &option, button).size();
        return button->size() + (label - room).expandedTo(QSize(0, 0));
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
