#include "machine/programs/ProgramSettings.h"

#include "machine/AsciiCase.h"
#include "machine/FileStore.h"
#include "machine/MachineLock.h"

#include <sstream>

namespace machine::programs
{
namespace
{

std::filesystem::path settingsPath(const Machine& machine)
{
    return machine.root() / "programs" / "settings.txt";
}

template <class F> void change(const Machine& machine, F f)
{
    MachineLock lock(machine);
    ProgramSettings s = LoadProgramSettings(machine);
    f(s);
    SaveProgramSettings(machine, s);
}

bool sameProgram(const std::string& pattern, const std::string& fileName)
{
    if (pattern == "*")
        return true;
    if (EqualNoCase(pattern, fileName))
        return true;
    auto dot = fileName.rfind('.');
    return dot != std::string::npos && EqualNoCase(pattern, fileName.substr(0, dot));
}

} // namespace

std::string FormatProgramSettings(const ProgramSettings& settings)
{
    std::ostringstream out;
    for (const auto& f : settings.failures)
        out << "fail " << f.result << " " << f.remaining << " " << f.program << "\n";
    for (const auto& p : settings.recordOnly)
        out << "record-only " << p << "\n";
    out << "report-delay " << settings.reportDelayMs << "\n";
    out << "report-fail " << (settings.reportWritesNothing ? "on" : "off") << "\n";
    return out.str();
}

ProgramSettings ParseProgramSettings(const std::string& text)
{
    ProgramSettings s;
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
    {
        std::istringstream words(line);
        std::string word;
        words >> word;
        if (word == "fail")
        {
            StartFailure f;
            words >> f.result >> f.remaining >> std::ws;
            std::getline(words, f.program);
            if (!f.program.empty())
                s.failures.push_back(f);
        }
        else if (word == "record-only")
        {
            std::string program;
            words >> std::ws;
            std::getline(words, program);
            if (!program.empty())
                s.recordOnly.push_back(program);
        }
        else if (word == "report-delay")
            words >> s.reportDelayMs;
        else if (word == "report-fail")
        {
            words >> word;
            s.reportWritesNothing = word == "on";
        }
    }
    return s;
}

ProgramSettings LoadProgramSettings(const Machine& machine)
{
    auto text = ReadWholeFile(settingsPath(machine));
    return text ? ParseProgramSettings(*text) : ProgramSettings{};
}

bool SaveProgramSettings(const Machine& machine, const ProgramSettings& settings)
{
    std::error_code ec;
    std::filesystem::create_directories(settingsPath(machine).parent_path(), ec);
    return WriteFileAtomically(settingsPath(machine), FormatProgramSettings(settings),
                               FileAccess::Everyone);
}

void InjectStartFailure(const Machine& machine, const std::string& program, std::uint32_t result,
                        int times)
{
    change(machine,
           [&](ProgramSettings& s)
           {
               std::erase_if(s.failures, [&](const StartFailure& f)
                             { return EqualNoCase(f.program, program); });
               if (times != 0)
                   s.failures.push_back({program, result, times});
           });
}

void ClearStartFailures(const Machine& machine)
{
    change(machine, [](ProgramSettings& s) { s.failures.clear(); });
}

void SetRecordOnly(const Machine& machine, const std::string& program, bool recordOnly)
{
    change(machine,
           [&](ProgramSettings& s)
           {
               std::erase_if(s.recordOnly,
                             [&](const std::string& p) { return EqualNoCase(p, program); });
               if (recordOnly)
                   s.recordOnly.push_back(program);
           });
}

bool IsRecordOnly(const ProgramSettings& settings, const std::string& program)
{
    for (const auto& p : settings.recordOnly)
        if (EqualNoCase(p, program))
            return true;
    return false;
}

void SetReportDelay(const Machine& machine, std::uint32_t ms)
{
    change(machine, [&](ProgramSettings& s) { s.reportDelayMs = ms; });
}

void SetReportWritesNothing(const Machine& machine, bool writesNothing)
{
    change(machine, [&](ProgramSettings& s) { s.reportWritesNothing = writesNothing; });
}

std::optional<std::uint32_t> TakeStartFailure(const Machine& machine, const std::string& fileName)
{
    MachineLock lock(machine);
    ProgramSettings s = LoadProgramSettings(machine);
    for (auto it = s.failures.begin(); it != s.failures.end(); ++it)
    {
        if (!sameProgram(it->program, fileName))
            continue;
        std::uint32_t result = it->result;
        if (it->remaining > 0)
        {
            if (--it->remaining == 0)
                s.failures.erase(it);
            SaveProgramSettings(machine, s);
        }
        return result;
    }
    return std::nullopt;
}

} // namespace machine::programs
