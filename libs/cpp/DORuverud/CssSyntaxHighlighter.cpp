#include "CssSyntaxHighlighter.h"

namespace DORuverud {

CssSyntaxHighlighter::CssSyntaxHighlighter(QTextDocument* parent)
    : QSyntaxHighlighter(parent)
{
    m_keywords = QStringList {QStringLiteral("foreach"), QStringLiteral("bool"),
        QStringLiteral("int"), QStringLiteral("void"), QStringLiteral("double"),
        QStringLiteral("float"), QStringLiteral("char"), QStringLiteral("delete"),
        QStringLiteral("class"), QStringLiteral("const"), QStringLiteral("virtual"),
        QStringLiteral("mutable"), QStringLiteral("this"), QStringLiteral("struct"),
        QStringLiteral("union"), QStringLiteral("throw"), QStringLiteral("for"),
        QStringLiteral("if"), QStringLiteral("else"), QStringLiteral("false"),
        QStringLiteral("namespace"), QStringLiteral("switch"), QStringLiteral("case"),
        QStringLiteral("public"), QStringLiteral("private"), QStringLiteral("protected"),
        QStringLiteral("new"), QStringLiteral("return"), QStringLiteral("using"),
        QStringLiteral("true"), QStringLiteral("->"), QStringLiteral(">>"), QStringLiteral("<<"),
        QStringLiteral(">"), QStringLiteral("<"), QStringLiteral("("), QStringLiteral(")"),
        QStringLiteral("{"), QStringLiteral("}"), QStringLiteral("["), QStringLiteral("]"),
        QStringLiteral("+"), QStringLiteral("-"), QStringLiteral("*"), QStringLiteral("/"),
        QStringLiteral("="), QStringLiteral("!"), QStringLiteral("."), QStringLiteral(","),
        QStringLiteral(";"), QStringLiteral(":"), QStringLiteral("&"), QStringLiteral("emit"),
        QStringLiteral("connect"), QStringLiteral("SIGNAL"), QStringLiteral("|"),
        QStringLiteral("SLOT"), QStringLiteral("slots"), QStringLiteral("signals")};
}

QString CssSyntaxHighlighter::getKeyword(int position, const QString& text) const
{
    for (const QString& keyword : m_keywords) {
        if (text.midRef(position, keyword.length()) == keyword)
            return keyword;
    }
    return QString();
}

static bool isQuote(QChar c)
{
    return c == QLatin1Char('"') || c == QLatin1Char('\'');
}

static bool isNumberChar(QChar c)
{
    if (c.unicode() <= 0x7f)
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    return c.isNumber();
}

// One left-to-right scan; an open comment or string starts at the block's
// start when the previous block left it open.
void CssSyntaxHighlighter::highlightBlock(const QString& text)
{
    int state = previousBlockState();
    int start = 0;
    const int length = text.length();
    for (int i = 0; i < length; ++i) {
        const QStringRef pair = text.midRef(i, 2);
        if (state == InString) {
            if (isQuote(text[i]) && (i == 0 || text[i - 1] != QLatin1Char('\\'))) {
                setFormat(start, i - start + 1, QColor(Qt::cyan));
                state = NormalState;
            }
        } else if (state == InComment) {
            if (pair == QLatin1String("*/")) {
                setFormat(start, i + 2 - start, QColor(Qt::darkGray));
                ++i;
                state = NormalState;
            }
        } else if (pair == QLatin1String("//")) {
            setFormat(i, length - i, QColor(Qt::darkGray));
            break;
        } else if (text[i] == QLatin1Char('#')) {
            setFormat(i, length - i, QColor(Qt::green));
            break;
        } else if (isNumberChar(text[i])) {
            setFormat(i, 1, QColor(Qt::cyan));
        } else if (pair == QLatin1String("/*")) {
            start = i;
            state = InComment;
        } else if (isQuote(text[i])) {
            start = i;
            state = InString;
        } else {
            const QString keyword = getKeyword(i, text);
            if (!keyword.isEmpty()) {
                setFormat(i, keyword.length(), QColor(Qt::white));
                i += keyword.length() - 1;
            }
        }
    }
    if (state == InString)
        setFormat(start, length - start, QColor(Qt::cyan));
    else if (state == InComment)
        setFormat(start, length - start, QColor(Qt::darkGray));
    setCurrentBlockState(state);
}

} // namespace DORuverud
