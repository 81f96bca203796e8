#pragma once
// Each test file adds its QTest class here; editor_main runs them all.
#include <QObject>
#include <functional>
#include <vector>

inline std::vector<std::function<QObject*()>>& EditorTests() {
    static std::vector<std::function<QObject*()>> tests;
    return tests;
}

template <class T>
struct EditorTestRegistration {
    EditorTestRegistration() {
        EditorTests().push_back([] { return new T; });
    }
};
