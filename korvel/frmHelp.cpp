// See frmHelp.h.
#include "frmHelp.h"

#include "DialogRules.h"
#include "ModOpenFile.h"
#include "host/StdControls.h"
#include "korvel/button/kxButtons_H.h"

namespace korvel {

void OpenInBrowser(const std::wstring& address) { ShellOpen(address, std::wstring(), SW_SHOWNORMAL); }

void RegisterLauncherControls()
{
    static const bool done = [] {
        host::RegisterControl(L"kxButtons_H", [] { return std::make_unique<kx::kxButtons_H>(); });
        return true;
    }();
    (void)done;
}

frmHelp::frmHelp() : Form(L"frmHelp")
{
    RegisterLauncherControls();
    LoadFromResource(L"FRMHELP");
}

void frmHelp::Form_Load()
{
    for (host::OptionButton* step : ControlArray<host::OptionButton>(L"Option1"))
        step->Click.connect([this](int index) { ShowStep(index); });
    Control<kx::kxButtons_H>(L"kxButtons_H1").Click.connect([] { OpenInBrowser(kMakerWebPage); });
    Control<kx::kxButtons_H>(L"kxButtons_H2").Click.connect([] { OpenInBrowser(kMakerShop); });
    // Hiding ends the modal display at once; the owner unloads the window
    // right after. Unloading here would destroy the button inside its own
    // click handling.
    Control<kx::kxButtons_H>(L"kxButtons_H3").Click.connect([this] { Hide(); });
}

void frmHelp::ShowStep(int step)
{
    const std::vector<host::PictureBox*> pictures = ControlArray<host::PictureBox>(L"Image1");
    for (host::PictureBox* picture : pictures)
        picture->SetVisible(false);
    for (host::PictureBox* picture : pictures)
        if (picture->Index() == step)
            picture->SetVisible(true);
}

} // namespace korvel
