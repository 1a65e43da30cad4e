// The button's six drag-and-drop events, raised through the host from the
// system's own drag loop: a text dragged by the test over a button on a
// form, and a drag the button starts onto a target of the test's. The mouse
// is real hardware input on a desktop of the test's own (DragDriver.h).
#include "korvel/button/kxButtons_H.h"

#include "DragDriver.h"
#include "host/Host.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace dragtest;

namespace {

class ButtonDrag : public DragForm {
protected:
    void SetUp() override
    {
        DragForm::SetUp();
        button = &form.AddControl<kx::kxButtons_H>(L"cmdDrop", 100 * 15, 100 * 15, 120 * 15, 40 * 15);
        button->SetCaption(L"Drop here");
        // Repeats of one event (the moves over the button, the feedback)
        // are written once, so the journal reads as the order of a drag.
        auto note = [this](const std::string& e) {
            if (journal.empty() || journal.back() != e)
                journal.push_back(e);
        };
        button->OLEDragOver.connect(
            [this, note](host::DragData& d, long& effect, int btn, int shift, float x, float y, int state) {
                note("OLEDragOver " + std::to_string(state) + " " + Narrow(d.GetData(host::kDragText)) +
                     " effect " + std::to_string(effect) + " button " + std::to_string(btn) + " shift " +
                     std::to_string(shift));
                lastX = static_cast<int>(x);
                lastY = static_cast<int>(y);
                ++overs;
            });
        button->OLEDragDrop.connect([this, note](host::DragData& d, long& effect, int btn, int, float x, float y) {
            note("OLEDragDrop " + Narrow(d.GetData(host::kDragText)) + " at " + std::to_string(static_cast<int>(x)) +
                 "," + std::to_string(static_cast<int>(y)) + " button " + std::to_string(btn));
            effect = host::kDropEffectCopy;
        });
        button->OLEStartDrag.connect([note](host::DragData& d, long& allowed) {
            note("OLEStartDrag " + std::to_string(allowed));
            d.SetData(host::kDragText, L"from the button");
            d.SetFormat(host::kDragRTF);
        });
        button->OLESetData.connect([note](host::DragData& d, int& format) {
            note("OLESetData " + std::to_string(format));
            d.SetData(format, L"{\\rtf1 button}");
        });
        button->OLEGiveFeedback.connect([note](long&, bool&) { note("OLEGiveFeedback"); });
        button->OLECompleteDrag.connect([this, note](long effect) {
            note("OLECompleteDrag " + std::to_string(effect));
            completed = true;
        });
    }
    kx::kxButtons_H* button = nullptr;
    std::vector<std::string> journal;
    std::atomic<int> overs{0}, lastX{-1}, lastY{-1};
    std::atomic<bool> completed{false};
};

TEST_F(ButtonDrag, TextDraggedOverTheButtonArrivesInOrder)
{
    button->SetOLEDropMode(1);
    ASSERT_TRUE(button->IsDropTarget());
    ASSERT_TRUE(PressLeftAt(form.hWnd(), 20, 20)) << "the left button could not be pressed here";
    TextData text(L"hello");
    LeftButtonSource source;
    DWORD effect = 0;
    HRESULT hr;
    {
        MouseThread mouse([&] {
            MouseTo(button->hWnd(), 30, 20);
            WaitFor([&] { return overs >= 2; }, 3000);
            MouseTo(button->hWnd(), 50, 25);
            WaitFor([&] { return lastX == 50 && lastY == 25; }, 3000);
            HardwareMouse(MOUSEEVENTF_LEFTUP);
        });
        hr = DoDragDrop(&text, &source, DROPEFFECT_COPY | DROPEFFECT_MOVE, &effect);
    }
    EXPECT_EQ(hr, DRAGDROP_S_DROP);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY)) << "the handler copied";
    EXPECT_EQ(Join(journal), Join({"OLEDragOver 0 hello effect 3 button 1 shift 0",
                                   "OLEDragOver 2 hello effect 3 button 1 shift 0", "OLEDragDrop hello at 50,25 button 1"}));
}

TEST_F(ButtonDrag, AButtonWithoutDropModeHearsNothing)
{
    ASSERT_FALSE(button->IsDropTarget());
    ASSERT_TRUE(PressLeftAt(form.hWnd(), 20, 20));
    TextData text(L"hello");
    LeftButtonSource source;
    DWORD effect = 0;
    {
        MouseThread mouse([&] {
            WaitFor([&] { return source.queries >= 1; }, 3000);
            MouseTo(button->hWnd(), 30, 20);
            // The loop looks at the mouse again and again over the button.
            const int seen = source.queries;
            WaitFor([&] { return source.queries >= seen + 3; }, 3000);
            HardwareMouse(MOUSEEVENTF_LEFTUP);
        });
        DoDragDrop(&text, &source, DROPEFFECT_COPY, &effect);
    }
    EXPECT_TRUE(journal.empty()) << Join(journal);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
}

TEST_F(ButtonDrag, ADragFromTheButtonRaisesItsSourceEventsInOrder)
{
    host::PictureBox& sink = form.AddControl<host::PictureBox>(L"Sink", 0, 250 * 15, 200 * 15, 40 * 15);
    RecordingTarget target;
    ASSERT_EQ(RegisterDragDrop(sink.hWnd(), &target), S_OK);
    ASSERT_TRUE(PressLeftAt(button->hWnd(), 10, 10));
    {
        MouseThread mouse([&] {
            MouseTo(sink.hWnd(), 20, 20);
            WaitFor([&] { return target.overs >= 2; }, 3000);
            HardwareMouse(MOUSEEVENTF_LEFTUP);
        });
        button->OLEDrag();
    }
    RevokeDragDrop(sink.hWnd());
    EXPECT_EQ(target.dropped, L"from the button");
    EXPECT_EQ(target.droppedRtf, L"{\\rtf1 button}");
    ASSERT_GE(journal.size(), 4u) << Join(journal);
    EXPECT_EQ(journal.front(), "OLEStartDrag 3");
    EXPECT_EQ(journal[1], "OLEGiveFeedback");
    EXPECT_EQ(std::count(journal.begin(), journal.end(), "OLESetData -16639"), 1) << Join(journal);
    EXPECT_EQ(journal.back(), "OLECompleteDrag 1");
}

} // namespace
