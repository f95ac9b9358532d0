// Renders every dialog offscreen with the application style sheet into PNG
// files, for checking by eye. Not a test: build the target and run it by hand,
//   shot_Dialogs <output folder>
#include "AboutDialog.h"
#include "App.h"
#include "AppStyleSheet.h"
#include "HelpDialog.h"
#include "InputDialog.h"
#include "JoinDialog.h"
#include "JoinReminderDialog.h"
#include "LicenseDialog.h"
#include "LinkDialog.h"
#include "MessageBox.h"
#include "RateReminderDialog.h"
#include "TellDialog.h"
#include "TellReminderDialog.h"
#include "UpdateIndicationDialog.h"
#include "WaitLabel.h"

#include <QDir>
#include <QTextEdit>

namespace {

// Saves the widget's picture as <folder>/<class name>.png, then deletes it.
void shoot(QWidget* widget, const QString& folder)
{
    widget->show();
    QCoreApplication::processEvents();
    const QString name = QString::fromLatin1(widget->metaObject()->className()).section(':', -1);
    widget->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
    delete widget;
}

} // namespace

int main(int argc, char** argv)
{
    DORuverud::App app(argc, argv, "Quelmar", "Tessivar");
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(folder);
    app.setStyleSheet(VADirur::AppStyleSheet::filled(false));
    app.setFaceBookShareLink(QStringLiteral("http://share.example/fb"));
    app.setTwitterShareLink(QStringLiteral("http://share.example/tw"));
    app.setVKontakteShareLink(QStringLiteral("http://share.example/vk"));

    using namespace DORuverud;
    shoot(new MessageBox(MessageBox::Question, "Delete", "Delete the favourite \"Autumn\"?",
              0x400 | 0x400000 | 0x4000 | 0x10000),
        folder);
    auto* input
        = new InputDialog("Name of the favourite:", nullptr, nullptr, false, InputDialog::Text);
    input->stringWidget()->setText("Autumn");
    shoot(input, folder);
    for (QWidget* dialog : std::initializer_list<QWidget*> {new AboutDialog, new LinkDialog,
             new RateReminderDialog, new TellReminderDialog, new JoinReminderDialog, new TellDialog,
             new JoinDialog, new WaitLabel("<h1>Checking for updates</h1>")})
        shoot(dialog, folder);
    auto* license = new LicenseDialog;
    license->findChild<QTextEdit*>()->setPlainText("The license text.");
    license->resize(480, 320);
    shoot(license, folder);
    auto* help = new HelpDialog;
    for (int n = 0; n < 9; ++n)
        help->addSlide(app.bundleResourcePath() + QStringLiteral("TQSlide%1_en.jpg").arg(n));
    shoot(help, folder);
    auto* popup = new UpdateIndicationDialog;
    popup->setText("Checking for updates");
    shoot(popup, folder);
    return 0;
}
