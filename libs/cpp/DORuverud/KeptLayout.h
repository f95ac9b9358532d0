#pragma once

#include <QTextOption>

class QTextDocument;
class QTextEdit;

// A document laid out whole on the layout thread (LayoutThread) and shown in
// a text area on the GUI thread without a second layout there: QTextEdit
// lays a document it is given out anew at the width of its viewport, which
// is the width this one was laid out at. Through Qt's private text layout
// classes, as the public ones offer no way to keep a layout.
class KeptLayout
{
public:
    KeptLayout() = delete;

    // On the document's thread, once it holds its text (Qt imports text many
    // times faster into a document without a layout) and before it is laid
    // out: it lays out as a text area of that wrap mode does on the GUI
    // thread, its pictures too (PictureLayout), keeping its layout when shown.
    static void prepare(QTextDocument* document, QTextOption::WrapMode wrap);
    // Lays the document out whole at that text width, as the text area's
    // viewport would, on its own thread; then lets go of the fonts of that
    // thread, so that the document may move to the GUI thread.
    static void layOut(QTextDocument* document, int viewportWidth);
    // Shows the document in the area, its layout kept where the viewport's
    // width is the one it was laid out at.
    static void show(QTextEdit* area, QTextDocument* document);
};
