#pragma once

#include <QPointer>
#include <QWidget>

class TextEdit;

namespace DORuverud {

class EditorPanel;

// A compact rich-text editor to embed in other windows: a row of buttons with
// a colour chooser above a TextEdit. Closing the window that holds it asks the
// editor's save question first.
class RichtextEditor : public QWidget
{
    Q_OBJECT

public:
    explicit RichtextEditor(QWidget* parent = nullptr);

    QString html() const;
    void setHtml(const QString& html);

signals:
    void textChanged();

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Watches the close of the window that holds the editor now.
    void watchWindow();
    void connectFileCommands();
    void connectTextCommands();

    TextEdit* m_editor;
    EditorPanel* m_panel;
    QPointer<QWidget> m_window;
};

} // namespace DORuverud
