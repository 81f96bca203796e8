#pragma once
// A settings page shown on its own over a fresh document, driven by mouse and key events as a
// user drives it; every prompt it raises is answered by `prompts`.
#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <memory>

#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui_support.h"

template <class Page>
struct PageUnderTest {
    CTalveroDoc doc;
    ScriptedPrompts prompts;
    std::unique_ptr<Page> page;

    explicit PageUnderTest(const std::function<void(CTalveroDoc&)>& fill = {},
                           const std::string& helpFile = {}) {
        doc.OnNewDocument();
        if (fill) {
            fill(doc);
        }
        PageContext context;
        context.document = &doc;
        context.helpFilePath = helpFile;
        page = std::make_unique<Page>(nullptr, context);
        page->SetSetIndex(0);
        page->SetupHeader();
        page->resize(900, 600);
        page->RefreshFromDocument();
        page->show();
        page->activateWindow();
        (void)QTest::qWaitForWindowActive(page.get());
        page->setFocus();
    }

    QPoint Cell(int row, int column) {
        page->EnsureVisible(row);
        std::vector<QRect> rects;
        page->GetColumnRects(row, &rects);
        return rects.at(column).center();
    }

    QWidget* Open(int row, int column = 1) {
        QTest::mouseDClick(page->viewport(), Qt::LeftButton, {}, Cell(row, column));
        return page->GetEditor();
    }

    // Replaces the cell's text by typing and ends the edit with Enter.
    void Type(int row, const QString& text, int column = 1) {
        auto* edit = qobject_cast<QLineEdit*>(Open(row, column));
        QVERIFY2(edit != nullptr, "no text editor opened");
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(edit, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(edit, &release);
        }
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(page->GetEditor() == nullptr);
    }

    // Opens the combo, moves to the item with the given text by keys and takes it with Enter.
    void Choose(int row, const QString& text, int column = 1) {
        auto* combo = qobject_cast<KGridListCtrlCombo*>(Open(row, column));
        QVERIFY2(combo != nullptr, "no combo opened");
        const int target = combo->findText(text);
        QVERIFY2(target >= 0, qPrintable(text));
        // With no item selected the list still starts on its first item.
        const int from = std::max(0, combo->currentIndex());
        const int steps = target - from;
        for (int i = 0; i < std::abs(steps); ++i) {
            QTest::keyClick(combo->view(), steps > 0 ? Qt::Key_Down : Qt::Key_Up);
        }
        QTest::keyClick(combo->view(), Qt::Key_Return);
        QVERIFY(QTest::qWaitFor([&] { return page->GetEditor() == nullptr; }, 2000));
    }

    QStringList ComboItems(int row, int column = 1) {
        auto* combo = qobject_cast<KGridListCtrlCombo*>(Open(row, column));
        QStringList items;
        if (combo) {
            for (int i = 0; i < combo->count(); ++i) {
                items << combo->itemText(i);
            }
            QTest::keyClick(combo->view(), Qt::Key_Escape);
        } else if (QWidget* editor = page->GetEditor()) {
            QTest::keyClick(editor, Qt::Key_Escape);
        }
        (void)QTest::qWaitFor([&] { return page->GetEditor() == nullptr; }, 2000);
        return items;
    }
};
