#pragma once

#include <QObject>
#include <QVariantMap>

// Owns the program's name on the session bus and answers the
// org.freedesktop.Application requests a launcher sends when the user
// activates the running program. Without a session bus it does nothing.
class App_Linux : public QObject
{
    Q_OBJECT
    Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Application")

public:
    explicit App_Linux(QObject* parent);
    ~App_Linux() override;

    // The object path that belongs to a bus name ("a.b-c" gives "/a/b_c").
    static QString objectPath(const QString& busName);

public slots:
    // Emits App_mac::dockClicked() once per call.
    Q_SCRIPTABLE void Activate(const QVariantMap& platformData);

private slots:
    // Follows the application name, which makes the bus name.
    void registerName();

private:
    void unregisterName();

    QString m_busName;
};
