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
#include <QTimer>

namespace {

void shoot(QWidget* widget, const QString& folder, const QString& name)
{
    widget->show();
    QCoreApplication::processEvents();
    widget->grab().save(QDir(folder).filePath(name + QStringLiteral(".png")));
    widget->hide();
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
        folder, "MessageBox");
    auto* input
        = new InputDialog("Name of the favourite:", nullptr, nullptr, false, InputDialog::Text);
    input->stringWidget()->setText("Autumn");
    shoot(input, folder, "InputDialog");
    shoot(new AboutDialog, folder, "AboutDialog");
    shoot(new LinkDialog, folder, "LinkDialog");
    shoot(new RateReminderDialog, folder, "RateReminderDialog");
    shoot(new TellReminderDialog, folder, "TellReminderDialog");
    shoot(new JoinReminderDialog, folder, "JoinReminderDialog");
    shoot(new TellDialog, folder, "TellDialog");
    shoot(new JoinDialog, folder, "JoinDialog");
    auto* license = new LicenseDialog;
    license->findChild<QTextEdit*>()->setPlainText("The license text.");
    license->resize(480, 320);
    shoot(license, folder, "LicenseDialog");
    auto* help = new HelpDialog;
    for (int n = 0; n < 9; ++n)
        help->addSlide(app.bundleResourcePath() + QStringLiteral("TQSlide%1_en.jpg").arg(n));
    shoot(help, folder, "HelpDialog");
    shoot(new WaitLabel("<h1>Checking for updates</h1>"), folder, "WaitLabel");
    auto* popup = new UpdateIndicationDialog;
    popup->setText("Checking for updates");
    shoot(popup, folder, "UpdateIndicationDialog");
    return 0;
}
