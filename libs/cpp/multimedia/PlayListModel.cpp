#include "PlayListModel.h"

#include "NativeAudioPlayer.h"
#include "TimeInfo.h"

#include <QDateTime>
#include <QFileInfo>

namespace DIReridArazi {

PlayListModel::PlayListModel(QObject* parent)
    : QAbstractListModel(parent)
    , m_durationReader(new NativeAudioPlayer(this))
{
}

int PlayListModel::rowCount(const QModelIndex&) const
{
    return m_paths.size();
}

QVariant PlayListModel::data(const QModelIndex& index, int role) const
{
    if (!isValidRow(index))
        return QVariant();
    const QString& path = m_paths.at(index.row());
    switch (role) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return QFileInfo(path).fileName();
    case ModifiedRole:
        return QFileInfo(path).lastModified();
    case PathRole:
        return path;
    case DurationRole:
        return m_durations.at(index.row());
    default:
        return QVariant();
    }
}

bool PlayListModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!isValidRow(index) || role != Qt::EditRole)
        return false;
    m_paths[index.row()] = value.toString();
    emit dataChanged(index, index);
    return true;
}

QVariant PlayListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QVariant();
    if (orientation == Qt::Horizontal)
        return tr("Number");
    return QString::number(section);
}

Qt::ItemFlags PlayListModel::flags(const QModelIndex& index) const
{
    const Qt::ItemFlags base = QAbstractListModel::flags(index);
    return isValidRow(index) ? base | Qt::ItemIsEditable : base;
}

void PlayListModel::setPlayList(const QStringList& paths)
{
    beginResetModel();
    m_durations.clear();
    m_paths = paths;
    appendDurations(paths);
    endResetModel();
}

void PlayListModel::setPlayList(const QDir& dir, const QStringList& nameFilters)
{
    QStringList paths;
    const QStringList names = dir.entryList(nameFilters, QDir::Files, QDir::NoSort);
    for (const QString& name : names)
        paths.append(dir.absoluteFilePath(name));
    setPlayList(paths);
}

void PlayListModel::appendToPlayList(const QStringList& paths)
{
    if (paths.isEmpty())
        return;
    beginResetModel();
    m_paths.append(paths);
    appendDurations(paths);
    endResetModel();
}

QTime PlayListModel::audioFileDuration(const QString& path) const
{
    m_durationReader->setMedia(path);
    return ZAruri::TimeInfo::msecsToTime(m_durationReader->duration());
}

// Rows at or beyond the end are invalid too, not only negative ones.
bool PlayListModel::isValidRow(const QModelIndex& index) const
{
    return index.isValid() && index.model() == this && index.row() < m_paths.size();
}

void PlayListModel::appendDurations(const QStringList& paths)
{
    for (const QString& path : paths)
        m_durations.append(audioFileDuration(path));
}

} // namespace DIReridArazi
