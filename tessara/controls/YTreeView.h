// Owner-drawn tree of text nodes with exactly one root, dotted connectors,
// expand boxes and a folder icon per row. Nodes live in numbered slots
// (TreeStore); two embedded scroll bars move the view by rows and pixels.
//
//   auto& tree = form.AddControl<tessara::YTreeView>(L"YTreeView1", x, y, w, h, &bag);
//   tree.AddItem(-1, L"root");              // slot 0
//   tree.AddItem(0, L"child");              // slot 1
//   tree.Click.connect([](const std::wstring& label) { ... });
//
// The program's resources must hold the bitmap "FOLDER" (resources/tree_folder.bmp).
#pragma once
#include "tessara/controls/BurstTimer.h"
#include "tessara/controls/TreeRows.h"
#include "tessara/controls/TreeStore.h"
#include "tessara/controls/YHScroll.h"
#include "tessara/controls/YVScroll.h"
#include "tessara/kit/Hook.h"

#include "host/Host.h"

#include <functional>
#include <string>

namespace tessara {

constexpr host::Colour kTreeLineColor = 0x00E7C3A5;      // connectors, expand boxes, frame
constexpr host::Colour kTreeSelectedColor = 0x00AB8769;  // box behind the selected label
constexpr host::Colour kTreeHoverColor = 0x00E7C3A5;     // box behind the hovered label

class YTreeView : public host::UserControl, public kit::HookClient {
public:
    YTreeView();
    ~YTreeView() override;

    void zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT& uMsg, WPARAM& wParam,
                        LPARAM& lParam) override;

    // ---- properties --------------------------------------------------------
    // Accepted when at least the font's character height; no relayout.
    void SetItemHeight(std::int32_t h);
    std::int32_t ItemHeight() const { return itemHeight_; }
    // A taller font raises ItemHeight to its height; no relayout.
    void SetFont(const host::Font& f);
    // BackColor (not used in painting) and ForeColor (label text) come from
    // UserControl and repaint when set.

    // ---- methods -----------------------------------------------------------
    // Sets a node's Expanded; the rows change at the next paint, the scroll
    // bars at the next layout.
    void Spread(std::int32_t index, bool expanded);
    // Lowest slot with this label; -1 with a message when there is none.
    std::int32_t GetIndexByStr(const std::wstring& item);
    // Selects the node, unfolds its ancestors and scrolls it into view.
    void FindItem(const std::wstring& item);
    // Adds a node (the first must be the root, parent -1); an empty label
    // is a label like any other. A parent that is no node is reported with
    // a message and nothing is added.
    void AddItem(std::int32_t parentIndex, const std::wstring& item);
    // Removes a node with its subtree (not the root); scrolls back to the top.
    void RemoveItem(std::int32_t index);
    // Visible rows below a node.
    std::int32_t pGetItemCnt(std::int32_t index) const { return store_.pGetItemCnt(index); }

    // ---- events ------------------------------------------------------------
    // A node's label was clicked (raised again on a double click).
    host::Event<const std::wstring&> Click;

    // ---- state for the gallery, tests and test drivers -----------------------
    std::int32_t TotalRows() const { return totalRows_; }
    std::int32_t PageRows() const { return pageRows_; }
    std::int32_t SavedPageRows() const { return savedPageRows_; }
    std::int32_t SelectedIndex() const { return selectedIndex_; }
    std::int32_t HoverIndex() const { return hoverIndex_; }
    bool GlyphHit() const { return glyphHit_; }
    std::int32_t SlotCount() const { return store_.SlotCount(); }
    std::int32_t FreeSlots() const { return store_.FreeSlots(); }
    std::int32_t ContentWidth();
    const TreeStore& Store() const { return store_; }
    YVScroll& VScroll() { return *vScroll_; }
    YHScroll& HScroll() { return *hScroll_; }
    // The layout, as tmrInit runs it 100 ms after the last change of a burst.
    void Relayout();
    // Where a shown node sits now: its expand-box zone and its label box.
    // False when the node is not on a row of the walk.
    bool NodeRects(std::int32_t slot, RECT* box, RECT* label);
    // Paints the whole frame onto a surface of w x h pixels, as WM_PAINT does.
    void PaintFrameTo(HDC surface, int w, int h);
    // The routine that lists the rows a paint visits; tests put a full walk
    // here to compare the pixels.
    using RowWalker = std::function<void(TreeStore&, const PaintView&, const PaintRowSink&)>;
    void SetRowWalker(RowWalker walker);

protected:
    void Initialize() override;
    void InitProperties() override;
    void ReadProperties(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void Resize() override;
    void Terminate() override;

private:
    class MeasureScope;

    void Hook();
    void Invalidate();
    void ScheduleLayout();
    void FirstResize();
    void EnsureRowVisible(std::int32_t slot, std::int32_t row);
    std::int32_t MeasureText(const std::wstring& s);
    std::int32_t FontCharHeight();
    RowGeometry Geometry() const { return RowGeometry::ForItemHeight(itemHeight_); }

    // painting
    void OnPaint();
    void PaintRows(HDC dc, int w, int h);
    void PaintRow(HDC dc, const PaintRowCall& c);
    void PaintMargins(HDC dc, int w, int h);

    // input
    HitResult HitTest(int x, int y);
    void OnMouseMove(LPARAM lParam);
    void OnButtonDown(LPARAM lParam);
    void OnWheel(WPARAM wParam);
    void OnVChange();
    void OnHChange();
    void OnVRedrawTick();

    TreeStore store_;
    std::int32_t totalRows_ = 0;       // rows as the last layout counted them
    std::int32_t itemHeight_ = 21;     // height of a row's label area
    std::int32_t pageRows_ = 0;        // rows that fit; 0 until the first resize
    std::int32_t savedPageRows_ = 0;   // pageRows_ as the first resize left it
    bool laidOut_ = false;             // the first layout has run
    std::int32_t hoverIndex_ = -1;     // slot under the mouse
    std::int32_t selectedIndex_ = -1;
    bool glyphHit_ = false;            // the last hit landed in an expand-box zone
    std::int32_t pendingVScroll_ = 0;  // rows to add to the vertical value at the next layout
    std::int32_t pendingHScroll_ = 0;  // pixels to add to the horizontal value
    HBITMAP folderBitmap_ = nullptr;   // "FOLDER", 20 x 14
    HDC folderImage_ = nullptr;        // image surface over it
    DWORD lastMoveTick_ = 0, lastHChangeTick_ = 0, lastVChangeTick_ = 0;
    HDC measureDc_ = nullptr;          // set while a MeasureScope is open

    YVScroll* vScroll_ = nullptr;
    YHScroll* hScroll_ = nullptr;
    BurstTimer tmrInit{[this] { Relayout(); }};  // one layout after a burst of changes
    host::Timer tmrIsVRedraw{100, false};
    kit::WindowHook hook_{*this};
    RowWalker rowWalker_;
};

} // namespace tessara
