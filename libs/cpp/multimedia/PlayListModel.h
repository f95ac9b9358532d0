#pragma once

#include <QAbstractListModel>
#include <QDir>
#include <QList>
#include <QStringList>
#include <QTime>

namespace DIReridArazi {

class NativeAudioPlayer;

// A list of audio file paths for item views: name, modification time, path
// and duration per row. Durations are read when paths are set or appended,
// by opening each file; the other values come from the file system at every
// request. GUI thread only.
class PlayListModel : public QAbstractListModel
{
    Q_OBJECT

public:
    enum Role {
        ModifiedRole = Qt::UserRole + 1,
        PathRole = Qt::UserRole + 3,
        DurationRole = Qt::UserRole + 4,
    };

    explicit PlayListModel(QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    // Edits the path of a row; its duration stays.
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    // Horizontal "Number"; vertical the section itself, counted from 0.
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    void setPlayList(const QStringList& paths);
    // The files of the folder that match the filters, in directory order.
    void setPlayList(const QDir& dir, const QStringList& nameFilters);
    void appendToPlayList(const QStringList& paths);
    // Zero for a file that cannot be opened.
    QTime audioFileDuration(const QString& path) const;

private:
    bool isValidRow(const QModelIndex& index) const;
    void appendDurations(const QStringList& paths);

    QStringList m_paths;
    QList<QTime> m_durations;
    NativeAudioPlayer* m_durationReader;
};

} // namespace DIReridArazi
