// Runs every GUI test class, headless.
#include <QApplication>
#include <QTest>

#include "gui_tests.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    if (const QByteArray child = qgetenv("TALVERO_TEST_CHILD"); !child.isEmpty()) {
        const auto mode = GuiChildModes().find(child.toStdString());
        return mode == GuiChildModes().end() ? 127 : mode->second();
    }
    int failures = 0;
    for (const auto& make : GuiTests()) {
        std::unique_ptr<QObject> test(make());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
