// See FolderScan.h.
#include "examples/folders/FolderScan.h"

#include "host/Values.h"

#include <algorithm>
#include <cwctype>
#include <filesystem>
#include <system_error>

namespace folders {

namespace fs = std::filesystem;

namespace {

// Paths and texts meet through UTF-8, the one conversion that means the
// same in both builds (wide paths of the native build go through the C
// locale, which cannot spell most names).
std::wstring Text(const fs::path& p) { return host::FromUtf8(p.u8string()); }
fs::path PathOf(const std::wstring& text) { return fs::u8path(host::ToUtf8(text)); }

bool NameBefore(const std::wstring& a, const std::wstring& b)
{
    const auto lower = [](wchar_t c) { return std::towlower(static_cast<wint_t>(c)); };
    const bool less = std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                                   [&](wchar_t x, wchar_t y) { return lower(x) < lower(y); });
    if (less)
        return true;
    const bool greater = std::lexicographical_compare(b.begin(), b.end(), a.begin(), a.end(),
                                                      [&](wchar_t x, wchar_t y) { return lower(x) < lower(y); });
    return !greater && a < b;  // names alike but for case: a fixed order still
}

struct Child {
    std::wstring name;
    bool folder;
    std::uintmax_t bytes;
};

// The folder's own entries, subfolders first, each group by name. False
// when the folder cannot be listed (the reason in `why`).
bool ListOne(const fs::path& dir, std::vector<Child>& out, std::error_code& why)
{
    out.clear();
    fs::directory_iterator it(dir, fs::directory_options::skip_permission_denied, why);
    if (why)
        return false;
    for (; it != fs::directory_iterator(); it.increment(why)) {
        if (why)
            return false;
        std::error_code ec;
        const fs::file_status link = it->symlink_status(ec);
        const bool folder = !ec && fs::is_directory(link);
        std::uintmax_t bytes = 0;
        if (!folder) {
            bytes = it->file_size(ec);
            if (ec)
                bytes = 0;  // a link to nothing, a device: listed, without a size
        }
        out.push_back({Text(it->path().filename()), folder, bytes});
    }
    if (why)
        return false;
    std::sort(out.begin(), out.end(), [](const Child& a, const Child& b) {
        if (a.folder != b.folder)
            return a.folder;
        return NameBefore(a.name, b.name);
    });
    return true;
}

// Folder by folder with a stack of our own, so a deep tree of folders
// cannot exhaust the program's stack.
void Walk(Scan& scan, std::size_t limit)
{
    struct Pending {
        fs::path dir;
        int entry;  // -1: the top folder
    };
    std::vector<Pending> stack{{PathOf(scan.top), -1}};
    std::vector<Child> children;
    while (!stack.empty()) {
        const Pending at = stack.back();
        stack.pop_back();
        std::error_code why;
        if (!ListOne(at.dir, children, why)) {
            if (at.entry < 0)
                // The number, not the system's text: that text comes in the
                // code page, which need not be UTF-8.
                scan.error = L"The folder " + scan.top + L" cannot be read (error " + std::to_wstring(why.value()) + L").";
            continue;  // an unreadable subfolder shows empty
        }
        std::vector<Pending> subfolders;
        for (const Child& c : children) {
            if (scan.entries.size() >= limit) {
                scan.cut = true;
                return;
            }
            scan.entries.push_back({c.name, c.folder, c.bytes, at.entry});
            if (c.folder)
                subfolders.push_back({at.dir / PathOf(c.name), static_cast<int>(scan.entries.size()) - 1});
        }
        // Reversed, so the first subfolder is listed next.
        stack.insert(stack.end(), subfolders.rbegin(), subfolders.rend());
    }
}

} // namespace

Scan ScanFolder(const std::wstring& top, std::size_t limit)
{
    Scan scan;
    scan.top = top;
    std::error_code ec;
    if (top.empty()) {
        scan.error = L"No folder given.";
        return scan;
    }
    const fs::file_status st = fs::status(PathOf(top), ec);
    if (!fs::exists(st)) {
        scan.error = L"The folder " + top + L" does not exist.";
        return scan;
    }
    if (!fs::is_directory(st)) {
        scan.error = L"The folder " + top + L" is a file, not a folder.";
        return scan;
    }
    Walk(scan, limit);
    if (!scan.error.empty())
        scan.entries.clear();
    return scan;
}

std::vector<int> FilesIn(const Scan& scan, int folder)
{
    std::vector<int> out;
    for (std::size_t i = 0; i < scan.entries.size(); ++i)
        if (!scan.entries[i].folder && scan.entries[i].parent == folder)
            out.push_back(static_cast<int>(i));
    return out;
}

std::wstring SizeText(std::uintmax_t bytes)
{
    const std::uintmax_t kb = bytes / 1024 + (bytes % 1024 != 0);
    std::wstring digits = std::to_wstring(kb);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), 1, L',');
    return digits + L" KB";
}

std::wstring Summary(const Scan& scan)
{
    std::size_t folders = 0, files = 0;
    for (const Entry& e : scan.entries)
        (e.folder ? folders : files) += 1;
    const auto count = [](std::size_t n, const wchar_t* one, const wchar_t* many) {
        return std::to_wstring(n) + L" " + (n == 1 ? one : many);
    };
    std::wstring s = count(folders, L"folder", L"folders") + L", " + count(files, L"file", L"files");
    if (scan.cut)
        s += L"; the first " + std::to_wstring(scan.entries.size()) + L" shown";
    return s;
}

} // namespace folders
