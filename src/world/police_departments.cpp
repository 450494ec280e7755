#include "world/police_departments.h"

#include "world/police_department_table.h"

#include "runtime/log.h"

#include <cstdint>
#include <string>

namespace drovil {

const PoliceDepartment* PoliceDepartments::findDepartment(Hash areaId) {
    static const std::vector<PoliceDepartment>* departments =
        new std::vector<PoliceDepartment>(buildPoliceDepartmentTable());
    for (const PoliceDepartment& department : *departments)
        if (department.areaId == areaId)
            return &department;
    log("PoliceDepartments: could not find a police department related to map area: " +
        std::to_string(static_cast<std::int32_t>(areaId)));
    return nullptr;
}

} // namespace drovil
