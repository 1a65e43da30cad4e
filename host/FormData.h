// A form's stored data: which controls it holds, where, and their saved
// property sets, in a readable text format of our own. No Windows header.
//
//   Form frmMain : Form
//     Caption = "Form1"
//     ClientWidth = 10890
//     Begin YTreeView1 : YTreeView
//       Left = 2280
//       Top = 720
//       Width = 2100
//       Height = 2790
//       BackColor = &H00FFFFFF&
//       ForeColor = &H80000012&
//       Font = Font("宋体", 9, 400, 134)
//       IsReal = True
//     End
//   End
//
// Numbers are decimal or &H hex (trailing & optional); texts are in double
// quotes with "" for a quote; True/False are booleans; Font(...) gives
// name, size, weight, charset and optionally italic, underline, strike as
// True/False; Picture("resource-name") names a picture resource.
// Positions and sizes are twips. Lines starting with ' are comments.
// A Begin block may hold further Begin blocks: controls placed inside a
// control. An array element is named with its index: Begin Option1(2) : OptionButton.
#pragma once
#include "Values.h"

#include <string>
#include <vector>

namespace host {

// What stored data may ask for: positions and sizes (twips) within the
// 16-bit pixel range of window messages, fonts of sensible size, and a
// bounded number of controls nested to a bounded depth. Anything beyond
// is refused as bad data, never built.
constexpr std::int64_t kMaxPlacementTwips = 32767 * 15;
constexpr std::int64_t kMinPositionTwips = -32768 * 15;
constexpr double kMaxFontPoints = 2048;
constexpr int kMaxNesting = 32;
constexpr int kMaxControls = 2000;

struct ControlData {
    std::wstring name;       // instance name, e.g. YTreeView1 or Option1(2)
    std::wstring kind;       // control class, e.g. YTreeView or Label
    int index = -1;          // array index for control arrays, else -1
    int left = 0, top = 0, width = 0, height = 0;  // twips
    PropertyBag props;       // everything else, keys as written
    std::vector<std::wstring> pictureRefs;  // keys whose value named a picture resource
    std::vector<ControlData> children;      // controls placed inside this one
    // The name without its array index: Option1 for Option1(2).
    std::wstring baseName() const;
};

struct FormData {
    std::wstring name;
    PropertyBag props;       // Caption, ClientWidth, ClientHeight, ...
    std::vector<std::wstring> pictureRefs;  // form keys that named a picture resource
    std::vector<ControlData> controls;
};

// Parses the text. Syntax errors and values beyond the limits above throw
// StoredDataError naming the form, the line, the control and key it is
// about, and what was expected. Picture("x") values are stored as text
// "x" and listed in pictureRefs; the platform layer resolves them.
FormData ParseFormData(const std::wstring& text);

// Writes a form back in the same format (used to prove round trips).
// A picture value is written as Picture("name") from its resource name;
// a picture that came from no resource cannot be stored (StoredDataError).
std::wstring FormatFormData(const FormData& form);

// One value in the text format, e.g. for messages: 12, "a""b", True.
std::wstring FormatValue(const PropValue& v);

} // namespace host
