// Driving the system's drag and drop as a user would: the drag follows the
// real cursor and mouse buttons, so the tests make every window on a
// desktop of their own (no other program shares its cursor), press the
// button with hardware input, and move the mouse from a second thread
// while the drag's own loop runs on the test's thread. Also a text data
// object, a drop source and a drop target of the tests' own, to drag into
// and out of the host's controls.
#pragma once
#include "HostTestSupport.h"

#include <gtest/gtest.h>

#include <windows.h>
#include <ole2.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace dragtest {

inline std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

// One line per entry, for comparing journals and printing both sides.
inline std::string Join(const std::vector<std::string>& v)
{
    std::string out;
    for (const auto& s : v)
        out += s + "\n";
    return out;
}

// Made before any window of the process (a namespace-scope object of every
// test that includes this).
struct OwnDesktop {
    HDESK desk = nullptr;
    OwnDesktop()
    {
        wchar_t name[64];
        wsprintfW(name, L"drag-tests-%lu", GetCurrentProcessId());
        desk = CreateDesktopW(name, nullptr, nullptr, 0, GENERIC_ALL, nullptr);
        if (desk)
            SetThreadDesktop(desk);
    }
};
inline const OwnDesktop kOwnDesktop;

inline void HardwareMouse(DWORD flags)
{
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dwFlags = flags;
    SendInput(1, &in, sizeof in);
}

inline void HardwareKey(WORD vk, bool down)
{
    INPUT in{};
    in.type = INPUT_KEYBOARD;
    in.ki.wVk = vk;
    in.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &in, sizeof in);
}

// The cursor to a client point of a window, with a hardware move there
// (the drag's loop follows mouse messages).
inline void MouseTo(HWND h, int x, int y)
{
    POINT p{x, y};
    ClientToScreen(h, &p);
    SetCursorPos(p.x, p.y);
    HardwareMouse(MOUSEEVENTF_MOVE);
}

// The left button down at a client point, seen by this thread's key state
// once its messages have run (a drag starts only with the button held).
inline bool PressLeftAt(HWND h, int x, int y)
{
    MouseTo(h, x, y);
    HardwareMouse(MOUSEEVENTF_LEFTDOWN);
    return hosttest::PumpUntil([] { return GetKeyState(VK_LBUTTON) < 0; }, 2000);
}

// Lets go of the left button if a failed test left it down.
inline void ReleaseLeft()
{
    if (GetAsyncKeyState(VK_LBUTTON) < 0)
        HardwareMouse(MOUSEEVENTF_LEFTUP);
    hosttest::PumpUntil([] { return GetKeyState(VK_LBUTTON) >= 0; }, 1000);
}

// Waits on the mouse thread until cond() holds; false after ms.
template <class F>
bool WaitFor(F cond, int ms)
{
    const DWORD start = GetTickCount();
    while (!cond()) {
        if (GetTickCount() - start > static_cast<DWORD>(ms))
            return false;
        Sleep(5);
    }
    return true;
}

// Runs a script of mouse steps on a thread of the test's desktop; the
// destructor waits for it.
class MouseThread {
public:
    explicit MouseThread(std::function<void()> script)
        : thread_([script = std::move(script)] {
              SetThreadDesktop(kOwnDesktop.desk);
              script();
          })
    {
    }
    ~MouseThread() { thread_.join(); }
    MouseThread(const MouseThread&) = delete;
    MouseThread& operator=(const MouseThread&) = delete;

private:
    std::thread thread_;
};

// Reference counting for the tests' COM objects, which live on the stack
// and are only ever borrowed by the system.
template <class I>
class Borrowed : public I {
public:
    ULONG STDMETHODCALLTYPE AddRef() override { return ++refs; }
    ULONG STDMETHODCALLTYPE Release() override { return --refs; }
    LONG refs = 1;

protected:
    HRESULT Ask(REFIID asked, REFIID mine, void** out)
    {
        if (asked == IID_IUnknown || asked == mine) {
            *out = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
};

// Plain text, as CF_UNICODETEXT.
class TextData : public Borrowed<IDataObject> {
public:
    explicit TextData(std::wstring text) : text_(std::move(text)) {}
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override { return Ask(riid, IID_IDataObject, out); }
    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* fe, STGMEDIUM* m) override
    {
        if (QueryGetData(fe) != S_OK)
            return DV_E_FORMATETC;
        const SIZE_T bytes = (text_.size() + 1) * sizeof(wchar_t);
        HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, bytes);
        memcpy(GlobalLock(g), text_.c_str(), bytes);
        GlobalUnlock(g);
        m->tymed = TYMED_HGLOBAL;
        m->hGlobal = g;
        m->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* fe) override
    {
        return fe && fe->cfFormat == CF_UNICODETEXT && (fe->tymed & TYMED_HGLOBAL) ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* o) override
    {
        o->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    std::wstring text_;
};

// Drops where the left button is let go; Esc cancels.
class LeftButtonSource : public Borrowed<IDropSource> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override { return Ask(riid, IID_IDropSource, out); }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        ++queries;
        if (escape)
            return DRAGDROP_S_CANCEL;
        return (keys & MK_LBUTTON) ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD) override { return DRAGDROP_S_USEDEFAULTCURSORS; }
    // How often the drag's loop asked: each time it looked at the mouse.
    std::atomic<int> queries{0};
};

// The text of a data object, "" when it has none.
inline std::wstring TextOf(IDataObject* data, CLIPFORMAT cf = CF_UNICODETEXT)
{
    FORMATETC fe{cf, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM m{};
    if (!data || data->GetData(&fe, &m) != S_OK)
        return L"";
    std::wstring out;
    if (cf == CF_UNICODETEXT) {
        out = static_cast<const wchar_t*>(GlobalLock(m.hGlobal));
    } else {
        const char* a = static_cast<const char*>(GlobalLock(m.hGlobal));
        out.assign(a, a + strlen(a));
    }
    GlobalUnlock(m.hGlobal);
    ReleaseStgMedium(&m);
    return out;
}

// A drop target of the tests': takes a copy, and reads the text on the drop.
class RecordingTarget : public Borrowed<IDropTarget> {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override { return Ask(riid, IID_IDropTarget, out); }
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject*, DWORD, POINTL, DWORD* effect) override
    {
        ++enters;
        *effect &= DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD, POINTL, DWORD* effect) override
    {
        ++overs;
        *effect &= DROPEFFECT_COPY;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD, POINTL, DWORD* effect) override
    {
        dropped = TextOf(data);
        droppedRtf = TextOf(data, static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"Rich Text Format")));
        *effect &= DROPEFFECT_COPY;
        ++drops;
        return S_OK;
    }
    std::atomic<int> enters{0}, overs{0}, drops{0};
    std::wstring dropped, droppedRtf;
};

// A shown form of 400 x 300 pixels on the test's desktop, with OLE up on
// the test's thread (the test starts drags of its own).
class DragForm : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(kOwnDesktop.desk) << "no desktop of the test's own";
        ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
        form.SetClientSize(400 * 15, 300 * 15);
        form.Show();
    }
    void TearDown() override
    {
        ReleaseLeft();
        form.Unload();
        OleUninitialize();
    }

    host::Form form{L"frmTest"};
};

} // namespace dragtest
