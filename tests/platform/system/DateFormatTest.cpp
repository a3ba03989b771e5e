// GetDateFormatA: the short and long dates of the machine's language and of the locales named,
// pictures, and the buffer and argument rules.

#include "platform/system/DateFormat.h"

#include "machine/SystemInfo.h"
#include "platform/file/FileTime.h"
#include "tests/support/TempMachine.h"

#include <gtest/gtest.h>

#include <string>

namespace
{

const SYSTEMTIME kDate{2034, 3, 0, 7, 9, 30, 0, 0}; // a Tuesday; the day of the week is not read

std::string Format(LCID locale, DWORD flags, LPCSTR picture = nullptr,
                   const SYSTEMTIME* date = &kDate)
{
    char text[128] = {};
    if (GetDateFormatA(locale, flags, date, picture, text, sizeof text) == 0)
        return "<error " + std::to_string(GetLastError()) + ">";
    return text;
}

TEST(GetDateFormat, LocaleFormsAndPictures)
{
    testing_support::TempMachine m;
    struct Case
    {
        LCID locale;
        DWORD flags;
        const char* picture;
        const char* expected;
    } cases[] = {
        {LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, "3/7/2034"},
        {LOCALE_USER_DEFAULT, 0, nullptr, "3/7/2034"},
        {LOCALE_SYSTEM_DEFAULT, DATE_LONGDATE, nullptr, "Tuesday, March 7, 2034"},
        {0x0809, DATE_SHORTDATE, nullptr, "07/03/2034"},
        {0x0407, DATE_SHORTDATE, nullptr, "07.03.2034"},
        {0x0407, DATE_LONGDATE, nullptr, "Dienstag, 7. M\xC3\xA4rz 2034"},
        {0x0409, 0, "ddd d MMM yy 'o''clock' yyyy", "Tue 7 Mar 34 o'clock 2034"},
        {0x0409, DATE_SHORTDATE | DATE_LONGDATE, nullptr, "<error 1004>"},
        {0x0409, DATE_SHORTDATE, "d", "<error 1004>"},
        {0x0411, DATE_SHORTDATE, nullptr, "<error 87>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Format(c.locale, c.flags, c.picture), c.expected) << c.locale << " " << c.flags;

    SYSTEMTIME february30 = kDate;
    february30.wMonth = 2;
    february30.wDay = 30;
    EXPECT_EQ(Format(0x0409, DATE_SHORTDATE, nullptr, &february30), "<error 87>");

    // The machine's language decides the default.
    machine::SystemInfo info = machine::LoadSystemInfo(m.machine());
    info.languageId = 0x0407;
    ASSERT_TRUE(machine::SaveSystemInfo(m.machine(), info));
    EXPECT_EQ(Format(LOCALE_USER_DEFAULT, DATE_SHORTDATE), "07.03.2034");
}

TEST(GetDateFormat, SizeAskedBufferTooSmallAndToday)
{
    testing_support::TempMachine m;
    EXPECT_EQ(GetDateFormatA(0x0409, DATE_SHORTDATE, &kDate, nullptr, nullptr, 0), 9);
    char text[9] = {};
    EXPECT_EQ(GetDateFormatA(0x0409, DATE_SHORTDATE, &kDate, nullptr, text, 9), 9);
    EXPECT_STREQ(text, "3/7/2034");
    SetLastError(0);
    EXPECT_EQ(GetDateFormatA(0x0409, DATE_SHORTDATE, &kDate, nullptr, text, 8), 0);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);

    SYSTEMTIME now{};
    GetLocalTime(&now);
    EXPECT_EQ(Format(0x0409, 0, "yyyy", nullptr), std::to_string(now.wYear));
}

} // namespace
