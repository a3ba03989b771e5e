#include "platform/system/DateFormat.h"

#include "platform/file/FileTime.h"
#include "platform/system/Version.h"

#include <chrono>
#include <cstring>
#include <string>

namespace
{

const char* const kEnglishMonths[12] = {"January",   "February", "March",    "April",
                                        "May",       "June",     "July",     "August",
                                        "September", "October",  "November", "December"};
const char* const kEnglishShortMonths[12] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
const char* const kEnglishDays[7] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
const char* const kEnglishShortDays[7] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
const char* const kGermanMonths[12] = {"Januar",    "Februar", "M\xC3\xA4rz", "April",
                                       "Mai",       "Juni",    "Juli",        "August",
                                       "September", "Oktober", "November",    "Dezember"};
const char* const kGermanShortMonths[12] = {"Jan", "Feb", "M\xC3\xA4r", "Apr", "Mai", "Jun",
                                            "Jul", "Aug", "Sep",        "Okt", "Nov", "Dez"};
const char* const kGermanDays[7] = {"Sonntag",    "Montag",  "Dienstag", "Mittwoch",
                                    "Donnerstag", "Freitag", "Samstag"};
const char* const kGermanShortDays[7] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};

struct LocaleDates
{
    LANGID language;
    const char* shortDate;
    const char* longDate;
    const char* const* months; // twelve, January first
    const char* const* abbreviatedMonths;
    const char* const* days; // seven, Sunday first
    const char* const* abbreviatedDays;
};

const LocaleDates kLocales[] = {
    {0x0409, "M/d/yyyy", "dddd, MMMM d, yyyy", kEnglishMonths, kEnglishShortMonths, kEnglishDays,
     kEnglishShortDays},
    {0x0809, "dd/MM/yyyy", "dd MMMM yyyy", kEnglishMonths, kEnglishShortMonths, kEnglishDays,
     kEnglishShortDays},
    {0x0407, "dd.MM.yyyy", "dddd, d. MMMM yyyy", kGermanMonths, kGermanShortMonths, kGermanDays,
     kGermanShortDays},
};

const LocaleDates* FindLocale(LCID locale)
{
    LANGID language = static_cast<LANGID>(locale & 0xFFFF);
    if (locale == LOCALE_USER_DEFAULT)
        language = GetUserDefaultLangID();
    else if (locale == LOCALE_SYSTEM_DEFAULT)
        language = GetSystemDefaultLangID();
    for (const LocaleDates& l : kLocales)
        if (l.language == language)
            return &l;
    return nullptr;
}

std::string Number(int value, std::size_t digits)
{
    std::string text = std::to_string(value);
    return text.size() < digits ? std::string(digits - text.size(), '0') + text : text;
}

// The picture filled in for the date; the day of the week comes from the date itself.
std::string Render(const std::string& picture, const LocaleDates& l, const SYSTEMTIME& date,
                   unsigned weekday)
{
    std::string out;
    for (std::size_t i = 0; i < picture.size();)
    {
        const char c = picture[i];
        if (c == '\'')
        {
            // Quoted text; '' stands for the quote itself.
            for (++i; i < picture.size(); ++i)
            {
                if (picture[i] != '\'')
                    out += picture[i];
                else if (i + 1 < picture.size() && picture[i + 1] == '\'')
                    out += picture[++i];
                else
                    break;
            }
            ++i;
            continue;
        }
        std::size_t run = 1;
        while (i + run < picture.size() && picture[i + run] == c)
            ++run;
        i += run;
        if (c == 'd')
            out += run == 1   ? Number(date.wDay, 1)
                   : run == 2 ? Number(date.wDay, 2)
                   : run == 3 ? l.abbreviatedDays[weekday]
                              : l.days[weekday];
        else if (c == 'M')
            out += run == 1   ? Number(date.wMonth, 1)
                   : run == 2 ? Number(date.wMonth, 2)
                   : run == 3 ? l.abbreviatedMonths[date.wMonth - 1]
                              : l.months[date.wMonth - 1];
        else if (c == 'y')
            out += run <= 2 ? Number(date.wYear % 100, run) : Number(date.wYear, 4);
        else
            out.append(run, c);
    }
    return out;
}

} // namespace

int GetDateFormatA(LCID Locale, DWORD dwFlags, const SYSTEMTIME* lpDate, LPCSTR lpFormat,
                   LPSTR lpDateStr, int cchDate)
{
    const DWORD forms = dwFlags & (DATE_SHORTDATE | DATE_LONGDATE);
    if ((dwFlags & ~forms) != 0 || forms == (DATE_SHORTDATE | DATE_LONGDATE) ||
        (lpFormat != nullptr && forms != 0))
    {
        SetLastError(ERROR_INVALID_FLAGS);
        return 0;
    }
    const LocaleDates* locale = FindLocale(Locale);
    SYSTEMTIME today{};
    if (lpDate == nullptr)
    {
        GetLocalTime(&today);
        lpDate = &today;
    }
    using namespace std::chrono;
    const year_month_day ymd{year{lpDate->wYear}, month{lpDate->wMonth}, day{lpDate->wDay}};
    if (locale == nullptr || cchDate < 0 || !ymd.ok() || lpDate->wYear < 1601)
    {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const unsigned weekday = std::chrono::weekday{sys_days{ymd}}.c_encoding();
    const char* picture = lpFormat != nullptr
                              ? lpFormat
                              : (forms == DATE_LONGDATE ? locale->longDate : locale->shortDate);
    const std::string text = Render(picture, *locale, *lpDate, weekday);
    const int needed = static_cast<int>(text.size() + 1);
    if (cchDate == 0)
        return needed;
    if (lpDateStr == nullptr || cchDate < needed)
    {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(lpDateStr, text.c_str(), text.size() + 1);
    return needed;
}
