#pragma once
// Each test file adds its QTest class here; gui_main runs them all.
#include <QObject>
#include <functional>
#include <map>
#include <string>
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

// Child modes: a test that must kill a running program starts this test program again with
// TALVERO_TEST_CHILD naming the mode; gui_main then runs the mode instead of the tests.
inline std::map<std::string, std::function<int()>>& GuiChildModes() {
    static std::map<std::string, std::function<int()>> modes;
    return modes;
}

struct GuiChildModeRegistration {
    GuiChildModeRegistration(const char* name, std::function<int()> run) {
        GuiChildModes()[name] = std::move(run);
    }
};
