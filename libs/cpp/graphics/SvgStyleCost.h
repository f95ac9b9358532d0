#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

namespace DAvuroD {

// What matching the style sheets of an SVG costs QSvgRenderer while it
// parses: it tries every selector of every <style> on every element it
// makes, walks up the element's ancestors for a selector whose last part
// the element meets, and applies the declarations of a selector that
// matches. Counted the costlier way: a selector whose last part asks no
// class or id the element lacks is taken to match.
class SvgStyleCost
{
public:
    // Nanoseconds of this machine: a selector tried, and a declaration applied.
    // A selector tried costs from 60 ns (a few hundred in the sheet) to 110 ns
    // (thousands of class selectors, which fall out of the cache).
    static constexpr qint64 selectorWork = 100;
    static constexpr qint64 declarationWork = 350;

    void addSheet(const QString& css);
    bool isEmpty() const;
    // The selectors and declarations of the sheets, which the renderer holds.
    qint64 parts() const;
    // The work of matching the sheets on an element of these classes and id
    // that has depth ancestors.
    qint64 work(const QStringList& classes, const QString& id, int depth) const;

private:
    struct Selectors
    {
        qint64 count = 0;
        qint64 combinators = 0;
        qint64 declarations = 0;

        void add(const Selectors& more);
    };

    void addRule(const QString& prelude, qint64 declarations);
    qint64 work(const Selectors& selectors, int depth) const;

    qint64 m_selectors = 0;
    qint64 m_declarations = 0;
    // Those whose last part asks no class and no id, by the first class it
    // asks, and by the id it asks (names as the renderer compares them,
    // whatever their case).
    Selectors m_anyElement;
    QHash<QString, Selectors> m_byClass;
    QHash<QString, Selectors> m_byId;
};

} // namespace DAvuroD
