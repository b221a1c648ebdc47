' Date built-ins.
d = DateSerial(2024, 3, 5)
WScript.Echo d, Year(d), Month(d), Day(d), Weekday(d) ' expect: 3/5/2024 2024 3 5 3
WScript.Echo DateSerial(2024, 14, 0) ' expect: 1/31/2025
t = TimeSerial(13, 45, 30)
WScript.Echo t, Hour(t), Minute(t), Second(t) ' expect: 1:45:30 PM 13 45 30
WScript.Echo DateAdd("m", 1, #1/31/2024#), DateAdd("d", -1, #3/1/2024#) ' expect: 2/29/2024 2/29/2024
WScript.Echo DateDiff("d", #1/1/2024#, #3/1/2024#), DateDiff("yyyy", #12/31/2023#, #1/1/2024#) ' expect: 60 1
WScript.Echo DatePart("q", #8/15/2024#), DatePart("y", #2/1/2024#), DatePart("ww", #1/1/2024#) ' expect: 3 32 1
WScript.Echo MonthName(2), WeekdayName(1), MonthName(12, True) ' expect: February Sunday Dec
WScript.Echo TypeName(Now), TypeName(Date), TypeName(Time), TypeName(Timer) ' expect: Date Date Date Single
WScript.Echo Now >= Date, Timer >= 0 ' expect: True True
WScript.Echo #12/25/2024# - #12/24/2024# ' expect: 1
WScript.Echo CDate("March 5, 2024") = d ' expect: True
WScript.Echo FormatDateTime(d, vbLongDate), FormatDateTime(t, vbShortTime) ' expect: Tuesday, March 5, 2024 13:45
x = DateSerial(2024, 1, 1) + DateAdd("x", 1, d) ' expect runtime error: 5: Invalid procedure call or argument
