// The Date library. A PureBasic date counts the seconds since 1970-01-01 00:00:00 and knows no
// time zone, so all arithmetic here is done in UTC; only Date() without arguments reads the
// local clock.

function orvDateParts(date) {
    var d = new globalThis.Date(orvInt(date) * 1000);
    return {
        year: d.getUTCFullYear(),
        month: d.getUTCMonth() + 1,
        day: d.getUTCDate(),
        hour: d.getUTCHours(),
        minute: d.getUTCMinutes(),
        second: d.getUTCSeconds(),
        weekday: d.getUTCDay(),
    };
}

function orvDaysInMonth(year, month) {
    return new globalThis.Date(globalThis.Date.UTC(year, month, 0)).getUTCDate();
}

// -1 for a date that does not exist (month 13, 31 April, hour 24, ...).
function orvMakeDate(year, month, day, hour, minute, second) {
    if (month < 1 || month > 12 || day < 1 || day > orvDaysInMonth(year, month)) return -1;
    if (hour < 0 || hour > 23 || minute < 0 || minute > 59 || second < 0 || second > 59) return -1;
    var ms = globalThis.Date.UTC(year, month - 1, day, hour, minute, second);
    var d = new globalThis.Date(ms);
    d.setUTCFullYear(year);
    return Math.floor(d.getTime() / 1000);
}

function orvTwoDigits(n) {
    return (n < 10 ? "0" : "") + n;
}

var cDate = (global.cDate = {
    Date: function (year, month, day, hour, minute, second) {
        if (arguments.length === 0) {
            var now = new globalThis.Date();
            return Math.floor(now.getTime() / 1000) - now.getTimezoneOffset() * 60;
        }
        return orvMakeDate(orvInt(year), orvInt(month), orvInt(day), orvInt(hour), orvInt(minute), orvInt(second));
    },
    // The clock's date in UTC, and conversions between UTC and the browser's local time:
    // #PB_Date_LocalTime 0 turns a UTC date into local time, #PB_Date_UTC 1 the reverse.
    DateUTC: function () {
        return Math.floor(globalThis.Date.now() / 1000);
    },
    ConvertDate: function (date, format) {
        date = orvInt(date);
        var offset = new globalThis.Date(date * 1000).getTimezoneOffset() * 60;
        switch (orvInt(format)) {
            case 0:
                return date - offset;
            case 1:
                return date + new globalThis.Date((date + offset) * 1000).getTimezoneOffset() * 60;
            default:
                return -1;
        }
    },
    Year: function (date) {
        return orvDateParts(date).year;
    },
    Month: function (date) {
        return orvDateParts(date).month;
    },
    Day: function (date) {
        return orvDateParts(date).day;
    },
    Hour: function (date) {
        return orvDateParts(date).hour;
    },
    Minute: function (date) {
        return orvDateParts(date).minute;
    },
    Second: function (date) {
        return orvDateParts(date).second;
    },
    // 0 for Sunday to 6 for Saturday.
    DayOfWeek: function (date) {
        return orvDateParts(date).weekday;
    },
    DayOfYear: function (date) {
        var p = orvDateParts(date);
        return Math.round((globalThis.Date.UTC(p.year, p.month - 1, p.day) - globalThis.Date.UTC(p.year, 0, 1)) / 86400000) + 1;
    },
    // Types: #PB_Date_Year 0, Month 1, Week 2, Day 3, Hour 4, Minute 5, Second 6. Adding months or
    // years to the 31st keeps the day within the target month (31 January + 1 month: 28/29 February).
    AddDate: function (date, type, value) {
        date = orvInt(date);
        value = orvInt(value);
        var type_ = orvInt(type);
        if (type_ === 0 || type_ === 1) {
            var p = orvDateParts(date);
            var months = p.year * 12 + (p.month - 1) + (type_ === 0 ? value * 12 : value);
            var year = Math.floor(months / 12);
            var month = months - year * 12 + 1;
            var day = Math.min(p.day, orvDaysInMonth(year, month));
            return orvMakeDate(year, month, day, p.hour, p.minute, p.second);
        }
        var seconds = [0, 0, 604800, 86400, 3600, 60, 1][type_];
        return seconds === undefined ? date : date + value * seconds;
    },
    // Tokens: %yyyy, %yy, %mm, %dd, %hh, %ii, %ss; everything else is copied.
    FormatDate: function (mask, date) {
        var p = orvDateParts(date);
        return orvText(mask).replace(/%(yyyy|yy|mm|dd|hh|ii|ss)/g, function (token, name) {
            switch (name) {
                case "yyyy":
                    return String(p.year);
                case "yy":
                    return orvTwoDigits(p.year % 100);
                case "mm":
                    return orvTwoDigits(p.month);
                case "dd":
                    return orvTwoDigits(p.day);
                case "hh":
                    return orvTwoDigits(p.hour);
                case "ii":
                    return orvTwoDigits(p.minute);
                default:
                    return orvTwoDigits(p.second);
            }
        });
    },
    // The reverse of FormatDate: -1 when the text does not follow the mask or names no real date.
    // Two-digit years are taken as 1970 to 2069.
    ParseDate: function (mask, text) {
        mask = orvText(mask);
        text = orvText(text);
        var parts = { yyyy: 1970, yy: -1, mm: 1, dd: 1, hh: 0, ii: 0, ss: 0 };
        var position = 0;
        var i = 0;
        while (i < mask.length) {
            var token = /^%(yyyy|yy|mm|dd|hh|ii|ss)/.exec(mask.slice(i));
            if (token) {
                var width = token[1] === "yyyy" ? 4 : 2;
                var digits = /^[0-9]+/.exec(text.slice(position, position + width));
                if (!digits) return -1;
                parts[token[1]] = parseInt(digits[0], 10);
                position += digits[0].length;
                i += token[0].length;
            } else {
                if (text.charAt(position) !== mask.charAt(i)) return -1;
                position++;
                i++;
            }
        }
        var year = parts.yy >= 0 ? (parts.yy < 70 ? 2000 + parts.yy : 1900 + parts.yy) : parts.yyyy;
        return orvMakeDate(year, parts.mm, parts.dd, parts.hh, parts.ii, parts.ss);
    },
});
