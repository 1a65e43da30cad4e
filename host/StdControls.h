// The standard controls a form (or an owner-drawn control) can hold.
// Stored-data keys of each are listed beside it; positions are twips.
#pragma once
#include "Control.h"
#include "Event.h"

namespace host {

// A standard control with a font of its own (the container's unless
// stored or set). The GDI font lives as long as the window.
class FontedControl : public ControlBase {
public:
    const host::Font& Font() const { return font_; }
    virtual void SetFont(const host::Font& f);

protected:
    using ControlBase::ControlBase;
    ~FontedControl() override;
    void Unloading() override;
    // The stored "Font", or the container's.
    void LoadFont(const PropertyBag* saved);
    // "Font" and "Enabled" unless they hold their defaults.
    void SaveCommon(PropertyBag& bag) const;
    HFONT FontHandle();  // made when first needed
    std::wstring WindowText() const;

    host::Font font_;

private:
    HFONT hfont_ = nullptr;
};

// Check box and option button: a system button with a caption.
class CaptionedButton : public FontedControl {
public:
    std::wstring Caption() const { return WindowText(); }
    void SetCaption(const std::wstring& text);

protected:
    using FontedControl::FontedControl;
};

// Text on the container's background. Keys: Caption, ForeColor, BackColor,
// BackStyle (0 transparent, 1 opaque), Font, Alignment (0 left, 1 right,
// 2 centre), MousePointer, MouseIcon, Enabled. Long captions wrap; a
// caption may hold line breaks ("\n" in code, "||" in stored data).
class Label : public FontedControl {
public:
    Label();
    const std::wstring& Caption() const { return caption_; }
    void SetCaption(const std::wstring& text);
    Colour ForeColor() const { return fore_; }
    void SetForeColor(Colour c);
    Colour BackColor() const { return back_; }
    void SetBackColor(Colour c);
    bool Transparent() const { return transparent_; }
    void SetTransparent(bool t);
    void SetFont(const host::Font& f) override;
    bool Bold() const { return font_.bold; }
    void SetBold(bool b);
    int Alignment() const { return align_; }
    void SetAlignment(int a);
    int MousePointer() const { return pointer_; }
    void SetMousePointer(int p) { pointer_ = p; }
    PictureRef MouseIcon() const { return mouseIcon_; }
    void SetMouseIcon(PictureRef p) { mouseIcon_ = std::move(p); }

    Event<> Click;
    Event<> DblClick;
    Event<int, int, float, float> MouseDown;   // button, shift, x, y (pixels)
    Event<int, int, float, float> MouseUp;
    Event<int, int, float, float> MouseMove;

    void SaveProperties(PropertyBag& bag) override;

protected:
    HWND CreateControlWindow(HWND parent, int x, int y, int w, int h) override;
    void LoadProperties(const PropertyBag* saved) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void Invalidate();
    void PaintOn(HDC dc);
    std::wstring caption_;
    Colour fore_ = 0x80000012;
    Colour back_ = 0x8000000F;
    bool transparent_ = true;
    int align_ = 0;
    int pointer_ = 0;
    PictureRef mouseIcon_;
    HFONT hfont_ = nullptr;     // made from font_ when first needed
    bool pressed_ = false;
};

// One-line (or multi-line) edit box. Keys: Text, MultiLine, Locked,
// MaxLength, Font, Enabled.
class TextBox : public FontedControl {
public:
    TextBox();
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    bool MultiLine() const { return multiLine_; }   // fixed when the window is made
    bool Locked() const { return locked_; }
    void SetLocked(bool l);

    Event<> Change;   // the text changed, by the user or by SetText

    void SaveProperties(PropertyBag& bag) override;

protected:
    HWND CreateControlWindow(HWND parent, int x, int y, int w, int h) override;
    void LoadProperties(const PropertyBag* saved) override;
    bool OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    bool settingText_ = false;   // our own SetWindowText: Change is raised once, by us
    bool multiLine_ = false;
    bool locked_ = false;
    int maxLength_ = 0;
};

// A list whose rows each have a tick box. Selected(i) is the ticked
// state. ItemCheck(row) is raised whenever a row's ticked state changes:
// by a click on its box (or on the highlighted row), by Space, or by the
// program through SetSelected. Keys: Font, List (rows separated by "||").
class CheckList : public FontedControl {
public:
    CheckList();
    void Clear();
    void AddItem(const std::wstring& text);
    void RemoveItem(int row);
    int ListCount() const { return static_cast<int>(rows_.size()); }
    std::wstring List(int row) const;            // empty outside the rows
    bool Selected(int row) const;                // ticked
    void SetSelected(int row, bool ticked);      // raises ItemCheck on a change
    int ListIndex() const;                       // highlighted row, -1 none
    void SetListIndex(int row);
    void SetFont(const host::Font& f) override;

    Event<int> ItemCheck;   // row
    Event<> Click;          // the highlighted row changed

    void SaveProperties(PropertyBag& bag) override;

protected:
    HWND CreateControlWindow(HWND parent, int x, int y, int w, int h) override;
    void LoadProperties(const PropertyBag* saved) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    bool OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    struct Row {
        std::wstring text;
        bool ticked = false;
    };
    void Toggle(int row);
    int BoxSize() const;
    std::vector<Row> rows_;
};

// A closed list to pick one row from. Keys: Font, List, ListIndex.
class DropDownList : public FontedControl {
public:
    DropDownList();
    void Clear();
    void AddItem(const std::wstring& text);
    int ListCount() const;
    std::wstring List(int row) const;
    int ListIndex() const;             // -1 when none is chosen
    void SetListIndex(int row);        // -1 clears; out of range is ignored

    Event<> Click;   // the chosen row changed (user or program)

    void SaveProperties(PropertyBag& bag) override;

protected:
    HWND CreateControlWindow(HWND parent, int x, int y, int w, int h) override;
    void LoadProperties(const PropertyBag* saved) override;
    bool OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
};

// Tick box with a caption. Value 0 or 1. Keys: Caption, Value, Font.
class CheckBox : public CaptionedButton {
public:
    CheckBox();
    int Value() const { return value_; }
    void SetValue(int v);              // 0 or 1; a change raises Click

    Event<> Click;

    void SaveProperties(PropertyBag& bag) override;

protected:
    HWND CreateControlWindow(HWND parent, int x, int y, int w, int h) override;
    void LoadProperties(const PropertyBag* saved) override;
    bool OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    std::wstring caption_;
    int value_ = 0;
};

// Option button; all option buttons of one container form one group.
// Usually an array: Option1(0), Option1(1), ... Click carries Index().
// Keys: Caption, Value, Font.
class OptionButton : public CaptionedButton {
public:
    OptionButton();
    bool Value() const { return value_; }
    // True clears the group's others and raises Click(index).
    void SetValue(bool v);

    Event<int> Click;   // the array index (-1 for a single button)

    void SaveProperties(PropertyBag& bag) override;

protected:
    HWND CreateControlWindow(HWND parent, int x, int y, int w, int h) override;
    void LoadProperties(const PropertyBag* saved) override;
    bool OnParentNotify(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void Select(bool raise);   // ticks this one and clears the group's others
    std::wstring caption_;
    bool value_ = false;
};

// Shows a picture (bitmap or icon) on a plain background and reports
// paint and mouse events. Keys: Picture, AutoSize (window takes the
// picture's size), BackColor, BorderStyle (0 none, 1 single), Visible.
class PictureBox : public ControlBase {
public:
    PictureBox();
    ~PictureBox() override;
    PictureRef Picture() const { return picture_; }
    void SetPicture(PictureRef p);
    bool AutoSize() const { return autoSize_; }
    void SetAutoSize(bool a);
    Colour BackColor() const { return back_; }
    void SetBackColor(Colour c);
    int BorderStyle() const { return border_; }
    void SetBorderStyle(int b);
    HDC hDC() const { return hdc_; }
    int ScaleWidth() const;
    int ScaleHeight() const;
    void Refresh();

    Event<> Paint;                             // after the picture is drawn; draw on hDC()
    Event<> Click;
    Event<int, int, float, float> MouseDown;   // button, shift, x, y (pixels)
    Event<int, int, float, float> MouseUp;
    Event<int, int, float, float> MouseMove;

    void SaveProperties(PropertyBag& bag) override;

protected:
    HWND CreateControlWindow(HWND parent, int x, int y, int w, int h) override;
    void LoadProperties(const PropertyBag* saved) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void FitToPicture();
    void PaintOn(HDC dc);
    PictureRef picture_;
    bool autoSize_ = false;
    Colour back_ = 0x8000000F;
    int border_ = 0;
    HDC hdc_ = nullptr;
    bool pressed_ = false;
};

// A straight line between two points of the container (twips). Keys:
// X1, Y1, X2, Y2, BorderColor, BorderWidth (pixels).
class Line : public ControlBase {
public:
    Line();
    int X1() const { return x1_; }
    int Y1() const { return y1_; }
    int X2() const { return x2_; }
    int Y2() const { return y2_; }
    void SetPoints(int x1, int y1, int x2, int y2);
    Colour BorderColor() const { return colour_; }
    void SetBorderColor(Colour c);
    int BorderWidth() const { return width_; }
    void SetBorderWidth(int px);

    void SaveProperties(PropertyBag& bag) override;

protected:
    HWND CreateControlWindow(HWND parent, int x, int y, int w, int h) override;
    void LoadProperties(const PropertyBag* saved) override;
    bool OnMessage(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;

private:
    void Place();
    void PaintOn(HDC dc);
    int x1_ = 0, y1_ = 0, x2_ = 0, y2_ = 0;
    Colour colour_ = 0x80000012;
    int width_ = 1;
};

} // namespace host
