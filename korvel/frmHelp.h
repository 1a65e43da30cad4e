// The tutorial window: three set-up steps, one picture each, chosen with
// a row of option buttons; buttons for the maker's web site and shop and
// one to close. The main dialog shows it modally over itself.
#pragma once
#include "host/Form.h"

#include <string>

namespace korvel {

// Opens a web address in the system's browser, shown normally (no
// directory, show command 1).
void OpenInBrowser(const std::wstring& address);

// Makes the launcher's own control kinds known to stored form data.
void RegisterLauncherControls();

class frmHelp : public host::Form {
public:
    frmHelp();

protected:
    void Form_Load() override;

private:
    void ShowStep(int step);
};

} // namespace korvel
