// The names the emitted script calls in the runtime library (runtime/). The runtime defines
// exactly these objects and members, so every pass that writes one takes it from here.
#pragma once

#include <string_view>

namespace orvane::js {

// cString: Chr(code) gives a one-character string, Val(text) the value of a "$FF" literal.
inline constexpr std::string_view StringChr = "cString.Chr";
inline constexpr std::string_view StringVal = "cString.Val";

// cArray: Dim(template or null, [sizes]) returns a new array; ReDim(array, [sizes]) returns the
// array resized with its elements kept; ArraySize(array).
inline constexpr std::string_view ArrayDim = "cArray.Dim";
inline constexpr std::string_view ArrayReDim = "cArray.ReDim";
inline constexpr std::string_view ArraySizeLower = "carray.arraysize";  // as the passes match it

// Collections: constructed without arguments (cMap also with a structure template).
inline constexpr std::string_view LinkedList = "cLinkedList";
inline constexpr std::string_view LinkedListForEachStart = "ForEach_Start";
inline constexpr std::string_view LinkedListForEach = "ForEach";
inline constexpr std::string_view LinkedListForEachEnd = "ForEach_End";
inline constexpr std::string_view LinkedListGetContent = "GetContent";
inline constexpr std::string_view LinkedListSetContent = "SetContent";
inline constexpr std::string_view LinkedListGetCurrentElement = "GetCurrentElement";
inline constexpr std::string_view Map = "cMap";
inline constexpr std::string_view MapGetData = "getData";
inline constexpr std::string_view MapSetData = "setData";
inline constexpr std::string_view MapForEachInit = "ForEach_Init";
inline constexpr std::string_view MapForEach = "ForEach";
inline constexpr std::string_view MapCopyMap = "cMap.CopyMap";
inline constexpr std::string_view Json = "cJson";
inline constexpr std::string_view SortRandomizeList = "cSort.RandomizeList";

// cDebugger: Debug(value), EnableDebugger(), DisableDebugger().
inline constexpr std::string_view DebuggerPrefix = "cDebugger.";

// cConstants: one member per name of constants.txt.
inline constexpr std::string_view ConstantsPrefix = "cConstants.";

// cCommon: storage that exists before the application script runs. The passes write the
// dot-less form ("cCommonORV_DataArray"); post-processing turns it into a member access.
inline constexpr std::string_view Common = "cCommon";
inline constexpr std::string_view CommonDotless = "cCommonORV_";
inline constexpr std::string_view CommonEnumerationValue = "cCommon.PB_Compiler_EnumerationValue";
inline constexpr std::string_view CommonDataArray = "cCommon.ORV_DataArray";
inline constexpr std::string_view CommonGlobalLabel = "cCommon.ORV_Global_Label";
inline constexpr std::string_view CommonMouseX = "cCommon.CurrentMouseX";
inline constexpr std::string_view CommonMouseY = "cCommon.CurrentMouseY";

// Event-binding hooks assigned by the script.
inline constexpr std::string_view GadgetsEventsHook = "$.fn.GadgetsEvents";
inline constexpr std::string_view WindowsEventsHook = "$.fn.WindowsEvents";

// Static variables live on the running function, so the script must stay non-strict.
inline constexpr std::string_view StaticHolder = "arguments.callee.";

}  // namespace orvane::js
