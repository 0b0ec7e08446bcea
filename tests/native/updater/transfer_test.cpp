#include <gtest/gtest.h>

#include "SimulatedMouse.h"
#include "TempFile.h"
#include "logic/FirmwareTransfer.h"

namespace {

WindowHandle const kWindow = reinterpret_cast<WindowHandle>(0x1234);

// A loaded image, a simulated mouse and the transfer between them.
struct TransferRig {
    explicit TransferRig(const std::vector<uint8_t>& bytes) : file(bytes) {
        image.SetPath(file.Path());
        loaded = image.Load() != 0;
    }
    int Run() { return transfer.RunTransfer(); }
    // Reports of one kind sent so far ("20 06 09 00 00 03" style prefixes).
    size_t CountSets(const std::string& prefix) const {
        size_t count = 0;
        for (const std::string& report : mouse.SetReports())
            count += report.rfind(prefix, 0) == 0 ? 1 : 0;
        return count;
    }
    const DriverCall* LastSet() const {
        for (auto it = mouse.calls.rbegin(); it != mouse.calls.rend(); ++it) {
            if (it->what == "set")
                return &*it;
        }
        return nullptr;
    }

    TempFile file;
    FirmwareImage image;
    bool loaded = false;
    SimulatedClock clock;
    SimulatedMouse mouse{clock};
    RecordingHost host;
    FirmwareTransfer transfer{mouse, clock, image, kWindow, host};
};

// Index of the n-th read that follows a report starting with `prefix`.
std::function<int(const std::vector<DriverCall>&)> AnswerAfter(const std::string& prefix,
                                                               std::vector<int> answers) {
    auto remaining = std::make_shared<std::vector<int>>(std::move(answers));
    return [prefix, remaining](const std::vector<DriverCall>& calls) {
        const DriverCall* lastSet = nullptr;
        for (auto it = calls.rbegin(); it != calls.rend() && !lastSet; ++it) {
            if (it->what == "set")
                lastSet = &*it;
        }
        if (lastSet && Hex(lastSet->bytes.data(), lastSet->bytes.size()).rfind(prefix, 0) == 0 &&
            !remaining->empty()) {
            const int status = remaining->front();
            remaining->erase(remaining->begin());
            return status;
        }
        return 1;
    };
}

TEST(Transfer, SuccessfulTransferSendsTheExactReportSequence) {
    const auto bytes = PatternBytes(1500);
    TransferRig rig(bytes);
    ASSERT_TRUE(rig.loaded);
    ASSERT_EQ(rig.Run(), 1);

    const uint16_t c0 = rig.image.Checksum(0);
    const uint16_t c1 = rig.image.Checksum(1);
    auto header = [](int index, uint16_t checksum) {
        uint8_t report[9] = {0x21,
                             static_cast<uint8_t>(index),
                             0,
                             static_cast<uint8_t>(checksum),
                             static_cast<uint8_t>(checksum >> 8),
                             0x5A,
                             0xA5,
                             0x22,
                             0x88};
        return Hex(report, 9);
    };
    const std::vector<std::string> expected = {
        "20 06 09 00 00 00 00 00", "21 5A A5 32 10 03 CB 00 01",
        "20 06 09 00 00 01 00 00", "21 DC 05 00 00 5A A5 22 88",
        "20 06 09 00 00 02 00 00", "21 EC 00 00 00 00 00 00 00",
        "20 06 09 00 00 03 00 00", header(0, c0),
        "20 06 01 04 00 04 00 00", "22 00 01 02 03 04 05 06 07",
        "20 06 09 00 00 03 00 00", header(1, c1),
        "20 06 01 04 00 04 00 00", "22 " + Hex(&bytes[1024], 8),
    };
    EXPECT_EQ(rig.mouse.SetReports(), expected);

    // The second block carries the rest of the file, then zeros, in a 1025-byte report.
    std::vector<uint8_t> sent = rig.mouse.ReceivedData();
    ASSERT_EQ(sent.size(), 2048u);
    EXPECT_TRUE(std::equal(bytes.begin(), bytes.end(), sent.begin()));
    EXPECT_TRUE(std::all_of(sent.begin() + 1500, sent.end(), [](uint8_t b) { return b == 0; }));
    EXPECT_EQ(rig.host.progress, (std::vector<size_t>{0, 1}));
    // Every status read asks for report 0x20 with the rest zero.
    for (const DriverCall& call : rig.mouse.calls) {
        if (call.what == "get") {
            EXPECT_EQ(Hex(call.bytes.data(), call.bytes.size()), "20 00 00 00 00 00 00 00");
        }
    }
}

TEST(Transfer, WaitsTheFixedDelaysAndReconnectsAfterTheStartStep) {
    TransferRig rig(PatternBytes(4096));
    ASSERT_EQ(rig.Run(), 1);
    const auto& calls = rig.mouse.calls;
    // start: command at 0, its status 100 ms later, parameters, 500 ms, then the next status.
    ASSERT_GE(calls.size(), 9u);
    EXPECT_EQ(calls[0].what, "set");
    EXPECT_EQ(calls[1].what, "get");
    EXPECT_EQ(calls[1].at, 100u);
    EXPECT_EQ(calls[2].at, 100u);
    EXPECT_EQ(calls[3].what, "get");
    EXPECT_EQ(calls[3].at, 700u);
    EXPECT_EQ(calls[4].what, "close-monitor");
    EXPECT_EQ(calls[5].what, "close");
    EXPECT_EQ(calls[6].what, "open-monitor");
    EXPECT_EQ(calls[6].at, 10700u);
    EXPECT_EQ(calls[7].what, "open");
    EXPECT_EQ(calls[8].what, "set");
    EXPECT_EQ(calls[8].at, 11200u);
    EXPECT_EQ(rig.mouse.monitorWindow, kWindow);
    EXPECT_EQ(rig.mouse.monitorMessages[0], 1325u);
    EXPECT_EQ(rig.mouse.monitorMessages[1], 1326u);
    // Three steps at 200 ms, the start pause, the reconnect, three pauses, 2 x 200 ms a block.
    EXPECT_EQ(rig.clock.now, 3 * 200u + 500 + 10000 + 3 * 500 + 4 * 400);
    EXPECT_EQ(rig.host.progress, (std::vector<size_t>{0, 1, 2, 3}));
}

TEST(Transfer, EmptyImageRunsTheFirstThreeStepsOnly) {
    TransferRig rig({});
    ASSERT_TRUE(rig.loaded);
    EXPECT_EQ(rig.Run(), 1);
    EXPECT_EQ(rig.mouse.SetReports().size(), 6u);
    EXPECT_EQ(rig.CountSets("21 00 00 00 00 5A A5 22 88"), 1u);
    EXPECT_TRUE(rig.host.progress.empty());

    TransferRig refused({});
    refused.mouse.statusRule = AnswerAfter("21 EC", {2});
    EXPECT_EQ(refused.Run(), 0);
}

TEST(Transfer, BusyTwentyTimesFailsTheStepAfter22900Ms) {
    TransferRig rig(PatternBytes(100));
    rig.mouse.statusRule = [](const std::vector<DriverCall>&) { return 3; };
    EXPECT_EQ(rig.Run(), 0);
    EXPECT_EQ(rig.clock.now, 22900u);
    EXPECT_EQ(rig.mouse.SetReports().size(), 1u);
    size_t reads = 0;
    for (const DriverCall& call : rig.mouse.calls)
        reads += call.what == "get" ? 1 : 0;
    EXPECT_EQ(reads, 20u);

    // Busy a few times, then accepted: the transfer goes on, having waited 100+100+200+400.
    TransferRig later(PatternBytes(100));
    later.mouse.statuses = {3, 3, 3, 1};
    EXPECT_EQ(later.Run(), 1);
    EXPECT_EQ(later.mouse.calls[5].what, "set");
    EXPECT_EQ(later.mouse.calls[5].at, 800u);
}

TEST(Transfer, AFailedReadKeepsTheLastStatus) {
    // Busy, then a read that fails: the mouse was busy, so it is asked again and accepts.
    TransferRig busy(PatternBytes(100));
    busy.mouse.statuses = {3, 3, -1, 1};
    EXPECT_EQ(busy.Run(), 1);
    EXPECT_EQ(busy.mouse.calls[5].what, "set");
    EXPECT_EQ(busy.mouse.calls[5].at, 800u);  // 100 + 100 + 200 + 400 of polling

    // A failed first read leaves no busy status standing: the step fails after one read.
    TransferRig first(PatternBytes(100));
    first.mouse.statuses = {-1};
    EXPECT_EQ(first.Run(), 0);
    EXPECT_EQ(first.mouse.calls.size(), 2u);
    EXPECT_EQ(first.clock.now, 100u);
}

TEST(Transfer, ResendRepeatsTheFollowingReportOnly) {
    TransferRig rig(PatternBytes(2048));
    rig.mouse.statusRule = AnswerAfter("22 ", {4, 4, 1});
    EXPECT_EQ(rig.Run(), 1);
    // Block 0's data went out three times, block 1's once; the command report once each.
    EXPECT_EQ(rig.CountSets("22 "), 4u);
    EXPECT_EQ(rig.CountSets("20 06 01 04 00 04"), 2u);
    EXPECT_EQ(rig.host.progress, (std::vector<size_t>{0, 1}));

    // In the start step every resend waits the start pause again.
    TransferRig start(PatternBytes(10));
    start.mouse.statusRule = AnswerAfter("21 5A A5 32", {4, 1});
    EXPECT_EQ(start.Run(), 1);
    EXPECT_EQ(start.CountSets("21 5A A5 32"), 2u);
    EXPECT_EQ(start.mouse.calls[5].what, "get");
    EXPECT_EQ(start.mouse.calls[5].at, 100 + 600 + 600u);
}

TEST(Transfer, RefusalsAndFailedCallsEndTheTransferAtOnce) {
    // Resend answered to a command report is a refusal.
    TransferRig command(PatternBytes(2048));
    command.mouse.statusRule = AnswerAfter("20 06 09 00 00 01", {4});
    EXPECT_EQ(command.Run(), 0);
    EXPECT_EQ(command.LastSet()->bytes[5], 1);
    EXPECT_EQ(command.CountSets("21 00 08"), 0u);

    // Any status other than accepted, busy and resend refuses.
    TransferRig header(PatternBytes(3000));
    header.mouse.statusRule = AnswerAfter("21 01 00", {2});
    EXPECT_EQ(header.Run(), 0);
    EXPECT_EQ(header.host.progress, (std::vector<size_t>{0}));
    EXPECT_EQ(header.CountSets("20 06 01 04"), 1u);

    // A failed send ends the step before its status is read.
    TransferRig send(PatternBytes(100));
    send.mouse.failFromCall = 0;
    EXPECT_EQ(send.Run(), 0);
    EXPECT_EQ(send.mouse.calls.size(), 1u);

    // A failed read after a resend must not count as another resend.
    TransferRig read(PatternBytes(2048));
    int dataReads = 0;
    read.mouse.statusRule = [&dataReads](const std::vector<DriverCall>& calls) {
        for (auto it = calls.rbegin(); it != calls.rend(); ++it) {
            if (it->what == "set")
                return it->bytes[0] == 0x22 ? (++dataReads == 1 ? 4 : -1) : 1;
        }
        return 1;
    };
    EXPECT_EQ(read.Run(), 0);
    EXPECT_EQ(read.CountSets("22 "), 2u);
}

TEST(Transfer, MouseThatNeverReturnsFailsAfterFiveTenSecondWaits) {
    TransferRig rig(PatternBytes(100));
    rig.mouse.returnAfterMs = -1;
    EXPECT_EQ(rig.Run(), 0);
    size_t opens = 0;
    std::vector<uint64_t> openTimes;
    for (const DriverCall& call : rig.mouse.calls) {
        if (call.what == "open") {
            ++opens;
            openTimes.push_back(call.at);
        }
    }
    EXPECT_EQ(opens, 5u);
    EXPECT_EQ(openTimes, (std::vector<uint64_t>{10700, 20700, 30700, 40700, 50700}));
    // Then step 1's command report fails and nothing more is sent.
    EXPECT_EQ(rig.LastSet()->bytes[5], 1);
    EXPECT_EQ(rig.LastSet()->at, 51200u);
    EXPECT_EQ(rig.mouse.calls.back().what, "set");

    // A mouse that takes three attempts to come back is used from then on.
    TransferRig slow(PatternBytes(100));
    slow.mouse.returnAfterMs = 25000;
    EXPECT_EQ(slow.Run(), 1);
}

TEST(Transfer, AStopEndsTheTransferOnlyBeforeTheMouseIsToldToStart) {
    // A stop asked for at every moment of a transfer, with a mouse that is busy for a while
    // in the start step: before the start parameters go out the transfer ends within a tenth
    // of a second and the mouse hears nothing more; once they are out it completes.
    const auto bytes = PatternBytes(3000);
    TransferRig plain(bytes);
    ASSERT_EQ(plain.Run(), 1);
    const uint64_t whole = plain.clock.now;
    int stopped = 0;
    int completed = 0;
    for (uint64_t at = 0; at <= whole; at += at < 2000 ? 50 : 997) {
        TransferRig rig(bytes);
        rig.mouse.statuses = {3, 3, 3, 3};  // busy until 1300 ms, in the start step
        rig.host.stopWhen = [&clock = rig.clock, at] { return clock.now >= at; };
        const int result = rig.Run();
        if (rig.CountSets("21 5A A5 32") == 0) {
            ++stopped;
            EXPECT_EQ(result, 0) << "stop at " << at;
            EXPECT_FALSE(rig.host.committed);
            EXPECT_LE(rig.clock.now, at + 100) << "stop at " << at;
            EXPECT_TRUE(rig.mouse.calls.empty() || rig.mouse.calls.back().at <= at) << at;
        } else {
            ++completed;
            EXPECT_TRUE(rig.host.committed);
            EXPECT_EQ(result, 1) << "stop at " << at;
            std::vector<uint8_t> sent = rig.mouse.ReceivedData();
            sent.resize(bytes.size());
            EXPECT_EQ(sent, bytes) << "stop at " << at;
            EXPECT_EQ(rig.host.progress, (std::vector<size_t>{0, 1, 2})) << "stop at " << at;
        }
    }
    EXPECT_GT(stopped, 10);
    EXPECT_GT(completed, 10);

    // A stop that came before the transfer began sends nothing at all.
    TransferRig early(bytes);
    early.host.stopWhen = [] { return true; };
    EXPECT_EQ(early.Run(), 0);
    EXPECT_TRUE(early.mouse.calls.empty());
}

TEST(Transfer, AMouseThatAsksForEverFailsTheStepAfterAHundredRepeats) {
    // After the commit nothing stops the transfer, so its own limits must end it.
    TransferRig rig(PatternBytes(100));
    rig.mouse.statusRule = AnswerAfter("22 ", std::vector<int>(100000, 4));
    EXPECT_EQ(rig.Run(), 0);
    EXPECT_EQ(rig.CountSets("22 "), 1u + FirmwareTransfer::kMaxResends);
    EXPECT_TRUE(rig.host.progress.empty());

    // Ninety-nine repeats are still answered by sending the report once more.
    TransferRig patient(PatternBytes(100));
    patient.mouse.statusRule = AnswerAfter("22 ", std::vector<int>(99, 4));
    EXPECT_EQ(patient.Run(), 1);
    EXPECT_EQ(patient.CountSets("22 "), 100u);
}

}  // namespace
