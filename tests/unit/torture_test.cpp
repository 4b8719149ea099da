// Fault injection: every command of the table, run against the simulated
// box with each device call it makes failing in turn (-1, and -7, a result
// the box does not tell apart), must print a failure line where it printed
// a success line, and close the device exactly as its row says.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "console/command_table.h"
#include "console/console_loop.h"
#include "device/device_api.h"
#include "device/session.h"
#include "lut/lut_tables.h"
#include "scratch_dir.h"

namespace {

namespace fs = std::filesystem;

// A command typed with a valid argument, after the words that make its run
// succeed on the simulated box. Commands not listed run as their keyword.
struct Sample {
    const char *keyword;
    const char *word;
    const char *before;  // nullptr: none
};

const Sample kSamples[] = {
    {"getW25q_", "getW25q_144", nullptr},
    {"getS25F_", "getS25F_1", nullptr},
    {"setRGB", "setRGB", "devInit"},   // the box takes levels only while open
    {"setLut", "setLut", "readMenu"},  // sends only after a result of 0
    {"load:", "load:t17.cube", nullptr},
    {"atoi:", "atoi:42", nullptr},
    {"source:", "source:SDI", nullptr},
    {"LutCtrl:", "LutCtrl:P3", nullptr},
    {"FPGA_REG3:", "FPGA_REG3:33", nullptr},
    {"FPGA_REG1:", "FPGA_REG1:5", nullptr},
    {"FPGA_REG4:", "FPGA_REG4:2", nullptr},
    {"Gamma10b:", "Gamma10b:2.2", nullptr},
    {"loadLog:", "loadLog:ramp.hex", nullptr},
    {"GetDevInfo:", "GetDevInfo:000001,000000", nullptr},
    {"GetFPGAInfo:", "GetFPGAInfo:000002,000000", nullptr},
    {"Bit2Bin:", "Bit2Bin:top.bit", nullptr},
    {"SetMode:", "SetMode:1", nullptr},
};

struct Call {
    std::string name;
    std::string result;
};

struct CommandRun {
    std::string output;
    std::vector<Call> calls;  // the command's own, after the words before it
    int callsBefore;          // of the words before it
};

// Whether a console line reports a failure: every failure line of the tool
// says "fail" or, in GBK, 失败 (failed) or 无法 (cannot).
bool IsFailureLine(const std::string &line) {
    for (const char *mark : {"fail", "Fail", "\xCA\xA7\xB0\xDC", "\xCE\xDE\xB7\xA8"}) {
        if (line.find(mark) != std::string::npos) return true;
    }
    return false;
}

std::vector<std::string> Lines(const std::string &text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

bool Contains(const std::vector<std::string> &lines, const std::string &line) {
    for (const std::string &l : lines) {
        if (l == line) return true;
    }
    return false;
}

// The table "load:" fills and "setLut" sends, as the console's run holds
// one: static, as it is large.
Lut3dTable ConsoleLut;

class Torture : public ScratchDirTest {
protected:
    void SetUp() override {
        ScratchDirTest::SetUp();
        saved_ = DeviceApi;
        previousDir_ = fs::current_path();
        fs::current_path(dir);
        // The loader test's pause must never wait on a terminal.
        ASSERT_NE(freopen(Write("no-keys", "").c_str(), "rb", stdin), nullptr);
        std::string library = std::string(LUTBOX_BUILD_DIR) + "/KX_DEV_LUTLOADER.dll";
        ASSERT_EQ(LoadDeviceLibraryAt(library.c_str()), 0) << library;
        ASSERT_EQ(BindDeviceApi(), 0);
        restart_ = reinterpret_cast<void (*)(const char *, const char *)>(
            PlatformFindSymbol(DeviceLibrary(), "KXSIM_Restart"));
        ASSERT_NE(restart_, nullptr);
        journal_ = (dir / "journal").string();

        std::string cube = "LUT_3D_SIZE 17\n";
        for (int i = 0; i < 17 * 17 * 17; i++) cube += "0.25 0.5 0.75\n";
        Write("t17.cube", cube);
        std::string ramp;
        for (int i = 0; i < 1024; i++) ramp += std::to_string(i) + "\n";
        Write("ramp.hex", ramp);
        Write("top.bit", std::string(1000, 'b'));
    }

    void TearDown() override {
        if (restart_ != nullptr) restart_("", "");
        ReleaseDeviceLibrary();
        InstallDeviceApi(saved_);
        fs::current_path(previousDir_);
        ScratchDirTest::TearDown();
    }

    // Runs the words before, then word, as the loop does, on a box started
    // anew with the injected results.
    CommandRun Dispatch(const Sample &sample, const std::string &results) {
        restart_(results.c_str(), journal_.c_str());
        fs::remove(journal_);
        Session session;
        StartSession(session, context_);
        session.Lut3d = &ConsoleLut;
        CommandRun run;
        if (sample.before != nullptr) {
            testing::internal::CaptureStdout();
            DispatchWord(session, sample.before);
            testing::internal::GetCapturedStdout();
        }
        run.callsBefore = static_cast<int>(Journal().size());
        ClearReplies(session);
        testing::internal::CaptureStdout();
        DispatchWord(session, sample.word);
        run.output = testing::internal::GetCapturedStdout();
        std::vector<Call> all = Journal();
        run.calls.assign(all.begin() + run.callsBefore, all.end());
        return run;
    }

    // The journal's calls: "NAME ARG... => RESULT ...".
    std::vector<Call> Journal() {
        std::vector<Call> calls;
        for (const std::string &line : Lines(ReadAll(journal_))) {
            if (line == "<missing>") break;
            size_t arrow = line.find(" => ");
            if (arrow == std::string::npos) continue;
            size_t resultEnd = line.find(' ', arrow + 4);
            calls.push_back({line.substr(0, line.find(' ')), line.substr(arrow + 4, resultEnd - (arrow + 4))});
        }
        return calls;
    }

    // KXSIM_RESULTS that fails call index failing of a run with value and
    // lets the earlier calls of the same entry give what they gave.
    static std::string FailingCall(const CommandRun &clean, int failing, int value) {
        const std::vector<Call> &calls = clean.calls;
        std::string spec = calls[failing].name + "=";
        for (int i = 0; i < failing; i++) {
            if (calls[i].name == calls[failing].name) spec += calls[i].result + "/";
        }
        return spec + std::to_string(value);
    }

    char context_[64] = {};
    void (*restart_)(const char *, const char *) = nullptr;
    std::string journal_;

private:
    DeviceApiTable saved_;
    fs::path previousDir_;
};

Sample SampleOf(const CommandRow &row) {
    for (const Sample &sample : kSamples) {
        if (std::string(sample.keyword) == row.keyword) return sample;
    }
    return {row.keyword, row.keyword, nullptr};
}

int ClosesOf(const CommandRow &row) {
    // The full self-test closes once itself; the loop closes after the
    // commands whose row says so.
    return row.closeAfter || std::string(row.keyword) == kLoaderTestKeyword ? 1 : 0;
}

int Count(const std::vector<Call> &calls, const char *name) {
    int n = 0;
    for (const Call &call : calls) n += call.name == name;
    return n;
}

TEST_F(Torture, EveryCommandWithEachOfItsCallsFailing) {
    int failingRuns = 0;
    for (size_t r = 0; r < kCommandCount; r++) {
        const CommandRow &row = CommandTable[r];
        Sample sample = SampleOf(row);
        SCOPED_TRACE(sample.word);
        CommandRun clean = Dispatch(sample, "");
        EXPECT_EQ(Count(clean.calls, "KX_DEV_DeInit"), ClosesOf(row));
        std::vector<std::string> cleanLines = Lines(clean.output);
        for (const std::string &line : cleanLines) EXPECT_FALSE(IsFailureLine(line)) << line;

        for (int failing = 0; failing < static_cast<int>(clean.calls.size()); failing++) {
            // The close's result is ignored by design: nothing to report.
            if (clean.calls[failing].name == "KX_DEV_DeInit") continue;
            for (int value : {-1, -7}) {
                std::string results = FailingCall(clean, failing, value);
                SCOPED_TRACE(results);
                CommandRun run = Dispatch(sample, results);
                failingRuns++;
                ASSERT_GT(static_cast<int>(run.calls.size()), failing);
                EXPECT_EQ(run.calls[failing].result, std::to_string(value));
                EXPECT_EQ(Count(run.calls, "KX_DEV_DeInit"), ClosesOf(row));
                // A success line of the clean run is gone, and a failure
                // line stands in the output that the clean run did not have.
                std::vector<std::string> lines = Lines(run.output);
                bool successGone = false;
                for (const std::string &line : cleanLines) successGone = successGone || !Contains(lines, line);
                bool failureShown = false;
                for (const std::string &line : lines) failureShown = failureShown || IsFailureLine(line);
                EXPECT_TRUE(successGone) << run.output;
                EXPECT_TRUE(failureShown) << run.output;
            }
        }
    }
    // Every device command made calls to fail.
    EXPECT_GT(failingRuns, 2 * static_cast<int>(kCommandCount));
}

}  // namespace
