' FormatNumber and FormatPercent.
WScript.Echo FormatNumber(1234.5678), FormatNumber(1234.5678, 1), FormatNumber(0.5, 0) ' expect: 1,234.57 1,234.6 1
WScript.Echo FormatNumber(-1234.5, 2, , True), FormatNumber(1234.5, 2, , , False) ' expect: (1,234.50) 1234.50
WScript.Echo FormatNumber(0.25, 2, False) ' expect: .25
WScript.Echo FormatPercent(0.256), FormatPercent(0.5, 0) ' expect: 25.60% 50%
