XIncludeFile "orv.pbi"
; Compiler directives on what the web target reports: an operating system and a processor of its
; own, so that branches written for Windows, Linux, MacOS or one processor fall to their Else.
CompilerIf #PB_Compiler_OS = #PB_OS_Windows
  Debug "Windows"
CompilerElseIf #PB_Compiler_OS = #PB_OS_Linux Or #PB_Compiler_OS = #PB_OS_MacOS
  Debug "Linux or MacOS"
CompilerElse
  Debug "the web"
CompilerEndIf

CompilerSelect #PB_Compiler_Processor
  CompilerCase #PB_Processor_x86
    Debug "x86"
  CompilerCase #PB_Processor_x64
    Debug "x64"
  CompilerDefault
    Debug "a JavaScript engine"
CompilerEndSelect

#Size = 4
Enumeration
  #First
  #Second
EndEnumeration
CompilerIf #Size * 2 = 8 And #Second = 1 And SizeOf(Integer) = 8 And #PB_Compiler_64Bit
  Debug "constant expressions"
CompilerEndIf

Procedure Helper()
  ProcedureReturn 1
EndProcedure
CompilerIf Defined(Helper, #PB_Procedure) And Not Defined(Missing, #PB_Procedure)
  Debug "Defined"
CompilerEndIf

CompilerIf #PB_Compiler_Unicode And Not #PB_Compiler_Thread
  Debug #PB_Compiler_OS
  Debug #PB_Compiler_Processor
CompilerEndIf
