// gallery richtext: the compact rich-text editor with a sample document. The
// host's style sheet gives the panel's buttons their pictures.
#include "GalleryPages.h"
#include "RichtextEditor.h"
#include "TextEditIcons.h"

namespace {

const char* const document = R"(
<h2>Lanterns Over Keldmoor: practice notes</h2>
<p>Play the progression <b>slowly</b> first, one chord per bar, and let every chord ring
until the next one starts. Keep the thumb <i>behind</i> the neck.</p>
<ol>
<li>Am7 &ndash; D7 &ndash; Gmaj7 &ndash; Cmaj7</li>
<li>F&#x266f;m7&#x266d;5 &ndash; B7 &ndash; Em</li>
<li>Transpose the whole sequence <u>down two semitones</u> and play it again.</li>
</ol>
<p style="text-align:center"><span style="color:#c04000">Tempo: 72 beats per minute</span></p>
)";

// Object name of each panel button and the picture it shows.
const QList<QPair<const char*, const char*>> buttonPictures
    = {{"EditorFile", "filenew.png"}, {"EditorTextBold", "textbold.png"},
        {"EditorTextItalic", "textitalic.png"}, {"EditorTextUnderline", "textunder.png"},
        {"TextUndo", "editundo.png"}, {"TextRedo", "editredo.png"}, {"TextCut", "editcut.png"},
        {"TextCopy", "editcopy.png"}, {"TextPaste", "editpaste.png"},
        {"EditorTextAlignLeft", "textleft.png"}, {"TextAlignCenter", "textcenter.png"},
        {"TextAlignRight", "textright.png"}, {"TextAlignJustify", "textjustify.png"}};

QString panelStyleSheet()
{
    QString sheet;
    for (const auto& [name, picture] : buttonPictures)
        sheet += QStringLiteral("QPushButton#%1 { qproperty-icon: url(%2/%3); "
                                "qproperty-iconSize: 18px 18px; }\n")
                     .arg(QLatin1String(name), TextEditIcons::folder(), QLatin1String(picture));
    return sheet;
}

GalleryPages::Entry entry("richtext", [] {
    auto* editor = new DORuverud::RichtextEditor;
    editor->setStyleSheet(panelStyleSheet());
    editor->setHtml(QString::fromUtf8(document));
    editor->setWindowTitle(QObject::tr("Rich text"));
    editor->resize(760, 540);
    return editor;
});

} // namespace
