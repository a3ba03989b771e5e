#include "platform/process/ProcessStart.h"

#include "machine/AsciiCase.h"
#include "machine/FileStore.h"
#include "machine/Machine.h"
#include "machine/programs/ProgramFiles.h"
#include "machine/programs/ProgramLog.h"
#include "machine/programs/ProgramSettings.h"
#include "machine/programs/StandIns.h"
#include "machine/registry/Registry.h"
#include "platform/base/WinError.h"
#include "platform/file/ModuleFile.h"
#include "platform/file/WinPath.h"
#include "platform/process/CommandLine.h"
#include "platform/process/Spawn.h"
#include "platform/ui/Clock.h"
#include "platform/ui/WindowStyles.h"

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <thread>
#include <unistd.h>
#include <vector>

namespace platform
{
namespace
{

namespace programs = machine::programs;

constexpr UINT kWinExecStarted = 33;
constexpr const char* kAccessPointProgram = "TessarynAp";
constexpr HINSTANCE kShellExecuteDone = 42;
constexpr const char* kEnvironmentKey =
    "HKEY_LOCAL_MACHINE\\SYSTEM\\CurrentControlSet\\Control\\Session Manager\\Environment";

std::atomic<int> g_pendingReports{0};
// Set while the mode switch starts the program it hands over to (a stand-in runs on the thread
// that started it).
thread_local bool g_handingOver = false;

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::size_t findNoCase(const std::string& text, const std::string& what, std::size_t from = 0)
{
    for (std::size_t i = from; i + what.size() <= text.size(); ++i)
    {
        std::size_t k = 0;
        while (k < what.size() && lower(text[i + k]) == lower(what[k]))
            ++k;
        if (k == what.size())
            return i;
    }
    return std::string::npos;
}

std::string folderOf(const std::string& windowsPath)
{
    auto slash = windowsPath.rfind('\\');
    return slash == std::string::npos ? std::string() : windowsPath.substr(0, slash);
}

std::string fileNameOf(const std::string& windowsPath)
{
    auto slash = windowsPath.find_last_of("\\/");
    return slash == std::string::npos ? windowsPath : windowsPath.substr(slash + 1);
}

bool hasFolder(const std::string& name)
{
    return name.find_first_of("\\/:") != std::string::npos;
}

std::string withExtension(const std::string& name)
{
    return fileNameOf(name).find('.') == std::string::npos ? name + ".exe" : name;
}

// %SystemRoot% and %windir% are what the machine's Path uses.
std::string expandSystemRoot(std::string text)
{
    for (const char* var : {"%SystemRoot%", "%windir%"})
    {
        const std::string v = var;
        for (std::size_t at = 0; (at = findNoCase(text, v, at)) != std::string::npos;)
        {
            text.replace(at, v.size(), programs::kWindowsFolder);
            at += std::char_traits<char>::length(programs::kWindowsFolder);
        }
    }
    return text;
}

std::vector<std::string> machinePath()
{
    std::vector<std::string> folders;
    auto value = machine::registry::GetValue(machine::CurrentMachine(), kEnvironmentKey, "Path");
    if (!value)
        return folders;
    std::string text = value->data;
    while (!text.empty() && text.back() == '\0')
        text.pop_back();
    text = expandSystemRoot(text);
    std::size_t start = 0;
    while (start <= text.size())
    {
        std::size_t end = text.find(';', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            folders.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return folders;
}

bool isFile(const std::string& windowsPath)
{
    auto host = HostPath(windowsPath);
    std::error_code ec;
    return host && std::filesystem::is_regular_file(*host, ec);
}

bool folderExists(const std::string& windowsPath)
{
    auto host = HostPath(windowsPath);
    std::error_code ec;
    return host && std::filesystem::is_directory(*host, ec);
}

// The program named by the command line's first token, and the rest of the line.
struct Target
{
    ResolvedProgram program;
    std::string token; // as written, for failure injection
    std::string arguments;
};

Target resolveCommandLine(const std::string& commandLine)
{
    ProgramToken first = FirstToken(commandLine);
    Target t;
    if (first.quoted || first.rest.empty())
    {
        t.token = first.name;
        t.program = ResolveProgramFile(first.name);
        t.arguments = CommandTail(commandLine);
        return t;
    }
    // An unquoted name may hold blanks: each longer prefix is tried until one is a file.
    for (std::size_t end = first.name.size(); end <= commandLine.size(); ++end)
    {
        if (end != commandLine.size() && commandLine[end] != ' ' && commandLine[end] != '\t')
            continue;
        std::string candidate = commandLine.substr(0, end);
        ResolvedProgram r = ResolveProgramFile(candidate);
        if (r.error == 0)
        {
            t.token = candidate;
            t.program = r;
            std::string_view rest = std::string_view(commandLine).substr(end);
            while (!rest.empty() && (rest.front() == ' ' || rest.front() == '\t'))
                rest.remove_prefix(1);
            t.arguments = std::string(rest);
            return t;
        }
    }
    t.token = first.name;
    t.program = ResolveProgramFile(first.name);
    t.arguments = CommandTail(commandLine);
    return t;
}

void scheduleReport(const machine::Machine& m, std::filesystem::path hostFolder,
                    std::string windowsFolder, std::uint32_t delayMs)
{
    ++g_pendingReports;
    std::thread(
        [root = m.root(), hostFolder = std::move(hostFolder),
         windowsFolder = std::move(windowsFolder), due = Now() + delayMs]
        {
            while (Now() < due)
            {
                if (IsManualClock())
                    std::this_thread::sleep_for(std::chrono::milliseconds(1));
                else
                    std::this_thread::sleep_for(std::chrono::milliseconds(due - Now()));
            }
            try
            {
                programs::RunNicReport(machine::Machine(root), hostFolder, windowsFolder);
            }
            catch (const std::exception&)
            {
                // The machine went away meanwhile: a batch file would find nothing to write to.
            }
            --g_pendingReports;
        })
        .detach();
}

struct StartOutcome
{
    UINT result = 0; // the platform's code: kWinExecStarted or an error
    std::optional<int> pid;
};

// Runs the program file (its Windows path) with the full command line and the arguments after
// the program's name. The result is ERROR_ codes or kWinExecStarted.
StartOutcome runProgram(const std::string& file, const std::string& commandLine,
                        const std::string& arguments, UINT show, const std::string& directory,
                        std::vector<std::string>& afterLog)
{
    StartOutcome outcome;
    auto host = HostPath(file);
    auto text = host ? machine::ReadWholeFile(*host) : std::nullopt;
    if (!text)
    {
        outcome.result = ERROR_FILE_NOT_FOUND;
        return outcome;
    }
    auto program = programs::PlaceholderProgram(*text);
    programs::ProgramKind kind =
        program ? programs::KindOf(*program) : programs::ProgramKind::Unknown;
    const machine::Machine& m = machine::CurrentMachine();
    switch (kind)
    {
    case programs::ProgramKind::Unknown:
        outcome.result = ERROR_BAD_FORMAT;
        return outcome;
    case programs::ProgramKind::VnSwap:
    case programs::ProgramKind::Lanmeld:
        afterLog.push_back(*program);
        outcome.result = kWinExecStarted;
        return outcome;
    case programs::ProgramKind::Browser:
        afterLog.push_back(*program);
        outcome.result = kWinExecStarted;
        return outcome;
    case programs::ProgramKind::NicReport:
        afterLog.push_back(*program);
        outcome.result = kWinExecStarted;
        return outcome;
    case programs::ProgramKind::Built:
        if (programs::IsRecordOnly(programs::LoadProgramSettings(m), *program))
        {
            afterLog.push_back(*program);
            outcome.result = kWinExecStarted;
            return outcome;
        }
        break;
    case programs::ProgramKind::AccessPoint:
    {
        // The access-point program runs once it is built; until then its stand-in records.
        std::error_code ec;
        if (programs::IsRecordOnly(programs::LoadProgramSettings(m), kAccessPointProgram) ||
            !std::filesystem::exists(BuiltProgramFolder() / kAccessPointProgram, ec))
        {
            afterLog.push_back(*program);
            outcome.result = kWinExecStarted;
            return outcome;
        }
        program = kAccessPointProgram;
        break;
    }
    }
    SpawnRequest request;
    request.executable = BuiltProgramFolder() / *program;
    std::error_code ec;
    if (!std::filesystem::exists(request.executable, ec))
    {
        outcome.result = ERROR_FILE_NOT_FOUND;
        return outcome;
    }
    std::vector<std::string> argv = SplitArguments(commandLine);
    request.arguments.assign(argv.begin() + 1, argv.end());
    request.environment = {{"TESSARYN_MACHINE", m.root().string()},
                           {"TESSARYN_COMMAND_LINE", commandLine},
                           {"TESSARYN_SHOW", std::to_string(show)}};
    if (auto cwd = HostPath(directory))
        request.hostDirectory = *cwd;
    request.outputFile = m.runtimeDir() / (*program + ".out");
    if (g_handingOver)
        request.startAfterProcessEnds = static_cast<int>(::getpid());
    outcome.pid = SpawnDetached(request);
    outcome.result = outcome.pid ? kWinExecStarted : ERROR_FILE_NOT_FOUND;
    (void)arguments;
    return outcome;
}

// What a stand-in does once its start has been logged.
void runStandIn(const std::string& program, const std::string& file, const std::string& arguments)
{
    const machine::Machine& m = machine::CurrentMachine();
    switch (programs::KindOf(program))
    {
    case programs::ProgramKind::Built: // recorded only
    case programs::ProgramKind::AccessPoint:
    case programs::ProgramKind::Lanmeld:
        programs::RecordStandInRun(m, program, arguments);
        break;
    case programs::ProgramKind::VnSwap:
    {
        programs::RecordStandInRun(m, program, arguments);
        std::vector<std::string> argv = SplitArguments("VnSwap " + arguments);
        argv.erase(argv.begin());
        if (auto next = programs::RunVnSwap(m, argv))
        {
            // The program it hands over to lies beside it, and is started as any other.
            const std::string path = folderOf(*FullWindowsPath(file)) + "\\" + *next;
            programs::AppendProgramLog(m, "VnSwap starts [" + path + "]");
            // The mode switch runs apart from the program that started it: what it starts
            // comes up once that program has ended (and let go of what it held).
            g_handingOver = true;
            ::WinExec(("\"" + path + "\"").c_str(), SW_SHOWNORMAL);
            g_handingOver = false;
        }
        break;
    }
    case programs::ProgramKind::Browser:
        programs::RecordBrowserOpen(m, arguments);
        break;
    case programs::ProgramKind::NicReport:
    {
        const std::string folder = folderOf(*FullWindowsPath(file));
        auto hostFolder = HostPath(folder);
        if (!hostFolder)
            break;
        std::uint32_t delay = programs::LoadProgramSettings(m).reportDelayMs;
        if (delay == 0)
            programs::RunNicReport(m, *hostFolder, folder);
        else
            scheduleReport(m, *hostFolder, folder, delay);
        break;
    }
    default:
        break;
    }
}

std::string logLine(const std::string& head, UINT show, const std::string& directory, UINT result,
                    const std::optional<int>& pid)
{
    std::string line = head + " show=" + std::to_string(show) + " dir=[" + directory +
                       "] result=" + std::to_string(result);
    if (pid)
        line += " pid=" + std::to_string(*pid);
    return line;
}

bool isWebAddress(const std::string& file)
{
    return findNoCase(file, "http://") == 0 || findNoCase(file, "https://") == 0;
}

UINT shellResult(UINT winExecResult)
{
    if (winExecResult > 31)
        return kShellExecuteDone;
    if (winExecResult == ERROR_BAD_FORMAT)
        return SE_ERR_NOASSOC;
    return winExecResult;
}

} // namespace

ResolvedProgram ResolveProgramFile(const std::string& name)
{
    ResolvedProgram r;
    if (name.empty())
    {
        r.error = ERROR_FILE_NOT_FOUND;
        return r;
    }
    const std::string file = withExtension(name);
    if (hasFolder(file))
    {
        auto full = FullWindowsPath(file);
        if (!full)
        {
            r.error = ERROR_PATH_NOT_FOUND;
            return r;
        }
        if (isFile(*full))
        {
            r.path = *full;
            return r;
        }
        r.error = folderExists(folderOf(*full)) ? ERROR_FILE_NOT_FOUND : ERROR_PATH_NOT_FOUND;
        return r;
    }
    std::vector<std::string> folders = {folderOf(ModuleFilePath()), CurrentDirectory(),
                                        programs::kSystemFolder, programs::kWindowsFolder};
    for (auto& f : machinePath())
        folders.push_back(f);
    for (const auto& folder : folders)
    {
        std::string candidate = folder;
        if (candidate.empty() || candidate.back() != '\\')
            candidate += '\\';
        candidate += file;
        auto full = FullWindowsPath(candidate);
        if (full && isFile(*full))
        {
            r.path = *full;
            return r;
        }
    }
    r.error = ERROR_FILE_NOT_FOUND;
    return r;
}

void WaitForPendingReports()
{
    while (g_pendingReports.load() > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

} // namespace platform

UINT WinExec(LPCSTR lpCmdLine, UINT uCmdShow)
{
    using namespace platform;
    const machine::Machine& m = machine::CurrentMachine();
    const std::string commandLine = lpCmdLine != nullptr ? lpCmdLine : "";
    const std::string directory = CurrentDirectory();
    Target target = resolveCommandLine(commandLine);

    StartOutcome outcome;
    std::vector<std::string> standIns;
    if (auto injected = programs::TakeStartFailure(m, fileNameOf(withExtension(target.token))))
        outcome.result = *injected;
    else if (target.program.error != 0)
        outcome.result = target.program.error;
    else
        outcome = runProgram(target.program.path, commandLine, target.arguments, uCmdShow,
                             directory, standIns);
    programs::AppendProgramLog(m, logLine("WinExec [" + commandLine + "]", uCmdShow, directory,
                                          outcome.result, outcome.pid));
    for (const auto& program : standIns)
        runStandIn(program, target.program.path, target.arguments);
    if (outcome.result <= 31)
        SetLastError(outcome.result == 0 ? ERROR_NOT_ENOUGH_MEMORY : outcome.result);
    return outcome.result;
}

HINSTANCE ShellExecuteA(HWND hwnd, LPCSTR lpOperation, LPCSTR lpFile, LPCSTR lpParameters,
                        LPCSTR lpDirectory, INT nShowCmd)
{
    using namespace platform;
    const machine::Machine& m = machine::CurrentMachine();
    const std::string verb = lpOperation != nullptr ? lpOperation : "";
    const std::string file = lpFile != nullptr ? lpFile : "";
    const std::string parameters = lpParameters != nullptr ? lpParameters : "";
    const std::string givenDirectory = lpDirectory != nullptr ? lpDirectory : "";
    const UINT show = static_cast<UINT>(nShowCmd);

    UINT result = 0;
    std::optional<int> pid;
    std::vector<std::string> standIns;
    std::string programPath;
    std::string arguments;
    const std::string oldDirectory = CurrentDirectory();
    std::string directory = oldDirectory;
    if (!givenDirectory.empty())
        if (auto full = FullWindowsPath(givenDirectory))
            directory = *full;

    if (!verb.empty() && !machine::EqualNoCase(verb, "open"))
        result = SE_ERR_NOASSOC;
    else if (isWebAddress(file))
    {
        ResolvedProgram browser = ResolveProgramFile(programs::kBrowserPath);
        if (auto injected = programs::TakeStartFailure(m, fileNameOf(programs::kBrowserPath)))
            result = *injected;
        else if (browser.error != 0)
            result = SE_ERR_NOASSOC;
        else
        {
            StartOutcome o = runProgram(browser.path, "\"" + browser.path + "\" " + file, file,
                                        show, directory, standIns);
            result = shellResult(o.result);
            programPath = browser.path;
            arguments = file;
        }
    }
    else
    {
        // The file is looked for from the directory the caller gave.
        SetCurrentDirectoryPath(directory);
        ResolvedProgram target = ResolveProgramFile(file);
        SetCurrentDirectoryPath(oldDirectory);
        if (auto injected = programs::TakeStartFailure(m, fileNameOf(withExtension(file))))
            result = *injected;
        else if (target.error != 0)
            result = target.error;
        else
        {
            const std::string commandLine =
                "\"" + target.path + "\"" + (parameters.empty() ? "" : " " + parameters);
            StartOutcome o =
                runProgram(target.path, commandLine, parameters, show, directory, standIns);
            result = shellResult(o.result);
            pid = o.pid;
            programPath = target.path;
            arguments = parameters;
        }
    }
    programs::AppendProgramLog(m, logLine("ShellExecute " + (verb.empty() ? "(null)" : verb) +
                                              " [" + file + "] params=[" + parameters + "]",
                                          show, directory, result, pid));
    for (const auto& program : standIns)
        runStandIn(program, programPath, arguments);
    (void)hwnd;
    return result;
}
