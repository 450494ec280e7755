#pragma once
// The payment collection desk: the per-frame step, driven by the contract
// engine, through which the payments service watches the stations.
namespace drovil {

class PaymentsService;

class PaymentCollectionDesk {
public:
    explicit PaymentCollectionDesk(PaymentsService& payments) : payments_(payments) {}

    // Once per frame.
    void update();

private:
    PaymentsService& payments_;
};

// The process-wide desk, created at start-up after the payments service (null before).
PaymentCollectionDesk* paymentCollectionDesk();
void createPaymentCollectionDesk();

} // namespace drovil
