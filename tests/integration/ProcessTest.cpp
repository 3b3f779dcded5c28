// SPDX-License-Identifier: MIT
// Real processes and the real shell: the companion tool started without a
// shell in a session of its own, the printer settings opened through /bin/sh
// and counted from /proc.
#include "app/handoff/AddPrinter.h"
#include "platform/PlatformProfile.h"
#include "platform/linux/PosixShell.h"
#include "platform/linux/ProcessWorkspace.h"
#include "tests/fakes/ControllerFixture.h"
#include "tests/integration/TestFolder.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <poll.h>
#include <sstream>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace fakes;
namespace fs = std::filesystem;
using platform::linux_backend::PosixShell;
using platform::linux_backend::ProcessWorkspace;

namespace {

const fs::path StandIns = RUNNETLUME_STANDINS_DIR;

// Blocks until the process has ended; it need not be our child.
void awaitExit(pid_t pid) {
    const int fd = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (fd < 0) return; // already gone
    pollfd watch{fd, POLLIN, 0};
    ::poll(&watch, 1, 30'000);
    ::close(fd);
}

class Processes : public ::testing::Test {
protected:
    void SetUp() override {
        folder = freshTestFolder("proc");
        record = folder / "record";
        ::setenv("RUNNETLUME_RECORD", record.c_str(), 1);
        oldPath = std::getenv("PATH");
        ::setenv("PATH", (StandIns.string() + ":" + oldPath).c_str(), 1);
    }
    void TearDown() override {
        ::setenv("PATH", oldPath.c_str(), 1);
        fs::remove_all(folder);
    }

    // The record, one line an entry; waits for a writer when it is a FIFO.
    std::vector<std::string> recorded() const {
        std::ifstream in(record);
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }

    fs::path folder;
    fs::path record;
    std::string oldPath;
    PosixShell shell;
    ProcessWorkspace workspace;
};

TEST_F(Processes, CompanionToolGetsExactlyOneArgumentAndASessionOfItsOwn) {
    // Spaces and shell characters reach the system as one path.
    const fs::path odd = folder / "Wi-Fi Setup $(touch pwned) \"x\"; tool";
    fs::copy_file(StandIns / "companion-tool", odd);
    ASSERT_EQ(::mkfifo(record.c_str(), 0600), 0);

    EXPECT_EQ(workspace.launchApplication(odd, {"launchNetlume"}), std::nullopt);
    const std::vector<std::string> lines = recorded();
    ASSERT_EQ(lines.size(), 4U);
    EXPECT_EQ(lines[0], "argv0=" + odd.string());
    EXPECT_EQ(lines[1], "argc=1");
    EXPECT_EQ(lines[2], "arg=launchNetlume");
    const pid_t tool = std::stoi(lines[3].substr(4));

    std::ifstream stat("/proc/" + std::to_string(tool) + "/stat");
    std::string text((std::istreambuf_iterator<char>(stat)), std::istreambuf_iterator<char>());
    std::istringstream fields(text.substr(text.rfind(')') + 2));
    std::string state;
    pid_t parent = 0, group = 0, session = 0;
    fields >> state >> parent >> group >> session;
    EXPECT_EQ(session, tool) << "the tool leads a session of its own";
    EXPECT_NE(session, ::getsid(0));
    EXPECT_FALSE(fs::exists(folder / "pwned"));
    ::kill(tool, SIGTERM);
}

TEST_F(Processes, MissingToolIsOneReadableError) {
    const std::optional<platform::Failure> error =
        workspace.launchApplication("/nonexistent/Wi-Fi Setup", {"launchNetlume"});
    ASSERT_TRUE(error);
    EXPECT_EQ(describe(*error), "could not start \"/nonexistent/Wi-Fi Setup\": No such file or "
                                "directory (posix_spawn: ENOENT)");

    const fs::path notExecutable = folder / "plain-file";
    std::ofstream(notExecutable) << "text";
    EXPECT_EQ(workspace.launchApplication(notExecutable, {}),
              (platform::Failure{"posix_spawn", "EACCES",
                                 "could not start \"" + notExecutable.string() +
                                     "\": Permission denied"}));
}

TEST_F(Processes, ControllerLogsExactlyOneErrorLineForAMissingTool) {
    FakePlatform platform(platform::linuxProfile());
    platform.realWorkspace = &workspace;
    platform.setCatalogue("wifiDevices", dict({{"application", str("/nonexistent/tool")}}));
    runNetlumeAppDelegate controller(platform);
    controller.okButtonClicked(nullptr); // not a known sender: nothing
    FakeControl ok("okButton", platform.journal);
    controller.setOkButton(&ok);
    controller.okButtonClicked(&ok);
    EXPECT_EQ(platform.logFake.lines,
              std::vector<std::string>{
                  "error:could not start \"/nonexistent/tool\": No such file or directory "
                  "(posix_spawn: ENOENT)"});
    EXPECT_EQ(platform.app.terminateSenders.size(), 1U);
}

TEST(Shell, SaysHowACommandEnded) {
    PosixShell shell;
    EXPECT_EQ(shell.system("true"), std::nullopt);
    EXPECT_EQ(describe(*shell.system("exit 3")), "exit status 3");
    EXPECT_EQ(describe(*shell.system("kill -KILL $$")), "killed by signal 9 (Killed)");
}

TEST_F(Processes, PrinterSettingsAreCountedWhileTheyRunAndReadersAreNot) {
    // A name no other process on the machine has: what is counted is ours.
    const std::string identity = "settings-" + std::to_string(::getpid());
    const fs::path bin = folder / "bin";
    fs::create_directories(bin);
    fs::copy_file(StandIns / "system-config-printer", bin / identity);
    ::setenv("PATH", (bin.string() + ":" + std::getenv("PATH")).c_str(), 1);
    EXPECT_EQ(workspace.runningApplicationCount(identity), 0);

    // A pager showing the program's file is not the program.
    const pid_t reader = ::fork();
    if (reader == 0) {
        ::execlp("tail", "tail", "-f", (bin / identity).c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }

    // Opened through the shell with the Linux profile's command, as the assistant does.
    ASSERT_EQ(::mkfifo(record.c_str(), 0600), 0);
    ::setenv("RUNNETLUME_OPEN_SECONDS", "30", 1);
    platform::PlatformProfile profile = platform::linuxProfile();
    profile.addPrinterPrograms.front().location = identity;
    profile.addPrinterPrograms.front().identity = identity;
    FakePlatform platform(profile);
    platform.realShell = &shell;
    runNetlumeAppDelegate controller(platform);
    controller._openAddPrinter(); // returns at once: the program is in the background
    const std::vector<std::string> lines = recorded();
    ASSERT_EQ(lines.size(), 1U);
    const pid_t settings = std::stoi(lines[0].substr(7));

    EXPECT_EQ(workspace.runningApplicationCount(identity), 1);
    // SIGKILL: a test runner may start us with SIGTERM ignored, and the shell
    // cannot trap a signal that was ignored when it started.
    ::kill(settings, SIGKILL);
    awaitExit(settings);
    EXPECT_EQ(workspace.runningApplicationCount(identity), 0);
    ::kill(reader, SIGKILL);
    ::waitpid(reader, nullptr, 0);
}

TEST_F(Processes, TheDesktopsOwnPrinterSettingsAreFoundAlongPathAndOpened) {
    // Only this folder on PATH: whatever the machine has installed stays out.
    const fs::path bin = folder / "bin";
    fs::create_directories(bin);
    ::setenv("PATH", bin.c_str(), 1);
    FakePlatform platform(platform::linuxProfile());
    platform.realShell = &shell;
    platform.realWorkspace = &workspace;
    runNetlumeAppDelegate controller(platform);
    const auto settingsNamed = [&](const std::string& name) {
        fs::copy_file(StandIns / "system-config-printer", bin / name);
        fs::remove(record);
        ASSERT_EQ(::mkfifo(record.c_str(), 0600), 0);
        controller._openAddPrinter();
    };

    // Nothing installed; a folder or a file that cannot run does not count.
    fs::create_directories(bin / "system-config-printer");
    std::ofstream(bin / "gnome-control-center") << "#!/bin/sh\n";
    controller._openAddPrinter();
    EXPECT_EQ(platform.journal.back(), "log No printer settings program is installed (looked "
                                       "for system-config-printer, gnome-control-center, "
                                       "kde-add-printer)");
    EXPECT_FALSE(fs::exists(record));
    fs::remove(bin / "gnome-control-center");

    ::setenv("RUNNETLUME_OPEN_SECONDS", "0", 1);
    settingsNamed("kde-add-printer");
    EXPECT_THAT(recorded(), ::testing::ElementsAre(::testing::EndsWith(" --add-printer")));
    settingsNamed("gnome-control-center");
    EXPECT_THAT(recorded(), ::testing::ElementsAre(::testing::EndsWith(" printers")));
    EXPECT_EQ(installedAddPrinterProgram(platform)->identity, "gnome-control-center");
    fs::remove(bin / "system-config-printer");
    settingsNamed("system-config-printer");
    EXPECT_THAT(recorded(), ::testing::ElementsAre(::testing::MatchesRegex("opened [0-9]+")));
    EXPECT_EQ(installedAddPrinterProgram(platform)->identity, "system-config-printer");
}

TEST(ProcessIdentity, TheProgramOrItsScriptUnderAKnownInterpreter) {
    using platform::linux_backend::processRuns;
    const std::string settings = "system-config-printer";
    EXPECT_TRUE(processRuns(
        settings, "/usr/bin/python3.11",
        {"/usr/bin/python3", "-u", "/usr/share/system-config-printer/system-config-printer.py"}));
    EXPECT_TRUE(
        processRuns(settings, "/usr/bin/dash", {"/bin/sh", "/usr/bin/system-config-printer"}));
    EXPECT_TRUE(processRuns(settings, "/usr/bin/system-config-printer", {"anything"}));
    EXPECT_TRUE(processRuns("gnome-control-center", "/usr/bin/gnome-control-center",
                            {"gnome-control-center", "printers"}));
    // Unreadable executable: argv[0] by its file name.
    EXPECT_TRUE(processRuns(settings, std::nullopt, {"/usr/bin/system-config-printer"}));
    EXPECT_FALSE(processRuns(settings, std::nullopt, {"man", settings}));

    // The tray applet shares the first 15 characters and is not the settings program.
    EXPECT_FALSE(processRuns(settings, "/usr/bin/python3.11",
                             {"/usr/bin/python3", "/usr/share/system-config-printer/applet.py"}));
    // Readers, editors, pagers and man name the file without running it.
    for (const char* tool : {"/usr/bin/cat", "/usr/bin/less", "/usr/bin/vim.basic", "/usr/bin/man"})
        EXPECT_FALSE(processRuns(settings, tool, {tool, "/usr/bin/system-config-printer"})) << tool;
    // An interpreter given its program text some other way.
    EXPECT_FALSE(processRuns(settings, "/usr/bin/bash", {"bash", "-c", "system-config-printer"}));
    EXPECT_FALSE(processRuns(settings, "/usr/bin/python3.11", {"python3", "-m", settings}));
    EXPECT_FALSE(processRuns(settings, "/usr/bin/perl", {"perl", "-e", "1", settings}));
    EXPECT_FALSE(processRuns(settings, "/usr/bin/python3.11", {"python3"}));
}

TEST(ProcessIdentity, OnlyTheUsersOwnProcessesCount) {
    const fs::path proc = freshTestFolder("fakeproc");
    const auto process = [&](const std::string& pid, const std::string& exe,
                             const std::string& cmdline) {
        fs::create_directories(proc / pid);
        if (!exe.empty()) fs::create_symlink(exe, proc / pid / "exe");
        std::ofstream(proc / pid / "cmdline", std::ios::binary) << cmdline;
    };
    process("100", "/usr/bin/python3.11",
            std::string("python3\0/usr/bin/system-config-printer\0", 38));
    process("101", "/usr/bin/dash", std::string("/bin/sh\0/tmp/system-config-printer\0", 35));
    process("self", "/usr/bin/dash", std::string("/bin/sh\0/tmp/system-config-printer\0", 35));
    process("102", "/usr/bin/bash", std::string("bash\0", 5));
    process("103", "/usr/bin/system-config-printer (deleted)", std::string("x\0", 2));
    process("104", "", std::string("/usr/bin/system-config-printer\0", 31));
    // One that ends as it is read: reading its command line fails.
    fs::create_directories(proc / "105" / "cmdline");
    fs::create_symlink("/usr/bin/python3.11", proc / "105" / "exe");
    ProcessWorkspace workspace(proc.string());
    EXPECT_EQ(workspace.runningApplicationCount("system-config-printer"), 4);
    if (::getuid() == 0) {
        ASSERT_EQ(::chown((proc / "101").c_str(), 4242, 4242), 0);
        EXPECT_EQ(workspace.runningApplicationCount("system-config-printer"), 3);
    }
    fs::remove_all(proc);
    EXPECT_EQ(workspace.runningApplicationCount("system-config-printer"), std::nullopt);
}

} // namespace
