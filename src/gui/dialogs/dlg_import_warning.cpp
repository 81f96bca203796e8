#include "gui/dialogs/dlg_import_warning.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "document/config_file.h"
#include "gui/shell/language_ui.h"
#include "gui/shell/user_prompts.h"
#include "platform/code_page.h"

namespace {
constexpr uint32_t kTextCaption = 2149;
constexpr uint32_t kTextLabel = 2150;
constexpr uint32_t kTextColumn = 2151;
constexpr uint32_t kTextSaveList = 2152;
constexpr uint32_t kTextClose = 102;
constexpr uint32_t kTextListExtension = 2159;
constexpr uint32_t kTextListFilter = 2160;
constexpr int kColumnWidth = 700;
}  // namespace

CDlgImportWarning::CDlgImportWarning(const std::vector<std::u16string>* messages, QWidget* parent,
                                     uint32_t labelTextId)
    : QDialog(parent),
      m_messages(messages),
      m_label(new QLabel),
      m_list(new QTreeWidget),
      m_saveList(new QPushButton),
      m_close(new QPushButton) {
    setObjectName("importWarning");
    setWindowTitle(LanguageText(kTextCaption));
    m_label->setText(LanguageText(labelTextId != 0 ? labelTextId : kTextLabel));
    m_label->setWordWrap(true);
    m_saveList->setText(LanguageText(kTextSaveList));
    m_close->setText(LanguageText(kTextClose));
    // Enter saves the list; Close and Escape leave.
    m_saveList->setDefault(true);
    m_saveList->setAutoDefault(true);
    m_close->setAutoDefault(false);
    connect(m_saveList, &QPushButton::clicked, this, &CDlgImportWarning::OnSaveList);
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);

    auto* icon = new QLabel;
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));

    m_list->setColumnCount(1);
    m_list->setHeaderLabels({LanguageText(kTextColumn)});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setStretchLastSection(false);
    m_list->headerItem()->setTextAlignment(0, Qt::AlignLeft | Qt::AlignVCenter);
    if (m_messages) {
        for (const std::u16string& line : *m_messages) {
            auto* item = new QTreeWidgetItem(m_list, {QString::fromStdU16String(line)});
            item->setToolTip(0, item->text(0));
        }
    }
    // A long line scrolls sideways rather than losing its end.
    m_list->resizeColumnToContents(0);
    m_list->header()->resizeSection(0, std::max(kColumnWidth, m_list->header()->sectionSize(0)));

    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addWidget(m_label, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(m_saveList);
    buttons->addWidget(m_close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(m_list, 1);
    layout->addLayout(buttons);
    resize(kColumnWidth + 60, 360);
}

std::string CDlgImportWarning::ListFileContent() const {
    std::string content;
    if (m_messages) {
        for (const std::u16string& line : *m_messages) {
            content += ToAnsi(line);
            content += "\r\n";
        }
    }
    return content;
}

void CDlgImportWarning::OnSaveList() {
    // The content is built before the dialog, so what is saved is what was shown.
    const std::string content = ListFileContent();
    const QString path =
        UserPrompts().SaveFileFor(this, file_purpose::kWarningList, LanguageText(kTextListFilter),
                                  LanguageText(kTextListExtension), QString());
    if (path.isEmpty()) {
        return;
    }
    // Written whole or not at all; a file that cannot be written is passed over silently.
    WriteFileAtomically(path.toStdString(), content);
}
