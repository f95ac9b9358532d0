#pragma once

#include "PictureReader.h"

#include <QHash>
#include <QImage>
#include <QTextDocument>

class QIODevice;

// The document of TextEdit and of its reader. The resources that a file names
// are read only from regular files or the program's own resources and within
// bounds: a style sheet up to maxStyleSheetSize, and the pictures within one
// budget of maxPixels for the whole document, counted as PictureReader gives
// them, and of the time to draw its SVGs, shared by the pictures of a file and
// by those of each paste. A picture is read and counted once however it is
// named (a file by its device and inode, a resource by its path, a data URL by
// its content), and all its names share its pixels. A picture beyond the
// budget shows as missing, as does anything unreadable or refused by
// PictureReader, a pipe or a device among them, instead of keeping the window
// waiting or filling the memory. GUI thread only.
class TextEditDocument : public QTextDocument
{
    Q_OBJECT

public:
    static constexpr int maxStyleSheetSize = 256 << 10;
    // Pixels of all pictures together, 256 MiB as they are shown.
    static constexpr qint64 maxPixels = DAvuroD::PictureReader::maxPixels;
    // Pictures read and decoded, each in about a millisecond: beyond them, a
    // picture shows as missing.
    static constexpr int maxPictures = 1000;

    explicit TextEditDocument(QObject* parent = nullptr);

    // Also forgets the pictures read, so that they are read again as they are now.
    void clear() override;
    // From now on each picture shows as missing, unread, unless added as a
    // resource: in the page helper, which lays a page out with pictures of
    // the sizes the program read.
    void leavePicturesUnread();
    // Why pictures show as missing, once one was left out since the document
    // was cleared; else an empty text.
    QString picturesLeftOutWhy() const;
    // Takes the pictures that the document of a paste read, within this
    // one's budget of pixels, and what is left of the paste's time to draw
    // for the pictures read next, which the paste inserts.
    void takePicturesOf(const TextEditDocument& paste);

signals:
    // Why pictures show as missing; at the first one beyond the budget since
    // the document was cleared. It may come while the view lays out or paints.
    void picturesLeftOut(const QString& why);

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QImage picture(const QUrl& name);
    QImage withinBudget(QIODevice* device);
    void leaveOut(const QString& why);
    void leaveOutBeyondPixels();
    void leaveOutBeyondCount();
    QVariant styleSheet(const QUrl& name);

    // The pictures read, by what they are; a missing picture for those not read.
    QHash<QByteArray, QImage> m_pictures;
    DAvuroD::PictureReader::Budget m_budget;
    QString m_leftOutWhy;
    int m_picturesRead = 0;
    bool m_readsPictures = true;
};
