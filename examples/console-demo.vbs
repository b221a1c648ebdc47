' A tour of the script console. Start it with `fltamp --console`, paste each block (the
' lines between two empty lines) into the code window and click "Execute" (the last
' block: "Add Code To Module", so that its procedures stay). Or load it all at once by
' typing into the statement box, with FLTAMP_SCRIPT_DIR set to this folder:
'   SForm.loadScriptFile "console-demo.vbs"
' or run it from a shell, its boxes printed on stdout:
'   fltamp --script examples/console-demo.vbs

' 1. Drive the panel as the operator does: select 20 MHz, write it (the Write button
'    reads the chip straight back), and see what the chip answered.
MForm.Text_new_freq.Text = "20"
MForm.Command_write.Click
MsgBox "The chip reads " & MForm.Label_cur_freq.Caption & " MHz (code " & MForm.VScroll_cur_freq.Value - 1 & ")"

' 2. Ask the chip again with the Read button, and look at the boxes the transfer used.
MForm.text_clockStretch.Text = "0"
MForm.Command_read.Click
Text1.Text = "Read: " & MForm.Label_cur_freq.Caption & " MHz, last phase " & MForm.Text_curBit.Text

' 3. pad and chars: a small table in fixed columns (pad fills to one more than its width).
Dim mhz, table
table = MForm.pad("MHz", 4) & "code" & vbCrLf & MForm.chars(8, "-") & vbCrLf
For mhz = 1 To 30 Step 7
    table = table & MForm.pad(CStr(mhz), 4) & (mhz - 1) & vbCrLf
Next
MsgBox table

' 4. Procedures stay in the engine: add these, then call them from any later statement
'    (or by name with "Run Method"), and list what the engine holds.
Function CodeOf(mhz)
    CodeOf = mhz - 1
End Function
Sub WriteMHz(mhz)
    MForm.Text_new_freq.Text = CStr(mhz)
    MForm.Command_write.Click
End Sub
WriteMHz 5
MsgBox "5 MHz is code " & CodeOf(5) & "; the chip reads " & MForm.Label_cur_freq.Caption & " MHz"
SForm.listScriptProcedures
