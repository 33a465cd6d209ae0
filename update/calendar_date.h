// Calendar dates of the update check: the release date a feed names and the day of the last
// check, both counted from local midnight.
#pragma once

#include <ctime>
#include <optional>
#include <string_view>

namespace qb {

struct CalendarDate {
    int year = 0;
    int month = 0;
    int day = 0;
    friend bool operator==(const CalendarDate&, const CalendarDate&) = default;
};

// Whether the date exists in the Gregorian calendar within the years 1583 to 9998.
[[nodiscard]] bool IsValidDate(const CalendarDate& date);

// The date of a feed's "date" text: year, month and day in decimal separated by '/', white
// space before each number allowed and anything after the day ignored. A year below 100 is
// 1900 + year from 70 on and 2000 + year up to 38, so 39 to 69 never give a valid date.
// nullopt when the text does not name a valid date.
[[nodiscard]] std::optional<CalendarDate> ParseFeedDate(std::string_view text);

// Local midnight at the start of a valid date.
[[nodiscard]] std::time_t LocalMidnight(const CalendarDate& date);
// The local date of a point in time.
[[nodiscard]] CalendarDate LocalDateOf(std::time_t time);

}  // namespace qb
