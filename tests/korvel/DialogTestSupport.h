// Driving the launcher's dialog and tutorial window in this process as a
// user would: clicks on list rows, buttons and labels, typing, forms that
// show modally acted on from a timer, message boxes through the host's
// sink and pixels read from what a window paints (the button tests' frame
// capture).
#pragma once
#include "TestSupport.h"
#include "button/ButtonTestSupport.h"
#include "ModOpenFile.h"
#include "frmKorvel.h"

#include "HostTestSupport.h"
#include "host/Host.h"
#include "korvel/button/kxButtons_H.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace kdt {

inline std::string Narrow(const std::wstring& text) { return kt::Utf8(text); }

inline int Processors()
{
    SYSTEM_INFO info{};
    GetSystemInfo(&info);
    return static_cast<int>(info.dwNumberOfProcessors);
}

// One bit for each processor the dialog lists (at most 31 fit a positive mask).
inline std::int32_t AllProcessorsMask()
{
    const int n = Processors() < 31 ? Processors() : 31;
    return static_cast<std::int32_t>((1u << n) - 1u);
}

inline host::CheckList& List(host::Form& form, const wchar_t* name) { return form.Control<host::CheckList>(name); }

inline std::vector<std::wstring> Rows(const host::CheckList& list)
{
    std::vector<std::wstring> rows;
    for (int r = 0; r < list.ListCount(); ++r)
        rows.push_back(list.List(r));
    return rows;
}

inline std::vector<std::wstring> ComboRows(const host::DropDownList& list)
{
    std::vector<std::wstring> rows;
    for (int r = 0; r < list.ListCount(); ++r)
        rows.push_back(list.List(r));
    return rows;
}

// "x" for each ticked row, "." for each unticked one.
inline std::string Ticks(const host::CheckList& list)
{
    std::string s;
    for (int r = 0; r < list.ListCount(); ++r)
        s += list.Selected(r) ? 'x' : '.';
    return s;
}

// What the dialog shows of its fields: the ticks of its four lists, the
// window state, the parameters and the remember box.
struct Shown {
    std::string programs, cpus, cpuPriorities, ioPriorities;
    int windowState = -1;
    std::wstring params;
    int remember = -1;
};

inline bool operator==(const Shown& a, const Shown& b)
{
    return a.programs == b.programs && a.cpus == b.cpus && a.cpuPriorities == b.cpuPriorities &&
           a.ioPriorities == b.ioPriorities && a.windowState == b.windowState && a.params == b.params &&
           a.remember == b.remember;
}

inline void PrintTo(const Shown& s, std::ostream* os)
{
    *os << "programs " << s.programs << ", cpus " << s.cpus << ", CPU priority " << s.cpuPriorities
        << ", I/O priority " << s.ioPriorities << ", window state " << s.windowState << ", parameters \""
        << kt::Utf8(s.params) << "\", remember " << s.remember;
}

inline Shown ShownBy(host::Form& form)
{
    return Shown{Ticks(List(form, L"lstEXE")),
                 Ticks(List(form, L"lstCPU")),
                 Ticks(List(form, L"lstCPUPriority")),
                 Ticks(List(form, L"lstIOPriority")),
                 form.Control<host::DropDownList>(L"cbStyle").ListIndex(),
                 form.Control<host::TextBox>(L"txtParam").Text(),
                 form.Control<host::CheckBox>(L"chkRemember").Value()};
}

// A left click in the middle of a window's client area.
inline void ClickWindow(HWND h)
{
    RECT r;
    GetClientRect(h, &r);
    hosttest::ClickAt(h, r.right / 2, r.bottom / 2);
}

inline void PressButton(kx::kxButtons_H& button) { ClickWindow(button.hWnd()); }

inline void Press(host::Form& form, const wchar_t* button) { PressButton(form.Control<kx::kxButtons_H>(button)); }

// A click on the tick box of one row, scrolled into view first.
inline void ClickRow(host::CheckList& list, int row)
{
    SendMessageW(list.hWnd(), LB_SETTOPINDEX, static_cast<WPARAM>(row), 0);
    RECT r{};
    ASSERT_NE(SendMessageW(list.hWnd(), LB_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&r)),
              LB_ERR)
        << "row " << row;
    hosttest::ClickAt(list.hWnd(), r.left + 6, (r.top + r.bottom) / 2);
}

// Typing at the end of a text box, one character message per key.
inline void Type(host::TextBox& box, const std::wstring& text)
{
    ::SetFocus(box.hWnd());
    SendMessageW(box.hWnd(), EM_SETSEL, static_cast<WPARAM>(-1), -1);
    for (wchar_t c : text)
        SendMessageW(box.hWnd(), WM_CHAR, c, 1);
}

// Where a child window lies in its form's client area (pixels).
inline RECT ClientRectIn(HWND child, HWND form)
{
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, form, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline host::Form* FindForm(const wchar_t* name)
{
    for (host::Form* f : host::Form::LoadedForms())
        if (f->Name() == name)
            return f;
    return nullptr;
}

// Text pixels of a painted label, by what painted them.
struct Ink {
    int blue = 0;    // strongly blue: the hover colour
    int black = 0;   // near black: the plain colour
    int any = 0;     // anything that differs from the background
};

inline Ink InkOf(HWND label)
{
    const kxtest::Frame p(label);
    Ink ink;
    const std::uint32_t back = p.At(0, 0);
    for (int y = 0; y < p.Height(); ++y)
        for (int x = 0; x < p.Width(); ++x) {
            const std::uint32_t c = p.At(x, y);
            const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
            if (c != back)
                ++ink.any;
            if (b >= 160 && r <= 100 && g <= 100)
                ++ink.blue;
            if (r < 60 && g < 60 && b < 60)
                ++ink.black;
        }
    return ink;
}

inline std::uint32_t PaintedPixel(HWND h, int x, int y) { return kxtest::Frame(h).At(x, y); }

// One pixel of a bitmap picture, as a colour value (0x00BBGGRR).
inline std::uint32_t PicturePixel(const host::Picture& picture, int x, int y)
{
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HBITMAP>(picture.handle));
    const COLORREF c = GetPixel(dc, x, y);
    SelectObject(dc, old);
    DeleteDC(dc);
    return c;
}

inline int BitsPerPixel(const host::Picture& picture)
{
    BITMAP bm{};
    GetObjectW(reinterpret_cast<HBITMAP>(picture.handle), sizeof bm, &bm);
    return bm.bmBitsPixel;
}

// "x" for each visible Image1 element, "." for each hidden one.
inline std::string VisiblePictures(host::Form& help)
{
    std::string s;
    for (host::PictureBox* p : help.ControlArray<host::PictureBox>(L"Image1"))
        s += p->Visible() && IsWindowVisible(p->hWnd()) ? 'x' : '.';
    return s;
}

// The characters of `text` that the font cannot draw.
inline std::wstring MissingGlyphs(const std::wstring& text, const host::Font& font)
{
    HFONT f = host::CreateFontHandle(font);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, f);
    std::vector<WORD> glyphs(text.size());
    GetGlyphIndicesW(dc, text.c_str(), static_cast<int>(text.size()), glyphs.data(), GGI_MARK_NONEXISTING_GLYPHS);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(f);
    std::wstring missing;
    for (std::size_t i = 0; i < text.size(); ++i)
        if (glyphs[i] == 0xFFFF && text[i] > L' ')   // line breaks and blanks draw nothing
            missing += text[i];
    return missing;
}

// One call the windows made to the shell, as ShellExecuteW would get it.
struct ShellCall {
    bool owner = false, verb = false, parameters = false, directory = false;  // given at all
    std::wstring target;
    int show = -1;
};

// Fixture: a folder for the launcher, the message-box sink, the shell
// calls the links make (in place of the system's), and forms acted on once
// they show modally. The process's own tuning goes back afterwards.
class DialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        host::SetMessageBoxSink([this](const host::MessageBoxRecord& box) { boxes.push_back(box); });
        korvel::SetShellExecuteCall([this](void* owner, const wchar_t* verb, const wchar_t* target,
                                           const wchar_t* parameters, const wchar_t* directory, int show) {
            ShellCall call;
            call.owner = owner != nullptr;
            call.verb = verb != nullptr;
            call.parameters = parameters != nullptr;
            call.directory = directory != nullptr;
            call.target = target ? target : L"";
            call.show = show;
            shellCalls.push_back(call);
            opened.push_back(call.target);
        });
    }
    void TearDown() override
    {
        watch_.SetEnabled(false);
        Close();
        host::SetMessageBoxSink(nullptr);
        korvel::SetShellExecuteCall(nullptr);
    }

    void AddProgram(const std::wstring& name) { kt::WriteBytes(folder.file(name), "MZ"); }

    // Creates the dialog for `where` (the fixture's folder by default)
    // with the launcher named Korvel.exe, gives it the fields and shows it.
    korvel::frmKorvel& Open(const korvel::LaunchConfig& fields, const std::wstring& where = std::wstring())
    {
        Close();
        form_ = std::make_unique<korvel::frmKorvel>(where.empty() ? folder.path() : where, L"Korvel.exe");
        form_->Config = fields;
        form_->Show();
        return *form_;
    }

    void Close()
    {
        if (form_) {
            form_->Unload();
            form_.reset();
        }
    }

    // Runs `act` once the form named `name` shows (from the message loop
    // of its modal display). A form still shown afterwards is hidden, so
    // a failed check can never leave a test waiting.
    void OnModal(const wchar_t* name, std::function<void(host::Form&)> act)
    {
        const DWORD started = GetTickCount();
        watch_.Tick.clear();
        watch_.Tick.connect([this, name, act, started] {
            host::Form* f = FindForm(name);
            if (!f || !f->Visible()) {
                if (GetTickCount() - started > 10000) {
                    watch_.SetEnabled(false);
                    ADD_FAILURE() << Narrow(name) << " never showed";
                }
                return;
            }
            watch_.SetEnabled(false);
            act(*f);
            if (host::Form* still = FindForm(name); still && still->Visible())
                still->Hide();
        });
        watch_.SetInterval(10);
        watch_.SetEnabled(true);
    }

    kt::ProcessTuningGuard tuning;   // Main tunes this process
    kt::TempFolder folder{L"korvel-dialog"};
    std::vector<host::MessageBoxRecord> boxes;
    std::vector<ShellCall> shellCalls;
    std::vector<std::wstring> opened;    // the targets of shellCalls

private:
    std::unique_ptr<korvel::frmKorvel> form_;
    host::Timer watch_;
};

} // namespace kdt
