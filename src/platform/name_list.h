#pragma once

#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

namespace veldra {

// A list of many short names kept in one block of characters, with where each name ends:
// a large program's list of bit names in strings of their own weighs three times the names
// themselves. Names are read as views, valid until the list changes.
class NameList {
public:
    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;

        const_iterator() = default;
        const_iterator(const NameList* list, std::size_t at) : list_(list), at_(at) {}
        std::string_view operator*() const { return (*list_)[at_]; }
        const_iterator& operator++() {
            ++at_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++at_;
            return before;
        }
        bool operator==(const const_iterator& other) const { return at_ == other.at_; }

    private:
        const NameList* list_ = nullptr;
        std::size_t at_ = 0;
    };

    // Room for `names` names of `characters` characters in all.
    void reserve(std::size_t names, std::size_t characters) {
        ends_.reserve(names);
        characters_.reserve(characters);
    }
    void clear() {
        ends_.clear();
        characters_.clear();
    }
    void push_back(std::string_view name) {
        characters_.append(name);
        ends_.push_back(std::uint32_t(characters_.size()));
    }

    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    std::string_view operator[](std::size_t index) const {
        const std::size_t start = index == 0 ? 0 : ends_[index - 1];
        return std::string_view(characters_).substr(start, ends_[index] - start);
    }
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }

    // The names as strings of their own, in order.
    std::vector<std::string> Strings() const {
        std::vector<std::string> names;
        names.reserve(size());
        for (const std::string_view name : *this) {
            names.emplace_back(name);
        }
        return names;
    }

private:
    std::string characters_;
    std::vector<std::uint32_t> ends_;  // where each name ends in characters_
};

}  // namespace veldra
