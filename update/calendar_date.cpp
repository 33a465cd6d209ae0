#include "update/calendar_date.h"

namespace qb {
namespace {

bool IsLeapYear(int year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month) {
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : kDays[month - 1];
}

// Reads white space and then a decimal number from `text`; numbers too long for any valid date
// read as -1. False when no digit follows.
bool ReadNumber(std::string_view& text, int& number) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    if (text.empty() || text.front() < '0' || text.front() > '9') return false;
    long value = 0;
    while (!text.empty() && text.front() >= '0' && text.front() <= '9') {
        if (value < 100000) value = value * 10 + (text.front() - '0');
        text.remove_prefix(1);
    }
    number = value < 100000 ? static_cast<int>(value) : -1;
    return true;
}

bool ReadSlash(std::string_view& text) {
    if (text.empty() || text.front() != '/') return false;
    text.remove_prefix(1);
    return true;
}

}  // namespace

bool IsValidDate(const CalendarDate& date) {
    return date.year >= 1583 && date.year <= 9998 && date.month >= 1 && date.month <= 12 &&
           date.day >= 1 && date.day <= DaysInMonth(date.year, date.month);
}

std::optional<CalendarDate> ParseFeedDate(std::string_view text) {
    CalendarDate date;
    if (!ReadNumber(text, date.year) || !ReadSlash(text) || !ReadNumber(text, date.month) ||
        !ReadSlash(text) || !ReadNumber(text, date.day))
        return std::nullopt;
    if (date.year >= 70 && date.year < 100)
        date.year += 1900;
    else if (date.year >= 0 && date.year <= 38)
        date.year += 2000;
    if (!IsValidDate(date)) return std::nullopt;
    return date;
}

std::time_t LocalMidnight(const CalendarDate& date) {
    std::tm tm{};
    tm.tm_year = date.year - 1900;
    tm.tm_mon = date.month - 1;
    tm.tm_mday = date.day;
    tm.tm_isdst = -1;
    return std::mktime(&tm);
}

CalendarDate LocalDateOf(std::time_t time) {
    std::tm tm{};
    localtime_r(&time, &tm);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday};
}

}  // namespace qb
