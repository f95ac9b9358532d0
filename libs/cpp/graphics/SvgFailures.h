#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>

#include <mutex>

namespace DAvuroD {

struct SvgRequest;

// The SVGs given up in this run, as desktop thumbnailers keep their failed
// thumbnails: a file by its path, size and modification time, a text by its
// digest, with the reason, for the scope that gave it up. One given up for
// memory is barred only at its canvas or larger. Any thread may ask.
class SvgFailures
{
public:
    // What names the request's SVG; empty where nothing does.
    static QByteArray keyOf(const SvgRequest& request);

    // Why the SVG is given up for a canvas of that many pixels, or an empty text.
    QString refusal(const QByteArray& key, qint64 canvasPixels) const;
    // From a canvas of fromPixels up, or at any size where it is 0.
    void remember(const QByteArray& key, const QString& why, qint64 fromPixels);
    void clear();

private:
    struct Failure
    {
        QString why;
        qint64 fromPixels;
    };

    mutable std::mutex m_mutex;
    QHash<QByteArray, Failure> m_failures;
};

} // namespace DAvuroD
