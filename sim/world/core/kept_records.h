#pragma once
// The latest N of a record that hours of play add to without end (shots fired,
// lines said, texts shown), oldest first. Every slot is made when the record is
// made, and a new entry is copied over the oldest slot: a string or a vector in
// a slot keeps its buffer and reuses it, so once an entry fits its slot, keeping
// records allocates nothing more and a long game's memory stays where the first
// minutes put it. A preparer given at construction can size each slot for a
// typical entry up front (reserve a help text's characters, an event's values).
//
// Each entry keeps its number among all ever kept (from 0), so a reader that
// follows the entries by number reads on where it stopped, however many went.
#include <cassert>
#include <cstddef>
#include <iterator>
#include <vector>

namespace sim {

template <class T> class KeptRecords {
public:
    explicit KeptRecords(std::size_t capacity) : slots_(capacity) { assert(capacity > 0); }
    template <class Prepare> KeptRecords(std::size_t capacity, Prepare prepare) : KeptRecords(capacity) {
        for (T& slot : slots_)
            prepare(slot);
    }

    // Copies the entry over the oldest slot (copy-assignment, so the slot's own
    // buffers are reused); returns the kept copy.
    T& push_back(const T& entry) {
        T& slot = slots_[total_ % slots_.size()];
        slot = entry;
        ++total_;
        return slot;
    }

    // How many were ever kept; `numbered(n)` is the n-th of them (from 0) while
    // it is still kept: `holds(n)`.
    std::size_t total() const { return total_; }
    bool holds(std::size_t n) const { return n < total_ && n >= first(); }
    const T& numbered(std::size_t n) const { return slots_[slotOf(n)]; }
    T& numbered(std::size_t n) { return slots_[slotOf(n)]; }

    // The kept ones, oldest first.
    std::size_t capacity() const { return slots_.size(); }
    std::size_t size() const { return total_ < slots_.size() ? total_ : slots_.size(); }
    bool empty() const { return total_ == 0; }
    const T& operator[](std::size_t i) const { return numbered(first() + i); }
    const T& front() const { return (*this)[0]; }
    const T& back() const { return numbered(total_ - 1); }
    T& back() { return numbered(total_ - 1); }

    class const_iterator {
    public:
        using iterator_category = std::random_access_iterator_tag;
        using iterator_concept = std::random_access_iterator_tag;
        using value_type = T;
        using difference_type = std::ptrdiff_t;
        using pointer = const T*;
        using reference = const T&;

        const_iterator() = default;
        const_iterator(const KeptRecords* records, std::size_t index) : records_(records), index_(index) {}

        reference operator*() const { return (*records_)[index_]; }
        pointer operator->() const { return &**this; }
        reference operator[](difference_type n) const { return *(*this + n); }

        const_iterator& operator++() { return ++index_, *this; }
        const_iterator operator++(int) { const_iterator was = *this; ++index_; return was; }
        const_iterator& operator--() { return --index_, *this; }
        const_iterator operator--(int) { const_iterator was = *this; --index_; return was; }
        const_iterator& operator+=(difference_type n) { return index_ += static_cast<std::size_t>(n), *this; }
        const_iterator& operator-=(difference_type n) { return index_ -= static_cast<std::size_t>(n), *this; }
        friend const_iterator operator+(const_iterator it, difference_type n) { return it += n; }
        friend const_iterator operator+(difference_type n, const_iterator it) { return it += n; }
        friend const_iterator operator-(const_iterator it, difference_type n) { return it -= n; }
        friend difference_type operator-(const const_iterator& a, const const_iterator& b) {
            return static_cast<difference_type>(a.index_) - static_cast<difference_type>(b.index_);
        }
        friend bool operator==(const const_iterator& a, const const_iterator& b) { return a.index_ == b.index_; }
        friend auto operator<=>(const const_iterator& a, const const_iterator& b) { return a.index_ <=> b.index_; }

    private:
        const KeptRecords* records_ = nullptr;
        std::size_t index_ = 0; // from the oldest kept
    };
    using iterator = const_iterator;
    using const_reverse_iterator = std::reverse_iterator<const_iterator>;
    using value_type = T;
    using size_type = std::size_t;

    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, size()}; }
    const_reverse_iterator rbegin() const { return const_reverse_iterator(end()); }
    const_reverse_iterator rend() const { return const_reverse_iterator(begin()); }

private:
    std::size_t first() const { return total_ - size(); }
    std::size_t slotOf(std::size_t n) const {
        assert(holds(n));
        return n % slots_.size();
    }

    std::vector<T> slots_;
    std::size_t total_ = 0;
};

} // namespace sim
