// See frmFolders.h.
#include "examples/folders/frmFolders.h"

#include "tessara/controls/small/YCommand.h"
#include "tessara/controls/listview/YListView.h"
#include "tessara/controls/tree/YTreeView.h"

namespace folderview {

using tessara::YCommand;
using tessara::YListView;
using tessara::YTreeView;

namespace {

// Stored form data names its controls by kind; a kind must be known before
// the first form that uses it loads.
void RegisterKinds()
{
    static const bool done = [] {
        host::RegisterControl(L"YCommand", [] { return std::make_unique<YCommand>(); });
        host::RegisterControl(L"YTreeView", [] { return std::make_unique<YTreeView>(); });
        host::RegisterControl(L"YListView", [] { return std::make_unique<YListView>(); });
        return true;
    }();
    (void)done;
}

} // namespace

frmFolders::frmFolders() : Form(L"frmFolders")
{
    RegisterKinds();
    LoadFromResource(L"FRMFOLDERS");
}

void frmFolders::Form_Load()
{
    auto& tree = Control<YTreeView>(L"YTreeView1");
    tree.AddItem(-1, kTreeRoot);
    entryOfSlot_.assign(1, kNoEntry);

    Control<YCommand>(L"cmdFill").Click.connect([this] { Fill(); });
    tree.Click.connect([this](const std::wstring&) { TreeClicked(); });
    Control<YListView>(L"YListView1").ItemClick.connect([this](std::int32_t item) { ListClicked(item); });
}

void frmFolders::SetFolder(const std::wstring& folder) { Control<host::TextBox>(L"Text1").SetText(folder); }

int frmFolders::EntryOfSlot(int slot) const
{
    return slot >= 0 && slot < static_cast<int>(entryOfSlot_.size()) ? entryOfSlot_[slot] : kNoEntry;
}

void frmFolders::ClearTree()
{
    auto& tree = Control<YTreeView>(L"YTreeView1");
    // Copied: each removal changes the root's list of children.
    const std::vector<std::int32_t> old = tree.Store().Children(0);
    for (std::int32_t slot : old)
        tree.RemoveItem(slot);
    entryOfSlot_.assign(entryOfSlot_.size(), kNoEntry);
}

void frmFolders::Fill()
{
    auto& tree = Control<YTreeView>(L"YTreeView1");
    const std::wstring folder = Control<host::TextBox>(L"Text1").Text();
    folders::Scan scan = folders::ScanFolder(folder, kMaxEntries);
    if (!scan.error.empty()) {
        // The last good fill stays on show.
        SetStatus(scan.error);
        host::MsgBox(scan.error, host::MsgIcon::None, Caption());
        return;
    }
    scan_ = std::move(scan);
    ClearTree();

    // A node's slot is the one the tree gave it: the last child of its
    // parent right after AddItem.
    const auto add = [&](std::int32_t parentSlot, const std::wstring& label, int entry) {
        tree.AddItem(parentSlot, label);
        const std::int32_t slot = tree.Store().Children(parentSlot).back();
        if (slot >= static_cast<std::int32_t>(entryOfSlot_.size()))
            entryOfSlot_.resize(slot + 1, kNoEntry);
        entryOfSlot_[slot] = entry;
        return slot;
    };
    const std::int32_t topSlot = add(0, scan_.top, kTopFolder);
    std::vector<std::int32_t> slotOfEntry(scan_.entries.size());
    for (size_t i = 0; i < scan_.entries.size(); ++i) {
        const folders::Entry& e = scan_.entries[i];
        slotOfEntry[i] = add(e.parent < 0 ? topSlot : slotOfEntry[e.parent], e.name, static_cast<int>(i));
    }
    tree.Spread(0, true);
    tree.Spread(topSlot, true);

    ListFiles(kTopFolder);
    SetStatus(folders::Summary(scan_));
}

void frmFolders::ListFiles(int folder)
{
    auto& view = Control<YListView>(L"YListView1");
    view.Clear();  // the columns go too
    view.AddHeaderItem(L"Name", 240, nullptr, nullptr);
    view.AddHeaderItem(L"Size", 90, nullptr, nullptr);
    listed_ = folders::FilesIn(scan_, folder);
    for (size_t row = 0; row < listed_.size(); ++row) {
        const folders::Entry& e = scan_.entries[listed_[row]];
        view.AddListItem(e.name, nullptr, nullptr);
        view.AddListSubItem(static_cast<std::int32_t>(row), folders::SizeText(e.bytes), nullptr);
    }
}

void frmFolders::TreeClicked()
{
    const int entry = EntryOfSlot(Control<YTreeView>(L"YTreeView1").SelectedIndex());
    if (entry == kNoEntry)
        return;
    if (entry == kTopFolder || scan_.entries[entry].folder) {
        ListFiles(entry);
        const std::wstring name = entry == kTopFolder ? scan_.top : scan_.entries[entry].name;
        SetStatus(name + L": " + std::to_wstring(listed_.size()) + (listed_.size() == 1 ? L" file" : L" files"));
        return;
    }
    const folders::Entry& e = scan_.entries[entry];
    SetStatus(e.name + L", " + folders::SizeText(e.bytes));
}

void frmFolders::ListClicked(int item)
{
    if (item < 0 || item >= static_cast<int>(listed_.size()))
        return;
    const folders::Entry& e = scan_.entries[listed_[item]];
    SetStatus(e.name + L", " + folders::SizeText(e.bytes));
}

void frmFolders::SetStatus(const std::wstring& text) { Control<host::Label>(L"lblStatus").SetCaption(text); }

} // namespace folderview
