// SPDX-License-Identifier: MIT
#include "tools/runNetlume-check/CatalogueCheck.h"

#include "app/detection/DeviceCatalogue.h"
#include "app/detection/LogText.h"
#include "app/handoff/AgentPath.h"
#include "app/handoff/LaunchAgentRefresh.h"
#include "platform/linux/PlistFileReader.h"

#include <array>
#include <fstream>
#include <map>
#include <sys/stat.h>

namespace check {

namespace {

using platform::linux_backend::PlistProblem;

// Where a model was first listed: the file's place among those checked and
// the entry's place in it, so that a long list keeps no copies of paths.
struct Listing {
    std::size_t file;
    std::size_t entry;
};

class FileCheck {
public:
    FileCheck(const CatalogueFile& file, bool buildTime, Report& report, bool& ioProblem)
        : file_(file), buildTime_(buildTime), report_(report), ioProblem_(ioProblem) {}

    // The catalogue as the assistant would read it; empty when unreadable.
    DeviceCatalogue run();

private:
    void add(Severity severity, std::string id, std::string where, std::string message) {
        report_.add({.severity = severity,
                     .id = std::move(id),
                     .where = std::move(where),
                     .message = std::move(message),
                     .file = file_.path});
    }
    // Missing on this machine: an error for an installed bundle.
    Severity missingSeverity() const { return buildTime_ ? Severity::Warning : Severity::Error; }
    void checkApplication(const std::string& path);
    void checkAgent(const std::string& where, const std::string& path);

    const CatalogueFile& file_;
    bool buildTime_;
    Report& report_;
    bool& ioProblem_;
};

DeviceCatalogue FileCheck::run() {
    auto root = platform::linux_backend::readPropertyListFile(file_.path);
    if (!root) {
        const PlistProblem& problem = root.failure();
        const bool io =
            problem.kind == PlistProblem::Kind::Missing || problem.kind == PlistProblem::Kind::Io;
        ioProblem_ = ioProblem_ || io;
        report_.add(
            {Severity::Error, platform::linux_backend::problemId(problem.kind), "",
             io ? "cannot be read: " + problem.message
                : "unreadable, so the assistant reads it as an empty catalogue: " + problem.message,
             file_.path, problem.line, problem.column, problem.offset});
        return {};
    }

    DeviceCatalogue catalogue =
        DeviceCatalogue::fromPropertyList(root.value().root(), [this](Finding&& finding) {
            finding.file = file_.path;
            report_.add(finding);
        });
    if (catalogue.devices().empty())
        add(Severity::Warning, "no-models", "devices", "lists no printer model");

    if (file_.role == CatalogueFile::Role::Wifi || file_.role == CatalogueFile::Role::Any) {
        if (catalogue.application())
            checkApplication(*catalogue.application());
        else if (file_.role == CatalogueFile::Role::Wifi)
            add(Severity::Warning, "application-absent", "application",
                "is not given, so OK on the Wi-Fi question starts nothing");
        const std::vector<std::string>& agents = catalogue.smLaunchAgentPath();
        const AgentSelection selection = selectAgents(agents);
        const auto at = [](std::size_t i) {
            return "smLaunchAgentPath[" + std::to_string(i) + "]";
        };
        for (const std::size_t i : selection.reloaded)
            checkAgent(at(i), agents[i]);
        for (const std::size_t i : selection.repeated)
            add(Severity::Warning, "agent-listed-again", at(i),
                "is listed before; the assistant reloads it once, at its first place");
        if (selection.skipped > 0)
            add(Severity::Error, "too-many-agents", "smLaunchAgentPath",
                "lists more than " + std::to_string(MaxLaunchAgents) +
                    " distinct agents; the assistant skips the last " +
                    std::to_string(selection.skipped));
        if (catalogue.usbMonitorLaunchAgentPath())
            checkAgent("usbMonitorLaunchAgentPath", *catalogue.usbMonitorLaunchAgentPath());
    }
    return catalogue;
}

void FileCheck::checkApplication(const std::string& path) {
    const std::string where = "application";
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        add(missingSeverity(), "path-missing", where, "\"" + path + "\" does not exist here");
        return;
    }
    if (!S_ISREG(info.st_mode)) {
        add(missingSeverity(), "application-not-file", where, "\"" + path + "\" is not a file");
        return;
    }
    if ((info.st_mode & 0111) == 0) {
        add(missingSeverity(), "application-not-executable", where,
            "\"" + path + "\" is not executable");
        return;
    }
    std::array<char, 4> head{};
    std::ifstream(path, std::ios::binary).read(head.data(), head.size());
    const bool elf = head[0] == '\x7f' && head[1] == 'E' && head[2] == 'L' && head[3] == 'F';
    const bool script = head[0] == '#' && head[1] == '!';
    if (!elf && !script)
        add(missingSeverity(), "application-no-interpreter", where,
            "\"" + path + "\" is neither a program nor a script with an interpreter line (#!)");
}

bool isUnitFile(const std::string& path) {
    static constexpr std::array<std::string_view, 10> suffixes = {
        ".service", ".socket",    ".timer", ".path",  ".target",
        ".mount",   ".automount", ".swap",  ".slice", ".scope"};
    for (const std::string_view suffix : suffixes)
        if (path.size() > suffix.size() &&
            path.compare(path.size() - suffix.size(), suffix.size(), suffix) == 0)
            return true;
    return false;
}

void FileCheck::checkAgent(const std::string& where, const std::string& path) {
    if (const AgentPathVerdict verdict = judgeAgentPath(path);
        verdict != AgentPathVerdict::Accepted) {
        // In the order of the verdicts.
        static constexpr const char* Ids[] = {"", "agent-not-ascii", "agent-refused",
                                              "agent-too-long"};
        add(Severity::Error, Ids[static_cast<int>(verdict)], where, whyAgentPathRefused(verdict));
        return;
    }
    if (path.empty() || path[0] != '/')
        add(Severity::Warning, "agent-not-absolute", where,
            "\"" + path + "\" is not an absolute path; systemctl takes it as a unit name");
    if (!isUnitFile(path))
        add(Severity::Warning, "agent-not-unit", where,
            "\"" + path + "\" is not a systemd unit file (.service, .timer, .socket, ...)");
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0)
        add(missingSeverity(), "path-missing", where, "\"" + path + "\" does not exist here");
}

} // namespace

bool checkCatalogues(const std::vector<CatalogueFile>& files, bool buildTime, Report& report) {
    // The assistant asks the Wi-Fi catalogue first, so its listings win.
    std::vector<const CatalogueFile*> ordered;
    for (const CatalogueFile& file : files)
        if (file.role == CatalogueFile::Role::Wifi) ordered.push_back(&file);
    for (const CatalogueFile& file : files)
        if (file.role != CatalogueFile::Role::Wifi) ordered.push_back(&file);

    bool ioProblem = false;
    const auto at = [](std::size_t entry) { return "devices[" + std::to_string(entry) + "]"; };
    std::map<std::pair<std::uint32_t, std::uint32_t>, Listing> firstListing;
    for (std::size_t f = 0; f < ordered.size(); ++f) {
        const CatalogueFile& file = *ordered[f];
        const DeviceCatalogue catalogue = FileCheck(file, buildTime, report, ioProblem).run();
        for (std::size_t i = 0; i < catalogue.devices().size(); ++i) {
            const auto ids = catalogue.devices()[i].usbIds();
            if (!ids) continue;
            const auto [first, isNew] =
                firstListing.try_emplace({ids->vid, ids->pid}, Listing{f, i});
            if (isNew) continue;
            const CatalogueFile& winner = *ordered[first->second.file];
            const bool sameFile = first->second.file == f;
            std::string message = usbIdText(ids->vid, ids->pid) + " is listed again; " +
                                  (sameFile ? "" : winner.path + " ") + at(first->second.entry) +
                                  " wins";
            if (winner.role == CatalogueFile::Role::Wifi && file.role == CatalogueFile::Role::Other)
                message += ": the assistant offers the Wi-Fi setup tool for it";
            report.add({.severity = Severity::Warning,
                        .id = sameFile ? "duplicate-model" : "model-in-both",
                        .where = at(i),
                        .message = message,
                        .file = file.path});
        }
    }
    return ioProblem;
}

} // namespace check
