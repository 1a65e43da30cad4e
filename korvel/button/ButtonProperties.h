// The published surface of kxButtons_H: each property's name, its
// property-bag key and the description text the control shows for it.
// No Windows header.
#pragma once
#include <string>
#include <vector>

namespace kx {

struct PropertyInfo {
    const wchar_t* name;         // as in code: L"ButtonStyle"
    const wchar_t* key;          // property-bag key, empty when not stored
    const wchar_t* description;  // empty for the read-only handles
};

// Every property in the order the control declares them.
const std::vector<PropertyInfo>& ButtonProperties();

// The description of a property by name, or empty text when unknown.
std::wstring DescribeProperty(const std::wstring& name);

}  // namespace kx
