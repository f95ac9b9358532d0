#pragma once

#include "SvgStyleCost.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>

#include <vector>

class QXmlStreamReader;

namespace DAvuroD {

// An SVG read with QXmlStreamReader the way QSvgRenderer reads it (names
// without their prefixes, no namespaces, up to the end of the root), before
// the renderer parses it: its elements, what one walk of its drawing
// visits, the pictures the renderer decodes and the files it reads, and the
// work of its style sheets. Where the renderer may take one of several
// readings (an attribute given under two prefixes, an id given to several
// elements), the costlier one counts.
class SvgScan
{
public:
    static constexpr int maxElements = 100000;
    static constexpr int maxDepth = 1000;

    // What one walk of the drawing visits: each element, a <use> counting
    // again the costliest element it may show; the segments of paths and
    // point lists; text elements and their characters.
    struct Walk
    {
        qint64 elements = 0;
        qint64 segments = 0;
        qint64 texts = 0;
        qint64 characters = 0;

        void add(const Walk& part);
        void keepLarger(const Walk& other);
    };

    // Read as the renderer reads, from a device a chunk at a time, which
    // meets an encoding error where it comes and not before.
    explicit SvgScan(const QByteArray& source);

    // Why the SVG is refused, or an empty text.
    QString refusal() const;
    qint64 elements() const;
    Walk walk() const;
    // The pictures of its <image> elements: the bytes of those they embed,
    // and the names of the files they name, as written.
    QList<QByteArray> embeddedPictures() const;
    QStringList pictureFiles() const;
    // The style sheet files its xml-stylesheet instructions name, as written.
    QStringList styleFiles() const;
    // A style sheet the renderer reads from a file.
    void addStyleSheet(const QString& css);
    // Nanoseconds of matching its style sheets, and their selectors and
    // declarations.
    qint64 styleWork() const;
    qint64 styleParts() const;

private:
    struct Element
    {
        std::vector<int> children;
        // The ids a <use> may show.
        QStringList shows;
        qint64 segments = 0;
        qint64 characters = 0;
        bool isText = false;
        int depth = 0;
        QStringList classes;
        QString id;
    };

    void readElement(const QXmlStreamReader& xml);
    void readPicture(const QString& href);
    void readInstruction(const QXmlStreamReader& xml);
    void total();

    QString m_refusal;
    std::vector<Element> m_elements;
    // The elements open, the innermost last.
    std::vector<int> m_open;
    QHash<QString, std::vector<int>> m_ids;
    int m_textsOpen = 0;
    bool m_inStyle = false;
    Walk m_walk;
    QList<QByteArray> m_embedded;
    QStringList m_pictureFiles;
    QStringList m_styleFiles;
    SvgStyleCost m_style;
};

} // namespace DAvuroD
