// Owner-drawn drop-down list box: a 20-pixel text area with an arrow button
// and an embedded YList below it. To drop the list down the whole control
// is lifted out of its form as a topmost window and made taller; a choice,
// a press elsewhere, focus leaving or the form's deactivation put it back.
// One list is open at a time, program-wide.
//
//   auto& combo = form.AddControl<tessara::YCombo>(L"YCombo1", 0, 0, 2400, 300, &bag);
//   combo.AddItem(L"甲");
//   combo.Change.connect([&] { use(combo.Text()); });
#pragma once
#include "tessara/controls/combo/ComboLayout.h"
#include "tessara/controls/list/YList.h"
#include "tessara/kit/ControlSkeleton.h"
#include "tessara/kit/MdlSubclassMain.h"

#include "host/StdControls.h"

namespace tessara {

class YCombo : public kit::ControlSkeleton, public kit::DropDownOwner {
public:
    YCombo();
    ~YCombo() override;

    // ---- items (passed to the list; Text is not touched) -------------------
    void AddItem(std::wstring_view text) { YList1->AddItem(text); }
    void RemoveItem(int index) { YList1->RemoveItem(index); }
    void Clear() { YList1->Clear(); }

    // ---- properties --------------------------------------------------------
    // Selects item v of the list and shows its text; raises Change when the
    // text differs from the last one reported. Other values are ignored.
    void SetListIndex(int v);
    const std::wstring& Text() const { return text_.Text(); }
    void SetText(std::wstring t);  // raises nothing
    void SetItemHeight(int v) { YList1->SetItemHeight(v); }
    // Rows the list shows when dropped (also handed to the list).
    void SetPageCount(int v);
    bool IsReal() const { return isReal_; }
    void SetIsReal(bool v);        // design time only
    void SetFont(const host::Font& f);  // repaints; the list keeps its own font

    // ---- events ------------------------------------------------------------
    host::Event<> Click;   // an item was chosen in the dropped list
    host::Event<> Change;  // Text changed through the list or SetListIndex

    // ---- for tests ----------------------------------------------------------
    YList& List() const { return *YList1; }
    host::PictureBox& Arrow() const { return *picArrow; }
    bool IsOpen() const { return open_; }
    bool ArrowPressed() const { return arrowPressed_; }
    bool ArrowHover() const { return arrowHover_; }
    bool TextHighlighted() const { return highlighted_; }

    // ---- the drop-down --------------------------------------------------------
    HWND DropDownWindow() const override { return hWnd(); }
    // Back into the container it was lifted from, closed.
    void PutBackDropDown() override;

protected:
    void Initialize() override;
    void ReadStored(const host::PropertyBag& bag) override;
    void WriteProperties(host::PropertyBag& bag) override;
    void Resize() override;
    // The text area; the list and the arrow paint themselves.
    void PaintTo(HDC dc, int width, int height) override;
    int PresentedHeight(int) const override { return kComboHeight; }
    void ExitFocus() override;
    void Teardown() override;

    // Focus sits in the list while it is down: its loss is the control's
    // loss too when focus goes elsewhere than the combo.
    void HookParts(kit::WindowHook& hook) override;
    void OnPartMessage(HWND part, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void OnLButtonDown(int x, int y) override { OnTextPress(x, y); }
    void OnRButtonDown(int x, int y) override { OnTextPress(x, y); }
    // Noted for the exit-focus event that follows.
    void OnKillFocus(HWND to) override { focusTo_ = to; }

private:
    HWND OwnerWindow() const;
    void Toggle();
    void Open();
    void OnListClick();
    void OnTextPress(int x, int y);
    void PaintArrow();
    void RepaintArrow();
    void OnArrowDown(int button, float x, float y);
    void OnArrowUp(int button, float x, float y);
    void FocusLeaving(HWND to);
    void OnArrowMove(int button, float x, float y);
    void OnLeaveTick();

    YList* YList1 = nullptr;
    host::PictureBox* picArrow = nullptr;
    host::Timer tmrIsLeave{100, false};  // notices the mouse leaving a pressed arrow
    ComboText text_;                     // shown text and last reported text
    int pageCount_ = kComboDropRows;     // rows shown when dropped
    bool isReal_ = true;
    bool arrowHover_ = false;
    bool arrowPressed_ = false;
    bool highlighted_ = false;           // the text shows the chosen-item highlight
    bool open_ = false;                  // lifted out as a pop-up with the list down
    bool arrowHeld_ = false;             // the left button went down over the arrow
    bool arrowClick_ = false;            // the last arrow release completes a click
    HWND focusTo_ = nullptr;             // where focus went on the last WM_KILLFOCUS
};

} // namespace tessara
