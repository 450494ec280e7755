#pragma once
// Toast notifications: one queued toast at a time, shown by the next frame's flush.
#include <string>

namespace drovil {

// Each of a toast's four texts is held in a buffer of this size; longer texts
// keep their first 99 characters.
inline constexpr int toastTextCapacity = 100;

// Queues a toast with an icon (`texture` of `dictionary`), shown on the next
// frame for `durationMs`. A second call before then replaces the first.
void showToast(const char* title, const char* body, const char* dictionary, const char* texture,
               int durationMs);
inline void showToast(const std::string& title, const std::string& body, const std::string& dictionary,
                      const std::string& texture, int durationMs) {
    showToast(title.c_str(), body.c_str(), dictionary.c_str(), texture.c_str(), durationMs);
}

// Shows the queued toast, if any, and empties the queue. Waits (yielding the
// script thread) up to about two seconds for the icon's texture dictionary.
void flushToast();

} // namespace drovil
