XIncludeFile "orv.pbi"
; Text on an image: measures that hold in every font, the background box, fonts.
CreateImage(0, 300, 80, 24, RGB(255, 255, 255))
If StartDrawing(ImageOutput(0))
  Debug TextWidth("")
  If TextWidth("WW") > TextWidth("W") And TextWidth("W") > 0
    Debug "wider text, wider box"
  EndIf
  If TextHeight("a") = TextHeight("Wg") And TextHeight("a") > 0
    Debug "one height for every text"
  EndIf
  x = DrawText(10, 10, "Hello", RGB(0, 0, 0), RGB(255, 255, 0))
  If x = 10 + TextWidth("Hello")
    Debug "DrawText returns the place after the text"
  EndIf
  Debug Point(10, 10)
  Debug Point(x, 10)
  Debug Point(10, 10 + TextHeight("Hello"))
  DrawingMode(#PB_2DDrawing_Transparent)
  DrawText(10, 40, "Hello", RGB(255, 0, 0))
  Debug Point(10, 40)
  small = TextWidth("Hello")
  LoadFont(1, "Arial", 24)
  DrawingFont(FontID(1))
  If TextWidth("Hello") > small
    Debug "a larger font draws wider"
  EndIf
  DrawingFont(#PB_Default)
  If TextWidth("Hello") = small
    Debug "#PB_Default restores the default font"
  EndIf
  StopDrawing()
EndIf
