// A small map from control ids to values, kept as one sorted array: a form has a few dozen
// controls, and copying or clearing such a map costs one allocation instead of one per entry.
#pragma once

#include <algorithm>
#include <stdexcept>
#include <utility>
#include <vector>

namespace tov {

template <class V>
class IdMap {
public:
    using value_type = std::pair<int, V>;
    using iterator = typename std::vector<value_type>::iterator;
    using const_iterator = typename std::vector<value_type>::const_iterator;

    iterator begin() { return v_.begin(); }
    iterator end() { return v_.end(); }
    const_iterator begin() const { return v_.begin(); }
    const_iterator end() const { return v_.end(); }
    std::size_t size() const { return v_.size(); }
    bool empty() const { return v_.empty(); }
    void clear() { v_.clear(); }
    void reserve(std::size_t n) { v_.reserve(n); }
    /// Takes the entries at once, in any order; an id given twice keeps its first value.
    void assign(std::vector<value_type> entries) {
        std::stable_sort(entries.begin(), entries.end(),
                         [](const value_type& a, const value_type& b) { return a.first < b.first; });
        entries.erase(std::unique(entries.begin(), entries.end(),
                                  [](const value_type& a, const value_type& b) { return a.first == b.first; }),
                      entries.end());
        v_ = std::move(entries);
    }

    iterator find(int id) {
        auto it = lower(id);
        return it != v_.end() && it->first == id ? it : v_.end();
    }
    const_iterator find(int id) const {
        auto it = std::lower_bound(v_.begin(), v_.end(), id,
                                   [](const value_type& e, int k) { return e.first < k; });
        return it != v_.end() && it->first == id ? it : v_.end();
    }
    std::size_t count(int id) const { return find(id) != end(); }
    bool contains(int id) const { return find(id) != end(); }
    const V& at(int id) const {
        auto it = find(id);
        if (it == end()) throw std::out_of_range("no entry for this id");
        return it->second;
    }
    V& operator[](int id) {
        auto it = lower(id);
        if (it == v_.end() || it->first != id) it = v_.insert(it, value_type(id, V()));
        return it->second;
    }
    std::size_t erase(int id) {
        auto it = find(id);
        if (it == v_.end()) return 0;
        v_.erase(it);
        return 1;
    }

private:
    iterator lower(int id) {
        return std::lower_bound(v_.begin(), v_.end(), id,
                                [](const value_type& e, int k) { return e.first < k; });
    }
    std::vector<value_type> v_;
};

}  // namespace tov
