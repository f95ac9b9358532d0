#include "CssSyntaxHighlighter.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QtTest>

using DORuverud::CssSyntaxHighlighter;

// Each line of the document as one letter per character:
// '.' uncoloured, 'g' dark gray, 'G' green, 'c' cyan, 'w' white.
static QStringList colourMap(const QTextDocument& document)
{
    QStringList lines;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        QString line(block.length() - 1, QLatin1Char('.'));
        const QVector<QTextLayout::FormatRange> ranges = block.layout()->formats();
        for (const QTextLayout::FormatRange& range : ranges) {
            const QColor colour = range.format.foreground().color();
            QChar letter = QLatin1Char('?');
            if (colour == QColor(Qt::darkGray))
                letter = QLatin1Char('g');
            else if (colour == QColor(Qt::green))
                letter = QLatin1Char('G');
            else if (colour == QColor(Qt::cyan))
                letter = QLatin1Char('c');
            else if (colour == QColor(Qt::white))
                letter = QLatin1Char('w');
            for (int i = range.start; i < range.start + range.length && i < line.size(); ++i)
                line[i] = letter;
        }
        lines << line;
    }
    return lines;
}

class TestCssSyntaxHighlighter : public QObject
{
    Q_OBJECT

private slots:
    void coloursByRange_data();
    void coloursByRange();
    void blockStateCarriesOpenElements();
    void firstKeywordInListOrderWins_data();
    void firstKeywordInListOrderWins();
};

void TestCssSyntaxHighlighter::coloursByRange_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("colours");

    QTest::newRow("plain words stay uncoloured") << "abc xyz" << QStringList {"......."};
    QTest::newRow("hash in a colour value greens the rest")
        << "color: #ff0000;" << QStringList {".....w.GGGGGGGG"};
    QTest::newRow("object-name selector") << "QPushButton#name" << QStringList {"...........GGGGG"};
    QTest::newRow("line comment") << "a // b" << QStringList {"..gggg"};
    QTest::newRow("line comment wins over a later block comment")
        << "// x /* y" << QStringList {"ggggggggg"};
    QTest::newRow("block comment within a line") << "a /* b */ c" << QStringList {"..ggggggg.."};
    QTest::newRow("slash star slash is a whole comment") << "/*/x" << QStringList {"ggg."};
    QTest::newRow("digits are cyan, even inside words") << "h1 12px" << QStringList {".c.cc.."};
    QTest::newRow("double-quoted string") << "url(\"a.png\")" << QStringList {"...wcccccccw"};
    QTest::newRow("escaped quote keeps the string open")
        << "\"a\\\"b\" x" << QStringList {"cccccc.."};
    QTest::newRow("single quote closes a double-quoted string")
        << "\"it's\" x" << QStringList {"cccc.ccc"};
    QTest::newRow("comment marker inside a string is text") << "\"//\" a" << QStringList {"cccc.."};
    QTest::newRow("keywords inside longer words")
        << "interval republic" << QStringList {"www........wwwwww"};
    QTest::newRow("minus in a property name") << "font-size" << QStringList {"....w...."};
    QTest::newRow("lone slash and asterisk") << "a / b * c" << QStringList {"..w...w.."};
    QTest::newRow("arrow and shift are one keyword") << "a->b<<c" << QStringList {".ww.ww."};
}

void TestCssSyntaxHighlighter::coloursByRange()
{
    QFETCH(QString, text);
    QFETCH(QStringList, colours);

    QTextDocument document;
    CssSyntaxHighlighter* highlighter = new CssSyntaxHighlighter(&document);
    document.setPlainText(text);
    highlighter->rehighlight();

    QCOMPARE(colourMap(document), colours);
}

void TestCssSyntaxHighlighter::blockStateCarriesOpenElements()
{
    // GIVEN a comment and a string that stay open across lines
    QTextDocument document;
    document.documentLayout(); // edits reach the highlighter only through a layout
    CssSyntaxHighlighter* highlighter = new CssSyntaxHighlighter(&document);
    document.setPlainText(QStringLiteral("a /* b\n\nc */ d\n\"e\nf\" g"));
    highlighter->rehighlight();

    // THEN the lines between are coloured and the state follows them
    QCOMPARE(colourMap(document), (QStringList {"..gggg", "", "gggg..", "cc", "cc.."}));
    QTextBlock block = document.begin();
    QCOMPARE(block.userState(), 0);
    QCOMPARE(block.next().userState(), 0);
    QCOMPARE(block.next().next().userState(), -1);
    QCOMPARE(block.next().next().next().userState(), 1);
    QCOMPARE(document.lastBlock().userState(), -1);

    // WHEN the comment is closed on its first line
    QTextCursor cursor(document.begin());
    cursor.movePosition(QTextCursor::EndOfBlock);
    cursor.insertText(QStringLiteral(" */"));

    // THEN the following lines lose the comment colour
    QCOMPARE(colourMap(document).mid(0, 3), (QStringList {"..ggggggg", "", "..ww.."}));
}

void TestCssSyntaxHighlighter::firstKeywordInListOrderWins_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position");
    QTest::addColumn<QString>("keyword");

    QTest::newRow("foreach before for") << "foreach(x)" << 0 << "foreach";
    QTest::newRow("for alone") << "for(x)" << 0 << "for";
    QTest::newRow("arrow before minus") << "a->b" << 1 << "->";
    QTest::newRow("shift before less") << "a<<b" << 1 << "<<";
    QTest::newRow("nothing at a letter") << "abc" << 1 << "";
    QTest::newRow("nothing past the end") << "abc" << 3 << "";
}

void TestCssSyntaxHighlighter::firstKeywordInListOrderWins()
{
    QFETCH(QString, text);
    QFETCH(int, position);
    QFETCH(QString, keyword);

    QTextDocument document;
    CssSyntaxHighlighter* highlighter = new CssSyntaxHighlighter(&document);
    QCOMPARE(highlighter->getKeyword(position, text), keyword);
}

QTEST_MAIN(TestCssSyntaxHighlighter)
#include "test_CssSyntaxHighlighter.moc"
