// frmKorvel: the launcher's one dialog. The entry routine fills its launch
// fields (Config), shows it modally and reads them back once it is hidden.
// The user picks one program of the launcher's folder, the processors, a
// CPU and an I/O priority, the window state and the parameters, and may
// ask to be remembered. OK checks the choice and hides the dialog; Cancel,
// and closing it from its title bar, hide it with Config.isCancel set.
#pragma once
#include "DialogRules.h"
#include "ModMain.h"
#include "frmHelp.h"

#include "host/Form.h"

#include <string>

namespace host {
class CheckList;
class Label;
}

namespace korvel {

class frmKorvel : public host::Form, public LaunchDialog {
public:
    // The running launcher: its own folder, its own file never listed.
    frmKorvel();
    // A launcher in `folder` whose own file is named `ownName`.
    frmKorvel(std::wstring folder, std::wstring ownName);

    // Modal, without an owner window; returns once the dialog is hidden.
    void ShowModal() override;
    void Unload() override;

    const std::wstring& Folder() const { return folder_; }
    const std::wstring& OwnName() const { return ownName_; }

protected:
    void Form_Load() override;
    void Form_Activate() override;
    void Form_MouseMove(int button, int shift, float x, float y) override;
    void Form_QueryUnload(bool& cancel, host::UnloadMode mode) override;

private:
    host::CheckList& List(const wchar_t* name) const;
    host::Label& LabelNamed(const wchar_t* name) const;
    void FillProcessors();
    void FillPrograms();
    void OkClick();
    void CancelClick();
    void TutorialClick();
    void Highlight(host::Label& label, bool on);

    std::wstring folder_;
    std::wstring ownName_;
    // One guard per list's item-check rule, false while it is not running.
    AllCpuRule cpuRule_;
    SingleTickRule exeRule_;
    SingleTickRule cpuPriorityRule_;
    SingleTickRule ioPriorityRule_;
};

} // namespace korvel
