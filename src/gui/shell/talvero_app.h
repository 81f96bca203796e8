#pragma once
// The application object: language selection, settings location, the one document and the
// main frame, and the file named on the command line.
#include <QStringList>
#include <memory>
#include <string>

class CMainFrame;
class CTalveroDoc;

class CTalveroApp {
  public:
    CTalveroApp();
    ~CTalveroApp();

    // Start-up, in order: language files, settings location, document and frame, command line
    // (a new document, or the configuration file named there), then the window is shown.
    // False when the frame cannot be built or the named file cannot be opened.
    bool InitInstance(const QStringList& arguments, bool show = true);

    CMainFrame* MainFrame() const { return m_frame.get(); }
    CTalveroDoc& Document() const { return *m_document; }

  private:
    std::unique_ptr<CTalveroDoc> m_document;
    std::unique_ptr<CMainFrame> m_frame;
};

// Loads the language files beside the program for the system language; failures are shown in
// message boxes with the system's description of the error.
void LoadProgramLanguageFiles();
// Installs Qt's translation of its standard buttons and dialogs for the system language, when
// the system has one.
void InstallQtTranslations();
