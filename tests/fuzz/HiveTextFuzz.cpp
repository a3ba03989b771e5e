// Fuzz target for the hive's text: any text after the editor's first line is applied safely,
// both as an import and as the hive's own file (which keeps the lines it cannot read); what it
// made is written, and reading that again gives the same hive, kept lines in the same places.
// The same text read as the hive's journal gives only changes that lie within it, each applied
// safely.

#include "machine/registry/HiveJournal.h"
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
    const reg::JournalScan scan = reg::ScanJournal(text, true, 1);
    if (scan.end > text.size())
        std::abort();
    reg::Hive hive;
    reg::HiveEdit edit(hive, nullptr);
    for (const auto& change : scan.changes)
    {
        if (change.text.data() < text.data() ||
            change.text.data() + change.text.size() > text.data() + scan.end)
            std::abort();
        reg::ApplyHiveLines(change.text, edit, change.line);
    }
    return 0;
}
