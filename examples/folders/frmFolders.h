// The example program's form: type a folder, press Fill, and the tree view
// shows its subfolders and files while the list view lists the files of
// the folder; a click on a folder in the tree lists that folder's files, a
// click on a file (in either) names it in the status line. The controls
// and their stored properties come from the form data FRMFOLDERS
// (frmFolders.frm) in the program's resources, which must also hold the
// icon TESSARA and the bitmap "FOLDER".
//
//   folderview::frmFolders form;
//   form.Show();
//   form.SetFolder(L"C:\\Games");   // what the user would type
//   host::RunMessageLoop();
#pragma once
#include "examples/folders/FolderScan.h"

#include "host/Host.h"

#include <string>
#include <vector>

namespace folderview {

// The tree's first node: every fill puts the folder below it.
constexpr wchar_t kTreeRoot[] = L"Folders";
// At most this many files and folders are shown.
constexpr std::size_t kMaxEntries = 5000;

class frmFolders : public host::Form {
public:
    frmFolders();

    // Puts a folder in the text box, as the user would type it.
    void SetFolder(const std::wstring& folder);
    // What the Fill button does: reads the folder named in the text box
    // into the tree and the list.
    void Fill();

    // What the last fill read, and which of its entries each tree slot
    // shows (kNoEntry for the root and free slots, kTopFolder for the folder).
    const folders::Scan& LastScan() const { return scan_; }
    static constexpr int kNoEntry = -2;
    static constexpr int kTopFolder = -1;
    int EntryOfSlot(int slot) const;

protected:
    void Form_Load() override;

private:
    void ClearTree();
    void ListFiles(int folder);
    void TreeClicked();
    void ListClicked(int item);
    void SetStatus(const std::wstring& text);

    folders::Scan scan_;
    std::vector<int> entryOfSlot_;  // tree slot -> index in scan_.entries
    std::vector<int> listed_;       // list view row -> index in scan_.entries
};

} // namespace folderview
