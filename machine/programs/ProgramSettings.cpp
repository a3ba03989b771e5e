#include "machine/programs/ProgramSettings.h"

#include "machine/AsciiCase.h"
#include "machine/SettingsFile.h"

#include <sstream>

namespace machine::programs
{
namespace
{

const SettingsFile<ProgramSettings> kSettingsFile{"programs/settings.txt", FormatProgramSettings,
                                                  ParseProgramSettings};

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
    ForEachSetting(text,
                   [&](const std::string& keyword, std::istream& words)
                   {
                       if (keyword == "fail")
                       {
                           StartFailure f;
                           words >> f.result >> f.remaining >> std::ws;
                           std::getline(words, f.program);
                           if (!f.program.empty())
                               s.failures.push_back(f);
                       }
                       else if (keyword == "record-only")
                       {
                           std::string program;
                           words >> std::ws;
                           std::getline(words, program);
                           if (!program.empty())
                               s.recordOnly.push_back(program);
                       }
                       else if (keyword == "report-delay")
                           words >> s.reportDelayMs;
                       else if (keyword == "report-fail")
                       {
                           std::string value;
                           words >> value;
                           s.reportWritesNothing = value == "on";
                       }
                   });
    return s;
}

ProgramSettings LoadProgramSettings(const Machine& machine)
{
    return kSettingsFile.Load(machine);
}

bool SaveProgramSettings(const Machine& machine, const ProgramSettings& settings)
{
    return kSettingsFile.Save(machine, settings);
}

void InjectStartFailure(const Machine& machine, const std::string& program, std::uint32_t result,
                        int times)
{
    kSettingsFile.Change(machine,
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
    kSettingsFile.Change(machine, [](ProgramSettings& s) { s.failures.clear(); });
}

void SetRecordOnly(const Machine& machine, const std::string& program, bool recordOnly)
{
    kSettingsFile.Change(machine,
                         [&](ProgramSettings& s)
                         {
                             std::erase_if(s.recordOnly, [&](const std::string& p)
                                           { return EqualNoCase(p, program); });
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
    kSettingsFile.Change(machine, [&](ProgramSettings& s) { s.reportDelayMs = ms; });
}

void SetReportWritesNothing(const Machine& machine, bool writesNothing)
{
    kSettingsFile.Change(machine,
                         [&](ProgramSettings& s) { s.reportWritesNothing = writesNothing; });
}

std::optional<std::uint32_t> TakeStartFailure(const Machine& machine, const std::string& fileName)
{
    return kSettingsFile.TakeFailure(machine, &ProgramSettings::failures,
                                     [&](const StartFailure& f)
                                     { return sameProgram(f.program, fileName); });
}

} // namespace machine::programs
