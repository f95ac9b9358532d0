#include "SvgScan.h"

#include <QBuffer>
#include <QRegularExpression>
#include <QXmlStreamReader>

namespace DAvuroD {

namespace {

// Sums are held here, well past any bound, so that they cannot overflow.
constexpr qint64 most = qint64(1) << 50;

qint64 sum(qint64 a, qint64 b)
{
    return qMin(a + b, most);
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

bool isText(const QStringRef& name)
{
    return name == QLatin1String("text") || name == QLatin1String("textArea");
}

} // namespace

void SvgScan::Walk::add(const Walk& part)
{
    elements = sum(elements, part.elements);
    segments = sum(segments, part.segments);
    texts = sum(texts, part.texts);
    characters = sum(characters, part.characters);
}

void SvgScan::Walk::keepLarger(const Walk& other)
{
    elements = qMax(elements, other.elements);
    segments = qMax(segments, other.segments);
    texts = qMax(texts, other.texts);
    characters = qMax(characters, other.characters);
}

SvgScan::SvgScan(const QByteArray& source)
{
    QBuffer device;
    device.setData(source);
    device.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&device);
    xml.setNamespaceProcessing(false);
    // What follows the root's end is no drawing: the renderer stops there or
    // fails on it.
    bool rootEnded = false;
    while (!xml.atEnd() && !rootEnded && m_refusal.isEmpty()) {
        switch (xml.readNext()) {
        case QXmlStreamReader::StartElement:
            readElement(xml);
            break;
        case QXmlStreamReader::EndElement:
            m_textsOpen -= isText(xml.name());
            m_inStyle = m_inStyle && xml.name() != QLatin1String("style");
            m_open.pop_back();
            rootEnded = m_open.empty();
            break;
        case QXmlStreamReader::Characters:
            if (m_inStyle)
                m_style.addSheet(xml.text().toString());
            else if (m_textsOpen > 0)
                m_elements[size_t(m_open.back())].characters += xml.text().size();
            break;
        case QXmlStreamReader::ProcessingInstruction:
            readInstruction(xml);
            break;
        default:
            break;
        }
    }
    if (m_refusal.isEmpty() && !m_elements.empty())
        total();
}

QString SvgScan::refusal() const
{
    return m_refusal;
}

qint64 SvgScan::elements() const
{
    return qint64(m_elements.size());
}

SvgScan::Walk SvgScan::walk() const
{
    return m_walk;
}

QList<QByteArray> SvgScan::embeddedPictures() const
{
    return m_embedded;
}

QStringList SvgScan::pictureFiles() const
{
    return m_pictureFiles;
}

QStringList SvgScan::styleFiles() const
{
    return m_styleFiles;
}

void SvgScan::addStyleSheet(const QString& css)
{
    m_style.addSheet(css);
}

qint64 SvgScan::styleWork() const
{
    qint64 work = 0;
    for (size_t i = 0; i < m_elements.size(); ++i)
        work
            = sum(work, m_style.work(m_elements[i].classes, m_elements[i].id, m_elements[i].depth));
    return work;
}

qint64 SvgScan::styleParts() const
{
    return m_style.parts();
}

void SvgScan::readElement(const QXmlStreamReader& xml)
{
    const int index = int(m_elements.size());
    if (index == maxElements) {
        m_refusal = QStringLiteral("more than %1 elements").arg(maxElements);
        return;
    }
    if (!m_open.empty())
        m_elements[size_t(m_open.back())].children.push_back(index);
    m_elements.emplace_back();
    Element& element = m_elements.back();
    element.depth = int(m_open.size());
    m_open.push_back(index);
    const QStringRef name = xml.name();
    element.isText = isText(name);
    m_textsOpen += element.isText;
    m_inStyle = m_inStyle || name == QLatin1String("style");
    const QXmlStreamAttributes attributes = xml.attributes();
    for (const QXmlStreamAttribute& attribute : attributes) {
        const QStringRef key = attribute.name();
        if (key == QLatin1String("id")) {
            element.id = attribute.value().toString();
            m_ids[element.id].push_back(index);
        } else if (key == QLatin1String("d") || key == QLatin1String("points")) {
            element.segments += (numbersIn(attribute.value()) + 1) / 2;
        } else if (key == QLatin1String("class")) {
            element.classes
                += attribute.value().toString().split(QLatin1Char(' '), Qt::SkipEmptyParts);
        } else if (key == QLatin1String("href") && name == QLatin1String("use")) {
            // The renderer drops the first character, whatever it is.
            element.shows += attribute.value().mid(1).toString();
        } else if (key == QLatin1String("href") && name == QLatin1String("image")) {
            readPicture(attribute.value().trimmed().toString());
        }
    }
}

// The renderer decodes a data URL's base64 whole, and reads any other name
// as a file.
void SvgScan::readPicture(const QString& href)
{
    if (href.isEmpty())
        return;
    if (!href.startsWith(QLatin1String("data"))) {
        m_pictureFiles += href;
        return;
    }
    const int base64 = href.lastIndexOf(QLatin1String("base64,"));
    if (base64 >= 0)
        m_embedded += QByteArray::fromBase64(href.mid(base64 + 7).toLatin1());
}

// The renderer reads the file of an xml-stylesheet instruction of type
// text/css, as its own expressions find them.
void SvgScan::readInstruction(const QXmlStreamReader& xml)
{
    if (xml.processingInstructionTarget() != QLatin1String("xml-stylesheet"))
        return;
    const QString data = xml.processingInstructionData().toString();
    const QRegularExpression type(
        QStringLiteral("type=\\\"(.+)\\\""), QRegularExpression::InvertedGreedinessOption);
    const QRegularExpression href(
        QStringLiteral("href=\\\"(.+)\\\""), QRegularExpression::InvertedGreedinessOption);
    for (auto match = type.globalMatch(data); match.hasNext();) {
        if (match.next().captured(1).toLower() == QLatin1String("text/css")) {
            m_styleFiles += href.match(data).captured(1);
            return;
        }
    }
}

// What the root draws, walked depth first without recursion: an element's
// children each once, and the costliest of what a <use> may show, every
// element given one of its ids; a <use> inside what it shows would be drawn
// forever. Once the elements of an id are walked, what they draw at most is
// kept, so that many uses of an id given many times cost one walk of them.
void SvgScan::total()
{
    enum State : char { Unseen, Open, Done };
    std::vector<State> state(m_elements.size(), Unseen);
    std::vector<Walk> walks(m_elements.size());
    std::vector<int> depths(m_elements.size(), 0);
    struct Shown
    {
        Walk walk;
        int depth = 0;
    };
    QHash<QString, Shown> walkedIds;
    const auto shownBy = [&](const QString& id) {
        const auto walked = walkedIds.constFind(id);
        if (walked != walkedIds.constEnd())
            return *walked;
        Shown shown;
        for (const int element : m_ids.value(id)) {
            shown.walk.keepLarger(walks[size_t(element)]);
            shown.depth = qMax(shown.depth, depths[size_t(element)]);
        }
        walkedIds.insert(id, shown);
        return shown;
    };
    // The elements being walked, each with what it draws and how far it got.
    struct Step
    {
        int element;
        std::vector<int> draws;
        size_t next;
    };
    std::vector<Step> path;
    const auto open = [&](int element) {
        state[size_t(element)] = Open;
        const Element& e = m_elements[size_t(element)];
        std::vector<int> draws = e.children;
        for (const QString& id : e.shows) {
            const auto found = m_ids.constFind(id);
            if (found != m_ids.constEnd() && !walkedIds.contains(id))
                draws.insert(draws.end(), found->begin(), found->end());
        }
        path.push_back({element, std::move(draws), 0});
    };
    open(0);
    while (!path.empty() && m_refusal.isEmpty()) {
        Step& step = path.back();
        if (step.next < step.draws.size()) {
            const int next = step.draws[step.next++];
            if (state[size_t(next)] == Open)
                m_refusal = QStringLiteral("a <use> shows itself");
            else if (state[size_t(next)] == Unseen)
                open(next);
            continue;
        }
        const int element = step.element;
        const Element& e = m_elements[size_t(element)];
        Walk walk {1, e.segments, e.isText, e.characters};
        int depth = 0;
        for (const int child : e.children) {
            walk.add(walks[size_t(child)]);
            depth = qMax(depth, depths[size_t(child)]);
        }
        Walk costliest;
        for (const QString& id : e.shows) {
            const Shown shown = shownBy(id);
            costliest.keepLarger(shown.walk);
            depth = qMax(depth, shown.depth);
        }
        walk.add(costliest);
        walks[size_t(element)] = walk;
        depths[size_t(element)] = depth + 1;
        if (depth + 1 > maxDepth)
            m_refusal = QStringLiteral("drawn more than %1 deep").arg(maxDepth);
        state[size_t(element)] = Done;
        path.pop_back();
    }
    m_walk = walks[0];
}

} // namespace DAvuroD
