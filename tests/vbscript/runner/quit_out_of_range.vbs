' An exit status has 8 bits: a Quit code outside 0..255 exits with 255, never with a
' code that reads as success.
' expect exit: 255
WScript.Quit 256
