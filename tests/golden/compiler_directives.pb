XIncludeFile "orv.pbi"
; Only the branches the web target takes are translated; compiler constants become values.
CompilerIf #PB_Compiler_OS = #PB_OS_Windows
  Debug "windows"
CompilerElse
  Debug "web"
CompilerEndIf

CompilerSelect #PB_Compiler_Processor
  CompilerCase #PB_Processor_x64
    x = 64
  CompilerDefault
    x = 0
CompilerEndSelect

Debug #PB_Compiler_OS
Debug #PB_Compiler_Filename
