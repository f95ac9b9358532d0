#pragma once

#include <QByteArray>
#include <QString>

// A helper's folder of its own, in the folder the program keeps for its
// helpers (its base), all of them only the program's (0700): the stage,
// where the program copies the files a task of the helper reads and which is
// the helper's working folder, and the runtime folder the helper's Qt is
// given (XDG_RUNTIME_DIR). The program owns them; the helper only reads them.
// Removed with the object, the base once the program ends.
class HelperFolder
{
public:
    HelperFolder();
    ~HelperFolder();
    HelperFolder(const HelperFolder&) = delete;
    HelperFolder& operator=(const HelperFolder&) = delete;

    // Empty where it could not be made.
    QByteArray path() const;
    QByteArray stage() const;
    QByteArray runtime() const;
    // Removes what the stage holds, the stage itself staying the helper's
    // working folder.
    void clearStage() const;

    // The folder that holds every helper's; empty where none could be made.
    static QByteArray base();
    // The stage and runtime folder of a helper's folder.
    static QByteArray stageOf(const QByteArray& folder);
    static QByteArray runtimeOf(const QByteArray& folder);

private:
    QByteArray m_path;
};
