// A top-level window holding controls. A form is a class deriving from
// Form that overrides the events it handles:
//
//   class frmHello : public host::Form {
//   public:
//       frmHello() : Form(L"frmHello") { LoadFromResource(L"FRMHELLO"); }
//   protected:
//       void Form_Load() override { Control<host::Label>(L"Label1").SetCaption(L"Hi"); }
//   };
//   frmHello f; f.ShowModal();
//
// Events (virtual, synchronous): Form_Load once per load, before the form
// first shows; Form_Activate each time it becomes the active form of the
// program (not on return from a message box); Form_QueryUnload and
// Form_Unload when it unloads; Form_MouseMove over its background.
#pragma once
#include "UserControl.h"

namespace host {

// Why a form is unloading.
enum class UnloadMode { TitleBar = 0, Code = 1 };

class Form : public Container {
public:
    explicit Form(std::wstring name = L"Form1");
    ~Form() override;

    const std::wstring& Name() const { return name_; }
    HWND hWnd() const { return hwnd_; }

    // Creates the window and the controls the data describes (a previous
    // load is unloaded first). Form keys: Caption, ClientWidth,
    // ClientHeight, ClientLeft and ClientTop (twips; without both the form
    // is centred on the screen), BackColor, Font, Icon, BorderStyle (0 none,
    // 1 fixed, 2 sizable, 3 fixed dialog), MinButton, MaxButton. Every
    // control may also store Visible, Tag, TabStop, and Default or Cancel
    // (Enter or Esc presses it). The data is kept: showing the form again
    // after Unload rebuilds it. Throws StoredDataError for bad data.
    void LoadFromData(const FormData& data);
    // The same from an RCDATA resource holding the form's text in UTF-8.
    void LoadFromResource(const std::wstring& resourceName);
    // Creates the window (and controls from kept data) if needed, and
    // raises Form_Load once per load.
    void Load();
    bool Loaded() const { return hwnd_ != nullptr; }

    void Show();
    // Shows the form and returns once it is hidden or unloaded. Every
    // other enabled form (the owner among them) is disabled meanwhile and
    // enabled again afterwards; the owner is then activated.
    void ShowModal(Form* owner = nullptr);
    void Hide();
    // Form_QueryUnload (which may cancel), Form_Unload, Terminate of every
    // control, then the windows go.
    void Unload();
    bool Visible() const;
    bool Modal() const { return modal_; }
    // How the last unload started (the title bar's close, or code).
    UnloadMode LastUnloadMode() const { return lastUnload_; }

    std::wstring Caption() const;
    void SetCaption(const std::wstring& text);
    int ClientWidth() const;             // twips
    int ClientHeight() const;
    void SetClientSize(int widthTw, int heightTw);
    Colour BackColor() const { return back_; }
    void SetBackColor(Colour c);         // controls hear AmbientChanged("BackColor")
    const host::Font& Font() const { return font_; }
    void SetFont(const host::Font& f);
    void SetIcon(PictureRef icon);

    // Enter presses the default control, Esc the cancel control.
    UserControl* DefaultControl() const { return default_; }
    void SetDefaultControl(UserControl* c);
    UserControl* CancelControl() const { return cancel_; }
    void SetCancelControl(UserControl* c) { cancel_ = c; }

    // The form and its controls as stored data (controls' WriteProperties).
    FormData SaveToData();

    // The form's window for a control handle, or null.
    static Form* FromHwnd(HWND h);
    // Forms loaded now, in load order.
    static const std::vector<Form*>& LoadedForms();
    // Handles keys that belong to the form rather than the focused control
    // (Tab, Enter, Esc, Alt+access key). Message loops call it.
    static bool PreTranslate(MSG& msg);

    HWND ContainerWindow() const override { return hwnd_; }
    Colour ContainerColour() const override { return back_; }
    host::Font ContainerFontValue() const override { return font_; }
    std::wstring ContainerPath() const override { return name_; }
    Form* OwningForm() const override { return const_cast<Form*>(this); }

protected:
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_QueryUnload(bool& cancel, UnloadMode mode) {}
    virtual void Form_Unload() {}
    virtual void Form_Resize() {}
    virtual void Form_MouseMove(int button, int shift, float x, float y) {}
    virtual void Form_MouseDown(int button, int shift, float x, float y) {}
    virtual void Form_Click() {}

private:
    static LRESULT CALLBACK WndProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
    LRESULT OnMessage(UINT msg, WPARAM wp, LPARAM lp);
    void CreateFormWindow();
    void ApplyFormProps(const PropertyBag& props);
    void UnloadNow(UnloadMode mode, bool events);
    void Activated();
    void EnableWaiting();
    void EnsureWindow() override;

    std::wstring name_;
    HWND hwnd_ = nullptr;
    std::unique_ptr<FormData> data_;     // kept for reloading
    bool loadRaised_ = false;
    bool modal_ = false;
    bool unloading_ = false;
    UnloadMode lastUnload_ = UnloadMode::Code;
    std::wstring caption_;
    int clientW_ = 4800, clientH_ = 3600; // twips
    int clientX_ = -1, clientY_ = -1;     // twips, -1 centres on the screen
    int borderStyle_ = 2;                 // 0 none, 1 fixed, 2 sizable, 3 fixed dialog
    bool minButton_ = true, maxButton_ = true;
    Colour back_ = 0x8000000F;
    host::Font font_;
    PictureRef icon_;
    HBRUSH backBrush_ = nullptr;
    UserControl* default_ = nullptr;
    UserControl* cancel_ = nullptr;
    std::vector<HWND> disabled_;          // forms disabled while this one is modal
};

} // namespace host
