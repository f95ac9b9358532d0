#include "App.h"
#include <QtTest>
class TestApp : public QObject { Q_OBJECT private slots: void placeholder() {} };
int main(int argc, char** argv) { DORuverud::App app(argc, argv, "Quelmar", "Tessivar"); TestApp t; return QTest::qExec(&t, argc, argv); }
#include "test_Common.moc"
