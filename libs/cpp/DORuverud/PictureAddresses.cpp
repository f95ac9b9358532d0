#include "PictureAddresses.h"

#include <QDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFrame>
#include <QTextTable>
#include <QUrl>

#include <algorithm>
#include <tuple>

namespace {

// Rewrites the addresses of one document for another folder.
class Mover
{
public:
    Mover(const QTextDocument& document, const QString& folder)
        : m_base(document.baseUrl())
        , m_folder(folder)
    {
    }

    // Whether the format names a picture that moves; rewrites it so.
    bool move(QTextFormat* format) const;
    void moveFrames(QTextFrame* frame) const;
    void moveBlocks(QTextDocument* document) const;

private:
    QString moved(const QString& address) const;

    const QUrl m_base;
    const QDir m_folder;
};

// As the text layout reads an address: a resource's as ":/path", any other
// as a URL resolved against the document's base URL, a relative one with no
// base from the working folder.
QString Mover::moved(const QString& address) const
{
    QUrl url(address);
    if (address.startsWith(QLatin1String(":/")) || !url.isRelative() || url.path().isEmpty()
        || QDir::isAbsolutePath(url.path()))
        return address;
    const QUrl resolved = m_base.resolved(url);
    const QString file = resolved.isLocalFile() ? resolved.toLocalFile()
        : resolved.isRelative()                 ? QDir::current().absoluteFilePath(resolved.path())
                                                : QString();
    if (file.isEmpty())
        return address;
    QString path = m_folder.relativeFilePath(file);
    // A colon in the first step would read as a scheme.
    if (path.section('/', 0, 0).contains(':'))
        path.prepend(QLatin1String("./"));
    url.setPath(path);
    return url.toString();
}

bool Mover::move(QTextFormat* format) const
{
    bool moves = false;
    for (const int property : {int(QTextFormat::ImageName), int(QTextFormat::BackgroundImageUrl)}) {
        if (!format->hasProperty(property))
            continue;
        const QString address = format->stringProperty(property);
        const QString moved = this->moved(address);
        if (moved != address) {
            format->setProperty(property, moved);
            moves = true;
        }
    }
    return moves;
}

void Mover::moveFrames(QTextFrame* frame) const
{
    QTextFrameFormat format = frame->frameFormat();
    if (move(&format))
        frame->setFrameFormat(format);
    if (auto* table = qobject_cast<QTextTable*>(frame)) {
        for (int row = 0; row < table->rows(); ++row) {
            for (int column = 0; column < table->columns(); ++column) {
                QTextTableCell cell = table->cellAt(row, column);
                QTextCharFormat cellFormat = cell.format();
                // A spanning cell once, where it begins.
                if (cell.row() == row && cell.column() == column && move(&cellFormat))
                    cell.setFormat(cellFormat);
            }
        }
    }
    for (QTextFrame* child : frame->childFrames())
        moveFrames(child);
}

// The fragments' formats are set once all are read, since setting one may
// join it with its neighbours.
void Mover::moveBlocks(QTextDocument* document) const
{
    QTextCursor cursor(document);
    QVector<std::tuple<int, int, QTextCharFormat>> fragments;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat blockFormat = block.blockFormat();
        if (move(&blockFormat)) {
            cursor.setPosition(block.position());
            cursor.setBlockFormat(blockFormat);
        }
        for (QTextBlock::iterator it = block.begin(); !it.atEnd(); ++it) {
            QTextCharFormat format = it.fragment().charFormat();
            if (move(&format))
                fragments.append({it.fragment().position(), it.fragment().length(), format});
        }
    }
    for (const auto& [position, length, format] : qAsConst(fragments)) {
        cursor.setPosition(position);
        cursor.setPosition(position + length, QTextCursor::KeepAnchor);
        cursor.setCharFormat(format);
    }
}

} // namespace

std::unique_ptr<QTextDocument> PictureAddresses::movedTo(
    const QTextDocument& document, const QString& folder)
{
    const Mover mover(document, folder);
    const QVector<QTextFormat> formats = document.allFormats();
    if (std::none_of(formats.cbegin(), formats.cend(),
            [&mover](QTextFormat format) { return mover.move(&format); }))
        return nullptr;
    std::unique_ptr<QTextDocument> moved(document.clone());
    // A clone loses the format of its first paragraph, a rule above it too.
    QTextCursor(moved.get()).setBlockFormat(document.begin().blockFormat());
    mover.moveBlocks(moved.get());
    mover.moveFrames(moved->rootFrame());
    return moved;
}
