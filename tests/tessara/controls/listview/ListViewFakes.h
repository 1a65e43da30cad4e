// Test doubles for the list view's window side: scroll bars that keep the
// bars' value rules, a site that records what the model asks, and a canvas
// that records what the painter draws.
#pragma once
#include "tessara/controls/listview/ListViewPaint.h"
#include "tessara/controls/scroll/ScrollModel.h"

#include <memory>
#include <string>
#include <vector>

namespace lvtest {

using namespace tessara;

// A scroll bar as the list view sees it, over the scroll bars' own value
// model: values outside MinV..MaxV are refused, and so is a MaxV below
// Value. Changes are counted as the bar's Change events.
class FakeBar : private ScrollPlatform {
public:
    bool visible = false;
    std::int32_t glide = 10;
    kit::Rect placed{};  // left, top, right, bottom from the last Move
    int moves = 0;
    int changes = 0;

    FakeBar() { model_.SetSize(200, 18); }
    bool Visible() const { return visible; }
    void SetVisible(bool v) { visible = v; }
    std::int32_t Value() const { return model_.Value(); }
    void SetValue(std::int32_t v) { model_.SetValue(v); }
    std::int32_t MaxV() const { return model_.MaxV(); }
    void SetMaxV(std::int32_t v) { model_.SetMaxV(v); }
    void SetGlide(std::int32_t len) { glide = len; }
    void Move(const kit::Rect& r)
    {
        placed = r;
        ++moves;
    }
    // A layout's plan, carried out as the control does it.
    void Apply(const BarPlan& p)
    {
        if (!p.visible) {
            SetVisible(false);
            SetValue(0);
            return;
        }
        if (p.place)
            Move(*p.place);
        SetGlide(p.thumb);
        SetValue(static_cast<std::int32_t>(p.value));
        SetMaxV(p.maxV);
        SetVisible(true);
    }

private:
    void Changed() override { ++changes; }
    void Repaint() override {}
    void RepeatTimer(bool) override {}
    ScrollModel model_{*this};
};

struct Event {
    char kind;  // 'H' header click, 'I' item click
    std::int32_t index;
    bool operator==(const Event& o) const { return kind == o.kind && index == o.index; }
};

class FakeSite : public ListViewPlatform {
public:
    std::int32_t width = 300;
    std::int32_t height = 200;
    std::int32_t textHeight = 12;
    FakeBar vbar, hbar;
    int invalidations = 0;
    ListCursor cursor = ListCursor::Default;
    int cursorSets = 0;
    std::vector<Event> events;
    int restarts = 0, starts = 0, stops = 0;

    std::int32_t ScaleWidth() const override { return width; }
    std::int32_t ScaleHeight() const override { return height; }
    void SetScaleHeight(std::int32_t px) override { height = px; }
    std::int32_t TextHeight() const override { return textHeight; }
    ListBarState Bar(ListBar b) const override
    {
        const FakeBar& bar = b == ListBar::Vertical ? vbar : hbar;
        return {bar.visible, bar.Value(), bar.MaxV()};
    }
    void ApplyBar(ListBar b, const BarPlan& plan) override { (b == ListBar::Vertical ? vbar : hbar).Apply(plan); }
    void ScrollBarTo(ListBar b, std::int32_t value) override { (b == ListBar::Vertical ? vbar : hbar).SetValue(value); }
    void Invalidate() override { ++invalidations; }
    void SetCursor(ListCursor c) override
    {
        cursor = c;
        ++cursorSets;
    }
    void HeaderClicked(std::int32_t c) override { events.push_back({'H', c}); }
    void ItemClicked(std::int32_t i) override { events.push_back({'I', i}); }
    void RestartLayoutTimer() override { ++restarts; }
    void StartLayoutTimer() override { ++starts; }
    void StopLayoutTimer() override { ++stops; }

    ListPaintFrame Frame() const
    {
        return {width, height, textHeight, vbar.Value(), hbar.Value(), vbar.visible};
    }
};

inline host::PictureRef MakeIcon(int size)
{
    auto p = std::make_shared<host::Picture>();
    p->type = host::Picture::Type::Icon;
    p->width = p->height = size;
    return p;
}

struct Op {
    enum Kind { Fill, Frame, RoundBox, FramedBox, Icon, Text, Clip, Unclip } kind;
    kit::Rect rect{};
    host::Colour colour = 0;
    const host::Picture* icon = nullptr;
    std::int32_t size = 0;
    std::wstring text;
    TextAlign align = TextAlign::Left;

    Op(Kind k, kit::Rect r = {}, host::Colour c = 0) : kind(k), rect(r), colour(c) {}
};

// Character widths: 6 pixels for ASCII, 12 for anything wider.
inline std::int32_t MeasureChars(std::wstring_view s)
{
    std::int32_t w = 0;
    for (wchar_t c : s)
        w += c < 0x80 ? 6 : 12;
    return w;
}

class RecordingCanvas : public ListCanvas {
public:
    std::vector<Op> ops;
    int measures = 0;

    void Fill(const kit::Rect& r, host::Colour c) override { ops.push_back({Op::Fill, r, c}); }
    void Frame(const kit::Rect& r, host::Colour c) override { ops.push_back({Op::Frame, r, c}); }
    void RoundBox(const kit::Rect& r, host::Colour c) override { ops.push_back({Op::RoundBox, r, c}); }
    void FramedBox(const kit::Rect& r, host::Colour c) override { ops.push_back({Op::FramedBox, r, c}); }
    void Icon(std::int32_t x, std::int32_t y, const host::PictureRef& icon, std::int32_t size) override
    {
        Op op{Op::Icon, {x, y, x + size, y + size}};
        op.icon = icon.get();
        op.size = size;
        ops.push_back(op);
    }
    void Text(const kit::Rect& r, const std::wstring& text, TextAlign align) override
    {
        Op op{Op::Text, r};
        op.text = text;
        op.align = align;
        ops.push_back(op);
    }
    void Clip(const kit::Rect& r) override { ops.push_back({Op::Clip, r}); }
    void Unclip() override { ops.push_back({Op::Unclip}); }
    std::int32_t TextWidth(std::wstring_view s) override
    {
        ++measures;
        return MeasureChars(s);
    }

    std::vector<Op> Of(Op::Kind k) const
    {
        std::vector<Op> out;
        for (const auto& op : ops)
            if (op.kind == k)
                out.push_back(op);
        return out;
    }
    const Op* TextNamed(const std::wstring& t) const
    {
        for (const auto& op : ops)
            if (op.kind == Op::Text && op.text == t)
                return &op;
        return nullptr;
    }
};

} // namespace lvtest
