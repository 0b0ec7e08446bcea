// The server and its client over real loopback TCP, in one process.

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "TempFolder.h"
#include "VirtualMouseClient.h"
#include "VirtualMouseServer.h"

namespace vmouse {
namespace {

using Bytes = std::vector<uint8_t>;
namespace fs = std::filesystem;

std::string ReadText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

class ServerTest : public ::testing::Test {
  protected:
    // The server goes before its folder.
    void TearDown() override { server.reset(); }
    void StartServer(MouseOptions options = {}) {
        server = std::make_unique<VirtualMouseServer>(options);
        server->SetLog(nullptr);
        ASSERT_TRUE(server->OpenTranscript(folder / "transcript.txt"));
        ASSERT_TRUE(server->UseStateDir(folder / "state", std::nullopt));
        ASSERT_TRUE(server->Start("127.0.0.1", 0));
    }
    bool Set(VirtualMouseClient& client, Bytes report) {
        return client.SetFeature(report.data(), report.size());
    }
    Bytes Get(VirtualMouseClient& client, uint8_t id, size_t length) {
        Bytes report(length, 0);
        report[0] = id;
        return client.GetFeature(report.data(), length) ? report : Bytes{};
    }

    TempFolder temp_{"vmouse-server-test"};
    const fs::path folder = temp_.Path();
    std::unique_ptr<VirtualMouseServer> server;
};

TEST(HostPort, Parsing) {
    std::string host;
    uint16_t port = 0;
    EXPECT_TRUE(ParseHostPort("127.0.0.1:4100", host, port));
    EXPECT_EQ(host, "127.0.0.1");
    EXPECT_EQ(port, 4100);
    EXPECT_TRUE(ParseHostPort("localhost:65535", host, port));
    EXPECT_FALSE(ParseHostPort("localhost", host, port));
    EXPECT_FALSE(ParseHostPort(":80", host, port));
    EXPECT_FALSE(ParseHostPort("h:", host, port));
    EXPECT_FALSE(ParseHostPort("h:0", host, port));
    EXPECT_FALSE(ParseHostPort("h:65536", host, port));
    EXPECT_FALSE(ParseHostPort("h:12a", host, port));
}

TEST_F(ServerTest, ClientTalksToTheMouseAndTheTranscriptRecordsIt) {
    StartServer();
    VirtualMouseClient client;
    ASSERT_TRUE(client.Connect(server->Address()));
    bool present = false;
    ASSERT_TRUE(client.QueryPresent(present));
    EXPECT_TRUE(present);
    EXPECT_TRUE(Set(client, {0x03, 0x04, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(Get(client, 0x03, 8), (Bytes{0x03, 0x01, 0, 0, 0, 0, 0, 0}));
    const Bytes info = Get(client, 0x04, 64);
    ASSERT_EQ(info.size(), 64u);
    EXPECT_EQ(info[1], 109);
    EXPECT_FALSE(Set(client, {0x55, 1}));
    const std::string expected = "SET 0304000000000000\nGET 0301000000000000\nGET 046d" +
                                 std::string(124, '0') + "\nSET 5501\n";
    EXPECT_EQ(ReadText(folder / "transcript.txt"), expected);
}

TEST_F(ServerTest, NothingListeningFailsAtOnce) {
    StartServer();
    const std::string address = server->Address();
    server.reset();
    VirtualMouseClient client;
    EXPECT_FALSE(client.Connect(address));
    bool present = true;
    EXPECT_FALSE(client.QueryPresent(present));
    EXPECT_FALSE(client.Connect("not an address"));
}

TEST_F(ServerTest, ServerGoneMidSessionFailsTheCalls) {
    StartServer();
    VirtualMouseClient client;
    ASSERT_TRUE(client.Connect(server->Address()));
    server->Stop();
    EXPECT_FALSE(Set(client, {0x03, 0x04, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(client.IsConnected());
}

TEST_F(ServerTest, ControlConnectionPlugsUnplugsAndPressesTheButton) {
    StartServer();
    VirtualMouseClient app;
    VirtualMouseClient control;
    ASSERT_TRUE(app.Connect(server->Address()));
    ASSERT_TRUE(control.Connect(server->Address()));
    bool present = false;
    uint32_t arrivals = 0;
    ASSERT_TRUE(app.QueryPresence(present, arrivals));
    EXPECT_EQ(arrivals, 1u);
    app.BindToArrival(arrivals);

    // A watcher hears the removal as soon as it happens.
    std::thread unplug([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        std::string reply;
        EXPECT_TRUE(control.Control("unplug", reply));
    });
    VirtualMouseClient watcher;
    ASSERT_TRUE(watcher.Connect(server->Address()));
    const auto before = std::chrono::steady_clock::now();
    ASSERT_TRUE(watcher.WaitForChange(true, 1, 5000, present, arrivals));
    unplug.join();
    EXPECT_LT(std::chrono::steady_clock::now() - before, std::chrono::seconds(2));
    EXPECT_FALSE(present);
    EXPECT_FALSE(Set(app, {0x03, 0x04, 0, 0, 0, 0, 0, 0}));

    std::string reply;
    ASSERT_TRUE(control.Control("plug", reply));
    ASSERT_TRUE(watcher.WaitForChange(false, 1, 5000, present, arrivals));
    EXPECT_TRUE(present);
    EXPECT_EQ(arrivals, 2u);
    // The handle from before the removal is stale; a fresh one works.
    EXPECT_FALSE(Set(app, {0x03, 0x04, 0, 0, 0, 0, 0, 0}));
    app.BindToArrival(2);
    EXPECT_TRUE(Set(app, {0x03, 0x04, 0, 0, 0, 0, 0, 0}));

    ASSERT_TRUE(control.Control("switch-profile 3", reply));
    EXPECT_FALSE(control.Control("switch-profile 5", reply));
    EXPECT_FALSE(control.Control("dance", reply));
    ASSERT_TRUE(control.Control("status", reply));
    EXPECT_NE(reply.find("\"activeSlot\":3"), std::string::npos) << reply;
    EXPECT_NE(reply.find("\"present\":true"), std::string::npos) << reply;

    // A watch with nothing changing ends after its wait.
    ASSERT_TRUE(watcher.WaitForChange(true, 2, 100, present, arrivals));
    EXPECT_TRUE(present);
}

TEST_F(ServerTest, FaultsByControlCommand) {
    StartServer();
    VirtualMouseClient client;
    ASSERT_TRUE(client.Connect(server->Address()));
    std::string reply;
    ASSERT_TRUE(client.Control("fault reject-report 0x0b", reply));
    EXPECT_FALSE(Set(client, {0x0B, 0x00, 0, 0, 0, 0, 0, 0}));
    EXPECT_FALSE(client.Control("fault nonsense 1", reply));
    EXPECT_FALSE(client.Control("fault busy lots", reply));
    ASSERT_TRUE(client.Control("fault clear", reply));
    EXPECT_TRUE(Set(client, {0x0B, 0x00, 0, 0, 0, 0, 0, 0}));
}

TEST_F(ServerTest, ManyClientsAtOnce) {
    StartServer();
    std::vector<std::thread> threads;
    std::atomic<int> good{0};
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&] {
            VirtualMouseClient client;
            if (!client.Connect(server->Address()))
                return;
            for (int i = 0; i < 50; ++i) {
                Bytes info(64, 0);
                info[0] = 0x04;
                if (client.GetFeature(info.data(), info.size()) && info[1] == 109)
                    ++good;
            }
        });
    }
    for (std::thread& thread : threads)
        thread.join();
    EXPECT_EQ(good, 200);
}

TEST_F(ServerTest, StateFolderKeepsTheMouseAcrossRestarts) {
    StartServer();
    {
        VirtualMouseClient client;
        ASSERT_TRUE(client.Connect(server->Address()));
        ASSERT_TRUE(Set(client, {0x03, 0x02, 0, 0, 0, 0, 0, 0}));
        ASSERT_EQ(Get(client, 0x03, 8)[1], 1);
        ASSERT_TRUE(Set(client, {0x03, 0x01, 0, 0, 0, 0, 0, 0}));
        ASSERT_EQ(Get(client, 0x03, 8)[1], 1);
        ASSERT_TRUE(Set(client, {0x0A, 0x01, 17, 0, 0, 0, 0, 0}));
        ASSERT_TRUE(Set(client, {0x03, 0x00, 0xB3, 0x00, 0x00, 0x03, 0, 0}));
        Bytes chunk(1025, 0x5C);
        chunk[0] = 0x05;
        ASSERT_TRUE(client.SetFeature(chunk.data(), chunk.size()));
    }
    server.reset();
    const std::string slot3 = ReadText(folder / "state" / "slot3.bin");
    ASSERT_EQ(slot3.size(), 2048u);
    EXPECT_EQ(slot3[0], 0x5C);
    EXPECT_EQ(slot3[1024], 0);
    EXPECT_EQ(ReadText(folder / "state" / "slot0.bin"), std::string(2048, '\0'));
    const std::string state = ReadText(folder / "state" / "state.json");
    EXPECT_NE(state.find("\"liftDistance\": 17"), std::string::npos) << state;

    // A new server on the same folder starts with that memory.
    server = std::make_unique<VirtualMouseServer>();
    server->SetLog(nullptr);
    ASSERT_TRUE(server->UseStateDir(folder / "state", 111));
    ASSERT_TRUE(server->Start("127.0.0.1", 0));
    VirtualMouseClient client;
    ASSERT_TRUE(client.Connect(server->Address()));
    std::string reply;
    ASSERT_TRUE(client.Control("status", reply));
    EXPECT_NE(reply.find("\"activeSlot\":1"), std::string::npos) << reply;
    EXPECT_NE(reply.find("\"liftDistance\":17"), std::string::npos) << reply;
    EXPECT_NE(reply.find("\"firmwareVersion\":111"), std::string::npos) << reply;
}

TEST_F(ServerTest, MalformedStateFilesAreIgnored) {
    fs::create_directories(folder / "state");
    std::ofstream(folder / "state" / "state.json") << "{\"activeSlot\": 9, \"liftDistance\": \"x\"";
    std::ofstream(folder / "state" / "slot2.bin") << "short";
    StartServer();
    VirtualMouseClient client;
    ASSERT_TRUE(client.Connect(server->Address()));
    std::string reply;
    ASSERT_TRUE(client.Control("status", reply));
    EXPECT_NE(reply.find("\"activeSlot\":0"), std::string::npos) << reply;
}

TEST_F(ServerTest, FirmwareImageLandsInTheStateFolder) {
    MouseOptions options;
    options.restartMs = 50;
    StartServer(options);
    VirtualMouseClient client;
    ASSERT_TRUE(client.Connect(server->Address()));
    auto step = [&](uint8_t number, Bytes following) {
        Bytes command{0x20,
                      0x06,
                      static_cast<uint8_t>(number == 4 ? 0x01 : 0x09),
                      static_cast<uint8_t>(number == 4 ? 0x04 : 0x00),
                      0,
                      number,
                      0,
                      0};
        return Set(client, command) && Get(client, 0x20, 8)[1] == 1 &&
               client.SetFeature(following.data(), following.size()) &&
               Get(client, 0x20, 8)[1] == 1;
    };
    ASSERT_TRUE(step(0, {0x21, 0x5A, 0xA5, 0x32, 0x10, 0x03, 0xCB, 0x00, 0x01}));
    bool present = true;
    uint32_t arrivals = 0;
    ASSERT_TRUE(client.QueryPresence(present, arrivals));
    EXPECT_FALSE(present) << "the mouse restarts after the start step";
    ASSERT_TRUE(client.WaitForChange(false, 1, 5000, present, arrivals));
    ASSERT_TRUE(present);
    ASSERT_TRUE(step(1, {0x21, 3, 0, 0, 0, 0x5A, 0xA5, 0x22, 0x88}));
    ASSERT_TRUE(step(2, {0x21, 0xEC, 0, 0, 0, 0, 0, 0, 0}));
    ASSERT_TRUE(step(3, {0x21, 0, 0, 6, 0, 0x5A, 0xA5, 0x22, 0x88}));
    Bytes data(1025, 0);
    data[0] = 0x22;
    data[1] = 1;
    data[2] = 2;
    data[3] = 3;
    ASSERT_TRUE(step(4, data));
    EXPECT_EQ(ReadText(folder / "state" / "firmware.bin"), std::string("\x01\x02\x03", 3));
}

}  // namespace
}  // namespace vmouse
