#pragma once
// The sheriff's offices of the eight map areas (data only).
#include "world/police_departments.h"

#include <vector>

namespace drovil {

std::vector<PoliceDepartment> buildPoliceDepartmentTable();

} // namespace drovil
