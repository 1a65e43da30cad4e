// Owner-drawn list of items sorted into named groups. Each group shows as a
// header row (name, item count, arrow glyph) that folds and unfolds its
// items on a click; an embedded YVScroll scrolls the rows, and a hovered
// item whose text is too wide scrolls sideways (ScrollMode 0, 1 or 2).
#pragma once
#include "tessara/controls/BurstTimer.h"
#include "tessara/controls/GroupListModel.h"
#include "tessara/controls/YVScroll.h"
#include "tessara/kit/Hook.h"

#include "host/Host.h"

#include <string>

namespace tessara {

class YGroupList : public host::UserControl, public kit::HookClient {
public:
    YGroupList();
    ~YGroupList() override;

    // ---- methods ----------------------------------------------------------
    // A new group starts folded and empty; it shows after the next relayout.
    void AddGroup(const std::wstring& groupName);
    // Ignored for an unknown group or one that holds 1000 items.
    void AddItem(int groupIndex, const std::wstring& item);
    void RemoveItem(int groupIndex, int itemIndex);
    // "" / 0 for indexes out of range.
    std::wstring GetList(int groupIndex, int itemIndex) const;
    int GetListCount(int groupIndex) const;
    void Spread(int groupIndex, bool value);
    void RemoveGroup(int groupIndex);

    // ---- properties ---------------------------------------------------------
    int ScrollMode() const { return scrollMode_; }
    void SetScrollMode(int mode);  // 0, 1 or 2; other values are ignored
    // A font taller than the rows makes the rows taller, with a notice.
    void SetFont(const host::Font& font);
    void SetBackColor(host::Colour c);
    void SetForeColor(host::Colour c);
    // Run time only; values below the font's text height are ignored.
    void SetItemHeight(int v);
    int ItemHeight() const { return itemHeight_; }

    // ---- events -------------------------------------------------------------
    host::Event<const std::wstring&> Click;    // button down on an item row, and on a double-click
    host::Event<const std::wstring&> DBClick;  // a double-click on an item row, after Click

    // ---- state, for tests -----------------------------------------------------
    YVScroll* YVScroll1 = nullptr;
    const GroupStore& Store() const { return store_; }
    GroupView View() const;
    int PageRows() const { return pageRows_; }
    int HoverRow() const { return hoverRow_; }
    int MarqueeOffset() const { return marquee_.offset; }
    bool Marqueeing() const { return tmrDis.Enabled(); }
    bool RelayoutPending() const { return tmrInit.Pending(); }

    static constexpr host::Colour kHeaderHoverColor = 0x00FFD6B3;
    static constexpr host::Colour kHeaderColor = 0x00FFFFFF;
    static constexpr host::Colour kItemHoverColor = 0x00FFD6B3;
    static constexpr host::Colour kItemColorA = 0x00FFF7F3;
    static constexpr host::Colour kItemColorB = 0x00FFFFFF;
    static constexpr host::Colour kBorderColor = 0x00D2D2D2;

    void zSubclass_Proc(bool bBefore, bool& bHandled, LRESULT& lReturn, HWND hWnd, UINT& uMsg, WPARAM& wParam,
                        LPARAM& lParam) override;

protected:
    void Initialize() override;
    void InitProperties() override;
    void ReadProperties(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void Resize() override;
    void Paint() override;  // design time only: run time paints through the hook
    void Terminate() override;

private:
    void Hook();
    void Invalidate();
    void Relayout();
    int TextHeight() const;
    int TextWidth(const std::wstring& text) const;
    void ApplyItemHeight(int v);
    void PlaceScrollBar();
    void PaintList(HDC dc, int width, int height) const;
    void OnMouseMove(LPARAM lParam);
    void OnMouseLeave();
    void OnPress(LPARAM lParam, bool doubleClick);
    void OnWheel(WPARAM wParam);
    void OnScrollChange();
    void OnMarqueeTick();

    GroupStore store_;
    int itemHeight_ = 20;
    int pageRows_ = 0;
    int hoverRow_ = -1;
    int pendingScroll_ = 0;  // rows to add to the bar's value at the next relayout (group removals)
    int scrollMode_ = 0;
    Marquee marquee_;
    // Measured when the hovered row changes: the hovered text's width, its
    // overflow and the width of the five spaces of the wrap-around style.
    int hoverTextWidth_ = 0;
    int hoverOverflow_ = 0;
    int spacesWidth_ = 0;
    std::uint32_t lastMoveTick_ = 0;
    std::uint32_t lastDragTick_ = 0;
    BurstTimer tmrInit{[this] { Relayout(); }};
    host::Timer tmrDis{100, false};
    kit::WindowHook hook_{*this};
};

} // namespace tessara
