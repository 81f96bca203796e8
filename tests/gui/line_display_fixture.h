#pragma once
// One settings page on a fresh document, shown and driven by real key and mouse events, with
// every prompt answered and recorded.
#include <QAbstractItemView>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <memory>

#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/shell/page_registry.h"
#include "gui_support.h"
#include "text/language_texts.h"

namespace line_display {

inline QString LangText(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

template <class Page>
struct PageUnderTest {
    CTalveroDoc doc;
    ScriptedPrompts prompts;
    std::unique_ptr<Page> page;

    explicit PageUnderTest(const std::function<void(CTalveroDoc&)>& fill = {}, int setIndex = 0) {
        doc.OnNewDocument();
        if (fill) {
            fill(doc);
        }
        doc.SetModifiedFlag(false);
        PageContext context;
        context.document = &doc;
        page = std::make_unique<Page>(nullptr, context);
        page->SetSetIndex(setIndex);
        page->SetupHeader();
        page->resize(1400, 700);
        page->RefreshFromDocument();
        page->show();
        page->activateWindow();
        (void)QTest::qWaitForWindowActive(page.get());
        page->setFocus();
    }

    QString Cell(int row, int column = 1) const { return page->GetItemText(row, column); }

    QPoint Point(int row, int column) {
        page->EnsureVisible(row);
        std::vector<QRect> rects;
        page->GetColumnRects(row, &rects);
        return rects.at(column).center();
    }

    QWidget* Open(int row, int column = 1) {
        QTest::mouseDClick(page->viewport(), Qt::LeftButton, {}, Point(row, column));
        return page->GetEditor();
    }

    // Replaces the field's text by typing `text` character by character, then Enter.
    void Type(int row, int column, const QString& text) {
        auto* edit = qobject_cast<QLineEdit*>(Open(row, column));
        QVERIFY2(edit != nullptr, "no text field opened");
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

    // Opens the combo, moves to the item by keys and takes it with Enter.
    void Choose(int row, int column, const QString& text) {
        auto* combo = qobject_cast<KGridListCtrlCombo*>(Open(row, column));
        QVERIFY2(combo != nullptr, "no combo opened");
        const int target = combo->findText(text);
        QVERIFY2(target >= 0, qPrintable(text));
        // Steps through the list as the user does; a combo opened on a value off its list starts
        // with no item highlighted.
        for (int i = 0; i <= combo->count() && combo->view()->currentIndex().row() != target; ++i) {
            const int at = combo->view()->currentIndex().row();
            QTest::keyClick(combo->view(), at < target ? Qt::Key_Down : Qt::Key_Up);
        }
        QCOMPARE(combo->view()->currentIndex().row(), target);
        QTest::keyClick(combo->view(), Qt::Key_Return);
        QVERIFY(QTest::qWaitFor([&] { return page->GetEditor() == nullptr; }, 2000));
    }

    // The combo's items and the item it opened on; the combo is closed with Escape.
    QStringList ComboItems(int row, int column = 1, QString* current = nullptr) {
        auto* combo = qobject_cast<KGridListCtrlCombo*>(Open(row, column));
        QStringList items;
        if (combo) {
            for (int i = 0; i < combo->count(); ++i) {
                items << combo->itemText(i);
            }
            if (current) {
                *current = combo->currentIndex() >= 0 ? combo->currentText() : QString();
            }
            QTest::keyClick(combo->view(), Qt::Key_Escape);
        } else if (QWidget* editor = page->GetEditor()) {
            QTest::keyClick(editor, Qt::Key_Escape);
        }
        (void)QTest::qWaitFor([&] { return page->GetEditor() == nullptr; }, 2000);
        return items;
    }
};

}  // namespace line_display
