// The virtual mouse takes whatever its clients send: any sequence of sets and gets of any id
// and length must be answered or refused, never crash or reach past a buffer.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "MouseModel.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    int64_t now = 0;
    vmouse::MouseModel model([&now] { return now; });
    vmouse::MouseFaults faults;
    size_t position = 0;
    const auto next = [&]() -> uint8_t { return position < size ? data[position++] : 0; };
    faults.ackAfterPolls = next() % 4;
    faults.busyPolls = next() % 3;
    faults.resendTimes = next() % 3;
    faults.vanishAfterReports = static_cast<int>(next()) - 1;
    model.SetFaults(faults);
    model.Options().restartMs = 5;
    while (position < size) {
        const uint8_t op = next();
        now += op >> 5;
        static const size_t kLengths[] = {1, 8, 9, 64, 1025, 3};
        const size_t length = kLengths[(op >> 2) % 6];
        std::vector<uint8_t> report(length, 0);
        report[0] = next();
        // Ids the mouse knows are likelier than chance gives.
        static const uint8_t kIds[] = {0x03, 0x04, 0x05, 0x0A, 0x0B, 0x20, 0x21, 0x22};
        if ((report[0] & 0x80) != 0)
            report[0] = kIds[report[0] % 8];
        for (size_t i = 1; i < length && position < size && i < 12; ++i)
            report[i] = next();
        switch (op & 3) {
            case 0:
            case 1:
                model.SetFeature(report.data(), report.size());
                break;
            case 2:
                model.GetFeature(report.data(), report.size());
                break;
            default:
                if ((op & 0x10) != 0)
                    model.Plug();
                else
                    model.SwitchProfile(op % 7);
                break;
        }
    }
    return 0;
}
