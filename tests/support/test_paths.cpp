#include "test_paths.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <fstream>
#include <mutex>
#include <sstream>
#include <system_error>

namespace orrerion::testing {

std::filesystem::path GoldenDir() { return ORRERION_GOLDEN_DIR; }
std::filesystem::path DataDir() { return ORRERION_DATA_DIR; }
std::filesystem::path CliPath() { return ORRERION_CLI_PATH; }

namespace {

// The folders this test program made, removed when it ends, so that the suite run again and again
// leaves nothing behind; ORRERION_KEEP_TEST_DIRS keeps them to be looked at.
class MadeFolders {
public:
    void Add(const std::filesystem::path& dir) {
        std::lock_guard lock(mutex_);
        made_.push_back(dir);
    }
    ~MadeFolders() {
        if (std::getenv("ORRERION_KEEP_TEST_DIRS") != nullptr) return;
        for (const std::filesystem::path& dir : made_) {
            std::error_code ignored;
            std::filesystem::remove_all(dir, ignored);
        }
    }

private:
    std::mutex mutex_;
    std::vector<std::filesystem::path> made_;
};

MadeFolders& Made() {
    static MadeFolders folders;
    return folders;
}

}  // namespace

std::filesystem::path MakeTempDir() {
    static std::atomic<int> counter{0};
    std::string name = "orrerion-test";
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info()) {
        name += std::string("-") + info->test_suite_name() + "-" + info->name();
    }
    for (char& c : name) {
        if (c == '/') c = '_';
    }
    name += "-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
    auto dir = std::filesystem::temp_directory_path() / name;
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    Made().Add(dir);
    return dir;
}

std::string ReadWholeFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

std::vector<std::string> CrLfLines(const std::string& text, std::size_t from) {
    std::vector<std::string> lines;
    std::size_t at = 0;
    for (std::size_t n = 0; at < text.size(); ++n) {
        const std::size_t end = text.find("\r\n", at);
        if (n >= from) lines.push_back(text.substr(at, end - at));
        if (end == std::string::npos) break;
        at = end + 2;
    }
    return lines;
}

std::vector<std::string> ReportFileLines(const std::filesystem::path& path, std::size_t from) {
    return CrLfLines(ReadWholeFile(path), from);
}

void WriteWholeFile(const std::filesystem::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary);
    out << content;
}

std::vector<std::filesystem::path> GoldenCases(const std::string& kind) {
    std::vector<std::filesystem::path> cases;
    for (const auto& entry : std::filesystem::directory_iterator(GoldenDir() / kind)) {
        if (entry.is_directory()) cases.push_back(entry.path());
    }
    std::sort(cases.begin(), cases.end());
    return cases;
}

std::vector<std::string> GoldenCaseArgs(const std::filesystem::path& caseDir) {
    std::ifstream in(caseDir / "args", std::ios::binary);
    std::vector<std::string> args;
    std::string line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        args.push_back(line);
    }
    for (std::size_t i = 0; i + 1 < args.size(); ++i) {
        if (args[i] == "--options") args[i + 1] = (GoldenDir() / args[i + 1]).string();
    }
    return args;
}

namespace {
std::string ReadAll(int fd) {
    std::string text;
    char buf[65536];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0) text.append(buf, static_cast<std::size_t>(n));
    return text;
}
}  // namespace

CommandResult RunCli(const std::vector<std::string>& args, const std::filesystem::path& stdoutDevice) {
    return RunProgram(CliPath(), args, stdoutDevice);
}

CommandResult RunProgram(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::filesystem::path& stdoutDevice) {
    // stdout and stderr go to temporary files so that neither pipe can fill up and block.
    auto dir = std::filesystem::temp_directory_path();
    std::string outPath = (dir / ("orrerion-cli-out-" + std::to_string(::getpid()))).string();
    std::string errPath = (dir / ("orrerion-cli-err-" + std::to_string(::getpid()))).string();
    CommandResult result;
    pid_t pid = ::fork();
    if (pid == 0) {
        int o = stdoutDevice.empty() ? ::open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600)
                                     : ::open(stdoutDevice.c_str(), O_WRONLY);
        int e = ::open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(o, 1);
        ::dup2(e, 2);
        std::vector<char*> argv;
        std::string exe = program.string();
        argv.push_back(exe.data());
        std::vector<std::string> copy = args;
        for (auto& a : copy) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(exe.c_str(), argv.data());
        ::_exit(127);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    int o = ::open(outPath.c_str(), O_RDONLY);
    int e = ::open(errPath.c_str(), O_RDONLY);
    result.out = ReadAll(o);
    result.err = ReadAll(e);
    ::close(o);
    ::close(e);
    ::unlink(outPath.c_str());
    ::unlink(errPath.c_str());
    return result;
}

std::set<std::string> ReportFolderNames(const std::filesystem::path& dir) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (!(name.starts_with(".") && name.ends_with(".set"))) names.insert(name);
    }
    return names;
}

int StartCli(const std::vector<std::string>& args) {
    std::vector<std::string> copy = args;
    std::string exe = CliPath().string();
    std::vector<char*> argv{exe.data()};
    for (auto& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    const pid_t pid = ::fork();
    if (pid == 0) {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, 1);
        ::dup2(null, 2);
        ::execv(exe.c_str(), argv.data());
        ::_exit(127);
    }
    return static_cast<int>(pid);
}

int WaitForProgram(int pid) {
    int status = 0;
    if (::waitpid(static_cast<pid_t>(pid), &status, 0) != pid) return -1;
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace orrerion::testing
