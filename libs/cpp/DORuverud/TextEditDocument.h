#pragma once

#include <QTextDocument>

// The document of TextEdit and of its reader. The resources that a file names
// are read only from regular files and within bounds: a picture within the
// picture reader's pixel budget, a style sheet up to maxStyleSheetSize.
// Anything else, a pipe or a device among them, is left out instead of
// keeping the window waiting or filling the memory.
class TextEditDocument : public QTextDocument
{
public:
    static constexpr int maxStyleSheetSize = 256 << 10;

    explicit TextEditDocument(QObject* parent = nullptr);

protected:
    QVariant loadResource(int type, const QUrl& name) override;

private:
    QImage picture(const QUrl& name);
    QVariant styleSheet(const QUrl& name);
};
