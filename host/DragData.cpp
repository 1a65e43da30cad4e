#include "DragData.h"

namespace host {

long ChooseDropEffect(long effect, long allowed)
{
    const long scroll = effect & kDropEffectScroll;
    long e = effect & allowed & (kDropEffectCopy | kDropEffectMove | kDropEffectLink);
    if (e & kDropEffectCopy)
        e = kDropEffectCopy;
    else if (e & kDropEffectMove)
        e = kDropEffectMove;
    return e | scroll;
}

DragData::Entry* DragData::Find(int format)
{
    for (auto& e : entries_)
        if (e.format == format)
            return &e;
    return nullptr;
}

const DragData::Entry* DragData::Find(int format) const
{
    for (const auto& e : entries_)
        if (e.format == format)
            return &e;
    return nullptr;
}

bool DragData::GetFormat(int format) const
{
    if (offered_)
        return offered_->HasFormat(format);
    return Find(format) != nullptr;
}

std::wstring DragData::GetData(int format) const
{
    if (format == kDragFiles) {
        std::wstring out;
        for (const auto& f : Files()) {
            if (!out.empty())
                out += L"\r\n";
            out += f;
        }
        return out;
    }
    if (offered_) {
        std::wstring text;
        return offered_->Text(format, &text) ? text : std::wstring();
    }
    const Entry* e = Find(format);
    return e && e->hasValue ? e->value : std::wstring();
}

std::vector<std::wstring> DragData::Files() const
{
    if (offered_) {
        std::vector<std::wstring> names;
        return offered_->FileNames(&names) ? names : std::vector<std::wstring>();
    }
    return files_;
}

bool DragData::SetData(int format, const std::wstring& value)
{
    if (offered_ || !Carried(format) || format == kDragFiles)
        return false;
    Entry* e = Find(format);
    if (!e) {
        entries_.push_back(Entry{format, false, {}});
        e = &entries_.back();
    }
    e->hasValue = true;
    e->value = value;
    return true;
}

bool DragData::SetFormat(int format)
{
    if (offered_ || !Carried(format))
        return false;
    if (!Find(format))
        entries_.push_back(Entry{format, false, {}});
    return true;
}

bool DragData::AddFile(const std::wstring& path)
{
    if (offered_ || path.empty())
        return false;
    files_.push_back(path);
    Entry* e = Find(kDragFiles);
    if (!e) {
        entries_.push_back(Entry{kDragFiles, false, {}});
        e = &entries_.back();
    }
    e->hasValue = true;
    return true;
}

bool DragData::Clear()
{
    if (offered_)
        return false;
    entries_.clear();
    files_.clear();
    return true;
}

std::vector<int> DragData::Formats() const
{
    std::vector<int> out;
    for (const auto& e : entries_)
        out.push_back(e.format);
    return out;
}

bool DragData::Pending(int format) const
{
    const Entry* e = Find(format);
    return e && !e->hasValue;
}

} // namespace host
