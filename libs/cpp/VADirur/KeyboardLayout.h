#pragma once

#include <QFont>
#include <QPoint>
#include <QRect>
#include <QSize>
#include <QString>
#include <QVector>

namespace VADirur {

// Where the parts of the piano's keyboard go in a view of a given size: the
// two octaves from C3 below the title, "C3" and "C4" over their keys, and
// the names of the pressed keys in a row under the keyboard, each under its
// key or moved aside just enough to stand apart from its neighbours; every
// other name goes to a second row where one row is too narrow and the room
// allows. The labels and names are at least as tall as the digits of a
// six-string tablature in a view of that size; the white keys take the
// room left, from three to five times as high as they are wide.
class KeyboardLayout
{
public:
    static constexpr int keyCount = 24;

    // A pressed key (0 is C3) and its name.
    struct Name
    {
        int key;
        QString text;
    };

    // Lays out the keyboard and its names in a view of that size below a
    // title ending at titleBottom. What does not depend on the names is
    // kept from the last call with the same size, title and font.
    void lay(const QSize& size, int titleBottom, const QFont& font, const QVector<Name>& names);

    static bool isBlack(int key);
    int pen() const;
    QRect keyRect(int key) const;
    // The dot that marks a pressed key.
    QRect dotRect(int key) const;

    QFont labelFont() const;
    static QString label(int which);
    QPoint labelOrigin(int which) const;

    QFont nameFont() const;
    // Where the name of each pressed key is drawn, in the order given.
    QPoint nameOrigin(int i) const;

private:
    void fitFont(const QFont& font);
    void place();
    QVector<QRect> row(const QVector<Name>& names) const;
    void placeNames(const QVector<Name>& names);

    QString m_key;
    QSize m_size;
    int m_titleBottom = 0;
    int m_gap = 2;
    QFont m_labelFont;
    QFont m_nameFont;
    QRect m_board;
    int m_white = 1;
    int m_pen = 1;
    int m_namesBaseline = 0;
    int m_nameRows = 1;
    int m_nameStep = 0;
    QPoint m_labelOrigins[2];
    QVector<QPoint> m_nameOrigins;
};

} // namespace VADirur
