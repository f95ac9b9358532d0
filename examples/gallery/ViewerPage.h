#pragma once

#include <QStringList>
#include <QWidget>

class QGridLayout;

namespace ZEReruzo {
class SimpleViewer;
class Viewer;
} // namespace ZEReruzo

// Picture files in the stepping viewer, beside a stretched view of the
// second and thumbnails of the first six. Every picture is read within
// PictureReader's budget, at the size it is shown.
class ViewerPage : public QWidget
{
    Q_OBJECT

public:
    explicit ViewerPage(const QStringList& files, QWidget* parent = nullptr);

private:
    QGridLayout* thumbnailGrid(const QStringList& files);

    ZEReruzo::Viewer* m_viewer;
    ZEReruzo::SimpleViewer* m_stretched;
};
