#pragma once
// A program's resource header as its tests read it: every numbered #define of the header and of
// the tree's headers it includes, in file order, with the kind its prefix names.

#include <cctype>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <vector>

namespace testing_support
{

struct NamedId
{
    std::string name;
    long value;
};

// The words of a line, split at blanks.
inline std::vector<std::string> Words(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);
    return words;
}

// `header` is a path from the tree's root.
inline void ReadIds(const std::filesystem::path& root, const std::string& header,
                    std::vector<NamedId>& ids)
{
    std::ifstream in(root / header);
    ASSERT_TRUE(in.is_open()) << header;
    std::string line;
    while (std::getline(in, line))
    {
        std::vector<std::string> words = Words(line);
        if (words.size() >= 2 && words[0] == "#include" && words[1].rfind("\"resources/", 0) == 0)
            ReadIds(root, words[1].substr(1, words[1].size() - 2), ids);
        else if (words.size() >= 3 && words[0] == "#define" &&
                 std::isdigit(static_cast<unsigned char>(words[2][0])))
            ids.push_back({words[1], std::stol(words[2], nullptr, 0)});
    }
}

// The kind of an id by its prefix; empty for names that are no resource id.
inline std::string KindOf(const std::string& name)
{
    for (const char* prefix : {"IDD_", "IDI_", "IDB_", "IDR_", "IDS_", "IDC_", "ID_"})
    {
        if (name.rfind(prefix, 0) == 0)
            return prefix;
    }
    return "";
}

} // namespace testing_support
