#pragma once

#include <QByteArray>
#include <QString>

#include <memory>
#include <mutex>
#include <vector>

// The templates of the program's helpers: for a helper program that forks
// its helpers (HelperProcess::Start::Forked), one process of it, started
// as a helper is, in its sandbox (HelperSandbox), that readies itself once
// (its fonts loaded) and then forks each new helper of that program, which
// so starts in a moment. The template reads no task: it is trusted, and
// reads, besides what every helper reads, the folder of every helper, each
// helper only its own (LandlockRules). It reaps its helpers and tells how
// each ended. The program keeps a template for the run and starts it again
// where it ended. Any thread may ask; the requests to one template wait
// their turn.
class HelperTemplates
{
public:
    // Program to template: fork a helper, with its folder and, as
    // descriptors, its channel and errors; template to program: forked,
    // with its ID in the template's namespace and a pidfd of it; and, at any
    // time, numbered 0, a helper of its ended, with its ID and status.
    static constexpr char forkKind = 1;
    static constexpr char forkedKind = 2;
    static constexpr char endedKind = 3;

    struct Forked
    {
        // A pidfd of the helper, the caller's, or -1 where none was forked.
        int pidFd = -1;
        qint64 id = 0;
        // Why none was forked.
        QString refusal;
    };

    static HelperTemplates& instance();

    // A helper of the program, forked with that channel, errors and folder,
    // the template started first where none runs; within waitMs by the
    // clock.
    Forked fork(
        const QString& program, int channel, int errors, const QByteArray& folder, int waitMs);
    // The status the program's helper forked as id ended with, as a shell
    // tells it; -1 where the template did not tell it within waitMs.
    int endStatus(const QString& program, qint64 id, int waitMs);

private:
    struct Template;

    HelperTemplates();
    ~HelperTemplates();
    Template& templateOf(const QString& program);

    std::mutex m_mutex;
    std::vector<std::unique_ptr<Template>> m_templates;
};
