// Properties, locks, persistence, option groups and the input state machine
// of the button, each model driven over a recording stand-in for its window.
#include "korvel/button/ButtonModel.h"
#include "korvel/button/ButtonProperties.h"
#include "host/Values.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <sstream>

using namespace kx;

namespace {

// The container's option group, as window properties would hold it.
class MapRegistry : public OptionRegistry {
public:
    std::map<int, ButtonModel*> members;
    int count = 0;
    int Count() const override { return count; }
    void SetCount(int n) override { count = n; }
    ButtonModel* Member(int i) const override
    {
        auto it = members.find(i);
        return it == members.end() ? nullptr : it->second;
    }
    void SetMember(int i, ButtonModel* b) override { members[i] = b; }
    void RemoveMember(int i) override { members.erase(i); }
};

std::string Narrow(const std::wstring& w) { return host::ToUtf8(w); }

// The button's window, recorded.
class FakeSite : public ButtonPlatform {
public:
    std::vector<std::string> log;  // platform work and notifications in order
    std::vector<std::wstring> messages;
    std::vector<std::wstring> titles;
    bool design = false;
    bool cursorOver = false;
    bool timerRunning = false;
    bool captured = false;
    bool defaultButton = false;
    bool refuseIcon = false;
    wchar_t passedKey = 0;
    std::vector<std::pair<int, long>> posted;
    MapRegistry* registry = nullptr;

    std::string Log() const
    {
        std::ostringstream o;
        for (auto& s : log)
            o << s << ' ';
        return o.str();
    }

    Rgb Translate(host::Colour c) const override
    {
        if (!host::IsSystemColour(c))
            return c;
        switch (c & 0xFF) {
        case 0x0F: return 0xD0D0D0;  // button face
        case 0x12: return 0x101010;  // button text
        default: return 0x505050;
        }
    }
    bool InDesignMode() const override { return design; }
    void ShowMessage(const std::wstring& text, const std::wstring& title) override
    {
        messages.push_back(text);
        titles.push_back(title);
    }
    void NotifyChanged(const std::wstring& key) override { log.push_back("changed:" + Narrow(key)); }
    void PassEnabled(bool) override {}
    void PassForeColor(host::Colour) override {}
    void PassFont(const host::Font&) override {}
    void PassMousePointer(int) override {}
    bool PassMouseIcon(const host::PictureRef&, std::wstring& error) override
    {
        if (refuseIcon) {
            error = L"Invalid picture";
            return false;
        }
        return true;
    }
    void PassAccessKey(wchar_t key) override { passedKey = key; }
    host::Colour AmbientBack() const override { return 0x00336699; }
    bool IsDefaultButton() const override { return defaultButton; }
    std::wstring DesignName() const override { return L"kxButtons_H1"; }
    bool InMdiParent() const override { return false; }
    host::Font ParentFont() const override { return host::Font{}; }
    void RememberContainer() override { log.push_back("remember"); }
    void RebuildShape() override { log.push_back("rebuild"); }
    void Relayout(bool pictureChanged) override { log.push_back(pictureChanged ? "relayout+pic" : "relayout"); }
    void PaintButton() override { log.push_back("paint"); }
    void ResizeHandling() override { log.push_back("resize"); }
    void BuildDrawingFont() override { log.push_back("font"); }
    void CaptureMouse(bool c) override { captured = c; }
    bool CursorOverButton() const override { return cursorOver; }
    bool StartHoverTimer() override
    {
        timerRunning = true;
        return true;
    }
    void StopHoverTimer(int) override { timerRunning = false; }
    void PostKeyToContainer(int key, long lp) override { posted.push_back({key, lp}); }
    void CursorClientPosition(float& x, float& y) const override
    {
        x = 3;
        y = 4;
    }
    OptionRegistry* Registry() override { return registry; }
};

host::PictureRef MakePicture(host::Picture::Type type, int w = 16, int h = 16)
{
    auto p = std::make_shared<host::Picture>();
    p->type = type;
    p->width = w;
    p->height = h;
    return p;
}

// Records the events a button raises, in order.
struct EventLog {
    std::vector<std::string> seen;
    explicit EventLog(ButtonModel& b)
    {
        b.MouseDown.connect([this](int btn, int, float, float) { seen.push_back("MouseDown" + std::to_string(btn)); });
        b.MouseUp.connect([this](int btn, int, float, float) { seen.push_back("MouseUp" + std::to_string(btn)); });
        b.Click.connect([this] { seen.push_back("Click"); });
        b.KeyDown.connect([this](int& k, int&) { seen.push_back("KeyDown" + std::to_string(k)); });
        b.KeyUp.connect([this](int k, int) { seen.push_back("KeyUp" + std::to_string(k)); });
        b.MouseOnButton.connect([this](bool& on) { seen.push_back(on ? "OnButton" : "OffButton"); });
        b.DoubleClick.connect([this](int btn) { seen.push_back("DoubleClick" + std::to_string(btn)); });
    }
    std::string str() const
    {
        std::string s;
        for (auto& e : seen)
            s += e + " ";
        return s;
    }
};

}  // namespace

// ---- Properties ---------------------------------------------------------------

TEST(Properties, AccessKeyFromSingleAmpersandOnly)
{
    FakeSite site;
    ButtonModel b(site);
    b.SetCaption(L"E&xit && more");
    EXPECT_EQ(b.AccessKey(), L'x');
    EXPECT_EQ(site.passedKey, L'x');
    b.SetCaption(L"No marker");  // keeps the previous key
    EXPECT_EQ(b.AccessKey(), L'x');
    b.SetCaption(L"Save && &Quit");
    EXPECT_EQ(b.AccessKey(), L'Q');
}

TEST(Properties, SetterSideEffectsInOrder)
{
    FakeSite site;
    ButtonModel b(site);
    b.SetButtonStyle(2);
    EXPECT_EQ(site.Log(), "rebuild relayout paint changed:BackStyle ");
    site.log.clear();
    b.SetCaptionStyle(1);  // caption empty: notify only
    EXPECT_EQ(site.Log(), "changed:CapStyle ");
    site.log.clear();
    b.SetPictureSize(2);
    EXPECT_EQ(site.Log(), "relayout+pic paint changed:ImgSize ");
    EXPECT_EQ(b.PictureEdge(), 32);
    EXPECT_EQ(b.PictureSize(), 2);
}

TEST(Properties, OutOfRangeValuesAreIgnoredSilently)
{
    FakeSite site;
    ButtonModel b(site);
    b.SetButtonStyle(8);
    b.SetMode(3);
    b.SetCaptionAlign(-1);
    b.SetButtonShape(9);
    b.SetPictureSize(5);
    b.SetGradientMode(5);
    b.SetHoverColorLocks(4);
    b.SetMousePointer(50);
    EXPECT_TRUE(site.log.empty()) << site.Log();
    EXPECT_EQ(b.ButtonStyle(), 0);
    EXPECT_EQ(b.PictureSize(), 0);
}

TEST(Properties, DelayedDrawingSkipsPaintsUntilRefresh)
{
    FakeSite site;
    ButtonModel b(site);
    b.DelayDrawing(true);
    b.SetButtonStyle(1);
    b.SetCaption(L"x");
    EXPECT_EQ(site.Log().find("paint"), std::string::npos);
    site.log.clear();
    b.DelayDrawing(false);
    EXPECT_EQ(site.Log(), "paint ");
}

TEST(Properties, ButtonShapeAlwaysLeavesCaptionCentred)
{
    FakeSite site;
    ButtonModel b(site);
    b.SetCaptionAlign(0);
    ASSERT_EQ(b.CaptionAlign(), 0);
    b.SetButtonShape(0);
    EXPECT_EQ(b.CaptionAlign(), 2);
}

TEST(Properties, PictureAlignedTopRefusesLeftCaption)
{
    for (bool design : {true, false}) {
        FakeSite site;
        ButtonModel b(site);
        site.design = design;
        b.SetPicture(MakePicture(host::Picture::Type::Bitmap));
        b.SetPictureAlign(4);
        site.log.clear();
        b.SetCaptionAlign(0);
        EXPECT_EQ(b.CaptionAlign(), 2);
        EXPECT_TRUE(site.log.empty()) << site.Log();
        if (design) {
            ASSERT_EQ(site.messages.size(), 1u);
            EXPECT_EQ(site.messages[0],
                      L"When button images are aligned top/bottom center, \r\nbutton captions can only be center aligned");
        } else {
            EXPECT_TRUE(site.messages.empty());
        }
        b.SetPictureAlign(0);
        b.SetCaptionAlign(0);
        EXPECT_EQ(b.CaptionAlign(), 0);
    }
}

TEST(Properties, ShapedButtonsNeedABitmap)
{
    FakeSite site;
    ButtonModel b(site);
    site.design = true;
    b.SetButtonShape(7);
    EXPECT_EQ(b.ButtonShape(), 0);
    ASSERT_EQ(site.messages.size(), 1u);
    EXPECT_EQ(site.messages[0], L"The Picture Property must be assigned first and must be a bitmap or JPEG.");

    b.SetPicture(MakePicture(host::Picture::Type::Bitmap, 40, 30));
    b.SetButtonShape(7);
    EXPECT_EQ(b.ButtonShape(), 7);
    EXPECT_EQ(b.PictureEdge(), 48);
    EXPECT_FALSE(b.DrawingDelayed());

    b.SetPictureSize(1);  // refused for shaped buttons
    EXPECT_EQ(b.PictureEdge(), 48);
    EXPECT_EQ(site.messages.back(), L"The picture size cannot be changed for Shaped buttons");

    b.SetPicture(MakePicture(host::Picture::Type::Icon));
    EXPECT_EQ(b.ButtonShape(), 0);
    EXPECT_EQ(site.messages.back(),
              L"Icons cannot be used for custom buttons. Only use bitmaps or JPEGs.\r\nButton was changed to Rectangular shaped.");
}

TEST(Properties, DesignMessagesOnlyInDesignMode)
{
    FakeSite runSite;
    ButtonModel run(runSite);
    run.SetCustomClick(3);
    run.SetValue(true);
    EXPECT_TRUE(runSite.messages.empty());
    EXPECT_EQ(run.CustomClick(), 3);  // stored in any case
    EXPECT_FALSE(run.Value());        // not in command mode

    FakeSite designSite;
    ButtonModel design(designSite);
    designSite.design = true;
    design.SetCustomClick(3);
    design.SetValue(true);
    ASSERT_EQ(designSite.messages.size(), 2u);
    EXPECT_EQ(designSite.messages[0], L"This property has no effect unless the Button Shape is a custom shape.");
    EXPECT_EQ(designSite.messages[1], L"This property is not applicable for command button modes.");
}

TEST(Properties, MouseIconRefusedShowsHostErrorAtDesignTime)
{
    FakeSite site;
    ButtonModel b(site);
    site.design = true;
    site.refuseIcon = true;
    b.SetMouseIcon(MakePicture(host::Picture::Type::Bitmap));
    ASSERT_EQ(site.messages.size(), 1u);
    EXPECT_EQ(site.messages[0], L"Invalid picture");
    EXPECT_EQ(site.titles[0], L"Select .ico Or .cur Files Only");
    EXPECT_EQ(b.MousePointer(), 0);
    site.refuseIcon = false;
    b.SetMouseIcon(MakePicture(host::Picture::Type::Cursor));
    EXPECT_EQ(b.MousePointer(), 99);
}

TEST(Properties, FontStyleBits)
{
    FakeSite site;
    ButtonModel b(site);
    b.SetFontStyle(2 | 8);
    EXPECT_TRUE(b.Font().bold);
    EXPECT_FALSE(b.Font().italic);
    EXPECT_TRUE(b.Font().underline);
    EXPECT_EQ(b.FontStyle(), 10);
}

TEST(Properties, ShowFocusRectClearsTheDefaultFrameAtRunTime)
{
    FakeSite bSite;
    ButtonModel b(bSite);
    b.SetStateBits(kBitDefaultFrame);
    b.SetShowFocusRect(false);
    EXPECT_EQ(b.StateBits() & kBitDefaultFrame, 0);

    FakeSite dSite;
    ButtonModel d(dSite);
    dSite.design = true;
    d.SetStateBits(kBitDefaultFrame);
    d.SetShowFocusRect(false);
    EXPECT_NE(d.StateBits() & kBitDefaultFrame, 0);
    ASSERT_EQ(dSite.messages.size(), 1u);
    EXPECT_EQ(dSite.messages[0], L"The focus rectangle may appear on default buttons ONLY while in design mode, "
                             L"\r\nbut will not appear when the form is running.");
}

// ---- Hover-colour locks ----------------------------------------------------------

TEST(HoverLocks, LockedColoursFollowUntilFreed)
{
    FakeSite site;
    ButtonModel b(site);
    ASSERT_EQ(b.HoverColorLocks(), 0);
    b.SetBackColor(0x0000FF);
    EXPECT_EQ(b.HoverBackColor(), 0x0000FFu);
    EXPECT_EQ(b.HoverColorLocks(), 0);

    b.SetHoverBackColor(0x00FF00);
    EXPECT_EQ(b.HoverColorLocks(), 1);  // background freed
    b.SetBackColor(0xFF0000);
    EXPECT_EQ(b.HoverBackColor(), 0x00FF00u);

    b.SetForeColor(0x123456);
    EXPECT_EQ(b.HoverForeColor(), 0x123456u);  // caption still locked
    b.SetHoverForeColor(0x654321);
    EXPECT_EQ(b.HoverColorLocks(), 3);
    b.SetForeColor(0x111111);
    EXPECT_EQ(b.HoverForeColor(), 0x654321u);

    b.SetHoverColorLocks(0);  // locks both again
    EXPECT_EQ(b.HoverBackColor(), 0xFF0000u);
    EXPECT_EQ(b.HoverForeColor(), 0x111111u);
}

TEST(HoverLocks, GradientDrivesTheLockedHoverBackground)
{
    FakeSite site;
    ButtonModel b(site);
    b.SetGradientColor(0x00AA00);
    b.SetGradientMode(2);
    EXPECT_EQ(b.HoverBackColor(), 0x00AA00u);
    b.SetGradientColor(0x00BB00);
    EXPECT_EQ(b.HoverBackColor(), 0x00BB00u);
    b.SetGradientMode(0);
    EXPECT_EQ(b.HoverBackColor(), b.BackColor());
}

TEST(HoverLocks, ResetDefaultColorsOnlyAtDesignTime)
{
    FakeSite runSite;
    ButtonModel run(runSite);
    run.SetBackColor(0x0000FF);
    run.SetGradientMode(1);
    runSite.log.clear();
    run.SetResetDefaultColors(true);
    EXPECT_EQ(run.BackColor(), 0x0000FFu);
    EXPECT_EQ(run.GradientMode(), 1);
    EXPECT_TRUE(runSite.log.empty());
    EXPECT_FALSE(run.ResetDefaultColors());

    FakeSite designSite;
    ButtonModel design(designSite);
    designSite.design = true;
    design.SetBackColor(0x0000FF);
    design.SetHoverColorLocks(3);
    design.SetResetDefaultColors(true);
    EXPECT_EQ(design.BackColor(), kButtonFace);
    EXPECT_EQ(design.ForeColor(), kButtonText);
    EXPECT_EQ(design.GradientColor(), kButtonFace);
    EXPECT_EQ(design.HoverColorLocks(), 0);
    EXPECT_EQ(design.HoverBackColor(), kButtonFace);
}

// ---- Persistence -------------------------------------------------------------------

TEST(Persistence, NewPlacementDefaults)
{
    FakeSite site;
    ButtonModel b(site);
    b.InitNew();
    EXPECT_EQ(b.Caption(), L"kxButtons_H1");
    EXPECT_EQ(b.CaptionAlign(), 2);
    EXPECT_EQ(b.BackColor(), kButtonFace);
    EXPECT_EQ(b.GradientColor(), 0u);
    EXPECT_EQ(b.ContainerColor(), 0x336699u);
    EXPECT_EQ(b.Colours().face, 0xD0D0D0u);
    EXPECT_EQ(site.Log(), "remember font changed:Caption changed:CapAlign changed:Focus changed:cFHover "
                       "changed:cBHover changed:Font ");
}

TEST(Persistence, DefaultsAreOmittedAndAlwaysKeysWritten)
{
    FakeSite site;
    ButtonModel b(site);
    b.InitNew();
    host::PropertyBag bag;
    b.Save(bag);
    std::vector<std::wstring> want = {L"Caption", L"Font", L"cGradient", L"Mode", L"Value", L"cBack"};
    EXPECT_EQ(bag.keys(), want);
    EXPECT_EQ(bag.readLong(L"cGradient", -5), 0);  // black differs from its default
}

TEST(Persistence, EveryKeyInOrderWithHoverSpelledOnSave)
{
    FakeSite bSite;
    ButtonModel b(bSite);
    b.InitNew();
    b.SetCaption(L"Go");
    b.SetCaptionAlign(0);
    b.SetButtonStyle(3);
    b.SetButtonShape(2);
    b.SetCaptionAlign(1);
    b.SetForeColor(0x0000FF);
    b.SetHoverForeColor(0x00FF00);
    b.SetHoverBackColor(0xFF0000);
    b.SetShowFocusRect(false);
    b.SetGradientColor(0x111111);
    b.SetGradientMode(3);
    b.SetCaptionStyle(2);
    b.SetMode(1);
    b.SetValue(true);
    b.SetCustomClick(5);
    b.SetPictureAlign(2);
    b.SetPicture(MakePicture(host::Picture::Type::Bitmap));
    b.SetPictureSize(1);
    b.SetEnabled(false);
    b.SetBackColor(0x222222);
    b.SetMousePointer(2);
    b.SetMouseIcon(MakePicture(host::Picture::Type::Cursor));
    host::PropertyBag bag;
    b.Save(bag);
    std::vector<std::wstring> want = {L"Caption", L"CapAlign", L"BackStyle", L"Shape", L"Font", L"cFore",
                                      L"cFHover", L"cBhover", L"Focus", L"LockHover", L"cGradient",
                                      L"Gradient", L"CapStyle", L"Mode", L"Value", L"CustomClick",
                                      L"ImgAlign", L"Image", L"ImgSize", L"Enabled", L"cBack", L"mPointer",
                                      L"mIcon"};
    EXPECT_EQ(bag.keys(), want);
    EXPECT_EQ(bag.readLong(L"ImgSize", 0), 24);  // the pixel edge, not the index

    FakeSite cSite;
    ButtonModel c(cSite);
    c.Load(bag);
    EXPECT_EQ(c.Caption(), L"Go");
    EXPECT_EQ(c.CaptionAlign(), 1);
    EXPECT_EQ(c.ButtonStyle(), 3);
    EXPECT_EQ(c.ButtonShape(), 2);
    EXPECT_EQ(c.ForeColor(), 0x0000FFu);
    EXPECT_EQ(c.HoverForeColor(), 0x00FF00u);
    EXPECT_EQ(c.HoverBackColor(), 0xFF0000u);  // read back under "cBHover"
    EXPECT_FALSE(c.ShowFocusRect());
    EXPECT_EQ(c.HoverColorLocks(), b.HoverColorLocks());
    EXPECT_EQ(c.GradientColor(), 0x111111u);
    EXPECT_EQ(c.GradientMode(), 3);
    EXPECT_EQ(c.CaptionStyle(), 2);
    EXPECT_EQ(c.Mode(), 1);
    EXPECT_TRUE(c.Value());
    EXPECT_EQ(c.CustomClick(), 5);
    EXPECT_EQ(c.PictureAlign(), 2);
    EXPECT_TRUE(c.Picture());
    EXPECT_EQ(c.PictureSize(), 1);
    EXPECT_FALSE(c.Enabled());
    EXPECT_EQ(c.BackColor(), 0x222222u);
    EXPECT_EQ(c.MousePointer(), 99);
    EXPECT_TRUE(c.MouseIcon());
    EXPECT_EQ(c.AccessKey(), std::nullopt);
    EXPECT_FALSE(c.DrawingDelayed());
    // Loading ends with the resize handling.
    EXPECT_EQ(cSite.log.back(), "resize");
}

TEST(Persistence, CaptionAlignRoundTrips)
{
    for (int align : {2, 0}) {
        FakeSite bSite;
        ButtonModel b(bSite);
        b.InitNew();
        b.SetCaptionAlign(align);
        host::PropertyBag bag;
        b.Save(bag);
        EXPECT_EQ(bag.has(L"CapAlign"), align != 2);
        FakeSite cSite;
        ButtonModel c(cSite);
        c.Load(bag);
        EXPECT_EQ(c.CaptionAlign(), align);
    }
}

TEST(Persistence, MissingKeysReadTheirDefaults)
{
    host::PropertyBag bag;
    bag.set(L"Caption", std::wstring(L"&Run"));
    FakeSite site;
    ButtonModel c(site);
    c.Load(bag);
    EXPECT_EQ(c.AccessKey(), L'R');
    EXPECT_EQ(c.BackColor(), 0x00336699u);       // the container's background colour
    EXPECT_EQ(c.HoverBackColor(), 0x00336699u);  // the BackColor just read
    EXPECT_EQ(c.GradientColor(), kButtonFace);
    EXPECT_EQ(c.PictureEdge(), 16);
    EXPECT_TRUE(c.Enabled());
    EXPECT_TRUE(c.ShowFocusRect());
}

TEST(Persistence, DamagedValuesFallBackToTheirDefaults)
{
    host::PropertyBag bag;
    bag.set(L"BackStyle", std::int64_t{42});
    bag.set(L"Shape", std::int64_t{7});  // a picture shape without a picture
    bag.set(L"ImgSize", std::int64_t{17});
    bag.set(L"CapAlign", std::int64_t{-3});
    FakeSite site;
    ButtonModel c(site);
    c.Load(bag);
    EXPECT_EQ(c.ButtonStyle(), 0);
    EXPECT_EQ(c.ButtonShape(), 0);
    EXPECT_EQ(c.PictureEdge(), 16);
    EXPECT_EQ(c.CaptionAlign(), 2);
}

// ---- Option groups -------------------------------------------------------------------

TEST(OptionGroup, JoinClearLeaveAndQuery)
{
    MapRegistry reg;
    FakeSite aSite, bSite, cSite;
    ButtonModel a(aSite), b(bSite), c(cSite);
    for (FakeSite* site : {&aSite, &bSite, &cSite})
        site->registry = &reg;
    for (ButtonModel* t : {&a, &b, &c})
        t->SetMode(2);
    ASSERT_EQ(reg.count, 3);
    EXPECT_EQ(reg.Member(1), &a);
    EXPECT_EQ(reg.Member(3), &c);
    EXPECT_FALSE(a.OptionGroup(kOptionQuery));

    a.SetValue(true);
    b.SetValue(true);
    EXPECT_FALSE(a.Value());
    EXPECT_TRUE(b.Value());
    EXPECT_TRUE(c.OptionGroup(kOptionQuery));

    b.SetMode(1);  // leaves from the middle: c moves down
    ASSERT_EQ(reg.count, 2);
    EXPECT_EQ(reg.Member(1), &a);
    EXPECT_EQ(reg.Member(2), &c);
    EXPECT_EQ(reg.members.count(3), 0u);

    a.SetMode(0);
    c.Dispose();
    EXPECT_EQ(reg.count, 0);
    EXPECT_TRUE(reg.members.empty());
}

TEST(OptionGroup, LeavingWithoutMembershipKeepsTheGroup)
{
    MapRegistry reg;
    FakeSite aSite, strangerSite;
    ButtonModel a(aSite), stranger(strangerSite);
    aSite.registry = &reg;
    strangerSite.registry = &reg;
    a.SetMode(2);
    stranger.OptionGroup(kOptionLeave);
    EXPECT_EQ(reg.count, 1);
    EXPECT_EQ(reg.Member(1), &a);
}

// ---- Interaction ------------------------------------------------------------------------

TEST(Interaction, CheckBoxTogglesOnLeftClickOnly)
{
    FakeSite site;
    ButtonModel b(site);
    b.SetMode(1);
    EventLog ev(b);
    for (bool expected : {true, false, true}) {
        b.HandleMouseDown(1, 0, 5, 5);
        b.HandleMouseUp(1, 0, 5, 5);
        b.HandleClick();
        EXPECT_EQ(b.Value(), expected);
    }
    ev.seen.clear();
    b.HandleMouseDown(2, 0, 5, 5);
    b.HandleMouseUp(2, 0, 5, 5);
    b.HandleClick();
    EXPECT_EQ(ev.str(), "MouseDown2 MouseUp2 ");
    EXPECT_TRUE(b.Value());
}

TEST(Interaction, PressCapturesAndShowsThePressedLook)
{
    FakeSite site;
    ButtonModel b(site);
    b.HandleMouseDown(1, 0, 5, 5);
    EXPECT_TRUE(site.captured);
    EXPECT_TRUE(b.PressedLook());
    EXPECT_NE(b.StateBits() & kBitPressed, 0);
    b.HandleMouseUp(1, 0, 5, 5);
    EXPECT_FALSE(site.captured);
    EXPECT_FALSE(b.PressedLook());
    EXPECT_EQ(b.StateBits() & kBitPressed, 0);
}

TEST(Interaction, SelectedOptionRaisesNoClick)
{
    MapRegistry reg;
    FakeSite site;
    ButtonModel a(site);
    site.registry = &reg;
    a.SetMode(2);
    a.SetValue(true);
    EventLog ev(a);
    a.HandleMouseDown(1, 0, 1, 1);
    a.HandleMouseUp(1, 0, 1, 1);
    a.HandleClick();
    EXPECT_EQ(ev.str(), "MouseDown1 MouseUp1 ");
}

TEST(Interaction, SpaceShowsPressedThenClickThenKeyUp)
{
    FakeSite bSite;
    ButtonModel b(bSite);
    EventLog ev(b);
    int key = 32, shift = 0;
    b.HandleKeyDown(key, shift);
    EXPECT_TRUE(b.PressedLook());
    EXPECT_EQ(b.StateBits() & (kBitPressed | kBitOver), kBitPressed);  // over cleared again: not hovering
    key = 32;
    b.HandleKeyUp(key, shift);
    EXPECT_EQ(ev.str(), "KeyDown32 Click KeyUp32 ");

    FakeSite checkSite;
    ButtonModel check(checkSite);
    check.SetMode(1);
    EventLog ev2(check);
    key = 32;
    check.HandleKeyDown(key, shift);
    key = 32;
    check.HandleKeyUp(key, shift);
    EXPECT_EQ(ev2.str(), "KeyDown32 KeyUp32 Click ");  // other modes report the key first
    EXPECT_TRUE(check.Value());
}

TEST(Interaction, EnterAndEscOnlyWorkInCommandMode)
{
    FakeSite site;
    ButtonModel b(site);
    b.SetMode(1);
    EventLog ev(b);
    b.HandleAccessKey(13);
    b.HandleAccessKey(27);
    EXPECT_TRUE(ev.seen.empty());
    EXPECT_FALSE(b.Value());
    b.HandleAccessKey('x');
    EXPECT_EQ(ev.str(), "Click ");
    b.SetMode(0);
    b.HandleAccessKey(13);
    EXPECT_EQ(ev.str(), "Click Click ");
}

TEST(Interaction, ArrowsGoToTheContainerAndSelectOptions)
{
    MapRegistry reg;
    FakeSite site;
    ButtonModel a(site);
    site.registry = &reg;
    a.SetMode(2);
    int key = 39, shift = 0;
    a.HandleKeyDown(key, shift);
    ASSERT_EQ(site.posted.size(), 1u);
    EXPECT_EQ(site.posted[0].first, 39);
    EXPECT_EQ(site.posted[0].second, 0x4D0001);
    key = 39;
    a.HandleKeyUp(key, shift);
    EXPECT_TRUE(a.Value());
}

TEST(Interaction, FocusSelectsAnOptionOnlyWhenNoneIs)
{
    MapRegistry reg;
    FakeSite aSite, bSite;
    ButtonModel a(aSite), b(bSite);
    aSite.registry = &reg;
    bSite.registry = &reg;
    a.SetMode(2);
    b.SetMode(2);
    a.HandleGotFocus();
    EXPECT_TRUE(a.Value());
    b.HandleGotFocus();
    EXPECT_FALSE(b.Value());
    EXPECT_TRUE(a.Value());
}

TEST(Interaction, HoverStartsTheTimerAndTheLeaveCheckEndsIt)
{
    FakeSite site;
    ButtonModel b(site);
    EventLog ev(b);
    site.cursorOver = true;
    b.HandleMouseMove(0, 0, 2, 2);
    EXPECT_TRUE(b.Hovering());
    EXPECT_TRUE(site.timerRunning);
    EXPECT_NE(b.StateBits() & kBitOver, 0);
    b.HandleMouseMove(0, 0, 3, 3);  // already hovering: no second OnButton
    b.HoverLeaveCheck(kHoverTimerId);  // still over: nothing
    EXPECT_TRUE(b.Hovering());
    site.cursorOver = false;
    b.HoverLeaveCheck(kHoverTimerId);
    EXPECT_FALSE(b.Hovering());
    EXPECT_FALSE(site.timerRunning);
    EXPECT_EQ(b.StateBits() & kBitOver, 0);
    EXPECT_EQ(ev.str(), "OnButton OffButton ");
}

TEST(Interaction, DisposeStopsTheHoverTimer)
{
    FakeSite site;
    ButtonModel b(site);
    site.cursorOver = true;
    b.HandleMouseMove(0, 0, 2, 2);
    ASSERT_TRUE(site.timerRunning);
    b.Dispose();
    EXPECT_FALSE(site.timerRunning);
    EXPECT_FALSE(b.Hovering());
}

TEST(Interaction, DoubleClickActsAsASecondPress)
{
    FakeSite site;
    ButtonModel b(site);
    EventLog ev(b);
    b.HandleMouseDown(1, 0, 1, 1);
    b.HandleMouseUp(1, 0, 1, 1);
    b.HandleClick();
    b.HandleDoubleClick();
    EXPECT_EQ(ev.str(), "MouseDown1 MouseUp1 Click DoubleClick1 MouseDown1 ");
    EXPECT_EQ(b.LastButton(), -1);
    EXPECT_TRUE(site.captured);
}

TEST(Interaction, DefaultButtonFrameFollowsTheAmbient)
{
    FakeSite site;
    ButtonModel b(site);
    site.defaultButton = true;
    b.HandleAmbientChanged(L"DisplayAsDefault");
    EXPECT_NE(b.StateBits() & kBitDefaultFrame, 0);
    site.defaultButton = false;
    b.HandleAmbientChanged(L"DisplayAsDefault");
    EXPECT_EQ(b.StateBits() & kBitDefaultFrame, 0);
}

TEST(Properties, PublishedKeysAndDescriptions)
{
    EXPECT_EQ(DescribeProperty(L"Caption"), L"The caption of the button. Double pipe (||) is a line break.");
    EXPECT_EQ(DescribeProperty(L"ForeColor"), L"The color of the caption's font .");
    EXPECT_EQ(DescribeProperty(L"NoSuchProperty"), L"");
    // Every stored key names one property; the table matches what Save writes.
    FakeSite site;
    ButtonModel b(site);
    b.InitNew();
    b.SetButtonStyle(1);
    b.SetButtonShape(1);
    b.SetCaptionAlign(0);  // after the shape, which centres it
    b.SetForeColor(1);
    b.SetHoverColorLocks(3);
    b.SetHoverForeColor(2);
    b.SetHoverBackColor(3);
    b.SetShowFocusRect(false);
    b.SetGradientMode(1);
    b.SetCaptionStyle(1);
    b.SetCustomClick(1);
    b.SetPictureAlign(1);
    b.SetPicture(MakePicture(host::Picture::Type::Bitmap));
    b.SetPictureSize(1);
    b.SetEnabled(false);
    b.SetMousePointer(2);
    b.SetMouseIcon(MakePicture(host::Picture::Type::Icon));
    host::PropertyBag bag;
    b.Save(bag);
    for (const std::wstring& key : bag.keys()) {
        bool known = false;
        for (const PropertyInfo& p : ButtonProperties())
            known = known || host::KeyEquals(key, p.key);
        EXPECT_TRUE(known) << Narrow(key);
    }
    EXPECT_EQ(bag.keys().size(), 23u);
}
