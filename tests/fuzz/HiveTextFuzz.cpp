// Fuzz target for the hive's text: any text after the editor's first line is applied safely,
// both as an import and as the hive's own file (which keeps the lines it cannot read); what it
// made is written, and reading that again gives the same hive, kept lines in the same places.

#include "machine/registry/HiveText.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace reg = machine::registry;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text = std::string(reg::kHiveSignature) + "\r\n" +
                             std::string(reinterpret_cast<const char*>(data), size);
    for (auto mode : {reg::UnreadableLines::Skip, reg::UnreadableLines::Keep})
    {
        reg::Hive hive;
        if (!reg::ApplyHiveText(text, hive, mode).ok)
            std::abort(); // the first line is right: the text must be taken
        const std::string once = reg::FormatHive(hive);
        reg::Hive again;
        if (!reg::ApplyHiveText(once, again, mode).ok || !(again == hive) ||
            reg::FormatHive(again) != once)
            std::abort();
    }
    return 0;
}
