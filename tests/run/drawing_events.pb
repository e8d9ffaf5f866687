XIncludeFile "orv.pbi"
; An image redrawn on every timed-out wait and shown again in its image gadget, as clock
; programs do.
OpenWindow(0, 0, 0, 200, 100, "Drawing", #PB_Window_Invisible)
CreateImage(0, 40, 20)
ImageGadget(0, 0, 0, 0, 0, ImageID(0))
Debug Str(GadgetWidth(0)) + "x" + Str(GadgetHeight(0))
Repeat
  Event = WaitWindowEvent(10)
  If Event = 0
    frames + 1
    If StartDrawing(ImageOutput(0))
      Box(0, 0, frames * 10, 20, RGB(0, 0, 255))
      Debug Str(frames) + ": " + Str(Point(frames * 10 - 1, 0)) + " " + Str(Point(frames * 10, 0))
      StopDrawing()
    EndIf
    SetGadgetState(0, ImageID(0))
  EndIf
Until frames = 3
Debug Bool(GetGadgetState(0) = ImageID(0))
