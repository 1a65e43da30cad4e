// The tutorial window: three set-up steps, one picture each, chosen with
// a row of option buttons; buttons for the maker's web site and shop and
// one to close. The main dialog shows it modally over itself.
#pragma once
#include "host/Form.h"

#include <functional>
#include <string>

namespace korvel {

// Opens a web address. The windows take it as a member so that tests can
// see which address a click asks for without starting a browser.
using WebOpener = std::function<void(const std::wstring& address)>;

// The default opener: the system's browser, shown normally.
void OpenInBrowser(const std::wstring& address);

// Makes the launcher's own control kinds known to stored form data.
void RegisterLauncherControls();

class frmHelp : public host::Form {
public:
    frmHelp();

    WebOpener OpenWeb = OpenInBrowser;

protected:
    void Form_Load() override;

private:
    void ShowStep(int step);
};

} // namespace korvel
