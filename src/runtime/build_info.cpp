#include "runtime/build_info.h"

#include "drovil_build_id.h"

namespace drovil {

std::string buildDescription() {
    std::string text = std::string("build ") + DROVIL_BUILD_COMMIT;
#ifdef NDEBUG
    text += ", release";
#else
    text += ", debug";
#endif
#if defined(_MSC_VER)
    text += ", MSVC " + std::to_string(_MSC_VER);
#elif defined(__clang__)
    text += ", Clang " + std::to_string(__clang_major__) + "." + std::to_string(__clang_minor__) + "." +
            std::to_string(__clang_patchlevel__);
#elif defined(__GNUC__)
    text += ", GCC " + std::to_string(__GNUC__) + "." + std::to_string(__GNUC_MINOR__) + "." +
            std::to_string(__GNUC_PATCHLEVEL__);
#endif
#if defined(_WIN64)
    text += ", Windows 64-bit";
#elif defined(_WIN32)
    text += ", Windows 32-bit";
#else
    text += ", simulator build";
#endif
    return text;
}

} // namespace drovil
