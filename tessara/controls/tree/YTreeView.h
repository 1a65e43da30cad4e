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
#include "tessara/controls/tree/TreeViewModel.h"
#include "tessara/controls/scroll/YHScroll.h"
#include "tessara/controls/scroll/YVScroll.h"
#include "tessara/kit/ControlSkeleton.h"

#include "host/Event.h"

#include <string>

namespace tessara {

constexpr host::Colour kTreeLineColor = 0x00E7C3A5;      // connectors, expand boxes, frame
constexpr host::Colour kTreeSelectedColor = 0x00AB8769;  // box behind the selected label
constexpr host::Colour kTreeHoverColor = 0x00E7C3A5;     // box behind the hovered label

class YTreeView : public kit::ControlSkeleton {
public:
    YTreeView();
    ~YTreeView() override;

    // ---- properties --------------------------------------------------------
    // Accepted when at least the font's character height; no relayout.
    void SetItemHeight(std::int32_t h);
    std::int32_t ItemHeight() const { return model_.ItemHeight(); }
    // A taller font raises ItemHeight to its height; no relayout.
    void SetFont(const host::Font& f);
    // BackColor (not used in painting) and ForeColor (label text) come from
    // UserControl and repaint when set.

    // ---- methods -----------------------------------------------------------
    // Sets a node's Expanded; the rows change at the next paint, the scroll
    // bars at the next layout.
    void Spread(std::int32_t index, bool expanded) { model_.Store().Spread(index, expanded); }
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
    std::int32_t pGetItemCnt(std::int32_t index) const { return model_.Store().pGetItemCnt(index); }

    // ---- events ------------------------------------------------------------
    // A node's label was clicked (raised again on a double click).
    host::Event<const std::wstring&> Click;

    // ---- the view's state and parts -------------------------------------------
    const TreeViewModel& Model() const { return model_; }
    const TreeStore& Store() const { return model_.Store(); }
    std::int32_t TotalRows() const { return model_.TotalRows(); }
    std::int32_t SelectedIndex() const { return model_.SelectedIndex(); }
    std::int32_t SlotCount() const { return model_.Store().SlotCount(); }
    std::int32_t FreeSlots() const { return model_.Store().FreeSlots(); }
    YVScroll& VScroll() { return *vScroll_; }
    YHScroll& HScroll() { return *hScroll_; }
    // The widest row's extent, measured in the control's font.
    std::int32_t ContentWidth();
    // Where a shown node sits now: its expand-box zone and its label box.
    // False when the node is not on a row of the walk.
    bool NodeRects(std::int32_t slot, RECT* box, RECT* label);

protected:
    void Initialize() override;
    void ReadStored(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void Resize() override;
    void PaintTo(HDC dc, int width, int height) override;
    void Teardown() override;
    // The layout, 100 ms after the last change of a burst.
    void RunLayout() override;
    // The rows a paint visits, in the order of the full walk.
    virtual void WalkRows(TreeStore& store, const PaintView& view, const PaintRowSink& sink);

    void OnLButtonDown(int x, int y) override { OnPress(x, y); }
    void OnLButtonDblClk(int x, int y) override { OnPress(x, y); }
    void OnMouseWheel(WPARAM wParam) override;
    void OnMouseMove(int x, int y) override;
    // The hover box goes at the next paint.
    void OnMouseLeave() override { model_.Leave(); }

private:
    TreeScroll Scroll() const;
    void EnsureRowVisible(std::int32_t slot, std::int32_t row);
    void ReleaseFolder();

    // painting
    void PaintRows(HDC dc, int w, int h);
    void PaintRow(HDC dc, const PaintRowCall& c);
    void PaintMargins(HDC dc, int w, int h);

    void OnPress(int x, int y);
    void OnHChange();

    TreeViewModel model_;
    HBITMAP folderBitmap_ = nullptr;   // "FOLDER", 20 x 14
    HDC folderImage_ = nullptr;        // image surface over it
    YVScroll* vScroll_ = nullptr;
    YHScroll* hScroll_ = nullptr;
    // While the thumb is dragged the rows repaint at most every 20 ms; the
    // final position paints once the drag ends.
    kit::DragRepaint vScrolled_{[this] { Invalidate(); }, [this] { return vScroll_->IsGlideDown(); }, 20, true};
    kit::Throttle hRepaints_{20};      // sideways moves repaint at most every 20 ms
};

} // namespace tessara
