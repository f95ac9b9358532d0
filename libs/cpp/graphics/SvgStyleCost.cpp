#include "SvgStyleCost.h"

#include <QSet>

namespace DAvuroD {

namespace {

QString withoutComments(const QString& css)
{
    QString kept;
    int from = 0;
    for (int at = css.indexOf(QLatin1String("/*")); at >= 0;
         at = css.indexOf(QLatin1String("/*"), from)) {
        kept += css.midRef(from, at - from);
        const int end = css.indexOf(QLatin1String("*/"), at + 2);
        if (end < 0)
            return kept;
        from = end + 2;
    }
    return kept + css.midRef(from);
}

bool isCombinator(QChar c)
{
    return c.isSpace() || c == QLatin1Char('>') || c == QLatin1Char('+') || c == QLatin1Char('~');
}

// The parts of a selector between its combinators.
QStringList compounds(const QString& selector)
{
    QStringList parts;
    for (int at = 0; at < selector.size();) {
        while (at < selector.size() && isCombinator(selector.at(at)))
            ++at;
        const int start = at;
        while (at < selector.size() && !isCombinator(selector.at(at)))
            ++at;
        if (at > start)
            parts << selector.mid(start, at - start);
    }
    return parts;
}

// What the last part of a selector asks: ".name", "#name" or nothing.
QString lastPartAsks(const QStringList& compounds)
{
    const QString last = compounds.isEmpty() ? QString() : compounds.last();
    int at = 0;
    while (at < last.size() && last.at(at) != QLatin1Char('.') && last.at(at) != QLatin1Char('#'))
        ++at;
    if (at == last.size())
        return QString();
    int end = at + 1;
    while (end < last.size() && !QStringLiteral(".#[:").contains(last.at(end)))
        ++end;
    return last.mid(at, end - at).toLower();
}

} // namespace

void SvgStyleCost::Selectors::add(const Selectors& more)
{
    count += more.count;
    combinators += more.combinators;
    declarations += more.declarations;
}

void SvgStyleCost::addSheet(const QString& sheet)
{
    const QString css = withoutComments(sheet);
    int from = 0;
    for (int at = 0; at < css.size(); ++at) {
        const QChar c = css.at(at);
        if (c == QLatin1Char('}') || c == QLatin1Char(';')) {
            from = at + 1;
        } else if (c == QLatin1Char('{')) {
            const QString prelude = css.mid(from, at - from).trimmed();
            from = at + 1;
            // An at-rule's block holds rules of its own, read on from here.
            if (prelude.startsWith(QLatin1Char('@')))
                continue;
            int end = at + 1;
            while (end < css.size() && css.at(end) != QLatin1Char('}')
                && css.at(end) != QLatin1Char('{'))
                ++end;
            addRule(prelude, css.midRef(at + 1, end - at - 1).count(QLatin1Char(':')));
            at = end - (end < css.size() && css.at(end) == QLatin1Char('{'));
            from = at + 1;
        }
    }
}

void SvgStyleCost::addRule(const QString& prelude, qint64 declarations)
{
    m_declarations += declarations;
    for (const QString& part : prelude.split(QLatin1Char(','))) {
        const QString selector = part.trimmed();
        if (selector.isEmpty())
            continue;
        const QStringList parts = compounds(selector);
        const Selectors one {1, qMax(0, parts.size() - 1), declarations};
        ++m_selectors;
        const QString asks = lastPartAsks(parts);
        if (asks.isEmpty())
            m_anyElement.add(one);
        else if (asks.startsWith(QLatin1Char('.')))
            m_byClass[asks.mid(1)].add(one);
        else
            m_byId[asks.mid(1)].add(one);
    }
}

bool SvgStyleCost::isEmpty() const
{
    return m_selectors == 0;
}

qint64 SvgStyleCost::parts() const
{
    return m_selectors + m_declarations;
}

qint64 SvgStyleCost::work(const QStringList& classes, const QString& id, int depth) const
{
    if (isEmpty())
        return 0;
    qint64 work = m_selectors * selectorWork + this->work(m_anyElement, depth);
    QSet<QString> seen;
    for (const QString& name : classes) {
        const QString key = name.toLower();
        if (!seen.contains(key)) {
            seen.insert(key);
            work += this->work(m_byClass.value(key), depth);
        }
    }
    if (!id.isEmpty())
        work += this->work(m_byId.value(id.toLower()), depth);
    return work;
}

qint64 SvgStyleCost::work(const Selectors& selectors, int depth) const
{
    return selectors.declarations * declarationWork
        + selectors.combinators * qint64(depth) * selectorWork;
}

} // namespace DAvuroD
