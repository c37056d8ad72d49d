#include "forms/memoryview.h"

#include "forms/numfield.h"

namespace tov {

std::string MemoryView::fieldText(int id) const {
    if (auto n = numbers.find(id); n != numbers.end()) return showNumber(n->second);
    auto it = texts.find(id);
    return it == texts.end() ? std::string() : it->second;
}

void MemoryView::setFieldText(int id, const std::string& text) {
    numbers.erase(id);
    texts[id] = text;
}

void MemoryView::setFieldNumber(int id, double value) {
    if (showsFields) {
        FormView::setFieldNumber(id, value);
        return;
    }
    texts.erase(id);
    numbers[id] = value;
}

std::optional<double> MemoryView::fieldNumber(int id) const {
    auto it = numbers.find(id);
    return it == numbers.end() ? std::nullopt : std::optional<double>(it->second);
}

int MemoryView::selection(int id) const {
    auto it = selections.find(id);
    return it == selections.end() ? -1 : it->second;
}

bool MemoryView::isChecked(int id) const {
    auto it = checks.find(id);
    return it != checks.end() && it->second;
}

void MemoryView::reserve(std::size_t n) {
    texts.reserve(n);
    numbers.reserve(n);
    selections.reserve(n);
    checks.reserve(n);
    enabled.reserve(n);
}

bool MemoryView::isEnabled(int id) const {
    auto it = enabled.find(id);
    return it == enabled.end() || it->second;
}

}  // namespace tov
