#include "gui/shell/recovery_controller.h"

#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QSessionManager>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdlib>

#include "document/recovery_store.h"
#include "document/talvero_doc.h"
#include "gui/shell/user_prompts.h"
#include "text/language_texts.h"

namespace {

constexpr uint32_t kTextOffer = 20050;          // %s: the document, %s: when the copy was kept
constexpr uint32_t kTextRestoreFailed = 20051;  // %s: the reason
constexpr uint32_t kTextKeepFailed = 20052;     // %s: the reason
constexpr uint32_t kTextUntitled = 2019;
constexpr int kDefaultIntervalSeconds = 120;

QString Format(uint32_t id, std::initializer_list<FormatArg> args) {
    return QString::fromStdU16String(FormatLanguageText(id, args));
}

// $TALVERO_AUTOSAVE_SECONDS when it is a positive number of seconds, else the default.
int AutosaveIntervalMs() {
    bool ok = false;
    const double seconds = qEnvironmentVariable("TALVERO_AUTOSAVE_SECONDS").toDouble(&ok);
    if (!ok || seconds <= 0 || seconds > 24 * 3600) {
        return kDefaultIntervalSeconds * 1000;
    }
    return std::max(1, static_cast<int>(seconds * 1000));
}

QString Reason(const ErrorInfo& error) {
    return QString::fromStdString(error.detail.empty() ? DescribeCode(error.code) : error.detail);
}

}  // namespace

CRecoveryController::CRecoveryController(CTalveroDoc* document, QWidget* window)
    : QObject(window), m_document(document), m_window(window), m_timer(new QTimer(this)) {
    m_timer->setInterval(AutosaveIntervalMs());
    connect(m_timer, &QTimer::timeout, this, &CRecoveryController::Keep);
    m_timer->start();
    // Logging out may end the program without a chance to ask about saving: keep the changes.
    if (auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
        connect(app, &QGuiApplication::commitDataRequest, this, [this](QSessionManager&) { Keep(); });
    }
}

CRecoveryController::~CRecoveryController() = default;

int CRecoveryController::IntervalMs() const {
    return m_timer->interval();
}

bool CRecoveryController::HasCopy() const {
    return m_store && m_store->HasCopy();
}

RecoveryStore& CRecoveryController::Store() {
    // Taken when first needed: a window that never has unsaved changes leaves no trace.
    if (!m_store) {
        m_store = std::make_unique<RecoveryStore>();
    }
    return *m_store;
}

void CRecoveryController::Keep() {
    if (!m_document) {
        return;
    }
    if (!m_document->IsModified()) {
        Discard();
        return;
    }
    const ErrorInfo error = Store().Save(*m_document);
    if (error.ok()) {
        m_saveFailedShown = false;
        return;
    }
    // Said once, not at every interval: the work itself is not at risk, only its copy.
    if (!m_saveFailedShown) {
        m_saveFailedShown = true;
        UserPrompts().Message(m_window, Format(kTextKeepFailed, {Reason(error).toStdU16String()}),
                              IUserPrompts::Icon::Warning, IUserPrompts::Buttons::Ok);
    }
}

void CRecoveryController::Discard() {
    if (HasCopy()) {
        m_store->Discard();
    }
}

bool CRecoveryController::OfferLeftBehind() {
    if (!m_document) {
        return false;
    }
    const std::vector<RecoveredCopy> copies = Store().FindLeftBehind();
    if (copies.empty()) {
        return false;
    }
    const RecoveredCopy& newest = copies.front();
    const QString document = newest.documentPath.empty()
                                 ? QString::fromStdU16String(GetLanguageText(kTextUntitled))
                                 : QString::fromStdString(newest.documentPath);
    const auto saved = std::chrono::file_clock::to_sys(newest.saved);
    const QString when =
        QDateTime::fromSecsSinceEpoch(
            std::chrono::duration_cast<std::chrono::seconds>(saved.time_since_epoch()).count())
            .toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    const auto answer = UserPrompts().Message(
        m_window, Format(kTextOffer, {document.toStdU16String(), when.toStdU16String()}),
        IUserPrompts::Icon::Question, IUserPrompts::Buttons::YesNo);
    if (answer != IUserPrompts::Answer::Yes) {
        RecoveryStore::Remove(newest);
        return false;
    }
    const ErrorInfo error = RecoveryStore::Restore(*m_document, newest);
    if (!error.ok()) {
        UserPrompts().Message(m_window, Format(kTextRestoreFailed, {Reason(error).toStdU16String()}),
                              IUserPrompts::Icon::Stop, IUserPrompts::Buttons::Ok);
        return false;
    }
    m_document->UpdateAllViews(0);
    // Restored changes are still unsaved: keep them from the start.
    Keep();
    return true;
}
