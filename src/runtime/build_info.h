#pragma once
// What the log banner says about the build, so that a bug report names the
// exact plug-in it came from.
#include <string>

namespace drovil {

// "build 1a2b3c4d5e6f, release, GCC 12.2.0, Windows 64-bit": the commit (with
// "+changes" for a build of edited sources), optimised or debug, the compiler
// and the platform.
std::string buildDescription();

} // namespace drovil
