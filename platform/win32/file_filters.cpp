#include "platform/win32/file_filters.h"

#include "platform/win32/wide_text.h"

namespace qv::win32 {

std::vector<std::pair<std::wstring, std::wstring>> FileTypes(const std::string &filter)
{
    std::vector<std::wstring> items;
    std::string::size_type start = 0;
    while (start <= filter.size()) {
        const std::string::size_type bar = filter.find('|', start);
        const std::string::size_type end = bar == std::string::npos ? filter.size() : bar;
        items.push_back(Wide(filter.substr(start, end - start)));
        start = end + 1;
    }
    std::vector<std::pair<std::wstring, std::wstring>> types;
    for (std::size_t i = 0; i + 1 < items.size(); i += 2) {
        types.emplace_back(items[i], items[i + 1]);
    }
    return types;
}

} // namespace qv::win32
