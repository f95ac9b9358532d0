#pragma once

#include "PictureReader.h"

#include <QHash>
#include <QImage>
#include <QPair>
#include <QSize>
#include <QTextDocument>
#include <QUrl>
#include <QVector>

class QIODevice;

// The document of TextEdit and of its reader. The resources that a file names
// are read only from regular files or the program's own resources and within
// bounds: a style sheet up to maxStyleSheetSize, and the pictures within one
// budget of maxPixels for the whole document, counted as PictureReader gives
// them, and of the time to draw its SVGs, shared by the pictures of a file and
// by those of each paste. A picture is read once however it is named (a file
// by its device and inode, a resource by its path, a data URL by its
// content), and all its names share its pixels; the names are counted, as
// the page helper counts them, up to maxPictures. A picture beyond the budget
// shows as missing, as does anything unreadable or refused by PictureReader,
// a pipe or a device among them, instead of keeping the window waiting or
// filling the memory. One thread at a time: the GUI thread for the window's,
// a page trial's thread for the pictures it reads.
class TextEditDocument : public QTextDocument
{
    Q_OBJECT

public:
    static constexpr int maxStyleSheetSize = 256 << 10;
    // Pixels of all pictures together, 256 MiB as they are shown.
    static constexpr qint64 maxPixels = DAvuroD::PictureReader::maxPixels;
    // Names of pictures, each read and decoded in about a millisecond:
    // beyond them, a picture shows as missing.
    static constexpr int maxPictures = 1000;

    // What a document holds of the pictures it read: each picture by what it
    // is, what each name stands for, what is left of the budgets, why some
    // show as missing, and the base that resolves their names. Implicitly
    // shared, so that another thread may read pictures as the document does.
    struct Pictures
    {
        QHash<QByteArray, QImage> read;
        QHash<QUrl, QByteArray> named;
        DAvuroD::PictureReader::Budget budget;
        QString leftOutWhy;
        QUrl base;
    };

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
    // one's budget of pixels and count of names, and what is left of the
    // paste's time to draw for the pictures read next, which the paste
    // inserts.
    void takePicturesOf(const TextEditDocument& paste);
    // Holds the pictures of the other document as it holds them, with what
    // is left of its budgets, and its base: a paste's pictures are read as
    // they will be in the document it lands in.
    void readPicturesAs(const TextEditDocument& other);
    void readPicturesAs(const Pictures& pictures);
    Pictures pictures() const;
    // The names of the pictures read, as the layout asks for them, and the
    // size each shows at.
    QVector<QPair<QUrl, QSize>> namedPictures() const;

    // The page helper keeps a copy of the document as it stands now, built
    // the same way, under that number; 0 for none.
    void setHelperCopy(quint64 copy);
    // That number, or 0 once the document changed since.
    quint64 helperCopy() const;
    // Keeps why a paste, known by its key, was refused here, while the
    // document stands as it did: refused again, it is not tried again.
    void rememberPasteRefusal(const QByteArray& paste, const QString& refusal);
    // Why the paste was refused here, or an empty text.
    QString pasteRefusal(const QByteArray& paste) const;
    // The key of the paste refused here and why, while the document stands
    // as it did then; else empty texts.
    QPair<QByteArray, QString> rememberedPasteRefusal() const;

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
    void takePicture(const QByteArray& identity, const QImage& image);
    QVariant styleSheet(const QUrl& name);

    // The pictures read, by what they are; a missing picture for those not read.
    QHash<QByteArray, QImage> m_pictures;
    // What each name counted stands for; empty for nothing readable.
    QHash<QUrl, QByteArray> m_named;
    DAvuroD::PictureReader::Budget m_budget;
    QString m_leftOutWhy;
    bool m_readsPictures = true;
    // Changes of the content so far, and at the helper's copy.
    quint64 m_changes = 0;
    quint64 m_helperCopy = 0;
    quint64 m_changesAtCopy = 0;
    QByteArray m_refusedPaste;
    QString m_pasteRefusal;
    quint64 m_changesAtRefusal = 0;
};
