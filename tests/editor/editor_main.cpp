// Runs every editor test class, headless.
#include <QApplication>
#include <QTest>
#include <memory>

#include "editor_tests.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    int failures = 0;
    for (const auto& make : EditorTests()) {
        std::unique_ptr<QObject> test(make());
        failures += QTest::qExec(test.get(), argc, argv);
    }
    return failures == 0 ? 0 : 1;
}
