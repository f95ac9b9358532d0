#include "SvgCost.h"

#include <QHash>
#include <QIODevice>
#include <QXmlStreamReader>

#include <vector>

#include <zlib.h>

namespace DAvuroD {

namespace {

// The part of an XML name after its prefix: the renderer reads names as written.
QStringRef localName(const QStringRef& name)
{
    return name.mid(name.lastIndexOf(QLatin1Char(':')) + 1);
}

// The gzip stream inflated, up to most bytes and one more (too large); empty
// when it does not inflate.
QByteArray inflated(const QByteArray& data, int most)
{
    z_stream stream {};
    if (inflateInit2(&stream, 16 + MAX_WBITS) != Z_OK)
        return QByteArray();
    QByteArray out(most + 1, Qt::Uninitialized);
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(data.constData()));
    stream.avail_in = uInt(data.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = uInt(out.size());
    const int result = inflate(&stream, Z_FINISH);
    out.resize(int(stream.total_out));
    inflateEnd(&stream);
    return result == Z_STREAM_END || stream.avail_out == 0 ? out : QByteArray();
}

// The numbers of path data or a point list as the SVG grammar parts them:
// "1.5.5" is two, "-1e-5" one.
qint64 numbersIn(const QStringRef& data)
{
    enum { Outside, Whole, Fraction, Exponent } state = Outside;
    qint64 numbers = 0;
    QChar previous;
    for (const QChar c : data) {
        if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            numbers += state == Outside;
            state = state == Outside ? Whole : state;
        } else if (c == QLatin1Char('.')) {
            numbers += state != Whole;
            state = Fraction;
        } else if ((c == QLatin1Char('e') || c == QLatin1Char('E')) && state != Outside) {
            state = Exponent;
        } else if (!((c == QLatin1Char('-') || c == QLatin1Char('+')) && state == Exponent
                       && (previous == QLatin1Char('e') || previous == QLatin1Char('E')))) {
            state = Outside;
        }
        previous = c;
    }
    return numbers;
}

// Whether the value of a dash array draws dashes.
bool isDashArray(const QStringRef& value)
{
    const QStringRef trimmed = value.trimmed();
    return !trimmed.isEmpty() && trimmed.compare(QLatin1String("none"), Qt::CaseInsensitive) != 0;
}

// Whether a dash array that draws dashes is given in text: a style attribute
// or a style sheet.
bool namesDashes(const QStringRef& text)
{
    const QLatin1String property("dasharray");
    for (int at = text.indexOf(property, 0, Qt::CaseInsensitive); at >= 0;
         at = text.indexOf(property, at + 1, Qt::CaseInsensitive)) {
        QStringRef value = text.mid(at + property.size()).trimmed();
        if (value.startsWith(QLatin1Char(':')))
            value = value.mid(1);
        int end = 0;
        while (end < value.size() && !QStringLiteral(";}\"'").contains(value.at(end)))
            ++end;
        if (isDashArray(value.left(end)))
            return true;
    }
    return false;
}

bool isText(const QStringRef& name)
{
    return name == QLatin1String("text") || name == QLatin1String("textArea");
}

// What an element draws, itself and all it shows, the sums held at SvgCost::maxWork.
struct Total
{
    qint64 shapes;
    qint64 segments;
    int depth;

    void add(const Total& part)
    {
        shapes = qMin(shapes + part.shapes, SvgCost::maxWork);
        segments = qMin(segments + part.segments, SvgCost::maxWork);
        depth = qMax(depth, part.depth);
    }
};

} // namespace

struct SvgCost::Element
{
    qint64 shapes = 1;
    qint64 segments = 0;
    // What it draws: its children, then what a <use> shows.
    std::vector<int> children;
};

// The elements read so far.
struct SvgCost::Scan
{
    std::vector<Element> elements;
    // The elements open, the innermost last.
    std::vector<int> open;
    QHash<QString, int> ids;
    // Each <use> and the id it shows.
    std::vector<std::pair<int, QString>> uses;
    // Text elements open.
    int texts = 0;
};

SvgCost::SvgCost(QIODevice* device)
{
    QByteArray source = device->peek(maxSourceSize + 1);
    if (source.startsWith("\x1f\x8b"))
        source = inflated(source, maxSourceSize);
    if (source.size() > maxSourceSize)
        m_refusal = QStringLiteral("more than %1 bytes of SVG").arg(maxSourceSize);
    else
        read(source);
}

QString SvgCost::refusal() const
{
    return m_refusal;
}

qint64 SvgCost::work(const QSize& size) const
{
    const double work = double(m_shapes) * (double(size.width()) * size.height() + 8192)
        + 1024.0 * double(m_segments) * (double(size.width()) + size.height());
    return qint64(qMin(work, double(maxWork) * 2));
}

QString SvgCost::workRefusal(const QSize& size) const
{
    if (work(size) <= maxWork)
        return QString();
    return QStringLiteral("drawing %1 shapes and %2 path segments at %3 x %4 pixels takes too long")
        .arg(m_shapes)
        .arg(m_segments)
        .arg(size.width())
        .arg(size.height());
}

QList<QByteArray> SvgCost::pictures() const
{
    return m_pictures;
}

void SvgCost::read(const QByteArray& source)
{
    QXmlStreamReader xml(source);
    // As the renderer reads it.
    xml.setNamespaceProcessing(false);
    Scan scan;
    while (!xml.atEnd() && m_refusal.isEmpty()) {
        const QXmlStreamReader::TokenType token = xml.readNext();
        if (token == QXmlStreamReader::StartElement) {
            readElement(xml, scan);
        } else if (token == QXmlStreamReader::EndElement) {
            scan.texts -= isText(localName(xml.qualifiedName()));
            scan.open.pop_back();
        } else if (token == QXmlStreamReader::Characters && !scan.open.empty()) {
            if (namesDashes(xml.text()))
                m_refusal = dashesRefusal();
            if (scan.texts > 0)
                scan.elements[size_t(scan.open.back())].shapes += xml.text().size();
        }
    }
    if (m_refusal.isEmpty() && xml.hasError())
        m_refusal = QStringLiteral("no well-formed XML: %1").arg(xml.errorString());
    if (m_refusal.isEmpty() && !scan.elements.empty()) {
        showUses(scan);
        total(scan.elements);
    }
}

void SvgCost::readElement(const QXmlStreamReader& xml, Scan& scan)
{
    const int index = int(scan.elements.size());
    if (index == maxElements) {
        m_refusal = QStringLiteral("more than %1 elements").arg(maxElements);
        return;
    }
    if (!scan.open.empty())
        scan.elements[size_t(scan.open.back())].children.push_back(index);
    scan.open.push_back(index);
    scan.elements.emplace_back();
    Element& element = scan.elements.back();
    const QStringRef name = localName(xml.qualifiedName());
    scan.texts += isText(name);
    QString href;
    const QXmlStreamAttributes attributes = xml.attributes();
    for (const QXmlStreamAttribute& attribute : attributes) {
        const QStringRef key = localName(attribute.qualifiedName());
        const QStringRef value = attribute.value();
        if (key == QLatin1String("id"))
            scan.ids.insert(value.toString(), index);
        else if (key == QLatin1String("d") || key == QLatin1String("points"))
            element.segments = (numbersIn(value) + 1) / 2;
        else if (key == QLatin1String("href"))
            href = value.toString();
        if (key.endsWith(QLatin1String("dasharray"), Qt::CaseInsensitive) ? isDashArray(value)
                                                                          : namesDashes(value))
            m_refusal = dashesRefusal();
    }
    if (name == QLatin1String("use") && href.startsWith(QLatin1Char('#')))
        scan.uses.emplace_back(index, href.mid(1));
    else if (name == QLatin1String("image"))
        embed(href);
}

// The renderer decodes the data URL of an <image> whole, and reads the file
// any other names.
void SvgCost::embed(const QString& href)
{
    if (href.isEmpty())
        return;
    if (!href.startsWith(QLatin1String("data"))) {
        m_refusal = QStringLiteral("an image names a file");
        return;
    }
    const int base64 = href.lastIndexOf(QLatin1String("base64,"));
    if (base64 >= 0)
        m_pictures << QByteArray::fromBase64(href.mid(base64 + 7).toLatin1());
}

QString SvgCost::dashesRefusal()
{
    return QStringLiteral("dashed lines");
}

// What a <use> shows is drawn after its children, once they are all read.
void SvgCost::showUses(Scan& scan)
{
    for (const auto& use : scan.uses) {
        const int shown = scan.ids.value(use.second, -1);
        if (shown >= 0)
            scan.elements[size_t(use.first)].children.push_back(shown);
    }
}

// What the root draws, walked depth first without recursion, each element's
// total added to the one that draws it; a <use> inside what it shows would
// be drawn forever.
void SvgCost::total(const std::vector<Element>& elements)
{
    enum State : char { Unseen, Open, Done };
    std::vector<State> state(elements.size(), Unseen);
    std::vector<Total> totals(elements.size());
    // The elements being walked, each with the index of its next child.
    std::vector<std::pair<int, size_t>> path;
    const auto open = [&](int element) {
        state[size_t(element)] = Open;
        totals[size_t(element)]
            = {elements[size_t(element)].shapes, elements[size_t(element)].segments, 0};
        path.emplace_back(element, 0);
    };
    open(0);
    while (!path.empty() && m_refusal.isEmpty()) {
        const int element = path.back().first;
        const std::vector<int>& children = elements[size_t(element)].children;
        if (path.back().second == children.size()) {
            path.pop_back();
            state[size_t(element)] = Done;
            if (++totals[size_t(element)].depth > maxDepth)
                m_refusal = QStringLiteral("drawn more than %1 deep").arg(maxDepth);
            if (!path.empty())
                totals[size_t(path.back().first)].add(totals[size_t(element)]);
            continue;
        }
        const int child = children[path.back().second++];
        if (state[size_t(child)] == Open)
            m_refusal = QStringLiteral("a <use> shows itself");
        else if (state[size_t(child)] == Unseen)
            open(child);
        else
            totals[size_t(element)].add(totals[size_t(child)]);
    }
    m_shapes = totals[0].shapes;
    m_segments = totals[0].segments;
    // Telling its size, where it gives none, walks every shape it draws.
    if (m_refusal.isEmpty() && work(QSize(0, 0)) > maxWork)
        m_refusal = QStringLiteral("drawing %1 shapes takes too long at any size").arg(m_shapes);
}

} // namespace DAvuroD
