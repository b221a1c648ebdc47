' An unhandled Err.Raise with no description reports the language's text for its number.
WScript.Echo "start" ' expect: start
Err.Raise 76 ' expect runtime error: 76: Path not found
