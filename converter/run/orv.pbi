Macro ORV_Converter_Begin_Comment
EndMacro
Macro ORV_Converter_End_Comment
EndMacro

ORV_Converter_Begin_Comment

; Orvane include file.
;
; Include it in every program you convert with Orvane:
;     XIncludeFile "orv.pbi"
;
; It lets the PureBasic compiler accept the converter's directives, so the same program still
; compiles and runs in PureBasic. The converter itself leaves everything in this file out of the
; converted program: the two macros above are dropped with the other macro definitions, and the
; rest sits inside a comment block.

; ---- choosing the profile and what gets copied
Macro ORV_Converter_SetProfile(ProfileName)
EndMacro
Macro ORV_Converter_DoNotCopy
EndMacro

; ---- settings that override the profile: ORV_SetConfig(#ORV_Config_..., value)
Macro ORV_SetConfig(Parameter, Value)
EndMacro

#ORV_Config_ApplicationName = 1
#ORV_Config_ServerAddress = 2
#ORV_Config_TargetFolder = 3
#ORV_Config_ServerAddressJS = 4
#ORV_Config_TargetFolderJS = 5
#ORV_Config_AspFilename = 6
#ORV_Config_AspAddress = 7
#ORV_Config_AspxFilename = 8
#ORV_Config_AspxAddress = 9
#ORV_Config_CgiFilename = 10
#ORV_Config_CgiAddress = 11
#ORV_Config_PhpFilename = 12
#ORV_Config_PhpAddress = 13
#ORV_Config_NodeJsFilename = 14
#ORV_Config_NodeJsAddress = 15
#ORV_Config_PythonFilename = 16
#ORV_Config_PythonAddress = 17
#ORV_Config_UseFlask = 18
#ORV_Config_FlaskPort = 19

; ---- raw JavaScript blocks: the lines between the markers are written as ; comments
Macro ORV_Converter_Begin_Raw
EndMacro
Macro ORV_Converter_End_Raw
EndMacro
Macro ORV_EnableJS
EndMacro
Macro ORV_DisableJS
EndMacro
Macro EnableJS
EndMacro
Macro DisableJS
EndMacro

; ---- server blocks: the code between the markers runs on the server
Macro EnableCGI
EndMacro
Macro DisableCGI
EndMacro
Macro EnablePHP
EndMacro
Macro DisablePHP
EndMacro
Macro EnablePython
EndMacro
Macro DisablePython
EndMacro
Macro EnableNodeJs
EndMacro
Macro DisableNodeJs
EndMacro
Macro EnableASPX
EndMacro
Macro DisableASPX
EndMacro
Macro EnableASP
EndMacro
Macro DisableASP
EndMacro

ORV_Converter_End_Comment
