#pragma once

#include <QByteArray>

// A helper's standard error: a pipe, never the program's terminal nor a
// file of the user's, that the program drains into its own standard error,
// each line marked with the helper's name, up to mostBytes a task; what is
// beyond is read and left out. Every control byte but the line end, and
// every byte that is no part of valid UTF-8, reaches the program's standard
// error written out as \xHH, so that a helper neither drives the terminal
// it shows on nor types into it. One thread at a time may use it.
class HelperErrors
{
public:
    static constexpr int mostBytes = 64 << 10;

    explicit HelperErrors(const QByteArray& helper);
    ~HelperErrors();
    HelperErrors(const HelperErrors&) = delete;
    HelperErrors& operator=(const HelperErrors&) = delete;

    // A new pipe, for a new process; false where none is made.
    bool open();
    // The end the helper writes to, which the program closes once the
    // helper has it.
    int helperEnd() const;
    void closeHelperEnd();
    // The end to wait on for what the helper wrote.
    int programEnd() const;
    // Copies what the helper wrote, within the task's bytes.
    void drain();
    // A task begins, with bytes of its own.
    void newTask();
    void close();

private:
    void pass(const char* text, int length);
    void write(const QByteArray& escaped);

    const QByteArray m_helper;
    int m_pipe[2] = {-1, -1};
    int m_left = mostBytes;
    bool m_atLineStart = true;
    bool m_toldLeftOut = false;
    // The start of a character that the next bytes complete.
    QByteArray m_unfinished;
};
