' The FileSystemObject's name functions: Linux paths, "/" between folders.
Set fso = CreateObject("Scripting.FileSystemObject")
WScript.Echo fso.BuildPath("logs", "run.csv") & " " & fso.BuildPath("logs/", "/run.csv") & " " & fso.BuildPath("", "run.csv") ' expect: logs/run.csv logs/run.csv run.csv
WScript.Echo fso.GetFileName("/home/bench/sweep.tar.gz") & " " & fso.GetFileName("/home/bench/") & "|" & fso.GetFileName("/") & "|" ' expect: sweep.tar.gz bench||
WScript.Echo fso.GetBaseName("/home/bench/sweep.tar.gz") & " " & fso.GetExtensionName("/home/bench/sweep.tar.gz") & " " & fso.GetBaseName("README") & "|" & fso.GetExtensionName("README") & "|" ' expect: sweep.tar gz README||
WScript.Echo fso.GetParentFolderName("/home/bench/sweep.csv") & " " & fso.GetParentFolderName("/home") & " " & fso.GetParentFolderName("sweep.csv") & "|" & fso.GetParentFolderName("/") & "|" ' expect: /home/bench / ||

' Absolute names are made against the current folder and tidied, existing or not.
here = fso.GetAbsolutePathName(".")
WScript.Echo Left(here, 1) & " " & (fso.GetAbsolutePathName("") = here) ' expect: / True
WScript.Echo fso.GetAbsolutePathName("a/./b/../c.txt") = here & "/a/c.txt" ' expect: True
WScript.Echo fso.GetAbsolutePathName("/tmp//x/../y/") & " " & fso.GetAbsolutePathName("/../..") ' expect: /tmp/y /

' GetTempName: "rad", five hexadecimal digits, ".tmp".
Set re = New RegExp
re.Pattern = "^rad[0-9A-F]{5}\.tmp$"
WScript.Echo re.Test(fso.GetTempName) & " " & re.Test(fso.GetTempName) ' expect: True True
