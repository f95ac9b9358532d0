#pragma once

#include <QStringList>
#include <QtGlobal>

#include <mutex>

// The warnings given while it lives, in any thread.
class Warnings
{
public:
    Warnings()
    {
        const std::lock_guard<std::mutex> lock(s_mutex);
        s_texts.clear();
        m_before = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext&, const QString& text) {
                const std::lock_guard<std::mutex> lock(s_mutex);
                if (type == QtWarningMsg)
                    s_texts << text;
            });
    }

    ~Warnings()
    {
        qInstallMessageHandler(m_before);
    }

    QString all() const
    {
        const std::lock_guard<std::mutex> lock(s_mutex);
        return s_texts.join('\n');
    }

private:
    static inline std::mutex s_mutex;
    static inline QStringList s_texts;
    QtMessageHandler m_before;
};
