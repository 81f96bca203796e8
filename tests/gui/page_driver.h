#pragma once
// Drives one settings page as a user does: a fresh default document (optionally filled, then
// marked unmodified), the page shown and refreshed, and key and mouse events to open, type into
// and choose in its cell editors. Prompts are answered and recorded by ScriptedPrompts.
#include <QAbstractItemView>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui_support.h"

template <class Page>
struct PageDriver {
    CTalveroDoc doc;
    ScriptedPrompts prompts;
    std::unique_ptr<Page> page;

    explicit PageDriver(const std::function<void(CTalveroDoc&)>& fill = {}) {
        doc.OnNewDocument();
        if (fill) {
            fill(doc);
        }
        doc.SetModifiedFlag(false);
        PageContext context;
        context.document = &doc;
        page = std::make_unique<Page>(nullptr, context);
        page->SetSetIndex(0);
        page->SetupHeader();
        page->resize(900, 700);
        page->RefreshFromDocument();
        page->show();
        page->activateWindow();
        (void)QTest::qWaitForWindowActive(page.get());
        page->setFocus();
    }

    QString Text(int row) const { return page->GetItemText(row, 1); }
    bool Editable(int row) const { return page->IsCellEditable(row, 1); }

    QPoint Cell(int row) {
        page->EnsureVisible(row);
        std::vector<QRect> rects;
        page->GetColumnRects(row, &rects);
        return rects.at(1).center();
    }

    QWidget* Open(int row) {
        QTest::mouseDClick(page->viewport(), Qt::LeftButton, {}, Cell(row));
        return page->GetEditor();
    }

    void Type(int row, const QString& text) {
        auto* edit = qobject_cast<QLineEdit*>(Open(row));
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

    // Opens the combo, moves to the item by keys and takes it with Enter.
    void Choose(int row, const QString& text) {
        auto* combo = qobject_cast<KGridListCtrlCombo*>(Open(row));
        QVERIFY2(combo != nullptr, "no combo opened");
        const int target = combo->findText(text);
        QVERIFY2(target >= 0, qPrintable(text));
        const int steps = target - combo->currentIndex();
        for (int i = 0; i < std::abs(steps); ++i) {
            QTest::keyClick(combo->view(), steps > 0 ? Qt::Key_Down : Qt::Key_Up);
        }
        QTest::keyClick(combo->view(), Qt::Key_Return);
        QVERIFY(QTest::qWaitFor([&] { return page->GetEditor() == nullptr; }, 2000));
    }

    QStringList Items(int row) {
        auto* combo = qobject_cast<KGridListCtrlCombo*>(Open(row));
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
