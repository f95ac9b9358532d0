#pragma once

#include <QString>
#include <memory>

class QTextDocument;

// The addresses a document gives its pictures (images and backgrounds), as
// they name the same files from another folder. A relative address names a
// file from the document's folder, its base URL (else the working folder);
// moved, it names it relative to the new folder. Data URLs, absolute paths,
// other schemes and the program's own resources name the same from anywhere.
class PictureAddresses
{
public:
    PictureAddresses() = delete;

    // A copy of the document whose pictures are named from the folder; null
    // when every address stays as it is.
    static std::unique_ptr<QTextDocument> movedTo(
        const QTextDocument& document, const QString& folder);
};
