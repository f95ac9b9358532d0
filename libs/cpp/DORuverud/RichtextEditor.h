#pragma once

#include <QWidget>

class TextEdit;

namespace DORuverud {

class EditorPanel;

// A compact rich-text editor to embed in other windows: a row of buttons with
// a colour chooser above a TextEdit.
class RichtextEditor : public QWidget
{
    Q_OBJECT

public:
    explicit RichtextEditor(QWidget* parent = nullptr);

    QString html() const;
    void setHtml(const QString& html);

signals:
    void textChanged();

private:
    void connectFileCommands();
    void connectTextCommands();

    TextEdit* m_editor;
    EditorPanel* m_panel;
};

} // namespace DORuverud
