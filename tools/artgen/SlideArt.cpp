// The introduction slides, nine steps in each language.
#include "ArtRegistry.h"
#include "ArtWriter.h"
#include "DialogPictures.h"
#include "SlideDrawing.h"
#include "SlideScenes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

namespace {

struct Caption
{
    const char* title;
    const char* line;
};

const Caption english[] = {
    {"Choose an instrument", "Pick piano, guitar, ukulele or another instrument."},
    {"Choose a root and a type", "Select the chord's root note, then its type."},
    {"Three views of every chord", "See it on the fretboard, on the keyboard and on the staff."},
    {"Play the chord", "Click Play to hear how the chord sounds."},
    {"Build a sequence", "Add chords one after another to make a progression."},
    {"Transpose", "Shift the whole sequence up or down in one step."},
    {"Favourites", "Keep the sequences you like and open them again at any time."},
    {"Drag a chord picture out", "Drop a chord picture into a document or onto the desktop."},
    {"Where to find help", "The introduction and the help wait in the bar at the top."},
};

const Caption german[] = {
    {"Instrument wählen", "Klavier, Gitarre, Ukulele oder ein anderes Instrument."},
    {"Grundton und Typ wählen", "Erst den Grundton des Akkords, dann seinen Typ."},
    {"Drei Ansichten je Akkord", "Griffbrett, Klaviatur und Notenzeile auf einen Blick."},
    {"Akkord abspielen", "Klicken Sie auf Wiedergabe und hören Sie den Akkord."},
    {"Eine Akkordfolge bauen", "Reihen Sie Akkorde aneinander – fertig ist die Folge."},
    {"Transponieren", "Die ganze Folge mit einem Schritt höher oder tiefer."},
    {"Favoriten", "Lieblingsfolgen speichern und jederzeit wieder öffnen."},
    {"Akkordbild herausziehen", "Ziehen Sie ein Akkordbild in ein Dokument oder auf den Desktop."},
    {"Hier finden Sie Hilfe", "Einführung und Hilfe stehen immer in der Leiste oben."},
};

const Caption russian[] = {
    {"Выберите инструмент", "Фортепиано, гитара, укулеле или другой инструмент."},
    {"Выберите тонику и тип", "Сначала основной тон аккорда, затем его тип."},
    {"Три вида каждого аккорда", "Гриф, клавиатура и нотный стан — всё сразу."},
    {"Сыграйте аккорд", "Нажмите «Играть», чтобы услышать звучание."},
    {"Составьте последовательность", "Добавляйте аккорды один за другим."},
    {"Транспонирование", "Вся последовательность выше или ниже одним шагом."},
    {"Избранное", "Сохраняйте любимые последовательности и открывайте их снова."},
    {"Вытащите картинку аккорда", "Перетащите её в документ или на рабочий стол."},
    {"Где найти помощь", "Введение и справка всегда на панели вверху."},
};

const Caption* captionsOf(const QString& language)
{
    if (language == QLatin1String("de"))
        return german;
    if (language == QLatin1String("ru"))
        return russian;
    return english;
}

const QSize slideSize(800, 600);

void paintBackground(QPainter& p)
{
    QLinearGradient back(0, 0, 0, slideSize.height());
    back.setColorAt(0, QColor(30, 36, 48));
    back.setColorAt(1, QColor(12, 14, 20));
    p.fillRect(QRect(QPoint(0, 0), slideSize), back);
    QRadialGradient glow(QPointF(620, 80), 520);
    glow.setColorAt(0, QColor(0, 160, 224, 60));
    glow.setColorAt(1, QColor(0, 160, 224, 0));
    p.fillRect(QRect(QPoint(0, 0), slideSize), glow);
}

void paintHeader(QPainter& p, int step, const Caption& caption)
{
    const QPointF badge(62, 66);
    p.setPen(Qt::NoPen);
    p.setBrush(SlideDrawing::accent());
    p.drawEllipse(badge, 28, 28);
    SlideDrawing::label(p, QRectF(badge.x() - 28, badge.y() - 28, 56, 56),
        QString::number(step + 1), 30, Qt::white, true);

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(32);
    title.setBold(true);
    p.setFont(title);
    p.setPen(SlideDrawing::ink());
    p.drawText(QRectF(110, 30, 660, 44), Qt::AlignLeft | Qt::AlignVCenter,
        QString::fromUtf8(caption.title));
    QFont line(QStringLiteral("DejaVu Sans"));
    line.setPixelSize(18);
    p.setFont(line);
    p.setPen(QColor(170, 180, 195));
    p.drawText(QRectF(110, 76, 670, 30), Qt::AlignLeft | Qt::AlignVCenter,
        QString::fromUtf8(caption.line));
}

void paintFooter(QPainter& p, int step)
{
    const int count = DORuverud::DialogPictures::introductionSlideCount();
    const qreal spacing = 20;
    const qreal left = slideSize.width() / 2.0 - (count - 1) * spacing / 2;
    p.setPen(Qt::NoPen);
    for (int i = 0; i < count; ++i) {
        p.setBrush(i == step ? SlideDrawing::accent() : QColor(255, 255, 255, 60));
        p.drawEllipse(QPointF(left + i * spacing, 566), i == step ? 6 : 4, i == step ? 6 : 4);
    }
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(15);
    font.setBold(true);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    p.setFont(font);
    p.setPen(QColor(255, 255, 255, 110));
    p.drawText(
        QRectF(560, 550, 210, 32), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("Tessivar"));
}

QImage slide(int step, const QString& language)
{
    QImage image(slideSize, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    paintBackground(p);
    paintHeader(p, step, captionsOf(language)[step]);
    SlideScenes::paint(p, QRectF(40, 150, 720, 380), step);
    paintFooter(p, step);
    p.end();
    return image;
}

void paintSlides(ArtWriter& writer, const QString& language)
{
    using namespace DORuverud::DialogPictures;
    for (int step = 0; step < introductionSlideCount(); ++step)
        writer.saveBundleFile(introductionSlide(step, language), slide(step, language), 92);
}

ArtRegistry::Entry englishEntry("slides en", [](ArtWriter& w) { paintSlides(w, "en"); });
ArtRegistry::Entry germanEntry("slides de", [](ArtWriter& w) { paintSlides(w, "de"); });
ArtRegistry::Entry russianEntry("slides ru", [](ArtWriter& w) { paintSlides(w, "ru"); });

} // namespace
