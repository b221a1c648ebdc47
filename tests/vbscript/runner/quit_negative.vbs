' expect exit: 255
WScript.Quit -1
