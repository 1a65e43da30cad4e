// The example's form in this process, loaded from the program's own
// resources, fed the fixture folder and driven as a user drives it: the
// Fill button, a folder and a file in the tree and a row of the list are
// clicked with real mouse messages; the tree's nodes, the list's rows, the
// status line and the painted selection are checked. Last, the program
// itself is started on the fixture and closed as a user closes it.
#include "examples/folders/frmFolders.h"

#include "tessara/controls/small/YCommand.h"
#include "tessara/controls/listview/YListView.h"
#include "tessara/controls/tree/YTreeView.h"
#include "tests/examples/folders/Fixture.h"
#include "tests/tessara/controls/ExpectedColours.h"
#include "tests/tessara/controls/ScrollTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace {

using folderview::frmFolders;
using folderstest::FixtureFolder;
using scrolltest::Frame;
using scrolltest::MoveMouse;
using scrolltest::PumpUntil;
using tessara::YListView;
using tessara::YTreeView;

std::string Narrow(const std::wstring& w) { return host::ToUtf8(w); }

class Folders : public ::testing::Test {
protected:
    void SetUp() override
    {
        form = std::make_unique<frmFolders>();
        form->Show();
    }
    void TearDown() override
    {
        if (form && form->Loaded())
            form->Unload();
        form.reset();
    }

    YTreeView& Tree() { return form->Control<YTreeView>(L"YTreeView1"); }
    YListView& List() { return form->Control<YListView>(L"YListView1"); }
    std::wstring Status() { return form->Control<host::Label>(L"lblStatus").Caption(); }

    // A click as the mouse gives it: moved there, pressed, released.
    static void ClickIn(HWND h, int x, int y)
    {
        MoveMouse(h, x, y);
        hosttest::ClickAt(h, x, y);
    }
    // Types the folder and presses Fill; waits for the tree's layout to count
    // `rows` rows and the list's to have run.
    void FillWith(const std::wstring& folder, int rows)
    {
        form->SetFolder(folder);
        HWND fill = form->FindAny(L"cmdFill")->hWnd();
        RECT r;
        GetClientRect(fill, &r);
        ClickIn(fill, r.right / 2, r.bottom / 2);
        ASSERT_TRUE(PumpUntil([&] { return Tree().TotalRows() == rows && !List().LayoutPending(); }, 5000))
            << "the tree shows " << Tree().TotalRows() << " rows, not " << rows;
    }
    // The slots below a node, as labels.
    std::vector<std::string> ChildLabels(std::int32_t slot)
    {
        std::vector<std::string> out;
        for (std::int32_t c : Tree().Store().Children(slot))
            out.push_back(Narrow(Tree().Store().Label(c)));
        return out;
    }
    std::int32_t ChildNamed(std::int32_t slot, const std::wstring& label)
    {
        for (std::int32_t c : Tree().Store().Children(slot))
            if (Tree().Store().Label(c) == label)
                return c;
        return -1;
    }
    std::vector<std::string> ListRows()
    {
        std::vector<std::string> out;
        for (int i = 0; i < List().Model().ItemCount(); ++i)
            out.push_back(Narrow(List().ListItem(i)) + " | " + Narrow(List().SubItem(i, 0)));
        return out;
    }
    // A click on a node's label; its label box comes back in *label.
    void ClickNode(std::int32_t slot, RECT* label)
    {
        RECT box;
        ASSERT_TRUE(Tree().NodeRects(slot, &box, label)) << "the node is on no row";
        ClickIn(Tree().hWnd(), (label->left + label->right) / 2, (label->top + label->bottom) / 2);
    }

    hosttest::BoxRecorder boxes;
    FixtureFolder fixture;
    std::unique_ptr<frmFolders> form;
};

// Every control is whole on the form: none covers another, none reaches
// past the form's client area (also after the tree and the list view
// settled their heights to whole rows at their first layout).
TEST_F(Folders, TheControlsLieSideBySideInsideTheForm)
{
    FillWith(fixture.Text(), 7);
    RECT client;
    GetClientRect(form->hWnd(), &client);
    EXPECT_EQ(client.right, 600);
    EXPECT_EQ(client.bottom, 400);
    const wchar_t* names[] = {L"Label1", L"Text1", L"cmdFill", L"YTreeView1", L"YListView1", L"lblStatus"};
    std::vector<RECT> places;
    for (const wchar_t* name : names) {
        RECT r;
        GetWindowRect(form->FindAny(name)->hWnd(), &r);
        MapWindowPoints(nullptr, form->hWnd(), reinterpret_cast<POINT*>(&r), 2);
        RECT inside;
        IntersectRect(&inside, &r, &client);
        EXPECT_TRUE(EqualRect(&inside, &r)) << Narrow(name) << " reaches past the form";
        places.push_back(r);
    }
    for (size_t a = 0; a < places.size(); ++a)
        for (size_t b = a + 1; b < places.size(); ++b) {
            RECT both;
            EXPECT_FALSE(IntersectRect(&both, &places[a], &places[b])) << Narrow(names[a]) << " covers " << Narrow(names[b]);
        }
}

TEST_F(Folders, FillPutsTheFolderInTheTreeAndItsFilesInTheList)
{
    EXPECT_EQ(Status(), L"Choose a folder and press Fill.");
    // Folders, the fixture, and the fixture's two folders and three files;
    // Docs stays folded.
    FillWith(fixture.Text(), 7);

    EXPECT_EQ(ChildLabels(0), (std::vector<std::string>{Narrow(fixture.Text())}));
    const std::int32_t top = Tree().Store().Children(0).at(0);
    EXPECT_TRUE(Tree().Store().Expanded(top));
    EXPECT_EQ(ChildLabels(top), (std::vector<std::string>{"Docs", "empty", "A.txt", "b.bin", "c.dat"}));
    const std::int32_t docs = ChildNamed(top, L"Docs");
    EXPECT_EQ(ChildLabels(docs), (std::vector<std::string>{"read me.txt", "\xe8\xaf\xb4\xe6\x98\x8e.txt"}));
    EXPECT_FALSE(Tree().Store().Expanded(docs));
    EXPECT_EQ(Tree().SlotCount() - Tree().FreeSlots(), 9);

    EXPECT_EQ(List().HeaderItem(0), L"Name");
    EXPECT_EQ(List().HeaderItem(1), L"Size");
    EXPECT_EQ(ListRows(), (std::vector<std::string>{"A.txt | 2 KB", "b.bin | 0 KB", "c.dat | 1,024 KB"}));
    EXPECT_EQ(Status(), L"2 folders, 5 files");
    EXPECT_TRUE(boxes.boxes.empty());

    // The rows are painted: the fixture's label left dark ink on its row.
    RECT box, label;
    ASSERT_TRUE(Tree().NodeRects(top, &box, &label));
    Frame frame(Tree().hWnd());
    int ink = 0;
    for (int x = label.left; x < label.right; ++x)
        for (int y = label.top; y < label.bottom; ++y)
            ink += GetRValue(frame(x, y)) < 96 ? 1 : 0;
    EXPECT_GT(ink, 20) << "no label text painted on the folder's row";
}

TEST_F(Folders, AFolderClickedInTheTreeListsItsFilesAndShowsSelected)
{
    FillWith(fixture.Text(), 7);
    const std::int32_t top = Tree().Store().Children(0).at(0);
    const std::int32_t docs = ChildNamed(top, L"Docs");
    RECT label;
    ClickNode(docs, &label);
    ASSERT_TRUE(PumpUntil([&] { return !List().LayoutPending() && List().Model().ItemCount() == 2; }, 5000));
    EXPECT_EQ(Tree().SelectedIndex(), docs);
    EXPECT_EQ(ListRows(), (std::vector<std::string>{"read me.txt | 3 KB", "\xe8\xaf\xb4\xe6\x98\x8e.txt | 1 KB"}));
    EXPECT_EQ(Status(), L"Docs: 2 files");

    // The selected label's box (2 pixels in from the row's top and bottom,
    // outlined in the selection colour): its light tone in the upper half.
    Frame frame(Tree().hWnd());
    EXPECT_EQ(frame(label.left + 3, label.top + 2), RGB(105, 135, 171));
    EXPECT_EQ(frame(label.left + 3, label.top + 5), want::kTreeSelectedBody);

    // An empty folder empties the list; the folder itself lists its own files again.
    ClickNode(ChildNamed(top, L"empty"), &label);
    ASSERT_TRUE(PumpUntil([&] { return !List().LayoutPending() && List().Model().ItemCount() == 0; }, 5000));
    EXPECT_EQ(Status(), L"empty: 0 files");
    ClickNode(top, &label);
    ASSERT_TRUE(PumpUntil([&] { return !List().LayoutPending() && List().Model().ItemCount() == 3; }, 5000));
    EXPECT_EQ(Status(), fixture.Text() + L": 3 files");
}

TEST_F(Folders, AFileClickedInTheTreeOrTheListIsNamedWithItsSize)
{
    FillWith(fixture.Text(), 7);
    const std::int32_t top = Tree().Store().Children(0).at(0);
    RECT label;
    ClickNode(ChildNamed(top, L"c.dat"), &label);
    EXPECT_EQ(Status(), L"c.dat, 1,024 KB");
    // The list is still the folder's.
    EXPECT_EQ(List().Model().ItemCount(), 3);

    // The list's second row, b.bin: below the header, in the middle of a row.
    const tessara::ListHeights h = List().Model().RowHeights();
    ClickIn(List().hWnd(), 20, h.header + h.row + h.row / 2);
    EXPECT_EQ(List().FocusIndex(), 1);
    EXPECT_EQ(Status(), L"b.bin, 0 KB");
}

TEST_F(Folders, FillingAgainReplacesWhatTheTreeAndTheListShowed)
{
    FillWith(fixture.Text(), 7);
    // Folders, Docs and its two files.
    FillWith(fixture.Text("Docs"), 4);
    EXPECT_EQ(ChildLabels(0), (std::vector<std::string>{Narrow(fixture.Text("Docs"))}));
    const std::int32_t top = Tree().Store().Children(0).at(0);
    EXPECT_EQ(ChildLabels(top), (std::vector<std::string>{"read me.txt", "\xe8\xaf\xb4\xe6\x98\x8e.txt"}));
    EXPECT_EQ(Tree().SlotCount() - Tree().FreeSlots(), 4);
    EXPECT_EQ(ListRows(), (std::vector<std::string>{"read me.txt | 3 KB", "\xe8\xaf\xb4\xe6\x98\x8e.txt | 1 KB"}));
    EXPECT_EQ(Status(), L"0 folders, 2 files");
    // Every slot of the tree names the entry it shows.
    for (std::int32_t c : Tree().Store().Children(top)) {
        const int entry = form->EntryOfSlot(c);
        ASSERT_GE(entry, 0);
        EXPECT_EQ(form->LastScan().entries[entry].name, Tree().Store().Label(c));
    }
}

TEST_F(Folders, AFolderThatIsNotThereIsReportedAndTheLastFillStays)
{
    FillWith(fixture.Text(), 7);
    const std::wstring missing = fixture.Text("missing");
    form->SetFolder(missing);
    HWND fill = form->FindAny(L"cmdFill")->hWnd();
    ClickIn(fill, 10, 10);
    const std::wstring message = L"The folder " + missing + L" does not exist.";
    ASSERT_EQ(boxes.boxes.size(), 1u);
    EXPECT_EQ(boxes.boxes[0].text, message);
    EXPECT_EQ(Status(), message);
    EXPECT_EQ(Tree().SlotCount() - Tree().FreeSlots(), 9);
    EXPECT_EQ(List().Model().ItemCount(), 3);
}

// ---- The program -------------------------------------------------------------

struct FoundLabel {
    DWORD process;
    std::wstring text;
    bool found = false;
};

BOOL CALLBACK NoteLabel(HWND h, LPARAM param)
{
    auto* want = reinterpret_cast<FoundLabel*>(param);
    wchar_t cls[32] = {}, text[256] = {};
    GetClassNameW(h, cls, 32);
    GetWindowTextW(h, text, 256);
    if (std::wstring(cls) == L"Label" && text == want->text) {
        want->found = true;
        return FALSE;
    }
    return TRUE;
}

HWND FormOf(DWORD process)
{
    HWND h = nullptr;
    while ((h = FindWindowExW(nullptr, h, nullptr, L"Folders")) != nullptr) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == process && IsWindowVisible(h))
            return h;
    }
    return nullptr;
}

TEST(FoldersProgram, StartsOnTheFolderItIsGivenAndEndsWhenClosed)
{
    FixtureFolder fixture;
    // The build's path as this Wine sees it: the root of the Unix tree is Z:.
    std::wstring exe = L"Z:" + host::FromUtf8(FOLDERS_EXE);
    for (wchar_t& c : exe)
        if (c == L'/')
            c = L'\\';
    std::wstring command = L"\"" + exe + L"\" \"" + fixture.Text() + L"\"";
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    ASSERT_TRUE(CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi))
        << "cannot start " << Narrow(exe);
    HWND form = nullptr;
    FoundLabel status{pi.dwProcessId, L"2 folders, 5 files"};
    const bool filled = PumpUntil(
        [&] {
            form = FormOf(pi.dwProcessId);
            if (form)
                EnumChildWindows(form, NoteLabel, reinterpret_cast<LPARAM>(&status));
            return status.found;
        },
        20000);
    EXPECT_NE(form, nullptr) << "no window \"Folders\" appeared";
    EXPECT_TRUE(filled) << "the status line never said \"2 folders, 5 files\"";
    if (form)
        PostMessageW(form, WM_CLOSE, 0, 0);
    const bool ended = WaitForSingleObject(pi.hProcess, 20000) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(pi.hProcess, 9);
    DWORD code = 0;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    EXPECT_TRUE(ended) << "the program did not end when its form was closed";
    EXPECT_EQ(code, 0u);
}

} // namespace
