#pragma once

#include "vCard.h"

#include <QByteArray>
#include <QList>
#include <QString>

// Reads the cards of a vCard text, one line at a time, so that what it holds
// beside the text is the cards read and the line at hand. Folded lines are
// joined (a 3.0 fold loses its first blank, a 2.1 fold keeps it, folded photo
// data loses all), as are quoted-printable soft line breaks.
class vCardReader
{
public:
    // What reading may hold at once, at most: maxHeldPerByte times the text
    // read so far and maxHeldAtLeast besides, the line at hand included; a
    // text beyond it is refused as soon as it is. A card of real properties
    // holds about ten times its text, one of empty properties (":" lines)
    // some forty times.
    static constexpr qint64 maxHeldPerByte = 16;
    static constexpr qint64 maxHeldAtLeast = qint64(16) << 20;
    // The values, and the parameters, that one property may have.
    static constexpr int maxParts = 4096;

    // The complete cards of the text, in text order. None when the text is
    // beyond the bounds above; then errorText says why, or, when it is null,
    // a warning does. errorText is emptied when the text was read.
    static QList<vCard> read(const QByteArray& text, QString* errorText);
    // The properties of the lines, each read as it stands, up to a
    // BEGIN:VCARD or END:VCARD line; none, with a warning, beyond the bounds.
    static QList<vCardProperty> readProperties(const QByteArray& text);

private:
    void readLine(QByteArray line);
    bool continues(const QByteArray& line);
    void endLogicalLine();
    void readLogicalLine(const QByteArray& line);
    bool readProperty(const QByteArray& line, QList<vCardProperty>* properties);
    bool fits(qint64 bytes);
    bool refuse(const QString& reason);
    bool succeeded(QString* errorText) const;

    // The bytes of text read so far, and what the cards read hold.
    qint64 m_read = 0;
    qint64 m_held = 0;
    QString m_error;
    QList<vCard> m_cards;
    vCard m_card;
    bool m_inCard = false;
    bool m_version21 = false;
    // The logical line being joined, whether it holds photo data, and whether
    // its values are quoted-printable (-1: not yet known).
    QByteArray m_line;
    bool m_hasLine = false;
    bool m_photo = false;
    int m_quotedPrintable = -1;
};
