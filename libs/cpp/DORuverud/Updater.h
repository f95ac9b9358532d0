#pragma once

#include <QObject>
#include <QString>

class QLabel;

namespace DORuverud {

// Checks the maker's web site for a newer build and tells the user in an
// UpdaterDialog. A quiet updater only announces an available update.
// GUI thread only.
class Updater : public QObject
{
    Q_OBJECT

public:
    explicit Updater(bool quiet, QObject* parent = nullptr);
    ~Updater() override;

    // Fetches the page and shows the outcome, hiding label (the busy
    // indicator) first. False when the page named no release date.
    bool doUpdate(QLabel* label);

public slots:
    // Runs a check behind a please-wait window.
    void slotUpdate();
    void setMagicString(const QString& magicString);
    void setUpdatesCheckLink(const QString& link);

private:
    static void showDialog(QLabel* label, const QString& message, const QString& picture);

    bool m_quiet;
    QString m_magicString;
    QString m_updatesCheckLink;
};

} // namespace DORuverud
