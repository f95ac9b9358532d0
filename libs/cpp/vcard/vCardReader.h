#pragma once

#include "vCard.h"

#include <QByteArray>
#include <QList>

// Reads the cards of a vCard text, one line at a time, so that what it holds
// beside the text is the cards read and the line at hand. Folded lines are
// joined (a 3.0 fold loses its first blank, a 2.1 fold keeps it, folded photo
// data loses all), as are quoted-printable soft line breaks.
class vCardReader
{
public:
    // What the cards read may hold, at most: a text beyond it is refused. A
    // card of real properties holds about ten times its text; one of empty
    // properties (":" lines) some forty times.
    static constexpr qint64 maxHeldPerByte = 16;
    static constexpr qint64 maxHeldAtLeast = qint64(16) << 20;

    // The complete cards of the text, in text order; none, with a warning,
    // when they would hold more than the bound above.
    static QList<vCard> read(const QByteArray& text);

private:
    void readLine(QByteArray line);
    bool continues(const QByteArray& line);
    void endLogicalLine();
    void readLogicalLine(const QByteArray& line);

    qint64 m_budget = 0;
    qint64 m_held = 0;
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
