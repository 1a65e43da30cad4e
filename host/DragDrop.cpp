// Drop targets, data objects and drop sources over the system's OLE drag
// and drop, for owner-drawn controls.
#include "DragDrop.h"

#include "Control.h"
#include "UserControl.h"

#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <vector>

namespace host {
namespace dragdrop {

namespace {

// OLE is loaded when a control first takes part in dragging, so a program
// that never drags does not load it (and the libraries it brings) at start.
struct OleFunctions {
    decltype(&::OleInitialize) initialize = nullptr;
    decltype(&::RegisterDragDrop) registerTarget = nullptr;
    decltype(&::RevokeDragDrop) revokeTarget = nullptr;
    decltype(&::DoDragDrop) doDragDrop = nullptr;
    decltype(&::ReleaseStgMedium) releaseMedium = nullptr;
};

template <typename F>
void Find(HMODULE module, const char* name, F& out)
{
    out = reinterpret_cast<F>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// Null when OLE cannot be loaded; the library stays loaded once it is.
const OleFunctions* Ole()
{
    static const OleFunctions loaded = [] {
        OleFunctions f;
        if (HMODULE m = ::LoadLibraryW(L"ole32.dll")) {
            Find(m, "OleInitialize", f.initialize);
            Find(m, "RegisterDragDrop", f.registerTarget);
            Find(m, "RevokeDragDrop", f.revokeTarget);
            Find(m, "DoDragDrop", f.doDragDrop);
            Find(m, "ReleaseStgMedium", f.releaseMedium);
        }
        return f;
    }();
    const bool all = loaded.initialize && loaded.registerTarget && loaded.revokeTarget && loaded.doDragDrop &&
                     loaded.releaseMedium;
    return all ? &loaded : nullptr;
}

void ReleaseMedium(STGMEDIUM* medium)
{
    // A medium exists only where OLE handed it out, so OLE is loaded.
    if (const OleFunctions* ole = Ole())
        ole->releaseMedium(medium);
}


// Reference counting and QueryInterface for the one interface each of the
// objects below implements. Made with one reference, deleted with the last.
template <class I>
class ComObject : public I {
public:
    explicit ComObject(REFIID iid) : iid_(iid) {}
    ComObject(const ComObject&) = delete;
    ComObject& operator=(const ComObject&) = delete;

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** out) override
    {
        if (!out)
            return E_POINTER;
        if (riid == IID_IUnknown || riid == iid_) {
            *out = static_cast<I*>(this);
            AddRef();
            return S_OK;
        }
        *out = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return static_cast<ULONG>(InterlockedIncrement(&refs_)); }
    ULONG STDMETHODCALLTYPE Release() override
    {
        const LONG left = InterlockedDecrement(&refs_);
        if (left == 0)
            delete this;
        return static_cast<ULONG>(left);
    }

protected:
    virtual ~ComObject() = default;

private:
    LONG refs_ = 1;
    IID iid_;
};

CLIPFORMAT RtfFormat()
{
    static const CLIPFORMAT cf = static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"Rich Text Format"));
    return cf;
}

FORMATETC Etc(CLIPFORMAT cf, DWORD tymed)
{
    FORMATETC fe{};
    fe.cfFormat = cf;
    fe.dwAspect = DVASPECT_CONTENT;
    fe.lindex = -1;
    fe.tymed = tymed;
    return fe;
}

// The system formats that stand for one of ours, best first.
std::vector<FORMATETC> SystemFormats(int format)
{
    switch (format) {
    case kDragText:
        return {Etc(CF_UNICODETEXT, TYMED_HGLOBAL), Etc(CF_TEXT, TYMED_HGLOBAL)};
    case kDragRTF:
        return {Etc(RtfFormat(), TYMED_HGLOBAL)};
    case kDragFiles:
        return {Etc(CF_HDROP, TYMED_HGLOBAL)};
    case kDragBitmap:
        return {Etc(CF_BITMAP, TYMED_GDI)};
    case kDragMetafile:
        return {Etc(CF_METAFILEPICT, TYMED_MFPICT)};
    case kDragDIB:
        return {Etc(CF_DIB, TYMED_HGLOBAL)};
    case kDragPalette:
        return {Etc(CF_PALETTE, TYMED_GDI)};
    case kDragEMetafile:
        return {Etc(CF_ENHMETAFILE, TYMED_ENHMF)};
    default:
        // Any other number names a clipboard format of the system.
        if (format > 0 && format <= 0xFFFF)
            return {Etc(static_cast<CLIPFORMAT>(format), TYMED_HGLOBAL | TYMED_ISTREAM | TYMED_GDI)};
        return {};
    }
}

// ---- Reading a drop ---------------------------------------------------------

std::wstring Widen(const char* s, std::size_t n)
{
    if (n == 0)
        return {};
    int len = MultiByteToWideChar(CP_ACP, 0, s, static_cast<int>(n), nullptr, 0);
    std::wstring out(static_cast<std::size_t>(len), L'\0');
    MultiByteToWideChar(CP_ACP, 0, s, static_cast<int>(n), out.data(), len);
    return out;
}

std::string Narrow(const std::wstring& s)
{
    if (s.empty())
        return {};
    int len = WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<std::size_t>(len), '\0');
    WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), out.data(), len, nullptr, nullptr);
    return out;
}

// The other side's data object, read through the formats above.
class Offered : public DragData::Source {
public:
    explicit Offered(IDataObject* data) : data_(data) {}

    bool HasFormat(int format) const override
    {
        for (FORMATETC fe : SystemFormats(format))
            if (data_->QueryGetData(&fe) == S_OK)
                return true;
        return false;
    }

    bool Text(int format, std::wstring* out) const override
    {
        if (format != kDragText && format != kDragRTF)
            return false;
        for (FORMATETC fe : SystemFormats(format)) {
            STGMEDIUM m{};
            if (data_->GetData(&fe, &m) != S_OK)
                continue;
            bool ok = false;
            if (m.tymed == TYMED_HGLOBAL && m.hGlobal) {
                const SIZE_T bytes = GlobalSize(m.hGlobal);
                if (const void* p = GlobalLock(m.hGlobal)) {
                    // Up to the terminator, never past the block.
                    if (fe.cfFormat == CF_UNICODETEXT) {
                        const auto* w = static_cast<const wchar_t*>(p);
                        std::size_t n = 0, most = bytes / sizeof(wchar_t);
                        while (n < most && w[n])
                            ++n;
                        out->assign(w, n);
                    } else {
                        const auto* a = static_cast<const char*>(p);
                        std::size_t n = 0;
                        while (n < bytes && a[n])
                            ++n;
                        *out = Widen(a, n);
                    }
                    GlobalUnlock(m.hGlobal);
                    ok = true;
                }
            }
            ReleaseMedium(&m);
            if (ok)
                return true;
        }
        return false;
    }

    bool FileNames(std::vector<std::wstring>* out) const override
    {
        FORMATETC fe = Etc(CF_HDROP, TYMED_HGLOBAL);
        STGMEDIUM m{};
        if (data_->GetData(&fe, &m) != S_OK)
            return false;
        bool ok = false;
        if (m.tymed == TYMED_HGLOBAL && m.hGlobal) {
            HDROP drop = static_cast<HDROP>(m.hGlobal);
            const UINT n = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
            for (UINT i = 0; i < n; ++i) {
                const UINT len = DragQueryFileW(drop, i, nullptr, 0);
                std::wstring name(len, L'\0');
                DragQueryFileW(drop, i, name.data(), len + 1);
                out->push_back(name);
            }
            ok = true;
        }
        ReleaseMedium(&m);
        return ok;
    }

private:
    IDataObject* data_;
};

} // namespace

bool EnsureOle()
{
    // One answer per thread: OLE stays up until the thread ends.
    thread_local int state = 0;  // 0 not tried, 1 up, -1 refused
    if (state == 0) {
        const OleFunctions* ole = Ole();
        state = ole && SUCCEEDED(ole->initialize(nullptr)) ? 1 : -1;
    }
    return state == 1;
}

int ButtonsOf(DWORD keys)
{
    return ((keys & MK_LBUTTON) ? 1 : 0) | ((keys & MK_RBUTTON) ? 2 : 0) | ((keys & MK_MBUTTON) ? 4 : 0);
}

int ShiftOf(DWORD keys)
{
    return ((keys & MK_SHIFT) ? 1 : 0) | ((keys & MK_CONTROL) ? 2 : 0) | ((keys & MK_ALT) ? 4 : 0);
}

// ---- Drop target ----------------------------------------------------------------

class Target final : public ComObject<IDropTarget> {
public:
    explicit Target(UserControl& c) : ComObject(IID_IDropTarget), control_(&c) {}

    void Detach()
    {
        control_ = nullptr;
        ForgetData();
    }


    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override
    {
        ForgetData();
        data_ = data;
        if (data_)
            data_->AddRef();
        return Over(kDragEnter, keys, pt, effect);
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keys, POINTL pt, DWORD* effect) override
    {
        return Over(kDragOver, keys, pt, effect);
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override
    {
        if (control_ && data_) {
            DispatchScope busy;  // a handler that unloads the form leaves the object alive here
            Offered offered(data_);
            DragData d(&offered);
            long e = lastEffect_;
            control_->OLEDragOver(d, e, button_, shift_, x_, y_, kDragLeave);
        }
        ForgetData();
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keys, POINTL pt, DWORD* effect) override
    {
        const long allowed = static_cast<long>(*effect);
        *effect = DROPEFFECT_NONE;
        if (control_ && data) {
            DispatchScope busy;
            Place(keys, pt);
            Offered offered(data);
            DragData d(&offered);
            long e = allowed;
            // The button that carried the drag is up by now: the one held
            // during the last move is reported.
            control_->OLEDragDrop(d, e, button_, ShiftOf(keys), x_, y_);
            *effect = static_cast<DWORD>(ChooseDropEffect(e, allowed));
        }
        ForgetData();
        return S_OK;
    }

private:
    ~Target() override { ForgetData(); }

    void ForgetData()
    {
        if (data_)
            data_->Release();
        data_ = nullptr;
    }

    void Place(DWORD keys, POINTL pt)
    {
        POINT p{pt.x, pt.y};
        if (control_->hWnd())
            ScreenToClient(control_->hWnd(), &p);
        x_ = static_cast<float>(p.x);
        y_ = static_cast<float>(p.y);
        if (ButtonsOf(keys))
            button_ = ButtonsOf(keys);
        shift_ = ShiftOf(keys);
    }

    HRESULT Over(int state, DWORD keys, POINTL pt, DWORD* effect)
    {
        const long allowed = static_cast<long>(*effect);
        *effect = DROPEFFECT_NONE;
        if (!control_ || !data_)
            return S_OK;
        DispatchScope busy;
        Place(keys, pt);
        Offered offered(data_);
        DragData d(&offered);
        long e = allowed;  // the handler narrows what the source allows
        control_->OLEDragOver(d, e, button_, shift_, x_, y_, state);
        lastEffect_ = ChooseDropEffect(e, allowed);
        *effect = static_cast<DWORD>(lastEffect_);
        return S_OK;
    }

    UserControl* control_;
    IDataObject* data_ = nullptr;  // the drag over the window now
    long lastEffect_ = kDropEffectNone;
    int button_ = 0, shift_ = 0;
    float x_ = 0, y_ = 0;
};

Target* Register(UserControl& control)
{
    if (!control.hWnd() || !EnsureOle())
        return nullptr;
    auto* t = new Target(control);
    if (Ole()->registerTarget(control.hWnd(), t) != S_OK) {
        t->Detach();
        t->Release();
        return nullptr;
    }
    return t;
}

void Revoke(Target* target, HWND window)
{
    if (!target)
        return;
    if (window && Ole())
        Ole()->revokeTarget(window);
    target->Detach();
    target->Release();
}

// ---- Starting a drag --------------------------------------------------------------

namespace {

class FormatList final : public ComObject<IEnumFORMATETC> {
public:
    explicit FormatList(std::vector<FORMATETC> items, std::size_t at = 0)
        : ComObject(IID_IEnumFORMATETC), items_(std::move(items)), at_(at)
    {
    }

    HRESULT STDMETHODCALLTYPE Next(ULONG n, FORMATETC* out, ULONG* fetched) override
    {
        ULONG k = 0;
        while (k < n && at_ < items_.size())
            out[k++] = items_[at_++];
        if (fetched)
            *fetched = k;
        return k == n ? S_OK : S_FALSE;
    }
    HRESULT STDMETHODCALLTYPE Skip(ULONG n) override
    {
        at_ += n;
        if (at_ > items_.size()) {
            at_ = items_.size();
            return S_FALSE;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Reset() override
    {
        at_ = 0;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Clone(IEnumFORMATETC** out) override
    {
        *out = new FormatList(items_, at_);
        return S_OK;
    }

private:
    std::vector<FORMATETC> items_;
    std::size_t at_;
};

HGLOBAL GlobalCopy(const void* bytes, std::size_t n)
{
    HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE, n);
    if (!g)
        return nullptr;
    if (void* p = GlobalLock(g)) {
        std::memcpy(p, bytes, n);
        GlobalUnlock(g);
        return g;
    }
    GlobalFree(g);
    return nullptr;
}

// The data of a drag this program starts, as the system's data object.
class Offer final : public ComObject<IDataObject> {
public:
    Offer(UserControl& c, DragData& data) : ComObject(IID_IDataObject), control_(&c), data_(&data) {}
    void Detach()
    {
        control_ = nullptr;
        data_ = nullptr;
    }


    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* fe, STGMEDIUM* m) override
    {
        if (!fe || !m)
            return E_INVALIDARG;
        const int format = OurFormat(*fe);
        if (format == 0)
            return DV_E_FORMATETC;
        if (data_->Pending(format) && control_) {
            // Asked for data that was only offered: the control supplies it now.
            DispatchScope busy;
            int asked = format;
            control_->OLESetData(*data_, asked);
        }
        if (!data_ || data_->Pending(format))
            return DV_E_FORMATETC;
        HGLOBAL g = nullptr;
        if (fe->cfFormat == CF_UNICODETEXT) {
            const std::wstring s = data_->GetData(format);
            g = GlobalCopy(s.c_str(), (s.size() + 1) * sizeof(wchar_t));
        } else if (fe->cfFormat == CF_HDROP) {
            g = FileDrop(data_->Files());
        } else {
            const std::string s = Narrow(data_->GetData(format));
            g = GlobalCopy(s.c_str(), s.size() + 1);
        }
        if (!g)
            return E_OUTOFMEMORY;
        m->tymed = TYMED_HGLOBAL;
        m->hGlobal = g;
        m->pUnkForRelease = nullptr;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* fe) override
    {
        return fe && OurFormat(*fe) != 0 ? S_OK : DV_E_FORMATETC;
    }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override
    {
        if (out)
            out->ptd = nullptr;
        return DATA_S_SAMEFORMATETC;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD direction, IEnumFORMATETC** out) override
    {
        if (!out)
            return E_INVALIDARG;
        *out = nullptr;
        if (direction != DATADIR_GET)
            return E_NOTIMPL;
        std::vector<FORMATETC> all;
        if (data_)
            for (int f : data_->Formats())
                for (const FORMATETC& fe : SystemFormats(f))
                    all.push_back(fe);
        *out = new FormatList(std::move(all));
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override
    {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

private:
    ~Offer() override = default;

    // Which of our formats a request names; 0 for none we offer.
    int OurFormat(const FORMATETC& fe) const
    {
        if (!data_ || !(fe.tymed & TYMED_HGLOBAL) || fe.dwAspect != DVASPECT_CONTENT)
            return 0;
        for (int f : data_->Formats())
            for (const FORMATETC& sys : SystemFormats(f))
                if (sys.cfFormat == fe.cfFormat)
                    return f;
        return 0;
    }

    static HGLOBAL FileDrop(const std::vector<std::wstring>& files)
    {
        std::vector<wchar_t> names;
        for (const auto& f : files) {
            names.insert(names.end(), f.begin(), f.end());
            names.push_back(L'\0');
        }
        names.push_back(L'\0');
        const std::size_t bytes = sizeof(DROPFILES) + names.size() * sizeof(wchar_t);
        HGLOBAL g = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
        if (!g)
            return nullptr;
        auto* p = static_cast<char*>(GlobalLock(g));
        if (!p) {
            GlobalFree(g);
            return nullptr;
        }
        auto* df = reinterpret_cast<DROPFILES*>(p);
        df->pFiles = sizeof(DROPFILES);
        df->fWide = TRUE;
        std::memcpy(p + sizeof(DROPFILES), names.data(), names.size() * sizeof(wchar_t));
        GlobalUnlock(g);
        return g;
    }

    UserControl* control_;
    DragData* data_;
};

class Source final : public ComObject<IDropSource> {
public:
    Source(UserControl& c, DWORD buttons) : ComObject(IID_IDropSource), control_(&c), buttons_(buttons) {}
    void Detach() { control_ = nullptr; }


    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override
    {
        if (escape)
            return DRAGDROP_S_CANCEL;
        // The drag ends where the button that started it is let go.
        if (!(keys & buttons_))
            return DRAGDROP_S_DROP;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD effect) override
    {
        bool defaultCursors = true;
        if (control_) {
            DispatchScope busy;
            long e = static_cast<long>(effect);
            control_->OLEGiveFeedback(e, defaultCursors);
        }
        return defaultCursors ? DRAGDROP_S_USEDEFAULTCURSORS : S_OK;
    }

private:
    ~Source() override = default;
    UserControl* control_;
    DWORD buttons_;
};

// The mouse buttons held now, as the drag-and-drop key state names them.
DWORD HeldButtons()
{
    DWORD b = 0;
    if (GetKeyState(VK_LBUTTON) < 0)
        b |= MK_LBUTTON;
    if (GetKeyState(VK_RBUTTON) < 0)
        b |= MK_RBUTTON;
    if (GetKeyState(VK_MBUTTON) < 0)
        b |= MK_MBUTTON;
    return b ? b : MK_LBUTTON;
}

} // namespace

void RunDrag(UserControl& control)
{
    // The control outlives the drag even when a handler unloads its form.
    DispatchScope busy;
    DragData data;
    long allowed = kDropEffectCopy | kDropEffectMove;
    control.OLEStartDrag(data, allowed);
    allowed &= kDropEffectCopy | kDropEffectMove | kDropEffectLink;
    if (data.Formats().empty() || allowed == kDropEffectNone || !EnsureOle()) {
        // Nothing to drag, or nothing the source allows: the drag is over.
        control.OLECompleteDrag(kDropEffectNone);
        return;
    }
    auto* offer = new Offer(control, data);
    auto* source = new Source(control, HeldButtons());
    DWORD effect = DROPEFFECT_NONE;
    const HRESULT hr = Ole()->doDragDrop(offer, source, static_cast<DWORD>(allowed), &effect);
    offer->Detach();
    source->Detach();
    offer->Release();
    source->Release();
    if (control.hWnd())
        control.OLECompleteDrag(hr == DRAGDROP_S_DROP ? static_cast<long>(effect) : kDropEffectNone);
}

} // namespace dragdrop
} // namespace host
