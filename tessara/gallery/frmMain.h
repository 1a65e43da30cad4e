// Tessara's only form: one instance of every owner-drawn control, filled
// with sample data when it loads, five command buttons that drive the tree
// view and the list view, and a 50 ms timer that runs the progress bar up
// to 100. Its controls and their stored properties come from the form data
// FRMMAIN (frmMain.frm) in the program's resources, which must also hold
// the icons 101 to 103 and the bitmaps "FOLDER" and "CheckBox".
//
//   gallery::frmMain form;
//   form.Show();
//   host::RunMessageLoop();
#pragma once
#include "tessara/gallery/GallerySamples.h"
#include "tessara/kit/Hook.h"

#include "host/Host.h"

#include <string>

namespace tessara {
class YCommand;
class YGroupList;
class YListView;
class YProgress;
class YTreeView;
} // namespace tessara

namespace gallery {

// Makes Tessara's control kinds known to stored form data (once).
void RegisterGalleryControls();

// ---- Query message ----------------------------------------------------------
// A program driven from outside (the end-to-end test, the benchmark, the
// 32-bit smoke) asks the running form what pixels cannot tell: send the
// registered message QueryMessage() to the form's window with a Query code
// as wParam. Texts
// come back as a global atom that the asker reads and deletes.
constexpr wchar_t kQueryMessageName[] = L"Tessara.frmMain.Query";
UINT QueryMessage();

enum Query : WPARAM {
    QueryPainted = 1,            // 1 once loaded, laid out and every window painted; else 0
    QueryTreeNodeCount = 2,      // nodes held by YTreeView1
    QueryTreeSelectedText = 3,   // atom of the selected node's label; 0 when none
    QueryTreeSelectedLabel = 4,  // lParam 0..3: left, top, right, bottom of the selected
                                 // label's box in the tree's client area; kNotShown when off the rows
    QueryListViewCount = 5,      // items of YListView1
    QueryListViewItem = 6,       // lParam = index: atom of the item's text; 0 outside
    QueryListViewMode = 7,       // YListView1.DisMode
    QueryProgressValue = 8,      // YProgress1.Value
    QueryTimerEnabled = 9,       // 1 while Timer1 runs
};
constexpr LRESULT kNotShown = -100000;

class frmMain : public host::Form, public kit::HookClient {
public:
    frmMain();
    ~frmMain() override;

    // The icon pictures P1, P2, P3 as Icon(0), Icon(1), Icon(2) while the
    // form is loaded (null otherwise).
    const host::PictureRef& Icon(int n) const { return icons_[n]; }
    // The text the last tree or grouped-list event handed over.
    const std::wstring& LastTreeText() const { return lastTreeText_; }
    const std::wstring& LastGroupText() const { return lastGroupText_; }
    // The texts the last list-view header and item clicks read.
    const std::wstring& LastHeaderText() const { return lastHeaderText_; }
    const std::wstring& LastItemText() const { return lastItemText_; }
    // Answers one query (the query message's handler).
    LRESULT Answer(WPARAM query, LPARAM argument);

    void zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT& uMsg, WPARAM& wParam,
                        LPARAM& lParam) override;

protected:
    void Form_Load() override;
    void Form_Unload() override;

private:
    void FillControls();
    void ConnectHandlers();
    void Timer1_Timer();
    bool FullyPainted();

    host::PictureRef icons_[3];
    ProgressTicker counter_;
    std::wstring lastTreeText_, lastGroupText_, lastHeaderText_, lastItemText_;
    kit::WindowHook hook_{*this};
};

} // namespace gallery
