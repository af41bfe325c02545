#pragma once
// The property sheets of the catalogue, the stored queries and the file items, and the desktop's opener
// of files, as the nodes reach them: the windows live above the tree, so they install themselves here
// (tree/wx/WxNodeSheets.h). Without them a node shows no sheet, `ShowProperties` answers false and the
// Properties command stays disabled; a file item does not open.
//
// What a sheet's pages write, and when they refuse, is decided here (window-free, so the rules are
// tested without a display); the windows only gather the entries.

#include <string>

class CCatalogueDb;
class CCatalogueNode;
class CNodeFrame;
class CQueryNode;
class CRecordNode;

class CNodeSheets
{
public:
    virtual ~CNodeSheets() = default;
    // Runs the sheet modally, opened on `page`; true when it was shown (whether OK or Cancel ended it).
    virtual bool ShowCatalogueSheet(CCatalogueNode& node, CNodeFrame* frame, int page) = 0;
    virtual bool ShowQuerySheet(CQueryNode& node, CNodeFrame* frame) = 0;
    virtual bool ShowFileSheet(CRecordNode& node, CNodeFrame* frame) = 0;
};

// The sheets in use; null while none are installed.
CNodeSheets* NodeSheets();
// Installs the sheets (not owned; null removes them). Returns the previous ones.
CNodeSheets* SetNodeSheets(CNodeSheets* sheets);

// The desktop's opener of documents.
class CDocumentLauncher
{
public:
    enum class Result
    {
        Opened,
        // The desktop knows no program for files of that kind.
        NoAssociation,
        // A program is known but could not be started (or the file is missing).
        Failed,
    };
    virtual ~CDocumentLauncher() = default;
    virtual Result OpenDocument(const std::string& path) = 0;
};

// The opener in use; null while none is installed.
CDocumentLauncher* DocumentLauncher();
CDocumentLauncher* SetDocumentLauncher(CDocumentLauncher* launcher);

// Opens a file item's file (the record's "edtFn" without trailing blanks) through the desktop's opener;
// "No file type asociated with %s" or "Unable to open the file %s" under "Error" when it cannot.
// False when nothing opened (also without an installed opener).
bool OpenFileItem(const std::string& storedPath);
