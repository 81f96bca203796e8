#pragma once
// Settings pages under test, driven by real key and mouse events: a page of a known class
// (PageUnderTest, on a fresh document, optionally filled and then marked unmodified) or any page
// the program registers (RegisteredPages), with every prompt answered and recorded. Page test files add the
// edits of the round-trip check with RoundTripEdits.
#include <QAbstractItemView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>
#include <functional>
#include <memory>
#include <vector>

#include "document/talvero_doc.h"
#include "gui/editor/k_grid_list_ctrl_combo.h"
#include "gui/editor/k_grid_list_view.h"
#include "gui/shell/page_registry.h"
#include "gui_support.h"
#include "text/language_texts.h"

// A language text as the pages show it.
inline QString T(uint32_t id) {
    return QString::fromStdU16String(GetLanguageText(id));
}

// The numbers from `first` to `last`, as a combo of numbers lists them.
inline QStringList NumberTexts(int first, int last) {
    QStringList texts;
    for (int n = first; n <= last; ++n) {
        texts << QString::number(n);
    }
    return texts;
}

// Key and mouse events on one page's grid.
struct GridDriver {
    KGridListView* grid = nullptr;

    QPoint Cell(int row, int column) {
        grid->EnsureVisible(row);
        std::vector<QRect> rects;
        grid->GetColumnRects(row, &rects);
        return rects.at(column).center();
    }

    QString Text(int row, int column = 1) const { return grid->GetItemText(row, column); }
    bool Editable(int row, int column = 1) const { return grid->IsCellEditable(row, column) != 0; }

    QWidget* Open(int row, int column = 1) {
        QTest::mouseDClick(grid->viewport(), Qt::LeftButton, {}, Cell(row, column));
        return grid->GetEditor();
    }

    // Replaces the cell's text by typing and ends the edit with Enter.
    void Type(int row, int column, const QString& text) {
        QWidget* editor = Open(row, column);
        QVERIFY2(editor != nullptr, "no editor opened");
        auto* edit = qobject_cast<QLineEdit*>(editor);
        QVERIFY(edit != nullptr);
        edit->selectAll();
        QTest::keyClick(edit, Qt::Key_Delete);
        // Key events carrying the characters, as an input method delivers kana.
        for (QChar ch : text) {
            QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(edit, &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, QString(ch));
            QCoreApplication::sendEvent(edit, &release);
        }
        QTest::keyClick(edit, Qt::Key_Return);
        QVERIFY(grid->GetEditor() == nullptr);
    }
    void Type(int row, const QString& text) { Type(row, 1, text); }

    // Opens the combo, moves to the item with the given text by keys and takes it with Enter.
    void Choose(int row, int column, const QString& text) {
        auto* combo = qobject_cast<KGridListCtrlCombo*>(Open(row, column));
        QVERIFY2(combo != nullptr, "no combo opened");
        const int target = combo->findText(text);
        QVERIFY2(target >= 0, qPrintable(text));
        // The keys move from the list's current row, which is the first one when the cell's value
        // is not among the items.
        const QModelIndex current = combo->view()->currentIndex();
        const int steps = target - (current.isValid() ? current.row() : -1);
        for (int i = 0; i < std::abs(steps); ++i) {
            QTest::keyClick(combo->view(), steps > 0 ? Qt::Key_Down : Qt::Key_Up);
        }
        QTest::keyClick(combo->view(), Qt::Key_Return);
        QVERIFY(QTest::qWaitFor([&] { return grid->GetEditor() == nullptr; }, 2000));
    }
    void Choose(int row, const QString& text) { Choose(row, 1, text); }

    // The items of the cell's combo (empty for any other editor) and the item it opened on
    // (empty when none), closed again with Escape.
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
        } else if (QWidget* editor = grid->GetEditor()) {
            QTest::keyClick(editor, Qt::Key_Escape);
        }
        (void)QTest::qWaitFor([&] { return grid->GetEditor() == nullptr; }, 2000);
        return items;
    }

    // Clicks the cell and returns the help page name its address ends in ("" for none).
    QString HelpPageAt(int row, int column, const ISettingsPage& page) {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, Cell(row, column));
        return page.CurrentHelpAddress().section('/', -1);
    }
};

inline void ShowPageForTest(QWidget* widget, ISettingsPage* page, int setIndex) {
    page->SetSetIndex(setIndex);
    page->SetupHeader();
    widget->resize(1400, 700);
    page->RefreshFromDocument();
    widget->show();
    widget->activateWindow();
    (void)QTest::qWaitForWindowActive(widget);
    widget->setFocus();
}

template <class Page>
struct PageUnderTest : GridDriver {
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
        grid = page.get();
        ShowPageForTest(page.get(), page.get(), setIndex);
    }
};

// One edit of an identifier-or-number row: the row's type before the edit, the text typed, what
// the cell shows afterwards, the identifier and number then stored and the messages shown.
struct IdentifierRowEdit {
    const char16_t* type;
    QString typed;
    QString shown;
    std::u16string id, number;
    QStringList messages;
};

// Each edit on a fresh page filled by `fill` with the row's type setting `typeKey` set; an edit
// with no message changes the document, a refused one leaves it unmodified.
template <class Page>
void CheckIdentifierRowEdits(const std::function<void(CTalveroDoc&)>& fill, int row, const char16_t* typeKey,
                             const char16_t* idKey, const char16_t* numberKey,
                             const std::vector<IdentifierRowEdit>& edits) {
    for (const IdentifierRowEdit& e : edits) {
        PageUnderTest<Page> t([&](CTalveroDoc& doc) {
            fill(doc);
            doc.Set(typeKey, e.type);
        });
        t.Type(row, e.typed);
        QCOMPARE(t.Text(row), e.shown);
        QCOMPARE(t.doc.Get(idKey), e.id);
        QCOMPARE(t.doc.Get(numberKey), e.number);
        QCOMPARE(t.prompts.messages, e.messages);
        QCOMPARE(t.doc.IsModified(), e.messages.isEmpty());
    }
}

// A registered page of the navigation tree, with the set index the frame gives it.
struct RegisteredPage {
    uint32_t node = 0;
    int setIndex = 0;
};
std::vector<RegisteredPage> RegisteredPages();

// A registered page created by its factory, as the frame creates it, on the given document.
struct RegisteredPageUnderTest : GridDriver {
    std::unique_ptr<QWidget> widget;
    ISettingsPage* page = nullptr;

    RegisteredPageUnderTest(const RegisteredPage& registered, CTalveroDoc& doc);
};

// One edit of the round-trip check: on the page of `node`, choose the item or type the text in
// the cell; `keys` are the radio-form keys the edit changes.
struct PageEdit {
    uint32_t node = 0;
    int row = 0;
    int column = 1;
    enum class Action { kChoose, kType } action = Action::kChoose;
    uint32_t textId = 0;   // the item or text, as a language text …
    QString literal = {};  // … or as itself when textId is 0
    std::vector<std::u16string> keys = {};
};
std::vector<PageEdit>& RoundTripEdits();
struct RoundTripEditRegistration {
    explicit RoundTripEditRegistration(std::vector<PageEdit> edits);
};
