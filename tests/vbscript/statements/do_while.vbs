' Do loops with the test before or after, While ... Wend, Exit Do.
i = 0
Do While i < 3 : i = i + 1 : Loop
WScript.Echo i ' expect: 3
Do Until i = 0 : i = i - 1 : Loop
WScript.Echo i ' expect: 0
Do : i = i + 1 : Loop While i < 5
WScript.Echo i ' expect: 5
Do : i = i + 1 : Loop Until True
WScript.Echo i ' expect: 6
Do
    i = i + 1
    If i >= 10 Then Exit Do
Loop
WScript.Echo i ' expect: 10
While i > 7 : i = i - 1 : Wend
WScript.Echo i ' expect: 7
Do While True
    While True
        Exit Do
    Wend
Loop
WScript.Echo "left both" ' expect: left both
