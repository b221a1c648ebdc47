' Sweeps the chip through every cutoff: writes each frequency code 0..29 (1..30 MHz) as
' the operator would (type the MHz, click Write, which reads the chip straight back),
' and logs one CSV line per code: the code written, its MHz, the code read back, whether
' they match, and the milliseconds the write and read-back took (Timer's resolution).
'
'   fltamp --script examples/sweep.vbs [CSV-FILE [CLOCK-DELAY]]
'
' The lines go to stdout and to CSV-FILE (default sweep.csv in the current folder),
' then a summary. CLOCK-DELAY, when given, goes into the panel's "Clock Delay" box
' first (the busy-wait count that paces the serial clock). Exit status 0 when every code read back as written, 3 when any did
' not (also when there is no port: nothing was written then).
Option Explicit

Const mismatchStatus = 3
Const secondsPerDay = 86400

Dim csvPath, fso, csv
csvPath = "sweep.csv"
If WScript.Arguments.Count > 0 Then csvPath = WScript.Arguments(0)
If WScript.Arguments.Count > 1 Then MForm.text_clockStretch.Text = WScript.Arguments(1)
Set fso = CreateObject("Scripting.FileSystemObject")
Set csv = fso.CreateTextFile(csvPath, True)

Sub Record(line)
    csv.WriteLine line
    WScript.Echo line
End Sub

' Milliseconds since a Timer reading, across midnight too.
Function MillisecondsSince(started)
    Dim elapsed
    elapsed = Timer - started
    If elapsed < 0 Then elapsed = elapsed + secondsPerDay
    MillisecondsSince = CLng(elapsed * 1000)
End Function

Dim code, started, readBack, ms, mismatches, matched
mismatches = ""
Record "code,mhz,read_back,match,ms"
For code = 0 To 29
    started = Timer
    MForm.Text_new_freq.Text = CStr(code + 1)
    MForm.Command_write.Click
    ms = MillisecondsSince(started)
    readBack = CInt(MForm.Label_cur_freq.Caption) - 1
    matched = (readBack = code)
    If Not matched Then mismatches = mismatches & " " & code
    Record code & "," & (code + 1) & "," & readBack & "," & LCase(CStr(matched)) & "," & ms
Next
csv.Close

If mismatches = "" Then
    WScript.Echo "sweep: all 30 codes read back as written; log in " & csvPath
Else
    WScript.Echo "sweep: codes read back wrong:" & mismatches & "; log in " & csvPath
    WScript.Quit mismatchStatus
End If
