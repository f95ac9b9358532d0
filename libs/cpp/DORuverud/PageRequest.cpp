#include "PageRequest.h"

#include <QDataStream>
#include <QTextDocument>

#include <algorithm>
#include <numeric>

namespace {

const QChar paragraphEnd(QChar::ParagraphSeparator);

QDataStream& operator<<(QDataStream& out, const PageRequest::Spot& spot)
{
    return out << spot.characters << spot.paragraphEnds;
}

QDataStream& operator>>(QDataStream& in, PageRequest::Spot& spot)
{
    return in >> spot.characters >> spot.paragraphEnds;
}

} // namespace

// The layout takes ":/path" for one of the program's own resources.
QUrl PageRequest::pictureUrl(const QString& name)
{
    return QUrl(name.startsWith(QLatin1String(":/")) ? QLatin1String("qrc") + name : name);
}

// In one pass over the text, the positions taken in their order.
QVector<PageRequest::Spot> PageRequest::spotsOf(
    const QTextDocument& document, const QVector<int>& positions)
{
    const QString text = document.toRawText();
    QVector<int> order(positions.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(),
        [&positions](int a, int b) { return positions.at(a) < positions.at(b); });
    QVector<Spot> spots(positions.size());
    Spot spot;
    int at = 0;
    for (const int index : qAsConst(order)) {
        const int position = qBound(0, positions.at(index), text.size());
        for (; at < position; ++at) {
            if (text.at(at) == paragraphEnd) {
                ++spot.paragraphEnds;
            } else {
                ++spot.characters;
                spot.paragraphEnds = 0;
            }
        }
        spots[index] = spot;
    }
    return spots;
}

int PageRequest::positionAt(const QTextDocument& document, Spot spot)
{
    const QString text = document.toRawText();
    int at = 0;
    for (int characters = 0; at < text.size() && characters < spot.characters; ++at)
        characters += text.at(at) != paragraphEnd;
    for (int ends = 0; at < text.size() && ends < spot.paragraphEnds && text.at(at) == paragraphEnd;
         ++ends)
        ++at;
    return qMin(at, document.characterCount() - 1);
}

QByteArray PageRequest::toMessage() const
{
    QByteArray message;
    QDataStream out(&message, QIODevice::WriteOnly);
    out << qint8(source) << fileName << font << fixedFont << qint32(textWidth) << keptAs << landsIn
        << base << anchor << position << movedAnchor << movedPosition;
    return message;
}

bool PageRequest::fromMessage(const QByteArray& message)
{
    QDataStream in(message);
    qint8 kind = 0;
    qint32 laidOutAt = 0;
    in >> kind >> fileName >> font >> fixedFont >> laidOutAt >> keptAs >> landsIn >> base >> anchor
        >> position >> movedAnchor >> movedPosition;
    source = Source(kind);
    textWidth = laidOutAt;
    return in.status() == QDataStream::Ok && in.atEnd() && kind >= qint8(Source::File)
        && kind <= qint8(Source::QtRichText) && laidOutAt > 0;
}
