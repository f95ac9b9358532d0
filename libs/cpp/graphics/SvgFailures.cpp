#include "SvgFailures.h"

#include "SvgRequest.h"

#include <QCryptographicHash>
#include <QFile>

#include <sys/stat.h>

namespace DAvuroD {

// A helper that another scope's drawing took over gives up no drawing of this one.
QByteArray SvgFailures::keyOf(const SvgRequest& request)
{
    const QByteArray scope = request.scope.toUtf8() + '\n';
    if (request.path.isEmpty())
        return scope + "text " + request.format + ' '
            + QCryptographicHash::hash(request.text, QCryptographicHash::Sha256).toHex();
    struct stat file;
    const QByteArray path = QFile::encodeName(request.path);
    if (::stat(path.constData(), &file) != 0)
        return QByteArray();
    return scope + "file " + request.format + ' ' + QByteArray::number(qint64(file.st_size)) + ' '
        + QByteArray::number(qint64(file.st_mtim.tv_sec)) + '.'
        + QByteArray::number(qint64(file.st_mtim.tv_nsec)) + ' ' + path;
}

QString SvgFailures::refusal(const QByteArray& key, qint64 canvasPixels) const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto failure = m_failures.constFind(key);
    if (key.isEmpty() || failure == m_failures.constEnd() || canvasPixels < failure->fromPixels)
        return QString();
    return failure->why;
}

void SvgFailures::remember(const QByteArray& key, const QString& why, qint64 fromPixels)
{
    if (key.isEmpty())
        return;
    const std::lock_guard<std::mutex> lock(m_mutex);
    const auto known = m_failures.constFind(key);
    if (known == m_failures.constEnd() || fromPixels < known->fromPixels)
        m_failures.insert(key, Failure {why, fromPixels});
}

void SvgFailures::clear()
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    m_failures.clear();
}

} // namespace DAvuroD
