#include "world/payment_collection_desk.h"

#include "world/payments_service.h"

namespace drovil {
namespace {

PaymentCollectionDesk*& deskPointer() {
    static PaymentCollectionDesk* desk = nullptr;
    return desk;
}

} // namespace

void PaymentCollectionDesk::update() {
    payments_.update();
}

PaymentCollectionDesk* paymentCollectionDesk() {
    return deskPointer();
}

void createPaymentCollectionDesk() {
    if (deskPointer() == nullptr && paymentsService() != nullptr)
        deskPointer() = new PaymentCollectionDesk(*paymentsService());
}

} // namespace drovil
