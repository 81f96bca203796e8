#pragma once
// Crash recovery for the main window. While the document has unsaved changes a copy of it is
// kept every few minutes ($TALVERO_AUTOSAVE_SECONDS, default 120) and when the desktop asks the
// program to save its state before logging out; the copy goes once the changes are saved or
// given up (Save, New, Open, a read, a clean exit). At start a copy that a program left behind
// (killed, crashed) is offered: restored, the document keeps its changes unsaved; declined, the
// copy is removed.
#include <QObject>
#include <memory>
#include <string>

class CTalveroDoc;
class QTimer;
class QWidget;
class RecoveryStore;

class CRecoveryController : public QObject {
    Q_OBJECT
  public:
    // `window`: the parent of the question at start.
    CRecoveryController(CTalveroDoc* document, QWidget* window);
    ~CRecoveryController() override;

    // Keeps a copy when the document has unsaved changes, drops it when it has none.
    void Keep();
    // The changes are saved or given up: the copy goes.
    void Discard();
    // Offers the newest copy left behind; true when one was restored.
    bool OfferLeftBehind();

    bool HasCopy() const;
    // The autosave interval in milliseconds.
    int IntervalMs() const;

  private:
    RecoveryStore& Store();

    CTalveroDoc* m_document;
    QWidget* m_window;
    std::unique_ptr<RecoveryStore> m_store;  // made when first needed
    QTimer* m_timer;
    bool m_saveFailedShown = false;
};
