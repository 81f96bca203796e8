#pragma once
// Real key events for text the QTest helpers cannot type (they send Latin-1 only).
#include <QApplication>
#include <QKeyEvent>
#include <QString>

inline void TypeText(QWidget* widget, const QString& text) {
    for (QChar ch : text) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
        QApplication::sendEvent(widget, &release);
    }
}
