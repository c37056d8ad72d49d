#include "forms/memoryview.h"

namespace tov {

std::string MemoryView::fieldText(int id) const {
    auto it = texts.find(id);
    return it == texts.end() ? std::string() : it->second;
}

int MemoryView::selection(int id) const {
    auto it = selections.find(id);
    return it == selections.end() ? -1 : it->second;
}

bool MemoryView::isChecked(int id) const {
    auto it = checks.find(id);
    return it != checks.end() && it->second;
}

bool MemoryView::isEnabled(int id) const {
    auto it = enabled.find(id);
    return it == enabled.end() || it->second;
}

}  // namespace tov
