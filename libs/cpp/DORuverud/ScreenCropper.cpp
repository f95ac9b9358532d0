#include "ScreenCropper.h"

#include "App.h"
#include "Common.h"
#include "ImageNoteFiles.h"
#include "Os.h"

#include <QAction>
#include <QCloseEvent>
#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>

namespace DORuverud {

ScreenCropper::ScreenCropper(QWidget* parent)
    : QFrame(parent)
{
    auto* close = new QAction(QStringLiteral("Close"), this);
    close->setShortcut(QKeySequence(Qt::Key_Escape));
    addAction(close);
    connect(close, &QAction::triggered, this, &ScreenCropper::slotClose);
    connect(close, &QAction::triggered, this, &ScreenCropper::escaped);
    ScreenCropper::retranslateUi();
}

ScreenCropper::~ScreenCropper()
{
    releaseCrossCursor();
}

void ScreenCropper::setMessage(const QString& message)
{
    m_message = message;
}

QString ScreenCropper::defaultMessage() const
{
    return tr("Select the area you want to crop.\n") + tr("The image file will be saved ")
        + m_locationPhrase + QLatin1Char('\n')
        + tr("Hold [ALT] to go, after screenshot is done, to its location\n")
        + tr("Press [ESC] to cancel this operation");
}

QString ScreenCropper::simpleMessage() const
{
    return tr("Select the area you want to crop. \n")
        + tr("(to cancel this operation press ESC button)");
}

void ScreenCropper::retranslateUi()
{
    if (App::isAppStore()) {
        m_saveFolder = QDir::cleanPath(App::theApp()->picturesDirectory());
        m_locationPhrase = QStringLiteral("in ~/Pictures/") + QCoreApplication::applicationName();
        return;
    }
    const QString desktop
        = QStandardPaths::standardLocations(QStandardPaths::DesktopLocation).value(0);
    // A file of that name, or a folder that takes no files, is no Desktop.
    const QFileInfo folder(desktop);
    if (!desktop.isEmpty() && folder.isDir() && folder.isReadable() && folder.isWritable()) {
        m_saveFolder = desktop;
        m_locationPhrase = tr("on Desktop");
    } else {
        m_saveFolder = QStandardPaths::standardLocations(QStandardPaths::HomeLocation).value(0);
        m_locationPhrase = tr("in Home Location");
    }
}

void ScreenCropper::setShowMode(ShowModes mode)
{
    m_showMode = mode;
}

QPixmap ScreenCropper::result() const
{
    return m_result;
}

void ScreenCropper::recreatePix2()
{
    m_displayPixmap = m_grabPixmap;
}

void ScreenCropper::grabScreen()
{
    m_selecting = false;
    m_grabPixmap = Common::grabScreen();
    showByMode();
    raise();
    activateWindow();
    recreatePix2();
    repaint();
    setFocus(Qt::OtherFocusReason);
    setCursor(Qt::CrossCursor);
    holdCrossCursor();
}

void ScreenCropper::showByMode()
{
    switch (m_showMode) {
    case FullScreenMode:
        coverScreen();
        showFullScreen();
        break;
    case MaximizedMode:
        showMaximized();
        break;
    default:
        show();
    }
}

// Without a window manager showFullScreen() alone leaves the frame at the
// size it had: it takes the grabbed screen's geometry as well.
void ScreenCropper::coverScreen()
{
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        setGeometry(screen->geometry());
}

void ScreenCropper::slotClose()
{
    releaseCrossCursor();
    m_selecting = false;
    showByMode();
    hide();
    emit closed();
}

void ScreenCropper::slotSave()
{
    const QString fileName = newFileName();
    const QString error = m_result.isNull() ? tr("There is no cropped area to save.")
                                            : ImageNoteFiles::savePng(m_result, fileName);
    if (!error.isEmpty()) {
        tellNotSaved(fileName, error);
        return;
    }
    if (m_reveal)
        Os::openFolderAndSelectFile(fileName);
    emit saved();
}

// Without blocking: the result stays, and Retry saves it again.
void ScreenCropper::tellNotSaved(const QString& fileName, const QString& error)
{
    auto* box = new QMessageBox(QMessageBox::Warning, tr("Screenshot"),
        tr("%1 was not saved.").arg(QFileInfo(fileName).fileName()) + QLatin1Char('\n') + error,
        QMessageBox::Close, this);
    box->setAttribute(Qt::WA_DeleteOnClose);
    if (!m_result.isNull())
        connect(box->addButton(QMessageBox::Retry), &QPushButton::clicked, this,
            &ScreenCropper::slotSave);
    box->show();
}

// Named after the date and time; a second save in the same second gets a
// number instead of replacing the first.
QString ScreenCropper::newFileName() const
{
    const QString stem = m_saveFolder + QStringLiteral("/ScreenShot_")
        + QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd_hh-mm-ss"));
    QString name = stem + QStringLiteral(".png");
    for (int n = 2; QFileInfo::exists(name); ++n)
        name = stem + QStringLiteral("_%1.png").arg(n);
    return name;
}

void ScreenCropper::mousePressEvent(QMouseEvent* event)
{
    m_selection = QRect(event->pos(), event->pos());
    m_selecting = true;
    QWidget::mousePressEvent(event);
    repaint();
}

void ScreenCropper::mouseMoveEvent(QMouseEvent* event)
{
    QWidget::mouseMoveEvent(event);
    m_selection.setBottomRight(event->pos());
    repaint();
}

void ScreenCropper::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->modifiers() & Qt::AltModifier)
        m_reveal = true;
    QWidget::mouseReleaseEvent(event);
    crop();
    slotClose();
    emit done(m_result);
    emit done();
}

// Widget pixels to grab pixels, truncated toward zero.
void ScreenCropper::crop()
{
    const double scale = Os::scaleFactor();
    const auto physical = [scale](const QPoint& point) {
        return QPoint(int(point.x() * scale), int(point.y() * scale));
    };
    m_result = m_grabPixmap.copy(
        spanned(QRect(physical(m_selection.topLeft()), physical(m_selection.bottomRight()))));
}

QRect ScreenCropper::spanned(const QRect& dragged)
{
    return QRect(
        QPoint(qMin(dragged.left(), dragged.right()), qMin(dragged.top(), dragged.bottom())),
        QPoint(qMax(dragged.left(), dragged.right()), qMax(dragged.top(), dragged.bottom())));
}

void ScreenCropper::keyPressEvent(QKeyEvent* event)
{
    QWidget::keyPressEvent(event);
    if (event->key() == Qt::Key_Return)
        m_reveal = true;
}

void ScreenCropper::resizeEvent(QResizeEvent*)
{
    recreatePix2();
}

void ScreenCropper::closeEvent(QCloseEvent* event)
{
    event->ignore();
    hide();
}

void ScreenCropper::changeEvent(QEvent* event)
{
    QFrame::changeEvent(event);
    if (event->type() == QEvent::LanguageChange)
        retranslateUi();
}

void ScreenCropper::holdCrossCursor()
{
    if (m_crossCursorHeld)
        return;
    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    m_crossCursorHeld = true;
}

void ScreenCropper::releaseCrossCursor()
{
    if (!m_crossCursorHeld)
        return;
    QGuiApplication::restoreOverrideCursor();
    m_crossCursorHeld = false;
}

QPen ScreenCropper::selectionPen()
{
    return QPen(QColor(210, 210, 210), 1, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin);
}

QBrush ScreenCropper::selectionBrush()
{
    return QBrush(QColor(10, 10, 80, 100));
}

void ScreenCropper::paintEvent(QPaintEvent*)
{
    const int w = width();
    const int h = height();
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(
        QPen(QColor(255, 255, 255, 128), 7, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(Qt::black);
    painter.drawRect(QRect(QPoint(0, 0), QPoint(w, h)));
    painter.drawPixmap(QRectF(0, 0, w, h), m_displayPixmap, QRectF(m_displayPixmap.rect()));
    // A half-transparent frame over the picture's edges.
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(QRect(QPoint(0, 0), QPoint(w - 1, h - 1)));
    if (m_selecting) {
        painter.setPen(selectionPen());
        painter.setBrush(selectionBrush());
        painter.drawRect(spanned(m_selection));
        return;
    }
    painter.setRenderHint(QPainter::Antialiasing, true);
    drawMessageBox(painter, 20, 3.7);
}

void ScreenCropper::drawMessageBox(QPainter& painter, int pixelSize, double sideDivisor) const
{
    QFont font = this->font();
    font.setPixelSize(pixelSize);
    painter.setFont(font);
    painter.setPen(QPen(QColor(200, 200, 200), 4, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
    painter.setBrush(QColor(0, 0, 0, 180));
    const int side = int(width() / sideDivisor);
    const int top = int(height() / 2.5);
    const QRectF box(side, top, width() - 2 * side, height() - 2 * top);
    painter.drawRoundedRect(box, 5, 20, Qt::RelativeSize);
    painter.drawText(box, Qt::AlignCenter | Qt::TextWordWrap,
        m_message.isEmpty() ? defaultMessage() : m_message);
}

} // namespace DORuverud
