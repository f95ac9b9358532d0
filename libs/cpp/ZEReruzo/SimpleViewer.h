#pragma once

#include <QString>
#include <QWidget>

namespace ZEReruzo {

// Paints one picture file stretched over the whole widget, on a dark-gray
// ground that shows alone when the file does not load or is beyond
// PictureReader's pixel budget.
class SimpleViewer : public QWidget
{
    Q_OBJECT

public:
    explicit SimpleViewer(QWidget* parent = nullptr);

public slots:
    // Only stores the path; the next paint shows it.
    void slotSetItem(QString str);

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QString m_strPath;
};

} // namespace ZEReruzo
