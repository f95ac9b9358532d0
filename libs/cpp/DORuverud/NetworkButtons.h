#pragma once

#include <QPushButton>
#include <QStringList>
#include <QVBoxLayout>

#include <array>

class QDialog;
class QLabel;

namespace DORuverud {

// What the share and join frames and their dialogs have in common: the
// Facebook, Twitter, VKontakte and e-mail buttons, in this order.
class NetworkButtons
{
public:
    // Flat, 190 x 35, checkable, with the given object name; the style
    // sheet gives the picture.
    static void applyProperties(QPushButton* button, const QString& objectName);

    // Makes the four buttons through frame->applyButtonProperties() with the
    // given object names, hides each social button whose share link is
    // empty, connects each button's clicked() to its handler and returns them
    // top to bottom in a column.
    template <class Frame>
    static QVBoxLayout* createColumn(Frame* frame, const QStringList& objectNames,
        const std::array<void (Frame::*)(), 4>& handlers)
    {
        QList<QPushButton*> buttons;
        for (const QString& objectName : objectNames) {
            buttons << new QPushButton;
            frame->applyButtonProperties(buttons.last(), objectName);
        }
        hideUnlinked(buttons);
        for (int i = 0; i < buttons.size(); ++i)
            QObject::connect(buttons.at(i), &QPushButton::clicked, frame, handlers.at(i));
        return column(buttons);
    }

    // Lays a share or join dialog out: the message (none when null), the
    // frame between two stretches, and a close button that accepts.
    static void layOutDialog(
        QDialog* dialog, QLabel* message, QWidget* frame, const QString& closeText);

private:
    static void hideUnlinked(const QList<QPushButton*>& buttons);
    static QVBoxLayout* column(const QList<QPushButton*>& buttons);
};

} // namespace DORuverud
