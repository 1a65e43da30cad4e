// Forms: the top-level window, loading from stored data, modal display
// and the keys that belong to the form (Tab, Enter, Esc, access keys).
#include "Form.h"

#include "Input.h"
#include "WindowMap.h"

#include <algorithm>
#include <cwctype>

namespace host {

namespace {

std::vector<Form*>& FormList()
{
    static std::vector<Form*> forms;
    return forms;
}

// The form the program last activated. Message boxes do not change it, so
// returning from one raises no Form_Activate.
Form* g_activeForm = nullptr;

void WakeLoops() { PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0); }

// The form of each form window.
WindowMap<Form>& FormsByWindow()
{
    static WindowMap<Form> forms;
    return forms;
}



} // namespace

Form::Form(std::wstring name) : name_(std::move(name)), caption_(name_) {}

Form::~Form()
{
    // No events here: the derived form is already gone.
    if (hwnd_) {
        DestroyControls();
        HWND h = hwnd_;
        DestroyWindow(h);
        hwnd_ = nullptr;
    }
    auto& forms = FormList();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (g_activeForm == this)
        g_activeForm = nullptr;
    if (backBrush_)
        DeleteObject(backBrush_);
}

const std::vector<Form*>& Form::LoadedForms() { return FormList(); }

Form* Form::FromHwnd(HWND h)
{
    if (!h)
        return nullptr;
    HWND root = GetAncestor(h, GA_ROOT);
    while (root) {
        if (Form* f = FormsByWindow().Find(root))
            return f;
        // A control lifted out of its form (a dropped list) is its own root.
        root = GetWindow(root, GW_OWNER);
    }
    return nullptr;
}

void Form::ApplyFormProps(const PropertyBag& props)
{
    props.forgetReads();
    caption_ = props.readText(L"Caption", caption_);
    clientX_ = props.readLong(L"ClientLeft", clientX_);
    clientY_ = props.readLong(L"ClientTop", clientY_);
    clientW_ = props.readLong(L"ClientWidth", clientW_);
    clientH_ = props.readLong(L"ClientHeight", clientH_);
    back_ = props.readColour(L"BackColor", back_);
    font_ = props.readFont(L"Font", font_);
    borderStyle_ = props.readLong(L"BorderStyle", borderStyle_);
    if (borderStyle_ < 0 || borderStyle_ > 3)
        throw StoredDataError("form " + ToUtf8(name_) + ": key \"BorderStyle\" must be 0 to 3");
    minButton_ = props.readBool(L"MinButton", borderStyle_ == 2);
    maxButton_ = props.readBool(L"MaxButton", borderStyle_ == 2);
    if (props.has(L"Icon")) {
        const PropValue* v = props.find(L"Icon");
        if (auto name = std::get_if<std::wstring>(v)) {
            icon_ = name->empty() ? nullptr : LoadPictureResource(*name);
            if (!name->empty() && !icon_)
                throw StoredDataError("form " + ToUtf8(name_) + ": key \"Icon\" names the picture resource \"" +
                                      ToUtf8(*name) + "\", which the program does not have");
        } else {
            icon_ = props.readPicture(L"Icon");
        }
    }
    auto unknown = props.unreadKeys();
    if (!unknown.empty())
        throw StoredDataError("form " + ToUtf8(name_) + ": unknown key \"" + ToUtf8(unknown.front()) + "\"");
}

void Form::LoadFromData(const FormData& data)
{
    if (hwnd_)
        UnloadNow(UnloadMode::Code, false);
    data_ = std::make_unique<FormData>(data);
    if (!data.name.empty())
        name_ = data.name;
    EnsureWindow();
}

void Form::LoadFromResource(const std::wstring& resourceName)
{
    HINSTANCE inst = AppInstance();
    HRSRC res = FindResourceW(inst, resourceName.c_str(), MAKEINTRESOURCEW(10) /* RT_RCDATA */);
    if (!res)
        throw StoredDataError("form " + ToUtf8(name_) + ": no stored form data named \"" + ToUtf8(resourceName) +
                              "\" in the program's resources");
    HGLOBAL g = LoadResource(inst, res);
    const char* bytes = static_cast<const char*>(LockResource(g));
    DWORD size = SizeofResource(inst, res);
    std::string text(bytes, bytes + size);
    if (text.size() >= 3 && text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3);
    LoadFromData(ParseFormData(FromUtf8(text)));
}

void Form::EnsureWindow()
{
    if (hwnd_)
        return;
    if (data_)
        ApplyFormProps(data_->props);
    CreateFormWindow();
    if (!data_)
        return;
    try {
        for (auto& c : data_->controls)
            AddStored(c);
    } catch (...) {
        UnloadNow(UnloadMode::Code, false);
        throw;
    }
}

void Form::CreateFormWindow()
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW wc = {};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Form::WndProc;
        wc.hInstance = AppInstance();
        wc.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
        wc.lpszClassName = L"HostForm";
        RegisterClassExW(&wc);
        registered = true;
    }
    DWORD style = WS_CLIPCHILDREN;
    DWORD ex = WS_EX_CONTROLPARENT;
    switch (borderStyle_) {
    case 0: style |= WS_POPUP; break;
    case 1: style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU; break;
    case 3:
        style |= WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_DLGFRAME;
        ex |= WS_EX_DLGMODALFRAME;
        break;
    default: style |= WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME; break;
    }
    if (borderStyle_ != 0) {
        if (minButton_)
            style |= WS_MINIMIZEBOX;
        if (maxButton_)
            style |= WS_MAXIMIZEBOX;
    }
    RECT r = {0, 0, TwipsToPixels(clientW_), TwipsToPixels(clientH_)};
    AdjustWindowRectEx(&r, style, FALSE, ex);
    int w = r.right - r.left, h = r.bottom - r.top;
    int x, y;
    if (clientX_ >= 0 && clientY_ >= 0) {
        x = TwipsToPixels(clientX_) + r.left;
        y = TwipsToPixels(clientY_) + r.top;
    } else {
        RECT work;
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        x = work.left + ((work.right - work.left) - w) / 2;
        y = work.top + ((work.bottom - work.top) - h) / 2;
    }
    hwnd_ = CreateWindowExW(ex, L"HostForm", caption_.c_str(), style, x, y, w, h, nullptr, nullptr, AppInstance(),
                            this);
    if (!hwnd_)
        throw std::runtime_error("could not create the window of form " + ToUtf8(name_));
    if (icon_) {
        SendMessageW(hwnd_, WM_SETICON, ICON_BIG, static_cast<LPARAM>(icon_->handle));
        SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, static_cast<LPARAM>(icon_->handle));
    }
    FormList().push_back(this);
    loadRaised_ = false;
}

void Form::Load()
{
    EnsureWindow();
    if (!loadRaised_) {
        loadRaised_ = true;
        Form_Load();
    }
}

bool Form::Visible() const { return hwnd_ && IsWindowVisible(hwnd_); }

void Form::Show()
{
    Load();
    if (!hwnd_)
        return;  // unloaded by its own Form_Load
    ShowWindow(hwnd_, SW_SHOW);
    SetForegroundWindow(hwnd_);
    SetActiveWindow(hwnd_);
    UpdateWindow(hwnd_);
}

void Form::ShowModal(Form* owner)
{
    Load();
    if (!hwnd_)
        return;
    if (modal_)
        return;  // already shown modally: its loop is running further up
    if (owner && owner->hwnd_ && owner != this)
        SetWindowLongPtrW(hwnd_, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner->hwnd_));
    // Every other form waits, as a modal form demands.
    disabled_.clear();
    for (Form* f : FormList())
        if (f != this && f->hwnd_ && IsWindowEnabled(f->hwnd_)) {
            disabled_.push_back(f->hwnd_);
            EnableWindow(f->hwnd_, FALSE);
        }
    modal_ = true;
    HWND me = hwnd_;
    Show();
    MSG msg;
    while (IsWindow(me) && hwnd_ == me && IsWindowVisible(me)) {
        BOOL r = GetMessageW(&msg, nullptr, 0, 0);
        if (r == 0) {
            PostQuitMessage(static_cast<int>(msg.wParam));  // for the outer loop
            break;
        }
        if (r < 0)
            break;
        {
            DispatchScope busy;
            if (!PreTranslate(msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
        DeleteRetiredControls();
    }
    modal_ = false;
    EnableWaiting();
    if (owner && owner->hwnd_ && IsWindowVisible(owner->hwnd_))
        SetActiveWindow(owner->hwnd_);
}

void Form::EnableWaiting()
{
    // Before hiding: the window system then activates the owner, not
    // some other program.
    for (HWND h : disabled_)
        if (IsWindow(h))
            EnableWindow(h, TRUE);
    disabled_.clear();
}

void Form::Hide()
{
    if (!hwnd_)
        return;
    if (modal_)
        EnableWaiting();
    ShowWindow(hwnd_, SW_HIDE);
    if (g_activeForm == this)
        g_activeForm = nullptr;
    WakeLoops();
}

void Form::Unload() { UnloadNow(UnloadMode::Code, true); }

void Form::UnloadNow(UnloadMode mode, bool events)
{
    if (!hwnd_ || unloading_)
        return;
    if (events) {
        bool cancel = false;
        Form_QueryUnload(cancel, mode);
        if (cancel)
            return;
    }
    unloading_ = true;
    lastUnload_ = mode;
    if (events)
        Form_Unload();
    if (modal_)
        EnableWaiting();
    if (hwnd_)
        ShowWindow(hwnd_, SW_HIDE);
    DestroyControls();
    default_ = cancel_ = nullptr;
    if (hwnd_)
        DestroyWindow(hwnd_);
    hwnd_ = nullptr;
    auto& forms = FormList();
    forms.erase(std::remove(forms.begin(), forms.end(), this), forms.end());
    if (g_activeForm == this)
        g_activeForm = nullptr;
    loadRaised_ = false;
    unloading_ = false;
    WakeLoops();
}

std::wstring Form::Caption() const { return caption_; }

void Form::SetCaption(const std::wstring& text)
{
    caption_ = text;
    if (hwnd_)
        SetWindowTextW(hwnd_, text.c_str());
}

int Form::ClientWidth() const
{
    if (!hwnd_)
        return clientW_;
    RECT r;
    GetClientRect(hwnd_, &r);
    return PixelsToTwips(r.right);
}

int Form::ClientHeight() const
{
    if (!hwnd_)
        return clientH_;
    RECT r;
    GetClientRect(hwnd_, &r);
    return PixelsToTwips(r.bottom);
}

void Form::SetClientSize(int widthTw, int heightTw)
{
    clientW_ = widthTw;
    clientH_ = heightTw;
    if (!hwnd_)
        return;
    RECT r = {0, 0, TwipsToPixels(widthTw), TwipsToPixels(heightTw)};
    AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)));
    SetWindowPos(hwnd_, nullptr, 0, 0, r.right - r.left, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void Form::SetBackColor(Colour c)
{
    if (c == back_)
        return;
    back_ = c;
    if (backBrush_) {
        DeleteObject(backBrush_);
        backBrush_ = nullptr;
    }
    if (hwnd_)
        InvalidateRect(hwnd_, nullptr, TRUE);
    NotifyAmbient(L"BackColor");
}

void Form::SetFont(const host::Font& f)
{
    if (f == font_)
        return;
    font_ = f;
    NotifyAmbient(L"Font");
}

void Form::SetIcon(PictureRef icon)
{
    icon_ = std::move(icon);
    if (!hwnd_)
        return;
    LPARAM h = icon_ ? static_cast<LPARAM>(icon_->handle) : 0;
    SendMessageW(hwnd_, WM_SETICON, ICON_BIG, h);
    SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, h);
}

void Form::SetDefaultControl(UserControl* c)
{
    if (c == default_)
        return;
    UserControl* old = default_;
    default_ = c;
    if (old)
        old->NotifyAmbientChanged(L"DisplayAsDefault");
    if (c)
        c->NotifyAmbientChanged(L"DisplayAsDefault");
}

namespace {

ControlData SaveControl(ControlBase& c)
{
    ControlData d;
    d.name = c.Name();
    d.kind = c.Kind();
    d.index = c.Index();
    d.left = c.Left();
    d.top = c.Top();
    d.width = c.Width();
    d.height = c.Height();
    d.props.setOwner(c.Name());
    c.SaveProperties(d.props);
    if (!c.Visible())
        d.props.set(L"Visible", false);
    if (!c.Tag().empty())
        d.props.set(L"Tag", c.Tag());
    if (auto* inner = dynamic_cast<Container*>(&c))
        for (ControlBase* child : inner->Controls())
            d.children.push_back(SaveControl(*child));
    return d;
}

} // namespace

FormData Form::SaveToData()
{
    FormData data;
    data.name = name_;
    data.props.setOwner(name_);
    data.props.set(L"Caption", caption_);
    data.props.set(L"ClientWidth", static_cast<std::int64_t>(ClientWidth()));
    data.props.set(L"ClientHeight", static_cast<std::int64_t>(ClientHeight()));
    data.props.write(L"BackColor", static_cast<std::int64_t>(back_), static_cast<std::int64_t>(0x8000000F));
    data.props.write(L"BorderStyle", static_cast<std::int64_t>(borderStyle_), static_cast<std::int64_t>(2));
    data.props.write(L"Font", font_, host::Font{});
    if (icon_)
        data.props.set(L"Icon", icon_);
    for (ControlBase* c : Controls()) {
        ControlData d = SaveControl(*c);
        if (default_ == c)
            d.props.set(L"Default", true);
        if (cancel_ == c)
            d.props.set(L"Cancel", true);
        data.controls.push_back(std::move(d));
    }
    if (data_) {
        // Timers are kept apart from controls but stored like them.
        for (auto& c : data_->controls)
            if (KeyEquals(c.kind, L"Timer")) {
                if (Timer* t = FindTimer(c.name)) {
                    ControlData d;
                    d.name = c.name;
                    d.kind = L"Timer";
                    d.props.set(L"Interval", static_cast<std::int64_t>(t->Interval()));
                    d.props.set(L"Enabled", t->Enabled());
                    data.controls.push_back(std::move(d));
                }
            }
    }
    return data;
}

void Form::Activated()
{
    if (g_activeForm == this)
        return;
    g_activeForm = this;
    Form_Activate();
}

bool Form::PreTranslate(MSG& msg)
{
    Form* form = FromHwnd(msg.hwnd);
    if (!form || !form->hwnd_)
        return false;
    if (msg.message == WM_KEYDOWN && (msg.wParam == VK_RETURN || msg.wParam == VK_ESCAPE)) {
        HWND focus = GetFocus();
        wchar_t cls[16] = {};
        if (focus)
            GetClassNameW(focus, cls, 16);
        bool multiLineEdit = lstrcmpiW(cls, L"Edit") == 0 && (GetWindowLongPtrW(focus, GWL_STYLE) & ES_MULTILINE);
        UserControl* target = msg.wParam == VK_RETURN ? form->default_ : form->cancel_;
        if (target && !(multiLineEdit && msg.wParam == VK_RETURN) && target->Enabled()) {
            target->AccessKeyPress(msg.wParam == VK_RETURN ? 13 : 27);
            return true;
        }
    }
    if (msg.message == WM_SYSCHAR) {
        wchar_t key = static_cast<wchar_t>(std::towupper(static_cast<wint_t>(msg.wParam)));
        UserControl* hit = nullptr;
        form->ForEachControl([&](ControlBase& c) {
            auto* uc = dynamic_cast<UserControl*>(&c);
            if (hit || !uc || !uc->Visible() || !uc->Enabled())
                return;
            for (wchar_t k : uc->AccessKeys())
                if (static_cast<wchar_t>(std::towupper(static_cast<wint_t>(k))) == key)
                    hit = uc;
        });
        if (hit) {
            hit->SetFocus();
            hit->AccessKeyPress(static_cast<int>(msg.wParam));
            return true;
        }
    }
    if (msg.message >= WM_KEYFIRST && msg.message <= WM_KEYLAST)
        return IsDialogMessageW(form->hwnd_, &msg) != 0;
    return false;
}

LRESULT CALLBACK Form::WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp)
{
    Form* f = nullptr;
    if (msg == WM_NCCREATE) {
        // A new window: whatever the table knew of its handle is past.
        f = static_cast<Form*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        if (f) {
            f->hwnd_ = h;
            FormsByWindow().Set(h, f);
        }
    } else {
        f = FormsByWindow().Find(h);
    }
    if (!f)
        return DefWindowProcW(h, msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        FormsByWindow().Forget(h, f);
        if (f->hwnd_ == h)
            f->hwnd_ = nullptr;
        return DefWindowProcW(h, msg, wp, lp);
    }
    DispatchScope busy;
    return f->OnMessage(msg, wp, lp);
}

LRESULT Form::OnMessage(UINT msg, WPARAM wp, LPARAM lp)
{
    LRESULT result = 0;
    if (ReflectToChild(hwnd_, msg, wp, lp, result))
        return result;
    switch (msg) {
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd_, &r);
        if (!backBrush_)
            backBrush_ = CreateSolidBrush(TranslateColour(back_));
        FillRect(reinterpret_cast<HDC>(wp), &r, backBrush_);
        return 1;
    }
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
        // Standard controls that did not answer sit on the form's colour.
        if (!backBrush_)
            backBrush_ = CreateSolidBrush(TranslateColour(back_));
        SetBkColor(reinterpret_cast<HDC>(wp), TranslateColour(back_));
        return reinterpret_cast<LRESULT>(backBrush_);
    }
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE && !HIWORD(wp)) {
            Activated();
            if (!hwnd_)
                return 0;
            HWND focus = GetFocus();
            if (!focus || (focus != hwnd_ && !IsChild(hwnd_, focus))) {
                HWND first = GetNextDlgTabItem(hwnd_, nullptr, FALSE);
                ::SetFocus(first ? first : hwnd_);
            }
            return 0;
        }
        break;
    case WM_CLOSE:
        UnloadNow(UnloadMode::TitleBar, true);
        return 0;
    case WM_SIZE:
        if (loadRaised_ && !unloading_)
            Form_Resize();
        break;
    case WM_MOUSEMOVE:
        Form_MouseMove(MouseButtons(wp), ShiftState(), MouseX(lp),
                       MouseY(lp));
        return 0;
    case WM_LBUTTONDOWN:
        Form_MouseDown(1, ShiftState(), MouseX(lp),
                       MouseY(lp));
        return 0;
    case WM_LBUTTONUP:
        Form_Click();
        return 0;
    default:
        break;
    }
    if (!hwnd_)
        return 0;  // a handler unloaded the form
    return DefWindowProcW(hwnd_, msg, wp, lp);
}

} // namespace host
