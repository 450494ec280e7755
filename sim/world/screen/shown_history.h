#pragma once
// What the screen has shown (subtitles, help boxes, toasts), oldest first, for
// the timeline and the checks of a scenario. Hours of play show thousands: the
// latest `kept` at the least are kept, and each entry keeps its place in the
// count of all ever shown, so that a reader following them by number (the
// timeline) reads on where it stopped.
#include <cstddef>
#include <iterator>
#include <vector>

namespace sim {

template <class T> class ShownHistory {
public:
    static constexpr std::size_t kept = 256;

    void push_back(T entry) {
        entries_.push_back(std::move(entry));
        if (entries_.size() > 2 * kept) {
            const std::size_t drop = entries_.size() - kept;
            entries_.erase(entries_.begin(), entries_.begin() + static_cast<std::ptrdiff_t>(drop));
            dropped_ += drop;
        }
    }
    // How many were ever shown; `numbered(n)` is the n-th of them (from 0),
    // for an n not older than the kept ones.
    std::size_t total() const { return dropped_ + entries_.size(); }
    const T& numbered(std::size_t n) const { return entries_[n - dropped_]; }

    // The kept ones.
    std::size_t size() const { return entries_.size(); }
    bool empty() const { return entries_.empty(); }
    const T& back() const { return entries_.back(); }
    const T& operator[](std::size_t i) const { return entries_[i]; }
    typename std::vector<T>::const_iterator begin() const { return entries_.begin(); }
    typename std::vector<T>::const_iterator end() const { return entries_.end(); }
    typename std::vector<T>::const_reverse_iterator rbegin() const { return entries_.rbegin(); }
    typename std::vector<T>::const_reverse_iterator rend() const { return entries_.rend(); }

private:
    std::vector<T> entries_;
    std::size_t dropped_ = 0;
};

} // namespace sim
