#pragma once
// A machine file of settings that a test or a person arranges for every process (failures to
// inject, how a stand-in behaves): read whole, changed and written back under the machine lock,
// so that every process sees, and uses up, the same counts.

#include "machine/FileStore.h"
#include "machine/Machine.h"
#include "machine/MachineLock.h"

#include <cstdint>
#include <filesystem>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace machine
{

// Makes the folder when missing; the file is readable by every process.
bool WriteSettingsText(const std::filesystem::path& path, const std::string& text);

// A settings file is a line a setting, led by its keyword. Calls `setting(keyword, words)` for
// each line, `words` reading what follows the keyword.
template <class F> void ForEachSetting(const std::string& text, F setting)
{
    std::istringstream in(text);
    std::string line;
    while (std::getline(in, line))
    {
        std::istringstream words(line);
        std::string keyword;
        words >> keyword;
        setting(keyword, words);
    }
}

template <class Settings> struct SettingsFile
{
    const char* relativePath; // below the machine's root
    std::string (*format)(const Settings&);
    Settings (*parse)(const std::string&);

    std::filesystem::path Path(const Machine& machine) const
    {
        return machine.root() / relativePath;
    }

    // The defaults when there is no file.
    Settings Load(const Machine& machine) const
    {
        auto text = ReadWholeFile(Path(machine));
        return text ? parse(*text) : Settings{};
    }

    bool Save(const Machine& machine, const Settings& settings) const
    {
        return WriteSettingsText(Path(machine), format(settings));
    }

    // A file that already holds what the change gives is left alone, so that its readers keep
    // their parse and its watchers are not woken for nothing.
    template <class F> void Change(const Machine& machine, F change) const
    {
        MachineLock lock(machine);
        const std::optional<std::string> text = ReadWholeFile(Path(machine));
        Settings settings = text ? parse(*text) : Settings{};
        change(settings);
        std::string changed = format(settings);
        if (text && *text == changed)
            return;
        WriteSettingsText(Path(machine), changed);
    }

    // A failure is arranged for a number of calls (`remaining`, -1 for every call). Uses up one
    // call of the first failure in `settings.*failures` that `matches`, and removes the failure
    // with its last call. Its `result`, or nullopt when none matches.
    template <class Failure, class Match>
    std::optional<std::uint32_t> TakeFailure(const Machine& machine,
                                             std::vector<Failure> Settings::*failures,
                                             Match matches) const
    {
        MachineLock lock(machine);
        Settings settings = Load(machine);
        std::vector<Failure>& list = settings.*failures;
        for (auto it = list.begin(); it != list.end(); ++it)
        {
            if (!matches(*it))
                continue;
            std::uint32_t result = it->result;
            if (it->remaining > 0)
            {
                if (--it->remaining == 0)
                    list.erase(it);
                Save(machine, settings);
            }
            return result;
        }
        return std::nullopt;
    }
};

} // namespace machine
