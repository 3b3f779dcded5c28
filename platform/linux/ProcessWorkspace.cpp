// SPDX-License-Identifier: MIT
#include "platform/linux/ProcessWorkspace.h"
#include "platform/linux/FileDescriptor.h"
#include "platform/linux/SystemFailure.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <signal.h>
#include <spawn.h>
#include <string_view>
#include <sys/stat.h>
#include <unistd.h>

extern char** environ;

namespace platform::linux_backend {

namespace {

struct DirClose {
    void operator()(DIR* dir) const { ::closedir(dir); }
};

class SpawnAttributes {
public:
    SpawnAttributes() { ok_ = ::posix_spawnattr_init(&attributes_) == 0; }
    ~SpawnAttributes() {
        if (ok_) ::posix_spawnattr_destroy(&attributes_);
    }
    SpawnAttributes(const SpawnAttributes&) = delete;
    SpawnAttributes& operator=(const SpawnAttributes&) = delete;

    // A session of its own, so that the tool outlives the assistant and its
    // terminal; signals as a freshly started program expects them.
    int prepare() {
        if (!ok_) return ENOMEM;
        sigset_t none;
        sigset_t all;
        sigemptyset(&none);
        sigfillset(&all);
        int error = ::posix_spawnattr_setsigmask(&attributes_, &none);
        if (error == 0) error = ::posix_spawnattr_setsigdefault(&attributes_, &all);
        if (error == 0)
            error = ::posix_spawnattr_setflags(
                &attributes_, POSIX_SPAWN_SETSID | POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
        return error;
    }
    const posix_spawnattr_t* get() const { return &attributes_; }

private:
    posix_spawnattr_t attributes_{};
    bool ok_ = false;
};

std::string baseName(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::optional<std::string> executableOf(const std::string& processDir) {
    char target[4096];
    const ssize_t length = ::readlink((processDir + "/exe").c_str(), target, sizeof target - 1);
    if (length <= 0) return std::nullopt;
    std::string path(target, static_cast<std::size_t>(length));
    // A program replaced on disk while it runs (an upgrade) still is itself.
    constexpr std::string_view Deleted = " (deleted)";
    if (path.size() > Deleted.size() &&
        path.compare(path.size() - Deleted.size(), Deleted.size(), Deleted) == 0)
        path.resize(path.size() - Deleted.size());
    return path;
}

enum class Interpreter { Shell, Python, Perl };

std::optional<Interpreter> interpreterNamed(const std::string& program) {
    if (program == "sh" || program == "bash" || program == "dash") return Interpreter::Shell;
    if (program == "perl") return Interpreter::Perl;
    // python3 and its versioned names: python3.11
    if (program.rfind("python3", 0) == 0 &&
        program.find_first_not_of("0123456789.", 7) == std::string::npos)
        return Interpreter::Python;
    return std::nullopt;
}

// The script an interpreter's command line runs: its first argument that is
// no option. Nothing when the program text comes from an option instead
// (sh -c, python3 -c or -m, perl -e) or from standard input.
std::optional<std::string> scriptOf(Interpreter interpreter, const std::vector<std::string>& argv) {
    for (std::size_t i = 1; i < argv.size(); ++i) {
        const std::string& argument = argv[i];
        if (argument == "--")
            return i + 1 < argv.size() ? std::optional(argv[i + 1]) : std::nullopt;
        if (argument == "-") return std::nullopt;
        // Shells also take options with a "+" (set +o ...).
        const bool option =
            argument.size() > 1 &&
            (argument[0] == '-' || (interpreter == Interpreter::Shell && argument[0] == '+'));
        if (!option) return argument;
        const char letter = argument[1];
        switch (interpreter) {
        case Interpreter::Shell:
            if (letter != '-' && argument.find('c') != std::string::npos) return std::nullopt;
            if (argument.size() == 2 && letter == 'o') ++i;
            break;
        case Interpreter::Python:
            if (letter == 'c' || letter == 'm') return std::nullopt;
            if (argument.size() == 2 && (letter == 'W' || letter == 'X')) ++i;
            break;
        case Interpreter::Perl:
            if (letter == 'e' || letter == 'E') return std::nullopt;
            break;
        }
    }
    return std::nullopt;
}

// Empty when the process has gone meanwhile: reading the file of a process
// that has just exited fails (ESRCH), which a stream would have thrown.
std::vector<std::string> readCommandLine(const std::string& path) {
    const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (!file) return {};
    std::string raw;
    std::array<char, 4096> chunk{};
    for (;;) {
        const ssize_t got = ::read(file.get(), chunk.data(), chunk.size());
        if (got < 0 && errno == EINTR) continue;
        if (got < 0) return {};
        if (got == 0) break;
        raw.append(chunk.data(), static_cast<std::size_t>(got));
    }
    std::vector<std::string> argv;
    std::size_t start = 0;
    while (start < raw.size()) {
        std::size_t end = raw.find('\0', start);
        if (end == std::string::npos) end = raw.size();
        argv.push_back(raw.substr(start, end - start));
        start = end + 1;
    }
    return argv;
}

} // namespace

bool processRuns(const std::string& identity, const std::optional<std::string>& executable,
                 const std::vector<std::string>& argv) {
    if (!executable) return !argv.empty() && baseName(argv[0]) == identity;
    const std::string program = baseName(*executable);
    if (program == identity) return true;
    const std::optional<Interpreter> interpreter = interpreterNamed(program);
    if (!interpreter) return false;
    const std::optional<std::string> script = scriptOf(*interpreter, argv);
    if (!script) return false;
    const std::string name = baseName(*script);
    return name == identity || name == identity + ".py";
}

std::optional<Failure>
ProcessWorkspace::launchApplication(const std::string& path,
                                    const std::vector<std::string>& arguments) {
    std::vector<std::string> strings{path};
    strings.insert(strings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    argv.reserve(strings.size() + 1);
    for (std::string& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    SpawnAttributes attributes;
    const std::string what = "could not start \"" + path + "\"";
    if (const int error = attributes.prepare()) return errnoFailure("posix_spawnattr", error, what);
    pid_t child = 0;
    if (const int error =
            ::posix_spawn(&child, path.c_str(), nullptr, attributes.get(), argv.data(), environ))
        return errnoFailure("posix_spawn", error, what);
    return std::nullopt;
}

std::optional<int> ProcessWorkspace::runningApplicationCount(const std::string& identity) {
    const std::unique_ptr<DIR, DirClose> dir(::opendir(procRoot_.c_str()));
    if (!dir) return std::nullopt;
    const uid_t user = ::getuid();
    int count = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string name = entry->d_name;
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos) continue;
        const std::string processDir = procRoot_ + "/" + name;
        struct stat info {};
        if (::stat(processDir.c_str(), &info) != 0 || info.st_uid != user) continue;
        if (processRuns(identity, executableOf(processDir),
                        readCommandLine(processDir + "/cmdline"))) {
            ++count;
        }
    }
    return count;
}

namespace {
bool runnableFile(const std::string& path) {
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
           ::access(path.c_str(), X_OK) == 0;
}
} // namespace

bool ProcessWorkspace::isInstalled(const std::string& location) {
    if (location.empty()) return false;
    if (location.find('/') != std::string::npos) return runnableFile(location);
    // The shell's own search: the first runnable file of that name along
    // PATH. Relative entries are skipped; they name wherever the assistant
    // happened to be started.
    const char* const searchPath = std::getenv("PATH");
    const std::string_view folders = searchPath != nullptr ? searchPath : "/usr/bin:/bin";
    std::size_t start = 0;
    while (start <= folders.size()) {
        const std::size_t end = std::min(folders.find(':', start), folders.size());
        const std::string_view folder = folders.substr(start, end - start);
        if (!folder.empty() && folder.front() == '/' &&
            runnableFile(std::string(folder) + "/" + location))
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace platform::linux_backend
