' Writes 12 MHz to the chip as the operator would (type 12, click Write), then says
' what the chip answered. Load it in the console with:
'   SForm.loadScriptFile "write-12mhz.vbs"
' (with FLTAMP_SCRIPT_DIR set to this folder), paste it into the code window, or run it
' from a shell: fltamp --script examples/write-12mhz.vbs
MForm.Text_new_freq.Text = "12"
MForm.Command_write.Click
MsgBox "The chip reads " & MForm.Label_cur_freq.Caption & " MHz"
Text1.Text = MForm.pad("[" & MForm.VScroll_cur_freq.Value & "]", 6) & "|"
