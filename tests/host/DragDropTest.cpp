// Drag and drop through owner-drawn controls with the system's own drag
// loop: drags started by the test over a control that takes drops, and
// drags a control starts onto a target of the test's. The mouse is real
// hardware input on a desktop of the test's own (DragDriver.h).
#include "DragDriver.h"

#include "host/Host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace dragtest;

namespace {

// A control that takes part in drags and writes down what it hears. The
// log holds each kind of event once per run of repeats, so it reads as the
// order of a drag: enter, over, leave, drop.
class Pad : public host::UserControl {
public:
    Pad() : UserControl(L"Pad") {}

    // As a drop target.
    long answer = -1;  // the effect the handler leaves; -1 leaves what came in
    struct Seen {
        std::string text;
        long effect = 0;
        int button = 0, shift = 0, state = -1;
        float x = 0, y = 0;
    };
    Seen enter, drop;
    std::atomic<int> overs{0}, leaves{0}, drops{0};
    std::atomic<int> lastX{-1}, lastY{-1};

    // As a source.
    bool fill = true;
    std::wstring text = L"dragged out";
    bool rtfLater = false;   // offer rich text, supplied when asked for
    std::atomic<bool> completed{false};
    long completedWith = -1;

    // Tried while the window still exists, after the host took its own
    // registration back; the result outlives the control.
    IDropTarget* probeOnTerminate = nullptr;
    HRESULT* registerOnTerminate = nullptr;

    std::vector<std::string> log;

    void OLEDragOver(host::DragData& data, long& effect, int button, int shift, float x, float y, int state) override
    {
        Seen s{Narrow(data.GetData(host::kDragText)), effect, button, shift, state, x, y};
        if (state == host::kDragEnter)
            enter = s;
        Note("Over " + std::to_string(state));
        if (state == host::kDragLeave)
            ++leaves;
        else
            ++overs;
        lastX = static_cast<int>(x);
        lastY = static_cast<int>(y);
        if (answer >= 0)
            effect = answer;
    }
    void OLEDragDrop(host::DragData& data, long& effect, int button, int shift, float x, float y) override
    {
        drop = Seen{Narrow(data.GetData(host::kDragText)), effect, button, shift, -1, x, y};
        Note("Drop");
        ++drops;
        if (answer >= 0)
            effect = answer;
    }
    void OLEStartDrag(host::DragData& data, long& allowed) override
    {
        Note("StartDrag " + std::to_string(allowed));
        if (fill)
            data.SetData(host::kDragText, text);
        if (rtfLater)
            data.SetFormat(host::kDragRTF);
        allowed = host::kDropEffectCopy;
    }
    void OLESetData(host::DragData& data, int& format) override
    {
        Note("SetData " + std::to_string(format));
        data.SetData(format, L"{\\rtf1 later}");
    }
    void OLEGiveFeedback(long&, bool&) override { Note("GiveFeedback"); }
    void OLECompleteDrag(long effect) override
    {
        Note("CompleteDrag " + std::to_string(effect));
        completedWith = effect;
        completed = true;
    }
    void Terminate() override
    {
        if (probeOnTerminate && registerOnTerminate) {
            *registerOnTerminate = RegisterDragDrop(hWnd(), probeOnTerminate);
            if (*registerOnTerminate == S_OK)
                RevokeDragDrop(hWnd());
        }
    }

private:
    void Note(const std::string& e)
    {
        if (log.empty() || log.back() != e)
            log.push_back(e);
    }
};

class DragDrop : public DragForm {
protected:
    // A pad of 200 x 100 pixels at (100, 100) of the form.
    Pad& Place(const std::wstring& name, int x = 100, int y = 100)
    {
        return form.AddControl<Pad>(name, x * 15, y * 15, 200 * 15, 100 * 15);
    }

    // A picture box below the pad that drops land on, with the test's target.
    HWND Sink(RecordingTarget& target)
    {
        HWND h = form.AddControl<host::PictureBox>(L"Sink", 0, 250 * 15, 200 * 15, 40 * 15).hWnd();
        EXPECT_EQ(RegisterDragDrop(h, &target), S_OK);
        return h;
    }
};

TEST_F(DragDrop, DropModeRegistersTheWindowAndTakesItBack)
{
    RecordingTarget probe;
    Pad& pad = Place(L"Pad1");
    EXPECT_EQ(pad.OLEDropMode(), 0);
    EXPECT_FALSE(pad.IsDropTarget());
    ASSERT_EQ(RegisterDragDrop(pad.hWnd(), &probe), S_OK) << "a window that asked for nothing takes any target";
    RevokeDragDrop(pad.hWnd());

    pad.SetOLEDropMode(1);
    EXPECT_TRUE(pad.IsDropTarget());
    EXPECT_EQ(RegisterDragDrop(pad.hWnd(), &probe), DRAGDROP_E_ALREADYREGISTERED);
    pad.SetOLEDropMode(2);  // no such mode: ignored
    EXPECT_EQ(pad.OLEDropMode(), 1);
    pad.SetOLEDropMode(0);
    EXPECT_FALSE(pad.IsDropTarget());
    EXPECT_EQ(RegisterDragDrop(pad.hWnd(), &probe), S_OK) << "the registration stayed";
    RevokeDragDrop(pad.hWnd());

    // Destroyed: the registration goes before the window does.
    HRESULT atTerminate = E_FAIL;
    pad.SetOLEDropMode(1);
    pad.probeOnTerminate = &probe;
    pad.registerOnTerminate = &atTerminate;
    form.RemoveControl(L"Pad1");
    host::DeleteRetiredControls();
    EXPECT_EQ(atTerminate, S_OK) << "still registered when the control terminated";

    // From stored properties.
    host::PropertyBag bag;
    bag.set(L"OLEDropMode", std::int64_t{1});
    Pad& stored = form.AddControl<Pad>(L"Pad2", 0, 0, 1500, 1500, &bag);
    EXPECT_EQ(stored.OLEDropMode(), 1);
    EXPECT_TRUE(stored.IsDropTarget());
}

TEST_F(DragDrop, ADragOverAControlRaisesEnterOverAndDropWithTheText)
{
    Pad& pad = Place(L"Pad1");
    pad.SetOLEDropMode(1);
    ASSERT_TRUE(pad.IsDropTarget());
    ASSERT_TRUE(PressLeftAt(form.hWnd(), 20, 20)) << "the left button could not be pressed here";
    TextData text(L"dragged in");
    LeftButtonSource source;
    DWORD effect = 0;
    HRESULT hr;
    {
        MouseThread mouse([&] {
            MouseTo(pad.hWnd(), 40, 30);
            WaitFor([&] { return pad.overs >= 2; }, 3000);
            MouseTo(pad.hWnd(), 60, 35);
            WaitFor([&] { return pad.lastX == 60 && pad.lastY == 35; }, 3000);
            HardwareMouse(MOUSEEVENTF_LEFTUP);
        });
        hr = DoDragDrop(&text, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    }
    EXPECT_EQ(hr, DRAGDROP_S_DROP);
    EXPECT_EQ(Join(pad.log), Join({"Over 0", "Over 2", "Drop"}));
    EXPECT_EQ(pad.enter.text, "dragged in");
    EXPECT_EQ(pad.enter.effect, host::kDropEffectCopy | host::kDropEffectMove) << "what the source allows";
    EXPECT_EQ(pad.enter.button, 1);
    EXPECT_EQ(pad.enter.shift, 0);
    EXPECT_EQ(pad.enter.x, 40.0f);
    EXPECT_EQ(pad.enter.y, 30.0f);
    EXPECT_EQ(pad.drop.text, "dragged in");
    EXPECT_EQ(pad.drop.button, 1) << "the button that carried the drag";
    EXPECT_EQ(pad.drop.x, 60.0f);
    EXPECT_EQ(pad.drop.y, 35.0f);
    // The handler chose nothing among copy and move: the drop copies, so
    // the source never loses its data to a move nobody asked for.
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
}

TEST_F(DragDrop, LeavingRaisesTheLeaveStateAndARefusalIsNoDrop)
{
    Pad& pad = Place(L"Pad1");
    pad.SetOLEDropMode(1);
    pad.answer = host::kDropEffectNone;
    ASSERT_TRUE(PressLeftAt(form.hWnd(), 20, 20));
    TextData text(L"not wanted");
    LeftButtonSource source;
    DWORD effect = 123;
    {
        MouseThread mouse([&] {
            MouseTo(pad.hWnd(), 40, 30);
            WaitFor([&] { return pad.overs >= 2; }, 3000);
            MouseTo(form.hWnd(), 20, 250);  // off the pad
            WaitFor([&] { return pad.leaves >= 1; }, 3000);
            HardwareMouse(MOUSEEVENTF_LEFTUP);
        });
        DoDragDrop(&text, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    }
    EXPECT_EQ(Join(pad.log), Join({"Over 0", "Over 2", "Over 1"}));
    EXPECT_EQ(pad.drops, 0);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

TEST_F(DragDrop, ADragFromAControlFillsItsDataAndHearsHowItEnded)
{
    Pad& pad = Place(L"Source");
    pad.rtfLater = true;
    RecordingTarget target;
    HWND sink = Sink(target);
    ASSERT_TRUE(PressLeftAt(pad.hWnd(), 10, 10));
    {
        MouseThread mouse([&] {
            MouseTo(sink, 20, 20);
            WaitFor([&] { return target.overs >= 2; }, 3000);
            HardwareMouse(MOUSEEVENTF_LEFTUP);
        });
        pad.OLEDrag();
    }
    RevokeDragDrop(sink);
    EXPECT_EQ(target.drops, 1);
    EXPECT_EQ(target.dropped, L"dragged out");
    EXPECT_EQ(target.droppedRtf, L"{\\rtf1 later}") << "asked for when the target read it";
    ASSERT_GE(pad.log.size(), 4u) << Join(pad.log);
    EXPECT_EQ(pad.log.front(), "StartDrag 3") << "copy and move allowed to begin with";
    EXPECT_EQ(pad.log[1], "GiveFeedback");
    EXPECT_EQ(std::count(pad.log.begin(), pad.log.end(), "SetData -16639"), 1) << Join(pad.log);
    EXPECT_EQ(pad.log.back(), "CompleteDrag 1") << "the target copied";
}

TEST_F(DragDrop, EscapeCancelsADragAndNothingToDragEndsAtOnce)
{
    Pad& pad = Place(L"Source");
    RecordingTarget target;
    HWND sink = Sink(target);
    ASSERT_TRUE(PressLeftAt(pad.hWnd(), 10, 10));
    {
        MouseThread mouse([&] {
            MouseTo(sink, 20, 20);
            WaitFor([&] { return target.overs >= 1; }, 3000);
            HardwareKey(VK_ESCAPE, true);
            HardwareKey(VK_ESCAPE, false);
            WaitFor([&] { return pad.completed.load(); }, 3000);
            HardwareMouse(MOUSEEVENTF_LEFTUP);
        });
        pad.OLEDrag();
    }
    EXPECT_EQ(target.drops, 0);
    EXPECT_EQ(pad.completedWith, host::kDropEffectNone);
    EXPECT_EQ(pad.log.back(), "CompleteDrag 0");

    // A handler that puts nothing in: no drag at all, and the end at once.
    ReleaseLeft();
    pad.log.clear();
    pad.fill = false;
    pad.OLEDrag();
    EXPECT_EQ(Join(pad.log), Join({"StartDrag 3", "CompleteDrag 0"}));
    EXPECT_EQ(target.enters, 1) << "a drag ran";
    RevokeDragDrop(sink);
}

} // namespace
