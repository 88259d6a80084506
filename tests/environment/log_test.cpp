#include "environment/log.h"

#include "support/file_text.h"
#include "support/scratch_folder.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace {

using test_support::CrLfLines;

// A scratch temporary folder per test, removed afterwards.
class LogTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(scratch_.Created()); }
    std::string Read(const std::string& name) { return test_support::ReadBytes(scratch_.File(name)); }
    bool Exists(const std::string& name) {
        return GetFileAttributesA(scratch_.File(name).c_str()) != INVALID_FILE_ATTRIBUTES;
    }
    test_support::ScratchFolder scratch_{"logtest"};
    const std::string dir_ = scratch_.Path();
};

TEST_F(LogTest, HeaderAndTimeStampedLine) {
    {
        CLog log("C:\\medium\\Setup.exe", dir_);
        ASSERT_TRUE(log.IsOpen());
        log.Write("Initialize Profiles fail!!");
    }
    auto lines = CrLfLines(Read("Setup.exe.log"));
    ASSERT_GE(lines.size(), 10u);
    EXPECT_EQ(lines[0], std::string(60, '/'));
    EXPECT_EQ(lines[1], "//" + std::string(56, ' ') + "//");
    EXPECT_EQ(lines[2], "// Orvane Printer Installer Program                       //");
    EXPECT_EQ(lines[3], lines[1]);
    EXPECT_EQ(lines[4], lines[0]);
    EXPECT_EQ(lines[5], "");
    EXPECT_EQ(lines[6].rfind("Data : ", 0), 0u);
    EXPECT_NE(lines[6].find(", 20"), std::string::npos) << lines[6];
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], "");
    const std::string& msg = lines[9];
    ASSERT_EQ(msg.size(), 10 + 2 + std::string("Initialize Profiles fail!!").size()) << msg;
    EXPECT_EQ(msg[0], '[');
    EXPECT_EQ(msg[3], '.');
    EXPECT_EQ(msg[6], '.');
    EXPECT_EQ(msg.substr(9), "]  Initialize Profiles fail!!");
}

TEST_F(LogTest, EachRunGetsANewFileAndOlderLogsStay) {
    for (int run = 0; run < 3; ++run) {
        CLog log("Setup.exe", dir_);
        log.Write("run %d", run);
    }
    EXPECT_NE(Read("Setup.exe.log").find("run 0"), std::string::npos);
    EXPECT_NE(Read("Setup.exe0.log").find("run 1"), std::string::npos);
    EXPECT_NE(Read("Setup.exe1.log").find("run 2"), std::string::npos);
}

TEST_F(LogTest, LogIsNamedAfterTheProgramFile) {
    { CLog log("D:\\x\\Install.exe", dir_); }
    EXPECT_TRUE(Exists("Install.exe.log"));
}

TEST_F(LogTest, WriteErrorAddsTheSystemTextOnlyForNonZeroCodes) {
    {
        CLog log("Setup.exe", dir_);
        log.WriteError(0, "first");
        log.WriteError(2, "second %s", "step");
    }
    auto lines = CrLfLines(Read("Setup.exe.log"));
    ASSERT_GE(lines.size(), 12u);
    EXPECT_EQ(lines[9].substr(12), "first");
    EXPECT_EQ(lines[10].substr(12), "second step");
    EXPECT_EQ(lines[11].substr(12, 16), "Error Code = 2 :") << lines[11];
}

TEST_F(LogTest, OverlongMessageIsCutNotOverrun) {
    {
        CLog log("Setup.exe", dir_);
        std::string big(10000, 'x');
        log.Write("%s", big.c_str());
    }
    auto lines = CrLfLines(Read("Setup.exe.log"));
    ASSERT_GE(lines.size(), 10u);
    EXPECT_EQ(lines[9].size(), 12u + 4095u);
}

TEST_F(LogTest, ConcurrentWritersNeverInterleaveWithinALine) {
    {
        CLog log("Setup.exe", dir_);
        std::vector<std::thread> threads;
        for (int t = 0; t < 4; ++t)
            threads.emplace_back([&log, t] {
                for (int i = 0; i < 500; ++i) log.Write("thread %d message %d %s", t, i, std::string(50, 'a' + t).c_str());
            });
        for (auto& th : threads) th.join();
    }
    auto lines = CrLfLines(Read("Setup.exe.log"));
    std::size_t messages = 0;
    for (std::size_t i = 9; i < lines.size(); ++i) {
        const std::string& l = lines[i];
        ASSERT_GT(l.size(), 12u);
        int t = l[12 + 7] - '0';
        EXPECT_EQ(l.substr(l.size() - 50), std::string(50, 'a' + t)) << l;
        ++messages;
    }
    // Some messages may be dropped while another is written, never more than were sent.
    EXPECT_GT(messages, 0u);
    EXPECT_LE(messages, 2000u);
}

TEST_F(LogTest, NoFolderMeansNoLogAndNoCrash) {
    CLog log("Setup.exe", dir_ + "\\missing\\deeper");
    EXPECT_FALSE(log.IsOpen());
    log.Write("dropped %d", 1);
    log.WriteError(5, "dropped");
}

}  // namespace
