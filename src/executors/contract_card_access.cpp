#include "executors/contract_card_access.h"

namespace drovil {
namespace {
ContractCardAccess* registeredCard = nullptr;
} // namespace

void setContractCardAccess(ContractCardAccess* access) {
    registeredCard = access;
}

ContractCardAccess* contractCardAccess() {
    return registeredCard;
}

} // namespace drovil
