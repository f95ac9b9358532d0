#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTimer>

class QProgressDialog;
class QShortcut;
class QWidget;

// Shows that an editor tries what it was given, without holding the rest of
// the program: a busy pointer over the editor at once, Escape there cancels
// from the first moment, and after half a second a progress dialog over its
// window says what is tried and offers Cancel. The dialog shows without
// taking the keyboard, so that what the user types goes on to the editor,
// which holds it (TrialQueue). Once shown it stays at least half a second,
// so that it never flashes, Cancel gone once the trial ended; a trial that
// begins meanwhile takes it over. GUI thread only.
class TrialWait : public QObject
{
    Q_OBJECT

public:
    static constexpr int dialogDelayMs = 500;
    static constexpr int dialogLeastShownMs = 500;

    // The editor shows the busy pointer, also over its text area's viewport.
    TrialWait(QWidget* editor, QWidget* viewport);
    ~TrialWait() override;

    // The label tells what is tried; the half second counts from here.
    void begin(const QString& label);
    // A cancelled trial's dialog goes at once.
    void end(bool cancelled = false);
    // The progress dialog while it shows, or null.
    QProgressDialog* dialog() const;

signals:
    // By Cancel or Escape, while a trial runs.
    void cancelled();

private:
    void showDialog();
    void offerCancel(bool offered);

    QWidget* const m_editor;
    QWidget* const m_viewport;
    QShortcut* m_escape;
    QTimer m_delay;
    QTimer m_lingering;
    QElapsedTimer m_shown;
    QString m_label;
    bool m_waiting = false;
    // Over the editor's window, which may delete it first.
    QPointer<QProgressDialog> m_dialog;
};
