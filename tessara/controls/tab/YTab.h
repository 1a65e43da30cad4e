// Owner-drawn tab strip: equally sized tabs above (or below) a white page,
// in one line or wrapped into lines of CntOfLine tabs. It shows the tabs and
// reports clicks; it owns no pages of content.
#pragma once
#include "tessara/controls/tab/TabLayout.h"
#include "tessara/kit/ControlSkeleton.h"

#include "host/Event.h"

#include <string>
#include <vector>

namespace tessara {

class YTab : public kit::ControlSkeleton {
public:
    YTab();
    ~YTab() override;

    // ---- properties ------------------------------------------------------
    // IsBottom, CntOfLine and MultilLine show at the next repaint.
    bool IsBottom() const { return isBottom_; }
    void SetIsBottom(bool v) { isBottom_ = v; }
    int CntOfLine() const { return cntOfLine_; }
    void SetCntOfLine(int v) { cntOfLine_ = ClampCntOfLine(v); }
    bool MultilLine() const { return multilLine_; }
    void SetMultilLine(bool v) { multilLine_ = v; }
    // Values below 1 are ignored; above kTabMaxItemSize they become that.
    int ItemWidth() const { return itemWidth_; }
    void SetItemWidth(int v);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int v);
    void SetFont(const host::Font& font);
    void SetBackColor(host::Colour c);  // the band behind the tabs
    void SetForeColor(host::Colour c);  // caption colour

    // ---- methods ----------------------------------------------------------
    void AddItem(const std::wstring& caption);
    void RemoveItem(int index);

    // ---- events -------------------------------------------------------------
    host::Event<int> Click;  // a tab was pressed (also the selected one, and on a double-click)

    // ---- state, for tests ---------------------------------------------------
    int TabCount() const { return static_cast<int>(captions_.size()); }
    const std::wstring& TabCaption(int i) const { return captions_.at(static_cast<size_t>(i)); }
    int SelectedTab() const { return selectedTab_; }
    int HoverTab() const { return hoverTab_; }
    // The geometry of the current state and client size.
    TabLayout Layout() const;

    static constexpr host::Colour kPageColor = 0x00FFFFFF;
    static const host::Colour kTabColor;        // tint 0.1 of RGB 179,214,255
    static const host::Colour kTabBorderColor;  // shade 0.2 of RGB 179,214,255

protected:
    void ReadStored(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void PaintTo(HDC dc, int width, int height) override;
    // One repaint after a burst of changes.
    void RunLayout() override { Invalidate(); }

    void OnMouseMove(int x, int y) override;
    void OnMouseLeave() override;
    void OnLButtonDown(int x, int y) override { OnPress(x, y); }
    void OnLButtonDblClk(int x, int y) override { OnPress(x, y); }

private:
    void OnPress(int x, int y);

    std::vector<std::wstring> captions_;
    int itemWidth_ = 50;
    int itemHeight_ = 20;
    int hoverTab_ = -1;
    int selectedTab_ = 0;
    bool multilLine_ = false;
    int cntOfLine_ = 4;
    bool isBottom_ = false;
};

} // namespace tessara
