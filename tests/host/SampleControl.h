// The smallest useful owner-drawn control, written the way every control
// is: lifecycle events, a property kept in the bag, painting on its own
// surface, one event raised to the form.
#pragma once
#include "host/Host.h"

// A coloured swatch that counts clicks and reports each one.
class Swatch : public host::UserControl {
public:
    static constexpr host::Colour kDefaultColour = 0x000000FF;  // red

    Swatch() : UserControl(L"Swatch") {}

    host::Colour Colour() const { return colour_; }
    void SetColour(host::Colour c)
    {
        if (c == colour_)
            return;
        colour_ = c;
        PropertyChanged(L"Colour");
        Refresh();
    }
    int Clicks() const { return clicks_; }

    host::Event<int> Clicked;  // the number of clicks so far

    void InitProperties() override { colour_ = kDefaultColour; }
    void ReadProperties(const host::PropertyBag& bag) override
    {
        colour_ = bag.readColour(L"Colour", kDefaultColour);
        clicks_ = bag.readLong(L"Clicks", 0);
    }
    void WriteProperties(host::PropertyBag& bag) override
    {
        bag.write(L"Colour", static_cast<std::int64_t>(colour_), static_cast<std::int64_t>(kDefaultColour));
        bag.write(L"Clicks", static_cast<std::int64_t>(clicks_), static_cast<std::int64_t>(0));
    }
    void Paint() override
    {
        RECT r = {0, 0, ScaleWidth(), ScaleHeight()};
        HBRUSH b = CreateSolidBrush(host::TranslateColour(colour_));
        FillRect(hDC(), &r, b);
        DeleteObject(b);
    }
    void Click() override { Clicked.raise(++clicks_); }

private:
    host::Colour colour_ = kDefaultColour;
    int clicks_ = 0;
};
