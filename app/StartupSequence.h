#pragma once

class MainPage;

namespace DORuverud {
class App;
}

// The start-up steps of the program around building the main window; the
// program and the start-up benchmark both run them.
class StartupSequence
{
public:
    StartupSequence() = delete;

    // Before the application object: the process environment the program
    // runs in.
    static void prepareProcess();
    // Identity, version, resource offset and the outward links.
    static void configure(DORuverud::App& app);
    // Launcher clicks, language and slides, title and style sheet; the
    // window is ready to be shown.
    static void prepareWindow(DORuverud::App& app, MainPage& window);
    // Shows the window as the main widget and schedules the reminder.
    static void showWindow(DORuverud::App& app, MainPage& window);
};
