' Methods that mostly read and write their object's fields: ten bodies bouncing about a
' box, moved 400 000 turns each.
Class Body
    Public X, Y, VX, VY, Bounces

    Public Sub Init(x0, y0, vx0, vy0)
        X = x0
        Y = y0
        VX = vx0
        VY = vy0
        Bounces = 0
    End Sub

    Public Sub Move()
        X = X + VX
        Y = Y + VY
        If X < 0 Or X > 1000 Then
            VX = -VX
            Bounces = Bounces + 1
        End If
        If Y < 0 Or Y > 1000 Then
            VY = -VY
            Bounces = Bounces + 1
        End If
    End Sub

    Public Function Energy()
        Energy = VX * VX + VY * VY
    End Function
End Class

Dim bodies(9), b, i, turn, total
For i = 0 To 9
    Set bodies(i) = New Body
    bodies(i).Init (i * 97) Mod 1000, (i * 41) Mod 1000, (i Mod 7) + 1, 9 - (i Mod 5)
Next
For turn = 1 To 400000
    For i = 0 To 9
        bodies(i).Move
    Next
Next
total = 0
For i = 0 To 9
    Set b = bodies(i)
    total = total + b.X + b.Y + b.Bounces + b.Energy()
Next
WScript.Echo total
