// The launcher's entry routine: read or ask for the launch choice, bind the
// launcher and the chosen program to the chosen processors and priorities,
// start the program and end.
#pragma once
#include "LaunchLogic.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <string>

namespace korvel {

// What the entry routine needs from the main dialog. The dialog holds the
// choice as public fields; the routine fills them, shows the dialog and reads
// them back.
class LaunchDialog {
public:
    virtual ~LaunchDialog() = default;
    // Shows the dialog modally, without an owner window, and returns once it
    // is hidden. Leaves Config.isCancel non-zero when the user cancelled.
    virtual void ShowModal() = 0;
    // Destroys the dialog's windows; the object itself is released after.
    virtual void Unload() {}

    LaunchConfig Config;
};

using LaunchDialogFactory = std::function<std::unique_ptr<LaunchDialog>()>;

struct LaunchOptions {
    // Creates the main dialog. Empty while no dialog exists: every start
    // that would need it ends in the failure message.
    LaunchDialogFactory createDialog;
    // The launcher's folder; empty means the folder of the running program.
    std::wstring folder;
    // The launcher's own command-line arguments (what its shortcut passes,
    // e.g. "-dx11"), appended after the stored parameters. The program entry
    // gives what follows its name on its command line; empty: none.
    std::wstring arguments;
    // Whether Shift is held at the start: the dialog then shows even for a
    // remembered choice. Empty means the keyboard's real state.
    std::function<bool()> shiftHeld;
};

// Whether a Shift key is down right now.
bool ShiftKeyDown();

// The one failure message and its title, shown in an information box with
// an OK button through the host (whose test sink records it).
inline constexpr const wchar_t* kFailureText = L"执行失败,退出本次执行!";
inline constexpr const wchar_t* kFailureTitle = L"Vexilo";

// Full path of the running program's file.
std::wstring LauncherProgramPath();

// Folder of the running program, without a trailing separator.
std::wstring LauncherFolder();

// Runs one launch. Returns true when the chosen program was started, false
// after the failure message.
bool Main(const LaunchOptions& options = LaunchOptions());

// Steps of the routine, exposed for the dialog and tests.

// Fills the choice from the settings file in the routine's read order
// (EXEName, EXEParam, SelectedCPU, CPUPriority, IOPriority, ShowStyle).
// False when a stored number is not a number; keys read so far stay read.
bool ReadChoice(LaunchConfig& config);

// Stores a confirmed choice in the settings file, in the order EXEName,
// EXEParam, SelectedCPU, isRemember, CPUPriority, IOPriority, ShowStyle.
void StoreChoice(const LaunchConfig& config);

} // namespace korvel
