#include "gui/shell/dlg_about.h"

#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>

#include "gui/shell/language_ui.h"
#include "platform/k_file_version.h"
#include "text/language_texts.h"

namespace {
constexpr uint32_t kTextCaption = 2010;
constexpr uint32_t kTextOk = 100;
constexpr uint32_t kTextVersion = 20064;  // %u.%02u: major, minor
}  // namespace

CDlgAbout::CDlgAbout(QWidget* parent, const VersionBlock* block)
    : QDialog(parent),
      m_product(new QLabel("PRODUCT_LABEL")),
      m_version(new QLabel("VERSION_LABEL")),
      m_legal(new QLabel("COPYRIGHT_LABEL")),
      m_ok(new QPushButton) {
    setObjectName("aboutBox");
    setWindowTitle(LanguageText(kTextCaption));
    m_ok->setText(LanguageText(kTextOk));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* icon = new QLabel;
    const QIcon appIcon = QApplication::windowIcon().isNull() ? style()->standardIcon(QStyle::SP_ComputerIcon)
                                                              : QApplication::windowIcon();
    icon->setPixmap(appIcon.pixmap(32, 32));
    icon->setAlignment(Qt::AlignTop);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setHorizontalSpacing(16);
    layout->addWidget(icon, 0, 0, 3, 1);
    layout->addWidget(m_product, 0, 1);
    layout->addWidget(m_version, 1, 1);
    layout->addWidget(m_legal, 2, 1);
    layout->addWidget(m_ok, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(1, 1);

    KFileVersion version(block);
    if (version.ReadVersionBlock()) {
        m_version->setText(
            QString::fromStdU16String(FormatLanguageText(kTextVersion, {version.Major(), version.Minor()})));
        m_product->setText(QString::fromStdU16String(version.m_productName));
        m_legal->setText(QString::fromStdU16String(version.m_legalNotice));
    }
    m_ok->setFocus();
    setFixedSize(sizeHint());
}
