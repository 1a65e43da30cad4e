// What the example shows of a folder: its subfolders and files, listed
// folder by folder (in each, the subfolders, then the files, each group by
// name without regard to case), so every entry follows the folder that
// holds it and a tree can add them in this order. No
// Windows header: the walk and its texts build and are tested natively.
//
//   folders::Scan s = folders::ScanFolder(L"C:\\Games", 5000);
//   if (!s.error.empty()) { show(s.error); return; }
//   for (const folders::Entry& e : s.entries) add(e.parent, e.name);
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace folders {

struct Entry {
    std::wstring name;          // the file or folder name alone
    bool folder = false;
    std::uintmax_t bytes = 0;   // a file's size; 0 for a folder
    int parent = -1;            // index of the holding folder in Scan::entries; -1: the top folder
};

struct Scan {
    std::wstring top;           // the folder as given
    std::vector<Entry> entries;
    bool cut = false;           // the limit was reached: later entries are left out
    std::wstring error;         // why the top folder could not be read ("" when it could)
};

// Walks the folder. At most `limit` entries are kept; a subfolder that
// cannot be read shows as an empty folder; links to folders are not
// followed (they show as the names they are, never as a loop).
Scan ScanFolder(const std::wstring& top, std::size_t limit);

// The files held directly by the top folder (parent -1) or by entry
// `folder`, as indexes into entries, in the scan's order.
std::vector<int> FilesIn(const Scan& scan, int folder);

// A file's size as the list shows it: whole kilobytes rounded up, with
// thousands grouped ("0 KB", "1 KB", "1,024 KB").
std::wstring SizeText(std::uintmax_t bytes);

// The status line after a fill: "2 folders, 5 files" ("1 folder, 1 file"),
// with "; the first N shown" added when the scan was cut.
std::wstring Summary(const Scan& scan);

} // namespace folders
