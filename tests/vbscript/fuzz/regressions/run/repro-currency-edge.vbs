On Error Resume Next
x = CCur(922337203685477.5807)
x = CCur("922337203685477.5808")
x = Int(CCur("-922337203685477.5807"))
x = CByte(-1e300) + CInt(1e300) + CLng(-1e300)
x = #1/1/2000# + 1e300
x = Rnd(1e300)
x = DateAdd("d", 1e300, #1/1/2000#)
