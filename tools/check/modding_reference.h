#pragma once
// The modder's reference: every key of the shipped files with what the
// catalogue knows of it, the settings, the script events and the decorators,
// as Markdown. docs/modding.md is this text for the shipped files.
#include "folder_check.h"

#include <ostream>

namespace drovil::check {

void writeModdingReference(std::ostream& out, const ShippedFiles& shipped);

} // namespace drovil::check
