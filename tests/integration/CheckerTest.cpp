// SPDX-License-Identifier: MIT
// The packager's checker as a packager runs it: the built program on real
// files, crafted with every class of finding, and on emulated USB devices.
// Runs under umockdev's preload, which the checker inherits.
#include "app/detection/LogText.h"
#include "platform/linux/FileDescriptor.h"
#include "tests/fuzz/HostileCatalogues.h"
#include "tests/integration/TestFolder.h"
#include "tests/integration/UsbTestbed.h"

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <spawn.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;

namespace {

struct CheckerRun {
    int status = -1;
    std::string output;
    bool has(const std::string& text) const { return output.find(text) != std::string::npos; }
};

CheckerRun runProgram(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int out[2];
    EXPECT_EQ(::pipe(out), 0);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    pid_t child = 0;
    EXPECT_EQ(posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ), 0);
    posix_spawn_file_actions_destroy(&actions);
    ::close(out[1]);

    CheckerRun run;
    std::array<char, 4096> chunk{};
    for (ssize_t got; (got = ::read(out[0], chunk.data(), chunk.size())) > 0;)
        run.output.append(chunk.data(), static_cast<std::size_t>(got));
    ::close(out[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return run;
}

CheckerRun runChecker(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), RUNNETLUME_CHECKER);
    return runProgram(std::move(arguments));
}

std::string entry(const std::string& vid, const std::string& pid) {
    return "<dict><key>vid</key><string>" + vid + "</string><key>pid</key><string>" + pid +
           "</string></dict>";
}

std::string catalogue(const std::string& devices, const std::string& more = "") {
    return "<?xml version=\"1.0\"?>\n<plist version=\"1.0\">\n<dict>\n<key>devices</key><array>" +
           devices + "</array>\n" + more + "</dict>\n</plist>\n";
}

class Checker : public ::testing::Test {
protected:
    void SetUp() override { folder_ = freshTestFolder("checker"); }
    void TearDown() override { fs::remove_all(folder_); }

    std::string write(const std::string& name, const std::string& bytes,
                      fs::perms permissions = fs::perms::owner_read | fs::perms::owner_write) {
        const fs::path path = folder_ / name;
        std::ofstream(path, std::ios::binary) << bytes;
        fs::permissions(path, permissions);
        return path;
    }
    std::string executable(const std::string& name, const std::string& bytes) {
        return write(name, bytes, fs::perms::owner_all);
    }

    // A Wi-Fi catalogue whose paths all exist and are what they should be.
    std::string cleanWifi(const std::string& devices) {
        const std::string tool = executable("setup tool", "#!/bin/sh\nexit 0\n");
        const std::string agent = write("status.service", "[Unit]\n");
        const std::string monitor = write("monitor.service", "[Unit]\n");
        return write("wifiDevices.plist",
                     catalogue(devices, "<key>application</key><string>" + tool +
                                            "</string><key>smLaunchAgentPath</key><array><string>" +
                                            agent +
                                            "</string></array>"
                                            "<key>usbMonitorLaunchAgentPath</key><string>" +
                                            monitor + "</string>"));
    }

    fs::path folder_;
};

TEST_F(Checker, CleanCataloguesPassInTextAndJson) {
    const std::string wifi = cleanWifi(entry("0x04B8", "0x0E28"));
    const std::string other = write("otherDevices.plist", catalogue(entry("04b8", "1234")));
    const CheckerRun text = runChecker({"--wifi", wifi, "--other", other});
    EXPECT_EQ(text.status, 0) << text.output;
    EXPECT_EQ(text.output, "0 errors, 0 warnings\n");
    const CheckerRun json = runChecker({"--json", "--wifi", wifi, "--other", other});
    EXPECT_EQ(json.status, 0);
    EXPECT_EQ(json.output, "{\"findings\": [], \"errors\": 0, \"warnings\": 0}\n");
}

TEST_F(Checker, EntriesThatCanNeverMatchAreErrorsAndLenientOnesWarnings) {
    const std::string path = write(
        "otherDevices.plist",
        catalogue("<string>not an entry</string>"
                  "<dict><key>pid</key><string>1</string></dict>" +
                  entry("", "1") + entry("zz", "1") + entry("10000", "1") + entry(" 04B8", "1") +
                  entry("04B8 (model 7)", "2") +
                  "<dict><key>vid</key><integer>1208</integer><key>pid</key><string>1</string>"
                  "</dict>"));
    const CheckerRun run = runChecker({"--other", path});
    EXPECT_EQ(run.status, 1);
    for (const char* line :
         {": error: devices[0]: is not a dictionary; it can never match [entry-not-dictionary]",
          ": error: devices[1]: has no \"vid\"; it can never match [id-missing]",
          ": error: devices[2].vid: is empty; it can never match [id-empty]",
          ": error: devices[3].vid: \"zz\" holds no hexadecimal digit; it can never match "
          "[id-not-hex]",
          ": error: devices[4].vid: \"10000\" is beyond 16 bits; it can never match a USB id "
          "[id-beyond-16-bits]",
          ": warning: devices[5].vid: \" 04B8\" matches only because the scan skips leading "
          "blanks [id-leading-blank]",
          ": warning: devices[6].vid: \"04B8 (model 7)\" matches only because the scan ignores "
          "the text after the digits [id-trailing-text]",
          ": error: devices[7].vid: is not a string; it can never match [id-not-string]"})
        EXPECT_TRUE(run.has(line)) << line << "\n" << run.output;
    EXPECT_TRUE(run.has("6 errors, 2 warnings\n")) << run.output;
}

TEST_F(Checker, ModelsListedTwiceNameTheListingThatWins) {
    const std::string wifi = cleanWifi(entry("0x04B8", "0x0E28") + entry("4b8", "e28"));
    const std::string other = write("otherDevices.plist", catalogue(entry("04B8", "0E28")));
    const CheckerRun run = runChecker({"--other", other, "--wifi", wifi});
    EXPECT_EQ(run.status, 0) << run.output;
    EXPECT_TRUE(run.has("wifiDevices.plist: warning: devices[1]: 04b8:0e28 is listed again; "
                        "devices[0] wins [duplicate-model]"))
        << run.output;
    EXPECT_TRUE(run.has("otherDevices.plist: warning: devices[0]: 04b8:0e28 is listed again; " +
                        wifi +
                        " devices[0] wins: the assistant offers the Wi-Fi setup tool for "
                        "it [model-in-both]"))
        << run.output;
}

TEST_F(Checker, HandOffPathsAreJudgedAsTheAssistantWouldUseThem) {
    const std::string folder = (folder_ / "a folder").string();
    fs::create_directory(folder);
    const auto wifiWith = [&](const std::string& application, const std::string& agents) {
        return write("wifiDevices.plist",
                     catalogue(entry("1", "2"), "<key>application</key><string>" + application +
                                                    "</string><key>smLaunchAgentPath</key><array>" +
                                                    agents + "</array>"));
    };
    const std::string longName = "/" + std::string(1010, 'a') + ".service";
    const std::string wifi = wifiWith(
        (folder_ / "absent tool").string(),
        "<string>/opt/x/$(reboot).service</string><string>/opt/caf\xC3\xA9.service</string>"
        "<string>" +
            longName + "</string><string>" + write("agent.conf", "") +
            "</string><string>/nowhere/gone.service</string>");
    const CheckerRun installed = runChecker({"--wifi", wifi});
    EXPECT_EQ(installed.status, 1);
    for (const char* line :
         {"error: application: \"", "does not exist here [path-missing]",
          "error: smLaunchAgentPath[0]: a path holding \", $, `, \\ or a control character is "
          "never handed to the service manager [agent-refused]",
          "error: smLaunchAgentPath[1]: a path outside 7-bit ASCII is never handed to the "
          "service manager [agent-not-ascii]",
          "error: smLaunchAgentPath[2]: a path longer than 1004 characters is never handed to "
          "the service manager [agent-too-long]",
          "is not a systemd unit file (.service, .timer, .socket, ...) [agent-not-unit]",
          "error: smLaunchAgentPath[4]: \"/nowhere/gone.service\" does not exist here "
          "[path-missing]"})
        EXPECT_TRUE(installed.has(line)) << line << "\n" << installed.output;

    // Before the driver's files are installed, a missing path only warns;
    // refused paths stay errors.
    const CheckerRun building = runChecker({"--build", "--wifi", wifi});
    EXPECT_EQ(building.status, 1);
    EXPECT_TRUE(building.has("warning: smLaunchAgentPath[4]: \"/nowhere/gone.service\" does not "
                             "exist here [path-missing]"));

    const std::pair<std::string, const char*> applications[] = {
        {folder, "is not a file [application-not-file]"},
        {write("tool", "#!/bin/sh\n"), "is not executable [application-not-executable]"},
        {executable("tool.txt", "echo hi\n"),
         "is neither a program nor a script with an interpreter line (#!) "
         "[application-no-interpreter]"}};
    for (const auto& [application, finding] : applications) {
        const CheckerRun run = runChecker({"--wifi", wifiWith(application, "")});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.has(finding)) << finding << "\n" << run.output;
    }
    const CheckerRun noTool =
        runChecker({"--wifi", write("wifiDevices.plist", catalogue(entry("1", "2")))});
    EXPECT_EQ(noTool.status, 0);
    EXPECT_TRUE(noTool.has("warning: application: is not given, so OK on the Wi-Fi question "
                           "starts nothing [application-absent]"));
}

TEST_F(Checker, UnreadableCataloguesSayWhyAndWhere) {
    const std::pair<std::string, const char*> cases[] = {
        {write("parse.plist", "<plist>\n<dict>\n<key>devices</key>\n<array>\n</dict>\n</plist>\n"),
         "parse.plist:5:3: error: unreadable, so the assistant reads it as an empty catalogue: "
         "Start-end tags mismatch [parse]"},
        {write("root.plist", "<plist><array/></plist>"),
         "error: unreadable, so the assistant reads it as an empty catalogue: the root is not a "
         "dictionary [root-not-dictionary]"},
        {write("encoding.plist", "<plist><dict><key>a\xFF</key><string/></dict></plist>"),
         "a string or key is not valid text [encoding]"},
        {write("big.plist", std::string(5 * 1024 * 1024, ' ')), "larger than 4194304 bytes [size]"},
    };
    for (const auto& [path, finding] : cases) {
        const CheckerRun run = runChecker({path});
        EXPECT_EQ(run.status, 1) << path;
        EXPECT_TRUE(run.has(finding)) << finding << "\n" << run.output;
    }
    for (const hostile::Sample& sample : hostile::samples(hostile::SeedSize)) {
        if (sample.readable) continue;
        const CheckerRun run = runChecker({write(sample.name, sample.bytes)});
        EXPECT_EQ(run.status, 1) << sample.name << "\n" << run.output;
    }
    const CheckerRun binary =
        runChecker({write("cut.bplist", "bplist00" + std::string(40, '\x01'))});
    EXPECT_TRUE(binary.has("error: at byte ")) << binary.output;
}

// Findings of one kind in one file stop at 100 and one line says how many
// more; the counts and the exit status take them all.
TEST_F(Checker, ManyFindingsOfAKindAreCutShortButCounted) {
    std::string entries;
    for (int i = 0; i < 150; ++i)
        entries += entry("zz", "1");
    std::string agents = "<string>/a.service</string><string>/a.service</string>";
    for (int i = 0; i < 65; ++i)
        agents += "<string>/u" + std::to_string(i) + ".service</string>";
    const std::string path =
        write("wifiDevices.plist",
              catalogue(entries, "<key>smLaunchAgentPath</key><array>" + agents + "</array>"));
    const CheckerRun run = runChecker({"--build", "--wifi", path});
    EXPECT_EQ(run.status, 1);
    std::size_t lines = 0;
    for (std::size_t at = run.output.find("[id-not-hex]"); at != std::string::npos;
         at = run.output.find("[id-not-hex]", at + 1))
        ++lines;
    EXPECT_EQ(lines, 101U) << run.output;
    EXPECT_TRUE(run.has(": error: … and 50 more of this kind [id-not-hex]")) << run.output;
    EXPECT_TRUE(run.has("smLaunchAgentPath[1]: is listed before; the assistant reloads it once"));
    EXPECT_TRUE(run.has("error: smLaunchAgentPath: lists more than 64 distinct agents; the "
                        "assistant skips the last 2 [too-many-agents]"));
    EXPECT_TRUE(run.has("\n151 errors, ")) << run.output;
    const CheckerRun json = runChecker({"--build", "--json", "--wifi", path});
    EXPECT_TRUE(json.has("\"errors\": 151, ")) << json.output;
}

// A crafted catalogue must not drive the terminal (clear it, set its title,
// fake a summary line) nor make the JSON report something but UTF-8.
TEST_F(Checker, TextFromTheCatalogueIsEscapedAndJsonStaysUtf8) {
    const std::string path =
        write("odd\xff name.plist", catalogue(entry("\x1b[2J\x1b]0;owned\x07\xC2\x9B"
                                                    "0 errors, 0 warnings",
                                                    "1")));
    const CheckerRun text = runChecker({"--other", path});
    const CheckerRun json = runChecker({"--json", "--other", path});
    EXPECT_EQ(text.status, 1);
    for (const char* raw : {"\x1b", "\x07", "\xC2\x9B", "\xff"})
        EXPECT_EQ(text.output.find(raw), std::string::npos) << text.output;
    EXPECT_TRUE(text.has("odd\\xff name.plist")) << text.output;
    EXPECT_TRUE(text.has("\\x1b[2J\\x1b]0;owned\\x07\\x9b0 errors")) << text.output;
    for (std::size_t at = 0; at < json.output.size();) {
        const std::optional<platform::Utf8Step> step = platform::utf8At(json.output, at);
        ASSERT_TRUE(step && (step->codePoint >= 0x20 || step->codePoint == '\n')) << at;
        at += step->length;
    }
    EXPECT_TRUE(json.has("\\u001b[2J")) << json.output;
    EXPECT_TRUE(json.has("odd\\\\xff name.plist")) << json.output;
}

// Nothing that is not a file is opened for reading: a FIFO without a writer
// would hold the checker (and the assistant) for ever.
TEST_F(Checker, MissingFilesThingsThatAreNoFilesAndBadUsageCannotBeChecked) {
    const std::string fifo = folder_ / "fifo.plist";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string socketPath = folder_ / "socket.plist";
    const platform::linux_backend::FileDescriptor listening(::socket(AF_UNIX, SOCK_STREAM, 0));
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    socketPath.copy(address.sun_path, sizeof address.sun_path - 1);
    ASSERT_EQ(::bind(listening.get(), reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    for (const auto& [path, reason] : std::vector<std::pair<std::string, std::string>>{
             {folder_ / "absent.plist", "No such file or directory"},
             {fifo, "a named pipe, not a file"},
             {socketPath, "a socket, not a file"},
             {"/dev/null", "a character device, not a file"},
             {folder_, "a folder, not a file"}}) {
        const CheckerRun run = runChecker({"--other", path});
        EXPECT_EQ(run.status, 2) << path;
        EXPECT_TRUE(run.has("cannot be read: " + reason)) << run.output;
        // --devices reads the catalogues too, and ends as well.
        EXPECT_NE(runChecker({"--devices", "--other", path}).status, -1) << path;
    }
    EXPECT_EQ(runChecker({"--frobnicate"}).status, 2);
    EXPECT_EQ(runChecker({"--help"}).status, 0);
}

TEST_F(Checker, DevicesAttachedNowAreJudgedAsTheAssistantWould) {
    Testbed testbed;
    testbed.add("1-1", "04b8", "0e28");
    testbed.add("1-2", "04b8", "1234");
    testbed.add("1-3", "04b8", "9999");
    testbed.add("1-4", "046d", "c52b");
    const std::string wifi = cleanWifi(entry("0x04B8", "0x0E28"));
    const std::string other = write("otherDevices.plist", catalogue(entry("04B8", "1234")));
    const CheckerRun run = runChecker({"--devices", "--wifi", wifi, "--other", other});
    EXPECT_EQ(run.status, 0);
    EXPECT_TRUE(run.has("04b8:0e28  Wi-Fi model")) << run.output;
    EXPECT_TRUE(run.has("04b8:1234  USB-only model")) << run.output;
    EXPECT_TRUE(run.has("04b8:9999  the maker's vendor id, but a model no catalogue lists"))
        << run.output;
    EXPECT_TRUE(run.has("046d:c52b  another maker's device")) << run.output;
    const CheckerRun json = runChecker({"--devices", "--json", "--wifi", wifi, "--other", other});
    EXPECT_TRUE(json.has("{\"vid\": \"04b8\", \"pid\": \"9999\", \"verdict\": "
                         "\"maker-unknown-model\"}"))
        << json.output;
}

#if !defined(__SANITIZE_ADDRESS__) && !defined(__SANITIZE_THREAD__)
// The peak resident memory of the checker reading one file, in KiB. GNU time
// forks from its own small image: a child spawned from this test directly
// would be charged this process's peak too. Under ASan the shadow memory
// would count as well, as would ThreadSanitizer's.
long peakKilobytes(const std::string& path) {
    const std::string report = path + ".rss";
    const CheckerRun run =
        runProgram({"/usr/bin/time", "-q", "-f", "%M", "-o", report, RUNNETLUME_CHECKER, path});
    EXPECT_LT(run.status, 2) << path;
    long kilobytes = -1;
    std::ifstream(report) >> kilobytes;
    return kilobytes;
}

TEST_F(Checker, ReadingAnyHostileClassAtFullSizeCostsUnder64MiB) {
    const long baseline = peakKilobytes(write("small.plist", catalogue(entry("1", "2"))));
    ASSERT_GT(baseline, 0);
    for (const hostile::Sample& sample : hostile::samples(hostile::FullSize)) {
        const long extra = peakKilobytes(write(sample.name, sample.bytes)) - baseline;
        EXPECT_LT(extra, 64 * 1024) << sample.name;
        RecordProperty(sample.name + "_extra_kib", std::to_string(extra));
    }
}
#endif

} // namespace
