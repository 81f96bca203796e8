#pragma once
// The ID list commands of the main window: the whole list exchanged with a CSV file. An import
// ends in the document's load update, which refreshes the pages and shows the adjusted entries.
class CTalveroDoc;
class CommandRouter;
class QWidget;

class CIdListController {
  public:
    // `window`: the parent of every prompt.
    CIdListController(CTalveroDoc* document, QWidget* window) : m_document(document), m_window(window) {}

    void RegisterCommands(CommandRouter& router);
    void OnIdListImport();
    void OnIdListExport();

  private:
    CTalveroDoc* m_document;
    QWidget* m_window;
};
