#pragma once
// Each test file adds its QTest class here; gui_main runs them all.
#include <QObject>
#include <functional>
#include <vector>

inline std::vector<std::function<QObject*()>>& GuiTests() {
    static std::vector<std::function<QObject*()>> tests;
    return tests;
}

template <class T>
struct GuiTestRegistration {
    GuiTestRegistration() {
        GuiTests().push_back([] { return new T; });
    }
};
