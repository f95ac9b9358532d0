#pragma once

#include <QFrame>
#include <QPixmap>

namespace DORuverud {

// Covers the screen with a still picture of it; the user drags a rectangle
// and the area under it becomes the result, in physical pixels, which
// slotSave() writes as a PNG file named after the date and time, or says
// in a message box why it could not. Hidden
// until grabScreen(); reused for any number of grabs. GUI thread only.
class ScreenCropper : public QFrame
{
    Q_OBJECT

public:
    // Any other value shows a normal window too.
    enum ShowModes : int { FullScreenMode = 0, MaximizedMode = 1, NormalMode = 2 };

    explicit ScreenCropper(QWidget* parent = nullptr);
    ~ScreenCropper() override;

    // An empty message brings back the default one.
    void setMessage(const QString& message);
    QString defaultMessage() const;
    // A ready text for setMessage().
    QString simpleMessage() const;
    // Recomputes the save folder and the words that name it.
    virtual void retranslateUi();
    // Takes effect at the next grab or close.
    void setShowMode(ShowModes mode);
    QPixmap result() const;
    // Paints the last grab again.
    void recreatePix2();

signals:
    // After a crop: done(QPixmap) with the result first, then done().
    void done(QPixmap result);
    void done();
    // The whole file is in the save folder.
    void saved();
    void closed();
    // Escape, after the close.
    void escaped();

public slots:
    // Takes a new picture of the screen and shows the cropper over it.
    virtual void grabScreen();

private slots:
    virtual void slotClose();
    void slotSave();

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

    // The area that the two dragged corners span, both included.
    static QRect spanned(const QRect& dragged);
    static QPen selectionPen();
    static QBrush selectionBrush();
    // The message, or the default one, in a rounded box in the middle.
    void drawMessageBox(QPainter& painter, int pixelSize, double sideDivisor) const;
    // The application's cross cursor, held at most once, so that one
    // release always brings the normal cursors back.
    void holdCrossCursor();
    void releaseCrossCursor();
    // The geometry of the screen that grabScreen() takes a picture of.
    void coverScreen();

    QPixmap m_grabPixmap;
    bool m_selecting = false;
    QRect m_selection {QPoint(0, 0), QPoint(0, 0)};
    QString m_saveFolder;
    QString m_locationPhrase;
    QString m_message;
    QPixmap m_result;
    bool m_reveal = false;
    ShowModes m_showMode = FullScreenMode;
    QPixmap m_displayPixmap;
    double m_measuringScale = 1.0;

private:
    void showByMode();
    void crop();
    QString newFileName() const;
    void tellNotSaved(const QString& fileName, const QString& error);

    bool m_crossCursorHeld = false;
};

} // namespace DORuverud
