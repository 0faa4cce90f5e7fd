FormFile 1
Form F
Begin C c
    a = -5
    b = True
    c = Colour(&H8000000F)
    d = "x\ty\r\n\"\\"
    e = Font("f", 10.5, 700, 1, True, False, True)
    f = Bytes(3)
        : 010203
End
