#include "platform/linux/ProcessWorkspace.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fstream>
#include <iterator>
#include <memory>
#include <signal.h>
#include <spawn.h>
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

std::string readFirstLine(const std::string& path) {
    std::ifstream in(path);
    std::string line;
    std::getline(in, line);
    return line;
}

std::vector<std::string> readCommandLine(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
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

bool processRuns(const std::string& identity, const std::string& comm,
                 const std::vector<std::string>& argv) {
    constexpr std::size_t CommLength = 15;
    if (identity.size() <= CommLength && comm == identity) return true;
    if (!argv.empty() && baseName(argv[0]) == identity) return true;
    if (argv.size() >= 2) {
        const std::string script = baseName(argv[1]);
        if (script == identity || script == identity + ".py") return true;
    }
    return false;
}

std::optional<std::string>
ProcessWorkspace::launchApplication(const std::string& path,
                                    const std::vector<std::string>& arguments) {
    std::vector<std::string> strings{path};
    strings.insert(strings.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& s : strings)
        argv.push_back(s.data());
    argv.push_back(nullptr);

    SpawnAttributes attributes;
    int error = attributes.prepare();
    pid_t child = 0;
    if (error == 0)
        error =
            ::posix_spawn(&child, path.c_str(), nullptr, attributes.get(), argv.data(), environ);
    if (error != 0) return "could not start \"" + path + "\": " + std::strerror(error);
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
        if (processRuns(identity, readFirstLine(processDir + "/comm"),
                        readCommandLine(processDir + "/cmdline"))) {
            ++count;
        }
    }
    return count;
}

} // namespace platform::linux_backend
