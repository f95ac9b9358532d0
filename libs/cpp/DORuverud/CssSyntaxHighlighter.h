#pragma once

#include <QStringList>
#include <QSyntaxHighlighter>

namespace DORuverud {

// Colours style-sheet text with C-family rules: comments, hash lines,
// numbers, strings and a fixed keyword list. Open block comments and
// strings carry over to the next block through the block state.
class CssSyntaxHighlighter : public QSyntaxHighlighter
{
    Q_OBJECT

public:
    explicit CssSyntaxHighlighter(QTextDocument* parent);

    // The first keyword, in list order, that stands in text at position.
    QString getKeyword(int position, const QString& text) const;

protected:
    void highlightBlock(const QString& text) override;

private:
    enum State { NormalState = -1, InComment = 0, InString = 1 };

    QStringList m_keywords;
};

} // namespace DORuverud
