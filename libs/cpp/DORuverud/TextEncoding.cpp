#include "TextEncoding.h"

#include <QTextCodec>

#include <algorithm>

bool TextEncoding::decode(
    const QByteArray& data, QTextCodec* codec, QLatin1String whiteSpace, QString* text)
{
    bool whole = false;
    *text = decode(data, codec, &whole);
    return whole && !holdsControl(*text, whiteSpace);
}

QString TextEncoding::decode(const QByteArray& data, QTextCodec* codec, bool* whole)
{
    QTextCodec::ConverterState state;
    QString text = codec->toUnicode(data.constData(), data.size(), &state);
    if (state.remainingChars > 0)
        text += QChar(QChar::ReplacementCharacter);
    *whole = state.invalidChars == 0 && state.remainingChars == 0;
    return text;
}

bool TextEncoding::holdsControl(const QString& text, QLatin1String whiteSpace)
{
    return std::any_of(text.cbegin(), text.cend(), [whiteSpace](QChar c) {
        return (c.unicode() < 0x20 && !whiteSpace.contains(c)) || c.unicode() == 0x7f;
    });
}

// Beyond doubt: at least 16 characters, a quarter of them or more with a zero
// high byte (Latin letters, digits, spaces and line ends), and fewer than one
// zero low byte for every eight of those. A stray zero byte shows nothing.
QTextCodec* TextEncoding::unmarkedUtf16(const QByteArray& data)
{
    const int characters = data.size() / 2;
    if (data.size() % 2 != 0 || characters < 16 || QTextCodec::codecForUtfText(data, nullptr))
        return nullptr;
    int zeros[2] = {0, 0};
    for (int i = 0; i < data.size(); ++i)
        zeros[i % 2] += data.at(i) == 0;
    const bool little = zeros[1] > zeros[0];
    const int high = zeros[int(little)];
    if (high * 4 < characters || zeros[int(!little)] * 8 >= high)
        return nullptr;
    return QTextCodec::codecForName(little ? "UTF-16LE" : "UTF-16BE");
}

QTextCodec* TextEncoding::utf8Or(const QByteArray& data, QTextCodec* fallback)
{
    QTextCodec* utf8 = QTextCodec::codecForName("UTF-8");
    QTextCodec::ConverterState state;
    utf8->toUnicode(data.constData(), data.size(), &state);
    return state.invalidChars == 0 && state.remainingChars == 0 ? utf8 : fallback;
}
